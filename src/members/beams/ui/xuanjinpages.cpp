#include "members/beams/ui/xuanjinpages.h"

#include "base/error.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "codes/guifan.h"
#include "codes/ui/gradecombo.h"
#include "platform/services.h"
#include "views/dialogs/jiantu.h"
#include "widgets/ui/ddx.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QVBoxLayout>

#include <filesystem>

namespace {

// The diameters the pages' lists hold before a grade fills them.
const QStringList kDiameters = {"6", "8", "10", "12", "14", "16", "18", "20", "22", "25", "28", "32", "36", "40"};

// The result columns: tab stops in dialog units (a quarter of a mean character).
constexpr int kTabStops[] = {23, 95, 140};

// Draws a result line with its tabs at the list's tab stops, so the area and the
// error stand in columns.
class TabStopDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // A dialog unit is a quarter of the mean width of the letters, as Windows
    // measures it; a font's own mean width runs narrower and would push the
    // longer first fields past the second stop.
    static QList<qreal> Stops(const QFontMetrics& fm) {
        const qreal letter = fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0;
        QList<qreal> stops;
        for (int dlu : kTabStops) stops << letter * dlu / 4.0;
        return stops;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (style) style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
        textOption.setWrapMode(QTextOption::NoWrap);
        textOption.setTabArray(Stops(opt.fontMetrics));
        painter->save();
        painter->setPen(opt.state & QStyle::State_Selected ? opt.palette.color(QPalette::HighlightedText)
                                                           : opt.palette.color(QPalette::Text));
        painter->drawText(QRectF(opt.rect.adjusted(3, 0, 0, 0)), text, textOption);
        painter->restore();
    }
};

// Label and field pairs, `columns` pairs to a row.
using Fields = std::vector<std::pair<QString, QWidget*>>;
QGridLayout* FieldGrid(QWidget* owner, const Fields& fields, int columns) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const int row = static_cast<int>(k) / columns, col = static_cast<int>(k) % columns * 2;
        grid->addWidget(new QLabel(fields[k].first, owner), row, col);
        grid->addWidget(fields[k].second, row, col + 1);
    }
    grid->setColumnStretch(columns * 2, 1);
    return grid;
}

// A focus-out that moved the focus to another control; a message box or menu on
// top is no such move.
bool LeftForAnotherControl(const QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

bool IsEnter(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }

// The diameter a list shows ("%d"); 0 for none.
int DiameterOf(const QComboBox* box) { return box->currentText().trimmed().toInt(); }

// Selects the item that reads `d`; no such item leaves the selection.
void SelectDiameter(QComboBox* box, int d) {
    const QSignalBlocker block(box);
    const int i = box->findText(QString::number(d));
    if (i >= 0) box->setCurrentIndex(i);
}

}  // namespace

// ---- what the pages share ------------------------------------------------------------

CXuanJinPage::CXuanJinPage(int templateId, bool enterMovesOn) {
    setObjectName(QString::number(templateId));
    m_enter = new QPushButton(this);
    m_enter->setObjectName("1177");
    m_enter->setFocusPolicy(Qt::NoFocus);
    m_enter->hide();
    // 钢筋参数 and 箍筋选筋 go on to the next field; the other pages ignore Enter.
    if (enterMovesOn) connect(m_enter, &QPushButton::clicked, this, [this] { focusNextChild(); });
}

void CXuanJinPage::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event)) {
        m_enter->click();
        event->accept();
        return;
    }
    CSheetPage::keyPressEvent(event);
}

bool CXuanJinPage::eventFilter(QObject* watched, QEvent* event) {
    if (LeftForAnotherControl(event)) OnChange();
    return CSheetPage::eventFilter(watched, event);
}

QLineEdit* CXuanJinPage::MakeEdit(int id) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(id));
    edit->setFixedWidth(90);
    edit->installEventFilter(this);
    return edit;
}

QComboBox* CXuanJinPage::MakeCombo(int id) {
    auto* box = new QComboBox(this);
    box->setObjectName(QString::number(id));
    box->setFixedWidth(90);
    box->setMaxVisibleItems(16);
    return box;
}

