#include "loads/ui/wizardsteps.h"

#include "codes/ui/bmpcombobox.h"
#include "loads/ui/wizardids.h"
#include "loads/ui/wizardpictures.h"
#include "platform/services.h"
#include "widgets/ui/ddx.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace wizard_id;

namespace {

void ShowMessage(const std::string& text) { kv::MessageBox(text, kv::MB_OK | kv::MB_ICONINFORMATION); }

// Adds "label  field  help" as the next row of `grid`.
void AddRow(QGridLayout* grid, QWidget* label, QWidget* field, QWidget* help = nullptr) {
    const int row = grid->count() == 0 ? 0 : grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    if (help) grid->addWidget(help, row, 2);
}

QGridLayout* GridOf(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(3, 1);
    return grid;
}

// Two groups side by side over a stretch.
void TwoColumns(QWidget* page, QLayout* left, QLayout* right) {
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(8);
    columns->addLayout(right, 1);
    auto* outer = new QVBoxLayout(page);
    outer->addLayout(columns);
    outer->addStretch();
}

QVBoxLayout* Column(std::initializer_list<QWidget*> widgets) {
    auto* column = new QVBoxLayout;
    for (QWidget* w : widgets) column->addWidget(w);
    column->addStretch();
    return column;
}

const char* const kNuclearClassNames[5] = {"核6B级", "核6级", "核5级", "核4B级", "核4级"};
const char* const kConvClassNames[2] = {"常6级", "常5级"};

}  // namespace

// ---- the common protocol ------------------------------------------------------------

QLineEdit* CStepPage::Bind(int id, float CEquivLoad::*field, Stage stage, Kind kind) {
    QLineEdit* edit = kind == kResult ? MakeResult(id) : MakeEdit(id);
    m_bindings.push_back({edit, field, stage, kind});
    if (kind == kInputStoredOnLeave)
        OnLeave(edit, [this] {
            if (SaveToRecord()) LoadFromRecord();
        });
    return edit;
}

bool CStepPage::Exchange(bool save) {
    // A refused entry keeps its value; the other inputs are still read.
    bool taken = true;
    for (Binding& b : m_bindings) {
        if (save && b.kind == kResult) continue;  // results are never read back
        taken &= kv::ddx::Float(b.edit, b.value, save);
    }
    return taken;
}

void CStepPage::Take(Stage stage) {
    for (Binding& b : m_bindings)
        if (b.stage == stage) b.value = m_pLoad->*b.field;
}

void CStepPage::Put(Stage stage) {
    for (const Binding& b : m_bindings)
        if (b.stage == stage && b.kind != kResult) m_pLoad->*b.field = b.value;
}

void CStepPage::LoadFromRecord() {
    m_pLoad->CalNuclear();
    Take(kNuclear);
    // The conventional stage may change inputs of the nuclear one (γ on
    // saturated soil): the page shows them from the next load on.
    m_pLoad->CalConventional();
    Take(kConventional);
    AfterLoad();
    Exchange(false);
}

bool CStepPage::SaveToRecord() {
    if (!m_bStores) return false;
    Exchange(true);
    Put(kNuclear);
    m_pLoad->CalNuclear();
    Put(kConventional);
    m_pLoad->CalConventional();
    return true;
}

void CStepPage::OnSetActive() {
    LoadFromRecord();
    SetVisibility();
}

void CStepPage::OnKillActive() { SaveToRecord(); }

void CStepPage::OnSheetOk() {
    if (SaveToRecord()) LoadFromRecord();
}

bool CStepPage::NoNuclearGroundWall() const {
    return m_pLoad->m_nClass == 0 && m_pLoad->m_nPart == 1 && m_pLoad->m_nNuclearClass >= 2;
}

// ---- 第一步 △Pcm ------------------------------------------------------------------

CPagePcm::CPagePcm(CEquivLoad* load) : CStepPage(load) {
    setObjectName("117");
    m_bStores = false;
    QGroupBox* nuclear = MakeGroup(QStringLiteral("防核武器 △Pms (kPa)"), kNuclearBlock);
    QGridLayout* n = GridOf(nuclear);
    AddRow(n, MakeLabel(QStringLiteral("抗力级别"), 1501), MakeLabel(QString(), kNuclearClassText));
    AddRow(n, MakeLabel(QStringLiteral("结构顶板△Pms"), 1502), Bind(kDeltaPmsRoof, &CEquivLoad::m_fDeltaPmsRoof, kNuclear, kResult));
    AddRow(n, MakeLabel(QStringLiteral("土中外墙△Pms"), 1503), Bind(kDeltaPmsWall, &CEquivLoad::m_fDeltaPmsWall, kNuclear, kResult));
    QGroupBox* conventional = MakeGroup(QStringLiteral("防常规武器 △Pcm (kPa)"), kConvBlock);
    QGridLayout* c = GridOf(conventional);
    AddRow(c, MakeLabel(QStringLiteral("抗力级别"), 1504), MakeLabel(QString(), kConvClassText));
    AddRow(c, MakeLabel(QStringLiteral("结构顶板△Pcm"), 1505), Bind(kDeltaPcmRoof, &CEquivLoad::m_fDeltaPcmRoof, kConventional, kResult));
    AddRow(c, MakeLabel(QStringLiteral("土中外墙△Pcm"), 1506), Bind(kDeltaPcmWall, &CEquivLoad::m_fDeltaPcmWall, kConventional, kResult));
    TwoColumns(this, Column({nuclear}), Column({conventional}));
    FixPageSize();
}

