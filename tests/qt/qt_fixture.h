#pragma once
// The Linux program's code under test: one offscreen QApplication for the test program,
// and the temporary folder each test makes its files in.
#include <QApplication>

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace qt_testing {

inline QApplication& application() {
    static int argc = 1;
    static char name[] = "qt_tests", *argv[] = {name, nullptr};
    static QApplication* app =
        (qputenv("QT_QPA_PLATFORM", "offscreen"), new QApplication(argc, argv));
    return *app;
}

} // namespace qt_testing
