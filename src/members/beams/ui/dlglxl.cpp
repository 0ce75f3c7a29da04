#include "members/beams/ui/dlglxl.h"

#include "base/error.h"
#include "base/globals.h"
#include "base/toolfile.h"
#include "codes/guifan.h"
#include "codes/ui/bmpcombobox.h"
#include "codes/ui/gradecombo.h"
#include "drawing/base_sgt.h"
#include "drawing/ui/dtview.h"
#include "members/beams/lxl_calc.h"
#include "members/beams/lxl_data.h"
#include "members/beams/ui/lxlpictures.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "platform/services.h"
#include "views/dialogs/calcroad.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/jiantu.h"
#include "widgets/ui/ddx.h"
#include "widgets/ui/easyinput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kFilter = "连续梁数据(*.LXL)|*.LXL||";
constexpr const char* kExt = "LXL";
constexpr const char* kToolExe = "Quabrel.exe";
constexpr const char* kToolKey = "Quabrelline";

using namespace kv::slabwall::ui;

// A navigator: a small vertical bar whose arrows step the number beside it.
QScrollBar* Navigator(QWidget* parent, int id) {
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setObjectName(QString::number(id));
    bar->setRange(0, 2);
    bar->setValue(1);
    bar->setPageStep(1);
    bar->setFixedHeight(26);
    return bar;
}

// The labels of the four load values (1080, 1086, 1092, 1095) by load type; an
// empty label hides its edit.
struct LoadFields {
    const char* label[4];
};
constexpr LoadFields kLoadFields[6] = {
    {{"P(kN)", "", "a(m)", ""}},        {{"M(kN.m)", "", "a(m)", ""}},
    {{"q(kN/m)", "", "", ""}},          {{"q(kN/m)", "", "", ""}},
    {{"q(kN/m)", "", "a(m)", ""}},      {{"q1(kN/m)", "q2(kN/m)", "a(m)", "c(m)"}},
};
constexpr int kValueIds[4] = {1099, 1102, 1104, 1107};
constexpr int kValueLabelIds[4] = {1080, 1086, 1092, 1095};

int Clamped(int value, int low, int high) { return std::min(std::max(value, low), high); }

bool IsMessageFree(QEvent* event) { return event->type() == QEvent::Enter; }

}  // namespace

