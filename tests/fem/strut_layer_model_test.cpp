#include "fem/strut_layer_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "base/error.h"
#include "support/error_lines.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using kv::fem::CJsBzData;
using kv::test::ErrorLines;
using kv::test::MessageRecorder;
using kv::test::TempFolder;

const std::string kSkeleton =
    "$NZC_CENG_DATA_FILE V10\n$Control\n0,0,0,0,0,0\n"
    "$NetNode\n$NetLine\n$NodeLoad\n$NodeYS\n$YaoLiang\n$ZhiCheng\n$END_OF_FILE\n";

// A model in the writer's own format: three nodes, a straight and an arc line, a
// nodal load, a restraint, a waling beam with two loads and two struts, the first
// of which has none.
const std::string kHead = "$NZC_CENG_DATA_FILE V10\n$Control\n";
const std::string kNodes =
    "$NetNode\n"
    "1,1,0.000000,0.000000\n"
    "2,1,6.000000,0.000000\n"
    "3,1,6.000000,4.000000\n";
const std::string kLines =
    "$NetLine\n"
    "1,1,0,1,2,0.000000,0.000000\n"
    "2,1,1,2,3,3.000000,2.000000\n";
const std::string kRest =
    "$NodeLoad\n"
    "1,1,3,1,1,10.000000,-5.000000,0.000000,2\n"
    "$NodeYS\n"
    "1,1,1,1,0.000000,3,100.000000\n"
    "$YaoLiang\n"
    "1,1,1,1,1,20,25000.000000,200.000000,500.000000,12000.000000,1.000e+12,0,0,2\n"
    "3,-10.000000,0.000000,1.500000,0.000000,1\n"
    "8,1.000000,2.000000,3.000000,4.000000,2\n"
    "$ZhiCheng\n"
    "1,1,2,1,2,30,30000.000000,300.000000,600.000000,15000.000000,2.500e+11,4,5,0\n"
    "2,1,1,1,1,20,25000.000000,200.000000,500.000000,12000.000000,1.000e+12,0,0,1\n"
    "1,5.000000,6.000000,0.000000,0.000000,1\n"
    "$END_OF_FILE\n";
const std::string kModel = kHead + "3,2,1,1,1,2\n" + kNodes + kLines + kRest;

class StrutLayerModel : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        folder.MakeCurrent();
    }
    void TearDown() override { JS_ERROR_CODE = 0; }
    TempFolder folder;
    ErrorLines errors;
    MessageRecorder boxes;
};

