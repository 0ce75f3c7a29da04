#include "members/slabwall/ui/dlgmkq.h"

#include "base/globals.h"
#include "codes/ui/gradecombo.h"
#include "design/mkq_data.h"
#include "members/slabwall/mkq.h"
#include "views/dialogs/calcroad.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "platform/services.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/dlghelppic.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"
#include "widgets/ui/ddx.h"
#include "widgets/ui/loadtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

using namespace kv::slabwall::ui;

// The load dialogs of the blast-load menu that 规范荷载规定 opens.
constexpr int kDoorFrameLoads = 32772;
constexpr int kLightWellLoads = 32778;

// The section pictures, by shape index.
constexpr const char* kShapePictures[] = {"IDB_BITMAP_MKQ2", "IDB_BITMAP_MKQ3", "IDB_BITMAP_ZJM4"};
// A picture the program folder lacks shows as an empty frame of this size.
constexpr QSize kPictureSize(260, 236);

// The load positions follow the cantilever length, truncated to whole mm. Worked
// in double: a float loses whole millimetres of a long lip; a length at the
// field's ends gives a position held at them rather than one wrapped round.
int WholeMm(double mm) {
    return static_cast<int>(std::clamp(std::trunc(mm), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}
int L1From(int length) { return WholeMm(length - 33.333332); }
int L2From(int length) { return WholeMm(static_cast<double>(length) - 100); }

}  // namespace

CDlgMkq::CDlgMkq(QWidget* parent) : CModuleDlg(parent) {
    setObjectName("103");
    setWindowTitle(QStringLiteral("门框墙截面计算"));

    // ---- the section shape ----
    m_picture = new QToolButton(this);
    m_picture->setObjectName("1195");
    m_picture->setFocusPolicy(Qt::NoFocus);
    m_shapeBar = new QScrollBar(Qt::Vertical, this);
    m_shapeBar->setObjectName("1338");
    m_shapeBar->setRange(0, 1);
    m_shapeBar->setSingleStep(1);
    m_shapeBar->setPageStep(1);
    m_shapeBar->setFixedHeight(60);
    auto* shapeLabel = Label(this, QStringLiteral("改截面形式←"), 3231);
    auto* shapeBox = new QGridLayout;
    shapeBox->addWidget(m_picture, 0, 0, 2, 1);
    shapeBox->addWidget(m_shapeBar, 0, 1, Qt::AlignHCenter | Qt::AlignBottom);
    shapeBox->addWidget(shapeLabel, 1, 1, Qt::AlignHCenter | Qt::AlignTop);
    auto* shapeGroup = new QGroupBox(QStringLiteral("截面形式"), this);
    shapeGroup->setLayout(shapeBox);

    // ---- dimensions and loads ----
    m_eName = Edit(this, 3087, 200);
    m_eL = Edit(this, 1353);
    m_eH = Edit(this, 924);
    m_eL1 = Edit(this, 1233);
    m_eL2 = Edit(this, 1238);
    m_eA = Edit(this, 1068);
    m_eLa = Edit(this, 1269);
    m_eQi = Edit(this, 1265);
    m_eQe = Edit(this, 1127);
    auto* sizes = new QGridLayout;
    auto pair = [&](int row, int column, const QString& label, QWidget* field) {
        AddField(sizes, this, row, column, label, field);
    };
    pair(0, 0, QStringLiteral("L(mm):"), m_eL);
    pair(0, 1, QStringLiteral("h(mm):"), m_eH);
    pair(1, 0, QStringLiteral("L1(mm):"), m_eL1);
    pair(1, 1, QStringLiteral("L2(mm):"), m_eL2);
    pair(2, 0, QStringLiteral("a(mm):"), m_eA);
    pair(2, 1, QStringLiteral("门洞边长La(m):"), m_eLa);
    pair(3, 0, QStringLiteral("qi(kN/m):"), m_eQi);
    pair(3, 1, QStringLiteral("qe(kN/m2):"), m_eQe);
    sizes->addWidget(DesignValueNote(this), 4, 0, 1, 4);
    sizes->setColumnStretch(1, 1);
    sizes->setColumnStretch(3, 1);
    auto* sizeGroup = new QGroupBox(QStringLiteral("尺寸与荷载"), this);
    sizeGroup->setLayout(sizes);

    // ---- materials and stirrups ----
    m_cConGrade = Combo(this, 1176);
    m_cBarGrade = Combo(this, 1182);
    m_cStirrup = Combo(this, 1248);
    m_cSpacing = Combo(this, 1361, {"100", "150", "200"}, true);
    m_eAs = Edit(this, 1223);
    m_cSteam = new QCheckBox(QStringLiteral("蒸气养护或掺早强剂"), this);
    m_cSteam->setObjectName("1352");
    m_cCrack = new QCheckBox(QStringLiteral("抗裂验算(c/h0 ≤1时，按牛腿验算抗裂)"), this);
    m_cCrack->setObjectName("3212");
    auto* materials = new QGridLayout;
    auto material = [&](int row, int column, const QString& label, QWidget* field) {
        AddField(materials, this, row, column, label, field);
    };
    material(0, 0, QStringLiteral("砼强度等级:"), m_cConGrade);
    material(0, 1, QStringLiteral("纵筋级别:"), m_cBarGrade);
    material(1, 0, QStringLiteral("箍筋级别:"), m_cStirrup);
    material(1, 1, QStringLiteral("箍筋间距(mm):"), m_cSpacing);
    material(2, 0, QStringLiteral("配筋计算as(mm):"), m_eAs);
    materials->addWidget(m_cSteam, 3, 0, 1, 4);
    materials->addWidget(m_cCrack, 4, 0, 1, 4);
    materials->setColumnStretch(1, 1);
    materials->setColumnStretch(3, 1);
    auto* materialGroup = new QGroupBox(QStringLiteral("材料"), this);
    materialGroup->setLayout(materials);

    // Kept for the record's sake; the run does not ask for them.
    m_eFactor = Edit(this, 1148);
    m_factorLabel = Label(this, QStringLiteral("砼抗剪强度调整系数"), 1354);
    m_cReportLevel = Combo(this, 1275, {QStringLiteral("简单"), QStringLiteral("一般"), QStringLiteral("详细")});
    m_cReportLevel->hide();
    auto* makeReport = Button(this, QStringLiteral("生成报表"), 1334);
    makeReport->hide();

    m_messages = ResultView(this);
    m_messages->setMinimumHeight(160);

    // ---- buttons ----
    auto* loads = Button(this, QStringLiteral("规范荷载规定"), 1162);
    const ItemButtons item = MakeItemButtons(this);
    m_calculate = Button(this, QStringLiteral("计算"), 1359);
    auto* enter = Button(this, QString(), 1286);
    enter->hide();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_calculate, loads, item.read, item.save, item.diagram, item.report})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(item.back);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label(this, QStringLiteral("说明:")));
    nameRow->addWidget(m_eName, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(nameRow);
    right->addWidget(sizeGroup);
    right->addWidget(materialGroup);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(shapeGroup, 0, Qt::AlignTop);
    top->addLayout(right, 1);
    auto* hidden = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(m_factorLabel), static_cast<QWidget*>(m_eFactor),
                       static_cast<QWidget*>(m_cReportLevel), static_cast<QWidget*>(makeReport),
                       static_cast<QWidget*>(enter)})
        hidden->addWidget(w);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_messages, 1);
    layout->addLayout(buttons);
    layout->addLayout(hidden);

    // ---- handlers ----
    connect(m_calculate, &QPushButton::clicked, this, &CDlgMkq::OnCalculate);
    connect(loads, &QPushButton::clicked, this, &CDlgMkq::OnLoadRules);
    ConnectItemButtons(this, item);
    connect(enter, &QPushButton::clicked, this, &CDlgMkq::OnEnterKey);
    for (QComboBox* c : {m_cConGrade, m_cBarGrade, m_cStirrup})
        connect(c, &QComboBox::activated, this, &CDlgMkq::OnGradeChange);
    connect(m_shapeBar, &QScrollBar::actionTriggered, this, &CDlgMkq::OnShapeScroll);
    connect(m_shapeBar, &QScrollBar::sliderReleased, this, &CDlgMkq::OnShapeThumbReleased);
    m_eL->installEventFilter(this);
}

