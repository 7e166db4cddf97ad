#pragma once
// The control models a front end's test binds its real controls to: a list of three
// pictures, a combo box of two units, and every event the models raise named in order.
#include "ui/controls.h"

#include <string>

namespace testing_support {

struct ControlModels {
    ui::Button button{"Add"};
    ui::Label label{"Layers"};
    ui::CheckBox check{"Snow on top"};
    ui::ListBox list;
    ui::ComboBox combo{"Interval"};
    ui::Slider slider{1, 50, 1, 5, 10};
    std::string events; // the names of the events raised, in order

    ControlModels() {
        const std::pair<std::function<void()>*, const char*> sources[] = {
            {&button.Click, "button "}, {&label.Click, "label "}, {&check.Click, "check "},
            {&list.Click, "list "},     {&combo.Click, "combo "}, {&slider.Change, "slider "}};
        for (auto [event, name] : sources)
            *event = [this, name] { events += name; };
        for (const char* item : {"C:\\a.jpg", "D:\\K\u00f6ln.jpg", "c:\\c.jpg"})
            list.add(item);
        for (const char* unit : {"Second(s)", "Minute(s)"})
            combo.add(unit);
    }
};

} // namespace testing_support
