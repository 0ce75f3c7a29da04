#include "members/beams/ui/dlgliang.h"

#include "base/globals.h"
#include "codes/guifan.h"
#include "codes/ui/gradecombo.h"
#include "members/beams/sections.h"
#include "members/beams/ui/sectiondlg.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "platform/services.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"
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
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>

namespace {

using namespace kv::slabwall::ui;

constexpr const char* kKindPictures[] = {"IDB_BITMAP_LJM", "IDB_BITMAP_LJM2", "IDB_BITMAP_LJM3"};
constexpr const char* kFilePattern = "梁截面数据文件(*.BEM)|*.BEM||";

}  // namespace

// The note on the longitudinal grades under the 2010 code, shared by the column dialog.
QString SectionGradeTip() {
    return QStringLiteral("注意：\n    根据%1第4.2.1条第2款：\n梁、柱纵向受力普通钢筋应采用HRB400、HRB500、HRBF400、HRBF500\n钢筋。")
        .arg(QString::fromUtf8(GF_GetGuiFanName(2010, 1, 2)));
}

CDlgLiang::CDlgLiang(QWidget* parent) : CModuleDlg(parent) {
    setObjectName("166");
    setWindowTitle(QStringLiteral("梁截面计算"));

    // ---- the section ----
    m_picture = new QToolButton(this);
    m_picture->setObjectName("1195");
    m_picture->setEnabled(false);
    m_cKinds = new QComboBox(this);
    m_cKinds->setObjectName("1327");
    m_cKinds->addItems({QStringLiteral("矩形截面"), QStringLiteral("T形截面"), QStringLiteral("工字形截面")});
    m_cKinds->setEnabled(false);
    m_cKinds->hide();
    m_eB = Edit(this, 1077);
    m_eH = Edit(this, 924);
    m_eBf = Edit(this, 1363);
    m_eHf = Edit(this, 1367);
    m_eBf1 = Edit(this, 1364);
    m_eHf1 = Edit(this, 1368);
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
    pair(1, 1, QStringLiteral("hf(mm)"), m_eHf, true);
    pair(2, 0, QStringLiteral("bf'(mm)"), m_eBf1, true);
    pair(2, 1, QStringLiteral("hf'(mm)"), m_eHf1, true);
    auto* sectionBox = new QVBoxLayout;
    sectionBox->addWidget(m_picture, 0, Qt::AlignHCenter);
    sectionBox->addLayout(sizes);
    sectionBox->addWidget(m_cKinds);
    auto* sectionGroup = new QGroupBox(QStringLiteral("截面"), this);
    sectionGroup->setLayout(sectionBox);

    // ---- forces, materials, stirrups ----
    m_eName = Edit(this, 3087, 200);
    m_eM = Edit(this, 1276);
    m_eT = Edit(this, 1103);
    m_eV = Edit(this, 1280);
    m_eSpan = Edit(this, 1193);
    m_eZeta = Edit(this, 1145);
    m_eAs = Edit(this, 1223);
    m_cConGrade = Combo(this, 1176);
    m_cBarGrade = Combo(this, 1182);
    m_cStirrup = Combo(this, 1248);
    m_cSpacing = Combo(this, 1361, {"80", "100", "150", "200"});
    m_cSteam = new QCheckBox(QStringLiteral("蒸气养护或掺早强剂"), this);
    m_cSteam->setObjectName("1352");
    m_cSupport = new QCheckBox(QStringLiteral("连续梁支座或框架节点"), this);
    m_cSupport->setObjectName("1356");
    auto* inputs = new QGridLayout;
    auto field = [&](int row, int column, const QString& label, QWidget* w) {
        AddField(inputs, this, row, column, label, w);
    };
    field(0, 0, QStringLiteral("弯矩 (kN.m):"), m_eM);
    field(0, 1, QStringLiteral("剪力  (kN):"), m_eV);
    field(1, 0, QStringLiteral("扭矩(kN.m):"), m_eT);
    field(1, 1, QStringLiteral("抗扭计算ζ:"), m_eZeta);
    field(2, 0, QStringLiteral("梁跨度(m):"), m_eSpan);
    field(2, 1, QStringLiteral("配筋计算as(mm):"), m_eAs);
    field(3, 0, QStringLiteral("砼强度等级:"), m_cConGrade);
    field(3, 1, QStringLiteral("纵筋级别:"), m_cBarGrade);
    field(4, 0, QStringLiteral("箍筋级别:"), m_cStirrup);
    field(4, 1, QStringLiteral("箍筋间距(mm):"), m_cSpacing);
    inputs->addWidget(m_cSteam, 5, 0, 1, 2);
    inputs->addWidget(m_cSupport, 5, 2, 1, 2);
    inputs->addWidget(DesignValueNote(this), 6, 0, 1, 4);
    inputs->setColumnStretch(1, 1);
    inputs->setColumnStretch(3, 1);
    auto* inputGroup = new QGroupBox(QStringLiteral("内力与材料"), this);
    inputGroup->setLayout(inputs);

    // Kept for the data's sake; the template hides them.
    m_eFactor = Edit(this, 1148);
    m_factorLabel = Label(this, QStringLiteral("砼抗剪强度调整系数"), 1354);
    m_rSingle = new QRadioButton(QStringLiteral("单筋"), this);
    m_rSingle->setObjectName("1258");
    m_rDouble = new QRadioButton(QStringLiteral("双筋"), this);
    m_rDouble->setObjectName("1260");
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_rSingle, 0);
    modes->addButton(m_rDouble, 1);
    m_cReportLevel = Combo(this, 1256, {QStringLiteral("简单"), QStringLiteral("一般"), QStringLiteral("详细")});
    auto* makeReport = Button(this, QStringLiteral("生成报表"), 1330);
    auto* enter = Button(this, QString(), 1286);
    auto* hidden = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_factorLabel, m_eFactor, m_rSingle, m_rDouble, m_cReportLevel,
                                                      makeReport, enter}) {
        hidden->addWidget(w);
        w->hide();
    }

    m_results = ResultView(this);
    m_results->setMinimumSize(560, 150);

    auto* calculate = Button(this, QStringLiteral("计算"), 1359);
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
    right->addWidget(inputGroup);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(sectionGroup, 0, Qt::AlignTop);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_results, 1);
    layout->addLayout(buttons);
    layout->addLayout(hidden);

    connect(calculate, &QPushButton::clicked, this, &CDlgLiang::OnCalculate);
    ConnectItemButtons(this, item);
    connect(enter, &QPushButton::clicked, this, [this] { focusNextChild(); });
    for (QComboBox* c : {m_cConGrade, m_cBarGrade, m_cStirrup})
        connect(c, &QComboBox::activated, this, &CDlgLiang::OnGradeChange);
    connect(m_cKinds, &QComboBox::activated, this, [this] { UpdateSectionPicture(); });
}

