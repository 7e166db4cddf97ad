#pragma once
// Qt widgets bound to the control models of one window: a change of a model made by code
// shows in its widget (through the model's viewChanged), and the user's action on the
// widget calls the model's event. Handlers only translate.
#include "app/layout.h"
#include "ui/controls.h"

#include <QWidget>

#include <map>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSlider;

namespace qt {

QRect pixelsOf(app::layout::Place twips);

class ControlSet {
  public:
    explicit ControlSet(QWidget* parent) : parent_(parent) {}

    QPushButton* button(ui::Button& model, app::layout::Place place);
    QLabel* label(ui::Label& model, app::layout::Place place, Qt::Alignment align = Qt::AlignLeft);
    QGroupBox* groupBox(ui::Frame& model, app::layout::Place place);
    QCheckBox* checkBox(ui::CheckBox& model, app::layout::Place place);
    QListWidget* listBox(ui::ListBox& model, app::layout::Place place);
    QComboBox* comboBox(ui::ComboBox& model, app::layout::Place place);
    QSlider* slider(ui::Slider& model, app::layout::Place place);
    QWidget* imageBox(ui::ImageBox& model, app::layout::Place place);
    QWidget* widgetOf(const ui::Control& model) const;

  private:
    void bind(ui::Control& model, QWidget* widget, std::function<void()> refresh);

    QWidget* parent_;
    std::map<const ui::Control*, QWidget*> widgets_;
};

// A menu entry bound to its item: caption, check mark, visibility, enabled state; choosing
// it runs the item's click unless the caller does that itself. A menu that goes before
// its items unbinds them.
QAction* boundAction(QMenu& menu, ui::MenuItem& item, bool clickOnTrigger = true);

} // namespace qt
