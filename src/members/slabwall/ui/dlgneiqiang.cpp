#include "members/slabwall/ui/dlgneiqiang.h"

#include "base/calcrunner.h"
#include "base/globals.h"
#include "base/textio.h"
#include "design/lkq_data.h"
#include "drawing/base_sgt.h"
#include "members/slabwall/qiang.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "platform/services.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"
#include "widgets/ui/ddx.h"
#include "widgets/ui/loadtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace {

using namespace kv::slabwall::ui;

// Edits whose leaving copies the dialog into the record.
constexpr int kKillFocusIds[] = {1077, 1240, 924, 1223};

const char* const kFilter = "内墙数据文件(*.NQ)|*.NQ||";

// The report must be written in full, or the old one stays.
void WriteReport(CLkqData& wall, const std::string& path, CBase_SGT* drawing) {
    std::FILE* fp = open_file(path.c_str(), "wt");
    qiang_report(wall, fp, drawing);
    if (fp) commit_file(fp);
}

}  // namespace

NeiQiangDlgRecord& NeiQiangDialogRecord() {
    static NeiQiangDlgRecord record;
    return record;
}

CDlgNeiQiang::CDlgNeiQiang(QWidget* parent) : CModuleDlg(parent), m_r(NeiQiangDialogRecord()) {
    setObjectName("226");
    setWindowTitle(QStringLiteral("内墙计算"));

    m_eName = Edit(this, 3087, 200);
    m_eHeight = Edit(this, 1077);
    m_eThickness = Edit(this, 924);
    m_eVertLoad = Edit(this, 1240);
    m_cConGrade = Combo(this, 1176);
    for (int grade = 15; grade <= 80; grade += 5) m_cConGrade->addItem(QString::number(grade));
    m_cBarGrade = Combo(this, 1182, {"HPB235", "HRB335", "HRB400", "RRB400"});
    m_eAs = Edit(this, 1223);
    auto* asLabel = Label(this, QStringLiteral("配筋计算as (mm):"));
    m_eAs->hide();
    asLabel->hide();
    m_cSteam = new QCheckBox(QStringLiteral("蒸气养护或掺早强剂"), this);
    m_cSteam->setObjectName("1352");

    auto* values = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* field) {
        values->addWidget(Label(this, label), row, 0);
        values->addWidget(field, row, 1);
        ++row;
    };
    addRow(QStringLiteral("说明"), m_eName);
    addRow(QStringLiteral("墙计算高度  b(m):"), m_eHeight);
    addRow(QStringLiteral("墙厚  t(mm):"), m_eThickness);
    addRow(QStringLiteral("竖向均布荷载设计值(kN/m]:"), m_eVertLoad);
    addRow(QStringLiteral("砼强度等级:"), m_cConGrade);
    addRow(QStringLiteral("纵筋级别:"), m_cBarGrade);
    values->addWidget(asLabel, row, 0);
    values->addWidget(m_eAs, row, 1);
    values->addWidget(m_cSteam, ++row, 0, 1, 2);
    values->setColumnStretch(1, 1);

    m_list = new QListWidget(this);
    m_list->setObjectName("1115");
    m_list->setMinimumHeight(150);

    auto* code = Button(this, QStringLiteral("规范"), 1162);  // nothing to look up for this wall
    const ItemButtons item = MakeItemButtons(this);
    auto* calculate = Button(this, QStringLiteral("计算"), 1359);
    auto* enter = Button(this, QString(), 1286);
    enter->hide();

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {code, item.read, item.save, calculate, item.diagram, item.report}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(item.back);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(values);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(calculate, &QPushButton::clicked, this, &CDlgNeiQiang::OnCalculate);
    ConnectItemButtons(this, item);
    connect(enter, &QPushButton::clicked, this, [this] { focusNextChild(); });
    for (int id : kKillFocusIds) findChild<QLineEdit*>(QString::number(id))->installEventFilter(this);
}

int CDlgNeiQiang::exec() {
    DataToDlg();
    setWindowTitle(QStringLiteral("内墙计算"));
    return QDialog::exec();
}

bool CDlgNeiQiang::UpdateData(bool save) {
    using namespace kv::ddx;
    if (!save) {
        Text(m_eName, m_r.name, false);
        Float(m_eHeight, m_r.height, false);
        Int(m_eThickness, m_r.thickness, false);
        Float(m_eVertLoad, m_r.vertLoad, false);
        m_cConGrade->setCurrentIndex(m_cConGrade->findText(QString::fromStdString(m_r.conGrade)));
        m_cBarGrade->setCurrentIndex(m_r.barIndex >= 0 && m_r.barIndex < m_cBarGrade->count() ? m_r.barIndex : -1);
        Int(m_eAs, m_r.as, false);
        m_cSteam->setChecked(m_r.steam != 0);
        return true;
    }
    Text(m_eName, m_r.name, true);
    if (!Float(m_eHeight, m_r.height, true, 1e-8f, 100.0f) || !Int(m_eThickness, m_r.thickness, true, 0, 32767) ||
        !Float(m_eVertLoad, m_r.vertLoad, true, 0.0f, 1e8f))
        return false;
    m_r.conGrade = m_cConGrade->currentText().toStdString();
    m_r.barIndex = m_cBarGrade->currentIndex();
    if (!Int(m_eAs, m_r.as, true, 0, 32767)) return false;
    m_r.steam = m_cSteam->isChecked() ? 1 : 0;
    return true;
}

