// Real Qt widgets bound to the control models.
#include "qt/control_set.h"
#include "qt_fixture.h"
#include "support/control_models.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace {

struct BoundControls : testing::Test, testing_support::ControlModels {
    QWidget& app = (qt_testing::application(), *new QWidget);
    qt::ControlSet set{&app};
    QPushButton* b = set.button(button, app::layout::px(0, 0, 80, 20));
    QLabel* l = set.label(label, app::layout::px(0, 30, 80, 20));
    QCheckBox* c = set.checkBox(check, app::layout::px(0, 60, 80, 20));
    QListWidget* lb = set.listBox(list, app::layout::px(100, 0, 200, 100));
    QComboBox* cb = set.comboBox(combo, app::layout::px(100, 120, 200, 20));
    QSlider* s = set.slider(slider, app::layout::px(100, 200, 200, 30));
    void SetUp() override { app.show(); }
    void TearDown() override { delete &app; }
};

TEST_F(BoundControls, ChangesMadeByCodeShowInTheWidgets) {
    button.setCaption("Run");
    button.setEnabled(false);
    label.setVisible(false);
    check.setValue(2);
    combo.setText("Hour(s)");
    slider.setValue(33);
    EXPECT_EQ(std::tuple(b->text(), b->isEnabled(), l->isVisible(), b->geometry()),
              std::tuple("Run", false, false, QRect(0, 0, 80, 20)));
    EXPECT_EQ(std::tuple(c->checkState(), cb->currentText(), cb->count()),
              std::tuple(Qt::PartiallyChecked, "Hour(s)", 2));
    EXPECT_EQ(std::tuple(s->value(), s->minimum(), s->maximum(), s->pageStep()),
              std::tuple(33, 1, 50, 5));
    check.setValue(0);
    list.setListIndex(1);
    list.removeAt(0);
    EXPECT_EQ(std::tuple(c->checkState(), lb->count(), lb->item(0)->text(), lb->currentRow()),
              std::tuple(Qt::Unchecked, 2, QString("D:\\K\u00f6ln.jpg"), int(list.listIndex())));
    list.clear();
    list.add("/p/new.jpg");
    EXPECT_EQ(std::tuple(lb->count(), lb->item(0)->text()), std::tuple(1, "/p/new.jpg"));
    EXPECT_EQ(events, "check slider check list ") << "events from code, as on Windows";
}

TEST_F(BoundControls, TheUsersActionsRaiseTheModelsEvents) {
    QTest::mouseClick(b, Qt::LeftButton);
    QTest::mouseClick(l, Qt::LeftButton);
    QTest::mouseClick(c, Qt::LeftButton);
    lb->setCurrentRow(2);
    cb->setEditText("typed");
    EXPECT_EQ(std::tuple(check.value(), c->checkState(), list.listIndex(), combo.text(), events),
              std::tuple(1, Qt::Checked, 2, "typed", "button label check list "))
        << "typed text runs no click";
    cb->activated(1);
    s->setSliderDown(true);
    s->setValue(7);
    EXPECT_EQ(slider.value(), 10) << "a drag in progress moves nothing";
    s->setSliderDown(false);
    EXPECT_EQ(std::tuple(combo.text(), slider.value(), events),
              std::tuple("Minute(s)", 7, "button label check list combo slider "));
}

} // namespace
