#include "members/beams/ui/dlggj.h"

#include "base/calcrunner.h"
#include "base/globals.h"
#include "base/toolfile.h"
#include "codes/ui/gradecombo.h"
#include "members/beams/gj_calc.h"
#include "members/beams/gj_data.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "report/script.h"
#include "views/dialogs/calcroad.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"
#include "widgets/ui/ddx.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace {

using namespace kv::slabwall::ui;

constexpr const char* kFilter = "刚架数据文件(*.GJ)|*.GJ||";
constexpr const char* kExt = "GJ";
constexpr const char* kPDeltaTip = "是否考虑竖向压力在挠曲杆件中产生的二阶效应；\n如果考虑，程序计算时将调整弯矩值。";

}  // namespace

// The note on the longitudinal grades under the 2010 code (the section dialogs' too).
QString SectionGradeTip();

CDlgGj::CDlgGj(QWidget* parent) : CModuleDlg(parent) {
    setObjectName("210");
    setWindowTitle(QStringLiteral("刚架计算"));

    m_eName = Edit(this, 3087, 240);
    auto combo = [this](int id, bool editable = false) {
        QComboBox* c = Combo(this, id, {}, editable);
        c->setMinimumWidth(110);
        return c;
    };
    m_cConGrade = combo(1176);
    m_cBarGrade = combo(1032);
    m_cStirrup = combo(1037);
    m_cSpacing = combo(1172, true);
    m_cSpacing->addItems({"70", "80", "100", "150", "200"});
    m_eAs = Edit(this, 3235);
    m_cSteam = new QCheckBox(QStringLiteral("蒸气养护或掺早强剂"), this);
    m_cSteam->setObjectName("1352");
    m_cPDelta = new QCheckBox(QStringLiteral("p --δ效应"), this);
    m_cPDelta->setObjectName("1353");
    m_eMidFactor = Edit(this, 3081);
    m_eSupportFactor = Edit(this, 3083);
    m_eTextScale = Edit(this, 3095);
    m_eGraphScale = Edit(this, 3096);

    auto* materials = new QGridLayout;
    auto field = [&](QGridLayout* grid, int row, int column, const QString& label, QWidget* w) {
        AddField(grid, this, row, column, label, w);
    };
    field(materials, 0, 0, QStringLiteral("砼强度等级:"), m_cConGrade);
    field(materials, 0, 1, QStringLiteral("纵筋级别:"), m_cBarGrade);
    field(materials, 1, 0, QStringLiteral("箍筋级别:"), m_cStirrup);
    field(materials, 1, 1, QStringLiteral("箍筋间距:"), m_cSpacing);
    field(materials, 2, 0, QStringLiteral("配筋计算as(mm):"), m_eAs);
    materials->addWidget(m_cSteam, 3, 0, 1, 2);
    materials->addWidget(m_cPDelta, 3, 2, 1, 2);
    materials->setColumnStretch(1, 1);
    materials->setColumnStretch(3, 1);
    auto* materialGroup = new QGroupBox(QStringLiteral("材料与配筋"), this);
    materialGroup->setLayout(materials);

    // A group of two labelled fields, one under the other.
    auto pairGroup = [&](const QString& title, const QString& label1, QWidget* w1, const QString& label2, QWidget* w2) {
        auto* grid = new QGridLayout;
        field(grid, 0, 0, label1, w1);
        field(grid, 1, 0, label2, w2);
        grid->setColumnStretch(1, 1);
        auto* group = new QGroupBox(title, this);
        group->setLayout(grid);
        return group;
    };
    auto* factorGroup = pairGroup(QStringLiteral("配筋计算弯矩调整系数"), QStringLiteral("跨中:"), m_eMidFactor,
                                  QStringLiteral("支座:"), m_eSupportFactor);
    auto* scaleGroup = pairGroup(QStringLiteral("计算结果图"), QStringLiteral("计算结果中字符比例"), m_eTextScale,
                                 QStringLiteral("计算结果中图形比例"), m_eGraphScale);

    auto* build = Button(this, QStringLiteral("刚架建模"), 1136);
    auto* calculate = Button(this, QStringLiteral("刚架计算"), 1129);
    const ItemButtons item = MakeItemButtons(this);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label(this, QStringLiteral("说明:")));
    nameRow->addWidget(m_eName, 1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(factorGroup, 1);
    lower->addWidget(scaleGroup, 1);
    auto* fields = new QVBoxLayout;
    fields->addLayout(nameRow);
    fields->addWidget(materialGroup);
    fields->addLayout(lower);
    fields->addStretch(1);

    // The frame's own two steps first, then the file and result buttons, 返回 last.
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(build);
    buttons->addWidget(calculate);
    buttons->addSpacing(16);
    for (QPushButton* b : {item.read, item.save, item.diagram, item.report}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(item.back);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(build, &QPushButton::clicked, this, &CDlgGj::OnBuildModel);
    connect(calculate, &QPushButton::clicked, this, &CDlgGj::OnCalculate);
    ConnectItemButtons(this, item);
    for (QComboBox* c : {m_cConGrade, m_cBarGrade, m_cStirrup})
        connect(c, &QComboBox::activated, this, &CDlgGj::OnSelchangeGrade);
}

int CDlgGj::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CDlgGj::OnInitDialog() {
    FillConCombo(G_guifan, m_cConGrade);
    FillGangJinCombo(G_guifan, m_cBarGrade, 0);
    FillGangJinCombo(G_guifan, m_cStirrup, 3);
    DataToDlg();
    if (G_guifan != 2010) return;
    m_cBarGrade->setToolTip(SectionGradeTip());
    m_cPDelta->setToolTip(QString::fromUtf8(kPDeltaTip));
    setStyleSheet("QToolTip { background-color: rgb(255, 255, 150); color: black; }");
    for (QWidget* w : {static_cast<QWidget*>(m_cBarGrade), static_cast<QWidget*>(m_cPDelta)})
        w->installEventFilter(this);
}

bool CDlgGj::eventFilter(QObject* watched, QEvent* event) {
    // The notes come at once: they are read before a grade is chosen.
    if (event->type() == QEvent::Enter) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && !w->toolTip().isEmpty()) ShowToolTipNow(w);
    }
    return CModuleDlg::eventFilter(watched, event);
}

