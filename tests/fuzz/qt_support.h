#pragma once
// The application object of the targets that read into Qt documents (offscreen).
#include <QApplication>

namespace kv::fuzz {

inline void EnsureQt() {
    static int argc = 1;
    static char name[] = "kv_fuzz";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

}  // namespace kv::fuzz
