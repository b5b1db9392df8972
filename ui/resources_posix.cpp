// Resources off Windows: the same pictures read from the source tree's assets folder.
#include <fstream>
#include <iterator>
#include <string>

#include "ui/resources.h"

namespace ui {

ByteSet resourceBytes(std::string_view name) {
  std::ifstream file(std::string(TERVALO_RESOURCE_DIR) + "/" + std::string(name) + ".jpg", std::ios::binary);
  if (!file) return {};
  return ByteSet(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace ui
