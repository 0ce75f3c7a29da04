// The roof and floor load dialogs: the load from their fields, what they store,
// and the hand-over to the blast-load tools.
#include "members/slabwall/ui/slabloaddlgs.h"

#include "design/ban_data.h"
#include "platform/services.h"
#include "support/qt_app.h"
#include "views/dialogs/shellservices.h"

#include "modal.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

using kv::test::Click;
using kv::test::Field;
using kv::test::RunModal;
using kv::test::SetField;

class SlabLoadDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
        data.Thickness = 300;
    }
    void TearDown() override { kv::platform::InstallMessageService(std::move(oldMessages)); }

    BAN_JS_STRUCT data{0};
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;
};

TEST_F(SlabLoadDialogs, RoofLoadFromItsFieldsGoesIntoTheSlab) {
    CDlgDingBanHeZai dlg;
    dlg.SetData(&data);
    RunModal(dlg, [&] {
        EXPECT_EQ(dlg.windowTitle(), "顶板荷载");
        EXPECT_EQ(Field(dlg, 3106), "7.5");  // 300 mm of concrete
        SetField(dlg, 3112, "100");
        SetField(dlg, 3117, "20");
        SetField(dlg, 3108, "1.0");
        SetField(dlg, 3110, "18");
        SetField(dlg, 3113, "2");
        SetField(dlg, 3103, "60");
        Click(dlg, 1129);
        // 1.2·(100/1000·20 + 7.5 + 18·1.0) + 1.2·2 + 60
        EXPECT_EQ(Field(dlg, 3105), "95.4");
    });
    EXPECT_FLOAT_EQ(data.Load, 95.4f);
    EXPECT_FLOAT_EQ(data.RoofLoad, 95.4f);
    EXPECT_FLOAT_EQ(data.RoofSelf, 7.5f);
    EXPECT_FLOAT_EQ(data.RoofFinishT, 100.0f);
    EXPECT_FLOAT_EQ(data.RoofSoilGamma, 18.0f);
    EXPECT_FLOAT_EQ(data.RoofQe, 60.0f);
}

TEST_F(SlabLoadDialogs, ReturnStoresNothingAndReopeningShowsTheThicknessOfNow) {
    data.RoofSelf = 7.5f;
    data.RoofQe = 55.0f;
    data.Load = 12.0f;
    CDlgDingBanHeZai first;
    first.SetData(&data);
    RunModal(first, [&] {
        SetField(first, 3103, "99");
        Click(first, 1);
    });
    EXPECT_FLOAT_EQ(data.RoofQe, 55.0f);
    EXPECT_FLOAT_EQ(data.Load, 12.0f);

    data.Thickness = 400;
    CDlgDingBanHeZai again;
    again.SetData(&data);
    RunModal(again, [&] {
        EXPECT_EQ(Field(again, 3106), "10");  // recomputed, not the stored 7.5
        EXPECT_EQ(Field(again, 3103), "55");
    });
}

TEST_F(SlabLoadDialogs, FinishUnitWeightIsCheckedAgainstItsRange) {
    CDlgDingBanHeZai dlg;
    dlg.SetData(&data);
    RunModal(dlg, [&] {
        SetField(dlg, 3117, "120");
        Click(dlg, 1129);
        EXPECT_TRUE(dlg.isVisible());
    });
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_NE(messages->shown()[0].text.find("100"), std::string::npos) << messages->shown()[0].text;
    EXPECT_FLOAT_EQ(data.Load, BAN_JS_STRUCT{0}.Load);
}

struct FloorCase {
    const char* name;
    int resistClass, buildingForm;
    const char *weight, *area;
    float load;
};

