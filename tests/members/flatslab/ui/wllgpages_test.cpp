// The flat slab's sheet driven by control id: the three pages over the data
// object and the punching page over its record, with scripted message boxes and
// file dialogs.
#include "members/flatslab/ui/wllgpages.h"

#include "base/error.h"
#include "base/globals.h"
#include "codes/guifan.h"
#include "drawing/base_sgt.h"
#include "members/flatslab/ui/dlgchongqie.h"
#include "members/flatslab/wllg_data.h"
#include "platform/textfile.h"
#include "support/edition_guard.h"
#include "widgets/rangemessage.h"

#include "dialog_fixture.h"
#include "report_stand_in.h"
#include "views/dialogs/jiantu.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>

#include <fstream>
#include <string>

namespace {

template <class T = QWidget>
T* Ctl(const QWidget& page, int id) {
    T* c = page.findChild<T*>(QString::number(id));
    EXPECT_NE(c, nullptr) << "control " << id;
    return c;
}
QString Text(const QWidget& page, int id) { return Ctl<QLineEdit>(page, id)->text(); }
void Leave(const QWidget& page, int id) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(Ctl(page, id), &out);
}
// Types into an edit and leaves it for another control.
void Type(const QWidget& page, int id, const QString& text) {
    Ctl<QLineEdit>(page, id)->setText(text);
    Leave(page, id);
}
void Click(const QWidget& page, int id) { Ctl<QAbstractButton>(page, id)->click(); }

// The sheet as the command builds it, shown without its own event loop.
class WllgSheetTest : public kv::test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        JS_ERROR_CODE = 0;
        data = CWllgData();
        UseCivilDefenceRules(data);
        data.FillChongQie();
    }
    void TearDown() override {
        sheet.reset();
        JS_ERROR_CODE = 0;
        DialogTest::TearDown();
    }
    void Open() {
        chongQie = std::make_unique<CDlgChongQie>(&data.m_ChongQie, &data);
        jiHe = std::make_unique<CPageWllgJiHe>(&data);
        banDai = std::make_unique<CPageWllgBanDai>(&data);
        canShu = std::make_unique<CPageWllgCanShu>(&data);
        sheet = std::make_unique<CDlgTabSheet>(nullptr, &data);
        sheet->SetCaption("无梁楼盖");
        sheet->AddPage("几何参数", jiHe.get());
        sheet->AddPage("板带荷载", banDai.get());
        sheet->AddPage("计算参数", canShu.get());
        sheet->AddPage("冲切验算", chongQie.get());
        sheet->OnInitDialog();
        sheet->show();
        QApplication::processEvents();
    }
    void Tab(int k) {
        sheet->TabBar()->setCurrentIndex(k);
        QApplication::processEvents();
    }

    kv::test::EditionGuard edition{2010};
    CWllgData data;
    // The pages outlive the sheet, as on the command's stack.
    std::unique_ptr<CDlgChongQie> chongQie;
    std::unique_ptr<CPageWllgJiHe> jiHe;
    std::unique_ptr<CPageWllgBanDai> banDai;
    std::unique_ptr<CPageWllgCanShu> canShu;
    std::unique_ptr<CDlgTabSheet> sheet;
};

