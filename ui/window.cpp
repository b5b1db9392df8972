// The window model: controls built from a template, kept in z-order behind one lock.
#include "ui/window.h"

#include <algorithm>
#include <cassert>
#include <charconv>

#include "ui/toolkit.h"

namespace ui {

Window::Window(Toolkit& toolkit, const WindowTemplate& tmpl, Window* owner) : toolkit_(toolkit), owner_(owner) {
  entries_.push_back(Entry{Kind::kWindow, tmpl.window.name, -1, -1, false, tmpl.window.props, {}});
  zOrder_.push_back(0);
  for (const ControlSpec& spec : tmpl.controls) {
    int parent = 0;
    if (!spec.parent.empty()) {
      auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == spec.parent; });
      assert(found != entries_.end() && "a parent comes before its children in the template");
      parent = found == entries_.end() ? 0 : static_cast<int>(found - entries_.begin());
    }
    entries_.push_back(Entry{spec.kind, spec.name, parent, spec.page, spec.saveDialog, spec.props, {}});
    zOrder_.push_back(static_cast<int>(entries_.size()) - 1);
  }
}

Control Window::control(std::string_view name) {
  std::optional<Control> found = find(name);
  assert(found && "every control the program names is in its template");
  return found ? *found : Control(this, 0);
}

std::optional<Control> Window::find(std::string_view name) {
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].name == name) return Control(this, static_cast<int>(i));
  }
  return std::nullopt;
}

std::optional<Control> Window::findByTag(int tag) {
  std::lock_guard lock(mutex_);
  for (int id : zOrder_) {
    const std::string& text = entries_[id].props.tag;
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size() && !text.empty() && value == tag) {
      return Control(this, id);
    }
  }
  return std::nullopt;
}

int Window::controlCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(entries_.size());
}

std::vector<int> Window::zOrder() const {
  std::lock_guard lock(mutex_);
  return zOrder_;
}

std::vector<int> Window::childrenOf(int parent) const {
  std::lock_guard lock(mutex_);
  std::vector<int> out;
  for (int id : zOrder_) {
    if (entries_[id].parent == parent) out.push_back(id);
  }
  return out;
}

ControlProps Window::snapshot(int id) const {
  std::lock_guard lock(mutex_);
  return entries_[id].props;
}

Kind Window::kind(int id) const {
  std::lock_guard lock(mutex_);
  return entries_[id].kind;
}

std::string Window::name(int id) const {
  std::lock_guard lock(mutex_);
  return entries_[id].name;
}

int Window::parentOf(int id) const {
  std::lock_guard lock(mutex_);
  return entries_[id].parent;
}

int Window::pageOf(int id) const {
  std::lock_guard lock(mutex_);
  return entries_[id].page;
}

bool Window::saveDialog(int id) const {
  std::lock_guard lock(mutex_);
  return entries_[id].saveDialog;
}

void Window::setHandler(int id, Event event, Handler handler) {
  std::lock_guard lock(mutex_);
  entries_[id].handlers[static_cast<std::size_t>(event)] = std::move(handler);
}

Handler Window::handler(int id, Event event) const {
  std::lock_guard lock(mutex_);
  return entries_[id].handlers[static_cast<std::size_t>(event)];
}

int Window::copyControl(int id) {
  int copy;
  {
    std::lock_guard lock(mutex_);
    Entry entry = entries_[id];
    entry.props.visible = false;
    entries_.push_back(std::move(entry));
    copy = static_cast<int>(entries_.size()) - 1;
    auto at = std::find(zOrder_.begin(), zOrder_.end(), id);
    zOrder_.insert(at == zOrder_.end() ? at : at + 1, copy);
  }
  toolkit_.backend().controlAdded(*this, copy);
  return copy;
}

void Window::moveInZOrder(int id, int how) {
  {
    std::lock_guard lock(mutex_);
    auto at = std::find(zOrder_.begin(), zOrder_.end(), id);
    if (at == zOrder_.end() || id == 0) return;
    zOrder_.erase(at);
    if (how == kZBottom) {
      zOrder_.insert(zOrder_.begin() + 1, id);  // the window itself stays first
    } else {
      zOrder_.push_back(id);
    }
  }
  toolkit_.backend().zOrderChanged(*this, id);
}

void Window::changed(int id, Prop prop) { toolkit_.backend().propertyChanged(*this, id, prop); }

}  // namespace ui
