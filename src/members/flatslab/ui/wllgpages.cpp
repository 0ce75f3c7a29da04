#include "members/flatslab/ui/wllgpages.h"

#include "base/error.h"
#include "base/globals.h"
#include "codes/guifan.h"
#include "codes/ui/gradecombo.h"
#include "drawing/base_sgt.h"
#include "drawing/ui/dtview.h"
#include "members/flatslab/ui/dlgchongqie.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "report/script.h"
#include "views/dialogs/calcroad.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/dlghelppic.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/moduledlg.h"
#include "views/dialogs/shellservices.h"
#include "widgets/rangemessage.h"
#include "widgets/ui/ddx.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

CWllgData G_WllgData;

namespace {

using namespace kv::slabwall::ui;

constexpr const char* kFilter = "无梁楼盖数据文件(*.WLB)|*.WLB||";


QGroupBox* Group(QWidget* parent, const QString& title, QLayout* layout) {
    auto* g = new QGroupBox(title, parent);
    g->setLayout(layout);
    return g;
}

// Where the load pictures are missing the buttons stay empty: the page works without them.
QToolButton* PictureButton(QWidget* parent, int id, const char* picture) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::number(id));
    b->setProperty("picture", QString::fromLatin1(picture));
    b->setEnabled(false);
    QPixmap pm;
    if (const std::string path = CDlgHelpPic::PicturePath(picture); !path.empty()) pm.load(QString::fromStdString(path));
    if (!pm.isNull()) {
        // Disabled, as the picture is no button, but not greyed.
        QIcon icon(pm);
        icon.addPixmap(pm, QIcon::Disabled);
        b->setIcon(icon);
        b->setIconSize(pm.size());
        b->setFixedSize(pm.size() + QSize(6, 6));
    }
    return b;
}

}  // namespace

void UseCivilDefenceRules(CWllgData& data) { data.m_nCivilDefence = data.m_ChongQie.m_nCivilDefence = 1; }

// ---- common ---------------------------------------------------------------------------

CWllgPage::CWllgPage(CWllgData* data, int templateId) : m_pData(data) { setObjectName(QString::number(templateId)); }

CWllgPage::~CWllgPage() {
    if (m_pPreview) m_pPreview->SetDrawing(nullptr);
}

QWidget* CWllgPage::MakePreview(QSize size) {
    auto* place = new QWidget(this);
    place->setObjectName("1288");
    place->setMinimumSize(size);
    auto* layout = new QVBoxLayout(place);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pPreview = new CDxfWnd(place);
    layout->addWidget(m_pPreview);
    m_pPreview->installEventFilter(this);
    return place;
}

QLineEdit* CWllgPage::MakeEdit(int id, int width) { return Edit(this, id, width); }

void CWllgPage::OnLeave(QWidget* edit, std::function<void()> changed) {
    edit->installEventFilter(this);
    m_leave.emplace_back(edit, std::move(changed));
}

bool CWllgPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pPreview) {
        // A click on the sketch takes the fields, so that it shows what they say.
        if (event->type() == QEvent::MouseButtonPress) {
            PageToData();
            EnableControls();
        } else if (event->type() == QEvent::Resize && m_pSketch) {
            m_pPreview->All();
        }
        return CSheetPage::eventFilter(watched, event);
    }
    // A page going out of sight takes its fields once, in OnKillActive.
    if (CModuleDlg::LeftForAnotherField(event) && isVisible() && !isHidden())
        for (auto& [w, changed] : m_leave)
            if (w == watched) changed();
    return CSheetPage::eventFilter(watched, event);
}

void CWllgPage::OnSetActive() {
    DataToPage();
    EnableControls();
    Redraw();
}

void CWllgPage::OnKillActive() {
    // Only a switch of tabs (or 返回) hides the page while the sheet is shown;
    // a sheet closed or destroyed takes nothing more.
    CDlgTabSheet* sheet = Sheet();
    if (!sheet || !sheet->isVisible() || !isHidden()) return;
    PageToData();
}

void CWllgPage::FillChongQie() {
    // A refused span text is told; the next run starts with the error code as it was.
    const int code = JS_ERROR_CODE;
    m_pData->FillChongQie();
    JS_ERROR_CODE = code;
}

