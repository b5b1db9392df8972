// Button pictures from the program's resources, loaded once.
#include "app/button_pictures.h"

#include <string>

#include "ui/resources.h"

namespace pictures {

ui::Pictures load(std::string_view stem) {
  std::string base(stem);
  return ui::Pictures{ui::resourceBytes(base + "_normal"), ui::resourceBytes(base + "_hot"),
                      ui::resourceBytes(base + "_pressed")};
}

const ui::Pictures& pauseLook() {
  static const ui::Pictures look = load("pause");
  return look;
}

const ui::Pictures& resumeLook() {
  static const ui::Pictures look = load("resume");
  return look;
}

}  // namespace pictures
