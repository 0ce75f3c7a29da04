#include "widgets/ui/messagewnd.h"

#include "base/error.h"
#include "support/qt_app.h"

#include <QApplication>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {

QApplication& App() { return kv::test::EnsureQtApp(); }

QStringList Lines(const CMessageWnd& wnd) {
    QStringList out;
    for (int i = 0; i < wnd.List()->count(); ++i) out << wnd.List()->item(i)->text();
    return out;
}

TEST(MessageWindow, ShowsTheRunsLinesAndComesUpWhenAskedOrOnProblems) {
    App();
    QWidget owner;
    CMessageWnd* wnd = InstallMessageWindow(&owner);
    JS_ERROR_CODE = 0;

    tell_error(-1111, "");
    tell_error1(1, "第%d次迭代", 3);  // progress lines do not pop the window up
    EXPECT_FALSE(wnd->isVisible());
    tell_error(-8899, "");             // a run without problems ends quietly
    EXPECT_FALSE(wnd->isVisible());

    tell_error(101, "配筋率大于1.5% !\n");
    EXPECT_TRUE(wnd->isVisible());
    EXPECT_EQ(Lines(*wnd), (QStringList{"第3次迭代", "配筋率大于1.5% !"}));
    EXPECT_EQ(wnd->List()->item(1)->foreground().color(), QColor(0, 0, 200));

    wnd->hide();
    tell_error(-1111, "");  // a new run empties the window
    EXPECT_TRUE(Lines(*wnd).isEmpty());
    tell_error(201, "数据错误");
    EXPECT_EQ(JS_ERROR_CODE, 201);
    EXPECT_EQ(wnd->List()->item(0)->foreground().color(), QColor(200, 0, 0));
    wnd->hide();
    tell_error(-8899, "");  // the end of a run with an error brings it up
    EXPECT_TRUE(wnd->isVisible());

    wnd->hide();
    tell_error(0, " \n");  // the show-messages command
    EXPECT_TRUE(wnd->isVisible());
    EXPECT_EQ(wnd->List()->count(), 1);  // a blank notice adds no line
    JS_ERROR_CODE = 0;
}

TEST(MessageWindow, ABurstOfLinesEndsWithTheLastLineInView) {
    App();
    QWidget owner;
    CMessageWnd* wnd = InstallMessageWindow(&owner);
    wnd->show();
    for (int i = 1; i <= 300; ++i) tell_error1(kv::err::kProgress, "第%d次迭代", i);
    QApplication::processEvents();
    QListWidget* list = wnd->List();
    ASSERT_EQ(list->count(), 300);
    EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(299))));
    EXPECT_FALSE(list->viewport()->rect().intersects(list->visualItemRect(list->item(0))));
}

TEST(MessageWindow, TheChannelKeepsWorkingAfterTheWindowIsGone) {
    App();
    {
        QWidget owner;
        InstallMessageWindow(&owner);
    }
    kv::err::ClearRecentLines();
    tell_error(0, "after");
    ASSERT_FALSE(kv::err::RecentLines().empty());
    EXPECT_EQ(kv::err::RecentLines().back().text, "after");
}

}  // namespace
