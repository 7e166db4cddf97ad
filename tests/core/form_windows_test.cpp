// The windows both front ends keep for the forms, over a window that records when it is
// freed, and which window owns the boxes.
#include "platform/form_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::FormId;

struct Window {
    std::string name;
    std::string& freed; // the names of the freed windows, in order
    bool visible = true;
    ~Window() { freed += name + ' '; }
};

TEST(FormWindows, AnUnloadedWindowLivesUntilTheNextSweep) {
    enum class Step { Add, Unload, Sweep, Clear };
    struct Row {
        Step step;
        FormId form;
        const char *shown, *freed; // the form's window after the step; every window freed
    };
    const Row rows[] = {
        {Step::Add, FormId::KALO2, "main", ""},
        {Step::Add, FormId::KALO4, "about", ""},
        {Step::Unload, FormId::KALO4, "", ""},
        {Step::Unload, FormId::KALO4, "", ""},    // nothing left to unload
        {Step::Add, FormId::KALO4, "about2", ""}, // loaded again while the old one waits
        {Step::Sweep, FormId::KALO4, "about2", "about "},
        {Step::Add, FormId::KALO2, "main2", "about main "}, // a replaced window goes at once
        {Step::Unload, FormId::KALO2, "", "about main "},
        {Step::Clear, FormId::KALO4, "", "about main about2 main2 "},
    };
    std::string freed;
    platform::FormWindows<Window> windows;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "to " << row.shown << ", freed " << row.freed);
        Window* before = windows.of(row.form);
        Window* handed = nullptr; // what add and unload give back
        if (row.step == Step::Add)
            handed = windows.add(row.form, std::make_unique<Window>(row.shown, freed));
        if (row.step == Step::Unload) handed = windows.unload(row.form);
        if (row.step == Step::Sweep) windows.sweep();
        if (row.step == Step::Clear) windows.clear();
        Window* shown = windows.of(row.form);
        EXPECT_EQ(handed, row.step == Step::Add      ? shown
                          : row.step == Step::Unload ? before
                                                     : nullptr);
        EXPECT_EQ(shown ? shown->name : "", row.shown);
        EXPECT_EQ(freed, row.freed);
    }
}

TEST(FormWindows, BoxesBelongToTheMainWindowOnlyWhileItIsVisible) {
    // The form, its window visible, and whether that window owns the boxes; the about box
    // owns none, the main window not loaded.
    for (auto [form, visible, owns] : {std::tuple{FormId::KALO2, true, true},
                                       {FormId::KALO2, false, false},
                                       {FormId::KALO4, true, false}}) {
        SCOPED_TRACE(testing::Message() << "form " << int(form) << ", visible " << visible);
        std::string freed;
        platform::FormWindows<Window> windows;
        Window* window = windows.add(form, std::make_unique<Window>("w", freed));
        window->visible = visible;
        EXPECT_EQ(windows.ownerForDialogs([](const Window& w) { return w.visible; }),
                  owns ? window : nullptr);
    }
}

} // namespace