int CDlgNeiQiang::DlgToData() {
    if (m_pData) kv::ddx::Text(m_eName, m_pData->m_strName, true);
    m_exchanging = true;
    const bool ok = UpdateData(true);
    m_exchanging = false;
    if (!ok || !m_pData) return 0;
    CLkqData& d = *m_pData;
    // The grade is the number the combo shows ("30" is C30).
    int grade = 0;
    if (std::sscanf(m_r.conGrade.c_str(), "%d", &grade) == 1) d.ConGrade = grade;
    d.VertLoad = m_r.vertLoad;
    d.Height = m_r.height;
    d.Thickness = m_r.thickness;
    if (m_r.barIndex >= 0) d.BarGrade = m_r.barIndex + 1;
    d.Cover = m_r.as;
    d.Steam = m_r.steam;
    return 1;
}

int CDlgNeiQiang::DataToDlg() {
    if (!m_pData) return 1;
    const CLkqData& d = *m_pData;
    m_r.name = d.m_strName;
    char grade[16];
    std::snprintf(grade, sizeof grade, "%d", d.ConGrade);
    m_r.conGrade = grade;
    m_r.vertLoad = d.VertLoad;
    m_r.height = d.Height;
    m_r.thickness = d.Thickness;
    UpdateData(false);
    m_r.barIndex = d.BarGrade - 1;
    m_r.as = d.Cover;
    m_r.steam = d.Steam;
    UpdateData(false);
    return 1;
}

void CDlgNeiQiang::OnCalculate() {
    if (!m_pData) return;
    // The last run's lines go first: a refused or stopped run must not leave its
    // steel on show as if it were this one's.
    m_list->clear();
    if (!DlgToData()) {
        kv::MessageBox("数据不对!");
        return;
    }
    CLkqData& wall = *m_pData;
    // A compressed strip: no face loads, one way.
    wall.OneWay = 1;
    wall.Kind = 3;
    wall.Width = 99.0f;
    wall.Load = 0;
    wall.TriLoad = 0;
    const std::string report = G_strWorkPath + wall.GetRtfFileName(0);
    const std::string dxf = G_strWorkPath + wall.GetDxfFileName(0);
    const bool ran = kv::calc::Run(wall.m_strName, [&wall, &report, &dxf] {
        qiang_calculate(wall);
        CBase_SGT drawing;
        drawing.New_MemDxf();
        drawing.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
        drawing.Write_Tables();
        WriteReport(wall, report, &drawing);
        drawing.Write_MemDxf_To_File(dxf.c_str());
    });
    if (!ran) return;
    LoadToListBox(m_list, "Message.Box");
    // The view turns the text into RTF with the drawing in place of its script.
    if (kv::shell::ReadReport(report)) {
        kv::shell::RunReportScripts();
        kv::shell::SaveReport(report);
    }
}

void CDlgNeiQiang::OnReadData() {
    if (!m_pData) return;
    auto path = ReadDataFile(*m_pData, kFilter, "NQ");
    if (!path) return;
    DataToDlg();
    // The item takes it with the rest when the dialog ends.
    TakeReadFile(*m_pData, *path, false);
}

void CDlgNeiQiang::OnSaveData() {
    // Saved under the name as typed: no extension is added.
    if (m_pData) SaveDataFile(*m_pData, kFilter, "", [this] { DlgToData(); });
}

void CDlgNeiQiang::OnShowJianTu() {
    done(QDialog::Accepted);
    ShowJianTu(m_pData);
}

void CDlgNeiQiang::OnShowReport() { ShowItemReport(m_pData); }

void CDlgNeiQiang::OnOK() {
    DlgToData();
    done(QDialog::Rejected);
}

void CDlgNeiQiang::reject() {
    if (DlgToData()) done(QDialog::Rejected);
}

bool CDlgNeiQiang::eventFilter(QObject* watched, QEvent* event) {
    if (!m_exchanging && LeftForAnotherField(event)) DlgToData();
    return QDialog::eventFilter(watched, event);
}

int RunNeiQiangDialog(QWidget* /*parent*/, CLkqData& data) {
    CDlgNeiQiang dlg;
    dlg.SetData(&data);
    return dlg.exec();
}
