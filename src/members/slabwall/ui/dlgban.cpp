#include "members/slabwall/ui/dlgban.h"

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "codes/ui/bianjiebutton.h"
#include "codes/ui/bmpcombobox.h"
#include "codes/ui/gradecombo.h"
#include "drawing/base_sgt.h"
#include "loads/equivload.h"
#include "members/slabwall/ban.h"
#include "views/dialogs/calcroad.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "members/slabwall/ui/edgecombos.h"
#include "members/slabwall/ui/dlgqiangyansuan.h"
#include "members/slabwall/ui/slabloaddlgs.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "report/script.h"
#include "report/ui/reportfile.h"
#include "report/ui/rtfwriter.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"
#include "widgets/ui/ddx.h"
#include "widgets/ui/loadtext.h"

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
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

using namespace kv::slabwall::ui;

constexpr int kEdgeComboIds[4] = {1024, 1041, 1056, 1064};   // bottom, right, top, left
constexpr int kEdgeMomentIds[4] = {1357, 1143, 1133, 1140};
// Edits whose leaving copies the dialog into the data.
constexpr int kKillFocusIds[] = {1068, 1077, 1103, 1209, 1284, 1223, 1192};

const char* const kEdgeMomentTip = "板边弯矩(kN.m/m)";

}  // namespace

