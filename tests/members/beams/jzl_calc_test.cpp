#include <gtest/gtest.h>

#include "jzl_test_support.h"

namespace {

using kv::test::JzlFolder;

// Whatever stops a run, the item's drawings and report of an earlier run are
// gone (in any case of letters) and nothing of the library's is written.
TEST(GridBeamRun, RefusedGridsLeaveNoEarlierResultsAndNoWorkFiles) {
    struct Case {
        const char* name;
        const char* xSpans;
        const char* ySpans;
        int secondary;
        const char* message;
    } cases[] = {
        {"span list", "5.2*", "6*2", 0, "跨长输入有误 !"},
        {"node limit", "6*30", "6*30", 3, "Point_num = 10000 over flow !"},
        {"no beam", "6", "6", 0, "没有可以计算的梁（请设边梁或次梁）!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JzlFolder folder;
        for (const char* f : {"AJT_JZL.DXF", "anl_jzl.dxf", "APJ_JZL.DXF", "A_JZL.RTF", "B_JZL.RTF"})
            folder.Write(f, "earlier");
        CJzlData data;
        data.SetFileName("A");
        data.XSpans = c.xSpans;
        data.YSpans = c.ySpans;
        data.XSecondary = data.YSecondary = c.secondary;
        EXPECT_EQ(jzl_calculate(&data), 0);
        EXPECT_EQ(JS_ERROR_CODE, kv::err::kFailure);
        EXPECT_TRUE(folder.errors.Has(kv::err::kFailure, c.message));
        for (const char* f : {"AJT_JZL.DXF", "anl_jzl.dxf", "APJ_JZL.DXF", "A_JZL.RTF"})
            EXPECT_FALSE(folder.Exists(f)) << f;
        EXPECT_TRUE(folder.Exists("B_JZL.RTF")) << "another item's report stays";
        EXPECT_FALSE(folder.Exists("YXY_JS.DAT"));
    }
}

}  // namespace

namespace {

// The default grid analysed by the library: the three drawings and the report
// are written, the run ends "计算结束!" (201, as the grid beam has it), and the
// library's work files are gone.
TEST(GridBeamRun, TheDefaultGridRunsThroughTheLibraryAndLeavesOnlyItsResults) {
    JzlFolder folder;
    CJzlData data;
    data.SetFileName("A");
    EXPECT_EQ(jzl_calculate(&data), 1);
    EXPECT_TRUE(folder.errors.Has(kv::err::kDataError, "计算结束!"));
    for (const char* f : {"AJT_JZL.DXF", "ANL_JZL.DXF", "APJ_JZL.DXF", "A_JZL.RTF"}) EXPECT_TRUE(folder.Exists(f)) << f;
    for (const char* f : {"YXY_JS.DAT", "YS.FB", "STRUC_LD.FB", "NET_DAT.FB", "FORCE.FB", "ZHU_PIN.FB"})
        EXPECT_FALSE(folder.Exists(f)) << f;
    // One block per present beam: the default grid without edge beams has ten.
    const std::string report = folder.Read("A_JZL.RTF");
    const std::string rule = "\n" + std::string(73, '-') + "\n";
    int blocks = 0;
    for (std::size_t at = report.find(rule); at != std::string::npos; at = report.find(rule, at + 1)) ++blocks;
    EXPECT_EQ(blocks, 10);
}

}  // namespace
