// The extension rule of a presentation's path and the module kind it gives.
#include "core/presentation_path.h"

#include <gtest/gtest.h>

#include "core/pack_options.h"

namespace {

// 乗 is 81 5C in GBK: its trail byte is a backslash byte.
const std::string kJou = "\x81\x5C";

TEST(PresentationPath, ExtensionOf) {
  struct Case {
    std::string path, extension;
  };
  const Case cases[] = {
      {"D:\\slides\\talk.PPT", "PPT"},
      {"D:\\slides\\talk.pptx", "pptx"},
      {"D:\\ver1.2\\talk", "2\\talk"},
      {"D:\\slides\\talk.ppt old", "ppt"},
      {"D:\\slides\\talk. ppt", ""},
      {"D:\\slides\\talk", ""},
      {"a.b.", "b"},
      {"a..", ""},
      {"a..b", "b"},
      {"talk.", "talk"},
      {".", ""},
      {"", ""},
      {"D:\\a.ppt\r\nD:\\b.ppt\r\n", "ppt\r\n"},
      // Double-byte characters stay whole; the ideographic space is no blank.
      {"D:\\" + kJou + ".pptx", "pptx"},
      {"D:\\课件.演示", "演示"},
      {"D:\\课件.ppt\xA1\xA1old", "ppt\xA1\xA1old"},
  };
  for (const Case& c : cases) EXPECT_EQ(extensionOf(c.path), c.extension) << c.path;
}

TEST(PresentationPath, ChosenSourceKind) {
  struct Case {
    std::string path;
    int kind;
  };
  const Case cases[] = {
      {"D:\\slides\\talk.ppt", kModuleKindPpt}, {"D:\\slides\\talk.PPT", kModuleKindPpt},
      {"D:\\slides\\talk.pptx", kModuleKindPptx}, {"D:\\notes.txt", kModuleKindPptx},
      {"D:\\slides\\talk", kModuleKindPptx},     {"D:\\talk.ppt old", kModuleKindPpt},
  };
  for (const Case& c : cases) EXPECT_EQ(moduleKindOfChosenSource(c.path), c.kind) << c.path;
}

TEST(PresentationPath, ModuleFiles) {
  // Any kind but 3 takes the .pptx module, also 0 before a source was chosen.
  EXPECT_EQ(moduleFileName(kModuleKindPpt), "bf3.sj");
  EXPECT_EQ(moduleFileName(0), "bf10.sj");
}

}  // namespace