CDlgBan::CDlgBan(QWidget* parent) : CModuleDlg(parent) {
    setObjectName("204");
    setWindowTitle(QStringLiteral("板计算"));
    // The tips read on a pale yellow, as the calculation notes do.
    setStyleSheet("QToolTip { background-color: rgb(255, 255, 150); color: black; }");

    // ---- the plate and its edges ----
    m_picture = new CBianJieButton(this);
    m_picture->setObjectName("1195");
    m_picture->setFocusPolicy(Qt::NoFocus);
    auto* pictureGrid = new QGridLayout;
    auto edgeBox = [this](int i) {
        m_cEdge[i] = new CBmpComboBox(this);
        m_cEdge[i]->setObjectName(QString::number(kEdgeComboIds[i]));
        m_eEdgeMoment[i] = Edit(this, kEdgeMomentIds[i], 60);
        m_eEdgeMoment[i]->setToolTip(QString::fromUtf8(kEdgeMomentTip));
        auto* box = new QVBoxLayout;
        box->setSpacing(2);
        box->addWidget(m_cEdge[i], 0, Qt::AlignCenter);
        box->addWidget(m_eEdgeMoment[i], 0, Qt::AlignCenter);
        return box;
    };
    auto* aLabel = Label(this, "a");
    auto* bLabel = Label(this, "b");
    auto* middle = new QGridLayout;
    middle->addWidget(m_picture, 0, 0);
    middle->addWidget(bLabel, 0, 1, Qt::AlignVCenter);
    middle->addWidget(aLabel, 1, 0, Qt::AlignHCenter);
    pictureGrid->addLayout(edgeBox(2), 0, 1, Qt::AlignCenter);  // top
    pictureGrid->addLayout(edgeBox(3), 1, 0, Qt::AlignCenter);  // left
    pictureGrid->addLayout(middle, 1, 1, Qt::AlignCenter);
    pictureGrid->addLayout(edgeBox(1), 1, 2, Qt::AlignCenter);  // right
    pictureGrid->addLayout(edgeBox(0), 2, 1, Qt::AlignCenter);  // bottom
    auto* edgeGroup = new QGroupBox(QStringLiteral("支撑条件"), this);
    edgeGroup->setLayout(pictureGrid);

    // ---- the slab's values ----
    m_eDescription = Edit(this, 3087, 200);
    m_eA = Edit(this, 1068);
    m_eB = Edit(this, 1077);
    m_eT = Edit(this, 1103);
    m_eQ = Edit(this, 1209);
    m_loadLabel = Label(this, QStringLiteral("板面均布荷载设计值(kPa):"), 3205);
    m_upwardLabel = Label(this, QStringLiteral("(荷载方向向上)"), 3206);
    m_cConGrade = Combo(this, 1176);
    m_cBarGrade = Combo(this, 1182);
    m_eAs = Edit(this, 1223);
    m_eMidFactor = Edit(this, 1284);
    m_eEdgeFactor = Edit(this, 1192);
    m_eWallThickness = Edit(this, 1109);
    m_eNumber = Edit(this, 1362);
    m_eNumber->setEnabled(false);
    m_eNumber->hide();

    auto* values = new QGridLayout;
    int row = 0;
    auto addRow = [&](QWidget* label, QWidget* field, QWidget* after = nullptr) {
        values->addWidget(label, row, 0);
        values->addWidget(field, row, 1);
        if (after) values->addWidget(after, row, 2);
        ++row;
    };
    addRow(Label(this, QStringLiteral("说明:")), m_eDescription);
    addRow(Label(this, QStringLiteral("板长a(m):")), m_eA);
    addRow(Label(this, QStringLiteral("板宽b(m):")), m_eB);
    addRow(Label(this, QStringLiteral("板厚t(mm):")), m_eT);
    addRow(m_loadLabel, m_eQ, m_upwardLabel);
    addRow(Label(this, QStringLiteral("砼强度等级:")), m_cConGrade);
    addRow(Label(this, QStringLiteral("纵筋级别:")), m_cBarGrade);
    addRow(Label(this, QStringLiteral("配筋计算as(mm):")), m_eAs);
    addRow(Label(this, QStringLiteral("跨中计算放大系数:")), m_eMidFactor);
    addRow(Label(this, QStringLiteral("支座计算放大系数:")), m_eEdgeFactor);
    addRow(Label(this, QStringLiteral("周边墙厚(mm):")), m_eWallThickness);
    values->setColumnStretch(1, 1);

    // ---- theory ----
    auto* elastic = new QRadioButton(QStringLiteral("弹性内力"), this);
    elastic->setObjectName("1355");
    auto* plastic = new QRadioButton(QStringLiteral("塑性内力"), this);
    plastic->setObjectName("1110");
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

    m_cSteam = new QCheckBox(QStringLiteral("蒸气养护或掺早强剂"), this);
    m_cSteam->setObjectName("1352");
    m_cLoadNote = new QCheckBox(QStringLiteral("将荷载导算过程写入计算书"), this);
    m_cLoadNote->setObjectName("3107");

    m_list = new QListWidget(this);
    m_list->setObjectName("1115");
    m_list->setMinimumHeight(150);

    // ---- buttons ----
    auto* calculate = Button(this, QStringLiteral("计算"), 1359);
    auto* loads = Button(this, QStringLiteral("导算荷载"), 3109);
    const ItemButtons item = MakeItemButtons(this);
    m_wallCheck = Button(this, QStringLiteral("墙体验算>>"), 3218);
    auto* makeReport = Button(this, QStringLiteral("生成报表"), 1330);
    makeReport->hide();
    auto* enter = Button(this, QString(), 1286);
    enter->hide();

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {calculate, loads, item.read, item.save, item.diagram, item.report, m_wallCheck, makeReport})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(item.back);

    auto* right = new QVBoxLayout;
    right->addLayout(values);
    right->addWidget(theoryGroup);
    right->addWidget(m_cSteam);
    right->addWidget(m_cLoadNote);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(edgeGroup, 0, Qt::AlignTop);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_eNumber);

    // ---- handlers ----
    connect(calculate, &QPushButton::clicked, this, &CDlgBan::OnCalculate);
    connect(loads, &QPushButton::clicked, this, &CDlgBan::OnDaoSuanHeZai);
    ConnectItemButtons(this, item);
    connect(m_wallCheck, &QPushButton::clicked, this, &CDlgBan::OnQiangYanSuan);
    connect(enter, &QPushButton::clicked, this, &CDlgBan::OnEnterKey);
    connect(elastic, &QRadioButton::clicked, this, &CDlgBan::OnElastic);
    connect(plastic, &QRadioButton::clicked, this, &CDlgBan::OnPlastic);
    for (int i = 0; i < 4; ++i)
        connect(m_cEdge[i], &QComboBox::activated, this, [this, i](int) { OnEdgeChange(i); });
    connect(m_cConGrade, &QComboBox::activated, this, &CDlgBan::OnGradeChange);
    connect(m_cBarGrade, &QComboBox::activated, this, &CDlgBan::OnGradeChange);
    for (int id : kKillFocusIds) findChild<QLineEdit*>(QString::number(id))->installEventFilter(this);
    for (QLineEdit* e : m_eEdgeMoment) e->installEventFilter(this);
    m_eFixity->installEventFilter(this);
}

