// Tervalo.exe's entry point: the Win32 toolkit, the application, its message loop.
#include <windows.h>

#include "app/app.h"
#include "ui/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::unique_ptr<ui::Backend> backend = ui::makeWin32Backend();
  std::unique_ptr<ui::Desktop> desktop = ui::makeWin32Desktop();
  ui::Toolkit toolkit(*backend, *desktop);
  App app(toolkit);
  return startApplication(app);
}
