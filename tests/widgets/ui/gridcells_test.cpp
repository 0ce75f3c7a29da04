#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QWidget>
#include <memory>
#include <vector>

#include "support/edition_guard.h"
#include "widgets/guifantable.h"
#include "support/qt_app.h"
#include "widgets/ui/easytableview.h"

namespace {

using kv::test::EditionGuard;

struct Grades {
    int con = 30;
    int zongJin = 2;
    int guJin = 1;
};

class GradeGrid : public CGuiFanEasyTableWnd {
public:
    Grades* g = nullptr;
    int FillTable() override {
        ClearEasyTable();
        Add_HunNingTu_JieBie(1, 1, &g->con);
        Add_ZongJin_JiBie(2, 1, &g->zongJin, 0, 0);
        Add_GuJin_JieBie(3, 1, &g->guJin);
        m_nRowCount = 3;
        return 1;
    }
};

// Chooses entry `index` in the drop list of a cell as the user does and lets the edit land.
void Choose(EasyTableView* view, int row, int index) {
    const QModelIndex cell = view->model()->index(row - 1, 0);
    view->setCurrentIndex(cell);
    view->edit(cell);
    auto* box = qobject_cast<QComboBox*>(view->indexWidget(cell));
    ASSERT_NE(box, nullptr);
    box->setCurrentIndex(index);
    QMetaObject::invokeMethod(view, "commitData", Q_ARG(QWidget*, box));
    QMetaObject::invokeMethod(view, "closeEditor", Q_ARG(QWidget*, box),
                              Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(GradeGridWindow, EveryListedGradeCanBeChosenAndIsStoredAsItsCode) {
    kv::test::EnsureQtApp();
    struct Case { int edition; std::vector<int> longitudinal, ties; };
    const Case cases[] = {
        {2002, {1, 2, 3, 4}, {1, 2, 3}},
        {2010, {3, 7, 5, 8, 1, 2, 6, 4}, {1, 2, 6, 3, 7, 5, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edition);
        EditionGuard edition(c.edition);
        Grades g;
        GradeGrid grid;
        grid.g = &g;
        QWidget page;
        auto* place = new QWidget(&page);
        place->setObjectName("1063");
        EasyTableView* view = CreateEasyTable(&page, &grid, 1063, 1);
        ASSERT_NE(view, nullptr);
        for (std::size_t i = 0; i < c.longitudinal.size(); ++i) {
            Choose(view, 2, static_cast<int>(i));
            EXPECT_EQ(g.zongJin, c.longitudinal[i]);
            EXPECT_EQ(view->item(1, 0)->text().toStdString(), grid.GetCell(2, 1)->Choices()[i]);
        }
        for (std::size_t i = 0; i < c.ties.size(); ++i) {
            Choose(view, 3, static_cast<int>(i));
            EXPECT_EQ(g.guJin, c.ties[i]);
        }
        const auto& concrete = grid.GetCell(1, 1)->Choices();
        ASSERT_EQ(concrete.size(), 14u);
        for (std::size_t i = 0; i < concrete.size(); ++i) {
            Choose(view, 1, static_cast<int>(i));
            EXPECT_EQ(g.con, 15 + 5 * static_cast<int>(i));  // C15 to C80 in steps of 5
        }
    }
}

}  // namespace
