#pragma once
// One application object for the widget tests of this binary.
#include "support/qt_app.h"

inline void EnsureQtApp() { kv::test::EnsureQtApp(); }
