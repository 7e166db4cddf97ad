#pragma once
#include <functional>
#include <string>

namespace ui {

// Base of every control model: visibility, enabled state and the hook a platform
// binding uses to refresh the real widget after code changed the model.
class Control {
  public:
    std::function<void()> viewChanged; // set by the platform binding only

    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }
    void setVisible(bool on);
    void setEnabled(bool on);

  protected:
    void notifyView() const {
        if (viewChanged) viewChanged();
    }

  private:
    bool visible_ = true;
    bool enabled_ = true;
};

// Runs an event procedure if one is attached.
inline void raise(const std::function<void()>& event) {
    if (event) event();
}

} // namespace ui
