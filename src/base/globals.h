#pragma once
#include <string>

// The work folder (the project folder) with a trailing '/'.
extern std::string G_strWorkPath;
// The program folder (the executable's folder) with a trailing '/'.
extern std::string G_strExePath;
// The code edition in force: 2002 or 2010.
extern int G_guifan;
