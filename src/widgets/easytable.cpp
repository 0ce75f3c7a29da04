#include "widgets/easytable.h"
#include "widgets/rangemessage.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/codec.h"
#include "platform/services.h"
#include "report/rtf.h"

namespace {

std::string Trim(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return s.substr(a, b - a);
}

std::string Printf(const char* format, double value) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// A format that prints one double ("%.2f", "%8.0f"); anything else would read
// arguments that are not there.
bool IsFloatFormat(const char* format) {
    int conversions = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') continue;
        if (*++p == '%') continue;
        while (*p && std::strchr("-+ #0", *p)) ++p;
        while (std::isdigit(static_cast<unsigned char>(*p))) ++p;
        if (*p == '.') {
            ++p;
            while (std::isdigit(static_cast<unsigned char>(*p))) ++p;
        }
        if (!*p || !std::strchr("fFeEgGaA", *p)) return false;
        ++conversions;
    }
    return conversions == 1;
}

// The whole text as a number ('.' as the decimal point, whatever the desktop's language).
bool ParseDouble(const std::string& text, double& out) {
    std::string t = Trim(text);
    if (!t.empty() && t[0] == '+') t.erase(0, 1);
    if (t.empty()) return false;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
    return ec == std::errc() && end == t.data() + t.size() && std::isfinite(out);
}

bool ParseInt(const std::string& text, int& out) {
    std::string t = Trim(text);
    if (!t.empty() && t[0] == '+') t.erase(0, 1);
    if (t.empty()) return false;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
    return ec == std::errc() && end == t.data() + t.size();
}

// The range messages of the dialogs' data exchange, worded alike.
void Refuse(const std::string& message) { kv::MessageBox(message, kv::MB_OK | kv::MB_ICONWARNING); }



// The screen's shade of labels; reports print labels without it.
constexpr std::uint32_t kLabelShade = 0xF0F0F0;

// Cuts UTF-8 text to fit `size` bytes with its terminator, never inside a character.
std::string FitBytes(const std::string& text, std::size_t size) {
    if (size == 0) return {};
    return std::string(kv::platform::CutToUtf8Bytes(text, size - 1));
}

}  // namespace

// ---- CETCell -----------------------------------------------------------------

void CETCell::SetLimit(double min, double max) {
    hasLimit_ = true;
    min_ = min;
    max_ = max;
}

void CETCell::SetState(int state) { editable_ = state != 0; }

void CETCell::SetTiShi(const std::string& text) { hint_ = text; }

void CETCell::SetSelectList(const std::string& list) {
    proposals_.clear();
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        std::string item = Trim(list.substr(start, comma - start));
        if (!item.empty()) proposals_.push_back(item);
        start = comma + 1;
    }
}

void CETCell::SetButton(int show, int number) {
    hasButton_ = show != 0;
    buttonNumber_ = number;
}

void CETCell::SetBkColor(std::uint32_t colour) {
    bk_ = colour;
    bkSet_ = true;
}

void CETCell::SetTextColor(std::uint32_t colour) {
    fg_ = colour;
    fgSet_ = true;
}

int CETCell::ChoiceIndex() const {
    if (choices_.empty()) return -1;
    int n = static_cast<int>(choices_.size());
    if (kind_ == kInt && int_) {
        for (int i = 0; i < n; ++i)
            if ((values_.empty() ? i : values_[i]) == *int_) return i;
        return -1;
    }
    if (kind_ == kFloat && float_) {
        double k = std::round(*float_);
        if (std::fabs(*float_ - k) < 1e-4 && k >= 0 && k < n) return static_cast<int>(k);
    }
    return -1;
}

bool CETCell::IsChecked() const { return kind_ == kCheck && int_ && *int_ != 0; }

std::string CETCell::FieldText() const {
    switch (kind_) {
    case kText: return text_;
    case kFloat: return float_ ? Printf(text_.empty() ? "%g" : text_.c_str(), *float_) : std::string();
    case kInt: return int_ ? std::to_string(*int_) : std::string();
    case kCheck: return text_;
    case kString:
        if (string_) return *string_;
        if (chars_) return std::string(chars_, strnlen(chars_, charsSize_));
        return {};
    }
    return {};
}

std::string CETCell::GetText() const {
    int k = ChoiceIndex();
    if (k >= 0) return choices_[k];
    return FieldText();
}

void CETCell::StoreText(const std::string& text) {
    if (string_) *string_ = text;
    if (chars_ && charsSize_ > 0) {
        std::string fit = FitBytes(text, charsSize_);
        std::memcpy(chars_, fit.data(), fit.size());
        chars_[fit.size()] = '\0';
    }
}

// ---- CTableWnd ---------------------------------------------------------------

CTableWnd::~CTableWnd() {
    if (host_) host_->GridGone();
}