void CXuanJinPage::OnChange() {
    // A refused entry brings up its message, which moves the focus again.
    static bool busy = false;
    if (busy) return;
    busy = true;
    PageToData();
    DataToPage();
    busy = false;
}

// ---- the search pages ------------------------------------------------------------------

CXuanJinSearchPage::CXuanJinSearchPage(int templateId, bool enterMovesOn) : CXuanJinPage(templateId, enterMovesOn) {
    m_list = new QListWidget(this);
    m_list->setObjectName("1201");
    m_list->setItemDelegate(new TabStopDelegate(m_list));
    m_list->setMinimumSize(440, 190);
}

bool CXuanJinSearchPage::ShowResults(int searched) {
    m_list->clear();
    if (!searched) {
        // No list at all rather than the last search's as if it were this one's.
        if (JS_ERROR_CODE != kv::err::kFailure) {
            std::error_code ec;
            const auto path = std::filesystem::current_path(ec) / kv::xuanjin::kResultFile;
            kv::MessageBox("不能写入文件 : " + path.string() + "\n选筋结果不能显示。", kv::MB_OK | kv::MB_ICONWARNING);
        }
        return true;
    }
    std::vector<std::string> lines;
    if (!kv::xuanjin::ReadResultFile(lines)) {
        kv::MessageBox("不能打开文件!", kv::MB_OK | kv::MB_ICONWARNING);
        return false;
    }
    for (const std::string& line : lines) m_list->addItem(QString::fromStdString(line));
    return true;
}

void CXuanJinSearchPage::LayOut(const std::vector<std::pair<QString, QWidget*>>& rows, QWidget* extra) {
    auto* page = new QVBoxLayout(this);
    page->addLayout(FieldGrid(this, rows, 2));
    if (extra) page->addWidget(extra);
    page->addWidget(m_list, 1);
}

// ---- 纵筋选筋 and 分布筋选筋 -------------------------------------------------------------

CPageZongJin::CPageZongJin(ZONGJIN_PARA* para) : CPageZongJin(906, para) {
    FillGradeList();
    // The lists of the record's grade, then the record's own diameters in them:
    // the entries of the last opening stand, and the list is theirs.
    {
        const QSignalBlocker block(m_grade);
        SelectGangJinCombo(G_guifan, m_para->grade, m_grade, 1);
    }
    FillDiameterItems();
    DataToPage();
}

CPageZongJin::CPageZongJin(int templateId, ZONGJIN_PARA* para) : CXuanJinSearchPage(templateId, false), m_para(para) {
    Build();
}

void CPageZongJin::Build() {
    m_grade = MakeCombo(1173);
    m_grade->addItems({"Ⅰ级", "Ⅱ级", "Ⅲ级"});
    m_area = MakeEdit(3072);
    m_d1 = MakeCombo(1039);
    m_d2 = MakeCombo(1044);
    m_d1->addItems(kDiameters);
    m_d2->addItems(kDiameters);
    m_tolerance = MakeEdit(3075);
    auto* twoDiameters = new QRadioButton("d1和d2两种直径", this);
    twoDiameters->setObjectName("3076");
    auto* between = new QRadioButton("d1和d2之间直径", this);
    between->setObjectName("1110");
    m_mode = new QButtonGroup(this);
    m_mode->addButton(twoDiameters, 0);
    m_mode->addButton(between, 1);
    auto* modes = new QWidget(this);
    auto* modeRow = new QHBoxLayout(modes);
    modeRow->setContentsMargins(0, 0, 0, 0);
    modeRow->addWidget(twoDiameters);
    modeRow->addWidget(between);
    modeRow->addStretch(1);
    LayOut({{"级别:", m_grade},
            {"面积(mm2):", m_area},
            {"直径d1(mm):", m_d1},
            {"直径d2(mm):", m_d2},
            {"面积误差%:", m_tolerance}},
           modes);
    connect(m_grade, &QComboBox::currentIndexChanged, this, &CPageZongJin::OnGradeChange);
    connect(m_d1, &QComboBox::currentIndexChanged, this, [this] { OnChange(); });
    connect(m_d2, &QComboBox::currentIndexChanged, this, [this] { OnChange(); });
    connect(m_mode, &QButtonGroup::idClicked, this, [this] { OnChange(); });
}

