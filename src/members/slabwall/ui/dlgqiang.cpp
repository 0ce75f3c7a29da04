#include "members/slabwall/ui/dlgqiang.h"

#include "base/globals.h"
#include "codes/guifan.h"
#include "codes/ui/bianjiebutton.h"
#include "codes/ui/bmpcombobox.h"
#include "codes/ui/gradecombo.h"
#include "design/lkq_data.h"
#include "loads/equivload.h"
#include "members/slabwall/qiang.h"
#include "views/dialogs/calcroad.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "members/slabwall/ui/dlgqiangyansuan.h"
#include "members/slabwall/ui/edgecombos.h"
#include "platform/services.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"
#include "widgets/ui/ddx.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>

namespace {

using namespace kv::slabwall::ui;

constexpr int kEdgeComboIds[4] = {1024, 1041, 1056, 1064};  // bottom, right, top, left
constexpr int kCornerIds[4] = {1294, 1297, 1376, 1305};     // bottom-left, bottom-right, top-right, top-left
// Edits whose leaving copies the dialog into the record.
constexpr int kKillFocusIds[] = {1068, 1077, 1240, 924, 1209, 1284, 1223, 1192};
// A one-way wall's hidden width: the calculation takes the height for it.
constexpr float kOneWayWidth = 99.0f;

// The load calculations 规范 opens.
constexpr int kBasementFormula = 32774;  // 地下室公式
constexpr int kBasementTable = 32783;    // 地下室查表
constexpr int kPartitionLoads = 32776;   // 单元隔墙荷载
constexpr int kAirWallLoads = 32777;     // 临空墙荷载

const char* const kSecondOrderTip =
    "是否考虑竖向压力在挠曲杆件中产生的二阶效应；\n如果考虑，程序计算时将调整弯矩值。";

}  // namespace