TEST_F(WllgSheetTest, DefaultsAppearOnAllFourTabs) {
    Open();
    EXPECT_EQ(sheet->windowTitle(), "无梁楼盖");
    ASSERT_EQ(sheet->TabBar()->count(), 4);
    EXPECT_EQ(sheet->TabBar()->tabText(3), "冲切验算");
    EXPECT_EQ(Text(*jiHe, 1371), "6*2 8.0");
    EXPECT_EQ(Text(*jiHe, 1196), "4500");
    EXPECT_TRUE(Ctl<QRadioButton>(*jiHe, 1283)->isChecked());
    EXPECT_FALSE(jiHe->Sketch()->Entities().empty()) << "the frame is drawn at once";
    Tab(1);
    EXPECT_EQ(Text(*banDai, 1128), "60");
    EXPECT_EQ(Text(*banDai, 1166), "100");
    EXPECT_EQ(Text(*banDai, 1175), "4.2");
    Tab(2);
    EXPECT_EQ(Ctl<QComboBox>(*canShu, 1112)->currentText(), "C25");
    EXPECT_EQ(Text(*canShu, 1121), "15");
    EXPECT_EQ(Text(*canShu, 1141), "0.25");
    EXPECT_EQ(Text(*canShu, 1144), "0.45");
    Tab(3);
    // 6, 6 and 8 m: the pair 6/8 of the largest mean, uneven, so q × 1.1.
    EXPECT_EQ(Text(*chongQie, 1016), "7000");
    EXPECT_EQ(Text(*chongQie, 3094), "66");
    EXPECT_EQ(Ctl<QComboBox>(*chongQie, 1176)->currentText(), "25");
    EXPECT_TRUE(Ctl<QRadioButton>(*chongQie, 1113)->isChecked());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(WllgSheetTest, MiddleStoreyEnablesTheUpperStoreyAndItsColumnLoads) {
    Open();
    EXPECT_FALSE(Ctl(*jiHe, 1290)->isEnabled());
    Click(*jiHe, 1281);
    EXPECT_TRUE(Ctl(*jiHe, 1290)->isEnabled());
    EXPECT_EQ(data.m_nMidStorey, 1);
    Tab(1);
    for (int id : {1120, 1123, 1125, 1374, 1180, 1183}) EXPECT_TRUE(Ctl(*banDai, id)->isEnabled()) << id;
    EXPECT_TRUE(Ctl(*banDai, 1128)->isEnabled());
    Tab(0);
    Click(*jiHe, 1283);
    EXPECT_FALSE(Ctl(*jiHe, 1290)->isEnabled());
    Tab(1);
    for (int id : {1120, 1123, 1125, 1374, 1180, 1183}) EXPECT_FALSE(Ctl(*banDai, id)->isEnabled()) << id;
    EXPECT_TRUE(Ctl(*banDai, 1166)->isEnabled());
}

TEST_F(WllgSheetTest, LoadPicturesThatCannotBeFoundLeaveTheirButtonsEmpty) {
    kv::test::TempFolder empty;
    const std::string kept = G_strExePath;
    G_strExePath = empty.path();
    Open();
    G_strExePath = kept;
    Tab(1);
    for (int id : {1282, 1042, 1008}) {
        EXPECT_TRUE(Ctl<QToolButton>(*banDai, id)->icon().isNull()) << id;
        EXPECT_FALSE(Ctl(*banDai, id)->isEnabled());
    }
    Type(*banDai, 1128, "70");
    EXPECT_FLOAT_EQ(data.m_fSlabQ, 70.0f);
}

TEST_F(WllgSheetTest, RoundColumnsTakeADiameterInsteadOfTwoSides) {
    Open();
    Click(*jiHe, 1297);
    EXPECT_TRUE(Ctl(*jiHe, 1309)->isEnabled());
    EXPECT_FALSE(Ctl(*jiHe, 1279)->isEnabled());
    EXPECT_FALSE(Ctl(*jiHe, 1301)->isEnabled());
    EXPECT_TRUE(Ctl(*jiHe, 1274)->isEnabled());
    EXPECT_EQ(data.m_nMidRound, 1);
    EXPECT_EQ(data.m_ChongQie.m_nSquareCol, 0) << "the punching column is the middle one";
}

TEST_F(WllgSheetTest, EdgeCapChoiceShowsOnlyWhileTheColumnsHaveCaps) {
    Open();
    EXPECT_TRUE(Ctl(*jiHe, 3196)->isVisibleTo(jiHe.get()));
    Tab(3);
    Click(*chongQie, 3085);
    Tab(0);
    EXPECT_FALSE(Ctl(*jiHe, 3196)->isVisibleTo(jiHe.get()));
    EXPECT_FALSE(Ctl(*jiHe, 3197)->isVisibleTo(jiHe.get()));
    Tab(3);
    Click(*chongQie, 1113);
    Tab(0);
    EXPECT_TRUE(Ctl(*jiHe, 3197)->isVisibleTo(jiHe.get()));
}

TEST_F(WllgSheetTest, CapDesignOnlyForACapBelowAndWrittenBackZeroOtherwise) {
    Open();
    Tab(2);
    EXPECT_TRUE(Ctl(*canShu, 3207)->isEnabled());
    Click(*canShu, 3207);
    Tab(3);
    EXPECT_EQ(data.m_nCapDesign, 1);
    Click(*chongQie, 3088);  // 上反
    EXPECT_EQ(data.m_nCapDesign, 0);
    Tab(2);
    EXPECT_FALSE(Ctl(*canShu, 3207)->isEnabled());
    EXPECT_FALSE(Ctl<QCheckBox>(*canShu, 3207)->isChecked());
    // Ticked while disabled, it is still written back as 0.
    Ctl<QCheckBox>(*canShu, 3207)->setChecked(true);
    Tab(0);
    EXPECT_EQ(data.m_nCapDesign, 0);
}

TEST_F(WllgSheetTest, MiddleStripFactorFollowsOnceTheFocusLeaves) {
    Open();
    Tab(2);
    Ctl<QLineEdit>(*canShu, 1126)->setText("0.70");
    EXPECT_EQ(Text(*canShu, 1141), "0.25");
    Leave(*canShu, 1126);
    EXPECT_EQ(Text(*canShu, 1141), "0.3");
    EXPECT_FLOAT_EQ(data.m_fColEdge, 0.7f);
    EXPECT_FLOAT_EQ(data.m_fMidEdge, 1.0f - 0.7f);
    EXPECT_FALSE(Ctl(*canShu, 1141)->isEnabled());
}

TEST_F(WllgSheetTest, ALoadOutOfRangeIsRefusedAndTheTabStillSwitches) {
    Open();
    Tab(1);
    Ctl<QLineEdit>(*banDai, 1120)->setText("55");
    Ctl<QLineEdit>(*banDai, 1128)->setText("100000");
    EXPECT_EQ(banDai->PageToData(), 2);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], kv::widgets::FloatRangeMessage(0, 99999));
    Tab(2);
    EXPECT_EQ(sheet->TabBar()->currentIndex(), 2);
    EXPECT_TRUE(canShu->isVisible());
    EXPECT_EQ(Shown().size(), 2u);
    EXPECT_FLOAT_EQ(data.m_fSlabQ, 60.0f);
    EXPECT_FLOAT_EQ(data.m_fUpLeftQ1, 50.0f) << "nothing of the page is taken";
}

