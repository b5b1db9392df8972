// The pictures stored with the program decode through the system's imaging component.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include "app/button_pictures.h"
#include "ui/win32/win32_ui.h"

namespace {

TEST(ButtonPicturesOnWindows, EveryStoredPictureDecodesAtItsSize) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  struct Case {
    const char* stem;
    int width, height;
  };
  const Case cases[] = {{"pause", 80, 32}, {"resume", 80, 32}, {"start_pack", 150, 50}, {"run_output", 150, 32}};
  for (const Case& c : cases) {
    ui::Pictures p = pictures::load(c.stem);
    for (const ByteSet* picture : {&p.normal, &p.hot, &p.pressed}) {
      int w = 0, h = 0;
      HBITMAP bitmap = ui::win32ui::decodePicture(*picture, w, h);
      EXPECT_TRUE(bitmap) << c.stem;
      EXPECT_EQ(w, c.width) << c.stem;
      EXPECT_EQ(h, c.height) << c.stem;
      if (bitmap) DeleteObject(bitmap);
    }
  }
  int w = 0, h = 0;
  EXPECT_FALSE(ui::win32ui::decodePicture(bytesOf("not a picture"), w, h));
  CoUninitialize();
}

}  // namespace
