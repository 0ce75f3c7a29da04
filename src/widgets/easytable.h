#pragma once
// Table windows: a grid of cells bound to the fields of a data record. A grid
// class derives from CEasyTableWnd and builds its rows in FillTable; each cell
// shows a field and stores an edit straight into it. The grid itself holds no
// widget: a window (widgets/ui/easytableview.h) shows and edits it, and the
// same grid fills a report table without any window (InsertTable below).
//
// An edit is parsed and checked against the cell's limits (a refusal shows the
// standard range message), stored into its field, then AfterDataChange runs,
// then every message registered with AddReact goes to the owner with
// wParam = row | column << 16 and lParam = the grid.
//
// Cell texts may carry colour marks: byte 1 and two digits switch the colour
// (01 back to normal), and "~" ends a coloured run ("\x01" "06不满足~").
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/rtf.h"

// Messages a grid sends to its owner.
inline constexpr int kTableRefill = 0x1601;        // re-fill the grids, then redraw
inline constexpr int kTableRedraw = 0x1610;        // redraw what shows the data
inline constexpr int kTableCellSelected = 0x1611;  // the user moved to another cell
inline constexpr int kTableCellButton = 0x1617;    // a cell's button; lParam = its number

class CEasyTableWnd;

class CETCell {
public:
    enum Kind { kText, kFloat, kInt, kCheck, kString };

    // Edits outside [min, max] are refused (number cells; list cells check the value chosen).
    void SetLimit(double min, double max);
    // 0: read-only; otherwise editable.
    void SetState(int state);
    // Hint shown when the pointer rests on the cell.
    void SetTiShi(const std::string& text);
    // Proposed values, comma-separated; blanks around them are dropped.
    void SetSelectList(const std::string& list);
    // show != 0 puts a small button into the cell that reports `number`.
    void SetButton(int show, int number);
    // Windows colour values (0x00BBGGRR).
    void SetBkColor(std::uint32_t colour);
    void SetTextColor(std::uint32_t colour);

    int Row() const { return row_; }
    int Column() const { return column_; }
    Kind GetKind() const { return kind_; }
    bool IsEditable() const { return editable_ && kind_ != kText; }
    bool HasLimit() const { return hasLimit_; }
    double LimitMin() const { return min_; }
    double LimitMax() const { return max_; }
    const std::string& TiShi() const { return hint_; }
    const std::vector<std::string>& SelectList() const { return proposals_; }
    bool HasButton() const { return hasButton_; }
    int ButtonNumber() const { return buttonNumber_; }
    std::uint32_t BkColor() const { return bk_; }
    std::uint32_t TextColor() const { return fg_; }
    bool BkColorSet() const { return bkSet_; }
    bool TextColorSet() const { return fgSet_; }

    // The text the cell shows (the field's value, its list text, or the label).
    std::string GetText() const;
    // The texts to choose from; empty for cells that are typed into.
    const std::vector<std::string>& Choices() const { return choices_; }
    // Index of the field's value in Choices(), or -1.
    int ChoiceIndex() const;
    // Check cells: the field is not 0.
    bool IsChecked() const;
    // Text cells made with a text rule (see CEasyTableWnd::ReadText).
    int TextRule() const { return textRule_; }
    int RuleArg(int k) const { return k == 0 ? ruleA_ : k == 1 ? ruleB_ : ruleC_; }
    // Bytes a text cell on a character array holds with its terminator (0: no limit).
    std::size_t TextCapacity() const { return chars_ ? charsSize_ : 0; }

private:
    friend class CEasyTableWnd;
    CETCell(int row, int column, Kind kind) : row_(row), column_(column), kind_(kind) {}

    int row_, column_;
    Kind kind_;
    std::string text_;                  // label text; format of a float cell
    float* float_ = nullptr;
    int* int_ = nullptr;
    std::string* string_ = nullptr;
    char* chars_ = nullptr;             // text field held in a character array
    std::size_t charsSize_ = 0;
    std::vector<std::string> choices_;  // list texts
    std::vector<int> values_;           // int list: the value of each text
    bool editable_ = true;
    bool hasLimit_ = false;
    double min_ = 0, max_ = 0;
    std::string hint_;
    std::vector<std::string> proposals_;
    bool hasButton_ = false;
    int buttonNumber_ = 0;
    std::uint32_t bk_ = 0xFFFFFF, fg_ = 0;
    bool bkSet_ = false, fgSet_ = false;
    // Bar-text cells: the text is checked by the grid's ReadText before it is stored.
    int textRule_ = 0;
    int ruleA_ = 0, ruleB_ = 0, ruleC_ = 0;

    std::string FieldText() const;
    void StoreText(const std::string& text);
};

// What shows a grid: the grid tells it when to rebuild, where to edit and what
// to send to the grid's owner.
class TableHost {
public:
    virtual ~TableHost() = default;
    virtual void TableRebuilt() = 0;
    virtual void StartEdit(int row, int column) = 0;
    virtual void SendToOwner(int message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual void GridGone() = 0;
};

class CTableWnd {
public:
    CTableWnd() = default;
    virtual ~CTableWnd();
    CTableWnd(const CTableWnd&) = delete;
    CTableWnd& operator=(const CTableWnd&) = delete;

    // Rebuilds the grid from its data (FillTable) and shows it again.
    void UpdateTable();
    // Makes (row, column) the current cell and opens its editor when it has a window.
    void MoveEdit(int row, int column);