void CTableWnd::UpdateTable() {
    FillTable();
    if (host_) host_->TableRebuilt();
}

void CTableWnd::MoveEdit(int row, int column) {
    SetCurCell(row, column);
    if (host_) host_->StartEdit(row, column);
}

void CTableWnd::Send(int message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (host_) host_->SendToOwner(message, wParam, lParam);
}

// ---- CEasyTableWnd -----------------------------------------------------------

CEasyTableWnd::CEasyTableWnd() = default;
CEasyTableWnd::~CEasyTableWnd() = default;

void CEasyTableWnd::ClearEasyTable() {
    cells_.clear();
    positions_.clear();
    titles_.clear();
    reacts_.clear();
    m_nPos = 0;
    m_nRowCount = 0;
}

void CEasyTableWnd::LieWid2LiePos(int* lie) {
    if (!lie || lie[0] == -1) return;
    for (int k = 1; lie[k] != -1; ++k) lie[k] += lie[k - 1];
}

void CEasyTableWnd::IniEasyTable(int style, int /*flags*/, const int* positions, const char* const* titles) {
    style_ = style;
    positions_.clear();
    titles_.clear();
    for (int k = 0; positions && positions[k] != -1; ++k) positions_.push_back(positions[k]);
    if (titles) {
        for (int k = 0; k < ColumnCount() && titles[k]; ++k) titles_.push_back(titles[k]);
    }
}

void CEasyTableWnd::AddReact(int kind, int message, int, int) {
    if (kind == 5) reacts_.push_back(message);
}

CETCell* CEasyTableWnd::Add(std::unique_ptr<CETCell> cell) {
    // A later cell at the same place replaces the earlier one.
    auto same = std::find_if(cells_.begin(), cells_.end(), [&](const auto& c) {
        return c->row_ == cell->row_ && c->column_ == cell->column_;
    });
    if (same != cells_.end()) {
        *same = std::move(cell);
        return same->get();
    }
    cells_.push_back(std::move(cell));
    return cells_.back().get();
}

CETCell* CEasyTableWnd::AddText(int row, int column) { return AddText(row, column, "%s", ""); }

CETCell* CEasyTableWnd::AddText(int row, int column, const char* format, ...) {
    std::unique_ptr<CETCell> cell(new CETCell(row, column, CETCell::kText));
    if (format) {
        std::va_list args, copy;
        va_start(args, format);
        va_copy(copy, args);
        int n = std::vsnprintf(nullptr, 0, format, copy);
        va_end(copy);
        if (n > 0) {
            std::string text(static_cast<std::size_t>(n) + 1, '\0');
            std::vsnprintf(text.data(), text.size(), format, args);
            text.resize(static_cast<std::size_t>(n));
            cell->text_ = std::move(text);
        }
        va_end(args);
    }
    // Labels stand apart from the values.
    cell->bk_ = kLabelShade;
    return Add(std::move(cell));
}

CETCell* CEasyTableWnd::AddFloat(int row, int column, float* field, const char* format, int count,
                                 const char* const* texts) {
    std::unique_ptr<CETCell> cell(new CETCell(row, column, CETCell::kFloat));
    cell->float_ = field;
    cell->text_ = format && IsFloatFormat(format) ? format : "%g";
    for (int k = 0; texts && k < count; ++k) cell->choices_.push_back(texts[k] ? texts[k] : "");
    return Add(std::move(cell));
}

CETCell* CEasyTableWnd::AddInt(int row, int column, int* field, int count, const char* const* texts,
                               const int* values) {
    std::unique_ptr<CETCell> cell(new CETCell(row, column, CETCell::kInt));
    cell->int_ = field;
    for (int k = 0; texts && k < count; ++k) {
        cell->choices_.push_back(texts[k] ? texts[k] : "");
        if (values) cell->values_.push_back(values[k]);
    }
    return Add(std::move(cell));
}

CETCell* CEasyTableWnd::AddCheck(int row, int column, int* field, const char* text) {
    std::unique_ptr<CETCell> cell(new CETCell(row, column, CETCell::kCheck));
    cell->int_ = field;
    cell->text_ = text ? text : "";
    return Add(std::move(cell));
}

CETCell* CEasyTableWnd::AddTextField(int row, int column, std::string* field) {
    std::unique_ptr<CETCell> cell(new CETCell(row, column, CETCell::kString));
    cell->string_ = field;
    return Add(std::move(cell));
}

CETCell* CEasyTableWnd::AddTextField(int row, int column, char* field, std::size_t size) {
    std::unique_ptr<CETCell> cell(new CETCell(row, column, CETCell::kString));
    cell->chars_ = field;
    cell->charsSize_ = size;
    return Add(std::move(cell));
}