CDlgQiang::CDlgQiang(QWidget* parent) : CModuleDlg(parent) {
    setObjectName("165");
    setWindowTitle(QStringLiteral("墙截面计算"));
    setStyleSheet("QToolTip { background-color: rgb(255, 255, 150); color: black; }");

    // ---- the wall and its edges ----
    m_picture = new CBianJieButton(this);
    m_picture->setObjectName("1195");
    m_picture->setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < 4; ++i) {
        m_cEdge[i] = new CBmpComboBox(this);
        m_cEdge[i]->setObjectName(QString::number(kEdgeComboIds[i]));
        m_cCorner[i] = new QCheckBox(QStringLiteral("角柱"), this);
        m_cCorner[i]->setObjectName(QString::number(kCornerIds[i]));
        m_cCorner[i]->hide();
    }
    auto* pictureGrid = new QGridLayout;
    pictureGrid->addWidget(m_cEdge[2], 0, 1, Qt::AlignCenter);  // top
    pictureGrid->addWidget(m_cEdge[3], 1, 0, Qt::AlignCenter);  // left
    auto* middle = new QGridLayout;
    middle->addWidget(m_picture, 0, 0);
    middle->addWidget(Label(this, "b"), 0, 1, Qt::AlignVCenter);
    middle->addWidget(Label(this, "a"), 1, 0, Qt::AlignHCenter);
    pictureGrid->addLayout(middle, 1, 1, Qt::AlignCenter);
    pictureGrid->addWidget(m_cEdge[1], 1, 2, Qt::AlignCenter);  // right
    pictureGrid->addWidget(m_cEdge[0], 2, 1, Qt::AlignCenter);  // bottom
    for (int id : {1348, 1350}) Label(this, QStringLiteral("角柱"), id)->hide();
    auto* edgeGroup = new QGroupBox(QStringLiteral("支撑条件"), this);
    edgeGroup->setLayout(pictureGrid);

    // ---- the wall's values ----
    m_eDescription = Edit(this, 3087, 200);
    m_eA = Edit(this, 1068);
    m_aLabel = Label(this, QStringLiteral("墙宽a(m):"), 3226);
    m_eB = Edit(this, 1077);
    m_eT = Edit(this, 924);
    m_eN = Edit(this, 1240);
    m_eQ = Edit(this, 1209);
    m_eQt = Edit(this, 1211);
    m_cConGrade = Combo(this, 1176);
    m_eAs = Edit(this, 1223);
    m_cBarGrade = Combo(this, 1182);
    m_eMidFactor = Edit(this, 1284);
    m_eEdgeFactor = Edit(this, 1192);
    // The factor β stays in the record; its box is not offered.
    Combo(this, 1344)->hide();
    Label(this, QStringLiteral("系数β:"), 1342)->hide();

    auto* values = new QGridLayout;
    int row = 0;
    auto addRow = [&](QWidget* label, QWidget* field) {
        values->addWidget(label, row, 0);
        values->addWidget(field, row, 1);
        ++row;
    };
    addRow(Label(this, QStringLiteral("说明:")), m_eDescription);
    addRow(m_aLabel, m_eA);
    addRow(Label(this, QStringLiteral("墙高b(m):")), m_eB);
    addRow(Label(this, QStringLiteral("墙厚t(mm):")), m_eT);
    addRow(Label(this, QStringLiteral("竖向均布荷载设计值(kN/m):")), m_eN);
    addRow(Label(this, QStringLiteral("墙面均布荷载设计值(kPa):")), m_eQ);
    addRow(Label(this, QStringLiteral("墙面三角形荷载设计值(kPa):")), m_eQt);
    addRow(Label(this, QStringLiteral("砼强度等级:")), m_cConGrade);
    addRow(Label(this, QStringLiteral("配筋计算as (mm):")), m_eAs);
    addRow(Label(this, QStringLiteral("纵筋级别:")), m_cBarGrade);
    addRow(Label(this, QStringLiteral("跨中计算放大系数:")), m_eMidFactor);
    addRow(Label(this, QStringLiteral("支座计算放大系数:")), m_eEdgeFactor);
    values->setColumnStretch(1, 1);

    // ---- theory and span ----
    auto radio = [this](const QString& text, int id) {
        auto* r = new QRadioButton(text, this);
        r->setObjectName(QString::number(id));
        return r;
    };
    auto* elastic = radio(QStringLiteral("弹性内力"), 1355);
    auto* plastic = radio(QStringLiteral("塑性内力"), 1110);
    m_theoryGroup = new QButtonGroup(this);
    m_theoryGroup->addButton(elastic, 0);
    m_theoryGroup->addButton(plastic, 1);
    m_eFixity = Edit(this, 3220, 60);
    m_eFixity->setToolTip(QString::fromUtf8(kFixityTip));
    m_fixityLabel = Label(this, QStringLiteral("弹性边界嵌固率:"), 3217);
    auto* theoryBox = new QGridLayout;
    theoryBox->addWidget(elastic, 0, 0);
    theoryBox->addWidget(plastic, 0, 1);
    theoryBox->addWidget(m_fixityLabel, 1, 0);
    theoryBox->addWidget(m_eFixity, 1, 1);
    auto* theoryGroup = new QGroupBox(QStringLiteral("内力计算"), this);
    theoryGroup->setLayout(theoryBox);

    auto* oneWay = radio(QStringLiteral("竖向单向板"), 3223);
    auto* twoWay = radio(QStringLiteral("双向板"), 3077);
    m_wayGroup = new QButtonGroup(this);
    m_wayGroup->addButton(oneWay, 0);
    m_wayGroup->addButton(twoWay, 1);
    auto* wayBox = new QHBoxLayout;
    wayBox->addWidget(oneWay);
    wayBox->addWidget(twoWay);
    auto* wayGroup = new QGroupBox(QStringLiteral("计算模型"), this);
    wayGroup->setLayout(wayBox);

    m_cSteam = new QCheckBox(QStringLiteral("蒸气养护或掺早强剂"), this);
    m_cSteam->setObjectName("1352");
    m_cSecondOrder = new QCheckBox(QStringLiteral("p -δ效应"), this);
    m_cSecondOrder->setObjectName("1353");

    m_list = new QListWidget(this);
    m_list->setObjectName("1115");
    m_list->setMinimumHeight(150);

    // ---- buttons ----
    auto* calculate = Button(this, QStringLiteral("计算"), 1359);
    m_guiFan = Button(this, QStringLiteral("规范"), 1162);
    const ItemButtons item = MakeItemButtons(this);
    auto* roofCheck = Button(this, QStringLiteral("顶板验算>>"), 3224);
    auto* floorCheck = Button(this, QStringLiteral("底板验算>>"), 3225);
    auto* makeReport = Button(this, QStringLiteral("生成报表"), 1330);
    auto* enter = Button(this, QString(), 1286);
    for (QPushButton* b : {roofCheck, floorCheck, makeReport, enter}) b->hide();

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {calculate, m_guiFan, item.read, item.save, item.diagram, item.report})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(item.back);

    // The supports and the choices of the model on the left, the values on the right.
    auto* left = new QVBoxLayout;
    left->addWidget(edgeGroup);
    left->addWidget(theoryGroup);
    left->addWidget(wayGroup);
    left->addWidget(m_cSteam);
    left->addWidget(m_cSecondOrder);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addLayout(values);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    // ---- handlers ----
    connect(calculate, &QPushButton::clicked, this, &CDlgQiang::OnCalculate);
    connect(m_guiFan, &QPushButton::clicked, this, &CDlgQiang::OnGuiFan);
    ConnectItemButtons(this, item);
    connect(roofCheck, &QPushButton::clicked, this, &CDlgQiang::OnRoofCheck);
    connect(floorCheck, &QPushButton::clicked, this, &CDlgQiang::OnFloorCheck);
    connect(enter, &QPushButton::clicked, this, &CDlgQiang::OnEnterKey);
    connect(elastic, &QRadioButton::clicked, this, &CDlgQiang::OnElastic);
    connect(plastic, &QRadioButton::clicked, this, &CDlgQiang::OnPlastic);
    connect(oneWay, &QRadioButton::clicked, this, &CDlgQiang::OnOneWay);
    connect(twoWay, &QRadioButton::clicked, this, &CDlgQiang::OnTwoWay);
    for (CBmpComboBox* c : m_cEdge) connect(c, &QComboBox::activated, this, &CDlgQiang::OnEdgeChange);
    for (QCheckBox* c : m_cCorner) connect(c, &QCheckBox::clicked, this, &CDlgQiang::OnCornerClicked);
    connect(m_cConGrade, &QComboBox::activated, this, &CDlgQiang::OnGradeChange);
    connect(m_cBarGrade, &QComboBox::activated, this, &CDlgQiang::OnGradeChange);
    for (int id : kKillFocusIds) findChild<QLineEdit*>(QString::number(id))->installEventFilter(this);
    m_eFixity->installEventFilter(this);
    m_cSecondOrder->installEventFilter(this);
}

