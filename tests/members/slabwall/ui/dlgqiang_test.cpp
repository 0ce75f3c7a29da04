// The wall dialog: edges and theory, the one-way and two-way wall, the texts and
// files of the three kinds, the load calculations 规范 opens, the range checks,
// Enter, 返回 and Esc, the hidden section checks and the run of 计算.
#include "members/slabwall/ui/dlgqiang.h"

#include "codes/ui/bmpcombobox.h"
#include "design/lkq_data.h"
#include "members/slabwall/ui/dlgqiangyansuan.h"
#include "platform/services.h"
#include "support/edition_guard.h"
#include "views/dialogs/shellservices.h"

#include "dialog_fixture.h"
#include "modal.h"
#include "recordingrunner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::Field;
using kv::test::OnNextModal;
using kv::test::RunModal;
using kv::test::SetField;

// The edge combos: bottom, right, top, left.
constexpr int kEdgeIds[4] = {1024, 1041, 1056, 1064};

class WallDialog : public kv::test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        kv::shell::SetCommandSender([this](int id) { sent.push_back(id); });
    }
    void TearDown() override {
        kv::shell::SetCommandSender({});
        DialogTest::TearDown();
    }

    int Run(const std::function<void(CDlgQiang&)>& steps) {
        CDlgQiang dlg;
        dlg.SetData(&data);
        return RunModal(dlg, [&] { steps(dlg); });
    }
    static CBmpComboBox* Edge(const CDlgQiang& dlg, int id) { return ById<CBmpComboBox>(dlg, id); }
    static void Leave(const CDlgQiang& dlg, int id) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(ById(dlg, id), &out);
    }
    static bool Visible(const CDlgQiang& dlg, int id) { return ById(dlg, id)->isVisible(); }
    // A two-way wall with all four edges set.
    void TwoWay(int bottom, int right, int top, int left) {
        data.OneWay = 0;
        const int edges[4] = {bottom, right, top, left};
        std::copy(edges, edges + 4, data.EdgeType);
    }

    kv::test::EditionGuard edition{2010};
    CLkqData data{0};
    std::vector<int> sent;
};

TEST_F(WallDialog, PlasticTheoryRemovesElasticAndTurnsAnElasticEdgeFixed) {
    TwoWay(2, 1, 0, 2);
    data.Plastic = 0;
    Run([&](CDlgQiang& dlg) {
        EXPECT_EQ(Edge(dlg, 1024)->count(), 3);
        EXPECT_TRUE(Visible(dlg, 3220));
        ById<QRadioButton>(dlg, 1110)->click();  // 塑性内力
        for (int id : {1024, 1041, 1056, 1064}) EXPECT_EQ(Edge(dlg, id)->count(), 2) << id;
        EXPECT_EQ(Edge(dlg, 1024)->currentIndex(), 1);
        EXPECT_EQ(Edge(dlg, 1064)->currentIndex(), 1);
        EXPECT_FALSE(Visible(dlg, 3220));
        EXPECT_FALSE(Visible(dlg, 3217));
        EXPECT_EQ(dlg.DlgToData(), 1);
    });
    EXPECT_EQ(data.Plastic, 1);
    EXPECT_EQ(std::vector<int>(data.EdgeType, data.EdgeType + 4), (std::vector<int>{1, 1, 0, 1}));
}

// The combos of a plastic dialog hold no 弹性 until the file read brings elastic
// theory back: the elastic edge must still show as 弹性, not as a blank box.
TEST_F(WallDialog, AnElasticWallReadIntoAPlasticDialogShowsItsElasticEdges) {
    CLkqData file{0};
    file.OneWay = 0, file.Plastic = 0, file.Fixity = 0.5f;
    const int edges[4] = {1, 2, 0, 2};
    std::copy(edges, edges + 4, file.EdgeType);
    ASSERT_EQ(file.SaveData((dir / "elastic.WQ").c_str()), 1);
    TwoWay(1, 1, 0, 1);
    data.Plastic = 1;
    fileDialogs->Answer(dir / "elastic.WQ");
    Run([&](CDlgQiang& dlg) {
        Click(dlg, 3086);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Edge(dlg, kEdgeIds[i])->count(), 3) << kEdgeIds[i];
            EXPECT_EQ(Edge(dlg, kEdgeIds[i])->currentIndex(), edges[i]) << kEdgeIds[i];
        }
        EXPECT_TRUE(Visible(dlg, 3220));
        EXPECT_EQ(dlg.DlgToData(), 1);
    });
    EXPECT_EQ(std::vector<int>(data.EdgeType, data.EdgeType + 4), std::vector<int>(edges, edges + 4));
}