void CPageZongJin::FillGradeList() {
    const QSignalBlocker block(m_grade);
    FillGangJinCombo(G_guifan, m_grade, 1);
}

void CPageZongJin::OnGradeChange() {
    PageToData();
    FillDiameterLists();
    DataToPage();
}

bool CPageZongJin::PageToData() {
    ZONGJIN_PARA p = *m_para;
    if (!kv::ddx::Float(m_area, p.As, true, 0, 100000) || !kv::ddx::Float(m_tolerance, p.tolerance, true, 0, 100))
        return false;
    GetComboGrade(G_guifan, p.grade, m_grade, 1);
    p.d1 = DiameterOf(m_d1);
    p.d2 = DiameterOf(m_d2);
    p.mode = m_mode->checkedId() == 1 ? 1 : 0;
    *m_para = p;
    return true;
}

bool CPageZongJin::DataToPage() {
    {
        const QSignalBlocker block(m_grade);
        SelectGangJinCombo(G_guifan, m_para->grade, m_grade, 1);
    }
    const bool shown = ShowResults(Search());
    kv::ddx::Float(m_area, m_para->As, false);
    kv::ddx::Float(m_tolerance, m_para->tolerance, false);
    SelectDiameter(m_d1, m_para->d1);
    SelectDiameter(m_d2, m_para->d2);
    if (QAbstractButton* mode = m_mode->button(m_para->mode == 1 ? 1 : 0)) mode->setChecked(true);
    return shown;
}

void CPageZongJin::FillDiameterLists() {
    FillDiameterItems();
    PageToData();
}

void CPageZongJin::FillDiameterItems() {
    std::vector<int> dims;
    GF_GetGangJinDimList(G_guifan, m_para->grade, dims, 0);
    for (QComboBox* box : {m_d1, m_d2}) {
        const QSignalBlocker block(box);
        box->clear();
        for (int d : dims) box->addItem(QString::number(d));
        int twelve = -1;
        for (int i = 0; i < box->count(); ++i)
            if (box->itemText(i) == "12") twelve = i;
        box->setCurrentIndex(twelve >= 0 ? twelve : std::min(2, box->count() - 1));
    }
}

CPageFenBuJin::CPageFenBuJin(FENBUJIN_PARA* para) : CPageZongJin(907, para) {
    // The diameter lists keep their first items until a grade is chosen.
    FillGradeList();
    DataToPage();
}

// ---- 箍筋选筋 ------------------------------------------------------------------------

CPageGuJin::CPageGuJin(GUJIN_PARA* para) : CXuanJinSearchPage(908, true), m_para(para) {
    m_grade = MakeCombo(1173);
    m_spacing = MakeEdit(3078);
    m_area = MakeEdit(3072);
    m_legs = MakeEdit(3073);
    m_tolerance = MakeEdit(3075);
    LayOut({{"级别:", m_grade},
            {"间距(mm):", m_spacing},
            {"面积(mm):", m_area},
            {"肢数n :", m_legs},
            {"面积误差(%):", m_tolerance}},
           nullptr);
    FillGangJinCombo(G_guifan, m_grade, 3);
    DataToPage();
    connect(m_grade, &QComboBox::currentIndexChanged, this, [this] { OnChange(); });
}

bool CPageGuJin::PageToData() {
    GUJIN_PARA p = *m_para;
    if (!kv::ddx::Int(m_spacing, p.spacing, true, 1, 10000) || !kv::ddx::Float(m_area, p.Asv, true, 0, 100000) ||
        !kv::ddx::Int(m_legs, p.legs, true, 0, 10000) || !kv::ddx::Float(m_tolerance, p.tolerance, true, 0, 100))
        return false;
    GetComboGrade(G_guifan, p.grade, m_grade, 1);
    *m_para = p;
    return true;
}

