#include "platform/locale.h"

#include "base/textio.h"
#include "support/temp_folder.h"

#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string WriteNumbers(const kv::test::TempFolder& dir, const char* name) {
    std::FILE* f = open_file((dir / name).c_str(), "wt");
    if (!f) return {};
    std::fprintf(f, "%d,%f,%f\n", 12, 1.5, -0.25);
    commit_file(f);
    return dir.Read(name);
}

// The program sets the user's locale (as Qt does) and then keeps numbers in C.
TEST(Locale, NumbersAreWrittenAndReadAlikeUnderAGermanDesktop) {
    kv::test::TempFolder dir;
    std::string before = WriteNumbers(dir, "c.dat");
    ASSERT_EQ(before, "12,1.500000,-0.250000\n");
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup makes it)";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5");  // the German locale is really in force
    kv::platform::KeepNumericLocaleC();
    EXPECT_EQ(WriteNumbers(dir, "de.dat"), before);
    float a = 0;
    EXPECT_EQ(scan_fields("1.5", "%f", &a), 1);
    EXPECT_FLOAT_EQ(a, 1.5f);
    std::setlocale(LC_ALL, "C");
}

}  // namespace
