// The button pictures stored with the program: JPEGs of the right size, the pause look unmistakable.
#include <gtest/gtest.h>

#include "app/button_pictures.h"

namespace {

struct JpegSize {
  int width = 0;
  int height = 0;
};

// Width and height from the first start-of-frame marker (FFC0..FFC2).
JpegSize jpegSize(const ByteSet& b) {
  if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return {};
  std::size_t i = 2;
  while (i + 9 < b.size() && b[i] == 0xFF) {
    std::uint8_t marker = b[i + 1];
    std::size_t length = std::size_t(b[i + 2]) << 8 | b[i + 3];
    if (marker >= 0xC0 && marker <= 0xC2) return {b[i + 7] << 8 | b[i + 8], b[i + 5] << 8 | b[i + 6]};
    i += 2 + length;
  }
  return {};
}

TEST(ButtonPictures, EveryButtonHasThreeJpegsOfItsSize) {
  struct Case {
    const char* stem;
    int width, height;
  };
  const Case cases[] = {{"browse", 80, 24},      {"browse_small", 50, 25}, {"start_pack", 150, 50},
                        {"pause", 80, 32},       {"resume", 80, 32},       {"stop", 80, 32},
                        {"return", 100, 32},     {"locate_file", 100, 32}, {"run_output", 150, 32},
                        {"clear_picture", 70, 25}};
  for (const Case& c : cases) {
    ui::Pictures p = pictures::load(c.stem);
    for (const ByteSet* picture : {&p.normal, &p.hot, &p.pressed}) {
      JpegSize size = jpegSize(*picture);
      EXPECT_EQ(size.width, c.width) << c.stem;
      EXPECT_EQ(size.height, c.height) << c.stem;
    }
    EXPECT_NE(p.normal, p.hot) << c.stem;
    EXPECT_NE(p.normal, p.pressed) << c.stem;
  }
}

TEST(ButtonPictures, PauseNormalDiffersFromEveryResumePicture) {
  const ui::Pictures& pause = pictures::pauseLook();
  const ui::Pictures& resume = pictures::resumeLook();
  ASSERT_FALSE(pause.normal.empty());
  for (const ByteSet* picture : {&resume.normal, &resume.hot, &resume.pressed}) EXPECT_NE(pause.normal, *picture);
}

}  // namespace