    int GetCurRow() const { return curRow_; }
    int GetCurCol() const { return curCol_; }
    void SetCurCell(int row, int column) {
        curRow_ = row;
        curCol_ = column;
    }

    virtual int FillTable() { return 1; }

    void SetHost(TableHost* host) { host_ = host; }
    TableHost* Host() const { return host_; }

protected:
    void Send(int message, std::uintptr_t wParam, std::intptr_t lParam);

private:
    TableHost* host_ = nullptr;
    int curRow_ = 1, curCol_ = 2;
};

class CEasyTableWnd : public CTableWnd {
public:
    CEasyTableWnd();
    ~CEasyTableWnd() override;

    // Position value the fills reset before they clear the grid; the grid keeps nothing in it.
    int m_nPos = 0;
    // Rows filled; FillTable stores it.
    int m_nRowCount = 0;
    // Height in pixels of the title line of a titled grid (0: the window's own).
    int m_nTitleHeight = 0;
    // 1 while the grid is filled for a report, 0 in dialogs.
    int m_nReportMode = 0;

    // Removes every cell, column, title and registered message.
    void ClearEasyTable();
    // Turns {0, w1, w2, ..., -1} into the column positions {0, w1, w1 + w2, ..., -1}.
    static void LieWid2LiePos(int* lie);
    // Columns from the positions (ending with -1; n positions make n - 1 columns)
    // and, optionally, one title per column. `style` and `flags` are kept for the
    // callers; the grid draws every style alike.
    void IniEasyTable(int style, int flags, const int* positions, const char* const* titles = nullptr);
    // kind 5: send `message` to the owner after every edit. Other kinds are kept unused.
    void AddReact(int kind, int message, int wParam = 0, int lParam = 0);

    // An empty label cell (a place that takes colours but no text).
    CETCell* AddText(int row, int column);
    // A label: printf-style text.
    CETCell* AddText(int row, int column, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 4, 5)))
#endif
        ;
    // A float shown with `format` (one %f, %e or %g conversion; otherwise "%g");
    // with `count` list texts the value is the index of the text chosen.
    CETCell* AddFloat(int row, int column, float* field, const char* format, int count = 0,
                      const char* const* texts = nullptr);
    // An int; with `count` list texts the value is the index of the text chosen, or
    // values[index] when a value list is given.
    CETCell* AddInt(int row, int column, int* field, int count = 0, const char* const* texts = nullptr,
                    const int* values = nullptr);
    // A check box on an int field (1 checked, 0 not); `text` is shown beside it.
    CETCell* AddCheck(int row, int column, int* field, const char* text = nullptr);

    // Colours of a cell (white and black where there is no cell).
    std::uint32_t GetHangLieBkColor(int row, int column) const;
    std::uint32_t GetHangLieTextColor(int row, int column) const;

    // Called after an edit was stored.
    virtual void AfterDataChange(int row, int column);

    // ---- what a window and a report use ----
    CETCell* GetCell(int row, int column) const;
    const std::vector<std::unique_ptr<CETCell>>& Cells() const { return cells_; }
    // Columns and their widths in pixels (the last one is 0 when it runs to the edge).
    int ColumnCount() const;
    std::vector<int> ColumnWidths() const;
    const std::vector<std::string>& Titles() const { return titles_; }
    // Rows to show: the row count, or the last row holding a cell when that is more.
    int RowCount() const;

    // The user's edits. Each returns 1 when the value was stored (and the
    // notifications went out), 0 when the cell is missing, read-only or refuses it.
    int EditText(int row, int column, const std::string& text);
    int ChooseItem(int row, int column, int index);
    int SetCheck(int row, int column, bool checked);
    // A cell's button was pressed: message kTableCellButton with its number.
    int PressButton(int row, int column);
    // The user moved to another cell: it becomes current and kTableCellSelected goes out.
    void SelectCell(int row, int column);

    // The grid as a report table (the filled cells; titles as a first row).
    kv::report::ReportTable GetReportTable() const;

protected:
    // Adds an editable text cell on a string field or a character array.
    CETCell* AddTextField(int row, int column, std::string* field);
    CETCell* AddTextField(int row, int column, char* field, std::size_t size);
    // Checks a typed text of a cell made with a text rule: returns false (after
    // telling the user) to refuse it; may rewrite `text` into its stored form.
    virtual bool ReadText(CETCell& cell, std::string& text);
    // Marks a text cell so that ReadText is asked before a text is stored.
    static void SetTextRule(CETCell* cell, int rule, int a, int b, int c);

private:
    CETCell* Add(std::unique_ptr<CETCell> cell);
    int Stored(int row, int column);

    std::vector<std::unique_ptr<CETCell>> cells_;
    std::vector<int> positions_;
    std::vector<std::string> titles_;
    std::vector<int> reacts_;
    int style_ = 0;
};

// Report conversion of grid texts: colour runs that end with "~" end with the
// normal-colour mark instead, as the report writer reads them.
std::string GridTextToReport(const std::string& text);
// Display form of a grid text: marks removed; `colourIndex` is the first colour
// switched to other than normal (0 when none).
std::string GridTextPlain(const std::string& text, int& colourIndex);

// Fills the grid (FillTable) and writes it into the report as a table.
int InsertTable(kv::report::CRTF& rtf, CEasyTableWnd& grid, int indentCells, int widthPercent,
                int boldFirstColumn, int boldFirstRow, int borders);
