#pragma once
// The windows a front end keeps for the loaded forms, one per form, over the front end's
// own window type. A window whose form is unloaded leaves at once but is freed only by a
// later sweep: the unload may come from one of its own handlers, still running.
#include "platform/platform.h"

#include <map>
#include <memory>
#include <vector>

namespace platform {

template <typename Window> class FormWindows {
  public:
    // The form's window from now on; one it had before goes with this call.
    Window* add(FormId form, std::unique_ptr<Window> window) {
        auto& slot = open_[form];
        slot = std::move(window);
        return slot.get();
    }

    Window* of(FormId form) const {
        auto found = open_.find(form);
        return found == open_.end() ? nullptr : found->second.get();
    }

    // Takes the form's window out of the open ones and keeps it alive until the next
    // sweep; null when the form has none.
    Window* unload(FormId form) {
        auto found = open_.find(form);
        if (found == open_.end()) return nullptr;
        unloaded_.push_back(std::move(found->second));
        open_.erase(found);
        return unloaded_.back().get();
    }

    // Frees the windows unloaded so far: call it where none of their handlers can run.
    void sweep() { unloaded_.clear(); }

    // Frees every window, the open ones first.
    void clear() {
        open_.clear();
        sweep();
    }

    // Boxes and dialogs belong to the main window while it is on screen, else to none.
    template <typename IsVisible> Window* ownerForDialogs(IsVisible isVisible) const {
        Window* main = of(FormId::KALO2);
        return main && isVisible(*main) ? main : nullptr;
    }

  private:
    std::map<FormId, std::unique_ptr<Window>> open_;
    std::vector<std::unique_ptr<Window>> unloaded_;
};

} // namespace platform
