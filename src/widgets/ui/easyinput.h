#pragma once
// A small input dialog of one column of numbers: one labelled row per value,
// edited in place in a grid, confirmed with 确定 or dropped with 取消. The values
// are the caller's: an edit goes straight into them, so a caller that may drop
// them hands in copies.
#include <QDialog>

#include <memory>
#include <string>

class EasyTableView;

class CEasyInput : public QDialog {
    Q_OBJECT
public:
    // `width` and `height`: the grid's least size in pixels.
    CEasyInput(QWidget* parent, const std::string& title, int width = 100, int height = 100);
    ~CEasyInput() override;

    // A row labelled `label` showing and editing `*value` with `format`.
    void AddRow(const std::string& label, float* value, const char* format = "%.2f");
    int exec() override;

    // The grid's window (tests type into it).
    EasyTableView* View() const { return m_view; }

private:
    class Grid;
    std::unique_ptr<Grid> m_grid;
    EasyTableView* m_view = nullptr;
};
