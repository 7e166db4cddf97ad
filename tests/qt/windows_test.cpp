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
    EXPECT_EQ(b->text(), "Run");
    EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(l->isVisible());
    EXPECT_EQ(b->geometry(), QRect(0, 0, 80, 20));
    EXPECT_EQ(c->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(cb->currentText(), "Hour(s)");
    EXPECT_EQ(cb->count(), 2);
    EXPECT_EQ(s->value(), 33);
    EXPECT_EQ(std::tuple(s->minimum(), s->maximum(), s->pageStep()), std::tuple(1, 50, 5));
    check.setValue(0);
    list.setListIndex(1);
    list.removeAt(0);
    EXPECT_EQ(c->checkState(), Qt::Unchecked);
    EXPECT_EQ(lb->count(), 2);
    EXPECT_EQ(lb->item(0)->text(), QString("D:\\K\u00f6ln.jpg"));
    EXPECT_EQ(lb->currentRow(), int(list.listIndex()));
    list.clear();
    list.add("/p/new.jpg");
    EXPECT_EQ(lb->count(), 1);
    EXPECT_EQ(lb->item(0)->text(), "/p/new.jpg");
    EXPECT_EQ(events, "check slider check list ") << "events from code, as on Windows";
}

TEST_F(BoundControls, TheUsersActionsRaiseTheModelsEvents) {
    QTest::mouseClick(b, Qt::LeftButton);
    QTest::mouseClick(l, Qt::LeftButton);
    QTest::mouseClick(c, Qt::LeftButton);
    lb->setCurrentRow(2);
    cb->setEditText("typed");
    EXPECT_EQ(check.value(), 1);
    EXPECT_EQ(c->checkState(), Qt::Checked);
    EXPECT_EQ(list.listIndex(), 2);
    EXPECT_EQ(combo.text(), "typed");
    EXPECT_EQ(events, "button label check list ") << "typed text runs no click";
    cb->activated(1);
    s->setSliderDown(true);
    s->setValue(7);
    EXPECT_EQ(slider.value(), 10) << "a drag in progress moves nothing";
    s->setSliderDown(false);
    EXPECT_EQ(combo.text(), "Minute(s)");
    EXPECT_EQ(slider.value(), 7);
    EXPECT_EQ(events, "button label check list combo slider ");
}

} // namespace