int CDlgMkq::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CDlgMkq::OnInitDialog() {
    FillConCombo(G_guifan, m_cConGrade);
    FillGangJinCombo(G_guifan, m_cBarGrade, 1);
    FillGangJinCombo(G_guifan, m_cStirrup, 3);
    DataToControls();
    setWindowTitle(m_nKind == 0   ? QStringLiteral("门框墙计算")
                   : m_nKind == 1 ? QStringLiteral("窗井墙计算")
                                  : QStringLiteral("门框墙 窗井墙计算"));
    LoadShapeBitmaps();
    // What is stored for L1 and L2 gives way to what L says.
    DeriveLoadPositions();
    m_shapeBar->setValue(m_nShape);
}

int CDlgMkq::ControlsToData() {
    using namespace kv::ddx;
    if (!m_pData) return 0;
    // Read into a copy: a field that fails its check leaves the record as it was.
    MKQ_FIELDS f = *m_pData;
    std::string name = m_pData->m_strName;
    if (!Text(m_eName, name, true) || !Int(m_eL, f.Length, true) || !Int(m_eH, f.Depth, true) ||
        !Int(m_eL1, f.L1, true) || !Int(m_eL2, f.L2, true) || !Int(m_eA, f.Haunch, true) ||
        !Float(m_eLa, f.La, true) || !Float(m_eQi, f.Qi, true) || !Float(m_eQe, f.Qe, true) ||
        !Int(m_eAs, f.Cover, true, 0, 999) || !Float(m_eFactor, f.ShearAdjust, true))
        return 0;
    f.Shape = m_nShape + 1;
    f.Steam = m_cSteam->isChecked() ? 1 : 0;
    f.CrackCheck = m_cCrack->isChecked() ? 1 : 0;
    GetComboGrade(G_guifan, f.ConGrade, m_cConGrade, 0);
    GetComboGrade(G_guifan, f.BarGrade, m_cBarGrade, 1);
    GetComboGrade(G_guifan, f.StirrupGrade, m_cStirrup, 1);
    // As "%d" reads it: leading digits count, a text without any keeps the spacing.
    std::sscanf(m_cSpacing->currentText().toStdString().c_str(), "%d", &f.StirrupSpacing);
    if (m_cReportLevel->currentIndex() >= 0) f.ReportLevel = m_cReportLevel->currentIndex();
    static_cast<MKQ_FIELDS&>(*m_pData) = f;
    m_pData->m_strName = name;
    return 1;
}

