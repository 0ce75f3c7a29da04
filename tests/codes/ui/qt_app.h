#pragma once
#include <QApplication>

// One application object for the widget tests of this binary.
inline void EnsureQtApp() {
    static int argc = 1;
    static char name[] = "codes_ui_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}
