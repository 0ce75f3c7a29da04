#include "base/globals.h"
#include "platform/locale.h"
#include "platform/paths.h"

#include <clocale>
#include <cstdio>

int main() {
    std::setlocale(LC_ALL, "");
    kv::platform::KeepNumericLocaleC();
    G_strExePath = kv::platform::ProgramFolder();
    std::printf("KV\n");
    return 0;
}