CDlgLxl::CDlgLxl(QWidget* parent) : CModuleDlg(parent) {
    setObjectName("173");
    setWindowTitle(QStringLiteral("连续梁计算"));
    RegisterLxlPictures();
    // The tips read on a pale yellow, as the calculation notes do, at most 500 pixels wide.
    setStyleSheet("QToolTip { background-color: rgb(255, 255, 150); color: black; max-width: 500px; }");

    // ---- the supports and the spans ----
    m_cLeft = new CBmpComboBox(this);
    m_cLeft->setObjectName("1024");
    m_cRight = new CBmpComboBox(this);
    m_cRight->setObjectName("1014");
    m_eSpanNum = Edit(this, 1021);
    m_eCurSpan = Edit(this, 1358);
    m_eCurSpan->setEnabled(false);
    m_spanBar = Navigator(this, 1200);
    m_eLength = Edit(this, 1030);
    m_eWidth = Edit(this, 1047);
    m_eHeight = Edit(this, 1035);
    auto* spans = new QGridLayout;
    spans->addWidget(Label(this, QStringLiteral("左端支承:")), 0, 0, Qt::AlignRight);
    spans->addWidget(m_cLeft, 0, 1, 1, 2);
    spans->addWidget(Label(this, QStringLiteral("右端支承:")), 1, 0, Qt::AlignRight);
    spans->addWidget(m_cRight, 1, 1, 1, 2);
    spans->addWidget(Label(this, QStringLiteral("总跨数:")), 2, 0, Qt::AlignRight);
    spans->addWidget(m_eSpanNum, 2, 1);
    spans->addWidget(Label(this, QStringLiteral("当前跨号:")), 3, 0, Qt::AlignRight);
    spans->addWidget(m_eCurSpan, 3, 1);
    spans->addWidget(m_spanBar, 3, 2, Qt::AlignLeft);
    spans->addWidget(Label(this, QStringLiteral("跨长: (m)")), 4, 0, Qt::AlignRight);
    spans->addWidget(m_eLength, 4, 1);
    spans->addWidget(Label(this, QStringLiteral("梁宽: (mm)")), 5, 0, Qt::AlignRight);
    spans->addWidget(m_eWidth, 5, 1);
    spans->addWidget(Label(this, QStringLiteral("梁高: (mm)")), 6, 0, Qt::AlignRight);
    spans->addWidget(m_eHeight, 6, 1);
    spans->setRowStretch(7, 1);
    auto* spanGroup = new QGroupBox(QStringLiteral("支承与跨"), this);
    spanGroup->setLayout(spans);

    // ---- the loads of the current span ----
    m_eLoadNum = Edit(this, 1052);
    m_eCurLoad = Edit(this, 1057);
    m_eCurLoad->setEnabled(false);
    m_loadBar = Navigator(this, 1197);
    m_cLoadType = new CBmpComboBox(this);
    m_cLoadType->setObjectName("1075");
    m_picture = new QToolButton(this);
    m_picture->setObjectName("1069");
    m_picture->setFocusPolicy(Qt::NoFocus);
    auto* loads = new QGridLayout;
    loads->addWidget(Label(this, QStringLiteral("当前跨荷载数:")), 0, 0, Qt::AlignRight);
    loads->addWidget(m_eLoadNum, 0, 1);
    loads->addWidget(Label(this, QStringLiteral("当前荷载号:")), 1, 0, Qt::AlignRight);
    loads->addWidget(m_eCurLoad, 1, 1);
    loads->addWidget(m_loadBar, 1, 2, Qt::AlignLeft);
    loads->addWidget(Label(this, QStringLiteral("荷载类型:")), 2, 0, Qt::AlignRight);
    loads->addWidget(m_cLoadType, 2, 1, 1, 2);
    for (int i = 0; i < 4; ++i) {
        m_valueLabel[i] = Label(this, QString(), kValueLabelIds[i]);
        m_eValue[i] = Edit(this, kValueIds[i]);
        loads->addWidget(m_valueLabel[i], 3 + i, 0, Qt::AlignRight);
        loads->addWidget(m_eValue[i], 3 + i, 1);
    }
    m_rDead = new QRadioButton(QStringLiteral("恒载"), this);
    m_rDead->setObjectName("1060");
    m_rLive = new QRadioButton(QStringLiteral("活载"), this);
    m_rLive->setObjectName("1065");
    auto* kindBox = new QGroupBox(QStringLiteral("当前荷载属性(设计值):"), this);
    kindBox->setObjectName("1255");
    auto* kinds = new QHBoxLayout(kindBox);
    kinds->addWidget(m_rDead);
    kinds->addWidget(m_rLive);
    m_loadKindGroup = kindBox;
    loads->addWidget(kindBox, 7, 0, 1, 3);
    loads->addWidget(DesignValueNote(this), 8, 0, 1, 3);
    loads->setRowStretch(9, 1);
    auto* loadRow = new QHBoxLayout;
    loadRow->addLayout(loads);
    loadRow->addWidget(m_picture, 0, Qt::AlignTop);
    auto* loadGroup = new QGroupBox(QStringLiteral("当前跨荷载"), this);
    loadGroup->setLayout(loadRow);

    // ---- materials and design ----
    m_cConGrade = Combo(this, 1176);
    m_eAs = Edit(this, 1223);
    m_cBarGrade = Combo(this, 1182);
    m_cStirrup = Combo(this, 1248);
    m_cSpacing = Combo(this, 1361, {"70", "80", "100", "150", "200"}, true);
    m_cSeismic = Combo(this, 1111, {"0", "1", "2", "3", "4"}, true);
    m_eSupportFactor = Edit(this, 1117);
    m_eMidFactor = Edit(this, 1284);
    m_eConFactor = Edit(this, 1372);
    m_cSteam = new QCheckBox(QStringLiteral("蒸气养护或掺早强剂"), this);
    m_cSteam->setObjectName("1352");
    m_cMinKsai = new QCheckBox(QStringLiteral("最小相对受压区高度检查"), this);
    m_cMinKsai->setObjectName("1353");
    m_eRedistribution = Edit(this, 1202);
    auto* design = new QGridLayout;
    int row = 0;
    auto field = [&](const QString& label, QWidget* w, int labelId = 0) {
        design->addWidget(Label(this, label, labelId), row, 0, Qt::AlignRight);
        design->addWidget(w, row++, 1);
    };
    field(QStringLiteral("砼强度等级:"), m_cConGrade);
    field(QStringLiteral("配筋计算as(mm):"), m_eAs);
    field(QStringLiteral("纵筋级别:"), m_cBarGrade);
    field(QStringLiteral("箍筋级别:"), m_cStirrup);
    field(QStringLiteral("箍筋间距(mm):"), m_cSpacing);
    field(QStringLiteral("支座弯矩调幅幅度(%):"), m_eRedistribution);
    design->addWidget(m_cMinKsai, row++, 0, 1, 2);
    design->addWidget(m_cSteam, row++, 0, 1, 2);
    // Carried in the file; this dialog does not offer them.
    field(QStringLiteral("抗震等级:"), m_cSeismic, 1360);
    field(QStringLiteral("支座弯矩调整系数:"), m_eSupportFactor, 1250);
    field(QStringLiteral("跨中弯矩调整系数:"), m_eMidFactor, 1251);
    field(QStringLiteral("砼强度修正系数:"), m_eConFactor, 1253);
    design->setRowStretch(row, 1);
    auto* designGroup = new QGroupBox(QStringLiteral("材料与设计"), this);
    designGroup->setLayout(design);

    // ---- the title, the preview and the buttons ----
    m_eName = Edit(this, 3087, 300);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label(this, QStringLiteral("说明")));
    nameRow->addWidget(m_eName, 1);
    auto* place = new QWidget(this);
    place->setObjectName("914");
    place->setMinimumSize(760, 230);
    auto* placeLayout = new QVBoxLayout(place);
    placeLayout->setContentsMargins(0, 0, 0, 0);
    m_pPreview = new CDxfWnd(place);
    placeLayout->addWidget(m_pPreview);

    m_calculate = Button(this, QStringLiteral(" 计算"), 1359);
    const ItemButtons item = MakeItemButtons(this);
    m_loadTool = Button(this, QStringLiteral("荷载计算>>"), 3232);
    auto* next = Button(this, QString(), 1282);
    next->hide();
    auto* makeReport = Button(this, QStringLiteral("生成报表"), 1005);
    makeReport->hide();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_calculate, item.read, item.save, item.diagram, item.report, m_loadTool})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(item.back);
    buttons->addWidget(next);
    buttons->addWidget(makeReport);

    auto* top = new QHBoxLayout;
    top->addWidget(spanGroup);
    top->addWidget(loadGroup);
    top->addWidget(designGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(nameRow);
    layout->addWidget(place, 1);
    layout->addLayout(buttons);

    // ---- handlers ----
    connect(m_calculate, &QPushButton::clicked, this, &CDlgLxl::OnCalculate);
    ConnectItemButtons(this, item);
    connect(m_loadTool, &QPushButton::clicked, this, &CDlgLxl::OnLoadInterface);
    connect(next, &QPushButton::clicked, this, &CDlgLxl::OnEnterKey);
    connect(m_spanBar, &QScrollBar::actionTriggered, this, &CDlgLxl::OnSpanScroll);
    connect(m_loadBar, &QScrollBar::actionTriggered, this, &CDlgLxl::OnLoadScroll);
    // Typed by the user (not filled in by the dialog) and not empty.
    connect(m_eSpanNum, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (!t.isEmpty()) OnSpanCountChange();
    });
    connect(m_eLoadNum, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (!t.isEmpty()) OnLoadCountChange();
    });
    connect(m_eRedistribution, &QLineEdit::textChanged, this, &CDlgLxl::ShowMinXiCheck);
    connect(m_cLoadType, &QComboBox::activated, this, &CDlgLxl::OnLoadTypeChange);
    for (QComboBox* c : {m_cConGrade, m_cBarGrade, m_cStirrup})
        connect(c, &QComboBox::activated, this, &CDlgLxl::OnGradeChange);
    for (QComboBox* c : {static_cast<QComboBox*>(m_cLeft), static_cast<QComboBox*>(m_cRight)})
        connect(c, &QComboBox::activated, this, [this] { ControlsToData(); });
    for (QRadioButton* r : {m_rDead, m_rLive}) connect(r, &QRadioButton::clicked, this, [this] { ControlsToData(); });
    for (QWidget* w : {m_eSpanNum, m_eLength, m_eLoadNum, m_eCurLoad, m_eValue[0], m_eValue[1], m_eValue[2],
                       m_eValue[3]})
        w->installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(m_eRedistribution), static_cast<QWidget*>(m_cBarGrade),
                       static_cast<QWidget*>(m_cMinKsai)})
        w->installEventFilter(this);
}