int CDlgQiang::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CDlgQiang::OnInitDialog() {
    for (CBmpComboBox* c : m_cEdge) c->clear();
    if (m_pData) {
        m_theory = m_pData->Plastic;
        for (int i = 0; i < 4; ++i) m_edgeType[i] = m_pData->EdgeType[i];
    }
    UpdateEdgeCombos();
    FillConCombo(G_guifan, m_cConGrade);
    FillGangJinCombo(G_guifan, m_cBarGrade, 1);
    DataToDlg();
    switch (m_nKind) {
    case 0: setWindowTitle(QStringLiteral("外墙")); break;
    case 1: setWindowTitle(QStringLiteral("临空墙")); break;
    case 2: setWindowTitle(QStringLiteral("单元隔墙")); break;
    default: setWindowTitle(QStringLiteral("墙计算")); break;
    }
    m_savedSide[0] = m_edgeType[1];
    m_savedSide[1] = m_edgeType[3];
    m_restoreWidth = 6.0f;
    const bool oneWay = m_wayIndex == 0;
    ShowOneWay(oneWay);
    if (oneWay) {
        SetSideCodes(0, 0);
        SetWidthText(kOneWayWidth);
        UpdatePicture();
    }
    m_cSecondOrder->setToolTip(G_guifan == 2010 ? QString::fromUtf8(kSecondOrderTip) : QString());
}