TEST_F(StrutLayerModel, NewNameMakesAnEmptyModel) {
    CJsBzData data("NEW.NZC");
    EXPECT_EQ(folder.Read("NEW.NZC"), kSkeleton);
    EXPECT_EQ(JS_ERROR_CODE, 0);

    CJsBzData again("NEW.NZC");
    EXPECT_EQ(again.Read_All(), 1);
    EXPECT_EQ(again.m_nNetNode + again.m_nNetLine + again.m_nNodeLoad + again.m_nNodeYS + again.m_nYaoLiang +
                  again.m_nZhiCheng,
              0);
    EXPECT_TRUE(again.m_cNetNode.empty() && again.m_cYaoLiang.empty() && again.m_cZhiCheng.empty());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(StrutLayerModel, FileWithoutTheMagicIsRefused) {
    folder.Write("OLD.NZC", "$NZC_CENG_DATA_FILE V9\n$Control\n1,0,0,0,0,0\n$NetNode\n1,1,2,3\n");
    CJsBzData data("OLD.NZC");
    EXPECT_TRUE(errors.Has(201, "警告! 文件 OLD.NZC 已存在，但格式不对"));
    EXPECT_EQ(JS_ERROR_CODE, 201);
    EXPECT_EQ(data.m_nNetNode, 0);
    EXPECT_EQ(data.Read_All(), 0);
    EXPECT_EQ(folder.Read("OLD.NZC"), "$NZC_CENG_DATA_FILE V9\n$Control\n1,0,0,0,0,0\n$NetNode\n1,1,2,3\n");
}

TEST_F(StrutLayerModel, ReadsEveryRecordAndMemberLoad) {
    folder.Write("StrLd.nzc", kModel);
    CJsBzData data("STRLD.NZC");  // any case of the name
    ASSERT_EQ(data.Read_All(), 1);
    ASSERT_EQ(data.m_cNetNode.size(), 3u);
    EXPECT_FLOAT_EQ(data.m_cNetNode[2].y, 4.0f);
    ASSERT_EQ(data.m_cNetLine.size(), 2u);
    EXPECT_EQ(data.m_cNetLine[1].shape, 1);
    EXPECT_EQ(data.m_cNetLine[1].end, 3);
    EXPECT_FLOAT_EQ(data.m_cNetLine[1].cx, 3.0f);
    ASSERT_EQ(data.m_cNodeLoad.size(), 1u);
    EXPECT_EQ(data.m_cNodeLoad[0].node, 3);
    EXPECT_FLOAT_EQ(data.m_cNodeLoad[0].value[1], -5.0f);
    EXPECT_EQ(data.m_cNodeLoad[0].loadCase, 2);
    ASSERT_EQ(data.m_cNodeYS.size(), 1u);
    EXPECT_EQ(data.m_cNodeYS[0].kind, 3);
    EXPECT_FLOAT_EQ(data.m_cNodeYS[0].value2, 100.0f);
    ASSERT_EQ(data.m_cYaoLiang.size(), 1u);
    ASSERT_EQ(data.m_cYaoLiang[0].m_cLoad.size(), 2u);
    EXPECT_EQ(data.m_cYaoLiang[0].m_cLoad[1].type, 8);
    EXPECT_FLOAT_EQ(data.m_cYaoLiang[0].m_cLoad[1].value[3], 4.0f);
    EXPECT_EQ(data.m_cYaoLiang[0].m_cLoad[1].loadCase, 2);
    ASSERT_EQ(data.m_cZhiCheng.size(), 2u);
    // A load count of 0: no load lines read, no array; the next strut follows.
    EXPECT_EQ(data.m_cZhiCheng[0].m_nLoad, 0);
    EXPECT_EQ(data.m_cZhiCheng[0].m_cLoad.capacity(), 0u);
    EXPECT_FLOAT_EQ(data.m_cZhiCheng[0].alt2, 2.5e11f);
    EXPECT_EQ(data.m_cZhiCheng[0].thirteenth, 5);
    EXPECT_EQ(data.m_cZhiCheng[1].number, 2);
    ASSERT_EQ(data.m_cZhiCheng[1].m_cLoad.size(), 1u);
    EXPECT_FLOAT_EQ(data.m_cZhiCheng[1].m_cLoad[0].value[1], 6.0f);
    EXPECT_TRUE(errors.lines.empty());
}

TEST_F(StrutLayerModel, SavingTheNetLinesKeepsTheOtherSections) {
    folder.Write("MODEL.NZC", kModel);
    CJsBzData data("model.nzc");
    ASSERT_EQ(data.Read_All(), 1);
    data.m_nNetLine = 3;
    data.m_cNetLine[1].cy = -2.5f;
    data.m_cNetLine.push_back({3, 1, 0, 1, 3, 0, 0});

    ASSERT_EQ(data.Write_NetLine(), 1);
    EXPECT_EQ(folder.Read("MODEL.NZC"), kHead + "3,3,1,1,1,2\n" + kNodes +
                                            "$NetLine\n"
                                            "1,1,0,1,2,0.000000,0.000000\n"
                                            "2,1,1,2,3,3.000000,-2.500000\n"
                                            "3,1,0,1,3,0.000000,0.000000\n" +
                                            kRest);
    EXPECT_EQ(folder.Read("~BakFile.NZC"), kModel);
    EXPECT_FALSE(folder.Exists("JS_TMP"));
    EXPECT_EQ(data.m_cNetLine.size(), 3u);
    EXPECT_TRUE(data.m_cNetNode.empty() && data.m_cNodeLoad.empty() && data.m_cNodeYS.empty() &&
                data.m_cYaoLiang.empty() && data.m_cZhiCheng.empty());

    // A second save replaces the backup with the file just written.
    const std::string first = folder.Read("MODEL.NZC");
    ASSERT_EQ(data.Write_NetLine(), 1);
    EXPECT_EQ(folder.Read("~BakFile.NZC"), first);
    EXPECT_EQ(folder.Read("MODEL.NZC"), first);
}

// A save that cannot finish "JS_TMP" must leave the model and its backup alone.
TEST_F(StrutLayerModel, FailedSaveLeavesModelAndBackup) {
    struct Case {
        const char* what;
        std::string model;
        bool blockTmp;  // a folder in the way of "JS_TMP"
    };
    const std::string hugeLoads = kHead + "3,2,999999999,1,1,2\n" + kNodes + kLines + kRest;
    const Case cases[] = {
        {"JS_TMP cannot be put in place", kModel, true},
        {"another section cannot be read", hugeLoads, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder here;
        here.MakeCurrent();
        JS_ERROR_CODE = 0;
        here.Write("MODEL.NZC", c.model);
        here.Write("~BakFile.NZC", "older backup\n");
        if (c.blockTmp) here.Write("JS_TMP/keep", "x");
        CJsBzData data("MODEL.NZC");
        ASSERT_EQ(data.Read_NetLine(), 1);
        data.m_cNetLine[0].start = 3;
        EXPECT_EQ(data.Write_NetLine(), 0);
        EXPECT_EQ(here.Read("MODEL.NZC"), c.model);
        EXPECT_EQ(here.Read("~BakFile.NZC"), "older backup\n");
        EXPECT_TRUE(c.blockTmp || !here.Exists("JS_TMP"));
    }
}

TEST_F(StrutLayerModel, WritingASectionNotLoadedIsRefused) {
    folder.Write("MODEL.NZC", kModel);
    CJsBzData data("MODEL.NZC");
    EXPECT_EQ(data.Write_NodeYS(), 0);
    EXPECT_TRUE(errors.Has(301, "m_cNodeYS == NULL while Write!"));
    EXPECT_EQ(data.Write_NetNode(), 0);
    EXPECT_TRUE(errors.Has(30, "m_cNetNode == NULL while Write!"));
    EXPECT_EQ(folder.Read("MODEL.NZC"), kModel);
    EXPECT_FALSE(folder.Exists("~BakFile.NZC"));
}

TEST_F(StrutLayerModel, MissingSectionKeepsDefaults) {
    folder.Write("MODEL.NZC", kHead + "0,0,0,2,0,0\n$NetNode\n$END_OF_FILE\n");
    CJsBzData data("MODEL.NZC");
    ASSERT_EQ(data.Read_All(), 1);
    EXPECT_TRUE(errors.Has(20, "警告! 找不到段 NodeYS,"));
    ASSERT_EQ(data.m_cNodeYS.size(), 2u);
    EXPECT_EQ(data.m_cNodeYS[1].kind, 0);
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

// Damaged files never crash nor ask for memory the file cannot fill.
TEST_F(StrutLayerModel, DamagedFilesAreReadSafely) {
    struct Case {
        const char* what;
        std::string text;
        int readAll;
        const char* box;  // the message box shown, if any
    };
    const std::string cut = kModel.substr(0, kModel.find("3,-10.0"));
    std::string nan = kModel;
    nan.replace(nan.find("6.000000,4.000000"), 17, "nan,-inf");
    std::string hugeMemberLoads = kModel;
    hugeMemberLoads.replace(hugeMemberLoads.find("1.000e+12,0,0,2"), 15, "1.000e+12,0,0,2000000000");
    const Case cases[] = {
        {"cut inside the member loads", cut, 1, nullptr},
        {"cut after the counts", kHead + "3,2,1,1,1,2\n", 1, nullptr},
        {"huge node count", kHead + "2147483647,0,0,0,0,0\n$NetNode\n", 0, "读节点错 !"},
        {"huge strut count", kHead + "0,0,0,0,0,99999999999\n$ZhiCheng\n", 0, "读支撑错 !"},
        {"huge member load count", hugeMemberLoads, 0, "读腰梁错 !"},
        {"negative counts", kHead + "-5,-1,-7,0,0,-2\n", 1, nullptr},
        {"nan and infinity", nan, 1, nullptr},
        {"no counts line", kHead, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        JS_ERROR_CODE = 0;
        MessageRecorder shown;
        folder.Write("BAD.NZC", c.text);
        CJsBzData data("BAD.NZC");
        EXPECT_EQ(data.Read_All(), c.readAll);
        if (c.box) {
            ASSERT_EQ(shown.shown().size(), 1u);
            EXPECT_EQ(shown.shown()[0].text, c.box);
        } else {
            EXPECT_TRUE(shown.shown().empty());
        }
        EXPECT_LE(data.m_cNetNode.size() + data.m_cZhiCheng.size(), c.text.size());
    }
    EXPECT_TRUE(errors.Has(301, "m_cLoad 内存不够!"));
    EXPECT_TRUE(errors.Has(301, "Prepare_Load 内存不够 !"));
    EXPECT_TRUE(errors.Has(30, "m_cNetNode == NULL while New Memery !"));
}

TEST_F(StrutLayerModel, NanSurvivesARoundTrip) {
    std::string nan = kModel;
    nan.replace(nan.find("6.000000,4.000000"), 17, "nan,-inf");
    folder.Write("MODEL.NZC", nan);
    CJsBzData data("MODEL.NZC");
    ASSERT_EQ(data.Read_NetNode(), 1);
    EXPECT_TRUE(std::isnan(data.m_cNetNode[2].x));
    ASSERT_EQ(data.Write_NetNode(), 1);
    CJsBzData again("MODEL.NZC");
    ASSERT_EQ(again.Read_NetNode(), 1);
    EXPECT_TRUE(std::isnan(again.m_cNetNode[2].x));
    EXPECT_TRUE(std::isinf(again.m_cNetNode[2].y) && again.m_cNetNode[2].y < 0);
}

}  // namespace