void CWllgPage::Redraw() {
    if (!m_pPreview || !m_pData) return;
    m_pPreview->SetDrawing(nullptr);
    m_pSketch = std::make_unique<CBase_SGT>();
    m_pSketch->New_MemDxf();
    m_pSketch->Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    m_pSketch->Write_Tables();
    // A refused span text leaves the sketch empty, the parser's message in the
    // message window; the next run starts with the error code as it was.
    const int code = JS_ERROR_CODE;
    m_pData->DrawSketch(m_pSketch.get());
    JS_ERROR_CODE = code;
    m_pPreview->SetDrawing(m_pSketch.get());
    m_pPreview->All();
}

// ---- 几何参数 ---------------------------------------------------------------------------

CPageWllgJiHe::CPageWllgJiHe(CWllgData* data) : CWllgPage(data, 177) {
    m_eName = MakeEdit(3087, 300);
    m_rTop = Radio(this, QStringLiteral("顶层"), 1283);
    m_rMid = Radio(this, QStringLiteral("中间层"), 1281);
    auto* storeys = new QButtonGroup(this);
    storeys->addButton(m_rTop, 0);
    storeys->addButton(m_rMid, 1);
    m_eSpans = MakeEdit(1371, 220);
    m_eWidth = MakeEdit(1196);
    m_eThick = MakeEdit(1242);
    m_eUpper = MakeEdit(1290);
    m_eLower = MakeEdit(1277);
    constexpr int roundIds[3] = {1294, 1297, 1376}, bIds[3] = {1274, 1279, 1285}, hIds[3] = {1300, 1301, 1304},
                  dIds[3] = {1306, 1309, 1311};
    for (int i = 0; i < 3; ++i) {
        m_cRound[i] = Check(this, QStringLiteral("圆柱"), roundIds[i]);
        m_eB[i] = MakeEdit(bIds[i]);
        m_eH[i] = MakeEdit(hIds[i]);
        m_eD[i] = MakeEdit(dIds[i]);
    }
    m_cEdgeCap = Combo(this, 3196, {QStringLiteral("不考虑"), QStringLiteral("考虑")});
    m_lEdgeCap = Label(this, QStringLiteral("是否考虑边柱柱帽对计算跨度的影响"), 3197);

    auto* name = new QHBoxLayout;
    name->addWidget(Label(this, QStringLiteral("说明:")));
    name->addWidget(m_eName, 1);

    auto* slab = new QGridLayout;
    auto* storeyRow = new QHBoxLayout;
    storeyRow->addWidget(m_rTop);
    storeyRow->addWidget(m_rMid);
    storeyRow->addStretch(1);
    slab->addLayout(storeyRow, 0, 0, 1, 4);
    AddField(slab, this, 1, 0, QStringLiteral("各跨长(m):"), m_eSpans);
    slab->addWidget(m_eSpans, 1, 1, 1, 3);
    AddField(slab, this, 2, 0, QStringLiteral("板带宽(mm):"), m_eWidth);
    AddField(slab, this, 2, 1, QStringLiteral("板带厚(mm):"), m_eThick);
    AddField(slab, this, 3, 0, QStringLiteral("上层高(m):"), m_eUpper);
    AddField(slab, this, 3, 1, QStringLiteral("下层高(m):"), m_eLower);
    slab->setColumnStretch(1, 1);
    slab->setColumnStretch(3, 1);

    auto* columns = new QGridLayout;
    const QString heads[3] = {QStringLiteral("左边柱"), QStringLiteral("中柱"), QStringLiteral("右边柱")};
    const QString rows[3] = {QStringLiteral("柱宽(mm):"), QStringLiteral("柱高(mm):"), QStringLiteral("直径(mm):")};
    for (int r = 0; r < 3; ++r) columns->addWidget(Label(this, rows[r]), r + 2, 0, Qt::AlignRight);
    for (int i = 0; i < 3; ++i) {
        columns->addWidget(Label(this, heads[i]), 0, i + 1, Qt::AlignCenter);
        columns->addWidget(m_cRound[i], 1, i + 1);
        columns->addWidget(m_eB[i], 2, i + 1);
        columns->addWidget(m_eH[i], 3, i + 1);
        columns->addWidget(m_eD[i], 4, i + 1);
    }
    auto* edgeCap = new QHBoxLayout;
    edgeCap->addWidget(m_lEdgeCap);
    edgeCap->addWidget(m_cEdgeCap);
    edgeCap->addStretch(1);

    auto* fields = new QVBoxLayout;
    fields->addLayout(name);
    fields->addWidget(Group(this, QStringLiteral("板带"), slab));
    fields->addWidget(Group(this, QStringLiteral("柱"), columns));
    fields->addLayout(edgeCap);
    fields->addStretch(1);

    QPushButton* save = Button(this, QStringLiteral("存数据"), 1377);
    QPushButton* read = Button(this, QStringLiteral("读数据"), 3086);
    QPushButton* diagrams = Button(this, QStringLiteral("查简图"), 3089);
    QPushButton* report = Button(this, QStringLiteral("查报表"), 3091);
    QPushButton* calculate = Button(this, QStringLiteral("计算"), 1359);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {read, save, diagrams, report, calculate}) buttons->addWidget(b);

    auto* right = new QVBoxLayout;
    right->addWidget(MakePreview(QSize(420, 300)), 1);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(right, 1);

    for (QAbstractButton* b : {static_cast<QAbstractButton*>(m_rTop), static_cast<QAbstractButton*>(m_rMid),
                               static_cast<QAbstractButton*>(m_cRound[0]), static_cast<QAbstractButton*>(m_cRound[1]),
                               static_cast<QAbstractButton*>(m_cRound[2])})
        connect(b, &QAbstractButton::clicked, this, &CPageWllgJiHe::OnChange);
    for (QWidget* e : {m_eLower, m_eUpper, m_eSpans}) OnLeave(e, [this] { OnChange(); });
    connect(save, &QPushButton::clicked, this, &CPageWllgJiHe::OnSaveData);
    connect(read, &QPushButton::clicked, this, &CPageWllgJiHe::OnReadData);
    connect(diagrams, &QPushButton::clicked, this, &CPageWllgJiHe::OnShowJianTu);
    connect(report, &QPushButton::clicked, this, &CPageWllgJiHe::OnShowReport);
    connect(calculate, &QPushButton::clicked, this, &CPageWllgJiHe::OnCalculate);
}

