#pragma once
// One application object for the Qt tests of the report layer.
#include "support/qt_app.h"

namespace kv::report::test {
inline void EnsureApp() { kv::test::EnsureQtApp(); }
}  // namespace kv::report::test
