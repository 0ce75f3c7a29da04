#include "members/beams/ui/dlgjzl.h"

#include "base/calcrunner.h"
#include "base/error.h"
#include "base/globals.h"
#include "codes/guifan.h"
#include "codes/ui/bmpcombobox.h"
#include "codes/ui/gradecombo.h"
#include "drawing/base_sgt.h"
#include "drawing/ui/dtview.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"
#include "members/beams/ui/lxlpictures.h"
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
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

namespace {

using namespace kv::slabwall::ui;

constexpr const char* kFilter = "井字梁数据(*.JZL)|*.JZL||";
constexpr int kMaxSize = 3000;  // mm, the largest beam width or height the dialog takes

// The edge supports' pictures: 自由 drawn here, 简支 and 固定 shared with the
// continuous beam's left end.
constexpr int IDB_JZL_FREE = 116;
constexpr int kSupportPictures[3] = {IDB_JZL_FREE, IDB_LXL_LEFT_SIMPLE, IDB_LXL_LEFT_FIXED};

QPixmap FreeEndPicture() {
    QPixmap pm(96, 28);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // The beam's end standing free, no column under it.
    p.setPen(QPen(QColor(0, 0, 160), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(8, 14, 44, 14);
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawLine(8, 4, 8, 24);
    QFont font = p.font();
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(54, 0, 40, 28), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("自由"));
    return pm;
}

void RegisterJzlPictures() {
    RegisterLxlPictures();
    RegisterBmpResource(IDB_JZL_FREE, [] { return FreeEndPicture(); });
}

QStringList Counts() {
    QStringList items;
    for (int i = 0; i <= kJzlMaxSecondary; ++i) items << QString::number(i);
    return items;
}

constexpr int kEdgeBeamIds[4] = {1006, 1053, 1081, 1083};
constexpr int kEdgeSupportIds[4] = {1087, 1089, 1093, 1096};
constexpr const char* kEdgeNames[4] = {"下边", "右边", "上边", "左边"};

}  // namespace

QString SectionGradeTip();

CDlgJzl::CDlgJzl(QWidget* parent) : CModuleDlg(parent) {
    setObjectName("180");
    setWindowTitle(QStringLiteral("井字梁计算"));
    RegisterJzlPictures();
    // The notes read on a pale yellow, at most 500 pixels wide.
    setStyleSheet("QToolTip { background-color: rgb(255, 255, 150); color: black; max-width: 500px; }");

    // ---- the title and the preview ----
    m_eName = Edit(this, 3087, 300);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label(this, QStringLiteral("说明")));
    nameRow->addWidget(m_eName, 1);
    auto* place = new QWidget(this);
    place->setObjectName("914");
    place->setMinimumSize(520, 300);
    auto* placeLayout = new QVBoxLayout(place);
    placeLayout->setContentsMargins(0, 0, 0, 0);
    m_pPreview = new CDxfWnd(place);
    placeLayout->addWidget(m_pPreview);
    m_pPreview->installEventFilter(this);

    // ---- the edges, column by column ----
    auto* edges = new QGridLayout;
    edges->addWidget(Label(this, QStringLiteral("有边梁")), 1, 0, Qt::AlignRight);
    edges->addWidget(Label(this, QStringLiteral("柱对梁支承")), 2, 0, Qt::AlignRight);
    edges->addWidget(Label(this, QStringLiteral("梁宽(mm)")), 3, 0, Qt::AlignRight);
    edges->addWidget(Label(this, QStringLiteral("梁高(mm)")), 4, 0, Qt::AlignRight);
    for (int e = 0; e < 4; ++e) {
        edges->addWidget(Label(this, QString::fromUtf8(kEdgeNames[e])), 0, e + 1, Qt::AlignCenter);
        m_cEdgeBeam[e] = new QCheckBox(this);
        m_cEdgeBeam[e]->setObjectName(QString::number(kEdgeBeamIds[e]));
        m_cEdgeSupport[e] = new CBmpComboBox(this);
        m_cEdgeSupport[e]->setObjectName(QString::number(kEdgeSupportIds[e]));
        m_eEdgeWidth[e] = Edit(this, 1363 + e, 60);
        m_eEdgeHeight[e] = Edit(this, 1367 + e, 60);
        edges->addWidget(m_cEdgeBeam[e], 1, e + 1, Qt::AlignCenter);
        edges->addWidget(m_cEdgeSupport[e], 2, e + 1);
        edges->addWidget(m_eEdgeWidth[e], 3, e + 1);
        edges->addWidget(m_eEdgeHeight[e], 4, e + 1);
    }
    auto* edgeGroup = new QGroupBox(QStringLiteral("边梁及支承条件"), this);
    edgeGroup->setLayout(edges);