CDlgLxl::~CDlgLxl() {
    // The preview lets go of the drawing before the drawing goes.
    if (m_pPreview) m_pPreview->SetDrawing(nullptr);
}

int CDlgLxl::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CDlgLxl::OnInitDialog() {
    m_nCopying = 1;
    m_cLeft->AddBmp(IDB_LXL_LEFT_SIMPLE);
    m_cLeft->AddBmp(IDB_LXL_LEFT_FIXED);
    m_cRight->AddBmp(IDB_JIANZHI);
    m_cRight->AddBmp(IDB_GUDING);
    for (int id : kLxlLoadTypePictures) m_cLoadType->AddBmp(id);
    FillConCombo(G_guifan, m_cConGrade);
    FillGangJinCombo(G_guifan, m_cBarGrade, 0);
    FillGangJinCombo(G_guifan, m_cStirrup, 3);
    DataToControls();
    ShowMinXiCheck();
    RefreshLoadControls();
    m_loadKindGroup->hide();
    m_rDead->hide();
    m_rLive->hide();
    m_loadTool->hide();
    SetToolTips();
}

void CDlgLxl::SetToolTips() {
    const std::string noRedistribution = "注意：\n    如果不调幅，请填0。";
    if (G_guifan != 2010) {
        m_eRedistribution->setToolTip(QString::fromStdString(noRedistribution));
        return;
    }
    const std::string code = GF_GetGuiFanName(2010, 1, 2);
    m_eRedistribution->setToolTip(QString::fromStdString(
        "根据" + code +
        "第5.4.3条：\n钢筋混凝土梁支座或节点边缘截面的负弯矩调幅幅度不宜大于25%。\n"
        "弯矩调整后的梁端截面相对受压区高度不应超过0.35。\n" +
        noRedistribution));
    m_cBarGrade->setToolTip(QString::fromStdString(
        "注意：\n    根据" + code +
        "第4.2.1条第2款：\n梁、柱纵向受力普通钢筋应采用HRB400、HRB500、HRBF400、HRBF500\n钢筋。"));
    m_cMinKsai->setToolTip(QString::fromStdString(
        "根据" + code +
        "第5.4.3条：\n弯矩调整后的梁端截面相对受压区高度不宜小于0.10。\n"
        "注：取x=0.1h0，当调幅前的弯矩M<α1·fc·b·x·(h0-0.5x)时，不检查。"));
}