void CDlgGj::DataToDlg() {
    using namespace kv::ddx;
    if (!m_pData) return;
    const CGjData& d = *m_pData;
    std::string name = d.m_strName;
    Text(m_eName, name, false);
    m_cSteam->setChecked(d.Steam != 0);
    m_cPDelta->setChecked(d.PDelta != 0);
    SelectConCombo(G_guifan, d.ConGrade, m_cConGrade);
    float graph = d.GraphScale, text = d.TextScale, mid = d.MidFactor, support = d.SupportFactor, as = d.As;
    Float(m_eGraphScale, graph, false);
    Float(m_eTextScale, text, false);
    SelectGangJinCombo(G_guifan, d.StirrupGrade, m_cStirrup, 3);
    Float(m_eMidFactor, mid, false);
    Float(m_eSupportFactor, support, false);
    SelectGangJinCombo(G_guifan, d.BarGrade, m_cBarGrade, 0);
    Float(m_eAs, as, false);
    m_cSpacing->setEditText(QString::number(d.StirrupSpacing));
}

int CDlgGj::DlgToData() {
    using namespace kv::ddx;
    if (!m_pData) return 0;
    // Into a copy: a field that is not a number leaves the object as it was.
    GJ_FIELDS f = *m_pData;
    std::string name = m_pData->m_strName;
    if (!Text(m_eName, name, true) || !Float(m_eGraphScale, f.GraphScale, true) ||
        !Float(m_eTextScale, f.TextScale, true) || !Float(m_eMidFactor, f.MidFactor, true) ||
        !Float(m_eSupportFactor, f.SupportFactor, true) || !Float(m_eAs, f.As, true))
        return 0;
    f.Steam = m_cSteam->isChecked() ? 1 : 0;
    f.PDelta = m_cPDelta->isChecked() ? 1 : 0;
    GetComboGrade(G_guifan, f.ConGrade, m_cConGrade, 0);
    GetComboGrade(G_guifan, f.StirrupGrade, m_cStirrup, 1);
    GetComboGrade(G_guifan, f.BarGrade, m_cBarGrade, 1);
    f.StirrupSpacing = std::atoi(m_cSpacing->currentText().toStdString().c_str());
    static_cast<GJ_FIELDS&>(*m_pData) = f;
    m_pData->m_strName = name;
    return 1;
}