void CPagePcm::AfterLoad() {
    const int n = m_pLoad->m_nNuclearClass, c = m_pLoad->m_nConvClass;
    Control<QLabel>(kNuclearClassText)->setText(QString::fromUtf8(n >= 0 && n < 5 ? kNuclearClassNames[n] : ""));
    Control<QLabel>(kConvClassText)->setText(QString::fromUtf8(c >= 0 && c < 2 ? kConvClassNames[c] : ""));
}

void CPagePcm::SetVisibility() {
    const bool slab = m_pLoad->m_nPart == 0;
    SetShown({Control<QWidget>(kNuclearBlock)}, m_pLoad->m_nClass == 0);
    SetShown({Control<QWidget>(1502), Control<QWidget>(kDeltaPmsRoof), Control<QWidget>(1505),
              Control<QWidget>(kDeltaPcmRoof)},
             slab);
    SetShown({Control<QWidget>(1503), Control<QWidget>(kDeltaPmsWall), Control<QWidget>(1506),
              Control<QWidget>(kDeltaPcmWall)},
             !slab);
}

// ---- 第二步 Pch -------------------------------------------------------------------

CPagePch::CPagePch(CEquivLoad* load) : CStepPage(load) {
    setObjectName("111");
    QGroupBox* soil = MakeGroup(QStringLiteral("土的参数"), 1601);
    QGridLayout* s = GridOf(soil);
    AddRow(s, MakeLabel(QStringLiteral("波速比γ")), Bind(kGamma, &CEquivLoad::m_fGamma, kNuclear, kInputStoredOnLeave),
           MakeHelp(kSoilHelp, [this] {
               if (m_pLoad->m_bSaturated)
                   ShowHelpPictures("IDB_BITMAP_SOIL", "非饱和土参数", "IDB_BITMAP_SOIL1", "饱和土参数");
               else
                   ShowHelpPicture("IDB_BITMAP_SOIL", "非饱和土参数");
           }));
    AddRow(s, MakeLabel(QStringLiteral("起始压力波速vo (m/s)")), Bind(kV0, &CEquivLoad::m_fV0, kNuclear, kInputStoredOnLeave));
    AddRow(s, MakeLabel(QStringLiteral("应变恢复比δ")), Bind(kDelta, &CEquivLoad::m_fDelta, kNuclear, kInputStoredOnLeave));
    AddRow(s, MakeLabel(QStringLiteral("顶板计算时土的计算深度 (m)"), 1602),
           Bind(kDepthRoof, &CEquivLoad::m_fDepthRoof, kNuclear, kResult));
    AddRow(s, MakeLabel(QStringLiteral("外墙计算时土的计算深度 (m)"), 1603),
           Bind(kDepthWall, &CEquivLoad::m_fDepthWall, kNuclear, kResult));
    QLabel* notNeeded = MakeLabel(QStringLiteral("(这种情况不需要计算)"), kNotNeeded);

    QGroupBox* nuclear = MakeGroup(QStringLiteral("防核武器 Ph (kPa)"), kNuclearBlock);
    QGridLayout* n = GridOf(nuclear);
    AddRow(n, MakeLabel(QStringLiteral("结构顶板△Pms"), 1604), Bind(kDeltaPmsRoof, &CEquivLoad::m_fDeltaPmsRoof, kNuclear, kResult));
    AddRow(n, MakeLabel(QStringLiteral("结构顶板Ph"), 1605), Bind(kPhRoof, &CEquivLoad::m_fPhRoof, kNuclear, kResult));
    AddRow(n, MakeLabel(QStringLiteral("土中外墙△Pms"), 1606), Bind(kDeltaPmsWall, &CEquivLoad::m_fDeltaPmsWall, kNuclear, kResult));
    AddRow(n, MakeLabel(QStringLiteral("土中外墙Ph"), 1607), Bind(kPhWall, &CEquivLoad::m_fPhWall, kNuclear, kResult));

    QGroupBox* conventional = MakeGroup(QStringLiteral("防常规武器 Pch (kPa)"), kConvBlock);
    QGridLayout* c = GridOf(conventional);
    AddRow(c, MakeLabel(QStringLiteral("结构顶板△Pcm")), Bind(kDeltaPcmRoof, &CEquivLoad::m_fDeltaPcmRoof, kConventional, kResult));
    AddRow(c, MakeLabel(QStringLiteral("修正系数η")), Bind(kEtaC, &CEquivLoad::m_fEtaC, kConventional, kInputStoredOnLeave),
           MakeHelp(kEtaCHelp, [] { ShowMessage("修正系数，η=1.5~2.0，非饱和土取大值"); }));
    AddRow(c, MakeLabel(QStringLiteral("结构顶板Pch")), Bind(kPchRoof, &CEquivLoad::m_fPchRoof, kConventional, kResult));

    auto* left = new QVBoxLayout;
    left->addWidget(soil);
    left->addWidget(notNeeded);
    left->addStretch();
    TwoColumns(this, left, Column({nuclear, conventional}));
    FixPageSize();
}

void CPagePch::SetVisibility() {
    const bool slab = m_pLoad->m_nPart == 0, classA = m_pLoad->m_nClass == 0;
    const bool noSoil = !classA && !slab;
    SetShown({Control<QWidget>(1601)}, !noSoil);
    SetShown({Control<QWidget>(kNotNeeded)}, noSoil);
    SetShown({Control<QWidget>(1602), Control<QWidget>(kDepthRoof), Control<QWidget>(1604),
              Control<QWidget>(kDeltaPmsRoof), Control<QWidget>(1605), Control<QWidget>(kPhRoof)},
             slab);
    SetShown({Control<QWidget>(1603), Control<QWidget>(kDepthWall), Control<QWidget>(1606),
              Control<QWidget>(kDeltaPmsWall), Control<QWidget>(1607), Control<QWidget>(kPhWall)},
             !slab);
    SetShown({Control<QWidget>(kNuclearBlock)}, classA);
    SetShown({Control<QWidget>(kConvBlock)}, slab);
}