LXL_SPAN& CDlgLxl::CurrentSpan() const {
    return m_pData->Spans[Clamped(m_pData->CurSpan, 1, kLxlMaxSpans) - 1];
}

LXL_LOAD& CDlgLxl::CurrentLoad() const {
    LXL_SPAN& span = CurrentSpan();
    return span.Loads[Clamped(span.CurLoad, 1, kLxlMaxLoads) - 1];
}

// ---- copying ------------------------------------------------------------------------

int CDlgLxl::ControlsToData() {
    using namespace kv::ddx;
    if (!m_pData || !m_nCopying) return 1;
    // Read into a copy: a field that fails its check leaves the object as it was.
    LXL_FIELDS f = *m_pData;
    std::string name = m_pData->m_strName;
    int spanNum = f.SpanNum, curSpan = f.CurSpan;
    if (!Text(m_eName, name, true) || !Int(m_eSpanNum, spanNum, true, 1, kLxlMaxSpans) ||
        !Int(m_eCurSpan, curSpan, true))
        return 2;
    LXL_SPAN& span = f.Spans[Clamped(curSpan, 1, kLxlMaxSpans) - 1];
    LXL_SPAN s = span;
    if (!Float(m_eLength, s.Length, true, 0, 10000) || !Int(m_eWidth, s.Width, true, 0, 32765) ||
        !Int(m_eHeight, s.Height, true, 0, 32765) || !Int(m_eLoadNum, s.LoadNum, true, 0, kLxlMaxLoads) ||
        !Int(m_eCurLoad, s.CurLoad, true))
        return 2;
    LXL_LOAD& load = s.Loads[Clamped(s.CurLoad, 1, kLxlMaxLoads) - 1];
    LXL_LOAD l = load;
    // A value the current type does not use is hidden: it keeps what it holds unchecked.
    auto value = [](QLineEdit* e, float& v, float low, float high) {
        return e->isHidden() ? Float(e, v, true) : Float(e, v, true, low, high);
    };
    if (!Float(m_eValue[0], l.Q1, true) || !Float(m_eValue[1], l.Q2, true) ||
        !value(m_eValue[2], l.A, 0, 100000) || !value(m_eValue[3], l.C, 0.00001f, 100000))
        return 2;
    if (m_cLoadType->currentIndex() >= 0) l.Type = m_cLoadType->currentIndex() + 1;
    if (!Int(m_eAs, f.Cover, true, 0, 999) || !Float(m_eSupportFactor, f.SupportFactor, true, 0.7f, 1.2f) ||
        !Float(m_eMidFactor, f.MidFactor, true, 0.7f, 1.5f) || !Float(m_eConFactor, f.ConFactor, true) ||
        !Float(m_eRedistribution, f.Redistribution, true, 0, 100))
        return 2;
    load = l;
    span = s;
    f.SpanNum = spanNum;
    f.CurSpan = curSpan;
    if (m_cLeft->currentIndex() >= 0) f.LeftSupport = m_cLeft->currentIndex() + 1;
    if (m_cRight->currentIndex() >= 0) f.RightSupport = m_cRight->currentIndex() + 1;
    // As "%d" reads them: leading digits count, a text without any keeps the value.
    std::sscanf(m_cSeismic->currentText().toStdString().c_str(), "%d", &f.Seismic);
    std::sscanf(m_cSpacing->currentText().toStdString().c_str(), "%d", &f.StirrupSpacing);
    GetComboGrade(G_guifan, f.ConGrade, m_cConGrade, 0);
    GetComboGrade(G_guifan, f.BarGrade, m_cBarGrade, 1);
    GetComboGrade(G_guifan, f.StirrupGrade, m_cStirrup, 1);
    f.Steam = m_cSteam->isChecked() ? 1 : 0;
    f.MinKsaiCheck = m_cMinKsai->isChecked() ? 1 : 0;
    static_cast<LXL_FIELDS&>(*m_pData) = f;
    m_pData->m_strName = name;
    RefreshPreview();
    return 1;
}

