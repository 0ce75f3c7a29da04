#pragma once
// Marks what the shared finite-element library quellit exports. The library is
// built with hidden visibility: only the classes and functions a caller binds by
// name carry QUELLIT_API; everything else stays inside it. The same mark serves
// the library's own build and its callers (ELF needs no import form).
#define QUELLIT_API __attribute__((visibility("default")))
// A member of an exported class that stays inside the library.
#define QUELLIT_LOCAL __attribute__((visibility("hidden")))