void CEasyTableWnd::SetTextRule(CETCell* cell, int rule, int a, int b, int c) {
    if (!cell) return;
    cell->textRule_ = rule;
    cell->ruleA_ = a;
    cell->ruleB_ = b;
    cell->ruleC_ = c;
}

bool CEasyTableWnd::ReadText(CETCell&, std::string&) { return true; }

std::uint32_t CEasyTableWnd::GetHangLieBkColor(int row, int column) const {
    const CETCell* c = GetCell(row, column);
    return c ? c->bk_ : 0xFFFFFF;
}

std::uint32_t CEasyTableWnd::GetHangLieTextColor(int row, int column) const {
    const CETCell* c = GetCell(row, column);
    return c ? c->fg_ : 0;
}

void CEasyTableWnd::AfterDataChange(int, int) {}

CETCell* CEasyTableWnd::GetCell(int row, int column) const {
    for (const auto& c : cells_)
        if (c->row_ == row && c->column_ == column) return c.get();
    return nullptr;
}

int CEasyTableWnd::ColumnCount() const {
    int n = positions_.empty() ? 0 : static_cast<int>(positions_.size()) - 1;
    for (const auto& c : cells_) n = std::max(n, c->column_);
    return n;
}

std::vector<int> CEasyTableWnd::ColumnWidths() const {
    std::vector<int> widths(static_cast<std::size_t>(ColumnCount()), 0);
    for (std::size_t k = 0; k + 1 < positions_.size() && k < widths.size(); ++k)
        widths[k] = std::max(0, positions_[k + 1] - positions_[k]);
    return widths;
}

int CEasyTableWnd::RowCount() const {
    int n = m_nRowCount;
    for (const auto& c : cells_) n = std::max(n, c->row_);
    return n;
}

int CEasyTableWnd::Stored(int row, int column) {
    AfterDataChange(row, column);
    // A message may make the owner re-fill this grid: send from a copy.
    const std::vector<int> messages = reacts_;
    const std::uintptr_t wParam = static_cast<std::uintptr_t>(row & 0xFFFF) |
                                  (static_cast<std::uintptr_t>(column & 0xFFFF) << 16);
    for (int message : messages) Send(message, wParam, reinterpret_cast<std::intptr_t>(this));
    return 1;
}

int CEasyTableWnd::EditText(int row, int column, const std::string& text) {
    CETCell* c = GetCell(row, column);
    if (!c || !c->IsEditable()) return 0;
    if (!c->choices_.empty()) {
        for (std::size_t k = 0; k < c->choices_.size(); ++k)
            if (c->choices_[k] == text) return ChooseItem(row, column, static_cast<int>(k));
        return 0;
    }
    switch (c->kind_) {
    case CETCell::kFloat: {
        if (!c->float_) return 0;
        double v = 0;
        // A number beyond what the float field holds would be stored as infinity.
        bool ok = ParseDouble(text, v) && std::fabs(v) <= FLT_MAX;
        if (c->hasLimit_ && (!ok || v < c->min_ || v > c->max_)) {
            Refuse(kv::widgets::FloatRangeMessage(c->min_, c->max_));
            return 0;
        }
        if (!ok) {
            Refuse(kv::widgets::NotANumberMessage());
            return 0;
        }
        *c->float_ = static_cast<float>(v);
        break;
    }
    case CETCell::kInt: {
        if (!c->int_) return 0;
        int v = 0;
        bool ok = ParseInt(text, v);
        if (c->hasLimit_ && (!ok || v < c->min_ || v > c->max_)) {
            Refuse(kv::widgets::IntRangeMessage(std::llround(c->min_), std::llround(c->max_)));
            return 0;
        }
        if (!ok) {
            Refuse(kv::widgets::NotAnIntegerMessage());
            return 0;
        }
        *c->int_ = v;
        break;
    }
    case CETCell::kCheck: {
        std::string t = Trim(text);
        if (t != "0" && t != "1") return 0;
        return SetCheck(row, column, t == "1");
    }
    case CETCell::kString: {
        if (!c->string_ && (!c->chars_ || c->charsSize_ == 0)) return 0;
        std::string stored = text;
        if (c->textRule_ != 0 && !ReadText(*c, stored)) return 0;
        c->StoreText(stored);
        break;
    }
    case CETCell::kText: return 0;
    }
    return Stored(row, column);
}

int CEasyTableWnd::ChooseItem(int row, int column, int index) {
    CETCell* c = GetCell(row, column);
    if (!c || !c->IsEditable() || index < 0 || index >= static_cast<int>(c->choices_.size())) return 0;
    double v = c->values_.empty() ? index : c->values_[static_cast<std::size_t>(index)];
    if (c->hasLimit_ && (v < c->min_ || v > c->max_)) {
        if (c->kind_ == CETCell::kInt)
            Refuse(kv::widgets::IntRangeMessage(std::llround(c->min_), std::llround(c->max_)));
        else
            Refuse(kv::widgets::FloatRangeMessage(c->min_, c->max_));
        return 0;
    }
    if (c->kind_ == CETCell::kInt && c->int_) *c->int_ = static_cast<int>(v);
    else if (c->kind_ == CETCell::kFloat && c->float_) *c->float_ = static_cast<float>(v);
    else return 0;
    return Stored(row, column);
}

