// One window's model: its controls in z-order, their properties and handlers behind one lock.
#pragma once

#include <array>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"
#include "ui/window_template.h"

namespace ui {

class Toolkit;

class Window {
 public:
  Window(Toolkit& toolkit, const WindowTemplate& tmpl, Window* owner);
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  Toolkit& toolkit() const { return toolkit_; }
  Window* owner() const { return owner_; }
  // The window itself as a control (caption, place, position, ...).
  Control self() { return Control(this, 0); }
  // The control of that name; the program's own names always exist, so a missing one is a fault.
  Control control(std::string_view name);
  std::optional<Control> find(std::string_view name);
  // The first control whose tag, read as an integer, equals tag.
  std::optional<Control> findByTag(int tag);
  int controlCount() const;
  // Ids from bottom to top.
  std::vector<int> zOrder() const;
  // Children of parent (0: the window) from bottom to top.
  std::vector<int> childrenOf(int parent) const;

  // The one guarded path to every property.
  template <class T>
  T get(int id, T ControlProps::*field) const {
    std::lock_guard lock(mutex_);
    return entries_[id].props.*field;
  }
  // Writes and tells the backend; true when the value changed.
  template <class T>
  bool set(int id, Prop prop, T ControlProps::*field, T value) {
    {
      std::lock_guard lock(mutex_);
      T& slot = entries_[id].props.*field;
      if (slot == value) return false;
      slot = std::move(value);
    }
    changed(id, prop);
    return true;
  }
  // Writes without telling the backend: the backend reporting what the user did natively.
  template <class T>
  void setFromNative(int id, T ControlProps::*field, T value) {
    std::lock_guard lock(mutex_);
    entries_[id].props.*field = std::move(value);
  }
  ControlProps snapshot(int id) const;
  Kind kind(int id) const;
  std::string name(int id) const;
  int parentOf(int id) const;  // -1 for the window itself
  int pageOf(int id) const;
  bool saveDialog(int id) const;

  void setHandler(int id, Event event, Handler handler);
  Handler handler(int id, Event event) const;

  // A hidden copy with the same look, parent and handlers, just above the original.
  int copyControl(int id);
  // Moves a control in its z-order (kZTop / kZTopmost: above its siblings, kZBottom: below).
  void moveInZOrder(int id, int how);

 private:
  struct Entry {
    Kind kind;
    std::string name;
    int parent;
    int page;
    bool saveDialog;
    ControlProps props;
    std::array<Handler, static_cast<std::size_t>(Event::kCount)> handlers;
  };

  void changed(int id, Prop prop);

  Toolkit& toolkit_;
  Window* owner_;
  mutable std::mutex mutex_;
  std::deque<Entry> entries_;
  std::vector<int> zOrder_;
};

}  // namespace ui

// Binds a member to the control of the same name: `UI_BIND(window, 按钮_返回)` in a constructor's
// initialiser list, so that the member's name and the control's name are one spelling.
#define UI_BIND(window, member) member((window).control(#member))