int CDlgLiang::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CDlgLiang::OnInitDialog() {
    FillConCombo(G_guifan, m_cConGrade);
    FillGangJinCombo(G_guifan, m_cBarGrade, 0);
    FillGangJinCombo(G_guifan, m_cStirrup, 3);
    DataToDlg();
    UpdateSectionPicture();
    if (G_guifan == 2010) m_cBarGrade->setToolTip(SectionGradeTip());
}

int CDlgLiang::DataToDlg() {
    using namespace kv::ddx;
    if (!m_pData) return 1;
    CLiangData& d = *m_pData;
    Text(m_eName, d.m_strName, false);
    m_cSupport->setChecked(d.Support != 0);
    m_nKind = d.Kind;
    Int(m_eBf, d.Bf, false);
    Int(m_eBf1, d.Bf1, false);
    Int(m_eHf, d.Hf, false);
    Int(m_eHf1, d.Hf1, false);
    Int(m_eB, d.B, false);
    Int(m_eH, d.H, false);
    SelectConCombo(G_guifan, d.ConGrade, m_cConGrade);
    Int(m_eAs, d.Cover, false);
    SelectGangJinCombo(G_guifan, d.BarGrade, m_cBarGrade, 0);
    SelectGangJinCombo(G_guifan, d.StirrupGrade, m_cStirrup, 3);
    m_cReportLevel->setCurrentIndex(d.ReportLevel >= 0 && d.ReportLevel < 3 ? d.ReportLevel : -1);
    m_cSpacing->setCurrentIndex(m_cSpacing->findText(QString::number(d.StirrupSpacing)));
    m_rSingle->setChecked(d.Mode == 1);
    m_rDouble->setChecked(d.Mode == 2);
    Float(m_eM, d.M, false);
    Float(m_eV, d.V, false);
    Float(m_eT, d.T, false);
    Float(m_eZeta, d.Zeta, false);
    Float(m_eSpan, d.Span, false);
    Float(m_eFactor, d.ShearAdjust, false);
    m_cSteam->setChecked(d.Steam != 0);
    m_cKinds->setCurrentIndex(d.Kind >= 1 && d.Kind <= 3 ? d.Kind - 1 : -1);
    return 1;
}

