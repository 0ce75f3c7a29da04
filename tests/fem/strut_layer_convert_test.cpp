#include "fem/strut_layer_convert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "platform/textfile.h"
#include "support/error_lines.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using kv::fem::CForm_YXY_Dat;
using kv::test::ErrorLines;
using kv::test::MessageRecorder;
using kv::test::TempFolder;

std::string Fixture(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(kv::platform::ReadFileBytes(std::string(KV_TEST_FIXTURES) + "/fem/" + name, bytes)) << name;
    return bytes;
}

class StrutLayerConvert : public ::testing::Test {
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

// The model (fixtures/fem/strut_layer_model.DAT): a 6 m waling beam from node 3 to
// node 7 with a trapezoid load (p1 = -10, ramps 1.5 m); struts 7-5 and 5-2 sharing
// node 5, the second with a type-8 load in case 2; a quarter arc 2-8 of radius 2
// with a uniform load. Node 1 carries a load and a restraint but no member; node 7
// is a link (kind 2); one node load names case 11.
TEST_F(StrutLayerConvert, WritesTheModelAsTheInputFile) {
    folder.Write("LAY_STRLDA-1.DAT", Fixture("strut_layer_model.DAT"));
    CForm_YXY_Dat form;
    form.m_strName = "Lay";  // the file's name differs in case only
    form.m_fFactor[1] = 1.2f;

    ASSERT_EQ(form.Prepare_Data(), 1);
    ASSERT_EQ(form.Form_YXY_JS_DAT_File(), 1);
    EXPECT_EQ(folder.Read("YXY_JS.DAT"), Fixture("strut_layer_YXY_JS.DAT"));

    // Model nodes in order of first use; node 1 is in no member.
    std::vector<int> numbers;
    for (const auto& node : form.m_cNode) numbers.push_back(node.number);
    EXPECT_EQ(numbers, (std::vector<int>{3, 7, 5, 2, 8}));
    // What the file leaves out stays reachable per beam.
    ASSERT_EQ(form.m_cMember.size(), 4u);
    EXPECT_EQ(form.m_cBeam[1].kind, 1);
    EXPECT_EQ(form.m_cBeam[1].sectionType, 2);
    EXPECT_EQ(form.m_cBeam[1].twelfth, 1);
    EXPECT_EQ(form.m_cBeam[2].thirteenth, 1);
    EXPECT_FLOAT_EQ(form.m_cMember[1].width, 300.0f);
    EXPECT_FLOAT_EQ(form.m_cMember[2].m_cLoad[0].value[0], 2.4f);
    EXPECT_FLOAT_EQ(form.beam_length(4), 3.1415927f);

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "荷载工况号错 !");
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

TEST_F(StrutLayerConvert, TheCallersBeamGradeIsWritten) {
    folder.Write("LAY_StrLdA-1.DAT", Fixture("strut_layer_model.DAT"));
    CForm_YXY_Dat form;
    form.m_strName = "LAY";
    form.m_nBeamGrade = 40;
    ASSERT_EQ(form.Prepare_Data(), 1);
    ASSERT_EQ(form.Form_YXY_JS_DAT_File(), 1);
    EXPECT_NE(folder.Read("YXY_JS.DAT").find("\n4,40\n"), std::string::npos);
}

TEST_F(StrutLayerConvert, AMissingModelIsAnErrorAndNothingIsMade) {
    CForm_YXY_Dat form;
    form.m_strName = "NONE";
    EXPECT_EQ(form.Prepare_Data(), 0);
    EXPECT_TRUE(errors.Has(301, "不能打开文件 : NONE_StrLdA-1.DAT"));
    EXPECT_EQ(form.Form_YXY_JS_DAT_File(), 0);
    EXPECT_EQ(folder.List(), "");
}

TEST_F(StrutLayerConvert, AMemberOnAMissingNetLineIsRefused) {
    folder.Write("BAD_StrLdA-1.DAT",
                 "$NZC_CENG_DATA_FILE V10\n$Control\n2,1,0,0,1,0\n$NetNode\n1,1,0,0\n2,1,5,0\n"
                 "$NetLine\n1,1,0,1,2,0,0\n$NodeLoad\n$NodeYS\n"
                 "$YaoLiang\n1,1,2,1,1,20,25000,200,500,12000,1e12,0,0,0\n$ZhiCheng\n$END_OF_FILE\n");
    CForm_YXY_Dat form;
    form.m_strName = "BAD";
    EXPECT_EQ(form.Prepare_Data(), 0);
    EXPECT_TRUE(errors.Has(201, "构件 1 的网格线 2 不存在 !"));
    EXPECT_EQ(form.m_nBeam, 0);
}

}  // namespace
