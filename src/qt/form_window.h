#pragma once
// A top-level Qt window bound to a form's window model: caption, visibility, and a
// request to come to the front. The platform keeps one per form.
#include "qt/control_set.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace qt {

class FormWindow : public QWidget {
  public:
    FormWindow(ui::Window& model, Qt::WindowFlags flags);
    ui::Window& model() { return model_; }
    // Lets go of the form before it goes: hides the window and stops listening to it.
    void unbind();
    ControlSet& controls() { return controls_; }
    std::function<void()> closeRequested; // the user's close; the window stays unless told

  protected:
    void bindModel();
    void closeEvent(QCloseEvent* event) override;
    // Shows or hides the window as the model says; front: also raise and activate it.
    virtual void applyVisibility(bool front);
    void setClientSize(QSize size);

    ui::Window& model_;
    ControlSet controls_{this};
    bool bound_ = true;
};

} // namespace qt