int CDlgBan::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CDlgBan::OnInitDialog() {
    for (CBmpComboBox* c : m_cEdge) c->clear();
    if (m_pData) {
        m_theory = m_pData->Plastic;
        for (int i = 0; i < 4; ++i) m_edgeType[i] = m_pData->EdgeType[i];
    }
    UpdateEdgeCombos();
    FillConCombo(G_guifan, m_cConGrade);
    FillGangJinCombo(G_guifan, m_cBarGrade, 1);
    if (m_pData) DataToDlg();
    if (m_nKind == 0) {
        setWindowTitle(QStringLiteral("顶板计算"));
        m_loadLabel->setText(QStringLiteral("板面均布荷载设计值(kPa):"));
        m_upwardLabel->hide();
    } else {
        setWindowTitle(QStringLiteral("底板计算"));
        m_loadLabel->setText(QStringLiteral("板底均布荷载设计值(kPa):"));
        m_upwardLabel->show();
    }
    m_wallCheck->hide();
}

bool CDlgBan::UpdateData(bool save) {
    using namespace kv::ddx;
    if (!save) {
        Float(m_eA, m_a, false);
        Float(m_eB, m_b, false);
        Float(m_eQ, m_q, false);
        Float(m_eMidFactor, m_midFactor, false);
        Int(m_eAs, m_as, false);
        Float(m_eEdgeFactor, m_edgeFactor, false);
        m_cSteam->setChecked(m_steam != 0);
        for (int i = 0; i < 4; ++i) Float(m_eEdgeMoment[i], m_edgeMoment[i], false);
        Float(m_eT, m_t, false);
        Int(m_eNumber, m_number, false);
        Text(m_eDescription, m_description, false);
        m_cLoadNote->setChecked(m_loadNote != 0);
        Float(m_eWallThickness, m_wallThickness, false);
        if (QAbstractButton* b = m_theoryGroup->button(m_theory)) {
            b->setChecked(true);
        } else {
            m_theoryGroup->setExclusive(false);
            for (QAbstractButton* r : m_theoryGroup->buttons()) r->setChecked(false);
            m_theoryGroup->setExclusive(true);
        }
        Float(m_eFixity, m_fixity, false);
        return true;
    }
    if (!Float(m_eA, m_a, true, 0.001f, 100.0f) || !Float(m_eB, m_b, true, 0.001f, 100.0f) ||
        !Float(m_eQ, m_q, true, 0.0f, 1.0e10f) || !Float(m_eMidFactor, m_midFactor, true, 0.0f, 100.0f) ||
        !Int(m_eAs, m_as, true, 0, 32767) || !Float(m_eEdgeFactor, m_edgeFactor, true, 0.0f, 100.0f))
        return false;
    m_steam = m_cSteam->isChecked() ? 1 : 0;
    for (int i = 0; i < 4; ++i)
        if (!Float(m_eEdgeMoment[i], m_edgeMoment[i], true, 0.0f, 10000.0f)) return false;
    if (!Float(m_eT, m_t, true) || !Int(m_eNumber, m_number, true)) return false;
    Text(m_eDescription, m_description, true);
    m_loadNote = m_cLoadNote->isChecked() ? 1 : 0;
    if (!Float(m_eWallThickness, m_wallThickness, true)) return false;
    m_theory = m_theoryGroup->checkedId();
    return Float(m_eFixity, m_fixity, true, 0.0f, 1.0f);
}