int CDlgMkq::DataToControls() {
    using namespace kv::ddx;
    if (!m_pData) return 1;
    CMkqData& d = *m_pData;
    m_nKind = d.Kind;
    m_nShape = d.Shape - 1;
    Text(m_eName, d.m_strName, false);
    Int(m_eL, d.Length, false);
    Int(m_eH, d.Depth, false);
    Int(m_eL1, d.L1, false);
    Int(m_eL2, d.L2, false);
    Int(m_eA, d.Haunch, false);
    Float(m_eLa, d.La, false);
    Float(m_eQi, d.Qi, false);
    Float(m_eQe, d.Qe, false);
    Int(m_eAs, d.Cover, false);
    Float(m_eFactor, d.ShearAdjust, false);
    m_cSteam->setChecked(d.Steam != 0);
    m_cCrack->setChecked(d.CrackCheck != 0);
    SelectConCombo(G_guifan, d.ConGrade, m_cConGrade);
    SelectGangJinCombo(G_guifan, d.BarGrade, m_cBarGrade, 1);
    SelectGangJinCombo(G_guifan, d.StirrupGrade, m_cStirrup, 3);
    m_cSpacing->setEditText(QString::number(d.StirrupSpacing));
    m_cReportLevel->setCurrentIndex(d.ReportLevel >= 0 && d.ReportLevel < 3 ? d.ReportLevel : -1);
    return 1;
}

void CDlgMkq::LoadShapeBitmaps() {
    m_eFactor->hide();
    m_factorLabel->hide();
    m_eL1->setEnabled(false);
    m_eL2->setEnabled(false);
    if (m_nShape == 0) m_eA->setEnabled(false);
    else if (m_nShape == 1) m_eA->setEnabled(true);
    if (m_nShape >= 0 && m_nShape < 3) ShowPicture(kShapePictures[m_nShape]);
}

void CDlgMkq::ShowPicture(const std::string& name) {
    QPixmap pixmap;
    const std::string path = CDlgHelpPic::PicturePath(name);
    if (path.empty() || !pixmap.load(QString::fromStdString(path))) {
        pixmap = QPixmap(kPictureSize);
        pixmap.fill(Qt::white);
    }
    m_picture->setIcon(QIcon(pixmap));
    m_picture->setIconSize(pixmap.size());
    m_picture->setFixedSize(pixmap.size() + QSize(6, 6));
    m_picture->setProperty("picture", QString::fromStdString(name));
    m_picture->update();
}

