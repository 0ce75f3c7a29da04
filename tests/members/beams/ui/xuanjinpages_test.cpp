// "选筋" (command 32786): the four pages in the tab-sheet container, driven by
// control id.
#include "members/beams/ui/xuanjinpages.h"

#include "app/mainframe.h"
#include "base/error.h"
#include "platform/services.h"
#include "project/ui/modulecommands.h"
#include "project/ui/projectcommands.h"
#include "support/edition_guard.h"
#include "support/env_guard.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "widgets/rangemessage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

template <class T>
T* Control(QWidget* page, int id) {
    T* control = page->findChild<T*>(QString::number(id));
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

QLineEdit* Edit(QWidget* page, int id) { return Control<QLineEdit>(page, id); }
QComboBox* Combo(QWidget* page, int id) { return Control<QComboBox>(page, id); }

QStringList Lines(QWidget* page) {
    QStringList lines;
    auto* list = Control<QListWidget>(page, 1201);
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

QStringList Items(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

// Types into an edit and leaves it for another control.
void Type(QWidget* page, int id, const QString& text) {
    QLineEdit* edit = Edit(page, id);
    edit->setText(text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
}

// Runs `act` on every modal window that comes up until it returns false.
void WhileModal(std::function<bool(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property("kvSeen").toBool()) return;
        modal->setProperty("kvSeen", true);
        if (!act(modal)) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

const QStringList kRibbed = {"6", "8", "10", "12", "14", "16", "18", "20", "22", "25", "28", "32", "36", "40", "50"};
const QStringList kPlain = {"6", "8", "10", "12", "14", "16", "20"};

class XuanJinPages : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        config.Set(dir / "config");
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
        oldSink = kv::err::SetSink([](int, const std::string&) {});
        dir.MakeCurrent();
    }
    void TearDown() override {
        SetModuleCommand(32786, {});
        G_ZongJinPara = {}, G_FenBuJinPara = {}, G_GuJinPara = {}, G_GangJinPara = {};
        kv::err::SetSink(std::move(oldSink));
        kv::platform::InstallMessageService(std::move(oldMessages));
        JS_ERROR_CODE = 0;
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& m : messages->shown()) texts.push_back(m.text);
        return texts;
    }

    kv::test::EditionGuard edition{2010};
    kv::test::TempFolder dir;
    kv::test::EnvGuard config{"XDG_CONFIG_HOME", std::nullopt};
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;
    kv::err::Sink oldSink;
};

TEST_F(XuanJinPages, TheCommandShowsFourPagesAndOnlyReturnEndsIt) {
    CMainFrame frame;
    InstallProjectCommands(frame);
    SetModuleCommand(32786, [](CMainFrame&) { OnXuanJin(); });
    QString caption;
    QStringList tabs, pages, first;
    bool openAfterOk = false;
    WhileModal([&](QWidget* modal) {
        auto* sheet = qobject_cast<CDlgTabSheet*>(modal);
        if (!sheet) return true;
        caption = sheet->windowTitle();
        for (int i = 0; i < sheet->TabBar()->count(); ++i) tabs << sheet->TabBar()->tabText(i);
        for (int i = 0; i < sheet->PageCount(); ++i) pages << sheet->Page(i)->objectName();
        first = Lines(sheet->Page(0));
        sheet->findChild<QPushButton*>("1")->click();
        QTimer::singleShot(50, sheet, [&openAfterOk, sheet] {
            openAfterOk = sheet->isVisible();
            sheet->findChild<QPushButton*>("2")->click();
        });
        return false;
    });
    frame.SendCommand(32786);
    EXPECT_EQ(caption, "选筋");
    EXPECT_EQ(tabs, (QStringList{"纵筋选筋", "箍筋选筋", "分布筋选筋", "钢筋参数"}));
    EXPECT_EQ(pages, (QStringList{"906", "908", "907", "905"}));
    EXPECT_EQ(first, QStringList{"7D12              \t(792)  \t(-1.04%)"});
    EXPECT_TRUE(openAfterOk);
    EXPECT_TRUE(Shown().empty());  // no question on the way out
}

TEST_F(XuanJinPages, EntriesStayForTheNextOpening) {
    CMainFrame frame;
    InstallProjectCommands(frame);
    SetModuleCommand(32786, [](CMainFrame&) { OnXuanJin(); });
    QString area, legs, n1;
    QStringList lines;
    int opening = 0;
    WhileModal([&](QWidget* modal) {
        auto* sheet = qobject_cast<CDlgTabSheet*>(modal);
        if (!sheet) return true;
        if (opening++ == 0) {
            Type(sheet->Page(0), 3072, "540");
            Combo(sheet->Page(0), 1044)->setCurrentText("20");
            Control<QRadioButton>(sheet->Page(0), 1110)->click();
            Type(sheet->Page(1), 3073, "2");
            Type(sheet->Page(3), 3070, "3");
        } else {
            area = Edit(sheet->Page(0), 3072)->text();
            lines = Lines(sheet->Page(0));
            legs = Edit(sheet->Page(1), 3073)->text();
            n1 = Edit(sheet->Page(3), 3070)->text();
        }
        sheet->reject();
        return opening < 2;
    });
    frame.SendCommand(32786);
    frame.SendCommand(32786);
    EXPECT_EQ(area, "540");
    EXPECT_EQ(G_ZongJinPara.mode, 1);
    EXPECT_EQ(G_ZongJinPara.d2, 20);
    EXPECT_TRUE(lines.contains("2D12 + 2D14 \t(534)  \t(-1.10%)"));
    EXPECT_EQ(legs, "2");
    EXPECT_EQ(n1, "3");
}

TEST_F(XuanJinPages, AGradeChangeRefillsBothDiameterListsAndSearchesAgain) {
    ZONGJIN_PARA zong;
    CPageZongJin page(&zong);
    EXPECT_EQ(Items(Combo(&page, 1039)), kRibbed);
    Combo(&page, 1039)->setCurrentText("20");
    ASSERT_EQ(zong.d1, 20);
    Combo(&page, 1173)->setCurrentText("HPB300");
    EXPECT_EQ(zong.grade, 1);
    for (int id : {1039, 1044}) {
        EXPECT_EQ(Items(Combo(&page, id)), kPlain);
        EXPECT_EQ(Combo(&page, id)->currentText(), "12");
    }
    EXPECT_EQ(zong.d1, 12);
    EXPECT_EQ(Lines(&page), QStringList{"7D12              \t(792)  \t(-1.04%)"});

    // The distribution page keeps its first lists until a grade is chosen.
    FENBUJIN_PARA fen;
    CPageFenBuJin perMetre(&fen);
    EXPECT_EQ(Items(Combo(&perMetre, 1044)), kRibbed.mid(0, 14));
    EXPECT_EQ(Lines(&perMetre), (QStringList{"D12@140                      \t(808)  \t(0.98%)",
                                             "D12@150                      \t(754)  \t(-5.75%)",
                                             "D12@130                      \t(870)  \t(8.75%)"}));
    Combo(&perMetre, 1173)->setCurrentText("RRB400");  // 8 to 40 mm
    EXPECT_EQ(Items(Combo(&perMetre, 1044)).first(), "8");
    EXPECT_EQ(Combo(&perMetre, 1044)->currentText(), "12");
}

TEST_F(XuanJinPages, AnEntryOutOfRangeIsRefusedAndTheRecordShownAgain) {
    const struct {
        int page, id;
        QString typed, shownAgain;
        std::string message;
    } cases[] = {
        {0, 3072, "200000", "800", kv::widgets::FloatRangeMessage(0, 100000)},
        {0, 3075, "-1", "10", kv::widgets::FloatRangeMessage(0, 100)},
        {1, 3078, "0", "100", kv::widgets::IntRangeMessage(1, 10000)},
        {1, 3073, "x", "1", kv::widgets::IntRangeMessage(0, 10000)},
        {2, 3071, "10001", "0", kv::widgets::IntRangeMessage(0, 10000)},
    };
    for (const auto& c : cases) {
        ZONGJIN_PARA zong;
        GUJIN_PARA gu;
        GANGJIN_PARA gang;
        CPageZongJin zongPage(&zong);
        CPageGuJin guPage(&gu);
        CPageGangJinCanShu gangPage(&gang);
        QWidget* pages[] = {&zongPage, &guPage, &gangPage};
        const std::size_t before = messages->shown().size();
        Type(pages[c.page], c.id, c.typed);
        ASSERT_EQ(messages->shown().size(), before + 1) << c.id;
        EXPECT_EQ(messages->shown().back().text, c.message);
        EXPECT_EQ(Edit(pages[c.page], c.id)->text(), c.shownAgain) << c.id;
    }
    ZONGJIN_PARA zong;
    CPageZongJin page(&zong);
    Type(&page, 3072, "200000");
    EXPECT_EQ(zong.As, 800.0f);
    EXPECT_EQ(Lines(&page), QStringList{"7D12              \t(792)  \t(-1.04%)"});
}

TEST_F(XuanJinPages, AResultFileThatCannotBeWrittenEmptiesTheList) {
    GUJIN_PARA gu;
    CPageGuJin page(&gu);
    ASSERT_EQ(Lines(&page).size(), 13);
    std::filesystem::remove(dir / "Message.Box");
    dir.Write("Message.Box/inside", "");  // a folder where the file should be
    Type(&page, 3075, "5");
    EXPECT_TRUE(Lines(&page).isEmpty());
    ASSERT_FALSE(Shown().empty());
    EXPECT_TRUE(Shown().back().starts_with("不能写入文件 : ")) << Shown().back();
}

TEST_F(XuanJinPages, TheBarSetPageShowsAreaPerimeterAndWeightInKilonewtons) {
    GANGJIN_PARA gang;
    CPageGangJinCanShu page(&gang);
    EXPECT_EQ(Items(Combo(&page, 1039)), kRibbed);  // "50" under every edition in use
    auto results = [&page] {
        return QStringList{Edit(&page, 3072)->text(), Edit(&page, 1272)->text(), Edit(&page, 3074)->text()};
    };
    // One D12: 36π mm², 12π mm, 8.645 N/m.
    EXPECT_EQ(results(), (QStringList{"113.10", "37.70", "0.00865"}));
    Type(&page, 3070, "0");
    EXPECT_EQ(results(), (QStringList{"0.00", "0.00", "0.00000"}));
    Combo(&page, 1044)->setCurrentText("50");
    Type(&page, 3071, "2");
    // 2 × 625π mm², 50π mm, 2 × 0.025² π 76440 N/m.
    EXPECT_EQ(results(), (QStringList{"3926.99", "157.08", "0.30018"}));

    kv::test::EditionGuard older(96);
    GANGJIN_PARA old;
    CPageGangJinCanShu oldPage(&old);
    EXPECT_EQ(Items(Combo(&oldPage, 1044)), kRibbed.mid(0, 14));
}

TEST_F(XuanJinPages, EnterMovesOnOnlyOnTheStirrupAndBarSetPages) {
    for (bool stirrups : {true, false}) {
        GUJIN_PARA gu;
        ZONGJIN_PARA zong;
        std::unique_ptr<QWidget> page;
        if (stirrups)
            page = std::make_unique<CPageGuJin>(&gu);
        else
            page = std::make_unique<CPageZongJin>(&zong);
        page->show();
        page->activateWindow();
        QLineEdit* area = Edit(page.get(), 3072);
        area->setFocus();
        QApplication::processEvents();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(area, &enter);
        EXPECT_EQ(area->hasFocus(), !stirrups) << stirrups;
    }
}

// The four pages as the user sees them, each with results. KV_SCREENSHOT_DIR names
// a folder to keep them in (xuanjin-1.png .. xuanjin-4.png).
TEST_F(XuanJinPages, ThePagesShowTheirListsWithRoomForTheColumns) {
    ZONGJIN_PARA zong;
    zong.As = 2000, zong.d1 = 12, zong.d2 = 25, zong.tolerance = 3, zong.mode = 1;
    GUJIN_PARA gu;
    gu.legs = 2, gu.Asv = 140;
    FENBUJIN_PARA fen;
    fen.d1 = 10;
    GANGJIN_PARA gang{20, 4, 25, 2};
    CDlgTabSheet sheet;
    CPageZongJin zongPage(&zong);
    CPageGuJin guPage(&gu);
    CPageFenBuJin fenPage(&fen);
    CPageGangJinCanShu gangPage(&gang);
    sheet.SetCaption("选筋");
    sheet.AddPage("纵筋选筋", &zongPage);
    sheet.AddPage("箍筋选筋", &guPage);
    sheet.AddPage("分布筋选筋", &fenPage);
    sheet.AddPage("钢筋参数", &gangPage);
    sheet.OnInitDialog();
    sheet.show();
    const char* folder = std::getenv("KV_SCREENSHOT_DIR");
    QWidget* pages[] = {&zongPage, &guPage, &fenPage, &gangPage};
    for (int i = 0; i < 4; ++i) {
        sheet.TabBar()->setCurrentIndex(i);
        for (int k = 0; k < 10; ++k) QApplication::processEvents();
        if (i == 0) {
            EXPECT_EQ(Combo(pages[i], 1044)->currentText(), "25");
            EXPECT_EQ(Lines(pages[i]).first(), "9D12 + 2D25 \t(2000)  \t(-0.02%)");
        }
        if (i < 3) {
            auto* list = Control<QListWidget>(pages[i], 1201);
            EXPECT_GT(list->count(), 2) << i;
            // The error column starts at 140 dialog units and takes "(-10.00%)".
            const QFontMetrics fm = list->fontMetrics();
            const qreal letter = fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0;
            EXPECT_GT(list->viewport()->width(), letter * 35 + fm.horizontalAdvance("(-10.00%)")) << i;
        }
        if (folder) EXPECT_TRUE(sheet.grab().save(QDir(folder).filePath(QString("xuanjin-%1.png").arg(i + 1))));
    }
    EXPECT_EQ(Edit(&gangPage, 3072)->text(), "2238.38");  // 4 × 100π + 2 × 156.25π = 712.5π
    sheet.reject();
}

}  // namespace