// ---- 第三步 Pci -------------------------------------------------------------------

CPagePci::CPagePci(CEquivLoad* load) : CStepPage(load) {
    setObjectName("120");
    QGroupBox* nuclear = MakeGroup(QStringLiteral("防核武器"), kNuclearBlock);
    QGridLayout* n = GridOf(nuclear);
    AddRow(n, MakeLabel(QStringLiteral("顶板综合反射系数K"), 1701), Bind(kK, &CEquivLoad::m_fK, kNuclear, kResult));
    AddRow(n, MakeLabel(QStringLiteral("底压系数η"), 1702), Bind(kEta, &CEquivLoad::m_fEta, kNuclear, kInputStoredOnLeave),
           MakeHelp(kEtaHelp, [] {
               ShowMessage("底压系数的取值:\n\n"
                           "1.当底板位于地下水位以上时取 0.7~0.8\n"
                           "        其中4B级及4级取小值\n"
                           "2.当底板位于地下水位以下时取 0.8~1.0\n"
                           "        其中含气量<=0.1%时取大值\n");
           }));
    AddRow(n, MakeLabel(QStringLiteral("侧压系数ξ"), 1703), Bind(kXi, &CEquivLoad::m_fXi, kNuclear, kInputStoredOnLeave),
           MakeHelp(kXiHelp, [this] { ShowHelpPicture("IDB_BITMAP_CYXS", "土的侧压系数"); }));
    AddRow(n, MakeLabel(QStringLiteral("结构顶板Ph (kPa)"), 1704), Bind(kPhRoof, &CEquivLoad::m_fPhRoof, kNuclear, kResult));
    AddRow(n, MakeLabel(QStringLiteral("土中外墙Ph (kPa)"), 1705), Bind(kPhWall, &CEquivLoad::m_fPhWall, kNuclear, kResult));
    AddRow(n, MakeLabel(QStringLiteral("结构顶板Pc1 (kPa)"), 1706), Bind(kPc1, &CEquivLoad::m_fPc1, kNuclear, kResult));
    AddRow(n, MakeLabel(QStringLiteral("结构底板Pc3 (kPa)"), 1707), Bind(kPc3, &CEquivLoad::m_fPc3, kNuclear, kResult));
    AddRow(n, MakeLabel(QStringLiteral("土中外墙Pc2 (kPa)"), 1708), Bind(kPc2, &CEquivLoad::m_fPc2, kNuclear, kResult));
    AddRow(n, MakeLabel(QStringLiteral("地面外墙Pc2' (kPa)"), 1709), Bind(kPc2Gnd, &CEquivLoad::m_fPc2Gnd, kNuclear, kResult));
    n->addWidget(MakeLabel(QStringLiteral("不计算"), kNotComputed), n->rowCount() - 1, 1);

    QGroupBox* conventional = MakeGroup(QStringLiteral("防常规武器"), kConvBlock);
    QGridLayout* c = GridOf(conventional);
    AddRow(c, MakeLabel(QStringLiteral("结构顶板Pch (kPa)"), 1710), Bind(kPchRoof, &CEquivLoad::m_fPchRoof, kConventional, kResult));
    AddRow(c, MakeLabel(QStringLiteral("顶板荷载均布化系数Ce"), 1711), Bind(kCeRoof, &CEquivLoad::m_fCeRoof, kConventional, kInput),
           MakeHelp(kCeRoofHelp, [] { ShowMessage("当覆土厚度<=0.5m时，Ce可取1.0\n当覆土厚度>0.5m时，Ce可取0.9"); }));
    AddRow(c, MakeLabel(QStringLiteral("顶板综合反射系数Kr"), 1712), Bind(kKrRoof, &CEquivLoad::m_fKrRoof, kConventional, kInput),
           MakeHelp(kKrRoofHelp, [] { ShowMessage("当覆土厚度<=0.5m时，Kr可取1.0\n当覆土厚度>0.5m时，Kr可取1.5"); }));
    AddRow(c, MakeLabel(QStringLiteral("结构顶板Pc1 (kPa)"), 1713), Bind(kPc1C, &CEquivLoad::m_fPc1C, kConventional, kResult));
    AddRow(c, MakeLabel(QStringLiteral("土中外墙荷载均布化系数Ce"), 1714),
           Bind(kCeWall, &CEquivLoad::m_fCeWall, kConventional, kInputStoredOnLeave),
           MakeHelp(kCeWallHelp, [this] { ShowHelpPicture("IDB_BITMAP_WQCE", "土中外墙荷载均布化系数"); }));
    AddRow(c, MakeLabel(QStringLiteral("地面外墙荷载均布化系数Ce"), 1715),
           Bind(kCeWallGnd, &CEquivLoad::m_fCeWallGnd, kConventional, kInputStoredOnLeave),
           MakeHelp(kCeWallGndHelp, [this] { ShowHelpPicture("IDB_BITMAP_WQ2CE", "地面外墙荷载均布化系数"); }));
    AddRow(c, MakeLabel(QStringLiteral("外墙综合反射系数Kr"), 1716), Bind(kKrWall, &CEquivLoad::m_fKrWall, kConventional, kInput),
           MakeHelp(kKrWallHelp, [] { ShowMessage("Kr可取1.5"); }));
    AddRow(c, MakeLabel(QStringLiteral("土的质量密度ρ (kg/m3)"), 1717),
           Bind(kRho, &CEquivLoad::m_fRho, kConventional, kInputStoredOnLeave), MakeHelp(kSoilWaveHelp, [this] {
               ShowHelpPicture("IDB_BITMAP_WQCN", "非饱和土参数");
               if (m_pLoad->m_bSaturated) ShowHelpPicture("IDB_BITMAP_WQCN1", "饱和土参数");
           }));
    AddRow(c, MakeLabel(QStringLiteral("土的地震波波速c (m/s)"), 1718),
           Bind(kSeisSpeed, &CEquivLoad::m_fSeisSpeed, kConventional, kInputStoredOnLeave));
    AddRow(c, MakeLabel(QStringLiteral("土的衰减系数n"), 1719), Bind(kDecay, &CEquivLoad::m_fDecay, kConventional, kInputStoredOnLeave));
    AddRow(c, MakeLabel(QStringLiteral("土中外墙Pc2 (kPa)"), 1720), Bind(kPc2C, &CEquivLoad::m_fPc2C, kConventional, kResult));
    AddRow(c, MakeLabel(QStringLiteral("地面外墙Pc2' (kPa)"), 1721), Bind(kPc2GndC, &CEquivLoad::m_fPc2GndC, kConventional, kResult));

    TwoColumns(this, Column({nuclear}), Column({conventional}));
    FixPageSize();
}

