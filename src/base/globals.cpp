#include "base/globals.h"

std::string G_strWorkPath;
std::string G_strExePath;
int G_guifan = 2010;
