#pragma once
// One QApplication for a test executable (offscreen under ctest).
#include <QApplication>

namespace kv::test {
inline void EnsureQtApp() {
    static int argc = 1;
    static char name[] = "kv_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}
}  // namespace kv::test
