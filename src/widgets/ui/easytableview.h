#pragma once
// The window of a grid (widgets/easytable.h): shows its cells, edits them in
// place (a line edit, a drop list for list cells, an editable list for cells
// with proposed values, a check box, a small cell button) and passes the grid's
// messages on as the signal `message`. An edit is handed to the grid after the
// editor has closed, so an owner may re-fill the grid from its message.
#include <QTableWidget>
#include <functional>
#include <vector>

#include "widgets/easytable.h"

class EasyTableView : public QTableWidget, public TableHost {
    Q_OBJECT
public:
    explicit EasyTableView(CEasyTableWnd* grid, QWidget* parent = nullptr);
    ~EasyTableView() override;

    CEasyTableWnd* Grid() const { return grid_; }

    // Shows the grid's cells as they are now.
    void Rebuild();

    // The user's edits, at grid rows and columns (from 1); true when stored.
    bool CommitText(int row, int column, const QString& text);
    bool CommitChoice(int row, int column, int index);
    bool ToggleCheck(int row, int column);
    bool ClickButton(int row, int column);
    // Where a cell's button is drawn (view coordinates).
    QRect ButtonRect(const QRect& cellRect) const;
    // Runs `action` once the event that asked for it is done (and only while the
    // window exists); edits wait so, for their editor to close first.
    void Later(std::function<void()> action);

signals:
    // A message of the grid to its owner (kTableRedraw, kTableRefill, ...).
    void message(int message, quintptr wParam, qintptr lParam);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TableRebuilt() override;
    void StartEdit(int row, int column) override;
    void SendToOwner(int message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void GridGone() override;
    void OnCurrentCellChanged(int row, int column);
    void FitToCells(const std::vector<int>& widths);

    CEasyTableWnd* grid_;
    bool rebuilding_ = false;
    int pending_ = 0;  // actions waiting in Later
};

// Places the grid's window over the dialog's control `placeholderId` (found by
// its object name), fills the grid and shows it. `mode` is kept for the callers;
// every grid window behaves alike. Null when the dialog has no such control.
EasyTableView* CreateEasyTable(QWidget* dialog, CEasyTableWnd* grid, int placeholderId, int mode);
