#pragma once
namespace kv::platform {
// Data files write numbers with "%f" and read them with "%f": the decimal point
// must be '.' whatever the desktop's language. Call after anything (such as the
// Qt application object) that sets the user's locale.
void KeepNumericLocaleC();
}  // namespace kv::platform