TEST_F(WllgSheetTest, ColumnOffsetIsAtMostAThousandMetres) {
    Open();
    Tab(1);
    Ctl<QLineEdit>(*banDai, 1175)->setText("1000.5");
    EXPECT_EQ(banDai->PageToData(), 2);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], kv::widgets::FloatRangeMessage(0, 1000));
    Ctl<QLineEdit>(*banDai, 1175)->setText("1000");
    EXPECT_EQ(banDai->PageToData(), 1);
    EXPECT_FLOAT_EQ(data.m_fLowLeftA, 1000.0f);
}

TEST_F(WllgSheetTest, RedistributionTipFollowsTheCodeEdition) {
    {
        Open();
        const QString tip = Ctl(*canShu, 1121)->toolTip();
        EXPECT_TRUE(tip.startsWith("根据" + QString::fromUtf8(GF_GetGuiFanName(2010, 1, 2)) + "第5.4.3条：\n"));
        EXPECT_TRUE(tip.endsWith("注意：\n    如果不调幅，请填0。"));
    }
    kv::test::EditionGuard older(2002);
    EXPECT_EQ(CPageWllgCanShu::RedistributionTip(), "注意：\n    如果不调幅，请填0。");
    Tab(2);
    Ctl<QLineEdit>(*canShu, 1121)->setText("100.5");
    EXPECT_EQ(canShu->PageToData(), 0);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], kv::widgets::FloatRangeMessage(0, 100));
    EXPECT_FLOAT_EQ(data.m_fRedist, 15.0f);
}

