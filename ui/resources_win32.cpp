// Resources on Windows: RCDATA entries linked into the program.
#include <windows.h>

#include <string>

#include "ui/resources.h"

namespace ui {

ByteSet resourceBytes(std::string_view name) {
  std::wstring wide(name.begin(), name.end());  // resource names are ASCII
  HRSRC info = FindResourceW(nullptr, wide.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!info) return {};
  HGLOBAL loaded = LoadResource(nullptr, info);
  DWORD size = SizeofResource(nullptr, info);
  const auto* data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (!data) return {};
  return ByteSet(data, data + size);
}

}  // namespace ui