bool CDlgMkq::DeriveLoadPositions() {
    int length = 0;
    if (!kv::ddx::Int(m_eL, length, true)) return false;
    int l1 = L1From(length), l2 = L2From(length);
    kv::ddx::Int(m_eL1, l1, false);
    kv::ddx::Int(m_eL2, l2, false);
    return true;
}

// ---- handlers -----------------------------------------------------------------------

void CDlgMkq::OnLengthKillFocus() { DeriveLoadPositions(); }

void CDlgMkq::OnGradeChange() {
    ControlsToData();
    DataToControls();
}

void CDlgMkq::OnShapeScroll(int action) {
    const bool up = action == QAbstractSlider::SliderSingleStepSub || action == QAbstractSlider::SliderPageStepSub;
    const bool down = action == QAbstractSlider::SliderSingleStepAdd || action == QAbstractSlider::SliderPageStepAdd;
    if (!up && !down) return;
    if (!ControlsToData()) {
        // The range message has been shown; the shape stays.
        m_shapeBar->setSliderPosition(m_shapeBar->value());
        m_calculate->setFocus();
        LoadShapeBitmaps();
        return;
    }
    if (up && m_pData->Shape > 1) --m_pData->Shape;
    if (down && m_pData->Shape < 2) ++m_pData->Shape;
    DataToControls();
    LoadShapeBitmaps();
    m_shapeBar->setSliderPosition(up ? 0 : 1);
}

void CDlgMkq::OnShapeThumbReleased() {
    if (!m_pData) return;
    // What the controls hold and was not taken yet gives way to the record.
    m_pData->Shape = m_shapeBar->sliderPosition() + 1;
    DataToControls();
    LoadShapeBitmaps();
}

std::string CDlgMkq::FilePattern() const {
    return m_nKind == 1 ? "窗井墙数据文件(*.CJQ)|*.CJQ||" : "门框墙数据文件(*.MKQ)|*.MKQ||";
}

void CDlgMkq::OnReadData() {
    if (!m_pData) return;
    auto path = ReadDataFile(*m_pData, FilePattern(), m_nKind == 1 ? "CJQ" : "MKQ");
    if (!path) return;
    DataToControls();
    LoadShapeBitmaps();
    TakeReadFile(*m_pData, *path);
}

void CDlgMkq::OnSaveData() {
    // Saved under the name as typed: no extension is added.
    if (m_pData) SaveDataFile(*m_pData, FilePattern(), "", [this] { ControlsToData(); });
}

void CDlgMkq::OnShowJianTu() {
    if (ControlsToData()) done(QDialog::Accepted);
    ShowJianTu(m_pData);
}

void CDlgMkq::OnShowReport() { ShowItemReport(m_pData); }

void CDlgMkq::OnLoadRules() { kv::shell::SendCommand(m_nKind == 1 ? kLightWellLoads : kDoorFrameLoads); }

void CDlgMkq::OnOK() {
    if (ControlsToData() && CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

void CDlgMkq::reject() { OnOK(); }

bool CDlgMkq::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_eL && LeftForAnotherField(event)) OnLengthKillFocus();
    return QDialog::eventFilter(watched, event);
}

// ---- 计算 ---------------------------------------------------------------------------

void CDlgMkq::OnCalculate() {
    if (!m_pData) return;
    if (!ControlsToData()) {
        kv::MessageBox("数据不对!");
        return;
    }
    CMkqData& data = *m_pData;
    // The messages go to the rich edit, where the warnings show in red.
    if (!RunCalculationRoad(data, windowTitle().toStdString(), nullptr,
                            {[&] { mkq_calculate(data); },
                             [&](std::FILE* fp, CBase_SGT* drawing) { mkq_report(data, fp, drawing); }})) {
        // Nothing ran: the last run's lines are no answer to this one.
        m_messages->clear();
        return;
    }
    LoadTextToRichEdit(m_messages, "Message.Box");
}

int RunMkqDialog(QWidget* parent, CMkqData& data) {
    CDlgMkq dlg(parent);
    dlg.SetData(&data);
    return dlg.exec();
}
