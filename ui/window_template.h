// Window templates: plain data listing each control's kind, name, parent, place and first
// properties, written with small chained setters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace ui {

struct ControlSpec {
  Kind kind = Kind::kLabel;
  std::string name;
  std::string parent;  // empty: the window itself
  int page = -1;       // page of the parent page control
  bool saveDialog = false;  // file dialog: save instead of open
  ControlProps props;

  ControlSpec& in(std::string_view parentName, int pageIndex = -1) {
    parent = parentName;
    page = pageIndex;
    return *this;
  }
  ControlSpec& at(int left, int top, int width = 0, int height = 0) {
    props.left = left;
    props.top = top;
    props.width = width;
    props.height = height;
    return *this;
  }
  ControlSpec& text(std::string_view v) { props.text = v; return *this; }
  ControlSpec& tag(std::string_view v) { props.tag = v; return *this; }
  ControlSpec& hidden() { props.visible = false; return *this; }
  ControlSpec& disabled() { props.disabled = true; return *this; }
  ControlSpec& font(std::string_view name, int height, bool bold = false) {
    props.font = Font{std::string(name), height, bold};
    return *this;
  }
  ControlSpec& fontHeight(int height, bool bold = false) {
    props.font.height = height;
    props.font.bold = bold;
    return *this;
  }
  ControlSpec& textColour(Colour c) { props.textColour = c; return *this; }
  ControlSpec& back(Colour c) { props.backColour = c; return *this; }
  ControlSpec& linkColours(Colour normal, Colour hover) {
    props.textColour = normal;
    props.hoverColour = hover;
    props.visitedColour = normal;
    return *this;
  }
  ControlSpec& gradient(int mode, Colour a, Colour b, Colour c) {
    props.gradient = Gradient{mode, {a, b, c}};
    return *this;
  }
  ControlSpec& sunken() { props.border = kBorderSunken; return *this; }
  ControlSpec& centred() { props.textAlign = kAlignCentre; return *this; }
  ControlSpec& password(char mask) { props.passwordMask = mask; return *this; }
  ControlSpec& readOnly() { props.readOnly = true; return *this; }
  ControlSpec& digitsOnly() { props.digitsOnly = true; return *this; }
  ControlSpec& items(std::vector<std::string> v, int current) {
    props.items = std::move(v);
    props.currentIndex = current;
    return *this;
  }
  ControlSpec& ticked(bool v = true) { props.ticked = v; return *this; }
  ControlSpec& pictures(Pictures p) { props.pictures = std::move(p); return *this; }
  ControlSpec& address(std::string_view v) { props.address = v; return *this; }
  ControlSpec& outline(int width, Colour c) {
    props.borderWidth = width;
    props.borderColour = c;
    return *this;
  }
  ControlSpec& transparentOffered() { props.offersTransparent = true; return *this; }
  ControlSpec& interval(int ms) { props.interval = ms; return *this; }
  ControlSpec& position(int v) { props.position = v; return *this; }
  ControlSpec& filter(std::string_view v) { props.filter = v; return *this; }
  ControlSpec& saving() { saveDialog = true; return *this; }
  ControlSpec& movableByBackground() { props.movableByBackground = true; return *this; }
};

// One control of a kind, named; the rest is set with the chained setters.
inline ControlSpec control(Kind kind, std::string_view name) {
  ControlSpec spec;
  spec.kind = kind;
  spec.name = name;
  return spec;
}

// A page control with its page titles; the page count is the number of titles.
inline ControlSpec pageControl(std::string_view name, std::vector<std::string> titles) {
  ControlSpec spec = control(Kind::kPageControl, name);
  spec.props.items = std::move(titles);
  return spec;
}

// A window template: the window first (its caption, size and position), then its controls.
struct WindowTemplate {
  ControlSpec window;
  std::vector<ControlSpec> controls;

  WindowTemplate& add(ControlSpec spec) {
    controls.push_back(std::move(spec));
    return *this;
  }
  WindowTemplate& add(const std::vector<ControlSpec>& specs) {
    controls.insert(controls.end(), specs.begin(), specs.end());
    return *this;
  }
};

}  // namespace ui