int CPageWllgJiHe::DataToPage() {
    using namespace kv::ddx;
    if (!m_pData) return 1;
    CWllgData& d = *m_pData;
    Text(m_eName, d.m_strName, false);
    m_rTop->setChecked(d.m_nMidStorey == 0);
    m_rMid->setChecked(d.m_nMidStorey != 0);
    Text(m_eSpans, d.m_szSpans, false);
    Int(m_eWidth, d.m_nStripWidth, false);
    Int(m_eThick, d.m_nSlabThick, false);
    Float(m_eUpper, d.m_fUpperHeight, false);
    Float(m_eLower, d.m_fLowerHeight, false);
    int* round[3] = {&d.m_nLeftRound, &d.m_nMidRound, &d.m_nRightRound};
    int* b[3] = {&d.m_nLeftColB, &d.m_nMidColB, &d.m_nRightColB};
    int* h[3] = {&d.m_nLeftColH, &d.m_nMidColH, &d.m_nRightColH};
    int* dia[3] = {&d.m_nLeftColD, &d.m_nMidColD, &d.m_nRightColD};
    for (int i = 0; i < 3; ++i) {
        m_cRound[i]->setChecked(*round[i] != 0);
        Int(m_eB[i], *b[i], false);
        Int(m_eH[i], *h[i], false);
        Int(m_eD[i], *dia[i], false);
    }
    m_cEdgeCap->setCurrentIndex(d.m_nEdgeCap == 1 ? 1 : 0);
    return 1;
}