TEST_F(WllgSheetTest, ASpanChangeReachesThePunchingPage) {
    Open();
    Type(*jiHe, 1371, "5*3");
    Tab(3);
    EXPECT_EQ(Text(*chongQie, 1016), "5000");
    EXPECT_EQ(Text(*chongQie, 3094), "60") << "even spans of 5 m: q as it is";
    Tab(1);
    Type(*banDai, 1128, "80");
    Tab(3);
    EXPECT_EQ(Text(*chongQie, 3094), "80");
}

TEST_F(WllgSheetTest, SpanTextLongerThanItsFieldIsRefused) {
    Open();
    const std::string fits = "1 " + std::string(297, ' ');
    Ctl<QLineEdit>(*jiHe, 1371)->setText(QString::fromStdString(fits));
    EXPECT_EQ(jiHe->PageToData(), 1);
    EXPECT_EQ(data.m_szSpans.size(), 299u);
    Ctl<QLineEdit>(*jiHe, 1371)->setText(QString::fromStdString(fits + " "));
    Ctl<QLineEdit>(*jiHe, 1196)->setText("5000");
    EXPECT_EQ(jiHe->PageToData(), 0);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], "请输入不超过 299 个字符。");
    EXPECT_EQ(data.m_szSpans, fits);
    EXPECT_EQ(data.m_nStripWidth, 4500);
}

TEST_F(WllgSheetTest, RefusedSpanTextLeavesThePreviewEmptyWithTheParsersMessage) {
    Open();
    kv::err::ClearRecentLines();
    Type(*jiHe, 1371, "*3 6");
    EXPECT_EQ(data.m_szSpans, "*3 6") << "the text is kept for the user to mend";
    EXPECT_TRUE(jiHe->Sketch()->Entities().empty());
    ASSERT_FALSE(kv::err::RecentLines().empty());
    EXPECT_EQ(kv::err::RecentLines().back().text, "跨长输入有误 !");
    EXPECT_EQ(JS_ERROR_CODE, 0) << "the next run is not stopped by the preview";
    Type(*jiHe, 1371, "6 6");
    EXPECT_FALSE(jiHe->Sketch()->Entities().empty());
}

TEST_F(WllgSheetTest, SavedFileReadsBackAndTitlesThePage) {
    Open();
    Ctl<QLineEdit>(*jiHe, 3087)->setText("地下二层 WLB-2");
    Ctl<QLineEdit>(*jiHe, 1371)->setText("7.2*4");
    const std::string path = dir / "slab.WLB";
    fileDialogs->Answer(path);
    Click(*jiHe, 1377);
    EXPECT_EQ(jiHe->windowTitle().toStdString(), path);
    ASSERT_EQ(fileDialogs->requests().size(), 1u);
    EXPECT_EQ(fileDialogs->requests()[0].filter.rfind("无梁楼盖数据文件(*.WLB)", 0), 0u);
    EXPECT_EQ(fileDialogs->requests()[0].initialPath, dir.path());

    data = CWllgData();
    jiHe->DataToPage();
    EXPECT_EQ(Text(*jiHe, 1371), "6*2 8.0");
    fileDialogs->Answer(path);
    Click(*jiHe, 3086);
    EXPECT_EQ(Text(*jiHe, 1371), "7.2*4");
    EXPECT_EQ(Text(*jiHe, 3087), "地下二层 WLB-2");
    EXPECT_EQ(data.m_szSpans, "7.2*4");
    EXPECT_EQ(jiHe->windowTitle().toStdString(), path);
}

TEST_F(WllgSheetTest, ReadingAForeignFileChangesNothing) {
    Open();
    std::ofstream(dir / "slab.WLB") << "KV_BAN_V30\n0,1\n";
    fileDialogs->Answer(dir / "slab.WLB");
    Ctl<QLineEdit>(*jiHe, 1371)->setText("9 9");
    Click(*jiHe, 3086);
    EXPECT_EQ(Text(*jiHe, 1371), "9 9");
    EXPECT_EQ(data.m_szSpans, "6*2 8.0");
    EXPECT_TRUE(jiHe->windowTitle().isEmpty());
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], "文件类型不匹配 !");
}