    // ---- the two directions ----
    auto direction = [this](const QString& title, QLineEdit*& spans, int spansId, QLineEdit*& w, int wId,
                            QLineEdit*& h, int hId, QLineEdit*& sw, int swId, QLineEdit*& sh, int shId,
                            QComboBox*& count, int countId) {
        spans = Edit(this, spansId, 180);
        // The data file keeps at most this many characters of a list.
        spans->setMaxLength(static_cast<int>(kJzlMaxSpanText));
        w = Edit(this, wId, 60);
        h = Edit(this, hId, 60);
        sw = Edit(this, swId, 60);
        sh = Edit(this, shId, 60);
        count = Combo(this, countId, Counts());
        auto* grid = new QGridLayout;
        grid->addWidget(Label(this, QStringLiteral("主梁各跨长(m)")), 0, 0, Qt::AlignRight);
        grid->addWidget(spans, 0, 1, 1, 2);
        grid->addWidget(Label(this, QStringLiteral("主梁宽高(mm)")), 1, 0, Qt::AlignRight);
        grid->addWidget(w, 1, 1);
        grid->addWidget(h, 1, 2);
        grid->addWidget(Label(this, QStringLiteral("次梁宽高(mm)")), 2, 0, Qt::AlignRight);
        grid->addWidget(sw, 2, 1);
        grid->addWidget(sh, 2, 2);
        grid->addWidget(Label(this, QStringLiteral("一根主梁上次梁数")), 3, 0, Qt::AlignRight);
        grid->addWidget(count, 3, 1);
        auto* group = new QGroupBox(title, this);
        group->setLayout(grid);
        return group;
    };
    QGroupBox* xGroup = direction(QStringLiteral("水平方向"), m_eXSpans, 1371, m_eXWidth, 1146, m_eXHeight, 1015,
                                  m_eXSecWidth, 1152, m_eXSecHeight, 1022, m_cXSecondary, 1130);
    QGroupBox* yGroup = direction(QStringLiteral("垂直方向"), m_eYSpans, 1002, m_eYWidth, 1149, m_eYHeight, 1373,
                                  m_eYSecWidth, 1157, m_eYSecHeight, 1025, m_cYSecondary, 1134);

    // ---- materials and the load ----
    m_cConGrade = Combo(this, 1176);
    m_eAs = Edit(this, 1223, 60);
    m_cBarGrade = Combo(this, 1182);
    m_cStirrup = Combo(this, 1248);
    m_cSpacing = Combo(this, 1361, {"70", "80", "100", "150", "200"});
    m_eLoad = Edit(this, 1155, 60);
    m_eUnitWeight = Edit(this, 918, 60);
    m_cLoadMode = Combo(this, 1160, {QStringLiteral("双向"), QStringLiteral("周边"), QStringLiteral("集中")});
    auto* materials = new QGridLayout;
    int row = 0;
    for (auto [label, w] : {std::pair<const char*, QWidget*>{"砼强度等级:", m_cConGrade},
                            {"配筋计算as(mm):", m_eAs},
                            {"纵筋级别:", m_cBarGrade},
                            {"箍筋级别:", m_cStirrup},
                            {"箍筋间距(mm):", m_cSpacing},
                            {"荷载设计值(kN/m2)", m_eLoad},
                            {"梁容重(kN/m3):", m_eUnitWeight},
                            {"荷载分配模式", m_cLoadMode}})
        AddField(materials, this, row++, 0, QString::fromUtf8(label), w);
    materials->setRowStretch(row, 1);
    auto* materialGroup = new QGroupBox(QStringLiteral("材料与荷载"), this);
    materialGroup->setLayout(materials);

