// Control accessors: each one property through the window's guarded path.
#include "ui/control.h"

#include "ui/toolkit.h"
#include "ui/window.h"

namespace ui {

#define UI_PROPERTY(Type, getter, setter, field, prop)                                   \
  Type Control::getter() const { return window_->get(id_, &ControlProps::field); }      \
  void Control::setter(Type v) { window_->set(id_, Prop::prop, &ControlProps::field, v); }

#define UI_PROPERTY_REF(Type, getter, setter, field, prop)                                \
  Type Control::getter() const { return window_->get(id_, &ControlProps::field); }       \
  void Control::setter(const Type& v) { window_->set(id_, Prop::prop, &ControlProps::field, v); }

#define UI_GETTER(Type, getter, field) \
  Type Control::getter() const { return window_->get(id_, &ControlProps::field); }

Kind Control::kind() const { return window_->kind(id_); }
std::string Control::name() const { return window_->name(id_); }
Control Control::parent() const {
  int p = window_->parentOf(id_);
  return p < 0 ? Control() : Control(window_, p);
}
int Control::page() const { return window_->pageOf(id_); }

UI_PROPERTY(int, left, setLeft, left, kLeft)
UI_PROPERTY(int, top, setTop, top, kTop)
UI_PROPERTY(int, width, setWidth, width, kWidth)
UI_PROPERTY(int, height, setHeight, height, kHeight)
UI_PROPERTY(bool, visible, setVisible, visible, kVisible)
UI_PROPERTY(bool, disabled, setDisabled, disabled, kDisabled)
UI_PROPERTY_REF(Font, font, setFont, font, kFont)
UI_PROPERTY(Colour, textColour, setTextColour, textColour, kTextColour)
UI_PROPERTY(Colour, backColour, setBackColour, backColour, kBackColour)
UI_PROPERTY(Colour, hoverColour, setHoverColour, hoverColour, kHoverColour)
UI_PROPERTY(Colour, visitedColour, setVisitedColour, visitedColour, kVisitedColour)
UI_PROPERTY_REF(Gradient, gradient, setGradient, gradient, kGradient)
UI_GETTER(int, border, border)
UI_PROPERTY(char, passwordMask, setPasswordMask, passwordMask, kPasswordMask)
UI_GETTER(bool, readOnly, readOnly)
UI_GETTER(bool, digitsOnly, digitsOnly)
UI_GETTER(std::vector<std::string>, items, items)
UI_PROPERTY(int, currentIndex, setCurrentIndex, currentIndex, kCurrentIndex)
UI_PROPERTY(bool, ticked, setTicked, ticked, kTicked)
UI_PROPERTY_REF(Pictures, pictures, setPictures, pictures, kPictures)
UI_PROPERTY(bool, hideHeaders, setHideHeaders, hideHeaders, kHideHeaders)
UI_PROPERTY(Colour, colour, setColour, colour, kColour)
UI_GETTER(bool, offersTransparent, offersTransparent)
UI_PROPERTY(int, interval, setInterval, interval, kInterval)
UI_PROPERTY(int, position, setPosition, position, kPosition)
UI_PROPERTY_REF(ByteSet, backPicture, setBackPicture, backPicture, kBackPicture)
UI_GETTER(std::string, filter, filter)
UI_GETTER(std::string, text, text)
UI_GETTER(std::string, tag, tag)
UI_GETTER(std::string, address, address)
UI_GETTER(std::string, pageTitle, pageTitle)
UI_GETTER(std::string, chosenPath, chosenPath)
UI_GETTER(int, currentPage, currentPage)
UI_GETTER(int, borderWidth, borderWidth)
UI_GETTER(Colour, borderColour, borderColour)
UI_GETTER(bool, movableByBackground, movableByBackground)

#undef UI_PROPERTY
#undef UI_PROPERTY_REF
#undef UI_GETTER

void Control::setText(std::string_view v) {
  bool changed = window_->set(id_, Prop::kText, &ControlProps::text, std::string(v));
  if (changed && kind() == Kind::kEditBox) window_->toolkit().raise(*this, Event::kTextChanged);
}

void Control::setTag(std::string_view v) { window_->set(id_, Prop::kTag, &ControlProps::tag, std::string(v)); }

void Control::setItems(std::vector<std::string> v) {
  window_->set(id_, Prop::kItems, &ControlProps::items, std::move(v));
}

std::string Control::itemText(int index) const {
  std::vector<std::string> all = items();
  return index >= 0 && index < static_cast<int>(all.size()) ? all[index] : std::string();
}

ByteSet Control::normalPicture() const { return pictures().normal; }

void Control::setAddress(std::string_view v) {
  // A browser navigates on every assignment, also to the address it already shows.
  std::string value(v);
  if (!window_->set(id_, Prop::kAddress, &ControlProps::address, value) && kind() == Kind::kWebBrowser) {
    window_->toolkit().backend().propertyChanged(*window_, id_, Prop::kAddress);
  }
}

void Control::setPageTitle(std::string_view v) {
  window_->set(id_, Prop::kPageTitle, &ControlProps::pageTitle, std::string(v));
}

void Control::setCurrentPage(int v) {
  if (v < 0 || v >= pageCount()) return;
  window_->set(id_, Prop::kCurrentPage, &ControlProps::currentPage, v);
}

int Control::pageCount() const { return static_cast<int>(items().size()); }

void Control::setChosenPath(std::string_view v) {
  window_->set(id_, Prop::kChosenPath, &ControlProps::chosenPath, std::string(v));
}

ControlProps Control::snapshot() const { return window_->snapshot(id_); }

void Control::on(Event event, Handler handler) const { window_->setHandler(id_, event, std::move(handler)); }

}  // namespace ui
