#include "members/beams/ui/dlgzhu.h"

#include "base/globals.h"
#include "codes/ui/gradecombo.h"
#include "members/beams/sections.h"
#include "members/beams/ui/sectiondlg.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "platform/services.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"
#include "widgets/rangemessage.h"
#include "widgets/ui/ddx.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>

QString SectionGradeTip();

namespace {

using namespace kv::slabwall::ui;

constexpr const char* kKindPictures[] = {"IDB_BITMAP_ZJM2", "IDB_BITMAP_GZZ", "IDB_BITMAP_ZJM4"};
constexpr const char* kFilePattern = "柱截面数据文件(*.ZHU)|*.ZHU||";

}  // namespace

CDlgZhu::CDlgZhu(QWidget* parent) : CModuleDlg(parent) {
    setObjectName("164");
    setWindowTitle(QStringLiteral("柱截面计算"));

    // ---- the section ----
    m_picture = new QToolButton(this);
    m_picture->setObjectName("1195");
    m_picture->setFocusPolicy(Qt::NoFocus);
    m_kindBar = new QScrollBar(Qt::Vertical, this);
    m_kindBar->setObjectName("1338");
    m_kindBar->setRange(0, 2);
    m_kindBar->setSingleStep(1);
    m_kindBar->setPageStep(1);
    m_kindBar->hide();
    m_eB = Edit(this, 1077);
    m_eH = Edit(this, 924);
    m_eBf = Edit(this, 1365);
    m_eBf1 = Edit(this, 1366);
    m_eHf = Edit(this, 1369);
    m_eHf1 = Edit(this, 1370);
    m_eD = Edit(this, 1118);
    auto* sizes = new QGridLayout;
    auto pair = [&](int row, int column, const QString& label, QLineEdit* field, bool hidden = false) {
        QLabel* l = AddField(sizes, this, row, column, label, field);
        if (hidden) {
            l->hide();
            field->hide();
        }
    };
    pair(0, 0, QStringLiteral("b(mm)"), m_eB);
    pair(0, 1, QStringLiteral("h(mm)"), m_eH);
    pair(1, 0, QStringLiteral("bf(mm)"), m_eBf, true);
    pair(1, 1, QStringLiteral("bf'(mm)"), m_eBf1, true);
    pair(2, 0, QStringLiteral("hf(mm)"), m_eHf, true);
    pair(2, 1, QStringLiteral("hf'(mm)"), m_eHf1, true);
    pair(3, 0, QStringLiteral("D(mm)"), m_eD, true);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(m_picture);
    pictureRow->addWidget(m_kindBar);
    auto* sectionBox = new QVBoxLayout;
    sectionBox->addLayout(pictureRow);
    sectionBox->addLayout(sizes);
    auto* sectionGroup = new QGroupBox(QStringLiteral("截面"), this);
    sectionGroup->setLayout(sectionBox);

    // ---- forces ----
    m_eName = Edit(this, 3087, 200);
    m_eMx = Edit(this, 1263);
    m_eMy = Edit(this, 1124);
    m_eVx = Edit(this, 1268);
    m_eVy = Edit(this, 1137);
    m_eN = Edit(this, 1270);
    m_eL0 = Edit(this, 1272);
    m_cPDelta = new QCheckBox(QStringLiteral("p --δ效应"), this);
    m_cPDelta->setObjectName("1353");
    m_eMx1 = Edit(this, 1264);
    m_eMx2 = Edit(this, 1265);
    m_eMy1 = Edit(this, 1125);
    m_eMy2 = Edit(this, 1126);
    auto* forces = new QGridLayout;
    auto field = [&](QGridLayout* grid, int row, int column, const QString& label, QWidget* w) {
        AddField(grid, this, row, column, label, w);
    };
    field(forces, 0, 0, QStringLiteral("弯矩Mx(kN.m):"), m_eMx);
    field(forces, 0, 1, QStringLiteral("弯矩My(kN.m):"), m_eMy);
    field(forces, 1, 0, QStringLiteral("剪力  Vx(kN):"), m_eVx);
    field(forces, 1, 1, QStringLiteral("剪力  Vy(kN):"), m_eVy);
    field(forces, 2, 0, QStringLiteral("轴向压力N(kN):"), m_eN);
    field(forces, 2, 1, QStringLiteral("柱计算长度(m):"), m_eL0);
    forces->addWidget(m_cPDelta, 3, 0, 1, 4);
    field(forces, 4, 0, QStringLiteral("弯矩Mx1(kN.m):"), m_eMx1);
    field(forces, 4, 1, QStringLiteral("弯矩Mx2(kN.m):"), m_eMx2);
    field(forces, 5, 0, QStringLiteral("弯矩My1(kN.m):"), m_eMy1);
    field(forces, 5, 1, QStringLiteral("弯矩My2(kN.m):"), m_eMy2);
    forces->addWidget(DesignValueNote(this), 6, 0, 1, 4);
    forces->setColumnStretch(1, 1);
    forces->setColumnStretch(3, 1);
    auto* forceGroup = new QGroupBox(QStringLiteral("内力"), this);
    forceGroup->setLayout(forces);

    // ---- materials ----
    m_cConGrade = Combo(this, 1176);
    m_cBarGrade = Combo(this, 1182);
    m_cStirrup = Combo(this, 1248);
    m_cSpacing = Combo(this, 1361, {"100", "150", "200"}, true);
    m_eAs = Edit(this, 1223);
    m_rSymmetric = new QRadioButton(QStringLiteral("对称"), this);
    m_rSymmetric->setObjectName("1258");
    m_rAsymmetric = new QRadioButton(QStringLiteral("非对称"), this);
    m_rAsymmetric->setObjectName("1260");
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_rSymmetric, 0);
    modes->addButton(m_rAsymmetric, 1);
    m_cSteam = new QCheckBox(QStringLiteral("蒸气养护或掺早强剂"), this);
    m_cSteam->setObjectName("1352");
    auto* materials = new QGridLayout;
    field(materials, 0, 0, QStringLiteral("砼强度等级:"), m_cConGrade);
    field(materials, 0, 1, QStringLiteral("纵筋级别:"), m_cBarGrade);
    field(materials, 1, 0, QStringLiteral("箍筋级别:"), m_cStirrup);
    field(materials, 1, 1, QStringLiteral("箍筋间距(mm):"), m_cSpacing);
    field(materials, 2, 0, QStringLiteral("配筋计算as(mm):"), m_eAs);
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(Label(this, QStringLiteral("配筋方式")));
    modeRow->addWidget(m_rSymmetric);
    modeRow->addWidget(m_rAsymmetric);
    modeRow->addStretch(1);
    materials->addLayout(modeRow, 3, 0, 1, 4);
    materials->addWidget(m_cSteam, 4, 0, 1, 4);
    materials->setColumnStretch(1, 1);
    materials->setColumnStretch(3, 1);
    auto* materialGroup = new QGroupBox(QStringLiteral("材料"), this);
    materialGroup->setLayout(materials);

    // Kept for the data's sake; the template hides them.
    m_cSeismic = Combo(this, 1254, {"0", "1", "2", "3", "4"});
    m_cReportLevel = Combo(this, 1275, {QStringLiteral("简单"), QStringLiteral("一般"), QStringLiteral("详细")});
    auto* makeReport = Button(this, QStringLiteral("生成报表"), 1334);
    auto* enter = Button(this, QString(), 1286);
    auto* hidden = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_cSeismic, m_cReportLevel, makeReport, enter}) {
        hidden->addWidget(w);
        w->hide();
    }

    m_results = ResultView(this);
    m_results->setMinimumSize(560, 150);

    auto* calculate = Button(this, QStringLiteral("计算"), 1359);
    m_calculate = calculate;
    const ItemButtons item = MakeItemButtons(this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {calculate, item.read, item.save, item.diagram, item.report}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(item.back);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label(this, QStringLiteral("说明:")));
    nameRow->addWidget(m_eName, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(nameRow);
    right->addWidget(forceGroup);
    right->addWidget(materialGroup);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(sectionGroup, 0, Qt::AlignTop);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_results, 1);
    layout->addLayout(buttons);
    layout->addLayout(hidden);

    connect(calculate, &QPushButton::clicked, this, &CDlgZhu::OnCalculate);
    ConnectItemButtons(this, item);
    connect(enter, &QPushButton::clicked, this, [this] { focusNextChild(); });
    connect(m_cPDelta, &QCheckBox::clicked, this, &CDlgZhu::OnChange);
    for (QComboBox* c : {m_cConGrade, m_cBarGrade, m_cStirrup})
        connect(c, &QComboBox::activated, this, &CDlgZhu::OnChange);
    connect(m_kindBar, &QScrollBar::actionTriggered, this, &CDlgZhu::OnKindScroll);
}

