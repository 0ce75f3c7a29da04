#pragma once
// One application object for all tests of an executable (widgets need one).
#include <QApplication>

inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "kv_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}