    // ---- redistribution ----
    m_eMainRedis = Edit(this, 1202, 60);
    m_eSecRedis = Edit(this, 1205, 60);
    m_eConFactor = Edit(this, 1372, 60);
    m_cSteam = new QCheckBox(QStringLiteral("蒸气养护或掺早强剂"), this);
    m_cSteam->setObjectName("1352");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label(this, QStringLiteral("主梁支座弯矩调幅幅度(%)")));
    bottom->addWidget(m_eMainRedis);
    bottom->addSpacing(12);
    bottom->addWidget(Label(this, QStringLiteral("次梁支座弯矩调幅幅度(%)")));
    bottom->addWidget(m_eSecRedis);
    bottom->addSpacing(12);
    bottom->addWidget(Label(this, QStringLiteral("砼强度修正系数:"), 3079));
    bottom->addWidget(m_eConFactor);
    bottom->addWidget(m_cSteam);
    bottom->addStretch(1);

    // ---- buttons ----
    auto* calculate = Button(this, QStringLiteral("计算"), 1170);
    const ItemButtons item = MakeItemButtons(this);
    item.back->setObjectName("2");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {item.save, item.read, item.diagram, item.report, calculate}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(item.back);

    auto* left = new QVBoxLayout;
    left->addLayout(nameRow);
    left->addWidget(place, 1);
    left->addWidget(edgeGroup);
    auto* directions = new QHBoxLayout;
    directions->addWidget(xGroup);
    directions->addWidget(yGroup);
    left->addLayout(directions);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(materialGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    layout->addLayout(buttons);

    // ---- handlers ----
    connect(calculate, &QPushButton::clicked, this, &CDlgJzl::OnCalculate);
    connect(item.read, &QPushButton::clicked, this, &CDlgJzl::OnReadData);
    connect(item.save, &QPushButton::clicked, this, &CDlgJzl::OnSaveData);
    connect(item.diagram, &QPushButton::clicked, this, &CDlgJzl::OnShowJianTu);
    connect(item.report, &QPushButton::clicked, this, &CDlgJzl::OnShowReport);
    connect(item.back, &QPushButton::clicked, this, &CDlgJzl::reject);
    for (int e = 0; e < 4; ++e) {
        connect(m_cEdgeBeam[e], &QCheckBox::clicked, this, &CDlgJzl::OnGridChange);
        connect(m_cEdgeSupport[e], &QComboBox::activated, this, &CDlgJzl::OnGridChange);
    }
    for (QComboBox* c : {m_cXSecondary, m_cYSecondary})
        connect(c, &QComboBox::activated, this, &CDlgJzl::OnGridChange);
    for (QComboBox* c : {m_cConGrade, m_cBarGrade, m_cStirrup})
        connect(c, &QComboBox::activated, this, &CDlgJzl::OnGradeChange);
    for (QWidget* w : {static_cast<QWidget*>(m_eXSpans), static_cast<QWidget*>(m_eYSpans),
                       static_cast<QWidget*>(m_eMainRedis), static_cast<QWidget*>(m_eSecRedis),
                       static_cast<QWidget*>(m_cBarGrade)})
        w->installEventFilter(this);
}

CDlgJzl::~CDlgJzl() {
    // The preview lets go of the drawing before the drawing goes.
    if (m_pPreview) m_pPreview->SetDrawing(nullptr);
}

int CDlgJzl::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CDlgJzl::OnInitDialog() {
    for (CBmpComboBox* c : m_cEdgeSupport)
        for (int id : kSupportPictures) c->AddBmp(id);
    FillConCombo(G_guifan, m_cConGrade);
    FillGangJinCombo(G_guifan, m_cBarGrade, 0);
    FillGangJinCombo(G_guifan, m_cStirrup, 3);
    DataToDlg();
    m_eConFactor->hide();
    if (auto* label = findChild<QLabel*>("3079")) label->hide();
    DrawPreview();
    SetToolTips();
}

void CDlgJzl::SetToolTips() {
    const std::string noRedistribution = "注意：\n    如果不调幅，请填0。";
    std::string redistribution = noRedistribution;
    if (G_guifan == 2010) {
        redistribution = "根据" + std::string(GF_GetGuiFanName(2010, 1, 2)) +
                         "第5.4.3条：\n钢筋混凝土梁支座或节点边缘截面的负弯矩调幅幅度不宜大于25%。\n"
                         "弯矩调整后的梁端截面相对受压区高度不应超过0.35，且不宜小于0.10。\n" +
                         noRedistribution;
        m_cBarGrade->setToolTip(SectionGradeTip());
    }
    for (QLineEdit* e : {m_eMainRedis, m_eSecRedis}) e->setToolTip(QString::fromStdString(redistribution));
}

// ---- copying ------------------------------------------------------------------------

