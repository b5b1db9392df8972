// Whole-character walking, the path rules and the text-to-number conversion.
#include "core/gbk_text.h"

#include <gtest/gtest.h>

namespace {

// 乗 is 81 5C and 誠 is D5 5C in GBK: their trail byte is a backslash byte.
const std::string kJou = "\x81\x5C";
const std::string kMakoto = "\xD5\x5C";

TEST(GbkText, FileNameAndFolderStepOverTrailBytes) {
  struct Case {
    std::string path, fileName, folder;
  };
  const Case cases[] = {
      {"D:\\演示\\课件.ppt", "课件.ppt", "D:\\演示"},
      {"a.ppt", "a.ppt", ""},
      {"D:\\slides\\", "", "D:\\slides"},
      {"D:\\" + kJou + ".ppt", kJou + ".ppt", "D:"},
      {"C:\\" + kMakoto + "\\x" + kJou, "x" + kJou, "C:\\" + kMakoto},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gbk::fileNameOf(c.path), c.fileName) << c.path;
    EXPECT_EQ(gbk::folderOf(c.path), c.folder) << c.path;
  }
}

TEST(GbkText, ReplaceLowerAndTrailingBackslash) {
  EXPECT_EQ(gbk::replaceChar("img\\" + kJou + "\\A.PNG", '\\', '/'), "img/" + kJou + "/A.PNG");
  EXPECT_EQ(gbk::asciiLower("X.ZIP" + kMakoto), "x.zip" + kMakoto);
  // 0xC1 0x41 is one character whose trail byte looks like 'A'.
  EXPECT_EQ(gbk::asciiLower("\xC1\x41"), "\xC1\x41");
  EXPECT_EQ(gbk::withTrailingBackslash("C:\\Temp"), "C:\\Temp\\");
  EXPECT_EQ(gbk::withTrailingBackslash("C:\\Temp\\"), "C:\\Temp\\");
  EXPECT_EQ(gbk::withTrailingBackslash("C:\\" + kJou), "C:\\" + kJou + "\\");
  EXPECT_EQ(gbk::withTrailingBackslash(""), "\\");
}

TEST(GbkText, TextToNumber) {
  struct Case {
    std::string text;
    double value;
  };
  const Case cases[] = {
      {"1", 1},      {"007", 7},      {"0", 0},      {"", 0},         {"abc", 0},
      {"１", 1},     {"１２", 12},    {"1.5", 1.5},  {" 2", 2},       {"\xA1\xA1" "3", 3},
      {"-4", -4},    {"+5", 5},       {"2e1", 20},   {"2e", 2},       {"3x", 3},
      {".5", 0.5},   {"1.", 1},       {"-", 0},      {"0x10", 0},     {"０．９９", 0.99},
      {"－１", -1},  {"inf", 0},      {"1e+2", 100}, {"\t7", 7},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(gbk::textToNumber(c.text), c.value) << "'" << c.text << "'";
}

TEST(GbkText, ConversionsRefuseWhatTheyCannotHold) {
  std::string utf8, back;
  ASSERT_TRUE(gbk::gbkToUtf8("课件.ppt", utf8));
  EXPECT_EQ(utf8, "\xE8\xAF\xBE\xE4\xBB\xB6.ppt");
  ASSERT_TRUE(gbk::utf8ToGbk(utf8, back));
  EXPECT_EQ(back, "课件.ppt");
  std::string untouched = "keep";
  EXPECT_FALSE(gbk::utf8ToGbk("\xF0\x9F\x98\x80", untouched));  // an emoji has no GBK form
  EXPECT_FALSE(gbk::utf8ToGbk("\xFF", untouched));              // not UTF-8 at all
  EXPECT_FALSE(gbk::gbkToUtf8("\x81", untouched));              // a lone lead byte
  EXPECT_EQ(untouched, "keep");
}

}  // namespace
