// pack: the same request checks and the same job as the program's Pack button, on the console.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>

#include "cli/commands.h"
#include "core/gbk_text.h"
#include "core/message_box.h"
#include "core/os.h"
#include "core/pack_job.h"
#include "core/pack_request.h"
#include "core/presentation_path.h"

namespace {

constexpr std::string_view kUsage =
    "usage: tervalo-pack pack [options] SOURCE OUTPUT\n"
    "  --program-dir DIR   folder of qm.sj, bf3.sj, bf10.sj (default: this tool's folder)\n"
    "  --single-file       pack SOURCE alone (default: its whole folder)\n"
    "  --no-module         leave the playback module out\n"
    "  --password TEXT     player password\n"
    "  --start-slide TEXT  first slide (default 1)\n"
    "  --title TEXT  --author TEXT  --hidden  --skin 1..6 (preset look, default 1)\n"
    "  --opacity opaque|90%|80%|70%|60%|50%  --picture FILE\n"
    "  --back-color C --border-color C --text-color C          colours as RRGGBB\n"
    "  --bar-colors C,C,C --bar-back-colors C,C,C --bar-mode 1|2 --bar-back-mode 1|2\n"
    "  --overwrite         replace an existing OUTPUT";

constexpr Colour rgb(int r, int g, int b) { return Colour(r) | Colour(g) << 8 | Colour(b) << 16; }

bool parseColour(const std::string& text, Colour& out) {
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  unsigned long v = std::strtoul(text.c_str(), nullptr, 16);
  out = rgb(static_cast<int>(v >> 16 & 0xFF), static_cast<int>(v >> 8 & 0xFF), static_cast<int>(v & 0xFF));
  return true;
}

bool parseColours(const std::string& text, Colour (&out)[3]) {
  std::size_t a = text.find(','), b = a == std::string::npos ? a : text.find(',', a + 1);
  return b != std::string::npos && parseColour(text.substr(0, a), out[0]) &&
         parseColour(text.substr(a + 1, b - a - 1), out[1]) && parseColour(text.substr(b + 1), out[2]);
}

// Opacity entries as the program's list computes them: opaque 255, else percent × 250 / 100.
bool parseOpacity(const std::string& text, std::int32_t& out) {
  if (text == "opaque") return out = 255, true;
  for (int percent : {90, 80, 70, 60, 50}) {
    if (text == std::to_string(percent) + "%") return out = static_cast<std::int32_t>(gbk::textToNumber(text) * 250 / 100), true;
  }
  return false;
}

// The console as the pack-progress page: messages on standard error, a bar when it is a terminal.
class ConsoleView final : public PackJobView, public PackRequestHost {
 public:
  explicit ConsoleView(bool overwrite) : overwrite_(overwrite), bar_(os::stdErrIsTerminal()) {}

  void setProgressWidth(int width) override {
    std::lock_guard lock(mutex_);
    width_ = width;
    if (!bar_) return;
    int filled = width * 40 / kProgressFullWidth;
    std::string line = "\r[" + std::string(static_cast<std::size_t>(std::max(filled, 0)), '#') +
                       std::string(static_cast<std::size_t>(40 - std::clamp(filled, 0, 40)), ' ') + "] " +
                       std::to_string(width * 100 / kProgressFullWidth) + "%";
    os::printText(true, line);
  }
  void setProgressCaption(std::string_view caption) override {
    std::lock_guard lock(mutex_);
    if (bar_ && width_ > 0) os::printText(true, "\n");
    os::printText(true, std::string(caption) + "\n");
  }
  void setEditBoxesEnabled(bool) override {}
  bool packProgressPageShowing() override { return true; }
  void showPackProgressPage() override {}
  void showPackPage() override {}
  void showCompletionButtons() override {}
  void setPauseButtonLook(bool) override {}
  ByteSet pauseButtonNormalPicture() override { return {}; }
  ByteSet pauseLookNormalPicture() override { return {}; }
  void setPackPageActive(int) override {}
  int messageBox(std::string_view text, std::string_view, int flags) override {
    std::lock_guard lock(mutex_);
    if (bar_ && width_ > 0) os::printText(true, "\n");
    std::string shown = gbk::replaceChar(std::string(text), '\r', ' ');
    if (flags == kMbYesNo && text == request_text::kOverwriteOutput && overwrite_) return kResultYes;
    os::printText(true, shown + (flags == kMbYesNo ? " (no)\n" : "\n"));
    return flags == kMbYesNo ? kResultNo : kResultOk;
  }
  void trimWorkingSet() override { os::trimWorkingSet(); }

