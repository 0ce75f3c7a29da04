#include "support/qt_app.h"

namespace kv::test {

// Never destroyed: Qt's own statics may be gone by the time static objects die.
QApplication& EnsureQtApp() {
    static int argc = 1;
    static char name[] = "kv_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
    return *qobject_cast<QApplication*>(QApplication::instance());
}

}  // namespace kv::test