TEST_F(WallDialog, TwoWayToOneWayAndBackRestoresTheSidesButStartsTheWidthAt6) {
    TwoWay(1, 2, 0, 1);
    data.Width = 7.5f;
    data.Height = 3.2f;
    Run([&](CDlgQiang& dlg) {
        EXPECT_EQ(Field(dlg, 1068), "7.5");
        ById<QRadioButton>(dlg, 3223)->click();  // 竖向单向板
        for (int id : {1041, 1064, 1068, 3226}) EXPECT_FALSE(Visible(dlg, id)) << id;
        EXPECT_EQ(data.OneWay, 1);
        EXPECT_FLOAT_EQ(data.Width, 99.0f);
        EXPECT_EQ(data.EdgeType[1], 0);
        EXPECT_EQ(data.EdgeType[3], 0);

        ById<QRadioButton>(dlg, 3077)->click();  // 双向板
        for (int id : {1041, 1064, 1068, 3226}) EXPECT_TRUE(Visible(dlg, id)) << id;
        EXPECT_EQ(Field(dlg, 1068), "6");
        EXPECT_EQ(Edge(dlg, 1041)->currentIndex(), 2);
        EXPECT_EQ(Edge(dlg, 1064)->currentIndex(), 1);
        EXPECT_TRUE(Visible(dlg, 3220));  // the restored elastic side brings the fixity back
    });
    EXPECT_EQ(data.OneWay, 0);
    EXPECT_FLOAT_EQ(data.Width, 6.0f);
    EXPECT_EQ(std::vector<int>(data.EdgeType, data.EdgeType + 4), (std::vector<int>{1, 2, 0, 1}));
}

