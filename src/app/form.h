#pragma once
#include "platform/platform.h"
#include "ui/controls.h"

namespace app {

class App;

// What every window of the program shares: its window model and its identity.
// The platform binding receives the form when it is created and casts it to the
// concrete form to reach its control models.
class Form {
  public:
    Form(App& app, platform::FormId id, std::string caption)
        : window(std::move(caption)), app_(app), id_(id) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    ui::Window window;
    platform::FormId id() const { return id_; }
    void Show() { window.setVisible(true); }
    void Hide() { window.setVisible(false); }
    // Shows the window in front of the others, restored if it was minimised.
    void ShowInFront() {
        Show();
        window.bringToFront();
    }

  protected:
    App& app_;

  private:
    platform::FormId id_;
};

// Registers a form's timers with the platform clock for the form's lifetime.
class TimerWatch {
  public:
    TimerWatch(platform::Platform& os, std::initializer_list<ui::Timer*> timers);
    ~TimerWatch();
    TimerWatch(const TimerWatch&) = delete;
    TimerWatch& operator=(const TimerWatch&) = delete;

  private:
    platform::Platform& os_;
    std::vector<ui::Timer*> timers_;
};

inline const std::string MAIN_CAPTION = "KALO Desktop Wallpaper Changer [ KALO DC ]";

} // namespace app