void CDlgLxl::DataToControls() {
    using namespace kv::ddx;
    if (!m_pData) return;
    CLxlData& d = *m_pData;
    const LXL_SPAN& s = CurrentSpan();
    const LXL_LOAD& l = CurrentLoad();
    Text(m_eName, d.m_strName, false);
    Int(m_eSpanNum, d.SpanNum, false);
    Int(m_eCurSpan, d.CurSpan, false);
    Float(m_eLength, const_cast<float&>(s.Length), false);
    Int(m_eWidth, const_cast<int&>(s.Width), false);
    Int(m_eHeight, const_cast<int&>(s.Height), false);
    Int(m_eLoadNum, const_cast<int&>(s.LoadNum), false);
    Int(m_eCurLoad, const_cast<int&>(s.CurLoad), false);
    Float(m_eValue[0], const_cast<float&>(l.Q1), false);
    Float(m_eValue[1], const_cast<float&>(l.Q2), false);
    Float(m_eValue[2], const_cast<float&>(l.A), false);
    Float(m_eValue[3], const_cast<float&>(l.C), false);
    m_rDead->setChecked(l.Kind == 1);
    m_rLive->setChecked(l.Kind != 1);
    Int(m_eAs, d.Cover, false);
    Float(m_eSupportFactor, d.SupportFactor, false);
    Float(m_eMidFactor, d.MidFactor, false);
    Float(m_eConFactor, d.ConFactor, false);
    Float(m_eRedistribution, d.Redistribution, false);
    m_cSeismic->setEditText(QString::number(d.Seismic));
    m_cSpacing->setEditText(QString::number(d.StirrupSpacing));
    SelectConCombo(G_guifan, d.ConGrade, m_cConGrade);
    SelectGangJinCombo(G_guifan, d.BarGrade, m_cBarGrade, 0);
    SelectGangJinCombo(G_guifan, d.StirrupGrade, m_cStirrup, 3);
    m_cSteam->setChecked(d.Steam != 0);
    m_cMinKsai->setChecked(d.MinKsaiCheck != 0);
    m_cLeft->setCurrentIndex(d.LeftSupport - 1 < m_cLeft->count() ? d.LeftSupport - 1 : -1);
    m_cRight->setCurrentIndex(d.RightSupport - 1 < m_cRight->count() ? d.RightSupport - 1 : -1);
    m_cLoadType->setCurrentIndex(l.Type - 1 < m_cLoadType->count() ? l.Type - 1 : -1);
}

