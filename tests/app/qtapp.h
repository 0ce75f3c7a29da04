#pragma once
// One application object for all tests of an executable (widgets need one).
#include "support/qt_app.h"

inline QApplication& TestApp() { return kv::test::EnsureQtApp(); }