int CPageWllgJiHe::PageToData() {
    using namespace kv::ddx;
    if (!m_pData) return 1;
    CWllgData& data = *m_pData;
    // Into a copy: a field that fails leaves the object as it was.
    WLLG_FIELDS d = data;
    std::string name = data.m_strName;
    Text(m_eName, name, true);
    std::string spans;
    Text(m_eSpans, spans, true);
    // The span text's field holds 299 bytes as the file keeps them.
    if (kv::platform::GbkLength(spans) > static_cast<std::size_t>(kSpanBytes)) {
        kv::MessageBox("请输入不超过 " + std::to_string(kSpanBytes) + " 个字符。", kv::MB_OK | kv::MB_ICONWARNING);
        m_eSpans->setFocus();
        m_eSpans->selectAll();
        return 0;
    }
    d.m_szSpans = spans;
    if (!Int(m_eWidth, d.m_nStripWidth, true) || !Int(m_eThick, d.m_nSlabThick, true) ||
        !Float(m_eUpper, d.m_fUpperHeight, true) || !Float(m_eLower, d.m_fLowerHeight, true))
        return 0;
    int* round[3] = {&d.m_nLeftRound, &d.m_nMidRound, &d.m_nRightRound};
    int* b[3] = {&d.m_nLeftColB, &d.m_nMidColB, &d.m_nRightColB};
    int* h[3] = {&d.m_nLeftColH, &d.m_nMidColH, &d.m_nRightColH};
    int* dia[3] = {&d.m_nLeftColD, &d.m_nMidColD, &d.m_nRightColD};
    for (int i = 0; i < 3; ++i) {
        if (!Int(m_eB[i], *b[i], true) || !Int(m_eH[i], *h[i], true) || !Int(m_eD[i], *dia[i], true)) return 0;
        *round[i] = m_cRound[i]->isChecked() ? 1 : 0;
    }
    d.m_nMidStorey = m_rMid->isChecked() ? 1 : 0;
    if (m_cEdgeCap->currentIndex() >= 0) d.m_nEdgeCap = m_cEdgeCap->currentIndex();
    static_cast<WLLG_FIELDS&>(data) = d;
    data.m_strName = name;
    FillChongQie();
    Redraw();
    return 1;
}

void CPageWllgJiHe::EnableControls() {
    m_eUpper->setEnabled(m_rMid->isChecked());
    for (int i = 0; i < 3; ++i) {
        const bool round = m_cRound[i]->isChecked();
        m_eB[i]->setEnabled(!round);
        m_eH[i]->setEnabled(!round);
        m_eD[i]->setEnabled(round);
    }
    const bool cap = m_pData && m_pData->m_ChongQie.m_nHasCap != 0;
    m_cEdgeCap->setVisible(cap);
    m_lEdgeCap->setVisible(cap);
}

void CPageWllgJiHe::OnChange() {
    PageToData();
    EnableControls();
}

void CPageWllgJiHe::OnSaveData() {
    if (!m_pData) return;
    auto path = kv::platform::FileDialogs().GetSaveFileName({"", kFilter, "", G_strWorkPath});
    if (!path) return;
    PageToData();
    if (!m_pData->SaveData(path->c_str())) {
        kv::MessageBox("不能保存文件 : " + *path, kv::MB_OK | kv::MB_ICONERROR);
        return;
    }
    setWindowTitle(QString::fromStdString(*path));
}

void CPageWllgJiHe::OnReadData() {
    if (!m_pData) return;
    auto path = kv::platform::FileDialogs().GetOpenFileName({"", kFilter, "", G_strWorkPath});
    // A file the reader refuses has been told; the page and the item keep what they hold.
    if (!path || !m_pData->LoadData(path->c_str())) return;
    DataToPage();
    EnableControls();
    Redraw();
    setWindowTitle(QString::fromStdString(*path));
    if (IsProjectMode()) kv::shell::StoreItemData(m_pData);
}

void CPageWllgJiHe::OnShowJianTu() {
    if (CDlgTabSheet* sheet = Sheet()) sheet->done(1);
    ShowJianTu(m_pData);
}

void CPageWllgJiHe::OnShowReport() {
    if (m_pData) kv::shell::ReadReport(G_strWorkPath + m_pData->GetRtfFileName(0));
    if (CDlgTabSheet* sheet = Sheet()) sheet->done(1);
}