// A one-way wall's width is hidden and stands in for "much wider than high":
// 99 when the dialog opens on it, five times the height when a file brings it.
TEST_F(WallDialog, AOneWayWallsHiddenWidthIs99WhenOpenedAndFiveHeightsWhenRead) {
    CLkqData file{0};
    file.OneWay = 1;
    file.Width = 4.0f;
    file.Height = 3.2f;
    file.EdgeType[1] = file.EdgeType[3] = 1;
    ASSERT_EQ(file.SaveData((dir / "one.WQ").c_str()), 1);
    file.OneWay = 0;
    ASSERT_EQ(file.SaveData((dir / "two.WQ").c_str()), 1);

    const struct {
        const char* what;
        int openedOneWay;
        const char* read;  // nullptr: nothing read
        const char* width;
        bool widthShown;
    } cases[] = {
        {"opened one-way", 1, nullptr, "99", false},
        {"opened two-way", 0, nullptr, "4", true},
        {"one-way file read", 0, "one.WQ", "16", false},
        {"two-way file read", 1, "two.WQ", "4", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        data = file;
        data.Kind = 0;
        data.OneWay = c.openedOneWay;
        if (c.read) fileDialogs->Answer(dir / c.read);
        Run([&](CDlgQiang& dlg) {
            if (c.read) Click(dlg, 3086);
            EXPECT_EQ(Field(dlg, 1068), c.width);
            EXPECT_EQ(Visible(dlg, 1068), c.widthShown);
            EXPECT_EQ(Visible(dlg, 1041), c.widthShown);
            EXPECT_EQ(dlg.DlgToData(), 1);
        });
        EXPECT_FLOAT_EQ(data.Width, QString(c.width).toFloat());
        // A one-way wall's sides are not supported.
        EXPECT_EQ(data.EdgeType[1], c.widthShown ? 1 : 0);
    }
}

TEST_F(WallDialog, EachKindHasItsTitleAndItsDataFiles) {
    const struct {
        int kind;
        const char *title, *filter;
    } cases[] = {{0, "外墙", "外墙数据文件(*.WQ)|*.WQ||"},
                 {1, "临空墙", "临空墙数据文件(*.LKQ)|*.LKQ||"},
                 {2, "单元隔墙", "单元隔墙数据文件(*.GQ)|*.GQ||"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        data = CLkqData(c.kind);
        Run([&](CDlgQiang& dlg) {
            EXPECT_EQ(dlg.windowTitle(), c.title);
            for (int hidden : {3224, 3225, 1330, 1294, 1297, 1376, 1305, 1344})
                EXPECT_FALSE(Visible(dlg, hidden)) << hidden;
            Click(dlg, 3086);  // 读数据, cancelled
            Click(dlg, 1377);  // 存数据, cancelled
        });
        const auto& asked = fileDialogs->requests();
        ASSERT_GE(asked.size(), 2u);
        for (std::size_t k = asked.size() - 2; k < asked.size(); ++k) {
            EXPECT_EQ(asked[k].filter, c.filter);
            EXPECT_EQ(asked[k].initialPath, dir.path());
        }
        EXPECT_EQ(asked.back().defaultExt, "");  // saved under the name as typed
    }
}

TEST_F(WallDialog, SavedUnderTheNameAsTypedAndReadBack) {
    data.Height = 3.6f;
    fileDialogs->Answer(dir / "wall.txt");
    Run([&](CDlgQiang& dlg) {
        SetField(dlg, 1209, "88.5");
        Click(dlg, 1377);
        EXPECT_EQ(dlg.windowTitle(), QString::fromStdString(dir / "wall.txt"));
    });
    CLkqData back{0};
    ASSERT_EQ(back.LoadData((dir / "wall.txt").c_str()), 1);
    EXPECT_FLOAT_EQ(back.Load, 88.5f);
    EXPECT_FLOAT_EQ(back.Height, 3.6f);
}

// Every field reaches its own place in the record and comes back from it.
TEST_F(WallDialog, FieldsTravelToTheirPlacesInTheRecord) {
    TwoWay(1, 0, 2, 1);
    Run([&](CDlgQiang& dlg) {
        const std::pair<int, const char*> typed[] = {
            {3087, "地下一层外墙"}, {1068, "7.2"}, {1077, "3.9"}, {924, "350"}, {1240, "420"}, {1209, "85"},
            {1211, "-12.5"},       {1223, "40"},  {1284, "1.1"}, {1192, "1.2"}, {3220, "0.6"}};
        for (const auto& [id, text] : typed) SetField(dlg, id, QString::fromUtf8(text));
        ById<QCheckBox>(dlg, 1352)->setChecked(true);
        ById<QCheckBox>(dlg, 1353)->setChecked(true);
        EXPECT_EQ(dlg.DlgToData(), 1);
    });
    EXPECT_EQ(data.m_strName, "地下一层外墙");
    EXPECT_FLOAT_EQ(data.Width, 7.2f);
    EXPECT_FLOAT_EQ(data.Height, 3.9f);
    EXPECT_EQ(data.Thickness, 350);
    EXPECT_FLOAT_EQ(data.VertLoad, 420.0f);
    EXPECT_FLOAT_EQ(data.Load, 85.0f);
    EXPECT_FLOAT_EQ(data.TriLoad, -12.5f);  // no range of its own
    EXPECT_EQ(data.Cover, 40);
    EXPECT_FLOAT_EQ(data.MidFactor, 1.1f);
    EXPECT_FLOAT_EQ(data.EdgeFactor, 1.2f);
    EXPECT_FLOAT_EQ(data.Fixity, 0.6f);
    EXPECT_EQ(data.Steam, 1);
    EXPECT_EQ(data.SecondOrder, 1);
    EXPECT_EQ(data.OneWay, 0);
    EXPECT_EQ(data.ConGrade, 30);
    EXPECT_EQ(data.BarGrade, 2);

    const CLkqData before = data;
    Run([&](CDlgQiang& dlg) { EXPECT_EQ(dlg.DlgToData(), 1); });
    EXPECT_EQ(data.m_strName, before.m_strName);
    EXPECT_FLOAT_EQ(data.TriLoad, before.TriLoad);
    EXPECT_FLOAT_EQ(data.VertLoad, before.VertLoad);
    EXPECT_EQ(std::vector<int>(data.EdgeType, data.EdgeType + 4), (std::vector<int>{1, 0, 2, 1}));
}

TEST_F(WallDialog, FieldsOutOfRangeAreRefusedAndTheRecordKeepsItsValue) {
    TwoWay(1, 1, 1, 1);
    const struct {
        int id;
        const char* typed;
        std::string message;
    } cases[] = {
        {1068, "0", "请输入一个 1e-08 到 99 之间的数。"},
        {1068, "99.5", "请输入一个 1e-08 到 99 之间的数。"},
        {1077, "101", "请输入一个 1e-08 到 100 之间的数。"},
        {924, "-1", "请输入一个 0 到 32767 之间的整数。"},
        {1240, "-200", "请输入一个 0 到 1e+08 之间的数。"},  // no tensile vertical load
        {1284, "101", "请输入一个 0 到 100 之间的数。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const CLkqData before = data;
        const std::size_t shown = messages->shown().size();
        Run([&](CDlgQiang& dlg) {
            SetField(dlg, c.id, c.typed);
            Leave(dlg, c.id);
        });
        ASSERT_EQ(messages->shown().size(), shown + 1);
        EXPECT_EQ(messages->shown().back().text, c.message);
        EXPECT_FLOAT_EQ(data.Width, before.Width);
        EXPECT_FLOAT_EQ(data.Height, before.Height);
        EXPECT_EQ(data.Thickness, before.Thickness);
        EXPECT_FLOAT_EQ(data.VertLoad, before.VertLoad);
        EXPECT_FLOAT_EQ(data.MidFactor, before.MidFactor);
    }
}

TEST_F(WallDialog, CalculateWithABadFieldSaysSoAndRunsNothing) {
    kv::test::RunnerGuard runner;
    Run([&](CDlgQiang& dlg) {
        SetField(dlg, 1077, "0");
        Click(dlg, 1359);
        EXPECT_TRUE(dlg.isVisible());
    });
    EXPECT_EQ(Shown().back(), "数据不对!");
    EXPECT_TRUE(runner.recorder->titles.empty());
    EXPECT_FALSE(dir.Exists("Message.Box"));
}

TEST_F(WallDialog, CalculateRunsOnTheCalculationRunnerAndListsItsLines) {
    kv::test::RunnerGuard runner;
    ASSERT_FALSE(dir.Exists("Message.Box"));
    QStringList listed;
    Run([&](CDlgQiang& dlg) {
        Click(dlg, 1359);
        auto* list = ById<QListWidget>(dlg, 1115);
        for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text().trimmed();
    });
    EXPECT_EQ(runner.recorder->titles, (std::vector<std::string>{"外墙"}));
    EXPECT_TRUE(runner.recorder->messageBoxWritten);
    EXPECT_TRUE(listed.contains("[配筋结果]")) << listed.join('\n').toStdString();
    EXPECT_EQ(data.HasResults, 1);
}

TEST_F(WallDialog, EscapeWithABadFieldStaysOpenAndReturnCloses) {
    bool openAfterEscape = false;
    int result = Run([&](CDlgQiang& dlg) {
        SetField(dlg, 1192, "-1");
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &esc);
        openAfterEscape = dlg.isVisible();
        Click(dlg, 1);  // 返回 closes all the same
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST_F(WallDialog, EnterMovesToTheNextFieldInsteadOfClosing) {
    TwoWay(1, 1, 1, 1);
    Run([&](CDlgQiang& dlg) {
        dlg.activateWindow();
        ById(dlg, 1068)->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &enter);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_NE(QApplication::focusWidget(), ById(dlg, 1068));
    });
}

TEST_F(WallDialog, GuiFanOfAnAirWallOrAPartitionWallSendsItsLoadCommand) {
    for (auto [kind, command] : {std::pair{1, 32777}, std::pair{2, 32776}}) {
        sent.clear();
        data = CLkqData(kind);
        Run([&](CDlgQiang& dlg) { Click(dlg, 1162); });
        EXPECT_EQ(sent, (std::vector<int>{command})) << kind;
    }
}

TEST_F(WallDialog, GuiFanOfAnExteriorWallOffersTheBasementLoadMenu) {
    for (auto [choice, command] : {std::pair{0, 32774}, std::pair{1, 32783}}) {
        const int pick = choice;  // clang 14 cannot capture a structured binding
        sent.clear();
        QString menuId;
        QStringList items;
        Run([&](CDlgQiang& dlg) {
            QTimer::singleShot(0, [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (!menu) return;
                menuId = menu->objectName();
                for (QAction* a : menu->actions()) items << a->text();
                menu->actions().at(pick)->trigger();
                menu->close();
            });
            Click(dlg, 1162);
        });
        EXPECT_EQ(menuId, "224");
        EXPECT_EQ(items, (QStringList{"地下室公式", "地下室查表"}));
        EXPECT_EQ(sent, (std::vector<int>{command}));
    }
}

// The roof and floor checks take the edge moments as magnitudes; a wall adjacent
// to air and a partition wall hand on half of them.
TEST_F(WallDialog, HiddenSectionChecksTakeTheEdgeMomentsHalvedForAirAndPartitionWalls) {
    const float moments[4] = {-40, 12, -30, 8};
    const struct {
        int kind, button, mode;
        float share;
        const char* title;
    } cases[] = {{0, 3224, QiangYanSuanRecord::kRoof, 1.0f, "顶板验算"},
                 {0, 3225, QiangYanSuanRecord::kFloor, 1.0f, "底板验算"},
                 {1, 3224, QiangYanSuanRecord::kRoof, 0.5f, "顶板验算"},
                 {2, 3225, QiangYanSuanRecord::kFloor, 0.5f, "底板验算"}};
    QiangYanSuanRecord& check = WallSectionCheck();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind * 10000 + c.button);
        check = QiangYanSuanRecord();
        data = CLkqData(c.kind);
        std::copy(moments, moments + 4, data.EdgeM);
        data.Steam = 1;
        QString caption;
        Run([&](CDlgQiang& dlg) {
            OnNextModal([&](QDialog& section) { caption = section.windowTitle(); });
            Click(dlg, c.button);
        });
        EXPECT_EQ(caption, c.title);
        EXPECT_EQ(check.Mode, c.mode);
        EXPECT_EQ(check.Steam, 1);
        for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(check.BianM[i], std::fabs(moments[i]) * c.share) << i;
    }
    check = QiangYanSuanRecord();
}

// The tips speak only under the 2010 code, which alone knows the p-δ effect.
TEST_F(WallDialog, TipsOnlyUnderThe2010Code) {
    for (int code : {2010, 2002}) {
        kv::test::EditionGuard guard(code);
        Run([&](CDlgQiang& dlg) {
            EXPECT_EQ(ById(dlg, 1353)->toolTip().isEmpty(), code != 2010) << code;
            EXPECT_FALSE(ById(dlg, 3220)->toolTip().isEmpty());
            QToolTip::hideText();
            QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), ById(dlg, 3220)->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(ById(dlg, 3220), &help);
            EXPECT_EQ(QToolTip::text(), code == 2010 ? ById(dlg, 3220)->toolTip() : QString()) << code;
            QToolTip::hideText();
        });
    }
}

}  // namespace
