#include "widgets/ui/easytableview.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "report/rtf.h"

namespace {

QColor FromColourRef(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

class EasyTableDelegate : public QStyledItemDelegate {
public:
    explicit EasyTableDelegate(EasyTableView* view) : QStyledItemDelegate(view), view_(view) {}

    CETCell* Cell(const QModelIndex& index) const {
        CEasyTableWnd* grid = view_->Grid();
        return grid ? grid->GetCell(index.row() + 1, index.column() + 1) : nullptr;
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        CETCell* cell = Cell(index);
        if (!cell || !cell->IsEditable() || cell->GetKind() == CETCell::kCheck) return nullptr;
        if (!cell->Choices().empty()) {
            auto* box = new QComboBox(parent);
            for (const auto& t : cell->Choices()) box->addItem(Q(t));
            return box;
        }
        if (!cell->SelectList().empty()) {
            auto* box = new QComboBox(parent);
            box->setEditable(true);
            for (const auto& t : cell->SelectList()) box->addItem(Q(t));
            return box;
        }
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        return edit;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        CETCell* cell = Cell(index);
        if (!cell) return;
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            if (!box->isEditable()) box->setCurrentIndex(cell->ChoiceIndex());
            else box->setEditText(Q(cell->GetText()));
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            edit->setText(Q(cell->GetText()));
            edit->selectAll();
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        const int row = index.row() + 1, column = index.column() + 1;
        EasyTableView* view = view_;
        if (auto* box = qobject_cast<QComboBox*>(editor); box && !box->isEditable()) {
            const int chosen = box->currentIndex();
            view_->Later([view, row, column, chosen] { view->CommitChoice(row, column, chosen); });
            return;
        }
        QString text;
        if (auto* box = qobject_cast<QComboBox*>(editor)) text = box->currentText();
        else if (auto* edit = qobject_cast<QLineEdit*>(editor)) text = edit->text();
        // The editor opened with the shown, possibly rounded, text: left as it was, it changes nothing.
        if (CETCell* cell = Cell(index); cell && text == Q(cell->GetText())) return;
        view_->Later([view, row, column, text] { view->CommitText(row, column, text); });
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        CETCell* cell = Cell(index);
        if (!cell || !cell->HasButton()) return;
        QStyleOptionButton button;
        button.rect = view_->ButtonRect(option.rect);
        button.text = QStringLiteral("…");
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        QApplication::style()->drawControl(QStyle::CE_PushButton, &button, painter);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        CETCell* cell = Cell(index);
        if (cell && event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const int row = index.row() + 1, column = index.column() + 1;
            EasyTableView* view = view_;
            if (cell->HasButton() && view_->ButtonRect(option.rect).contains(mouse->position().toPoint())) {
                view_->Later([view, row, column] { view->ClickButton(row, column); });
                return true;
            }
            if (cell->GetKind() == CETCell::kCheck && cell->IsEditable()) {
                view_->Later([view, row, column] { view->ToggleCheck(row, column); });
                return true;
            }
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

private:
    EasyTableView* view_;
};

}  // namespace

EasyTableView::EasyTableView(CEasyTableWnd* grid, QWidget* parent) : QTableWidget(parent), grid_(grid) {
    setItemDelegate(new EasyTableDelegate(this));
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { OnCurrentCellChanged(row, column); });
    if (grid_) {
        // A grid tells only one window about itself: the one that showed it lets go.
        if (TableHost* before = grid_->Host()) before->GridGone();
        grid_->SetHost(this);
    }
}

EasyTableView::~EasyTableView() {
    if (grid_ && grid_->Host() == this) grid_->SetHost(nullptr);
}

void EasyTableView::Rebuild() {
    rebuilding_ = true;
    clear();
    if (!grid_) {
        setRowCount(0);
        setColumnCount(0);
        rebuilding_ = false;
        return;
    }
    const int columns = grid_->ColumnCount();
    const int rows = grid_->RowCount();
    setColumnCount(columns);
    setRowCount(rows);
    if (grid_->Titles().empty()) {
        horizontalHeader()->hide();
    } else {
        QStringList titles;
        for (const auto& t : grid_->Titles()) {
            int colour = 0;
            titles << Q(GridTextPlain(t, colour));
        }
        setHorizontalHeaderLabels(titles);
        if (grid_->m_nTitleHeight > 0) horizontalHeader()->setMinimumHeight(grid_->m_nTitleHeight);
        horizontalHeader()->show();
    }
    for (const auto& cell : grid_->Cells()) {
        const int r = cell->Row() - 1, c = cell->Column() - 1;
        if (r < 0 || c < 0 || r >= rows || c >= columns) continue;
        int markColour = 0;
        const std::string plain = GridTextPlain(cell->GetText(), markColour);
        auto* item = new QTableWidgetItem(Q(plain));
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (cell->IsEditable() && cell->GetKind() != CETCell::kCheck) flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        if (cell->GetKind() == CETCell::kCheck) item->setData(Qt::CheckStateRole, cell->IsChecked() ? Qt::Checked : Qt::Unchecked);
        item->setBackground(FromColourRef(cell->BkColor()));
        QColor text = FromColourRef(cell->TextColor());
        if (!cell->TextColorSet()) {
            if (markColour != 0) text = FromColourRef(kv::report::ColourOfIndex(markColour));
            else if (cell->GetKind() != CETCell::kText && !cell->IsEditable()) text = QColor(128, 128, 128);
        }
        item->setForeground(text);
        if (!cell->TiShi().empty()) item->setToolTip(Q(cell->TiShi()));
        setItem(r, c, item);
    }
    // Empty places are neither edited nor chosen.
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (!item(r, c)) {
                auto* empty = new QTableWidgetItem;
                empty->setFlags(Qt::ItemIsEnabled);
                setItem(r, c, empty);
            }
    FitToCells(grid_->ColumnWidths());
    const int cr = grid_->GetCurRow() - 1, cc = grid_->GetCurCol() - 1;
    if (cr >= 0 && cr < rows && cc >= 0 && cc < columns) setCurrentCell(cr, cc);
    rebuilding_ = false;
}

void EasyTableView::FitToCells(const std::vector<int>& widths) {
    // The grid's widths suit the font it was laid out for; a larger font (150 %
    // scaling) or a longer text would be cut, so a column is never narrower
    // than its texts. Every row counts, the ones scrolled away too.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int total = 0;
    for (int c = 0; c < columnCount(); ++c) {
        int wanted = c < static_cast<int>(widths.size()) && widths[static_cast<std::size_t>(c)] > 0
                         ? widths[static_cast<std::size_t>(c)]
                         : horizontalHeader()->defaultSectionSize();
        if (!horizontalHeader()->isHidden()) wanted = std::max(wanted, horizontalHeader()->sectionSizeHint(c));
        for (int r = 0; r < rowCount(); ++r) {
            const QModelIndex index = model()->index(r, c);
            int w = itemDelegateForIndex(index)->sizeHint(option, index).width() + (showGrid() ? 1 : 0);
            if (CETCell* cell = grid_->GetCell(r + 1, c + 1); cell && cell->HasButton()) w += 18;
            wanted = std::max(wanted, w);
        }
        setColumnWidth(c, wanted);
        total += wanted;
    }
    // Nor is the window smaller than its cells: the page makes room for them
    // instead of scrolling (the grids are a few rows each).
    setMinimumWidth(total + 2 * frameWidth() + verticalScrollBar()->sizeHint().width());
    const int header = horizontalHeader()->isHidden() ? 0 : horizontalHeader()->sizeHint().height();
    setMinimumHeight(header + verticalHeader()->length() + 2 * frameWidth());
}

bool EasyTableView::CommitText(int row, int column, const QString& text) {
    if (!grid_) return false;
    const int stored = grid_->EditText(row, column, text.toStdString());
    // Shows the stored value, or the field's value again after a refusal.
    if (grid_) Rebuild();
    return stored != 0;
}

bool EasyTableView::CommitChoice(int row, int column, int index) {
    if (!grid_) return false;
    const int stored = grid_->ChooseItem(row, column, index);
    if (grid_) Rebuild();
    return stored != 0;
}

bool EasyTableView::ToggleCheck(int row, int column) {
    if (!grid_) return false;
    CETCell* cell = grid_->GetCell(row, column);
    if (!cell) return false;
    const int stored = grid_->SetCheck(row, column, !cell->IsChecked());
    if (grid_) Rebuild();
    return stored != 0;
}

bool EasyTableView::ClickButton(int row, int column) { return grid_ && grid_->PressButton(row, column) != 0; }

QRect EasyTableView::ButtonRect(const QRect& cellRect) const {
    const int w = std::min(18, cellRect.width());
    return QRect(cellRect.right() - w + 1, cellRect.top() + 1, w - 1, cellRect.height() - 2);
}

void EasyTableView::keyPressEvent(QKeyEvent* event) {
    // Space ticks a check cell as a click does.
    const int row = currentRow() + 1, column = currentColumn() + 1;
    CETCell* cell = grid_ ? grid_->GetCell(row, column) : nullptr;
    if (event->key() == Qt::Key_Space && cell && cell->GetKind() == CETCell::kCheck) {
        ToggleCheck(row, column);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void EasyTableView::TableRebuilt() { Rebuild(); }

void EasyTableView::StartEdit(int row, int column) {
    if (row < 1 || column < 1 || row > rowCount() || column > columnCount()) return;
    rebuilding_ = true;
    setCurrentCell(row - 1, column - 1);
    rebuilding_ = false;
    edit(model()->index(row - 1, column - 1));
}

void EasyTableView::SendToOwner(int msg, std::uintptr_t wParam, std::intptr_t lParam) {
    emit message(msg, static_cast<quintptr>(wParam), static_cast<qintptr>(lParam));
}

void EasyTableView::GridGone() {
    grid_ = nullptr;
    Rebuild();
}

void EasyTableView::Later(std::function<void()> action) {
    ++pending_;
    QPointer<EasyTableView> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, action = std::move(action)] {
            if (!self) return;
            --self->pending_;
            action();
        },
        Qt::QueuedConnection);
}

void EasyTableView::OnCurrentCellChanged(int row, int column) {
    if (rebuilding_ || !grid_ || row < 0 || column < 0) return;
    // Leaving a cell commits its edit first: the move is reported after that edit's messages.
    if (pending_ > 0) {
        Later([this, row, column] {
            if (grid_) grid_->SelectCell(row + 1, column + 1);
        });
        return;
    }
    grid_->SelectCell(row + 1, column + 1);
}

EasyTableView* CreateEasyTable(QWidget* dialog, CEasyTableWnd* grid, int placeholderId, int /*mode*/) {
    if (!dialog || !grid) return nullptr;
    auto* place = dialog->findChild<QWidget*>(QString::number(placeholderId));
    if (!place) return nullptr;
    auto* view = new EasyTableView(grid, place);
    if (!place->layout()) {
        auto* layout = new QVBoxLayout(place);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    place->layout()->addWidget(view);
    grid->UpdateTable();
    return view;
}