void CPagePci::SetVisibility() {
    const bool slab = m_pLoad->m_nPart == 0;
    SetShown({Control<QWidget>(kNuclearBlock)}, m_pLoad->m_nClass == 0);
    for (int id : {1701, kK, 1702, kEta, kEtaHelp, 1704, kPhRoof, 1706, kPc1, 1707, kPc3, 1710, kPchRoof, 1711, kCeRoof,
                   kCeRoofHelp, 1712, kKrRoof, kKrRoofHelp, 1713, kPc1C})
        SetShown({Control<QWidget>(id)}, slab);
    for (int id : {1703, kXi, kXiHelp, 1705, kPhWall, 1708, kPc2, 1709, 1714, kCeWall, kCeWallHelp, 1715, kCeWallGnd,
                   kCeWallGndHelp, 1716, kKrWall, kKrWallHelp, 1717, kRho, kSoilWaveHelp, 1718, kSeisSpeed, 1719,
                   kDecay, 1720, kPc2C, 1721, kPc2GndC})
        SetShown({Control<QWidget>(id)}, !slab);
    const bool notComputed = NoNuclearGroundWall();
    SetShown({Control<QWidget>(kPc2Gnd)}, !slab && !notComputed);
    SetShown({Control<QWidget>(kNotComputed)}, !slab && notComputed);
}

// ---- 第五步 Kd --------------------------------------------------------------------

CPageKd::CPageKd(CEquivLoad* load) : CStepPage(load) {
    setObjectName("176");
    const DuctilityRow nuclearRows[] = {
        {1801, "结构顶板", kBeta1, &CEquivLoad::m_fBeta1, kKd1, &CEquivLoad::m_fKd1},
        {1802, "结构底板", 0, nullptr, kKd3, &CEquivLoad::m_fKd3},  // the floor's β is not the page's
        {1803, "土中外墙", kBeta2, &CEquivLoad::m_fBeta2, kKd2, &CEquivLoad::m_fKd2},
        {1804, "地面外墙", kBeta2Gnd, &CEquivLoad::m_fBeta2Gnd, kKd2Gnd, &CEquivLoad::m_fKd2Gnd},
    };
    QGroupBox* nuclear = DuctilityGroup(QStringLiteral("防核武器"), kNuclearBlock, kNuclear, QStringLiteral("动力系数Kd"),
                                        nuclearRows,
                                        MakeHelp(kBetaHelp, [this] {
                                            ShowHelpPicture("IDB_BITMAP_BEITA", "允许延性比(防核武器)");
                                        }));

    QGroupBox* omega = MakeGroup(QStringLiteral("构件圆频率ω(1/s)"), 1805);
    QGridLayout* o = GridOf(omega);
    AddRow(o, MakeLabel(QStringLiteral("结构顶板"), 1806), Bind(kOmegaRoofShown, &CEquivLoad::m_fOmegaRoof, kNuclear, kResult));
    AddRow(o, MakeLabel(QStringLiteral("结构底板"), 1807), Bind(kOmegaFloorShown, &CEquivLoad::m_fOmegaFloor, kNuclear, kResult));
    AddRow(o, MakeLabel(QStringLiteral("土中外墙"), 1808), Bind(kOmegaWallShown, &CEquivLoad::m_fOmegaWall, kNuclear, kResult));

    const DuctilityRow conventionalRows[] = {
        {1811, "结构顶板", kBeta1C, &CEquivLoad::m_fBeta1C, kKdc1, &CEquivLoad::m_fKdc1},
        {1813, "土中外墙", kBeta2C, &CEquivLoad::m_fBeta2C, kKdc2, &CEquivLoad::m_fKdc2},
        {1814, "地面外墙", kBeta2GndC, &CEquivLoad::m_fBeta2GndC, kKdc2Gnd, &CEquivLoad::m_fKdc2Gnd},
    };
    QGroupBox* conventional =
        DuctilityGroup(QStringLiteral("防常规武器"), kConvBlock, kConventional, QStringLiteral("动力系数Kdc"),
                       conventionalRows, MakeHelp(kBetaCHelp, [this] {
                           ShowHelpPicture("IDB_BITMAP_BEITA_C", "允许延性比(防常规武器)");
                       }));

    TwoColumns(this, Column({nuclear, omega}), Column({conventional}));
    FixPageSize();
}