TEST_F(WllgSheetTest, DiagramAndReportButtonsEndTheSheet) {
    data.SetFileName("&KV_0002");
    std::vector<std::string> shown;
    SetDiagramViewer([&](const std::string& path) { shown.push_back(path); });
    ASSERT_TRUE(kv::platform::WriteTextFile(dir / data.GetRtfFileName(0), "无梁楼盖计算书\n"));
    kv::test::ReportViewStandIn view;
    Open();
    Click(*jiHe, 3091);  // 查报表
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->result(), 1);
    EXPECT_TRUE(view.doc.toPlainText().contains("无梁楼盖计算书"));
    sheet->show();
    Click(*jiHe, 3089);  // 查简图: no diagrams yet, the chooser with their six titles
    EXPECT_FALSE(sheet->isVisible());
    ASSERT_NE(JianTuChooser(), nullptr);
    EXPECT_EQ(JianTuChooser()->List()->count(), 6);
    SetDiagramViewer({});
    DestroyJianTuChooser();
}

// ---- the punching page ----------------------------------------------------------------

TEST_F(WllgSheetTest, WithoutCapTheCapControlsAreOffAndTheCapDesignCleared) {
    data.m_nCapDesign = 1;
    Open();
    Tab(3);
    Click(*chongQie, 3085);
    for (int id : {1150, 1026, 1031, 1048, 3088, 3090}) EXPECT_FALSE(Ctl(*chongQie, id)->isEnabled()) << id;
    EXPECT_FALSE(Ctl(*chongQie, 3214)->isVisibleTo(chongQie.get()));
    EXPECT_FALSE(Ctl(*chongQie, 3215)->isVisibleTo(chongQie.get()));
    EXPECT_EQ(data.m_nCapDesign, 0);
    EXPECT_EQ(data.m_ChongQie.m_nHasCap, 0);
    Click(*chongQie, 1113);
    for (int id : {1150, 1026, 1048, 3088, 3090}) EXPECT_TRUE(Ctl(*chongQie, id)->isEnabled()) << id;
    EXPECT_FALSE(Ctl(*chongQie, 1031)->isEnabled()) << "a square column's cap has two sides";
}

TEST_F(WllgSheetTest, UpperCapOffersTheReversedDropPanel) {
    Open();
    Tab(3);
    EXPECT_FALSE(Ctl(*chongQie, 3214)->isVisibleTo(chongQie.get()));
    Click(*chongQie, 3088);
    EXPECT_TRUE(Ctl(*chongQie, 3214)->isVisibleTo(chongQie.get()));
    EXPECT_FALSE(Ctl(*chongQie, 3215)->isVisibleTo(chongQie.get()));
    Click(*chongQie, 3214);
    EXPECT_TRUE(Ctl(*chongQie, 3215)->isVisibleTo(chongQie.get()));
    Click(*chongQie, 3090);
    EXPECT_FALSE(Ctl(*chongQie, 3214)->isVisibleTo(chongQie.get()));
    EXPECT_FALSE(Ctl(*chongQie, 3215)->isVisibleTo(chongQie.get()));
}

TEST_F(WllgSheetTest, CheckListsTheMessageFileAndNeedsTwoSpans) {
    Open();
    Tab(3);
    ASSERT_TRUE(Ctl(*chongQie, 1170)->isEnabled());
    Click(*chongQie, 1170);
    std::ifstream box(dir / "Message.Box");
    ASSERT_TRUE(box.good());
    int lines = 0;
    for (std::string line; std::getline(box, line);) ++lines;
    QListWidget* list = chongQie->Messages();
    ASSERT_GT(lines, 0);
    ASSERT_EQ(list->count(), lines);
    for (int i = 0; i < list->count(); ++i) EXPECT_TRUE(list->item(i)->text().endsWith(' ')) << i;
    EXPECT_FALSE(list->item(0)->text().contains('\n'));

    Tab(0);
    Type(*jiHe, 1371, "6");
    Tab(3);
    EXPECT_FALSE(Ctl(*chongQie, 1170)->isEnabled());
    EXPECT_EQ(list->count(), 0);
    Tab(0);
    Type(*jiHe, 1371, "6 6");
    Tab(3);
    EXPECT_TRUE(Ctl(*chongQie, 1170)->isEnabled());
}

