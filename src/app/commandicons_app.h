#pragma once
#include <QIcon>

// The program's own icon: a section through a shelter slab.
QIcon ProgramIcon();