int CDlgBan::DlgToData() {
    // A combo without a selection keeps the edge it had.
    for (int i = 0; i < 4; ++i)
        if (m_cEdge[i]->currentIndex() >= 0) m_edgeType[i] = m_cEdge[i]->currentIndex();
    m_exchanging = true;
    bool ok = UpdateData(true);
    m_exchanging = false;
    if (!ok || !m_pData) return 0;
    BAN_JS_STRUCT& d = *m_pData;
    d.m_strName = m_description;
    d.LoadNote = m_loadNote;
    d.WallThickness = m_wallThickness;
    for (int i = 0; i < 4; ++i) {
        d.EdgeType[i] = m_edgeType[i];
        d.CornerFlag[i] = m_corner[i];
        d.EdgeMoment[i] = m_edgeMoment[i];
    }
    GetComboGrade(G_guifan, d.ConGrade, m_cConGrade, 0);
    d.Load = m_q;
    d.Length = m_a;
    d.Width = m_b;
    // Truncated; a value beyond an int is held at its limit rather than wrapping.
    d.Thickness = m_t >= 2147483647.0f ? std::numeric_limits<int>::max()
                  : m_t <= -2147483648.0f ? std::numeric_limits<int>::min()
                                          : static_cast<int>(m_t);
    d.Number = m_number;
    GetComboGrade(G_guifan, d.BarGrade, m_cBarGrade, 1);
    d.Cover = m_as;
    d.MidFactor = m_midFactor;
    d.EdgeFactor = m_edgeFactor;
    d.Steam = m_steam;
    d.Plastic = m_theory;
    d.Fixity = m_fixity;
    d.ShearFactor = m_shearFactor;
    return 1;
}

int CDlgBan::DataToDlg() {
    if (!m_pData) return 1;
    const BAN_JS_STRUCT& d = *m_pData;
    m_nKind = d.Kind;
    m_wallThickness = d.WallThickness;
    m_description = d.m_strName;
    m_loadNote = d.LoadNote;
    for (int i = 0; i < 4; ++i) {
        m_edgeType[i] = d.EdgeType[i];
        m_corner[i] = d.CornerFlag[i];
    }
    SelectConCombo(G_guifan, d.ConGrade, m_cConGrade);
    m_q = d.Load;
    m_a = d.Length;
    m_b = d.Width;
    m_t = static_cast<float>(d.Thickness);
    UpdateData(false);
    kv::slabwall::ui::SelectEdgeCombos(m_cEdge, m_edgeType);
    m_number = d.Number;
    for (int i = 0; i < 4; ++i) m_edgeMoment[i] = d.EdgeMoment[i];
    UpdatePicture();
    SelectGangJinCombo(G_guifan, d.BarGrade, m_cBarGrade, 1);
    m_as = d.Cover;
    m_midFactor = d.MidFactor;
    m_edgeFactor = d.EdgeFactor;
    m_steam = d.Steam;
    m_theory = d.Plastic;
    m_fixity = d.Fixity;
    m_shearFactor = d.ShearFactor < 0.0001f ? 1.0f : d.ShearFactor;
    UpdateData(false);
    for (int i = 0; i < 4; ++i) ShowEdgeMoment(i);
    return 1;
}

void CDlgBan::UpdateEdgeCombos() {
    kv::slabwall::ui::UpdateEdgeCombos(m_cEdge, m_edgeType, m_theory, m_eFixity, m_fixityLabel);
}

void CDlgBan::ShowEdgeMoment(int edge) {
    m_eEdgeMoment[edge]->setVisible(m_theory == 1 && m_edgeType[edge] == 0);
}

void CDlgBan::UpdatePicture() {
    m_picture->SetBianJie(m_edgeType[0], m_edgeType[1], m_edgeType[2], m_edgeType[3], m_corner[0], m_corner[1],
                          m_corner[2], m_corner[3]);
    m_picture->update();
}

// ---- handlers -----------------------------------------------------------------------

void CDlgBan::OnEdgeChange(int edge) {
    DlgToData();
    UpdatePicture();
    ShowEdgeMoment(edge);
    UpdateEdgeCombos();
}

void CDlgBan::OnGradeChange() {
    DlgToData();
    DataToDlg();
}

void CDlgBan::OnFieldKillFocus() { DlgToData(); }

void CDlgBan::OnElastic() {
    m_theory = 0;
    UpdateEdgeCombos();
    for (int i = 0; i < 4; ++i) ShowEdgeMoment(i);
    UpdatePicture();
}