int CDlgZhu::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CDlgZhu::OnInitDialog() {
    FillConCombo(G_guifan, m_cConGrade);
    FillGangJinCombo(G_guifan, m_cBarGrade, 2);
    FillGangJinCombo(G_guifan, m_cStirrup, 3);
    DataToDlg();
    UpdateSectionPicture();
    if (G_guifan == 2010) {
        m_cBarGrade->setToolTip(SectionGradeTip());
        m_cPDelta->setToolTip(
            QStringLiteral("是否考虑竖向压力在挠曲杆件中产生的二阶效应；\n如果考虑，程序计算时将调整弯矩值。"));
    }
}

int CDlgZhu::DataToDlg() {
    using namespace kv::ddx;
    if (!m_pData) return 1;
    CZhuData& d = *m_pData;
    m_nKind = d.Kind - 1;
    m_kindBar->setValue(m_nKind);
    Text(m_eName, d.m_strName, false);
    Int(m_eB, d.B, false);
    Int(m_eH, d.H, false);
    Int(m_eBf, d.Bf, false);
    Int(m_eBf1, d.Bf1, false);
    Int(m_eHf, d.Hf, false);
    Int(m_eHf1, d.Hf1, false);
    Int(m_eD, d.D, false);
    Float(m_eL0, d.L0, false);
    SelectConCombo(G_guifan, d.ConGrade, m_cConGrade);
    Int(m_eAs, d.Cover, false);
    SelectGangJinCombo(G_guifan, d.BarGrade, m_cBarGrade, 2);
    SelectGangJinCombo(G_guifan, d.StirrupGrade, m_cStirrup, 3);
    m_rSymmetric->setChecked(d.Mode == 1);
    m_rAsymmetric->setChecked(d.Mode == 2);
    m_cSpacing->setEditText(QString::number(d.StirrupSpacing));
    Float(m_eMx, d.Mx, false);
    Float(m_eMy, d.My, false);
    Float(m_eVx, d.Vx, false);
    Float(m_eVy, d.Vy, false);
    Float(m_eN, d.N, false);
    m_cPDelta->setChecked(d.SecondOrder != 0);
    Float(m_eMx1, d.Mx1, false);
    Float(m_eMx2, d.Mx2, false);
    Float(m_eMy1, d.My1, false);
    Float(m_eMy2, d.My2, false);
    for (QLineEdit* e : {m_eMx1, m_eMx2, m_eMy1, m_eMy2}) e->setEnabled(d.SecondOrder != 0);
    m_cSeismic->setCurrentIndex(d.Seismic >= 0 && d.Seismic < 5 ? d.Seismic : -1);
    m_cSteam->setChecked(d.Steam != 0);
    m_cReportLevel->setCurrentIndex(d.ReportLevel >= 0 && d.ReportLevel < 3 ? d.ReportLevel : -1);
    return 1;
}