bool CDlgQiang::UpdateData(bool save) {
    using namespace kv::ddx;
    if (!save) {
        Text(m_eDescription, m_description, false);
        Float(m_eA, m_a, false);
        Float(m_eB, m_b, false);
        Int(m_eT, m_t, false);
        Float(m_eN, m_n, false);
        Float(m_eQ, m_q, false);
        Float(m_eQt, m_qt, false);
        Int(m_eAs, m_as, false);
        Float(m_eMidFactor, m_midFactor, false);
        Float(m_eEdgeFactor, m_edgeFactor, false);
        m_cSteam->setChecked(m_steam != 0);
        if (QAbstractButton* b = m_theoryGroup->button(m_theory)) b->setChecked(true);
        if (QAbstractButton* b = m_wayGroup->button(m_wayIndex)) b->setChecked(true);
        Float(m_eFixity, m_fixity, false);
        m_cSecondOrder->setChecked(m_secondOrder != 0);
        for (int i = 0; i < 4; ++i) m_cCorner[i]->setChecked(m_corner[i] != 0);
        return true;
    }
    if (!Float(m_eA, m_a, true, 1e-8f, 99.0f) || !Float(m_eB, m_b, true, 1e-8f, 100.0f) ||
        !Int(m_eT, m_t, true, 0, 32767) || !Float(m_eN, m_n, true, 0.0f, 1e8f) ||
        !Float(m_eQ, m_q, true, 0.0f, 1e8f) || !Float(m_eQt, m_qt, true) || !Int(m_eAs, m_as, true, 0, 32767) ||
        !Float(m_eMidFactor, m_midFactor, true, 0.0f, 100.0f) ||
        !Float(m_eEdgeFactor, m_edgeFactor, true, 0.0f, 100.0f))
        return false;
    m_steam = m_cSteam->isChecked() ? 1 : 0;
    m_theory = m_theoryGroup->checkedId() < 0 ? m_theory : m_theoryGroup->checkedId();
    m_wayIndex = m_wayGroup->checkedId() < 0 ? m_wayIndex : m_wayGroup->checkedId();
    if (!Float(m_eFixity, m_fixity, true, 0.0f, 1.0f)) return false;
    m_secondOrder = m_cSecondOrder->isChecked() ? 1 : 0;
    for (int i = 0; i < 4; ++i) m_corner[i] = m_cCorner[i]->isChecked() ? 1 : 0;
    return true;
}

int CDlgQiang::DlgToData() {
    if (!m_pData) return 0;
    CLkqData& d = *m_pData;
    m_description = m_eDescription->text().toStdString();
    d.m_strName = m_description;
    // A combo without a selection keeps the edge it had.
    for (int i = 0; i < 4; ++i)
        if (m_cEdge[i]->currentIndex() >= 0) m_edgeType[i] = m_cEdge[i]->currentIndex();
    m_exchanging = true;
    const bool ok = UpdateData(true);
    m_exchanging = false;
    if (!ok) return 0;
    for (int i = 0; i < 4; ++i) {
        d.EdgeType[i] = m_edgeType[i];
        d.CornerFlag[i] = m_corner[i];
    }
    GetComboGrade(G_guifan, d.ConGrade, m_cConGrade, 0);
    GetComboGrade(G_guifan, d.BarGrade, m_cBarGrade, 1);
    d.VertLoad = m_n;
    d.Load = m_q;
    d.TriLoad = m_qt;
    d.Width = m_a;
    d.Height = m_b;
    d.Thickness = m_t;
    d.Cover = m_as;
    d.MidFactor = m_midFactor;
    d.EdgeFactor = m_edgeFactor;
    d.Steam = m_steam;
    d.Plastic = m_theory;
    d.Fixity = m_fixity;
    d.OneWay = m_wayIndex == 0 ? 1 : 0;
    d.SecondOrder = m_secondOrder;
    d.Beta = m_beta;
    return 1;
}

int CDlgQiang::DataToDlg() {
    if (!m_pData) return 1;
    const CLkqData& d = *m_pData;
    m_nKind = d.Kind;
    m_description = d.m_strName;
    for (int i = 0; i < 4; ++i) {
        m_edgeType[i] = d.EdgeType[i];
        m_corner[i] = d.CornerFlag[i];
    }
    SelectConCombo(G_guifan, d.ConGrade, m_cConGrade);
    SelectGangJinCombo(G_guifan, d.BarGrade, m_cBarGrade, 1);
    m_n = d.VertLoad;
    m_q = d.Load;
    m_qt = d.TriLoad;
    m_a = d.Width;
    m_b = d.Height;
    m_t = d.Thickness;
    m_as = d.Cover;
    m_midFactor = d.MidFactor;
    m_edgeFactor = d.EdgeFactor;
    m_steam = d.Steam;
    m_theory = d.Plastic;
    m_fixity = d.Fixity;
    m_wayIndex = d.OneWay ? 0 : 1;
    m_secondOrder = d.SecondOrder;
    m_beta = d.Beta < 0.0001f ? 1.0f : d.Beta;
    UpdateData(false);
    SelectEdgeCombos();
    UpdatePicture();
    return 1;
}