void CDlgBan::OnPlastic() {
    m_theory = 1;
    UpdateEdgeCombos();
    for (int i = 0; i < 4; ++i) ShowEdgeMoment(i);
    UpdatePicture();
}

std::string CDlgBan::FilePattern() const {
    return m_nKind == 1 ? "底板数据文件(*.DB)|*.DB||" : "顶板数据文件(*.LB)|*.LB||";
}

std::string CDlgBan::FileExt() const { return m_nKind == 1 ? "DB" : "LB"; }

void CDlgBan::OnReadData() {
    if (!m_pData) return;
    auto path = ReadDataFile(*m_pData, FilePattern(), FileExt());
    if (!path) return;
    DataToDlg();
    UpdateEdgeCombos();
    // A dialog left on plastic theory had no 弹性 to select until now.
    kv::slabwall::ui::SelectEdgeCombos(m_cEdge, m_edgeType);
    update();
    TakeReadFile(*m_pData, *path);
}

void CDlgBan::OnSaveData() {
    if (m_pData) SaveDataFile(*m_pData, FilePattern(), FileExt(), [this] { DlgToData(); });
}

void CDlgBan::OnShowJianTu() {
    m_exchanging = true;
    bool ok = UpdateData(true);
    m_exchanging = false;
    if (ok) done(QDialog::Accepted);
    ShowJianTu(m_pData);
}

void CDlgBan::OnShowReport() { ShowItemReport(m_pData); }

void CDlgBan::OnDaoSuanHeZai() {
    if (!m_pData) return;
    DlgToData();
    if (m_nKind == 1) {
        CDlgDiBanHeZai dlg(this);
        dlg.SetData(m_pData);
        dlg.exec();
    } else {
        CDlgDingBanHeZai dlg(this);
        dlg.SetData(m_pData);
        dlg.exec();
    }
    DataToDlg();
}

void CDlgBan::OnQiangYanSuan() {
    if (!m_pData) return;
    QiangYanSuanRecord& check = SlabSectionCheck();
    check.Mode = QiangYanSuanRecord::kWall;
    check.Steam = m_pData->Steam;
    for (int i = 0; i < 4; ++i) {
        check.BianM[i] = std::fabs(m_pData->EdgeM[i]);
        check.BianN[i] = std::fabs(m_pData->EdgeV[i]);
    }
    CDlgQiangYanSuan dlg(this, check);
    dlg.exec();
}

float CDlgBan::GetOmega() const {
    if (!m_pData) return 0.0f;
    CEquivLoad load;
    return load.CalOmega(m_pData->Length, m_pData->Width, static_cast<float>(m_pData->Thickness) / 1000.0f, 25.0f,
                         m_pData->ConGrade, m_pData->EdgeType, m_pData->Fixity);
}

void CDlgBan::OnOK() {
    DlgToData();
    if (CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

void CDlgBan::reject() {
    if (DlgToData() && CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

bool CDlgBan::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut && !m_exchanging && edit != m_eFixity) {
        bool watchedField = false;
        for (int id : kKillFocusIds) watchedField = watchedField || edit->objectName() == QString::number(id);
        if (LeftForAnotherField(event) && watchedField) OnFieldKillFocus();
    } else if (event->type() == QEvent::Enter && !edit->toolTip().isEmpty()) {
        ShowToolTipNow(edit);
    }
    return QDialog::eventFilter(watched, event);
}

// ---- 计算 ---------------------------------------------------------------------------

void CDlgBan::OnCalculate() {
    if (!m_pData) return;
    if (!DlgToData()) {
        kv::MessageBox("数据不对!");
        return;
    }
    BAN_JS_STRUCT& data = *m_pData;
    RunCalculationRoad(data, windowTitle().toStdString(), m_list,
                       {[&] { ban_calculate(data); },
                        [&](std::FILE* fp, CBase_SGT* drawing) { ban_report(data, fp, drawing); }});
}

int RunBanDialog(QWidget* parent, BAN_JS_STRUCT& data) {
    CDlgBan dlg(parent);
    dlg.SetData(&data);
    return dlg.exec();
}
