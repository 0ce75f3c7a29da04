#pragma once
// One application object for the Qt tests of the report layer.
#include <QApplication>

namespace kv::report::test {

inline void EnsureApp() {
    static int argc = 1;
    static char name[] = "report_ui_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

}  // namespace kv::report::test