void CDlgJzl::DataToDlg() {
    using namespace kv::ddx;
    if (!m_pData) return;
    CJzlData& d = *m_pData;
    Text(m_eName, d.m_strName, false);
    // Floats shown in whole millimetres.
    auto whole = [](QLineEdit* e, float v) {
        int i = static_cast<int>(v);
        Int(e, i, false);
    };
    for (int e = 0; e < 4; ++e) {
        m_cEdgeBeam[e]->setChecked(d.EdgeBeam[e] != 0);
        const int s = d.EdgeSupport[e];
        m_cEdgeSupport[e]->setCurrentIndex(s >= 0 && s < m_cEdgeSupport[e]->count() ? s : -1);
        whole(m_eEdgeWidth[e], d.EdgeWidth[e]);
        whole(m_eEdgeHeight[e], d.EdgeHeight[e]);
    }
    whole(m_eXWidth, d.XWidth);
    whole(m_eXHeight, d.XHeight);
    whole(m_eYWidth, d.YWidth);
    whole(m_eYHeight, d.YHeight);
    Float(m_eLoad, d.Load, false);
    Float(m_eUnitWeight, d.UnitWeight, false);
    Int(m_eAs, d.Cover, false);
    m_cSpacing->setCurrentIndex(m_cSpacing->findText(QString::asprintf("%d", d.StirrupSpacing)));
    auto count = [](QComboBox* c, int n) { c->setCurrentIndex(n >= 0 && n < c->count() ? n : -1); };
    count(m_cXSecondary, d.XSecondary);
    count(m_cYSecondary, d.YSecondary);
    count(m_cLoadMode, d.LoadMode);
    Int(m_eXSecWidth, d.XSecWidth, false);
    Int(m_eXSecHeight, d.XSecHeight, false);
    Int(m_eYSecWidth, d.YSecWidth, false);
    Int(m_eYSecHeight, d.YSecHeight, false);
    Float(m_eConFactor, d.ConFactor, false);
    Float(m_eMainRedis, d.MainRedistribution, false);
    Float(m_eSecRedis, d.SecRedistribution, false);
    m_cSteam->setChecked(d.Steam != 0);
    // A list read up to its line end shows a blank in its place.
    for (auto [edit, text] : {std::pair{m_eXSpans, d.XSpans}, std::pair{m_eYSpans, d.YSpans}}) {
        if (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.back() = ' ';
        Text(edit, text, false);
    }
    SelectConCombo(G_guifan, d.ConGrade, m_cConGrade);
    SelectGangJinCombo(G_guifan, d.BarGrade, m_cBarGrade, 0);
    SelectGangJinCombo(G_guifan, d.StirrupGrade, m_cStirrup, 3);
}

int CDlgJzl::DlgToData() {
    using namespace kv::ddx;
    if (!m_pData) return 0;
    // Into a copy: a field that fails its check leaves the object as it was.
    JZL_FIELDS f = *m_pData;
    std::string name = m_pData->m_strName;
    auto size = [](QLineEdit* e, float& v) {
        int i = static_cast<int>(v);
        if (!Int(e, i, true, 0, kMaxSize)) return false;
        v = static_cast<float>(i);
        return true;
    };
    if (!Text(m_eName, name, true)) return 0;
    for (int e = 0; e < 4; ++e)
        if (!size(m_eEdgeWidth[e], f.EdgeWidth[e]) || !size(m_eEdgeHeight[e], f.EdgeHeight[e])) return 0;
    const int spanChars = static_cast<int>(kJzlMaxSpanText);
    if (!Text(m_eXSpans, f.XSpans, true, spanChars) || !size(m_eXWidth, f.XWidth) || !size(m_eXHeight, f.XHeight) ||
        !Int(m_eXSecWidth, f.XSecWidth, true) || !Int(m_eXSecHeight, f.XSecHeight, true) ||
        !Text(m_eYSpans, f.YSpans, true, spanChars) || !size(m_eYWidth, f.YWidth) || !size(m_eYHeight, f.YHeight) ||
        !Int(m_eYSecWidth, f.YSecWidth, true) || !Int(m_eYSecHeight, f.YSecHeight, true) ||
        !Int(m_eAs, f.Cover, true) || !Float(m_eLoad, f.Load, true) || !Float(m_eUnitWeight, f.UnitWeight, true) ||
        !Float(m_eMainRedis, f.MainRedistribution, true, 0, 100) ||
        !Float(m_eSecRedis, f.SecRedistribution, true, 0, 100) || !Float(m_eConFactor, f.ConFactor, true))
        return 0;
    for (int e = 0; e < 4; ++e) {
        f.EdgeBeam[e] = m_cEdgeBeam[e]->isChecked() ? 1 : 0;
        if (m_cEdgeSupport[e]->currentIndex() >= 0) f.EdgeSupport[e] = m_cEdgeSupport[e]->currentIndex();
    }
    if (m_cXSecondary->currentIndex() >= 0) f.XSecondary = m_cXSecondary->currentIndex();
    if (m_cYSecondary->currentIndex() >= 0) f.YSecondary = m_cYSecondary->currentIndex();
    if (m_cLoadMode->currentIndex() >= 0) f.LoadMode = m_cLoadMode->currentIndex();
    // As "%d" reads the chosen spacing; no choice keeps the value.
    if (m_cSpacing->currentIndex() >= 0)
        std::sscanf(m_cSpacing->currentText().toStdString().c_str(), "%d", &f.StirrupSpacing);
    GetComboGrade(G_guifan, f.ConGrade, m_cConGrade, 0);
    GetComboGrade(G_guifan, f.BarGrade, m_cBarGrade, 1);
    GetComboGrade(G_guifan, f.StirrupGrade, m_cStirrup, 1);
    f.Steam = m_cSteam->isChecked() ? 1 : 0;
    static_cast<JZL_FIELDS&>(*m_pData) = f;
    m_pData->m_strName = name;
    DrawPreview();
    return 1;
}

void CDlgJzl::DrawPreview() {
    if (!m_pData || !m_pPreview) return;
    m_pPreview->SetDrawing(nullptr);
    m_pDrawing = std::make_unique<CBase_SGT>();
    m_pDrawing->New_MemDxf();
    m_pDrawing->Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    m_pDrawing->Write_Tables();
    // A grid the model builder refuses stays empty; its message is in the message window.
    jzl_draw_preview(m_pData, m_pDrawing.get());
    m_pPreview->SetDrawing(m_pDrawing.get());
    m_pPreview->All();
}

// ---- control events -----------------------------------------------------------------

void CDlgJzl::OnGridChange() { DlgToData(); }

void CDlgJzl::OnGradeChange() {
    if (!m_pData) return;
    // The grade is taken even while another field is wrong.
    GetComboGrade(G_guifan, m_pData->ConGrade, m_cConGrade, 0);
    GetComboGrade(G_guifan, m_pData->BarGrade, m_cBarGrade, 1);
    GetComboGrade(G_guifan, m_pData->StirrupGrade, m_cStirrup, 1);
    if (DlgToData()) DataToDlg();
}

bool CDlgJzl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && !w->toolTip().isEmpty()) ShowToolTipNow(w);
    } else if (watched == m_pPreview && event->type() == QEvent::MouseButtonRelease) {
        OnGridChange();
    } else if ((watched == m_eXSpans || watched == m_eYSpans) && LeftForAnotherField(event)) {
        OnGridChange();
    }
    return CModuleDlg::eventFilter(watched, event);
}