TEST_F(WllgSheetTest, PunchingChoicesAreWrittenBack) {
    Open();
    Tab(3);
    Ctl<QComboBox>(*chongQie, 1176)->setCurrentText("30");
    Ctl<QLineEdit>(*chongQie, 1150)->setText("2400");
    Click(*chongQie, 3082);
    EXPECT_FALSE(Ctl(*chongQie, 1248)->isEnabled());
    Tab(0);
    EXPECT_EQ(data.m_ChongQie.m_nConGrade, 30);
    EXPECT_EQ(data.m_ChongQie.m_nCapB, 2400);
    EXPECT_EQ(data.m_ChongQie.m_nStirrup, 0);
    Tab(3);
    EXPECT_EQ(Text(*chongQie, 1150), "2400");
    EXPECT_FALSE(chongQie->Sketch()->Entities().empty());
}

TEST(ChongQiePaths, OnlyTheFileNamesExtensionIsReplaced) {
    const struct {
        const char *chosen, *ext, *path;
    } cases[] = {
        {"plate", ".KCQ", "plate.KCQ"},     {"plate.txt", ".KCQ", "plate.KCQ"},
        {"a.b/plate", ".KCQ", "a.b/plate.KCQ"}, {"/w/a.b/plate.x.y", ".KCQ", "/w/a.b/plate.x.KCQ"},
        {"r.txt", ".OUT", "r.OUT"},         {"dir.x/r", ".OUT", "dir.x/r.OUT"},
    };
    for (const auto& c : cases) EXPECT_EQ(CDlgChongQie::WithExtension(c.chosen, c.ext), c.path) << c.chosen;
}

TEST_F(WllgSheetTest, ShortPunchingFileChangesOnlyWhatParses) {
    Open();
    Tab(3);
    std::ofstream(dir / "p.KCQ") << "1,2,150,xx\n";
    fileDialogs->Answer(dir / "p.txt");
    Ctl<QPushButton>(*chongQie, 1163)->click();
    EXPECT_EQ(data.m_ChongQie.m_nSteam, 1);
    EXPECT_EQ(data.m_ChongQie.m_nStirrupGrade, 2);
    EXPECT_EQ(data.m_ChongQie.m_nStirrupSpacing, 150);
    EXPECT_EQ(data.m_ChongQie.m_nConGrade, 25);
    EXPECT_EQ(data.m_ChongQie.m_nCivilDefence, 1);
    EXPECT_TRUE(Ctl<QCheckBox>(*chongQie, 1352)->isChecked());
    fileDialogs->Answer(dir / "missing");
    Ctl<QPushButton>(*chongQie, 1163)->click();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], "文件不能打开!");
}

TEST_F(WllgSheetTest, PunchingFileAndReportAreWrittenWhereChosen) {
    Open();
    Tab(3);
    fileDialogs->Answer(dir / "q");
    Ctl<QPushButton>(*chongQie, 922)->click();
    std::ifstream saved(dir / "q.KCQ");
    std::string line;
    ASSERT_TRUE(std::getline(saved, line));
    CHONGQIE_JS_STRUCT back;
    EXPECT_EQ(back.ParseLine(line.c_str()), 21);
    EXPECT_EQ(back.m_nSlabLength, 7000);

    fileDialogs->Answer(dir / "r.txt");
    Ctl<QPushButton>(*chongQie, 1375)->click();
    EXPECT_TRUE(std::ifstream(dir / "r.OUT").good());
    EXPECT_TRUE(Shown().empty());

    Ctl<QLineEdit>(*chongQie, 1048)->setText("thick");
    Ctl<QPushButton>(*chongQie, 1375)->click();
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[0], kv::widgets::NotAnIntegerMessage());
    EXPECT_EQ(Shown()[1], "数据不对");
    EXPECT_EQ(fileDialogs->requests().size(), 2u) << "no dialog after a bad field";
}

}  // namespace