bool CPageGuJin::DataToPage() {
    {
        const QSignalBlocker block(m_grade);
        SelectGangJinCombo(G_guifan, m_para->grade, m_grade, 3);
    }
    kv::ddx::Int(m_spacing, m_para->spacing, false);
    kv::ddx::Float(m_area, m_para->Asv, false);
    kv::ddx::Int(m_legs, m_para->legs, false);
    kv::ddx::Float(m_tolerance, m_para->tolerance, false);
    return ShowResults(xuanjin_gujin(m_para));
}

// ---- 钢筋参数 ------------------------------------------------------------------------

CPageGangJinCanShu::CPageGangJinCanShu(GANGJIN_PARA* para) : CXuanJinPage(905, true), m_para(para) {
    auto readOnly = [this](int id) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::number(id));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setFixedWidth(110);
        return edit;
    };
    auto combo = [this](int id) {
        QComboBox* box = MakeCombo(id);
        box->addItems(kDiameters);
        return box;
    };
    auto edit = [this](int id) { return MakeEdit(id); };
    m_d1 = combo(1039);
    m_n1 = edit(3070);
    m_d2 = combo(1044);
    m_n2 = edit(3071);
    m_area = readOnly(3072);
    m_perimeter = readOnly(1272);
    m_weight = readOnly(3074);

    auto* results = new QGroupBox("结果:", this);
    results->setLayout(
        FieldGrid(results, {{"面积(mm2):", m_area}, {"平均周长(mm):", m_perimeter}, {"重量(kN/m):", m_weight}}, 1));
    auto* page = new QVBoxLayout(this);
    page->addLayout(
        FieldGrid(this, {{"直径d1(mm):", m_d1}, {"根数n1:", m_n1}, {"直径d2(mm):", m_d2}, {"根数n2:", m_n2}}, 2));
    page->addWidget(results);
    page->addStretch(1);

    // The older editions stop at 40 mm.
    if (G_guifan != 89 && G_guifan != 96)
        for (QComboBox* box : {m_d1, m_d2}) box->addItem("50");
    // After the lists are complete, so a diameter of 50 shows too.
    DataToPage();
    connect(m_d1, &QComboBox::currentIndexChanged, this, [this] { OnChange(); });
    connect(m_d2, &QComboBox::currentIndexChanged, this, [this] { OnChange(); });
}

bool CPageGangJinCanShu::PageToData() {
    GANGJIN_PARA p = *m_para;
    if (!kv::ddx::Int(m_n1, p.n1, true, 0, 10000) || !kv::ddx::Int(m_n2, p.n2, true, 0, 10000)) return false;
    p.d1 = DiameterOf(m_d1);
    p.d2 = DiameterOf(m_d2);
    *m_para = p;
    return true;
}

bool CPageGangJinCanShu::DataToPage() {
    SelectDiameter(m_d1, m_para->d1);
    SelectDiameter(m_d2, m_para->d2);
    kv::ddx::Int(m_n1, m_para->n1, false);
    kv::ddx::Int(m_n2, m_para->n2, false);
    const kv::xuanjin::BarSet set = kv::xuanjin::BarSetOf(*m_para);
    m_area->setText(QString::asprintf("%.2f", set.area));
    m_perimeter->setText(QString::asprintf("%.2f", set.perimeter));
    m_weight->setText(QString::asprintf("%.5f", set.weight));
    return true;
}

// ---- the command -----------------------------------------------------------------------

void OnXuanJin() {
    // The chooser belongs to the diagrams shown before.
    CJsBaseData none;
    ShowJianTu(&none);
    CDlgTabSheet sheet(nullptr, nullptr);
    CPageZongJin zongJin(&G_ZongJinPara);
    CPageGuJin guJin(&G_GuJinPara);
    CPageFenBuJin fenBuJin(&G_FenBuJinPara);
    CPageGangJinCanShu gangJin(&G_GangJinPara);
    sheet.SetCaption("选筋");
    sheet.AddPage("纵筋选筋", &zongJin);
    sheet.AddPage("箍筋选筋", &guJin);
    sheet.AddPage("分布筋选筋", &fenBuJin);
    sheet.AddPage("钢筋参数", &gangJin);
    sheet.exec();
}