void CDlgQiang::SelectEdgeCombos() { kv::slabwall::ui::SelectEdgeCombos(m_cEdge, m_edgeType); }

void CDlgQiang::UpdateEdgeCombos() {
    kv::slabwall::ui::UpdateEdgeCombos(m_cEdge, m_edgeType, m_theory, m_eFixity, m_fixityLabel);
}

void CDlgQiang::UpdatePicture() {
    m_picture->SetBianJie(m_edgeType[0], m_edgeType[1], m_edgeType[2], m_edgeType[3], m_corner[0], m_corner[1],
                          m_corner[2], m_corner[3]);
    m_picture->update();
}

void CDlgQiang::ShowOneWay(bool oneWay) {
    for (QWidget* w : {static_cast<QWidget*>(m_cEdge[1]), static_cast<QWidget*>(m_cEdge[3]),
                       static_cast<QWidget*>(m_eA), static_cast<QWidget*>(m_aLabel)})
        w->setVisible(!oneWay);
}

void CDlgQiang::SetSideCodes(int right, int left) {
    m_edgeType[1] = right;
    m_edgeType[3] = left;
    m_cEdge[1]->setCurrentIndex(right < m_cEdge[1]->count() ? right : -1);
    m_cEdge[3]->setCurrentIndex(left < m_cEdge[3]->count() ? left : -1);
}

void CDlgQiang::SetWidthText(float width) {
    m_a = width;
    kv::ddx::Float(m_eA, m_a, false);
}

// ---- handlers -----------------------------------------------------------------------

void CDlgQiang::OnEdgeChange() {
    DlgToData();
    UpdatePicture();
    UpdateEdgeCombos();
}

void CDlgQiang::OnGradeChange() {
    DlgToData();
    DataToDlg();
}

void CDlgQiang::OnCornerClicked() {
    DlgToData();
    UpdatePicture();
}

void CDlgQiang::OnElastic() {
    m_theory = 0;
    UpdateEdgeCombos();
    UpdatePicture();
}

void CDlgQiang::OnPlastic() {
    m_theory = 1;
    UpdateEdgeCombos();
    UpdatePicture();
}

void CDlgQiang::OnOneWay() {
    m_wayIndex = 0;
    ShowOneWay(true);
    m_savedSide[0] = m_edgeType[1];
    m_savedSide[1] = m_edgeType[3];
    SetSideCodes(0, 0);
    SetWidthText(kOneWayWidth);
    DlgToData();
    UpdatePicture();
    UpdateEdgeCombos();
}

void CDlgQiang::OnTwoWay() {
    m_wayIndex = 1;
    ShowOneWay(false);
    SetSideCodes(m_savedSide[0], m_savedSide[1]);
    // The width typed before the switch is gone: a two-way wall starts at 6 m.
    SetWidthText(m_restoreWidth);
    DlgToData();
    UpdatePicture();
    UpdateEdgeCombos();
}

std::string CDlgQiang::FileFilter() const {
    switch (m_nKind) {
    case 1: return "临空墙数据文件(*.LKQ)|*.LKQ||";
    case 2: return "单元隔墙数据文件(*.GQ)|*.GQ||";
    default: return "外墙数据文件(*.WQ)|*.WQ||";
    }
}

std::string CDlgQiang::FileExt() const { return m_nKind == 1 ? "LKQ" : m_nKind == 2 ? "GQ" : "WQ"; }

