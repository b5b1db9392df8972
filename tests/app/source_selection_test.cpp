// Extension, folder and default output of a chosen source, the module hint and the drop rules.
#include "app/source_selection.h"

#include <gtest/gtest.h>

#include "core/pack_options.h"

namespace {

// 乗 is 81 5C and 誠 is D5 5C in GBK: their trail byte is a backslash byte.
const std::string kJou = "\x81\x5C";
const std::string kMakoto = "\xD5\x5C";

TEST(SourceSelection, FolderAndDefaultOutput) {
  struct Case {
    std::string path, folder, output;
  };
  const Case cases[] = {
      {"D:\\slides\\talk.ppt", "D:\\slides", "D:\\slides.exe"},
      {"D:\\slides\\talk.pptx", "D:\\slides", "D:\\slides.exe"},
      {"E:\\talk.pptx", "E:", "E:\\Tervalo输出文件.exe"},
      {"D:\\talk.ppt", "D:", "D:\\Tervalo输出文件.exe"},
      // Names that the length arithmetic of the extension would cut wrongly.
      {"D:\\slides\\notes.txt", "D:\\slides", "D:\\slides.exe"},
      {"D:\\slides\\talk.ppt old", "D:\\slides", "D:\\slides.exe"},
      {"D:\\slides\\talk", "D:\\slides", "D:\\slides.exe"},
      {"D:\\ver1.2\\talk", "D:\\ver1.2", "D:\\ver1.2.exe"},
      // A folder whose name ends in a character with trail byte 0x5C keeps that character whole.
      {"D:\\" + kJou + "\\talk.pptx", "D:\\" + kJou, "D:\\" + kJou + ".exe"},
      {"D:\\x\\" + kMakoto + "\\" + kJou + ".ppt", "D:\\x\\" + kMakoto, "D:\\x\\" + kMakoto + ".exe"},
      // In the root, a trail byte 0x5C is no backslash: the fixed name follows.
      {"D:" + kJou + ".ppt", "", "\\Tervalo输出文件.exe"},
      {"D:\\演示文稿\\第一课.pptx", "D:\\演示文稿", "D:\\演示文稿.exe"},
  };
  for (const Case& c : cases) {
    std::string folder = sourceFolderOf(c.path);
    EXPECT_EQ(folder, c.folder) << c.path;
    EXPECT_EQ(defaultOutputPath(folder), c.output) << c.path;
  }
  EXPECT_EQ(defaultOutputPath("D:" + kJou), "D:" + kJou + "\\Tervalo输出文件.exe");
}

TEST(SourceSelection, ModuleFileAndHint) {
  EXPECT_EQ(moduleFilePath("C:\\Program Files\\Tervalo", kModuleKindPpt), "C:\\Program Files\\Tervalo\\bf3.sj");
  EXPECT_EQ(moduleFilePath("C:\\Tervalo", kModuleKindPptx), "C:\\Tervalo\\bf10.sj");
  const std::string host = TERVALO_SITE_HOST;
  EXPECT_EQ(missingModuleText(kModuleKindPpt),
            "PPT打包模块不存在,如需要使用打包模块请到官网(" + host + ")下载");
  EXPECT_EQ(missingModuleText(kModuleKindPptx),
            "PPTX打包模块不存在,如需要使用打包模块请到官网(" + host + ")下载");
}

TEST(SourceSelection, DropRules) {
  struct Case {
    std::string paths;
    bool running;
    DropVerdict verdict;
    int kind;
  };
  const Case cases[] = {
      {"E:\\talk.pptx", false, DropVerdict::kAccept, kModuleKindPptx},
      {"D:\\slides\\Talk.PPTX", false, DropVerdict::kAccept, kModuleKindPptx},
      {"D:\\slides\\talk.ppt", false, DropVerdict::kAccept, kModuleKindPpt},
      {"D:\\notes.txt", false, DropVerdict::kWrongFile, 0},
      {"D:\\slides", false, DropVerdict::kWrongFile, 0},
      {"D:\\a.ppt\r\nD:\\b.ppt\r\n", false, DropVerdict::kWrongFile, 0},
      {"D:\\a.pptx\r\n", false, DropVerdict::kWrongFile, 0},
      {"D:\\slides\\talk.ppt", true, DropVerdict::kPacking, 0},
      {"D:\\notes.txt", true, DropVerdict::kPacking, 0},
  };
  for (const Case& c : cases) {
    DropDecision d = judgeDrop(c.paths, c.running);
    EXPECT_EQ(d.verdict, c.verdict) << c.paths << " running " << c.running;
    EXPECT_EQ(d.kind, c.kind) << c.paths << " running " << c.running;
  }
}

TEST(SourceSelection, SavedNameGetsExeOnlyWithoutExtension) {
  struct Case {
    std::string chosen, path;
  };
  const Case cases[] = {
      {"D:\\out\\talk", "D:\\out\\talk.exe"},
      {"D:\\out\\talk.exe", "D:\\out\\talk.exe"},
      {"D:\\out\\talk.EXE", "D:\\out\\talk.EXE"},
      {"D:\\out\\talk.bin", "D:\\out\\talk.bin"},
      {"D:\\v1.2\\talk", "D:\\v1.2\\talk.exe"},
      {"D:\\out\\" + kJou, "D:\\out\\" + kJou + ".exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(withExeExtension(c.chosen), c.path) << c.chosen;
}

}  // namespace
