#include "qt/control_set.h"

#include "linux/picture_image.h"
#include "linux/services.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace qt {

namespace {

// A label that runs its model's click, as a static control with notify does.
class ClickableLabel : public QLabel {
  public:
    ClickableLabel(ui::Label& model, QWidget* parent) : QLabel(parent), model_(model) {}

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            model_.click();
    }

  private:
    ui::Label& model_;
};

// A check box whose state only the model sets: a click asks the model.
class ModelCheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    void nextCheckState() override {}
};

// The picture stretched to the box.
class ImageView : public QWidget {
  public:
    ImageView(ui::ImageBox& model, QWidget* parent) : QWidget(parent), model_(model) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        const auto& picture = model_.picture();
        const QImage image = picture ? linux::upsideDownImage(*picture) : QImage();
        if (image.isNull()) return;
        QPainter painter(this);
        linux::drawUpright(painter, rect(), image);
    }

  private:
    ui::ImageBox& model_;
};

Qt::CheckState checkState(int value) {
    if (value == 1) return Qt::Checked;
    return value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

QStringList qsList(const std::vector<std::string>& items) {
    QStringList list;
    for (const auto& item : items)
        list << linux::qs(item);
    return list;
}

// Brings a list widget's entries in line with the model's: one entry added, or all anew.
void mirrorItems(QListWidget* list, const std::vector<std::string>& items) {
    auto count = qsizetype(items.size());
    if (list->count() + 1 == count) return list->addItem(linux::qs(items.back()));
    if (list->count() == count) return;
    list->clear();
    list->addItems(qsList(items));
}

} // namespace

QRect pixelsOf(app::layout::Place twips) {
    const app::layout::Place p = app::layout::inPixels(twips);
    return {p.left, p.top, p.width, p.height};
}

void ControlSet::bind(ui::Control& model, QWidget* widget, std::function<void()> refresh) {
    widgets_[&model] = widget;
    model.viewChanged = [&model, widget, refresh] {
        widget->setVisible(model.visible());
        widget->setEnabled(model.enabled());
        if (refresh) refresh();
    };
    model.viewChanged();
}

QPushButton* ControlSet::button(ui::Button& model, app::layout::Place place) {
    auto* widget = new QPushButton(parent_);
    widget->setGeometry(pixelsOf(place));
    QObject::connect(widget, &QPushButton::clicked, [&model] { model.click(); });
    bind(model, widget, [&model, widget] { widget->setText(linux::qs(model.caption())); });
    return widget;
}

QLabel* ControlSet::label(ui::Label& model, app::layout::Place place, Qt::Alignment align) {
    auto* widget = new ClickableLabel(model, parent_);
    widget->setGeometry(pixelsOf(place));
    widget->setAlignment(align | Qt::AlignVCenter);
    bind(model, widget, [&model, widget] { widget->setText(linux::qs(model.caption())); });
    return widget;
}

QGroupBox* ControlSet::groupBox(ui::Frame& model, app::layout::Place place) {
    auto* widget = new QGroupBox(parent_);
    widget->setGeometry(pixelsOf(place));
    widget->lower(); // the controls inside are its siblings, drawn over it
    bind(model, widget, [&model, widget] { widget->setTitle(linux::qs(model.caption())); });
    return widget;
}

QCheckBox* ControlSet::checkBox(ui::CheckBox& model, app::layout::Place place) {
    auto* widget = new ModelCheckBox(parent_);
    widget->setTristate(true);
    widget->setGeometry(pixelsOf(place));
    QObject::connect(widget, &QCheckBox::clicked,
                     [&model] { model.setValue(model.value() == 1 ? 0 : 1); });
    bind(model, widget, [&model, widget] {
        widget->setText(linux::qs(model.caption()));
        widget->setCheckState(checkState(model.value()));
    });
    return widget;
}

QListWidget* ControlSet::listBox(ui::ListBox& model, app::layout::Place place) {
    auto* widget = new QListWidget(parent_);
    widget->setGeometry(pixelsOf(place));
    widget->setUniformItemSizes(true); // long lists lay out at once
    QObject::connect(widget, &QListWidget::currentRowChanged, [&model](int row) {
        if (row >= 0) model.setListIndex(row);
    });
    bind(model, widget, [&model, widget] {
        const QSignalBlocker mirroring(widget);
        mirrorItems(widget, model.items());
        if (widget->currentRow() != model.listIndex())
            widget->setCurrentRow(int(model.listIndex()));
    });
    model.focusRequested = [widget] { widget->setFocus(); };
    return widget;
}

QComboBox* ControlSet::comboBox(ui::ComboBox& model, app::layout::Place place) {
    auto* widget = new QComboBox(parent_);
    widget->setEditable(true);
    widget->setInsertPolicy(QComboBox::NoInsert);
    widget->setGeometry(pixelsOf(place));
    QObject::connect(widget, &QComboBox::activated, [&model](int index) {
        if (index >= 0) model.choose(std::size_t(index));
    });
    QObject::connect(widget, &QComboBox::editTextChanged,
                     [&model](const QString& text) { model.typeText(linux::utf8(text)); });
    bind(model, widget, [&model, widget] {
        const QSignalBlocker mirroring(widget);
        QStringList items = qsList(model.items());
        if (items.size() != widget->count() ||
            (widget->count() && widget->itemText(0) != items.front()))
            widget->clear(), widget->addItems(items);
        widget->setEditText(linux::qs(model.text()));
    });
    return widget;
}

// Dragging reports every position on the way; the move counts when it ends.
QSlider* ControlSet::slider(ui::Slider& model, app::layout::Place place) {
    auto* widget = new QSlider(Qt::Horizontal, parent_);
    widget->setGeometry(pixelsOf(place));
    widget->setRange(model.min(), model.max());
    widget->setSingleStep(model.smallChange());
    widget->setPageStep(model.largeChange());
    widget->setTickInterval(model.largeChange());
    widget->setTickPosition(QSlider::TicksBelow);
    QObject::connect(widget, &QSlider::valueChanged, [&model, widget](int value) {
        if (!widget->isSliderDown()) model.move(value);
    });
    QObject::connect(widget, &QSlider::sliderReleased,
                     [&model, widget] { model.move(widget->value()); });
    bind(model, widget, [&model, widget] {
        const QSignalBlocker mirroring(widget);
        widget->setValue(model.value());
    });
    return widget;
}

QWidget* ControlSet::imageBox(ui::ImageBox& model, app::layout::Place place) {
    auto* widget = new ImageView(model, parent_);
    widget->setGeometry(pixelsOf(place));
    bind(model, widget, [widget] { widget->update(); });
    return widget;
}

QWidget* ControlSet::widgetOf(const ui::Control& model) const {
    auto found = widgets_.find(&model);
    return found == widgets_.end() ? nullptr : found->second;
}

QAction* boundAction(QMenu& menu, ui::MenuItem& item, bool clickOnTrigger) {
    QAction* action = menu.addAction(linux::qs(item.caption()));
    if (clickOnTrigger) QObject::connect(action, &QAction::triggered, [&item] { item.click(); });
    item.viewChanged = [&item, action] {
        action->setVisible(item.visible());
        action->setEnabled(item.enabled());
        action->setCheckable(item.checked());
        action->setChecked(item.checked());
    };
    item.viewChanged();
    return action;
}

} // namespace qt