void CDlgLxl::RefreshLoadControls() {
    for (QWidget* w : {static_cast<QWidget*>(m_cSeismic), static_cast<QWidget*>(m_eSupportFactor),
                       static_cast<QWidget*>(m_eMidFactor), static_cast<QWidget*>(m_eConFactor)})
        w->hide();
    for (int id : {1360, 1250, 1251, 1253})
        if (auto* label = findChild<QLabel*>(QString::number(id))) label->hide();
    const bool loaded = m_pData && CurrentSpan().LoadNum > 0;
    for (QWidget* w : {static_cast<QWidget*>(m_eValue[0]), static_cast<QWidget*>(m_eValue[1]),
                       static_cast<QWidget*>(m_eValue[2]), static_cast<QWidget*>(m_eValue[3]),
                       static_cast<QWidget*>(m_cLoadType), static_cast<QWidget*>(m_loadBar)})
        w->setEnabled(loaded);
    const int type = m_cLoadType->currentIndex() + 1;
    if (type >= 1 && type <= 6) {
        for (int i = 0; i < 4; ++i) {
            const char* label = kLoadFields[type - 1].label[i];
            m_valueLabel[i]->setText(QString::fromUtf8(label));
            m_eValue[i]->setVisible(*label != '\0');
        }
        const QPixmap pm = LxlLoadTypePicture(type);
        m_picture->setIcon(QIcon(pm));
        m_picture->setIconSize(pm.size());
        m_picture->setFixedSize(pm.size() + QSize(6, 6));
        m_picture->setProperty("picture", QStringLiteral("IDB_BITMAP_HZLXTU%1").arg(type));
        m_picture->update();
    }
    RefreshPreview();
}

void CDlgLxl::RefreshPreview() {
    if (!m_pData || !m_pPreview) return;
    m_pPreview->SetDrawing(nullptr);
    m_pDrawing = std::make_unique<CBase_SGT>();
    m_pDrawing->New_MemDxf();
    m_pDrawing->Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    m_pDrawing->Write_Tables();
    m_pData->DrawModel(m_pDrawing.get(), 0, 0, 1);
    m_pPreview->SetDrawing(m_pDrawing.get());
    m_pPreview->All();
}

void CDlgLxl::ShowMinXiCheck() {
    // Only the redistribution is read: a text that is no number yet keeps the box as it is.
    bool ok = false;
    const double p = m_eRedistribution->text().trimmed().toDouble(&ok);
    if (ok) m_cMinKsai->setVisible(p > 0);
}

int CDlgLxl::CheckLoadGeometry() {
    if (!m_pData) return 1;
    CLxlData& d = *m_pData;
    const int spans = Clamped(d.SpanNum, 1, kLxlMaxSpans);
    for (int i = 0; i < spans; ++i) {
        LXL_SPAN& s = d.Spans[i];
        const float length = s.Length;
        const int loads = Clamped(s.LoadNum, 0, kLxlMaxLoads);
        for (int j = 0; j < loads; ++j) {
            const LXL_LOAD& l = s.Loads[j];
            const char* format = nullptr;
            if ((l.Type == 1 || l.Type == 2) && l.A > length)
                format = "第%d跨跨长与该跨%d号荷载的几何数据有矛盾!  a > 跨长 ,请仔细检查数据!";
            else if (l.Type == 5 && l.A >= length / 2)
                format = "第%d跨跨长与该跨%d号荷载的几何数据有矛盾 !  a >= 跨长/2 ,请仔细检查数据!";
            else if (l.Type == 5 && l.A == 0)
                format = "第%d跨 %d号荷载的几何数据与荷载类型不符合 !  a = 0 ,请仔细检查数据!";
            else if (l.Type == 6 && l.A + l.C > length)
                format = "第%d跨跨长与该跨%d号荷载的几何数据有矛盾!  a+c > 跨长 ,请仔细检查数据!";
            if (!format) continue;
            char text[256];
            std::snprintf(text, sizeof text, format, i + 1, j + 1);
            kv::MessageBox(text, kv::MB_OK | kv::MB_ICONINFORMATION, "提示");
            d.CurSpan = i + 1;
            s.CurLoad = j + 1;
            DataToControls();
            return 0;
        }
    }
    return 1;
}

// ---- control events -----------------------------------------------------------------