// ---- handlers -----------------------------------------------------------------------

void CDlgGj::OnSelchangeGrade() {
    DlgToData();
    DataToDlg();
}

void CDlgGj::OnReadData() {
    if (!m_pData) return;
    if (kv::MessageBox("读入数据将覆盖当前数据，是否继续 ?", kv::MB_YESNO | kv::MB_ICONQUESTION) != kv::IDYES) return;
    auto path = ReadDataFile(*m_pData, kFilter, kExt);
    if (!path) return;
    DataToDlg();
    TakeReadFile(*m_pData, *path);
}

void CDlgGj::OnSaveData() {
    if (!m_pData) return;
    auto path = kv::platform::FileDialogs().GetSaveFileName({"", kFilter, kExt, G_strWorkPath});
    if (!path) return;
    DlgToData();
    const std::string stem = m_pData->DataName();
    // The frame is in the editor's files: the copy takes them along.
    m_pData->CopyModelFiles(path->c_str());
    m_pData->SaveData(path->c_str());
    // In a project the data stays the item's: its file, model and results keep the item's name.
    if (IsProjectMode()) m_pData->SetFileName(stem);
    setWindowTitle(QString::fromStdString(*path));
}

void CDlgGj::OnShowJianTu() {
    done(QDialog::Accepted);
    ShowJianTu(m_pData);
}

void CDlgGj::OnShowReport() {
    ShowItemReport(m_pData);
    done(QDialog::Accepted);
}

std::vector<std::string> CDlgGj::EditorArguments(const std::string& workPath, const std::string& dataName) {
    std::string folder = workPath;
    std::replace(folder.begin(), folder.end(), ' ', '|');
    return {folder, dataName};
}

void CDlgGj::OnBuildModel() {
    if (!m_pData) return;
    const std::string editor = kv::tools::ToolPath(kGjEditorKey, kGjEditorExe);
    kv::platform::Launch launch;
    std::string error;
    if (!kv::platform::PrepareLaunch(editor, "", launch, error)) {
        kv::MessageBox("没有可以启动的刚架建模程序 (" + editor + ": " + error + ")。\n刚架计算读入工作目录中的刚架模型文件 " +
                           m_pData->ModelFileName() + "，请另行准备好该文件后再计算。\n建模程序可在 Hubrin.ini 的 [Hubrin] " +
                           kGjEditorKey + "= 中指定。",
                       kv::MB_OK | kv::MB_ICONWARNING);
        return;
    }
    // The editor leaves the frame in the companion files; nothing is read back here.
    kv::platform::RunOutsideProgram("刚架建模程序", editor, EditorArguments(G_strWorkPath, m_pData->DataName()), "");
}

void CDlgGj::OnCalculate() {
    if (!m_pData || !DlgToData()) return;
    CGjData& data = *m_pData;
    if (RunWrittenResultsRoad(data, windowTitle().toStdString(), [&] { gj_calculate(&data); })) OnOK();
}

void CDlgGj::OnOK() {
    DlgToData();
    if (CheckDataSaved(m_pData)) done(QDialog::Accepted);
}

void CDlgGj::reject() {
    if (DlgToData() && CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

int RunGjDialog(QWidget* parent, CGjData& data) {
    CDlgGj dlg(parent);
    dlg.SetData(&data);
    return dlg.exec();
}