// ---- buttons ------------------------------------------------------------------------

void CDlgJzl::OnCalculate() {
    if (!m_pData || !DlgToData()) return;
    CJzlData& data = *m_pData;
    // A failed run removed the item's earlier results: nothing stale is shown.
    if (RunWrittenResultsRoad(data, windowTitle().toStdString(), [&] { jzl_calculate(&data); })) OnOK();
}

void CDlgJzl::OnReadData() {
    if (!m_pData) return;
    auto path = ReadDataFile(*m_pData, kFilter, "JZL");
    if (!path) return;
    DataToDlg();
    DrawPreview();
    TakeReadFile(*m_pData, *path);
}

void CDlgJzl::OnSaveData() {
    if (m_pData) SaveDataFile(*m_pData, kFilter, "", [this] { DlgToData(); });
}

void CDlgJzl::OnShowJianTu() {
    done(QDialog::Accepted);
    ShowJianTu(m_pData);
}

void CDlgJzl::OnShowReport() {
    ShowItemReport(m_pData);
    done(QDialog::Accepted);
}

void CDlgJzl::OnOK() {
    if (CheckDataSaved(m_pData)) done(QDialog::Accepted);
}

void CDlgJzl::reject() {
    // A field that fails its check keeps the dialog open on it.
    if (DlgToData() && CheckDataSaved(m_pData)) done(QDialog::Rejected);
}

int RunJzlDialog(QWidget* parent, CJzlData& data) {
    CDlgJzl dlg(parent);
    dlg.SetData(&data);
    return dlg.exec();
}