void CDlgLxl::OnSpanScroll(int action) {
    const bool up = action == QAbstractSlider::SliderSingleStepSub;
    const bool down = action == QAbstractSlider::SliderSingleStepAdd;
    m_spanBar->setSliderPosition(1);
    if ((!up && !down) || !m_pData) return;
    if (ControlsToData() == 2) return;
    CLxlData& d = *m_pData;
    if (up && d.CurSpan > 1) {
        --d.CurSpan;
    } else if (down && d.CurSpan < d.SpanNum) {
        ++d.CurSpan;
    } else {
        return;
    }
    DataToControls();
    RefreshLoadControls();
}

void CDlgLxl::OnLoadScroll(int action) {
    const bool up = action == QAbstractSlider::SliderSingleStepSub;
    const bool down = action == QAbstractSlider::SliderSingleStepAdd;
    m_loadBar->setSliderPosition(1);
    if ((!up && !down) || !m_pData) return;
    if (ControlsToData() == 2) return;
    LXL_SPAN& s = CurrentSpan();
    if (up && s.CurLoad > 1) {
        --s.CurLoad;
    } else if (down && s.CurLoad < s.LoadNum) {
        ++s.CurLoad;
    } else {
        return;
    }
    DataToControls();
    RefreshLoadControls();
}

void CDlgLxl::OnSpanCountChange() {
    if (!m_pData || ControlsToData() == 2) return;
    if (m_pData->SpanNum < m_pData->CurSpan) {
        m_pData->CurSpan = 1;
        DataToControls();
        RefreshLoadControls();
    }
}

void CDlgLxl::OnLoadCountChange() {
    if (!m_pData || ControlsToData() == 2) return;
    LXL_SPAN& s = CurrentSpan();
    if (s.LoadNum < s.CurLoad) {
        s.CurLoad = 1;
        DataToControls();
    }
    RefreshLoadControls();
}

void CDlgLxl::OnLoadTypeChange() {
    // The type the load already has, taken again from the list, is no change.
    if (m_pData && m_cLoadType->currentIndex() == CurrentLoad().Type - 1) return;
    // A new type starts from the same values whatever the last one held.
    const float values[4] = {20.0f, 30.0f, 0.5f, 1.0f};
    for (int i = 0; i < 4; ++i) {
        float v = values[i];
        kv::ddx::Float(m_eValue[i], v, false);
    }
    if (ControlsToData() == 2) return;
    RefreshLoadControls();
}

void CDlgLxl::OnLoadGeometryChange() {
    if (ControlsToData() == 2) return;
    RefreshLoadControls();
}

void CDlgLxl::OnGradeChange() {
    if (ControlsToData() == 2) return;
    DataToControls();
}

bool CDlgLxl::eventFilter(QObject* watched, QEvent* event) {
    if (IsMessageFree(event)) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && !w->toolTip().isEmpty()) ShowToolTipNow(w);
        return QDialog::eventFilter(watched, event);
    }
    if (!LeftForAnotherField(event)) return QDialog::eventFilter(watched, event);
    if (watched == m_eSpanNum) OnSpanCountChange();
    else if (watched == m_eLoadNum) OnLoadCountChange();
    else if (watched == m_eValue[2] || watched == m_eValue[3]) OnLoadGeometryChange();
    else if (watched == m_eLength || watched == m_eCurLoad || watched == m_eValue[0] || watched == m_eValue[1])
        ControlsToData();
    return QDialog::eventFilter(watched, event);
}

// ---- buttons ------------------------------------------------------------------------

void CDlgLxl::OnCalculate() {
    if (!m_pData || ControlsToData() == 2) return;
    if (!CheckLoadGeometry()) {
        m_calculate->setFocus();
        RefreshLoadControls();
        m_eLength->setFocus();
        m_eLength->selectAll();
        return;
    }
    CLxlData& data = *m_pData;
    // A failed run still leaves its drawing and report to look at, and the data saved.
    if (!RunCalculationRoad(data, windowTitle().toStdString(), nullptr,
                            {[] {}, [&](std::FILE* fp, CBase_SGT* drawing) { lxl_calculate(data, fp, drawing); }}))
        return;
    done(QDialog::Accepted);
}

void CDlgLxl::OnReadData() {
    if (!m_pData) return;
    auto path = ReadDataFile(*m_pData, kFilter, kExt);
    if (!path) return;
    DataToControls();
    RefreshLoadControls();
    TakeReadFile(*m_pData, *path);
}

void CDlgLxl::OnSaveData() {
    if (m_pData) SaveDataFile(*m_pData, kFilter, kExt, [this] { ControlsToData(); });
}