int CEasyTableWnd::SetCheck(int row, int column, bool checked) {
    CETCell* c = GetCell(row, column);
    if (!c || !c->IsEditable() || c->kind_ != CETCell::kCheck || !c->int_) return 0;
    *c->int_ = checked ? 1 : 0;
    return Stored(row, column);
}

int CEasyTableWnd::PressButton(int row, int column) {
    CETCell* c = GetCell(row, column);
    if (!c || !c->hasButton_) return 0;
    SetCurCell(row, column);
    Send(kTableCellButton, static_cast<std::uintptr_t>(row & 0xFFFF) | (static_cast<std::uintptr_t>(column & 0xFFFF) << 16),
         c->buttonNumber_);
    return 1;
}

void CEasyTableWnd::SelectCell(int row, int column) {
    SetCurCell(row, column);
    Send(kTableCellSelected,
         static_cast<std::uintptr_t>(row & 0xFFFF) | (static_cast<std::uintptr_t>(column & 0xFFFF) << 16),
         reinterpret_cast<std::intptr_t>(this));
}

kv::report::ReportTable CEasyTableWnd::GetReportTable() const {
    kv::report::ReportTable table;
    table.columnWidths = ColumnWidths();
    const int columns = ColumnCount();
    if (!titles_.empty()) {
        std::vector<kv::report::ReportCell> row(static_cast<std::size_t>(columns));
        for (std::size_t k = 0; k < titles_.size() && k < row.size(); ++k) row[k].text = GridTextToReport(titles_[k]);
        table.rows.push_back(std::move(row));
    }
    const int rows = RowCount();
    for (int r = 1; r <= rows; ++r) {
        std::vector<kv::report::ReportCell> row(static_cast<std::size_t>(columns));
        for (int k = 1; k <= columns; ++k) {
            const CETCell* c = GetCell(r, k);
            if (!c) continue;
            auto& out = row[static_cast<std::size_t>(k - 1)];
            if (c->kind_ == CETCell::kCheck) out.text = c->IsChecked() ? "是" : "否";
            else out.text = GridTextToReport(c->GetText());
            // Only colours a fill chose on purpose go into the report.
            if (c->fgSet_) out.textColour = c->fg_;
            // A cell given a label's colours prints as a label.
            if (c->bkSet_ && c->bk_ != kLabelShade) out.fillColour = c->bk_;
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

// ---- markup ------------------------------------------------------------------

namespace {

// Walks a grid text: calls out(piece) for plain text, colour(n) for a colour switch.
template <typename Out, typename Colour, typename Tilde>
void WalkMarkup(const std::string& text, Out out, Colour colour, Tilde tilde) {
    bool script = false;
    int current = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\x01' && i + 2 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isdigit(static_cast<unsigned char>(text[i + 2]))) {
            current = (text[i + 1] - '0') * 10 + (text[i + 2] - '0');
            colour(current, text.substr(i, 3));
            i += 2;
            continue;
        }
        if (c == '`' || c == '^') {
            script = true;
            tilde(0, std::string(1, c));
            continue;
        }
        if (c == '~') {
            if (script) {
                script = false;
                tilde(0, "~");
            } else if (current != 1) {
                current = 1;
                tilde(1, "~");
            } else {
                out(std::string(1, c));
            }
            continue;
        }
        if (c == '\n') script = false;
        out(std::string(1, c));
    }
}

}  // namespace

std::string GridTextToReport(const std::string& text) {
    std::string r;
    WalkMarkup(
        text, [&](const std::string& s) { r += s; }, [&](int, const std::string& mark) { r += mark; },
        [&](int endsColour, const std::string& mark) { r += endsColour ? std::string("\x01" "01") : mark; });
    return r;
}

std::string GridTextPlain(const std::string& text, int& colourIndex) {
    colourIndex = 0;
    std::string r;
    WalkMarkup(
        text, [&](const std::string& s) { r += s; },
        [&](int n, const std::string&) {
            if (colourIndex == 0 && n != 1) colourIndex = n;
        },
        [](int, const std::string&) {});
    return r;
}

int InsertTable(kv::report::CRTF& rtf, CEasyTableWnd& grid, int indentCells, int widthPercent, int boldFirstColumn,
                int boldFirstRow, int borders) {
    grid.FillTable();
    return rtf.InsertTable(grid.GetReportTable(), indentCells, widthPercent, boldFirstColumn, boldFirstRow, borders);
}