QGroupBox* CPageKd::DuctilityGroup(const QString& title, int id, Stage stage, const QString& factor,
                                   std::span<const DuctilityRow> rows, QWidget* help) {
    QGroupBox* group = MakeGroup(title, id);
    auto* grid = new QGridLayout(group);
    auto* head = new QHBoxLayout;
    head->addWidget(MakeLabel(QStringLiteral("允许延性比[β]")));
    head->addWidget(help);
    grid->addLayout(head, 0, 1);
    grid->addWidget(MakeLabel(factor), 0, 2);
    int row = 1;
    for (const DuctilityRow& r : rows) {
        grid->addWidget(MakeLabel(QString::fromUtf8(r.name), r.label), row, 0);
        if (r.beta) grid->addWidget(Bind(r.beta, r.betaField, stage, kInputStoredOnLeave), row, 1);
        grid->addWidget(Bind(r.factor, r.factorField, stage, kResult), row, 2);
        ++row;
    }
    grid->setColumnStretch(3, 1);
    return group;
}

void CPageKd::SetVisibility() {
    const bool slab = m_pLoad->m_nPart == 0;
    SetShown({Control<QWidget>(kNuclearBlock)}, m_pLoad->m_nClass == 0);
    SetShown({Control<QWidget>(1801), Control<QWidget>(kBeta1), Control<QWidget>(kKd1), Control<QWidget>(1802),
              Control<QWidget>(kKd3), Control<QWidget>(1806), Control<QWidget>(kOmegaRoofShown), Control<QWidget>(1807),
              Control<QWidget>(kOmegaFloorShown), Control<QWidget>(1811), Control<QWidget>(kBeta1C),
              Control<QWidget>(kKdc1)},
             slab);
    SetShown({Control<QWidget>(1803), Control<QWidget>(kBeta2), Control<QWidget>(kKd2), Control<QWidget>(1804),
              Control<QWidget>(kBeta2Gnd), Control<QWidget>(kKd2Gnd), Control<QWidget>(1808),
              Control<QWidget>(kOmegaWallShown), Control<QWidget>(1813), Control<QWidget>(kBeta2C),
              Control<QWidget>(kKdc2), Control<QWidget>(1814), Control<QWidget>(kBeta2GndC), Control<QWidget>(kKdc2Gnd)},
             !slab);
}

// ---- 第六步 qei -------------------------------------------------------------------

CPageQe::CPageQe(CEquivLoad* load) : CStepPage(load) {
    setObjectName("125");
    m_bStores = false;
    QGroupBox* nuclear = MakeGroup(QStringLiteral("防核武器"), kNuclearBlock);
    auto* n = new QGridLayout(nuclear);
    n->addWidget(MakeLabel(QStringLiteral("动力系数Kd")), 0, 1);
    n->addWidget(MakeLabel(QStringLiteral("Pc (kPa)")), 0, 2);
    n->addWidget(MakeLabel(QStringLiteral("qe (kPa)")), 0, 3);
    struct Row {
        int label;
        const char* name;
        int kd, pc, qe;
        float CEquivLoad::*kdField;
        float CEquivLoad::*pcField;
        float CEquivLoad::*qeField;
    };
    const Row nuclearRows[] = {
        {1901, "结构顶板", kKd1, kPc1, kQe1, &CEquivLoad::m_fKd1, &CEquivLoad::m_fPc1, &CEquivLoad::m_fQe1},
        {1902, "结构底板", kKd3, kPc3, kQe3, &CEquivLoad::m_fKd3, &CEquivLoad::m_fPc3, &CEquivLoad::m_fQe3},
        {1903, "土中外墙", kKd2, kPc2, kQe2, &CEquivLoad::m_fKd2, &CEquivLoad::m_fPc2, &CEquivLoad::m_fQe2},
        {1904, "地面外墙", kKd2Gnd, kPc2Gnd, kQe2Gnd, &CEquivLoad::m_fKd2Gnd, &CEquivLoad::m_fPc2Gnd,
         &CEquivLoad::m_fQe2Gnd},
    };
    int row = 1;
    for (const Row& r : nuclearRows) {
        n->addWidget(MakeLabel(QString::fromUtf8(r.name), r.label), row, 0);
        n->addWidget(Bind(r.kd, r.kdField, kNuclear, kResult), row, 1);
        n->addWidget(Bind(r.pc, r.pcField, kNuclear, kResult), row, 2);
        n->addWidget(Bind(r.qe, r.qeField, kNuclear, kResult), row, 3);
        ++row;
    }
    n->addWidget(MakeLabel(QStringLiteral("不计算"), kNotComputed), row - 1, 2, 1, 2, Qt::AlignCenter);
    n->setColumnStretch(4, 1);

    QGroupBox* conventional = MakeGroup(QStringLiteral("防常规武器"), kConvBlock);
    auto* c = new QGridLayout(conventional);
    c->addWidget(MakeLabel(QStringLiteral("动力系数Kdc")), 0, 1);
    c->addWidget(MakeLabel(QStringLiteral("Pc (kPa)")), 0, 2);
    c->addWidget(MakeLabel(QStringLiteral("qce (kPa)")), 0, 3);
    const Row conventionalRows[] = {
        {1911, "结构顶板", kKdc1, kPc1C, kQce1, &CEquivLoad::m_fKdc1, &CEquivLoad::m_fPc1C, &CEquivLoad::m_fQce1},
        {1913, "土中外墙", kKdc2, kPc2C, kQce2, &CEquivLoad::m_fKdc2, &CEquivLoad::m_fPc2C, &CEquivLoad::m_fQce2},
        {1914, "地面外墙", kKdc2Gnd, kPc2GndC, kQce2Gnd, &CEquivLoad::m_fKdc2Gnd, &CEquivLoad::m_fPc2GndC,
         &CEquivLoad::m_fQce2Gnd},
    };
    row = 1;
    for (const Row& r : conventionalRows) {
        c->addWidget(MakeLabel(QString::fromUtf8(r.name), r.label), row, 0);
        c->addWidget(Bind(r.kd, r.kdField, kConventional, kResult), row, 1);
        c->addWidget(Bind(r.pc, r.pcField, kConventional, kResult), row, 2);
        c->addWidget(Bind(r.qe, r.qeField, kConventional, kResult), row, 3);
        ++row;
    }
    c->setColumnStretch(4, 1);

    QGroupBox* governing = MakeGroup(QStringLiteral("qei控制值 (kPa)"), kGoverning);
    QGridLayout* g = GridOf(governing);
    AddRow(g, MakeLabel(QStringLiteral("结构顶板"), 1921), MakeResult(kQeiRoof));
    AddRow(g, MakeLabel(QStringLiteral("结构底板"), 1922), MakeResult(kQeiFloor));
    AddRow(g, MakeLabel(QStringLiteral("土中外墙"), 1923), MakeResult(kQeiWall));
    AddRow(g, MakeLabel(QStringLiteral("地面外墙"), 1924), MakeResult(kQeiWallGnd));

    QPushButton* report = MakeButton(QStringLiteral("输出报表"), kOutputReport, [this] { OnOutputReport(); });
    auto* right = new QVBoxLayout;
    right->addWidget(conventional);
    right->addWidget(governing);
    right->addWidget(report, 0, Qt::AlignRight);
    right->addStretch();
    TwoColumns(this, Column({nuclear}), right);
    FixPageSize();
}