  bool entryExists(const std::string& path) override { return os::entryExists(path); }
  void resetProgress() override {}
  void beginPackRun(const std::string& password) override { playerPassword = password; }

  std::string playerPassword;

 private:
  std::mutex mutex_;
  bool overwrite_;
  bool bar_;
  int width_ = 0;
};

int usage(const std::string& problem) {
  if (!problem.empty()) printError("tervalo-pack pack: " + problem);
  os::printText(true, std::string(kUsage) + "\n");
  return kExitUsage;
}

}  // namespace

int runPack(const Arguments& args) {
  PlainPackOptions options;
  PlainPlayerAppearance look;
  std::string programDir = os::programFolder();
  bool overwrite = false;
  std::vector<std::string> positional;
  std::map<std::string, std::string> colourOptions;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      os::printText(false, std::string(kUsage) + "\n");
      return kExitOk;
    }
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--single-file") options.packWholeFolderValue = false;
    else if (a == "--no-module") options.useModuleValue = false;
    else if (a == "--hidden") options.interfaceModeValue = 1;
    else if (a == "--overwrite") overwrite = true;
    else if (a == "--program-dir") {
      if (!value(v) || !os::internalPath(v, programDir)) return usage("--program-dir needs a folder");
    } else if (a == "--password") {
      if (!value(v)) return usage("--password needs a text");
      options.usePasswordValue = true, options.passwordValue = v, options.passwordAgainValue = v;
    } else if (a == "--start-slide") {
      if (!value(options.startSlideValue)) return usage("--start-slide needs a text");
    } else if (a == "--title") {
      if (!value(options.titleValue)) return usage("--title needs a text");
    } else if (a == "--author") {
      if (!value(options.authorValue)) return usage("--author needs a text");
    } else if (a == "--skin") {
      if (!value(v) || v.size() != 1 || v[0] < '1' || v[0] > '6') return usage("--skin takes 1 to 6");
      look.applySkinPreset(v[0] - '0');
    } else if (a == "--opacity") {
      if (!value(v) || !parseOpacity(v, look.opacityValue)) return usage("--opacity takes opaque, 90%, 80%, 70%, 60% or 50%");
    } else if (a == "--picture") {
      std::string path;
      if (!value(v) || !os::internalPath(v, path)) return usage("--picture needs a file");
      if (!os::readWholeFile(path, look.backPictureValue)) {
        printError("tervalo-pack pack: cannot read the picture " + v);
        return kExitFailed;
      }
    } else if (a == "--bar-mode" || a == "--bar-back-mode") {
      if (!value(v) || (v != "1" && v != "2")) return usage(a + " takes 1 or 2");
      (a == "--bar-mode" ? look.barModeValue : look.barBackModeValue) = v[0] - '0';
    } else if (a == "--back-color" || a == "--border-color" || a == "--text-color" || a == "--bar-colors" ||
               a == "--bar-back-colors") {
      if (!value(v)) return usage(a + " needs a colour");
      colourOptions[a] = v;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      return usage("unknown option " + a);
    } else {
      positional.push_back(a);
    }
  }
  for (const auto& [name, text] : colourOptions) {
    bool ok = name == "--back-color"     ? parseColour(text, look.backColorValue)
              : name == "--border-color" ? parseColour(text, look.borderColorValue)
              : name == "--text-color"   ? parseColour(text, look.textColorValue)
              : name == "--bar-colors"   ? parseColours(text, look.barColorValues)
                                         : parseColours(text, look.barBackColorValues);
    if (!ok) return usage(name + " takes RRGGBB" + (name.find("colors") != std::string::npos ? ",RRGGBB,RRGGBB" : ""));
  }
  if (positional.size() != 2) return usage("SOURCE and OUTPUT are needed");
  if (!os::internalPath(positional[0], options.sourcePathValue) || !os::internalPath(positional[1], options.outputPathValue)) {
    return usage("a path holds a backslash, which this system cannot name");
  }
  options.sourceFolderValue = gbk::folderOf(options.sourcePathValue);
  options.moduleKindValue = moduleKindOfChosenSource(options.sourcePathValue);

  ConsoleView view(overwrite);
  if (requestPack(options, view) != PackRequestOutcome::kStarted) return kExitFailed;
  PackJobInputs inputs;
  inputs.options = &options;
  inputs.appearance = &look;
  inputs.playerPassword = view.playerPassword;
  inputs.programFolder = programDir;
  inputs.tempFolder = os::tempFolder();
  PackControl control;
  return runPackJob(inputs, view, control) == PackJobResult::kFinished ? kExitOk : kExitFailed;
}
