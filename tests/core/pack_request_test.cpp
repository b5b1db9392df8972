// requestPack's checks in their order, with a scripted host that records every box.
#include "core/pack_request.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "core/message_box.h"

namespace {

struct Box {
  std::string text, caption;
  int flags;
};

struct ScriptedHost : PackRequestHost {
  std::set<std::string> existing;
  std::deque<int> answers;  // for Yes/No boxes, in order
  std::vector<Box> boxes;
  std::vector<std::string> calls;
  std::string startedWith;

  int messageBox(std::string_view text, std::string_view caption, int flags) override {
    boxes.push_back({std::string(text), std::string(caption), flags});
    if (flags != kMbYesNo) return kResultOk;
    int answer = answers.empty() ? kResultNo : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  bool entryExists(const std::string& path) override { return existing.count(path) > 0; }
  void trimWorkingSet() override { calls.push_back("trim"); }
  void resetProgress() override { calls.push_back("reset"); }
  void beginPackRun(const std::string& playerPassword) override {
    calls.push_back("begin");
    startedWith = playerPassword;
  }
};

PlainPackOptions readyOptions() {
  PlainPackOptions o;
  o.sourcePathValue = "D:\\ppt\\a.ppt";
  o.outputPathValue = "D:\\out\\a.exe";
  return o;
}

struct Case {
  const char* name;
  void (*setup)(PlainPackOptions&, ScriptedHost&);
  std::vector<std::string> boxTexts;  // every box shown, in order
  bool started;
  std::string password;
};

const Case kCases[] = {
    {"ready", [](PlainPackOptions&, ScriptedHost&) {}, {}, true, "|"},
    {"empty output before bad start slide",
     [](PlainPackOptions& o, ScriptedHost&) { o.outputPathValue = "", o.startSlideValue = "0"; },
     {"请选择输出文件路径"}, false, ""},
    {"output placeholder", [](PlainPackOptions& o, ScriptedHost&) { o.outputPathValue = std::string(kOutputPlaceholder); },
     {"请选择输出文件路径"}, false, ""},
    {"start slide 0", [](PlainPackOptions& o, ScriptedHost&) { o.startSlideValue = "0"; }, {"起始幻灯片必须大于或等于1"}, false, ""},
    {"start slide empty", [](PlainPackOptions& o, ScriptedHost&) { o.startSlideValue = ""; }, {"起始幻灯片必须大于或等于1"}, false, ""},
    {"start slide abc", [](PlainPackOptions& o, ScriptedHost&) { o.startSlideValue = "abc"; }, {"起始幻灯片必须大于或等于1"}, false, ""},
    {"start slide 007", [](PlainPackOptions& o, ScriptedHost&) { o.startSlideValue = "007"; }, {}, true, "|"},
    {"start slide full-width", [](PlainPackOptions& o, ScriptedHost&) { o.startSlideValue = "１"; }, {}, true, "|"},
    {"start slide 1.5", [](PlainPackOptions& o, ScriptedHost&) { o.startSlideValue = "1.5"; }, {}, true, "|"},
    {"start slide 0.99999995", [](PlainPackOptions& o, ScriptedHost&) { o.startSlideValue = "0.99999995"; }, {}, true, "|"},
    {"start slide 0.999999", [](PlainPackOptions& o, ScriptedHost&) { o.startSlideValue = "0.999999"; }, {"起始幻灯片必须大于或等于1"}, false, ""},
    {"output exists, No",
     [](PlainPackOptions& o, ScriptedHost& h) { h.existing.insert(o.outputPathValue); h.answers = {kResultNo}; },
     {"输出路径已经存在其他文件,要覆盖它吗?"}, false, ""},
    {"output exists, Yes",
     [](PlainPackOptions& o, ScriptedHost& h) { h.existing.insert(o.outputPathValue); h.answers = {kResultYes}; },
     {"输出路径已经存在其他文件,要覆盖它吗?"}, true, "|"},
    {"source placeholder", [](PlainPackOptions& o, ScriptedHost&) { o.sourcePathValue = std::string(kSourcePlaceholder); },
     {"请选择要打包的文件"}, false, ""},
    {"source empty", [](PlainPackOptions& o, ScriptedHost&) { o.sourcePathValue = ""; }, {"无法打包！要打包的文件不存在"}, false, ""},
    {"source missing", [](PlainPackOptions&, ScriptedHost& h) { h.existing.clear(); }, {"无法打包！要打包的文件不存在"}, false, ""},
    {"password off ignores boxes",
     [](PlainPackOptions& o, ScriptedHost&) { o.passwordValue = "x", o.passwordAgainValue = "y"; }, {}, true, "|"},
    {"password on, both empty, Yes", [](PlainPackOptions& o, ScriptedHost& h) { o.usePasswordValue = true; h.answers = {kResultYes}; },
     {"您选择使用密码但没有输入密码，确定要取消设置密码吗？"}, true, "|"},
    {"password on, both empty, No", [](PlainPackOptions& o, ScriptedHost& h) { o.usePasswordValue = true; h.answers = {kResultNo}; },
     {"您选择使用密码但没有输入密码，确定要取消设置密码吗？"}, false, ""},
    {"password on, first empty, second not, Yes",
     [](PlainPackOptions& o, ScriptedHost& h) { o.usePasswordValue = true, o.passwordAgainValue = "x"; h.answers = {kResultYes}; },
     {"您选择使用密码但没有输入密码，确定要取消设置密码吗？", "两次输入的密码不一样！"}, false, ""},
    {"passwords differ", [](PlainPackOptions& o, ScriptedHost&) { o.usePasswordValue = true, o.passwordValue = "a", o.passwordAgainValue = "b"; },
     {"两次输入的密码不一样！"}, false, ""},
    {"passwords agree", [](PlainPackOptions& o, ScriptedHost&) { o.usePasswordValue = true, o.passwordValue = "秘密", o.passwordAgainValue = "秘密"; },
     {}, true, "秘密"},
};

TEST(PackRequest, ChecksInOrder) {
  for (const Case& c : kCases) {
    PlainPackOptions o = readyOptions();
    ScriptedHost h;
    h.existing.insert(o.sourcePathValue);
    c.setup(o, h);
    PackRequestOutcome outcome = requestPack(o, h);
    std::vector<std::string> texts;
    for (const Box& b : h.boxes) texts.push_back(b.text);
    EXPECT_EQ(texts, c.boxTexts) << c.name;
    EXPECT_EQ(outcome == PackRequestOutcome::kStarted, c.started) << c.name;
    ASSERT_FALSE(h.calls.empty()) << c.name;
    EXPECT_EQ(h.calls.front(), "reset") << c.name;  // the progress reset comes first, refused or not
    if (c.started) {
      EXPECT_EQ(h.startedWith, c.password) << c.name;
      EXPECT_EQ(h.calls.back(), "trim") << c.name;
    } else {
      EXPECT_EQ(std::count(h.calls.begin(), h.calls.end(), "begin"), 0) << c.name;
    }
  }
}

TEST(PackRequest, CaptionsAndButtons) {
  struct Expect {
    std::string text, caption;
    int flags;
  };
  const Expect expected[] = {
      {"请选择输出文件路径", "请选择输出文件路径", kMbOk},
      {"起始幻灯片必须大于或等于1", "信息：", kMbOk},
      {"输出路径已经存在其他文件,要覆盖它吗?", "输出路径已经存在其他文件,要覆盖它吗?", kMbYesNo},
      {"请选择要打包的文件", "请选择要打包的文件", kMbOk},
      {"无法打包！要打包的文件不存在", "无法打包！要打包的文件不存在", kMbOk},
      {"您选择使用密码但没有输入密码，确定要取消设置密码吗？", "您选择使用密码但没有输入密码，确定要取消设置密码吗？", kMbYesNo},
      {"两次输入的密码不一样！", "两次输入的密码不一样！", kMbOk},
  };
  for (const Case& c : kCases) {
    PlainPackOptions o = readyOptions();
    ScriptedHost h;
    h.existing.insert(o.sourcePathValue);
    c.setup(o, h);
    requestPack(o, h);
    for (const Box& b : h.boxes) {
      bool known = false;
      for (const Expect& e : expected) {
        if (e.text != b.text) continue;
        known = true;
        EXPECT_EQ(b.caption, e.caption) << c.name;
        EXPECT_EQ(b.flags, e.flags) << c.name;
      }
      EXPECT_TRUE(known) << b.text;
    }
  }
}

TEST(PackRequest, MissingSourceTrimsTheWorkingSet) {
  PlainPackOptions o = readyOptions();
  ScriptedHost h;
  requestPack(o, h);
  EXPECT_EQ(h.calls, (std::vector<std::string>{"reset", "trim"}));
}

}  // namespace
