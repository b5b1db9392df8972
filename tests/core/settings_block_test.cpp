// The settings block: every field in its place, and the temporary file that holds it.
#include "core/settings_block.h"

#include <gtest/gtest.h>

#include "core/data_cipher.h"
#include "core/os.h"
#include "test_folder.h"

namespace {

PlainPackOptions exampleOptions() {
  PlainPackOptions o;
  o.titleValue = "abc";
  o.authorValue = "";
  o.sourcePathValue = "D:\\a.ppt";
  o.startSlideValue = "1";
  return o;
}

TEST(SettingsBlock, ExampleBlockIs377BytesWithEveryFieldInPlace) {
  PlainPackOptions o = exampleOptions();
  PlainPlayerAppearance a;
  a.backColorValue = 0x00112233;
  a.borderColorValue = 255;  // pure red
  a.textColorValue = 0x00FFFFFF;
  a.opacityValue = 225;
  a.barModeValue = 1;
  a.barColorValues[0] = 0x01020304;
  a.barColorValues[1] = a.barColorValues[2] = 0;
  a.barBackModeValue = 2;
  a.barBackColorValues[0] = a.barBackColorValues[1] = 0;
  a.barBackColorValues[2] = 0x0A0B0C0D;
  ByteSet block = buildSettingsBlock(o, a, "|");
  ASSERT_EQ(block.size(), 377u);

  std::size_t pos = 0;
  auto expectBytes = [&](std::string_view what, const ByteSet& bytes) {
    ASSERT_LE(pos + bytes.size(), block.size()) << what;
    EXPECT_EQ(ByteSet(block.begin() + pos, block.begin() + pos + bytes.size()), bytes) << what;
    pos += bytes.size();
  };
  auto marker = [&] { expectBytes("marker", bytesOf(kFieldMarker)); };
  auto le32 = [](std::uint32_t v) {
    ByteSet b;
    appendLe32(b, v);
    return b;
  };
  expectBytes("title", bytesOf("abc"));
  marker();  // empty author: two markers touch
  marker();
  expectBytes("password", DataCipher::encrypt(bytesOf("|"), kFixedPassPhrase));
  marker();
  expectBytes("back", {0x33, 0x22, 0x11, 0});
  marker();
  expectBytes("border", {0xFF, 0, 0, 0});
  marker();
  expectBytes("text", le32(0x00FFFFFF));
  marker();
  expectBytes("opacity", le32(225));
  marker();  // no picture
  marker();
  expectBytes("bar mode", le32(1));
  marker();
  expectBytes("bar 1", {4, 3, 2, 1});
  for (int i = 0; i < 2; ++i) {
    marker();
    expectBytes("bar 2,3", le32(0));
  }
  marker();
  expectBytes("back mode", le32(2));
  for (int i = 0; i < 2; ++i) {
    marker();
    expectBytes("back 1,2", le32(0));
  }
  marker();
  expectBytes("back 3", le32(0x0A0B0C0D));
  marker();
  expectBytes("file name", bytesOf("a.ppt"));
  marker();
  expectBytes("interface", le32(0));
  marker();
  expectBytes("module", {1, 0, 0, 0});
  marker();
  expectBytes("start slide", bytesOf("1"));
  EXPECT_EQ(pos, block.size());
  EXPECT_EQ(DataCipher::decrypt(ByteSet(block.begin() + 3 + 32, block.begin() + 3 + 40), kFixedPassPhrase),
            bytesOf("|"));
}

TEST(SettingsBlock, FieldValuesFollowTheOptions) {
  // Marker bytes inside the picture must not confuse the reader.
  ByteSet picture = bytesOf(std::string("\xFF\xD8") + std::string(kFieldMarker) + "jpeg" + std::string(kFieldMarker));
  struct Case {
    std::string title, author, source, startSlide, password;
    bool useModule;
    int interfaceMode;
    std::string wantTitle, wantAuthor, wantFileName;
  };
  const Case cases[] = {
      {"", "", "D:\\演示\\课件.ppt", "1", "|", true, 0, "Tervalo播放器", "", "课件.ppt"},
      {"请输入PPT的标题", "请输入PPT的作者", "a.ppt", " 2", "pw", false, 1, "Tervalo播放器", "", "a.ppt"},
      {" 请输入PPT的标题", "某人", "C:\\x\\\x81\x5C.pptx", "007", "秘密", true, 1, " 请输入PPT的标题", "某人",
       "\x81\x5C.pptx"},
  };
  for (const Case& c : cases) {
    PlainPackOptions o;
    o.titleValue = c.title;
    o.authorValue = c.author;
    o.sourcePathValue = c.source;
    o.startSlideValue = c.startSlide;
    o.useModuleValue = c.useModule;
    o.interfaceModeValue = c.interfaceMode;
    PlainPlayerAppearance a;
    a.backPictureValue = picture;
    auto f = parseSettingsBlock(buildSettingsBlock(o, a, c.password));
    ASSERT_TRUE(f) << c.source;
    EXPECT_EQ(f->title, c.wantTitle);
    EXPECT_EQ(f->author, c.wantAuthor);
    EXPECT_EQ(f->fileName, c.wantFileName);
    EXPECT_EQ(f->startSlide, c.startSlide);
    EXPECT_EQ(f->useModule, c.useModule ? 1 : 0);
    EXPECT_EQ(f->interfaceMode, c.interfaceMode);
    EXPECT_EQ(f->backPicture, picture);
    EXPECT_EQ(DataCipher::decrypt(f->cipheredPassword, kFixedPassPhrase), bytesOf(c.password));
  }
}

TEST(SettingsBlock, TypedBarPasswordEqualsNoPassword) {
  PlainPackOptions o = exampleOptions();
  PlainPlayerAppearance a;
  EXPECT_EQ(buildSettingsBlock(o, a, "|"), buildSettingsBlock(o, a, std::string(kNoPasswordMarker)));
}

TEST(SettingsBlock, WritesFreshExclusiveFiles) {
  TestFolder dir;
  PlainPackOptions o = exampleOptions();
  PlainPlayerAppearance a;
  std::string first = writeSettingsBlock(o, a, "|", dir.path());
  std::string second = writeSettingsBlock(o, a, "|", dir.path());
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_NE(first, second);  // the same millisecond still gives two names
  std::string name = gbk::fileNameOf(first);
  ASSERT_GT(name.size(), 4u);
  EXPECT_EQ(name.substr(name.size() - 4), ".tmp");
  for (char ch : name.substr(0, name.size() - 4)) EXPECT_TRUE(std::isxdigit(ch) && !std::isupper(ch)) << name;
  ByteSet written;
  ASSERT_TRUE(os::readWholeFile(first, written));
  EXPECT_EQ(written, buildSettingsBlock(o, a, "|"));
}

TEST(SettingsBlock, UnwritableFolderGivesEmptyPath) {
  TestFolder dir;
  PlainPackOptions o = exampleOptions();
  PlainPlayerAppearance a;
  EXPECT_EQ(writeSettingsBlock(o, a, "|", dir.file("missing-folder")), "");
  EXPECT_EQ(dir.entryCount(), 0u);
}

}  // namespace