void CPageWllgJiHe::OnCalculate() {
    if (!m_pData) return;
    CWllgData& data = *m_pData;
    // A field that fails leaves the object as it was, and the run goes on with it.
    PageToData();
    const bool ran = RunWrittenResultsRoad(data, data.m_strName.empty() ? "无梁楼盖" : data.m_strName, [&] {
        // The run's work files belong in the work folder.
        const std::string here = kv::platform::CurrentFolder();
        if (!G_strWorkPath.empty()) kv::platform::SetCurrentFolder(G_strWorkPath);
        wllg_calculate(&data);
        kv::platform::SetCurrentFolder(here);
    });
    if (!ran) return;
    if (CDlgTabSheet* sheet = Sheet()) sheet->done(1);
}

// ---- 板带荷载 ---------------------------------------------------------------------------

CPageWllgBanDai::CPageWllgBanDai(CWllgData* data) : CWllgPage(data, 178) {
    for (int i = 0; i < 13; ++i) m_eLoad[i] = MakeEdit(kIds[i]);
    auto* slab = new QHBoxLayout;
    slab->addWidget(Label(this, QStringLiteral("q (kN/m2):")));
    slab->addWidget(m_eLoad[4]);
    slab->addStretch(1);

    // The four columns: a, q1, q2 each (indices into the field order).
    struct ColumnLoads {
        const char* title;
        int a, q1, q2;
    };
    constexpr ColumnLoads kColumns[4] = {
        {"左上柱", 0, 5, 9}, {"右上柱", 2, 7, 11}, {"左下柱", 1, 6, 10}, {"右下柱", 3, 8, 12}};
    auto* columns = new QGridLayout;
    const QString heads[3] = {QStringLiteral("a (m)"), QStringLiteral("q1 (kN/m)"), QStringLiteral("q2 (kN/m)")};
    for (int c = 0; c < 3; ++c) columns->addWidget(Label(this, heads[c]), 0, c + 1, Qt::AlignCenter);
    for (int r = 0; r < 4; ++r) {
        const ColumnLoads& col = kColumns[r];
        columns->addWidget(Label(this, QString::fromUtf8(col.title) + ":"), r + 1, 0, Qt::AlignRight);
        columns->addWidget(m_eLoad[col.a], r + 1, 1);
        columns->addWidget(m_eLoad[col.q1], r + 1, 2);
        columns->addWidget(m_eLoad[col.q2], r + 1, 3);
    }

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(PictureButton(this, 1282, "IDB_BITMAP_HZLEFT"));
    pictures->addWidget(PictureButton(this, 1008, "IDB_BITMAP_HZMID"));
    pictures->addWidget(PictureButton(this, 1042, "IDB_BITMAP_HZRIGHT"));
    pictures->addStretch(1);

    auto* fields = new QVBoxLayout;
    fields->addWidget(Group(this, QStringLiteral("板面荷载"), slab));
    fields->addWidget(Group(this, QStringLiteral("柱侧荷载"), columns));
    fields->addWidget(DesignValueNote(this));
    fields->addLayout(pictures);
    fields->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakePreview(QSize(380, 300)), 1);

    for (QLineEdit* e : m_eLoad) OnLeave(e, [this] { PageToData(); });
}

int CPageWllgBanDai::DataToPage() {
    if (!m_pData) return 1;
    CWllgData& d = *m_pData;
    float* v[13] = {&d.m_fUpLeftA,   &d.m_fLowLeftA,   &d.m_fUpRightA,  &d.m_fLowRightA, &d.m_fSlabQ,
                    &d.m_fUpLeftQ1,  &d.m_fLowLeftQ1,  &d.m_fUpRightQ1, &d.m_fLowRightQ1, &d.m_fUpLeftQ2,
                    &d.m_fLowLeftQ2, &d.m_fUpRightQ2, &d.m_fLowRightQ2};
    for (int i = 0; i < 13; ++i) kv::ddx::Float(m_eLoad[i], *v[i], false);
    return 1;
}