int CDlgLiang::DlgToData() {
    using namespace kv::ddx;
    if (!m_pData) return 0;
    // Read into a copy: a field that fails its check leaves the object as it was.
    LIANG_FIELDS f = *m_pData;
    std::string name = m_pData->m_strName;
    if (!Text(m_eName, name, true) || !Int(m_eBf, f.Bf, true, 0, 32767) || !Int(m_eBf1, f.Bf1, true, 0, 32767) ||
        !Int(m_eHf, f.Hf, true, 0, 32767) || !Int(m_eHf1, f.Hf1, true, 0, 32767) || !Int(m_eB, f.B, true, 0, 32767) ||
        !Int(m_eH, f.H, true, 0, 32767) || !Int(m_eAs, f.Cover, true, 0, 999) || !Float(m_eT, f.T, true, 0, 100000) ||
        !Float(m_eZeta, f.Zeta, true, 0.6f, 1.7f) || !Float(m_eSpan, f.Span, true, 0, 1000) ||
        !Float(m_eFactor, f.ShearAdjust, true, 0, 1000) ||
        // The moment and the shear are checked last.
        !Float(m_eM, f.M, true, 0, 1000000) || !Float(m_eV, f.V, true, 0, 1000000))
        return 0;
    f.Support = m_cSupport->isChecked() ? 1 : 0;
    f.Kind = m_cKinds->currentIndex() + 1;
    if (m_cReportLevel->currentIndex() >= 0) f.ReportLevel = m_cReportLevel->currentIndex();
    GetComboGrade(G_guifan, f.ConGrade, m_cConGrade, 0);
    GetComboGrade(G_guifan, f.BarGrade, m_cBarGrade, 1);
    GetComboGrade(G_guifan, f.StirrupGrade, m_cStirrup, 1);
    std::sscanf(m_cSpacing->currentText().toStdString().c_str(), "%d", &f.StirrupSpacing);
    if (m_rSingle->isChecked()) f.Mode = 1;
    else if (m_rDouble->isChecked()) f.Mode = 2;
    f.Reserved = 0;
    f.Steam = m_cSteam->isChecked() ? 1 : 0;
    static_cast<LIANG_FIELDS&>(*m_pData) = f;
    m_pData->m_strName = name;
    return 1;
}

int CDlgLiang::UpdateSectionPicture() {
    m_nKind = m_cKinds->currentIndex() + 1;
    m_factorLabel->hide();
    m_eFactor->hide();
    if (m_nKind < 1 || m_nKind > 3) {
        m_picture->update();
        return 1;
    }
    m_eBf->setEnabled(m_nKind == 3);
    m_eHf->setEnabled(m_nKind == 3);
    m_eBf1->setEnabled(m_nKind >= 2);
    m_eHf1->setEnabled(m_nKind >= 2);
    kv::beams::ui::ShowSectionPicture(m_picture, kKindPictures[m_nKind - 1]);
    return 1;
}

// ---- handlers -----------------------------------------------------------------------

void CDlgLiang::OnGradeChange() {
    DlgToData();
    DataToDlg();
}

void CDlgLiang::OnReadData() {
    if (!m_pData) return;
    auto path = ReadDataFile(*m_pData, kFilePattern, "BEM");
    if (!path) return;
    DataToDlg();
    UpdateSectionPicture();
    TakeReadFile(*m_pData, *path);
}

void CDlgLiang::OnSaveData() {
    if (m_pData) SaveDataFile(*m_pData, kFilePattern, "BEM", [this] { DlgToData(); });
}

void CDlgLiang::OnShowJianTu() {
    if (DlgToData()) done(QDialog::Accepted);
    ShowJianTu(m_pData);
}

void CDlgLiang::OnShowReport() { ShowItemReport(m_pData); }

void CDlgLiang::OnOK() {
    DlgToData();
    if (CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

void CDlgLiang::reject() {
    if (DlgToData() && CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

void CDlgLiang::OnCalculate() {
    if (!m_pData) return;
    if (!DlgToData()) {
        kv::MessageBox("数据不对");
        return;
    }
    CLiangData& data = *m_pData;
    kv::beams::ui::CalculateSection(
        data, windowTitle().toStdString(), m_results, [&] { return liang_calculate(data) != 0; },
        [&](std::FILE* fp, CBase_SGT* drawing) { liang_report(data, fp, drawing); });
}

int RunLiangDialog(QWidget* parent, CLiangData& data) {
    CDlgLiang dlg(parent);
    dlg.SetData(&data);
    return dlg.exec();
}