int CDlgZhu::DlgToData() {
    using namespace kv::ddx;
    if (!m_pData) return 0;
    // Read into a copy: a field that fails its check leaves the object as it was.
    ZHU_FIELDS f = *m_pData;
    std::string name = m_pData->m_strName;
    if (!Text(m_eName, name, true) || !Int(m_eB, f.B, true, 0, 32767) || !Int(m_eH, f.H, true, 0, 32767) ||
        !Int(m_eBf, f.Bf, true, 0, 32767) || !Int(m_eBf1, f.Bf1, true, 0, 32767) ||
        !Int(m_eHf, f.Hf, true, 0, 32767) || !Int(m_eHf1, f.Hf1, true, 0, 32767) || !Int(m_eD, f.D, true, 0, 32767) ||
        !Float(m_eL0, f.L0, true, 0, 1000) || !Int(m_eAs, f.Cover, true, 0, 999) || !Float(m_eMx, f.Mx, true) ||
        !Float(m_eMy, f.My, true) || !Float(m_eVx, f.Vx, true) || !Float(m_eVy, f.Vy, true) ||
        !Float(m_eN, f.N, true, 0, 1000000) || !Float(m_eMx1, f.Mx1, true) || !Float(m_eMx2, f.Mx2, true) ||
        !Float(m_eMy1, f.My1, true) || !Float(m_eMy2, f.My2, true) || !Spacing(f.StirrupSpacing))
        return 0;
    f.Kind = m_nKind + 1;
    if (m_rSymmetric->isChecked()) f.Mode = 1;
    else if (m_rAsymmetric->isChecked()) f.Mode = 2;
    GetComboGrade(G_guifan, f.ConGrade, m_cConGrade, 0);
    GetComboGrade(G_guifan, f.BarGrade, m_cBarGrade, 1);
    GetComboGrade(G_guifan, f.StirrupGrade, m_cStirrup, 1);
    f.SecondOrder = m_cPDelta->isChecked() ? 1 : 0;
    if (m_cSeismic->currentIndex() >= 0) f.Seismic = m_cSeismic->currentIndex();
    f.Steam = m_cSteam->isChecked() ? 1 : 0;
    if (m_cReportLevel->currentIndex() >= 0) f.ReportLevel = m_cReportLevel->currentIndex();
    static_cast<ZHU_FIELDS&>(*m_pData) = f;
    m_pData->m_strName = name;
    return 1;
}

