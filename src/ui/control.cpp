#include "ui/control.h"

namespace ui {

void Control::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    notifyView();
}

void Control::setEnabled(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    notifyView();
}

} // namespace ui
