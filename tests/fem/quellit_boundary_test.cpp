// The program and the shared library quellit share one error channel: a code the
// library sets is the program's JS_ERROR_CODE, its messages reach the program's
// sink, and its open files count in the program's JS_OpenFileNum. They share the
// design classes' report-variable base too.
#include "base/error.h"
#include "fem/fb_date.h"
#include "fem/lf_nd.h"
#include "support/temp_folder.h"

#include <cxxabi.h>
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

namespace {

TEST(QuellitBoundary, ErrorCodeAndMessageSetInTheLibraryReachTheProgram) {
    kv::test::TempFolder folder;
    folder.MakeCurrent();
    std::vector<kv::err::Line> seen;
    auto old = kv::err::SetSink([&](int code, const std::string& text) { seen.push_back({code, text}); });
    JS_ERROR_CODE = 0;
    int open = JS_OpenFileNum;

    FB_DATE reader;
    reader.main_date("NO_SUCH.DAT", 1, 0);

    kv::err::SetSink(old);
    EXPECT_EQ(JS_ERROR_CODE, 201);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, 201);
    EXPECT_EQ(seen[0].text, "不能打开文件 : NO_SUCH.DAT");
    EXPECT_EQ(JS_OpenFileNum, open);
    JS_ERROR_CODE = 0;
}

TEST(QuellitBoundary, CodeSetByTheProgramStopsTheLibrary) {
    kv::test::TempFolder folder;
    folder.MakeCurrent();
    std::vector<kv::err::Line> seen;
    auto old = kv::err::SetSink([&](int code, const std::string& text) { seen.push_back({code, text}); });
    JS_ERROR_CODE = 301;

    FB_DATE reader;
    reader.main_date("NO_SUCH.DAT", 1, 0);

    kv::err::SetSink(old);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(JS_ERROR_CODE, 301);
    JS_ERROR_CODE = 0;
}

TEST(QuellitBoundary, CrackWidthClassStandsOnTheProgramsOwnReportVariableBase) {
    // A copy of the base inside the library would give LF_ND a base type of its
    // own, apart from the one the program's design classes have.
    const auto& info = static_cast<const __cxxabiv1::__si_class_type_info&>(typeid(LF_ND));
    EXPECT_EQ(info.__base_type, &typeid(PJ_BASE));

    LF_ND section;
    PJ_BASE* base = &section;
    EXPECT_EQ(dynamic_cast<LF_ND*>(base), &section);
    EXPECT_TRUE(base->m_VarIn.Has("Wan.RTF.AsShang"));
    EXPECT_EQ(base->if_GZPJ(), 0);
}

}  // namespace