int CPageWllgBanDai::PageToData() {
    if (!m_pData) return 1;
    WLLG_FIELDS d = *m_pData;
    float* v[13] = {&d.m_fUpLeftA,   &d.m_fLowLeftA,   &d.m_fUpRightA,  &d.m_fLowRightA, &d.m_fSlabQ,
                    &d.m_fUpLeftQ1,  &d.m_fLowLeftQ1,  &d.m_fUpRightQ1, &d.m_fLowRightQ1, &d.m_fUpLeftQ2,
                    &d.m_fLowLeftQ2, &d.m_fUpRightQ2, &d.m_fLowRightQ2};
    for (int i = 0; i < 13; ++i) {
        const float top = i < 4 ? 1000.0f : 99999.0f;  // a is a length along the column
        if (!kv::ddx::Float(m_eLoad[i], *v[i], true, 0, top)) return 2;
    }
    static_cast<WLLG_FIELDS&>(*m_pData) = d;
    FillChongQie();
    Redraw();
    return 1;
}

void CPageWllgBanDai::EnableControls() {
    const bool mid = m_pData && m_pData->m_nMidStorey != 0;
    for (int i : {0, 2, 5, 7, 9, 11}) m_eLoad[i]->setEnabled(mid);
}

// ---- 计算参数 ---------------------------------------------------------------------------

CPageWllgCanShu::CPageWllgCanShu(CWllgData* data) : CWllgPage(data, 179) {
    m_cCon = Combo(this, 1112);
    m_cBar = Combo(this, 1182);
    m_cSteam = Check(this, QStringLiteral("蒸气养护或掺早强剂"), 1352);
    m_eAs = MakeEdit(1138);
    m_eRedist = MakeEdit(1121);
    constexpr int colIds[3] = {1126, 1131, 1135}, midIds[3] = {1141, 1144, 1147};
    for (int i = 0; i < 3; ++i) {
        m_eCol[i] = MakeEdit(colIds[i]);
        m_eMid[i] = MakeEdit(midIds[i]);
        m_eMid[i]->setEnabled(false);
    }
    m_cCapDesign = Check(this, QStringLiteral("考虑柱帽对柱上板带配筋的影响 (柱帽下反)"), 3207);

    auto* materials = new QGridLayout;
    AddField(materials, this, 0, 0, QStringLiteral("砼强度等级:"), m_cCon);
    AddField(materials, this, 1, 0, QStringLiteral("钢筋级别:"), m_cBar);
    AddField(materials, this, 2, 0, QStringLiteral("配筋计算as(mm):"), m_eAs);
    AddField(materials, this, 3, 0, QStringLiteral("支座弯矩调幅幅度(%):"), m_eRedist);
    materials->addWidget(m_cSteam, 4, 0, 1, 2);
    materials->setColumnStretch(1, 1);

    auto* factors = new QGridLayout;
    const QString heads[3] = {QStringLiteral("边支座"), QStringLiteral("跨中"), QStringLiteral("内支座")};
    factors->addWidget(Label(this, QStringLiteral("柱上板带:")), 1, 0, Qt::AlignRight);
    factors->addWidget(Label(this, QStringLiteral("跨中板带:")), 2, 0, Qt::AlignRight);
    for (int i = 0; i < 3; ++i) {
        factors->addWidget(Label(this, heads[i]), 0, i + 1, Qt::AlignCenter);
        factors->addWidget(m_eCol[i], 1, i + 1);
        factors->addWidget(m_eMid[i], 2, i + 1);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group(this, QStringLiteral("材料与配筋"), materials));
    layout->addWidget(Group(this, QStringLiteral("板带弯矩分配系数"), factors));
    layout->addWidget(m_cCapDesign);
    layout->addStretch(1);

    FillConCombo(G_guifan, m_cCon);
    FillGangJinCombo(G_guifan, m_cBar, 1);
    m_eRedist->setToolTip(RedistributionTip());
    m_eRedist->installEventFilter(this);
    // The note reads on a pale yellow, at most 500 pixels wide.
    setStyleSheet("QToolTip { background-color: rgb(255, 255, 150); color: black; max-width: 500px; }");
    for (QLineEdit* e : m_eCol)
        OnLeave(e, [this] {
            // The middle-strip factors follow at once.
            PageToData();
            DataToPage();
        });
}

QString CPageWllgCanShu::RedistributionTip() {
    const std::string note = "注意：\n    如果不调幅，请填0。";
    if (G_guifan != 2010) return QString::fromStdString(note);
    return QString::fromStdString(std::string("根据") + GF_GetGuiFanName(2010, 1, 2) +
                                  "第5.4.3条：\n钢筋混凝土梁支座或节点边缘截面的负弯矩调幅幅度不宜大于25%。\n"
                                  "弯矩调整后的梁端截面相对受压区高度不应超过0.35，且不宜小于0.10。\n" +
                                  note);
}