void CPageQe::AfterLoad() {
    const CEquivLoad& r = *m_pLoad;
    float roof, floor, wall, wallGnd;
    if (r.m_nClass == 0) {
        // The larger of the two weapons governs.
        roof = std::max(r.m_fQe1, r.m_fQce1);
        floor = r.m_fQe3;
        wall = std::max(r.m_fQe2, r.m_fQce2);
        wallGnd = std::max(r.m_fQe2Gnd, r.m_fQce2Gnd);
    } else {
        roof = r.m_fQce1;
        floor = 0;
        wall = r.m_fQce2;
        wallGnd = r.m_fQce2Gnd;
    }
    const std::pair<int, float> shown[] = {{kQeiRoof, roof}, {kQeiFloor, floor}, {kQeiWall, wall}, {kQeiWallGnd, wallGnd}};
    for (const auto& [id, value] : shown) Control<QLineEdit>(id)->setText(kv::ddx::FormatFloat(value));
}

void CPageQe::SetVisibility() {
    const bool slab = m_pLoad->m_nPart == 0, classA = m_pLoad->m_nClass == 0;
    SetShown({Control<QWidget>(kNuclearBlock), Control<QWidget>(kGoverning)}, classA);
    for (int id : {1901, kKd1, kPc1, kQe1, 1902, kKd3, kPc3, kQe3, 1911, kKdc1, kPc1C, kQce1, 1921, kQeiRoof, 1922, kQeiFloor})
        SetShown({Control<QWidget>(id)}, slab);
    for (int id : {1903, kKd2, kPc2, kQe2, 1904, kKd2Gnd, 1913, kKdc2, kPc2C, kQce2, 1914, kKdc2Gnd, kPc2GndC, kQce2Gnd,
                   1923, kQeiWall, 1924, kQeiWallGnd})
        SetShown({Control<QWidget>(id)}, !slab);
    const bool notComputed = NoNuclearGroundWall();
    SetShown({Control<QWidget>(kPc2Gnd), Control<QWidget>(kQe2Gnd)}, !slab && !notComputed);
    SetShown({Control<QWidget>(kNotComputed)}, !slab && notComputed);
}

void CPageQe::OnOutputReport() { OutputEquivLoadReport(*m_pLoad); }

// ---- 第四步 ω ---------------------------------------------------------------------

