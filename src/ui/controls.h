#pragma once
#include "ui/control.h"
#include "ui/picture.h"

#include <string>
#include <vector>

namespace ui {

// A push button or a clickable label or frame: a caption and a click procedure.
class Button : public Control {
  public:
    explicit Button(std::string caption = {}) : caption_(std::move(caption)) {}
    std::function<void()> Click;

    const std::string& caption() const { return caption_; }
    void setCaption(std::string text);
    void click() const { raise(Click); } // the user's click

  private:
    std::string caption_;
};

using Label = Button;
using Frame = Button;

// A check box: 0 cleared, 1 ticked, 2 greyed. Setting a different value from code
// runs the click procedure, exactly as the user's click does.
class CheckBox : public Control {
  public:
    explicit CheckBox(std::string caption = {}) : caption_(std::move(caption)) {}
    std::function<void()> Click;

    const std::string& caption() const { return caption_; }
    int value() const { return value_; }
    void setValue(int value);

  private:
    std::string caption_;
    int value_ = 0;
};

// A single-selection list box. Selecting an entry, by code or by the user, runs Click.
class ListBox : public Control {
  public:
    std::function<void()> Click;
    std::function<void()> focusRequested; // the binding gives the real widget the focus

    long count() const { return long(items_.size()); }
    const std::string& item(long index) const { return items_.at(std::size_t(index)); }
    const std::vector<std::string>& items() const { return items_; }
    long listIndex() const { return listIndex_; }

    void add(std::string text);
    void removeAt(long index);
    void clear();
    void setListIndex(long index);            // -1 clears the selection without an event
    void selectText(const std::string& text); // first equal entry; empty selects nothing
    void setFocus() const { raise(focusRequested); }

  private:
    std::vector<std::string> items_;
    long listIndex_ = -1;
};

// A combo box with a list and typed text. Only a choice from the list runs Click;
// setting the text from code or typing it does not.
class ComboBox : public Control {
  public:
    explicit ComboBox(std::string text = {}) : text_(std::move(text)) {}
    std::function<void()> Click;

    const std::string& text() const { return text_; }
    const std::vector<std::string>& items() const { return items_; }
    void setText(std::string text);
    void typeText(std::string text) { text_ = std::move(text); } // the user typed; no refresh
    void add(std::string item);
    void clear();                   // the list and the text
    void choose(std::size_t index); // the user picked an entry of the list

  private:
    std::string text_;
    std::vector<std::string> items_;
};

// A menu item: caption, check mark, visibility, click procedure.
class MenuItem : public Control {
  public:
    explicit MenuItem(std::string caption = {}) : caption_(std::move(caption)) {}
    std::function<void()> Click;

    const std::string& caption() const { return caption_; }
    bool checked() const { return checked_; }
    void setChecked(bool on);
    void click() const { raise(Click); }

  private:
    std::string caption_;
    bool checked_ = false;
};

// A slider with a range. A position set from code is clamped to the range and raises
// Change whenever the slider's position or the requested value differs from what it
// showed, so the position stored by Change always matches what the slider shows.
class Slider : public Control {
  public:
    Slider(int min, int max, int smallChange, int largeChange, int value)
        : min_(min), max_(max), small_(smallChange), large_(largeChange), value_(value) {}
    std::function<void()> Change;

    int min() const { return min_; }
    int max() const { return max_; }
    int smallChange() const { return small_; }
    int largeChange() const { return large_; }
    int value() const { return value_; }
    void setValue(long requested); // from code
    void move(int position);       // the user moved it

  private:
    int min_, max_, small_, large_, value_;
};

// A window timer: interval 0..65535 ms (0 never fires) and an enabled flag.
// The platform's clock watches it and runs Tick on the user-interface thread.
class Timer {
  public:
    static constexpr long maxInterval = 65535;
    Timer(long interval, bool enabled) : interval_(interval), enabled_(enabled) {}
    std::function<void()> Tick;
    std::function<void()> changed; // the clock re-arms on any change

    long interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    // Whether it ticks: enabled, with an interval above 0.
    bool runs() const { return enabled_ && interval_ > 0; }
    bool setInterval(long ms); // false, and no change, outside 0..65535
    void setEnabled(bool on);
    void fire() const { raise(Tick); }

  private:
    long interval_;
    bool enabled_;
};

// An image box that shows one picture stretched to its size.
class ImageBox : public Control {
  public:
    const PicturePtr& picture() const { return picture_; }
    void setPicture(PicturePtr picture);

  private:
    PicturePtr picture_;
};

// A top-level window: caption and visibility. Resize runs after the platform changed
// its size; the size is kept in twips as the forms use it.
class Window : public Control {
  public:
    explicit Window(std::string caption = {}) : caption_(std::move(caption)) { setVisible(false); }
    std::function<void()> Resize;
    std::function<void()> frontRequested; // set by the platform binding

    const std::string& caption() const { return caption_; }
    // Brings the window back in front of the others, restored if it was minimised.
    void bringToFront() const { raise(frontRequested); }
    double width() const { return width_; }
    double height() const { return height_; }
    void resized(double widthTwips, double heightTwips); // from the platform

  private:
    std::string caption_;
    double width_ = 0;
    double height_ = 0;
};

} // namespace ui