bool CPageWllgCanShu::eventFilter(QObject* watched, QEvent* event) {
    // The note comes at once: it is read before the value is typed.
    if (watched == m_eRedist && event->type() == QEvent::Enter)
        QToolTip::showText(m_eRedist->mapToGlobal(QPoint(0, m_eRedist->height())), m_eRedist->toolTip(), m_eRedist);
    return CWllgPage::eventFilter(watched, event);
}

int CPageWllgCanShu::DataToPage() {
    using namespace kv::ddx;
    if (!m_pData) return 1;
    CWllgData& d = *m_pData;
    SelectConCombo(G_guifan, d.m_nConGrade, m_cCon);
    SelectGangJinCombo(G_guifan, d.m_nBarGrade, m_cBar, 1);
    m_cSteam->setChecked(d.m_nSteam != 0);
    Int(m_eAs, d.m_nAs, false);
    Float(m_eRedist, d.m_fRedist, false);
    float* col[3] = {&d.m_fColEdge, &d.m_fColMid, &d.m_fColInner};
    for (int i = 0; i < 3; ++i) {
        Float(m_eCol[i], *col[i], false);
        float mid = 1.0f - *col[i];
        Float(m_eMid[i], mid, false);
    }
    const CHONGQIE_JS_STRUCT& r = d.m_ChongQie;
    m_cCapDesign->setChecked(r.m_nHasCap && r.m_nCapDown && d.m_nCapDesign != 0);
    return 1;
}

int CPageWllgCanShu::PageToData() {
    using namespace kv::ddx;
    if (!m_pData) return 1;
    WLLG_FIELDS d = *m_pData;
    if (!Int(m_eAs, d.m_nAs, true) || !Float(m_eRedist, d.m_fRedist, true, 0, 100)) return 0;
    float* col[3] = {&d.m_fColEdge, &d.m_fColMid, &d.m_fColInner};
    float* mid[3] = {&d.m_fMidEdge, &d.m_fMidMid, &d.m_fMidInner};
    for (int i = 0; i < 3; ++i) {
        if (!Float(m_eCol[i], *col[i], true)) return 0;
        *mid[i] = 1.0f - *col[i];
    }
    GetComboGrade(G_guifan, d.m_nConGrade, m_cCon, 0);
    GetComboGrade(G_guifan, d.m_nBarGrade, m_cBar, 1);
    d.m_nSteam = m_cSteam->isChecked() ? 1 : 0;
    const CHONGQIE_JS_STRUCT& r = d.m_ChongQie;
    d.m_nCapDesign = r.m_nHasCap && r.m_nCapDown && m_cCapDesign->isChecked() ? 1 : 0;
    static_cast<WLLG_FIELDS&>(*m_pData) = d;
    FillChongQie();
    return 1;
}

void CPageWllgCanShu::EnableControls() {
    const bool below = m_pData && m_pData->m_ChongQie.m_nHasCap && m_pData->m_ChongQie.m_nCapDown;
    m_cCapDesign->setEnabled(below);
}

// ---- the sheet ------------------------------------------------------------------------

int RunWllgSheet(QWidget* parent, CWllgData& data) {
    CDlgTabSheet sheet(parent, &data);
    // The pages live on the stack beside the sheet and leave it before it goes.
    CDlgChongQie chongQie(&data.m_ChongQie, &data);
    CPageWllgJiHe jiHe(&data);
    CPageWllgBanDai banDai(&data);
    CPageWllgCanShu canShu(&data);
    sheet.SetCaption("无梁楼盖");
    sheet.AddPage("几何参数", &jiHe);
    sheet.AddPage("板带荷载", &banDai);
    sheet.AddPage("计算参数", &canShu);
    sheet.AddPage("冲切验算", &chongQie);
    // The pages carry their own buttons; Enter takes nothing.
    if (auto* ok = sheet.findChild<QPushButton*>("1")) ok->hide();
    return sheet.exec();
}