CPageOmega::CPageOmega(CEquivLoad* load) : CWizardPage(load) {
    setObjectName("122");
    RegisterSupportCasePictures();

    QGroupBox* type = MakeGroup(QStringLiteral("构件类型"));
    auto* typeRow = new QHBoxLayout(type);
    typeRow->addWidget(MakeRadio(QStringLiteral("梁"), kBeam));
    typeRow->addWidget(MakeRadio(QStringLiteral("板"), kPlate));
    QGroupBox* mode = MakeGroup(QStringLiteral("计算方式"));
    auto* modeRow = new QHBoxLayout(mode);
    modeRow->addWidget(MakeRadio(QStringLiteral("人工干预"), kManual));
    modeRow->addWidget(MakeRadio(QStringLiteral("自动计算"), kAuto));
    auto* radios = new QHBoxLayout;
    radios->addWidget(type);
    radios->addWidget(mode);

    QGroupBox* member = MakeGroup(QStringLiteral("构件数据"));
    auto* m = new QGridLayout(member);
    m_beamCases = new CBmpComboBox(this);
    m_beamCases->setObjectName(QString::number(kBeamCases));
    for (int i = 0; i < kBeamCaseCount; ++i) m_beamCases->AddBmp(IDB_BEAM_CASE1 + i);
    m_plateCases = new CBmpComboBox(this);
    m_plateCases->setObjectName(QString::number(kPlateCases));
    for (int i = 0; i < kPlateCaseCount; ++i) m_plateCases->AddBmp(IDB_PLATE_CASE1 + i);
    m_plateCases->setMinimumHeight(42);
    m->addWidget(MakeLabel(QStringLiteral("支承及振型"), 2001), 0, 0);
    m->addWidget(m_beamCases, 0, 1, 1, 3);
    m->addWidget(MakeLabel(QStringLiteral("支承情况"), 2002), 1, 0);
    m->addWidget(m_plateCases, 1, 1, 1, 3);
    m->addWidget(MakeLabel(QStringLiteral("梁宽 (mm)"), 2003), 2, 0);
    m->addWidget(MakeEdit(kBeamWidth), 2, 1);
    m->addWidget(MakeLabel(QStringLiteral("梁高 (mm)"), 2004), 2, 2);
    m->addWidget(MakeEdit(kBeamHeight), 2, 3);
    m->addWidget(MakeLabel(QStringLiteral("梁计算跨度 (m)"), 2005), 3, 0);
    m->addWidget(MakeEdit(kBeamSpan), 3, 1);
    m->addWidget(MakeLabel(QStringLiteral("板 a (m)"), 2006), 4, 0);
    m->addWidget(MakeEdit(kPlateA), 4, 1);
    m->addWidget(MakeLabel(QStringLiteral("板 b (m)"), 2007), 4, 2);
    m->addWidget(MakeEdit(kPlateB), 4, 3);
    m->addWidget(MakeLabel(QStringLiteral("板厚 (mm)"), 2008), 5, 0);
    m->addWidget(MakeEdit(kPlateThick), 5, 1);
    m->addWidget(MakeLabel(QStringLiteral("容重 (kN/m3)")), 6, 0);
    m->addWidget(MakeEdit(kUnitWeight), 6, 1);
    m_grade = new QComboBox(this);
    m_grade->setObjectName(QString::number(kGrade));
    for (int grade = 15; grade <= 80; grade += 5) m_grade->addItem(QString::number(grade));
    m->addWidget(MakeLabel(QStringLiteral("砼强度等级")), 6, 2);
    m->addWidget(m_grade, 6, 3);
    m->setColumnStretch(4, 1);

    QGroupBox* frequencies = MakeGroup(QStringLiteral("构件自振圆频率 (1/s)"));
    auto* f = new QGridLayout(frequencies);
    f->addWidget(MakeLabel(QStringLiteral("顶板ω"), 2011), 0, 0);
    f->addWidget(MakeEdit(kOmegaRoof), 0, 1);
    f->addWidget(MakeButton(QStringLiteral("计算"), kCalRoof, [this] { OnCalRoof(); }), 0, 2);
    f->addWidget(MakeLabel(QStringLiteral("底板"), 2012), 1, 0);
    f->addWidget(MakeEdit(kOmegaFloor), 1, 1);
    f->addWidget(MakeButton(QStringLiteral("程序计算"), kCalFloor, [this] { OnCalFloor(); }), 1, 2);
    f->addWidget(MakeLabel(QStringLiteral("外墙ω"), 2013), 2, 0);
    f->addWidget(MakeEdit(kOmegaWall), 2, 1);
    f->addWidget(MakeButton(QStringLiteral("计算"), kCalWall, [this] { OnCalWall(); }), 2, 2);
    f->setColumnStretch(3, 1);

    auto* page = new QVBoxLayout(this);
    page->addLayout(radios);
    page->addWidget(member);
    page->addWidget(frequencies);
    page->addStretch();

    for (int id : {kBeam, kPlate}) connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] { Recalculate(); });
    for (int id : {kManual, kAuto}) connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] { OnMode(); });
    for (QComboBox* box : {static_cast<QComboBox*>(m_beamCases), static_cast<QComboBox*>(m_plateCases), m_grade})
        connect(box, &QComboBox::activated, this, [this] { Recalculate(); });
    for (int id : {kBeamWidth, kBeamHeight, kBeamSpan, kPlateA, kPlateB, kPlateThick, kUnitWeight})
        OnLeave(Control<QLineEdit>(id), [this] { Recalculate(); });

    FixPageSize();

    m_fOmegaRoof = m_pLoad->m_fOmegaRoof;
    m_fOmegaFloor = m_pLoad->m_fOmegaFloor;
    m_fOmegaWall = m_pLoad->m_fOmegaWall;
    Exchange(false);
    const bool manual = m_nMode == 0;
    Control<QWidget>(kOmegaRoof)->setEnabled(manual);
    Control<QWidget>(kOmegaWall)->setEnabled(manual);
    if (!manual) {
        SaveToRecord();
        LoadFromRecord();
        Recalculate();
    }
    SetVisibility();
}

