#include "loads/ui/wizard.h"

#include "loads/equivload.h"
#include "loads/ui/wizardids.h"
#include "loads/ui/wizardsteps.h"
#include "platform/services.h"
#include "views/dialogs/dlghelppic.h"
#include "widgets/ui/ddx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace wizard_id;

namespace {

const char* const kCaption = "防空地下室等效荷载公式计算";
constexpr int kPchTab = 2;

enum { kInputDeltaPm = 0, kInputCharge = 1, kInputDistance = 2 };

// The hint on the roof and the upper building, from its first condition on;
// the nuclear and the conventional hint share it.
const char* const kRoofUpperConditions =
    " 1. 上部建筑层数不少于2层\n"
    "    其底层外墙为钢筋混凝土或砌体承重墙\n"
    "    且任何一面外墙墙面开孔面积不大于该墙面面积的50%\n"
    " 2. 上部为单层建筑\n"
    "    其外墙为钢筋混凝土或砌体承重墙\n"
    "    且任何一面外墙墙面开孔面积不大于该墙面面积的50%\n"
    "    且屋顶为钢筋混凝土结构\n";

const char* const kInputHint = "选择\"输入\"时,采用输入值;\n否则采用软件默认值.";

void ShowHint(const std::string& text) { kv::MessageBox(text, kv::MB_OK | kv::MB_ICONINFORMATION); }

void ExchangeCheck(QCheckBox* box, int& value, bool save) {
    if (save)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void ExchangeRadio(QRadioButton* first, QRadioButton* second, int& value, bool save) {
    if (save)
        value = second->isChecked() ? 1 : 0;
    else
        (value ? second : first)->setChecked(true);
}

void ExchangeCombo(QComboBox* combo, int& value, bool save) {
    if (save)
        value = combo->currentIndex();
    else
        combo->setCurrentIndex(value);
}

QPixmap ProgramPicture(const char* name) {
    QPixmap pm;
    // A missing picture leaves the button blank.
    if (std::string path = CDlgHelpPic::PicturePath(name); !path.empty()) pm.load(QString::fromStdString(path));
    return pm;
}

}  // namespace

// ---- CPageBasicInfo ------------------------------------------------------------

float CPageBasicInfo::DefaultDeltaPm(int nuclearClass) {
    static const float kDeltaPm[5] = {30, 50, 100, 200, 300};
    return nuclearClass >= 0 && nuclearClass < 5 ? kDeltaPm[nuclearClass] : kDeltaPm[0];
}

float CPageBasicInfo::DefaultCharge(int convClass) { return convClass == 1 ? 272.7f : 117.45f; }

CPageBasicInfo::CPageBasicInfo(CEquivLoad* load) : CWizardPage(load) {
    setObjectName("109");

    // Left: class, member group, picture and the order of the steps.
    QGroupBox* classGroup = MakeGroup(QStringLiteral("工程类别"));
    auto* classRow = new QHBoxLayout(classGroup);
    QRadioButton* classA = MakeRadio(QStringLiteral("甲类"), kClassA);
    QRadioButton* classB = MakeRadio(QStringLiteral("乙类"), kClassB);
    classRow->addWidget(classA);
    classRow->addWidget(classB);
    QGroupBox* partGroup = MakeGroup(QStringLiteral("计算部位"));
    auto* partRow = new QHBoxLayout(partGroup);
    QRadioButton* partSlab = MakeRadio(QStringLiteral("顶底板"), kPartSlab);
    QRadioButton* partWall = MakeRadio(QStringLiteral("外墙"), kPartWall);
    partRow->addWidget(partSlab);
    partRow->addWidget(partWall);

    m_picture = new QToolButton(this);
    m_picture->setObjectName(QString::number(kSamplePicture));
    m_picture->setAutoRaise(true);
    m_picture->setFixedSize(228, 178);
    m_picture->setIconSize(QSize(224, 174));
    QPushButton* steps = MakeButton(QStringLiteral("计算步骤"), kSteps, [this] { OnSteps(); });

    auto* left = new QVBoxLayout;
    left->addWidget(classGroup);
    left->addWidget(partGroup);
    left->addWidget(m_picture, 0, Qt::AlignHCenter);
    left->addWidget(steps, 0, Qt::AlignLeft);
    left->addStretch();

    // Right, top: the basement. The roof's cover and span and the wall's depths
    // share a row: the member group shows one pair.
    auto* basement = new QGridLayout;
    basement->addWidget(MakeLabel(QStringLiteral("顶板覆土厚(m)"), 1050), 0, 0);
    basement->addWidget(MakeEdit(kCover), 0, 1);
    basement->addWidget(MakeLabel(QStringLiteral("短跨净跨L0(m)"), 1051), 0, 2);
    basement->addWidget(MakeEdit(kSpanL0), 0, 3);
    auto* hRow = new QHBoxLayout;
    hRow->addWidget(MakeEdit(kStoreyH));
    hRow->addWidget(MakeLabel(QStringLiteral("(m)"), kStoreyHUnit));
    basement->addWidget(MakeLabel(QStringLiteral("h"), kStoreyHLabel), 0, 0);
    basement->addLayout(hRow, 0, 1);
    auto* h1Row = new QHBoxLayout;
    h1Row->addWidget(MakeEdit(kRoofDepth));
    h1Row->addWidget(MakeLabel(QStringLiteral("(m)"), 1052));
    basement->addWidget(MakeLabel(QStringLiteral("h1"), 1053), 0, 2);
    basement->addLayout(h1Row, 0, 3);
    m_structForm = new QComboBox(this);
    m_structForm->setObjectName(QString::number(kStructForm));
    m_structForm->addItems({QStringLiteral("平顶结构"), QStringLiteral("多层结构"), QStringLiteral("非平顶结构")});
    basement->addWidget(MakeLabel(QStringLiteral("结构形式"), 1054), 1, 0);
    basement->addWidget(m_structForm, 1, 1);
    basement->addWidget(MakeCheck(QStringLiteral("主体结构"), kMainStructure), 1, 2, 1, 2);
    basement->addWidget(MakeCheck(QStringLiteral("饱和土"), kSaturated), 2, 0, 1, 2);
    basement->addWidget(MakeLabel(QStringLiteral("含气量(%)"), kAirContentLabel), 2, 2);
    basement->addWidget(MakeEdit(kAirContent), 2, 3);

    // Right, middle: the nuclear weapons.
    QGroupBox* nuclear = MakeGroup(QStringLiteral("防核武器"), kNuclearGroup);
    auto* n = new QGridLayout(nuclear);
    m_nuclearClass = new QComboBox(this);
    m_nuclearClass->setObjectName(QString::number(kNuclearClass));
    m_nuclearClass->addItems({QStringLiteral("核6B级"), QStringLiteral("核6级"), QStringLiteral("核5级"),
                              QStringLiteral("核4B级"), QStringLiteral("核4级")});
    n->addWidget(MakeLabel(QStringLiteral("防核武器抗力级别"), 1055), 0, 0);
    n->addWidget(m_nuclearClass, 0, 1);
    n->addWidget(MakeLabel(QStringLiteral("地面超压△Pm(kPa)"), 1056), 1, 0);
    n->addWidget(MakeEdit(kDeltaPm), 1, 1);
    n->addWidget(MakeCheck(QStringLiteral("输入"), kDeltaPmInput), 1, 2);
    n->addWidget(MakeHelp(kDeltaPmHelp, [] { ShowHint(kInputHint); }), 1, 3);
    n->addWidget(MakeCheck(QStringLiteral("顶板考虑上部建筑物影响"), kRoofUpperN), 2, 0, 1, 3);
    n->addWidget(MakeHelp(kRoofUpperNHelp,
                          [] {
                              ShowHint(std::string("计算结构顶板核爆动荷载时，对核5级、核6级和核6B级防空地下室，当符合\n"
                                                   "下列条件之一时可考虑上部建筑对地面空气冲击波超压作用的影响:\n\n") +
                                       kRoofUpperConditions);
                          }),
                 2, 3);
    n->addWidget(MakeCheck(QStringLiteral("土中外墙考虑上部建筑物影响"), kWallUpperN), 3, 0, 1, 3);
    n->addWidget(MakeHelp(kWallUpperNHelp,
                          [] {
                              ShowHint("计算土中外墙核爆动荷载时，当符合下列条件之一时\n"
                                       "应考虑上部建筑对地面空气冲击波超压值的影响:\n\n"
                                       " 1.  核4B,5,6,6B级防空地下室，上部建筑外墙为钢筋混凝土承重墙\n"
                                       " 2.  核6,6B级防空地下室，上部建筑为抗震设防的砌体结构\n"
                                       " 3.  核6,6B级防空地下室，上部建筑为框架结构\n");
                          }),
                 3, 3);
    n->setColumnStretch(4, 1);

    // Right, bottom: the conventional weapons.
    QGroupBox* conventional = MakeGroup(QStringLiteral("防常规武器"));
    auto* c = new QGridLayout(conventional);
    m_convClass = new QComboBox(this);
    m_convClass->setObjectName(QString::number(kConvClass));
    m_convClass->addItems({QStringLiteral("常6级"), QStringLiteral("常5级")});
    c->addWidget(MakeLabel(QStringLiteral("防常规武器抗力级别"), 1057), 0, 0);
    c->addWidget(m_convClass, 0, 1);
    c->addWidget(MakeCheck(QStringLiteral("顶板考虑上部建筑物影响"), kRoofUpperC), 1, 0, 1, 3);
    c->addWidget(MakeHelp(kRoofUpperCHelp,
                          [] {
                              ShowHint(std::string("计算结构顶板常规武器爆炸动荷载，当符合下列条件之一时\n"
                                                   "可考虑上部建筑物对地面爆炸空气冲击波超压作用的影响:\n\n") +
                                       kRoofUpperConditions);
                          }),
                 1, 3);
    c->addWidget(MakeLabel(QStringLiteral("等效TNT装药量C(kg)"), 1058), 2, 0);
    c->addWidget(MakeEdit(kCharge), 2, 1);
    c->addWidget(MakeCheck(QStringLiteral("输入"), kChargeInput), 2, 2);
    c->addWidget(MakeHelp(kConvInputHelp, [] { ShowHint(kInputHint); }), 2, 3);
    c->addWidget(MakeLabel(QStringLiteral("与爆心距离R(m)"), 1059), 3, 0);
    c->addWidget(MakeEdit(kDistance), 3, 1);
    c->addWidget(MakeCheck(QStringLiteral("输入"), kDistanceInput), 3, 2);
    c->setColumnStretch(4, 1);

    auto* right = new QVBoxLayout;
    right->addLayout(basement);
    right->addWidget(nuclear);
    right->addWidget(conventional);
    right->addStretch();

    auto* page = new QHBoxLayout(this);
    page->addLayout(left);
    page->addSpacing(8);
    page->addLayout(right, 1);

    // Edits keep their place when hidden, so the page does not shift about.
    for (int id : {kAirContent, kDeltaPm, kCharge, kDistance}) {
        QSizePolicy policy = Control<QLineEdit>(id)->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        Control<QLineEdit>(id)->setSizePolicy(policy);
    }

    // Events.
    connect(classA, &QRadioButton::clicked, this, [this] { OnClassOrPartRestoring(); });
    connect(partSlab, &QRadioButton::clicked, this, [this] { OnClassOrPartRestoring(); });
    connect(classB, &QRadioButton::clicked, this, [this] { OnClassOrPartRemoving(); });
    connect(partWall, &QRadioButton::clicked, this, [this] { OnClassOrPartRemoving(); });
    connect(Control<QCheckBox>(kSaturated), &QCheckBox::clicked, this, [this] { SaveToRecord(); });
    connect(m_nuclearClass, &QComboBox::activated, this, [this] { OnNuclearClass(); });
    connect(Control<QCheckBox>(kRoofUpperN), &QCheckBox::clicked, this, [this] { OnUpperClicked(); });
    connect(Control<QCheckBox>(kWallUpperN), &QCheckBox::clicked, this, [this] { OnUpperClicked(); });
    connect(m_convClass, &QComboBox::activated, this, [this] { OnConvClass(); });
    connect(Control<QLineEdit>(kDistance), &QLineEdit::textEdited, this, [this] { SaveToRecord(); });
    connect(Control<QCheckBox>(kDeltaPmInput), &QCheckBox::clicked, this, [this] { OnInputClicked(kInputDeltaPm); });
    connect(Control<QCheckBox>(kChargeInput), &QCheckBox::clicked, this, [this] { OnInputClicked(kInputCharge); });
    connect(Control<QCheckBox>(kDistanceInput), &QCheckBox::clicked, this,
            [this] { OnInputClicked(kInputDistance); });

    FixPageSize();

    // Every opening starts with the 输入 boxes clear: ΔPm, C and R at their defaults.
    LoadFromRecord();
    const int edits[3] = {kDeltaPm, kCharge, kDistance};
    float* values[3] = {&m_fDeltaPm, &m_fCharge, &m_fDistance};
    const float defaults[3] = {DefaultDeltaPm(m_nNuclearClass), DefaultCharge(m_nConvClass), kDefaultDistance};
    for (int i = 0; i < 3; ++i) {
        Control<QLineEdit>(edits[i])->setVisible(m_bInput[i] != 0);
        *values[i] = m_bInput[i] ? m_fTyped[i] : defaults[i];
    }
    EnableUpperBoxes();
    Exchange(false);
    SaveToRecord();
}

bool CPageBasicInfo::Exchange(bool save) {
    using namespace kv::ddx;
    ExchangeRadio(Control<QRadioButton>(kClassA), Control<QRadioButton>(kClassB), m_nClass, save);
    ExchangeRadio(Control<QRadioButton>(kPartSlab), Control<QRadioButton>(kPartWall), m_nPart, save);
    float CPageBasicInfo::*const floats[] = {&CPageBasicInfo::m_fCover,     &CPageBasicInfo::m_fStoreyH,
                                             &CPageBasicInfo::m_fRoofDepth, &CPageBasicInfo::m_fSpanL0,
                                             &CPageBasicInfo::m_fAirContent, &CPageBasicInfo::m_fDeltaPm,
                                             &CPageBasicInfo::m_fCharge,    &CPageBasicInfo::m_fDistance};
    const int floatIds[] = {kCover, kStoreyH, kRoofDepth, kSpanL0, kAirContent, kDeltaPm, kCharge, kDistance};
    // A refused entry keeps its value; the rest of the page is still read.
    bool taken = true;
    for (std::size_t i = 0; i < std::size(floatIds); ++i)
        taken &= Float(Control<QLineEdit>(floatIds[i]), this->*floats[i], save);
    ExchangeCombo(m_structForm, m_nStructForm, save);
    ExchangeCombo(m_nuclearClass, m_nNuclearClass, save);
    ExchangeCombo(m_convClass, m_nConvClass, save);
    ExchangeCheck(Control<QCheckBox>(kMainStructure), m_bMainStructure, save);
    ExchangeCheck(Control<QCheckBox>(kSaturated), m_bSaturated, save);
    ExchangeCheck(Control<QCheckBox>(kRoofUpperN), m_bRoofUpperN, save);
    ExchangeCheck(Control<QCheckBox>(kWallUpperN), m_bWallUpperN, save);
    ExchangeCheck(Control<QCheckBox>(kRoofUpperC), m_bRoofUpperC, save);
    ExchangeCheck(Control<QCheckBox>(kDeltaPmInput), m_bInput[kInputDeltaPm], save);
    ExchangeCheck(Control<QCheckBox>(kChargeInput), m_bInput[kInputCharge], save);
    ExchangeCheck(Control<QCheckBox>(kDistanceInput), m_bInput[kInputDistance], save);
    return taken;
}

void CPageBasicInfo::SaveToRecord() {
    Exchange(true);
    CEquivLoad& r = *m_pLoad;
    r.m_nClass = m_nClass;
    r.m_nPart = m_nPart;
    r.m_fCover = m_fCover;
    r.m_fStoreyH = m_fStoreyH;
    r.m_fRoofDepth = m_fRoofDepth;
    r.m_fSpanL0 = m_fSpanL0;
    r.m_nStructForm = m_nStructForm;
    r.m_bMainStructure = m_bMainStructure;
    r.m_bSaturated = m_bSaturated;
    r.m_fAirContent = m_fAirContent;
    r.m_nNuclearClass = m_nNuclearClass;
    r.m_fDeltaPm = m_fDeltaPm;
    r.m_bRoofUpperN = m_bRoofUpperN;
    r.m_bWallUpperN = m_bWallUpperN;
    r.m_nConvClass = m_nConvClass;
    r.m_bRoofUpperC = m_bRoofUpperC;
    r.m_fCharge = m_fCharge;
    r.m_fDistance = m_fDistance;
    r.m_fDistanceGnd = m_fDistance;
    UpdateControls();
}

void CPageBasicInfo::LoadFromRecord() {
    const CEquivLoad& r = *m_pLoad;
    m_nClass = r.m_nClass;
    m_nPart = r.m_nPart;
    m_fCover = r.m_fCover;
    m_fStoreyH = r.m_fStoreyH;
    m_fRoofDepth = r.m_fRoofDepth;
    m_fSpanL0 = r.m_fSpanL0;
    m_nStructForm = r.m_nStructForm;
    m_bMainStructure = r.m_bMainStructure;
    m_bSaturated = r.m_bSaturated;
    m_fAirContent = r.m_fAirContent;
    m_nNuclearClass = r.m_nNuclearClass;
    m_fDeltaPm = r.m_fDeltaPm;
    m_bRoofUpperN = r.m_bRoofUpperN;
    m_bWallUpperN = r.m_bWallUpperN;
    m_nConvClass = r.m_nConvClass;
    m_bRoofUpperC = r.m_bRoofUpperC;
    m_fCharge = r.m_fCharge;
    m_fDistance = r.m_fDistance;
    Exchange(false);
    UpdateControls();
}

void CPageBasicInfo::UpdateControls() {
    const bool slab = m_nPart == 0;
    const bool classA = m_nClass == 0;

    m_picture->setIcon(QIcon(ProgramPicture(slab ? "IDB_BITMAP_SAMPLE" : "IDB_BITMAP_SAMPLE1")));

    // The member group decides the basement's dimensions and the roof boxes.
    SetShown({Control<QWidget>(1050), Control<QWidget>(kCover), Control<QWidget>(1051), Control<QWidget>(kSpanL0),
              Control<QWidget>(kRoofUpperN), Control<QWidget>(kRoofUpperNHelp), Control<QWidget>(kMainStructure),
              Control<QWidget>(1054), m_structForm, Control<QWidget>(kRoofUpperC), Control<QWidget>(kRoofUpperCHelp)},
             slab);
    SetShown({Control<QWidget>(kStoreyHLabel), Control<QWidget>(kStoreyH), Control<QWidget>(kStoreyHUnit),
              Control<QWidget>(1053), Control<QWidget>(kRoofDepth), Control<QWidget>(1052),
              Control<QWidget>(kWallUpperN), Control<QWidget>(kWallUpperNHelp)},
             !slab);

    // 乙类 has no nuclear weapons; its member group 顶底板 is the roof only.
    Control<QRadioButton>(kPartSlab)->setText(classA ? QStringLiteral("顶底板") : QStringLiteral("顶板"));
    SetShown({Control<QWidget>(kNuclearGroup)}, classA);
    Control<QWidget>(kDeltaPm)->setVisible(m_bInput[kInputDeltaPm] != 0);
    bool soil = true;
    if (!classA && !slab) {
        soil = false;
        SetShown({Control<QWidget>(kStoreyHLabel), Control<QWidget>(kStoreyH), Control<QWidget>(kStoreyHUnit)}, false);
    }
    SetShown({Control<QWidget>(kSaturated)}, soil);
    SetShown({Control<QWidget>(kAirContent), Control<QWidget>(kAirContentLabel)}, soil && m_bSaturated);

    if (CDlgTabSheet* sheet = Sheet()) {
        std::string caption = std::string(kCaption) + (classA ? " (甲类," : " (乙类,") +
                              (slab ? (classA ? "顶底板)" : "顶板)") : "外墙)");
        sheet->setWindowTitle(QString::fromStdString(caption));
    }
}

void CPageBasicInfo::EnableUpperBoxes() {
    // The upper building does not count for the roof of 核4B and 核4, nor for
    // the wall of 核4.
    const bool roof = m_nNuclearClass < 3, wall = m_nNuclearClass < 4;
    if (!roof) m_bRoofUpperN = 0;
    if (!wall) m_bWallUpperN = 0;
    Control<QWidget>(kRoofUpperN)->setEnabled(roof);
    Control<QWidget>(kWallUpperN)->setEnabled(wall);
}

void CPageBasicInfo::OnSetActive() {
    LoadFromRecord();
    if (m_pLoad->m_nClass == 1 && m_pLoad->m_nPart == 1)
        if (CDlgTabSheet* sheet = Sheet()) sheet->OnRemovePage(kPchTab);
}

void CPageBasicInfo::OnKillActive() { SaveToRecord(); }

void CPageBasicInfo::OnClassOrPartRestoring() {
    SaveToRecord();
    if (CDlgTabSheet* sheet = Sheet()) sheet->OnRestorePage();
}

void CPageBasicInfo::OnClassOrPartRemoving() {
    SaveToRecord();
    if (m_pLoad->m_nClass == 1 && m_pLoad->m_nPart == 1)
        if (CDlgTabSheet* sheet = Sheet()) sheet->OnRemovePage(kPchTab);
}

void CPageBasicInfo::OnNuclearClass() {
    Exchange(true);
    if (!m_bInput[kInputDeltaPm]) m_fDeltaPm = DefaultDeltaPm(m_nNuclearClass);
    EnableUpperBoxes();
    Exchange(false);
}

void CPageBasicInfo::OnUpperClicked() {
    Exchange(true);
    if (m_nNuclearClass >= 3) m_bRoofUpperN = 0;
    if (m_nNuclearClass >= 4) m_bWallUpperN = 0;
    Exchange(false);
}

void CPageBasicInfo::OnConvClass() {
    Exchange(true);
    if (!m_bInput[kInputCharge]) m_fCharge = DefaultCharge(m_nConvClass);
    Exchange(false);
    SaveToRecord();
}

void CPageBasicInfo::OnInputClicked(int which) {
    Exchange(true);
    const int edits[3] = {kDeltaPm, kCharge, kDistance};
    float* values[3] = {&m_fDeltaPm, &m_fCharge, &m_fDistance};
    const float defaults[3] = {DefaultDeltaPm(m_nNuclearClass), DefaultCharge(m_nConvClass), kDefaultDistance};
    QWidget* edit = Control<QWidget>(edits[which]);
    if (!m_bInput[which]) {
        edit->hide();
        m_fTyped[which] = *values[which];
        *values[which] = defaults[which];
    } else {
        edit->show();
        *values[which] = m_fTyped[which];
    }
    Exchange(false);
}

void CPageBasicInfo::OnSteps() {
    const bool noPch = m_pLoad->m_nClass == 1 && m_pLoad->m_nPart == 1;
    ShowHint(noPch ? "按以下顺序，填入所需参数: \n 基本信息 ->第一步 ...    第五步\n"
                   : "按以下顺序，填入所需参数: \n 基本信息 ->第一步 ...    第六步\n");
}

// ---- the command -----------------------------------------------------------------

void OnLoadFormula() {
    CEquivLoad* record = &G_EquivLoad;
    // Made in tab order: each page takes the record as the earlier ones left it.
    CPageBasicInfo basic(record);
    CPagePcm pcm(record);
    CPagePch pch(record);
    CPagePci pci(record);
    CPageOmega omega(record);
    CPageKd kd(record);
    CPageQe qe(record);

    CDlgTabSheet sheet(nullptr, nullptr);
    sheet.SetCaption(kCaption);
    sheet.AddPage("基本信息", &basic);
    sheet.AddPage("第一步 △Pcm", &pcm);
    sheet.AddPage("第二步 Pch", &pch);
    sheet.AddPage("第三步 Pci", &pci);
    sheet.AddPage("第四步 ω", &omega);
    sheet.AddPage("第五步 Kd", &kd);
    sheet.AddPage("第六步 qei", &qe);
    // Titles while the Pch tab is dropped (乙类 with 外墙).
    sheet.RemovedTitles() = {QStringLiteral("基本信息"), QStringLiteral("第一步 △Pcm"), QStringLiteral("第二步 Pci"),
                             QStringLiteral("第三步 ω"), QStringLiteral("第四步 Kd"), QStringLiteral("第五步 qei")};
    sheet.exec();
}
