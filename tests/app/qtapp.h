#pragma once
// One application object for all tests of an executable (widgets need one).
#include <QApplication>

inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "kv_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may be gone by the time static objects die.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
