#include "widgets/ui/easytableview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/services.h"
#include "support/qt_app.h"

namespace {

struct Record {
    int kind = 0;
    float width = 6000;
    float rise = 2000;
    int symmetric = 1;
};

class KindGrid : public CEasyTableWnd {
public:
    Record* data = nullptr;
    int FillTable() override {
        m_nPos = 0;
        ClearEasyTable();
        int lie[] = {0, 170, 100, -1};
        LieWid2LiePos(lie);
        IniEasyTable(10, 0, lie);
        AddReact(5, kTableRedraw, 0, 0);
        AddReact(5, kTableRefill, 0, 0);
        static const char* kinds[] = {"直墙拱(无底板)", "直墙拱(有底板)", "直墙拱(有仰拱)", "曲墙拱"};
        AddText(1, 1, "衬砌断面类型");
        AddInt(1, 2, &data->kind, 4, kinds);
        AddText(2, 1, "净宽(mm)");
        CETCell* w = AddFloat(2, 2, &data->width, "%.0f");
        w->SetLimit(1, 1000000);
        w->SetTiShi("净宽");
        AddText(3, 1, "对称配筋");
        AddCheck(3, 2, &data->symmetric);
        int row = 4;
        if (data->kind == 3) {
            AddText(row, 1, "顶拱内矢高(mm)");
            AddFloat(row, 2, &data->rise, "%.0f")->SetButton(1, 1);
            ++row;
        }
        AddText(row, 1, "\x01" "06不满足~");
        AddFloat(row, 2, &data->width, "%.1f")->SetState(0);
        m_nRowCount = row;
        return 1;
    }
};

struct Sent {
    int message;
    quintptr wParam;
    qintptr lParam;
};

class GridWindow : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        kept = kv::platform::InstallMessageService(std::move(scripted));
        page = std::make_unique<QWidget>();
        auto* place = new QWidget(page.get());
        place->setObjectName("2004");
        place->setGeometry(5, 5, 300, 200);
        grid.data = &data;
        view = CreateEasyTable(page.get(), &grid, 2004, 1);
        ASSERT_NE(view, nullptr);
        QObject::connect(view, &EasyTableView::message, [this](int m, quintptr w, qintptr l) {
            sent.push_back({m, w, l});
            // The page's answer to a refill request.
            if (m == kTableRefill) grid.UpdateTable();
        });
    }
    void TearDown() override {
        page.reset();
        kv::platform::InstallMessageService(std::move(kept));
    }
    qintptr Lp() const { return reinterpret_cast<qintptr>(&grid); }
    // Opens the cell's editor, lets `change` work on it and commits as the view does.
    template <typename Editor, typename Change>
    void EditInPlace(int row, int column, Change change) {
        const QModelIndex index = view->model()->index(row - 1, column - 1);
        view->setCurrentIndex(index);
        sent.clear();  // moving there is reported on its own
        view->edit(index);
        auto* editor = qobject_cast<Editor*>(view->indexWidget(index));
        ASSERT_NE(editor, nullptr);
        change(editor);
        QMetaObject::invokeMethod(view, "commitData", Q_ARG(QWidget*, editor));
        QMetaObject::invokeMethod(view, "closeEditor", Q_ARG(QWidget*, editor),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Record data;
    KindGrid grid;
    std::unique_ptr<QWidget> page;
    EasyTableView* view = nullptr;
    std::vector<Sent> sent;
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> kept;
};

TEST_F(GridWindow, TheWindowShowsTheFilledGridOverItsPlaceholder) {
    EXPECT_EQ(view->parentWidget()->objectName(), "2004");
    EXPECT_EQ(view->rowCount(), 4);
    EXPECT_EQ(view->columnCount(), 2);
    EXPECT_EQ(view->columnWidth(0), 170);
    EXPECT_EQ(view->item(0, 1)->text(), "直墙拱(无底板)");
    EXPECT_EQ(view->item(1, 1)->text(), "6000");
    EXPECT_EQ(view->item(1, 1)->toolTip(), "净宽");
    EXPECT_EQ(view->item(2, 1)->data(Qt::CheckStateRole).toInt(), Qt::Checked);
    // A marked text shows without its marks, in the mark's colour.
    EXPECT_EQ(view->item(3, 0)->text(), "不满足");
    EXPECT_EQ(view->item(3, 0)->foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(view->item(3, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(view->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(CreateEasyTable(page.get(), &grid, 9999, 1), nullptr);
}

TEST_F(GridWindow, ATypedValueIsStoredAndTheMessagesFollowInOrder) {
    EditInPlace<QLineEdit>(2, 2, [](QLineEdit* e) { e->setText("7500"); });
    EXPECT_FLOAT_EQ(data.width, 7500);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].message, kTableRedraw);
    EXPECT_EQ(sent[1].message, kTableRefill);
    EXPECT_EQ(sent[0].wParam, quintptr(2 | (2 << 16)));
    EXPECT_EQ(sent[0].lParam, Lp());
    EXPECT_EQ(view->item(1, 1)->text(), "7500");
    EXPECT_EQ(view->item(3, 1)->text(), "7500.0");
}

TEST_F(GridWindow, MovingOnWhileAnEditIsCommittedReportsTheEditFirst) {
    const QModelIndex index = view->model()->index(1, 1);
    view->setCurrentIndex(index);
    sent.clear();
    view->edit(index);
    auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(index));
    ASSERT_NE(editor, nullptr);
    editor->setText("8000");
    view->setCurrentCell(0, 1);  // another cell is chosen: the open editor commits and closes
    QApplication::processEvents();
    EXPECT_FLOAT_EQ(data.width, 8000);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].message, kTableRedraw);
    EXPECT_EQ(sent[1].message, kTableRefill);
    EXPECT_EQ(sent[2].message, kTableCellSelected);
    EXPECT_EQ(grid.GetCurRow(), 1);
}