void CDlgQiang::OnReadData() {
    if (!m_pData) return;
    auto path = ReadDataFile(*m_pData, FileFilter(), FileExt());
    if (!path) return;
    DataToDlg();
    UpdateEdgeCombos();
    // A dialog left on plastic theory had no 弹性 to select until now.
    SelectEdgeCombos();
    const bool oneWay = m_pData->OneWay != 0;
    ShowOneWay(oneWay);
    if (oneWay) {
        SetSideCodes(0, 0);
        // A one-way wall is a vertical strip: a width well beyond its height.
        SetWidthText(5.0f * m_pData->Height);
    }
    UpdatePicture();
    TakeReadFile(*m_pData, *path);
}

void CDlgQiang::OnSaveData() {
    // Saved under the name as typed: no extension is added.
    if (m_pData) SaveDataFile(*m_pData, FileFilter(), "", [this] { DlgToData(); });
}

void CDlgQiang::OnShowJianTu() {
    m_exchanging = true;
    const bool ok = UpdateData(true);
    m_exchanging = false;
    if (ok) done(QDialog::Accepted);
    ShowJianTu(m_pData);
}

void CDlgQiang::OnShowReport() { ShowItemReport(m_pData); }

void CDlgQiang::OnGuiFan() {
    switch (m_nKind) {
    case 0: {
        QMenu menu(QStringLiteral("公式法/查表法"), this);
        menu.setObjectName("224");
        menu.addAction(QStringLiteral("地下室公式"), [] { kv::shell::SendCommand(kBasementFormula); });
        menu.addAction(QStringLiteral("地下室查表"), [] { kv::shell::SendCommand(kBasementTable); });
        menu.exec(m_guiFan->mapToGlobal(m_guiFan->rect().bottomLeft()));
        break;
    }
    case 1: kv::shell::SendCommand(kAirWallLoads); break;
    case 2: kv::shell::SendCommand(kPartitionLoads); break;
    default: break;
    }
}

void CDlgQiang::SectionCheck(int mode) {
    if (!m_pData) return;
    QiangYanSuanRecord& check = WallSectionCheck();
    check.Mode = mode;
    check.Steam = m_pData->Steam;
    // A wall adjacent to air and a partition wall hand on half their edge moments.
    const float share = m_nKind == 1 || m_nKind == 2 ? 0.5f : 1.0f;
    for (int i = 0; i < 4; ++i) check.BianM[i] = std::fabs(m_pData->EdgeM[i]) * share;
    CDlgQiangYanSuan dlg(this, check);
    dlg.exec();
}

void CDlgQiang::OnRoofCheck() { SectionCheck(QiangYanSuanRecord::kRoof); }
void CDlgQiang::OnFloorCheck() { SectionCheck(QiangYanSuanRecord::kFloor); }

float CDlgQiang::GetOmega() const {
    if (!m_pData) return 0.0f;
    CEquivLoad load;
    return load.CalOmega(m_pData->Width, m_pData->Height, static_cast<float>(m_pData->Thickness) / 1000.0f, 25.0f,
                         m_pData->ConGrade, m_pData->EdgeType, m_pData->Fixity);
}

void CDlgQiang::OnOK() {
    DlgToData();
    if (CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

void CDlgQiang::reject() {
    if (DlgToData() && CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

bool CDlgQiang::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return QDialog::eventFilter(watched, event);
    const bool tips = G_guifan == 2010;
    if (event->type() == QEvent::ToolTip && !tips) return true;  // the tips speak only under the 2010 code
    if (event->type() == QEvent::Enter && tips && !widget->toolTip().isEmpty()) {
        ShowToolTipNow(widget);
    } else if (!m_exchanging && watched != m_eFixity && qobject_cast<QLineEdit*>(watched) &&
               LeftForAnotherField(event)) {
        DlgToData();
    }
    return QDialog::eventFilter(watched, event);
}

// ---- 计算 ---------------------------------------------------------------------------

void CDlgQiang::OnCalculate() {
    if (!m_pData) return;
    if (!DlgToData()) {
        kv::MessageBox("数据不对!");
        return;
    }
    CLkqData& data = *m_pData;
    RunCalculationRoad(data, windowTitle().toStdString(), m_list,
                       {[&] { qiang_calculate(data); },
                        [&](std::FILE* fp, CBase_SGT* drawing) { qiang_report(data, fp, drawing); }});
}

int RunQiangDialog(QWidget* parent, CLkqData& data) {
    CDlgQiang dlg(parent);
    dlg.SetData(&data);
    return dlg.exec();
}
