#include "ui/controls.h"

#include <algorithm>

namespace ui {

void Button::setCaption(std::string text) {
    caption_ = std::move(text);
    notifyView();
}

void CheckBox::setValue(int value) {
    if (value == value_) return;
    value_ = value;
    notifyView();
    raise(Click);
}

void ListBox::add(std::string text) {
    items_.push_back(std::move(text));
    notifyView();
}

void ListBox::removeAt(long index) {
    if (index < 0 || index >= count()) return;
    items_.erase(items_.begin() + index);
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
    notifyView();
}

void ListBox::clear() {
    items_.clear();
    listIndex_ = -1;
    notifyView();
}

void ListBox::setListIndex(long index) {
    if (index < -1 || index >= count()) return;
    listIndex_ = index;
    notifyView();
    if (index >= 0) raise(Click);
}

void ListBox::selectText(const std::string& text) {
    if (text.empty()) return;
    auto found = std::find(items_.begin(), items_.end(), text);
    if (found != items_.end()) setListIndex(long(found - items_.begin()));
}

void ComboBox::setText(std::string text) {
    text_ = std::move(text);
    notifyView();
}

void ComboBox::add(std::string item) {
    items_.push_back(std::move(item));
    notifyView();
}

void ComboBox::clear() {
    items_.clear();
    text_.clear();
    notifyView();
}

void ComboBox::choose(std::size_t index) {
    if (index >= items_.size()) return;
    text_ = items_[index];
    notifyView();
    raise(Click);
}

void MenuItem::setChecked(bool on) {
    if (checked_ == on) return;
    checked_ = on;
    notifyView();
}

void Slider::setValue(long requested) {
    int clamped = int(std::clamp<long>(requested, min_, max_));
    bool differs = clamped != value_ || clamped != requested;
    value_ = clamped;
    if (!differs) return;
    notifyView();
    raise(Change);
}

void Slider::move(int position) {
    int clamped = std::clamp(position, min_, max_);
    if (clamped == value_) return;
    value_ = clamped;
    raise(Change);
}

bool Timer::setInterval(long ms) {
    if (ms < 0 || ms > maxInterval) return false;
    interval_ = ms;
    raise(changed);
    return true;
}

void Timer::setEnabled(bool on) {
    enabled_ = on;
    raise(changed);
}

void ImageBox::setPicture(PicturePtr picture) {
    picture_ = std::move(picture);
    notifyView();
}

void Window::resized(double widthTwips, double heightTwips) {
    width_ = widthTwips;
    height_ = heightTwips;
    raise(Resize);
}

} // namespace ui
