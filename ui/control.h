// The control model: every property of every kind, and the handle through which any thread reads
// and writes them. The window's model is the truth; backends mirror it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_set.h"
#include "ui/types.h"

namespace ui {

class Window;

// The three pictures of a picture button (JPEG bytes each).
struct Pictures {
  ByteSet normal;
  ByteSet hot;
  ByteSet pressed;
  bool operator==(const Pictures&) const = default;
};

struct Gradient {
  int mode = kGradientNone;
  std::array<Colour, 3> colours{0, 0, 0};
  bool operator==(const Gradient&) const = default;
};

// Every property a kind may use; each kind reads only its own (see the accessors below).
struct ControlProps {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  bool disabled = false;
  std::string text;  // caption of a window, text of labels, links, edit and check boxes
  std::string tag;
  Font font;
  Colour textColour = rgb(0, 0, 0);
  Colour backColour = rgb(250, 250, 250);
  Colour hoverColour = rgb(0, 0, 0);    // hyperlink while the mouse is over it
  Colour visitedColour = rgb(0, 0, 0);  // hyperlink after its address was opened
  Gradient gradient;
  int border = kBorderNone;
  int textAlign = kAlignLeft;
  char passwordMask = 0;  // 0: plain text
  bool readOnly = false;
  bool digitsOnly = false;
  std::vector<std::string> items;  // combo box entries; page titles of a page control
  int currentIndex = -1;
  bool ticked = false;
  Pictures pictures;
  std::string address;  // hyperlink target; web-browser box location (setting it navigates)
  std::string pageTitle;
  int currentPage = 0;
  bool hideHeaders = false;
  Colour colour = rgb(0, 0, 0);  // colour picker value
  bool offersTransparent = false;
  int interval = 0;  // timer period in ms, 0 stopped
  int position = kPositionNormal;
  ByteSet backPicture;
  std::string filter;  // file dialog: "Name|*.a;*.b|..."
  std::string chosenPath;
  int borderWidth = 0;  // shape outline
  Colour borderColour = rgb(0, 0, 0);
  bool movableByBackground = false;  // window: pressing on its own background moves it
};

enum class Event {
  kCreated,
  kPositionChanged,
  kLeftPressed,
  kClicked,
  kTextChanged,
  kGotFocus,
  kLostFocus,
  kItemSelected,
  kColourChanged,
  kProgress,    // value: percent
  kPageLoaded,
  kMouseMoved,  // value: x relative to the control
  kGotFiles,    // text: the paths, each followed by CR LF
  kTick,
  kCount,
};

struct EventArgs {
  int value = 0;
  std::string text;
};

using Handler = std::function<void(const EventArgs&)>;

// A control of a window: a cheap handle, valid as long as its window. Every accessor takes the
// window's one lock, so workers may call them while the user-interface thread does too.
class Control {
 public:
  Control() = default;
  Control(Window* window, int id) : window_(window), id_(id) {}

  bool valid() const { return window_ != nullptr; }
  Window& window() const { return *window_; }
  int id() const { return id_; }
  Kind kind() const;
  std::string name() const;
  Control parent() const;  // invalid for the window itself
  int page() const;        // page of the parent page control, -1 elsewhere
  bool operator==(const Control& other) const { return window_ == other.window_ && id_ == other.id_; }

  int left() const;
  void setLeft(int v);
  int top() const;
  void setTop(int v);
  int width() const;
  void setWidth(int v);
  int height() const;
  void setHeight(int v);
  bool visible() const;
  void setVisible(bool v);
  bool disabled() const;
  void setDisabled(bool v);
  // Setting an edit box's text raises its text-changed event when the text changes.
  std::string text() const;
  void setText(std::string_view v);
  std::string tag() const;
  void setTag(std::string_view v);
  Font font() const;
  void setFont(const Font& v);
  Colour textColour() const;
  void setTextColour(Colour v);
  Colour backColour() const;
  void setBackColour(Colour v);
  Colour hoverColour() const;
  void setHoverColour(Colour v);
  Colour visitedColour() const;
  void setVisitedColour(Colour v);
  Gradient gradient() const;
  void setGradient(const Gradient& v);
  int border() const;
  char passwordMask() const;
  void setPasswordMask(char v);
  bool readOnly() const;
  bool digitsOnly() const;
  std::vector<std::string> items() const;
  void setItems(std::vector<std::string> v);
  std::string itemText(int index) const;  // empty outside the list
  int currentIndex() const;
  void setCurrentIndex(int v);
  bool ticked() const;
  void setTicked(bool v);
  Pictures pictures() const;
  void setPictures(const Pictures& v);
  ByteSet normalPicture() const;
  std::string address() const;
  void setAddress(std::string_view v);  // a web-browser box navigates
  std::string pageTitle() const;
  void setPageTitle(std::string_view v);
  int currentPage() const;
  void setCurrentPage(int v);
  int pageCount() const;
  bool hideHeaders() const;
  void setHideHeaders(bool v);
  Colour colour() const;
  void setColour(Colour v);  // raises nothing
  bool offersTransparent() const;
  int interval() const;
  void setInterval(int v);
  int position() const;
  void setPosition(int v);
  ByteSet backPicture() const;
  void setBackPicture(const ByteSet& v);
  std::string filter() const;
  std::string chosenPath() const;
  void setChosenPath(std::string_view v);
  int borderWidth() const;
  Colour borderColour() const;
  bool movableByBackground() const;
  // Every property at once, for backends drawing a control.
  ControlProps snapshot() const;

  // Handlers; bound on the user-interface thread before or after creation.
  void on(Event event, Handler handler) const;
  void onClicked(std::function<void()> f) const { on(Event::kClicked, [f](const EventArgs&) { f(); }); }
  void onLeftPressed(std::function<void()> f) const {
    on(Event::kLeftPressed, [f](const EventArgs&) { f(); });
  }
  void onMouseMoved(std::function<void(int x)> f) const {
    on(Event::kMouseMoved, [f](const EventArgs& a) { f(a.value); });
  }

 private:
  Window* window_ = nullptr;
  int id_ = 0;
};

// Names for the kinds, so that a member's type says what it is.
using WindowControl = Control;
using Label = Control;
using TransparentLabel = Control;
using EditBox = Control;
using ComboBox = Control;
using CheckBox = Control;
using PictureButton = Control;
using Hyperlink = Control;
using Shape = Control;
using PageControl = Control;
using ColourPicker = Control;
using WebBrowser = Control;
using Canvas = Control;
using FileDialog = Control;
using DropTarget = Control;
using BalloonTip = Control;
using Timer = Control;

}  // namespace ui