TEST_F(GridWindow, ARefusedValueShowsTheRangeMessageAndKeepsTheField) {
    EditInPlace<QLineEdit>(2, 2, [](QLineEdit* e) { e->setText("0"); });
    EXPECT_FLOAT_EQ(data.width, 6000);
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_EQ(messages->shown()[0].text, "请输入一个 1 到 1e+06 之间的数。");
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(view->item(1, 1)->text(), "6000");
}

TEST_F(GridWindow, AChoiceThatRefillsTheGridChangesItsRows) {
    EditInPlace<QComboBox>(1, 2, [](QComboBox* box) {
        ASSERT_EQ(box->count(), 4);
        EXPECT_FALSE(box->isEditable());
        box->setCurrentIndex(3);
    });
    EXPECT_EQ(data.kind, 3);
    EXPECT_EQ(view->rowCount(), 5);
    EXPECT_EQ(view->item(0, 1)->text(), "曲墙拱");
    EXPECT_EQ(view->item(3, 0)->text(), "顶拱内矢高(mm)");
}

TEST_F(GridWindow, TheCellButtonSendsItsNumberAndSelectionIsReported) {
    data.kind = 3;
    grid.UpdateTable();
    EXPECT_TRUE(view->ClickButton(4, 2));
    view->setCurrentCell(1, 1);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].message, kTableCellButton);
    EXPECT_EQ(sent[0].lParam, 1);
    EXPECT_EQ(sent[1].message, kTableCellSelected);
    EXPECT_EQ(sent[1].lParam, Lp());
    EXPECT_EQ(grid.GetCurRow(), 2);
    EXPECT_EQ(grid.GetCurCol(), 2);
    // A re-fill keeps the current cell and reports nothing.
    grid.UpdateTable();
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_EQ(view->currentRow(), 1);
}

