#include "platform/locale.h"

#include <clocale>

namespace kv::platform {
void KeepNumericLocaleC() { std::setlocale(LC_NUMERIC, "C"); }
}  // namespace kv::platform