void CDlgLxl::OnShowReport() {
    ShowItemReport(m_pData);
    done(QDialog::Accepted);
}

void CDlgLxl::OnShowJianTu() {
    done(QDialog::Accepted);
    ShowJianTu(m_pData);
}

void CDlgLxl::OnOK() {
    ControlsToData();
    if (CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

void CDlgLxl::reject() {
    m_nCopying = 0;
    if (CheckDataSaved(m_pData)) {
        done(QDialog::Rejected);
        return;
    }
    // Staying on: what is typed from now on must reach the object and its file.
    m_nCopying = 1;
}

// ---- the load tool ------------------------------------------------------------------

int CDlgLxl::RunExtTool(const std::string& exeName, const std::string& toolKey) {
    const std::string tool = kv::tools::ToolPath(toolKey, exeName);
    if (!kv::platform::RunOutsideProgram("荷载程序", tool, {}, "")) {
        tell_error(kv::err::kFailure, "荷载程序运行错误！");
        return 0;
    }
    return 1;
}

void CDlgLxl::OnLoadInterface() {
    if (!m_pData || ControlsToData() == 2) return;
    CLxlData& d = *m_pData;
    using kv::tools::kExchangeFile;
    const int spans = Clamped(d.SpanNum, 1, kLxlMaxSpans);
    char key[16], value[64];
    std::snprintf(value, sizeof value, "%d", spans);
    bool written = kv::tools::WriteString(kExchangeFile, "LXLCC", "Num", value);
    for (int i = 0; written && i < spans; ++i) {
        std::snprintf(key, sizeof key, "L%d", i + 1);
        std::snprintf(value, sizeof value, "%.0f", d.Spans[i].Length * 1000.0);
        written = kv::tools::WriteString(kExchangeFile, "LXLCC", key, value);
    }
    // The tool would work on the spans of whatever run last wrote the file.
    if (!written) {
        kv::MessageBox("不能保存文件 : " + kv::tools::WritePath(kExchangeFile), kv::MB_OK | kv::MB_ICONERROR);
        return;
    }
    // Without the tool, what ExOut.ini holds is an answer of some earlier run.
    if (!RunExtTool(kToolExe, kToolKey)) return;

    float q[kLxlMaxSpans] = {};
    for (int i = 0; i < spans; ++i) {
        std::snprintf(key, sizeof key, "q%d", i + 1);
        const std::string text = kv::tools::GetString(kExchangeFile, "LXLHZ", key, "0");
        const double v = std::atof(text.c_str());
        // "nan", "inf" or a number beyond a float would poison every result.
        if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) {
            tell_error1(kv::err::kWarning, "荷载接口的 %s = %s 不是荷载值, 第%d跨不加荷载。", key, text.c_str(), i + 1);
            continue;
        }
        q[i] = static_cast<float>(v);
    }
    CEasyInput grid(this, "连续梁荷载接口", 100, 100);
    for (int i = 0; i < spans; ++i) {
        std::snprintf(key, sizeof key, "q%d(kN/m)", i + 1);
        grid.AddRow(key, &q[i], "%.2f");
    }
    if (grid.exec() != QDialog::Accepted) return;
    const int answer = kv::MessageBox("[是]增加这组荷载\n[否]用这组荷载替代原有荷载(原荷载将丢失)。",
                                      kv::MB_YESNO | kv::MB_ICONQUESTION);
    if (answer == kv::IDNO)
        for (int i = 0; i < spans; ++i) d.Spans[i].LoadNum = 0;
    for (int i = 0; i < spans; ++i) {
        if (std::fabs(q[i]) < 0.0001f) continue;
        LXL_SPAN& s = d.Spans[i];
        if (s.LoadNum >= kLxlMaxLoads) {
            tell_error1(kv::err::kWarning, "第%d跨已有%d个荷载, 荷载接口的 q%d = %.2f kN/m 没有加上。", i + 1,
                        kLxlMaxLoads, i + 1, q[i]);
            continue;
        }
        s.LoadNum = std::max(s.LoadNum, 0);
        LXL_LOAD& l = s.Loads[s.LoadNum++];
        l.Type = 3;
        l.Q1 = q[i];
    }
    // A span whose loads were replaced shows one it now has.
    d.ClampCounts();
    DataToControls();
    RefreshLoadControls();
}

int RunLxlDialog(QWidget* parent, CLxlData& data) {
    CDlgLxl dlg(parent);
    dlg.SetData(&data);
    return dlg.exec();
}