// The spacing is typed into an editable list and read with "%d": text that
// holds no number keeps the spacing, and one not above 0 is refused, for it
// would design the stirrups as no steel.
bool CDlgZhu::Spacing(int& spacing) {
    int typed = 0;
    if (std::sscanf(m_cSpacing->currentText().toStdString().c_str(), "%d", &typed) != 1) return true;
    if (typed <= 0) {
        kv::MessageBox(kv::widgets::IntRangeMessage(1, 32767), kv::MB_OK | kv::MB_ICONWARNING);
        m_cSpacing->setFocus();
        m_cSpacing->lineEdit()->selectAll();
        return false;
    }
    spacing = typed;
    return true;
}

int CDlgZhu::UpdateSectionPicture() {
    if (m_nKind < 0 || m_nKind > 2) {
        m_picture->update();
        return 1;
    }
    const bool circle = m_nKind == 2;
    for (QLineEdit* e : {m_eBf, m_eBf1, m_eHf, m_eHf1}) e->setEnabled(m_nKind == 1);
    m_eB->setEnabled(!circle);
    m_eH->setEnabled(!circle);
    m_eD->setEnabled(circle);
    // An I section is designed about x only.
    m_eMy->setEnabled(m_nKind != 1);
    m_eVy->setEnabled(m_nKind != 1);
    kv::beams::ui::ShowSectionPicture(m_picture, kKindPictures[m_nKind]);
    return 1;
}

// ---- handlers -----------------------------------------------------------------------

void CDlgZhu::OnChange() {
    DlgToData();
    DataToDlg();
}

void CDlgZhu::OnKindScroll(int action) {
    const bool up = action == QAbstractSlider::SliderSingleStepSub;
    const bool down = action == QAbstractSlider::SliderSingleStepAdd;
    if (!up && !down) return;
    if (!m_pData || !DlgToData()) {
        // The range message has been shown; the kind stays.
        m_kindBar->setSliderPosition(m_kindBar->value());
        m_calculate->setFocus();
        UpdateSectionPicture();
        m_eB->selectAll();
        return;
    }
    if (up && m_pData->Kind > 1) --m_pData->Kind;
    if (down && m_pData->Kind < 3) ++m_pData->Kind;
    DataToDlg();
    UpdateSectionPicture();
    m_kindBar->setSliderPosition(m_nKind);
}

void CDlgZhu::OnReadData() {
    if (!m_pData) return;
    auto path = ReadDataFile(*m_pData, kFilePattern, "ZHU");
    if (!path) return;
    DataToDlg();
    UpdateSectionPicture();
    TakeReadFile(*m_pData, *path);
}

void CDlgZhu::OnSaveData() {
    if (m_pData) SaveDataFile(*m_pData, kFilePattern, "ZHU", [this] { DlgToData(); });
}

void CDlgZhu::OnShowJianTu() {
    if (DlgToData()) done(QDialog::Accepted);
    ShowJianTu(m_pData);
}

void CDlgZhu::OnShowReport() { ShowItemReport(m_pData); }

void CDlgZhu::OnOK() {
    if (DlgToData() && CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

void CDlgZhu::reject() { OnOK(); }

void CDlgZhu::OnCalculate() {
    if (!m_pData) return;
    if (!DlgToData()) {
        kv::MessageBox("数据不对!");
        return;
    }
    CZhuData& data = *m_pData;
    kv::beams::ui::CalculateSection(
        data, windowTitle().toStdString(), m_results, [&] { return zhu_calculate(data) != 0; },
        [&](std::FILE* fp, CBase_SGT* drawing) { zhu_report(data, fp, drawing); });
}

int RunZhuDialog(QWidget* parent, CZhuData& data) {
    CDlgZhu dlg(parent);
    dlg.SetData(&data);
    return dlg.exec();
}