// qw 5, qe 50, soil 1.0 m of 18 kN/m³, self weight 7.5 throughout.
const FloorCase kFloorCases[] = {
    {"核6级 counts the whole weight", 1, 0, "1000", "100", 1000.0f / 100 + 5 + 50 - 18 - 7.5f},
    {"核6级 without a weight is qw + qe", 1, 2, "0", "100", 55.0f},
    {"核4B级 leaves out masonry", 3, 0, "1000", "100", 55.0f},
    {"核4级 counts concrete walls whole", 4, 1, "1000", "100", 1000.0f / 100 + 5 + 50 - 18 - 7.5f},
    {"核4级 counts masonry half", 4, 0, "1000", "100", 500.0f / 100 + 5 + 50 - 18 - 7.5f},
    {"核4级 counts other forms half", 4, 2, "1000", "100", 500.0f / 100 + 5 + 50 - 18 - 7.5f},
};

TEST_F(SlabLoadDialogs, FloorLoadCountsTheBuildingByClassAndForm) {
    data.Kind = 1;
    for (const FloorCase& c : kFloorCases) {
        SCOPED_TRACE(c.name);
        CDlgDiBanHeZai dlg;
        dlg.SetData(&data);
        RunModal(dlg, [&] {
            EXPECT_EQ(dlg.windowTitle(), "底板荷载计算");
            kv::test::ById<QComboBox>(dlg, 1046)->setCurrentIndex(c.resistClass);
            kv::test::ById<QComboBox>(dlg, 1085)->setCurrentIndex(c.buildingForm);
            SetField(dlg, 3101, c.weight);
            SetField(dlg, 3102, c.area);
            SetField(dlg, 3104, "5");
            SetField(dlg, 3108, "1.0");
            SetField(dlg, 3110, "18");
            SetField(dlg, 3103, "50");
            Click(dlg, 1129);
            EXPECT_FLOAT_EQ(Field(dlg, 3111).toFloat(), c.load);
        });
        EXPECT_FLOAT_EQ(data.Load, c.load);
        EXPECT_FLOAT_EQ(data.FloorLoad, c.load);
        EXPECT_EQ(data.ResistClass, c.resistClass);
        EXPECT_EQ(data.BuildingForm, c.buildingForm);
    }
    EXPECT_TRUE(messages->shown().empty());
}

TEST_F(SlabLoadDialogs, FloorReopensWithItsStoredChoices) {
    data.Kind = 1;
    data.ResistClass = 3;
    data.BuildingForm = 2;
    data.FloorWeight = 800;
    CDlgDiBanHeZai dlg;
    dlg.SetData(&data);
    RunModal(dlg, [&] {
        EXPECT_EQ(kv::test::ById<QComboBox>(dlg, 1046)->currentText(), "核4B级");
        EXPECT_EQ(kv::test::ById<QComboBox>(dlg, 1085)->currentText(), "其它结构");
        EXPECT_EQ(Field(dlg, 3101), "800");
    });
}

TEST_F(SlabLoadDialogs, FloorCodeNoteIsShown) {
    CDlgDiBanHeZai dlg;
    dlg.SetData(&data);
    RunModal(dlg, [&] { Click(dlg, 3210); });
    ASSERT_EQ(messages->shown().size(), 1u);
    const std::string& text = messages->shown()[0].text;
    EXPECT_EQ(text.rfind("[规范4.9.4]\n\n    *当地下水位以下无桩基防空地下室基础采用箱基或\n", 0), 0u) << text;
    EXPECT_NE(text.find("中应计入水压力.\n"), std::string::npos);
}

TEST_F(SlabLoadDialogs, TableAndFormulaButtonsRunTheBlastLoadCommands) {
    std::vector<int> sent;
    kv::shell::SetCommandSender([&sent](int id) { sent.push_back(id); });
    CDlgDingBanHeZai roof;
    roof.SetData(&data);
    RunModal(roof, [&] {
        Click(roof, 3115);
        Click(roof, 1167);
    });
    CDlgDiBanHeZai floor;
    floor.SetData(&data);
    RunModal(floor, [&] { Click(floor, 3114); });
    kv::shell::SetCommandSender({});
    EXPECT_EQ(sent, (std::vector<int>{32783, 32774, 32783}));
}

}  // namespace
