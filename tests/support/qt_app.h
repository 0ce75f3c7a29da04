#pragma once
// One QApplication for a test executable (offscreen under ctest).
#include <QApplication>
#include <QString>

#include <string>

#include "support/temp_folder.h"

namespace kv::test {

QApplication& EnsureQtApp();

// A file of a temporary folder, as Qt takes it.
inline QString QtPath(const TempFolder& folder, const std::string& name) {
    return QString::fromStdString(folder / name);
}

}  // namespace kv::test