bool CPageOmega::Exchange(bool save) {
    using namespace kv::ddx;
    auto radio = [save](int first, int second, int& value, QWidget* page) {
        auto* a = page->findChild<QRadioButton*>(QString::number(first));
        auto* b = page->findChild<QRadioButton*>(QString::number(second));
        if (save)
            value = b->isChecked() ? 1 : 0;
        else
            (value ? b : a)->setChecked(true);
    };
    radio(kBeam, kPlate, m_nType, this);
    radio(kManual, kAuto, m_nMode, this);
    if (save) {
        m_nBeamCase = m_beamCases->currentIndex();
        m_nPlateCase = m_plateCases->currentIndex();
    } else {
        m_beamCases->setCurrentIndex(m_nBeamCase);
        m_plateCases->setCurrentIndex(m_nPlateCase);
    }
    // A refused entry keeps its value; the other inputs are still read.
    bool taken = Int(Control<QLineEdit>(kBeamWidth), m_nBeamWidth, save);
    taken &= Int(Control<QLineEdit>(kBeamHeight), m_nBeamHeight, save);
    const std::pair<int, float*> floats[] = {
        {kBeamSpan, &m_fBeamSpan},   {kPlateA, &m_fPlateA},         {kPlateB, &m_fPlateB},
        {kPlateThick, &m_fPlateThick}, {kUnitWeight, &m_fUnitWeight}, {kOmegaRoof, &m_fOmegaRoof},
        {kOmegaFloor, &m_fOmegaFloor}, {kOmegaWall, &m_fOmegaWall},
    };
    for (const auto& [id, value] : floats) taken &= Float(Control<QLineEdit>(id), *value, save);
    if (save)
        m_nGrade = m_grade->currentText().toInt();
    else
        m_grade->setCurrentIndex(m_grade->findText(QString::number(m_nGrade)));
    return taken;
}

void CPageOmega::SaveToRecord() {
    // Sizes that would break the formulas are replaced before the controls are read.
    for (float* v : {&m_fPlateA, &m_fPlateB, &m_fPlateThick, &m_fOmegaRoof, &m_fOmegaFloor, &m_fOmegaWall,
                     &m_fUnitWeight, &m_fBeamSpan})
        if (*v <= 0) *v = 0.001f;
    if (m_nBeamWidth < 1) m_nBeamWidth = 1;
    if (m_nBeamHeight < 1) m_nBeamHeight = 1;
    Exchange(true);
    m_pLoad->m_fOmegaRoof = m_fOmegaRoof;
    m_pLoad->m_fOmegaFloor = m_fOmegaFloor;
    m_pLoad->m_fOmegaWall = m_fOmegaWall;
    SetVisibility();
}

void CPageOmega::LoadFromRecord() {
    m_fOmegaRoof = m_pLoad->m_fOmegaRoof;
    m_fOmegaFloor = m_pLoad->m_fOmegaFloor;
    m_fOmegaWall = m_pLoad->m_fOmegaWall;
    Exchange(false);
    SetVisibility();
}

void CPageOmega::SetVisibility() {
    const bool beam = m_nType == 0;
    for (int id : {2001, kBeamCases, 2003, kBeamWidth, 2004, kBeamHeight, 2005, kBeamSpan})
        SetShown({Control<QWidget>(id)}, beam);
    for (int id : {2002, kPlateCases, 2006, kPlateA, 2007, kPlateB, 2008, kPlateThick})
        SetShown({Control<QWidget>(id)}, !beam);
    const bool slab = m_pLoad->m_nPart == 0, manual = m_nMode == 0;
    SetShown({Control<QWidget>(2011), Control<QWidget>(kOmegaRoof)}, slab);
    SetShown({Control<QWidget>(kCalRoof)}, slab && manual);
    SetShown({Control<QWidget>(2013), Control<QWidget>(kOmegaWall)}, !slab);
    SetShown({Control<QWidget>(kCalWall)}, !slab && manual);
    // The floor's frequency is not the wizard's to change.
    SetShown({Control<QWidget>(2012), Control<QWidget>(kOmegaFloor), Control<QWidget>(kCalFloor)}, false);
}

bool CPageOmega::Calculate(float CEquivLoad::*field, float& shown) {
    SaveToRecord();
    float omega;
    if (m_nType == 1) {
        if (m_fPlateA > 2 * m_fPlateB || m_fPlateB > 2 * m_fPlateA) {
            ShowMessage("单向板请按梁计算 !");
            return false;
        }
        omega = m_pLoad->CalOmegaPlate(m_fPlateA, m_fPlateB, m_fPlateThick / 1000, m_fUnitWeight, m_nGrade,
                                       m_nPlateCase + 1);
    } else {
        omega = m_pLoad->CalOmegaBeam(m_fBeamSpan, m_fUnitWeight, m_nBeamWidth / 1000.0f, m_nBeamHeight / 1000.0f,
                                      m_nGrade, m_nBeamCase + 1);
    }
    m_pLoad->*field = omega;
    shown = omega;
    Exchange(false);
    return true;
}

void CPageOmega::OnCalRoof() { Calculate(&CEquivLoad::m_fOmegaRoof, m_fOmegaRoof); }
void CPageOmega::OnCalFloor() { Calculate(&CEquivLoad::m_fOmegaFloor, m_fOmegaFloor); }
void CPageOmega::OnCalWall() { Calculate(&CEquivLoad::m_fOmegaWall, m_fOmegaWall); }

void CPageOmega::Recalculate() {
    if (m_nMode == 0) {
        SaveToRecord();
        return;
    }
    if (m_pLoad->m_nPart == 0)
        OnCalRoof();
    else
        OnCalWall();
}

void CPageOmega::OnMode() {
    Exchange(true);
    const bool manual = m_nMode == 0;
    Control<QWidget>(kOmegaRoof)->setEnabled(manual);
    Control<QWidget>(kOmegaWall)->setEnabled(manual);
    if (!manual) Recalculate();
    OnSetActive();
}

void CPageOmega::OnSetActive() {
    LoadFromRecord();
    SetVisibility();
}

void CPageOmega::showEvent(QShowEvent* event) {
    CWizardPage::showEvent(event);
    Recalculate();
}

void CPageOmega::OnKillActive() { SaveToRecord(); }

void CPageOmega::OnSheetOk() {
    SaveToRecord();
    LoadFromRecord();
    Recalculate();
}