TEST_F(GridWindow, ACheckCellTogglesItsFieldByClickOrSpace) {
    EXPECT_TRUE(view->ToggleCheck(3, 2));
    EXPECT_EQ(data.symmetric, 0);
    EXPECT_EQ(view->item(2, 1)->data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(sent.size(), 2u);
    view->setCurrentCell(2, 1);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(view, &space);
    EXPECT_EQ(data.symmetric, 1);
    EXPECT_EQ(view->item(2, 1)->data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

TEST_F(GridWindow, TheGridMayGoBeforeItsWindow) {
    auto other = std::make_unique<KindGrid>();
    other->data = &data;
    auto* place = new QWidget(page.get());
    place->setObjectName("2015");
    EasyTableView* second = CreateEasyTable(page.get(), other.get(), 2015, 5);
    ASSERT_NE(second, nullptr);
    other.reset();
    EXPECT_EQ(second->Grid(), nullptr);
    EXPECT_EQ(second->rowCount(), 0);
    EXPECT_FALSE(second->CommitText(2, 2, "1"));
}

}  // namespace

namespace {

// Owners re-fill their grids when a cell is chosen, and move on past the last row after a button.
TEST_F(GridWindow, AnOwnerMayRefillOnSelectionAndMovePastTheLastRow) {
    QObject::connect(view, &EasyTableView::message, [this](int m, quintptr, qintptr) {
        if (m == kTableCellSelected) grid.UpdateTable();
    });
    view->setCurrentCell(1, 1);
    EXPECT_EQ(grid.GetCurRow(), 2);
    EXPECT_EQ(view->currentRow(), 1);
    EXPECT_EQ(view->currentColumn(), 1);
    grid.MoveEdit(grid.RowCount() + 1, 2);
    EXPECT_EQ(view->rowCount(), grid.RowCount());
    for (int r = 0; r < view->rowCount(); ++r) EXPECT_EQ(view->indexWidget(view->model()->index(r, 1)), nullptr);
    grid.MoveEdit(2, 2);
    EXPECT_NE(qobject_cast<QLineEdit*>(view->indexWidget(view->model()->index(1, 1))), nullptr);
}

}  // namespace

namespace {

// A grid shows in one window: a new window takes it over, and closing the old one leaves it there.
TEST_F(GridWindow, ASecondWindowTakesTheGridOver) {
    auto second = std::make_unique<EasyTableView>(&grid);
    EXPECT_EQ(view->Grid(), nullptr);
    EXPECT_FALSE(view->CommitText(2, 2, "5000"));
    delete view;
    view = nullptr;
    EXPECT_EQ(grid.Host(), second.get());
    int forwarded = 0;
    QObject::connect(second.get(), &EasyTableView::message, [&](int, quintptr, qintptr) { ++forwarded; });
    grid.UpdateTable();
    EXPECT_TRUE(second->CommitText(2, 2, "5000"));
    EXPECT_EQ(data.width, 5000.0f);
    EXPECT_EQ(forwarded, 2);
    second.reset();
    EXPECT_EQ(grid.Host(), nullptr);
}

}  // namespace

namespace {

// The cell shows its value rounded: leaving its editor untouched must not store the rounded text.
TEST_F(GridWindow, AnEditorLeftUnchangedStoresNothing) {
    data.width = 6000.4f;
    grid.UpdateTable();
    EditInPlace<QLineEdit>(2, 2, [](QLineEdit* edit) { EXPECT_EQ(edit->text(), "6000"); });
    EXPECT_EQ(data.width, 6000.4f);
    EXPECT_TRUE(sent.empty());
    EditInPlace<QLineEdit>(2, 2, [](QLineEdit* edit) { edit->setText("6001"); });
    EXPECT_EQ(data.width, 6001.0f);
    EXPECT_EQ(sent.size(), 2u);
}

}  // namespace

namespace {

// Bars in columns sized for a small font; the texts must still show whole when
// the desktop's fonts are larger (150 % scaling) or the text is longer.
class BarGrid : public CEasyTableWnd {
public:
    std::string bars = "D28@140";
    int FillTable() override {
        ClearEasyTable();
        int lie[] = {0, 40, 50, 50, -1};
        LieWid2LiePos(lie);
        IniEasyTable(10, 0, lie);
        AddText(1, 1, "水平分布筋");
        AddText(1, 2, "%s", bars.c_str());
        AddText(1, 3, "%s", bars.c_str());
        AddText(2, 1, "x");
        return 1;
    }
};

TEST(GridWindowWidths, EveryColumnIsAtLeastAsWideAsItsTexts) {
    kv::test::EnsureQtApp();
    for (double scale : {1.0, 1.5}) {
        BarGrid grid;
        QWidget page;
        QFont font = page.font();
        font.setPointSizeF(font.pointSizeF() * scale);
        page.setFont(font);
        auto* place = new QWidget(&page);
        place->setObjectName("2104");
        EasyTableView* view = CreateEasyTable(&page, &grid, 2104, 5);
        ASSERT_NE(view, nullptr);
        grid.bars = "D32@100+D28@100";  // a refill with a longer text widens again
        grid.UpdateTable();
        for (int c = 0; c < 2; ++c) {  // the last column stretches anyway
            const int needed = view->fontMetrics().horizontalAdvance(view->item(0, c)->text());
            EXPECT_GT(view->columnWidth(c), needed) << "scale " << scale << ", column " << c;
            // What Qt itself gives a column that must show its texts unelided, grid line included.
            EXPECT_GE(view->columnWidth(c), static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(c)) << "scale " << scale << ", column " << c;
        }
    }
}

}  // namespace
