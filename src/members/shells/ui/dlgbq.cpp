#include "members/shells/ui/dlgbq.h"

#include "base/globals.h"
#include "codes/ui/bmpcombobox.h"
#include "codes/ui/gradecombo.h"
#include "members/shells/circle_draw.h"
#include "members/shells/rect_draw.h"
#include "members/shells/shell_data.h"
#include "members/shells/six_draw.h"
#include "members/shells/ui/filteredit.h"
#include "members/shells/ui/shellpictures.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "views/dialogs/calcroad.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/jiantu.h"
#include "widgets/ui/ddx.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using kv::shells::CFilterEdit;
using namespace kv::slabwall::ui;

namespace {

QLabel* Picture(QWidget* parent, int id, int bitmap) {
    QLabel* l = Label(parent, QString(), id);
    l->setPixmap(LoadBmpResource(bitmap));
    l->setFixedSize(l->pixmap().size());
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

}  // namespace

CDlgBq::CDlgBq(QWidget* parent, const Kind& kind) : CModuleDlg(parent), m_kind(kind) {
    setObjectName(QString::number(kind.dialogId));
    setWindowTitle(QString::fromUtf8(kind.caption));
    RegisterShellPictures();
    const bool circle = kind.circle;

    m_cShellNo = Combo(this, 1226, {}, true);
    m_eName = Edit(this, 3087, 260);
    auto* top = new QHBoxLayout;
    top->addWidget(Label(this, QStringLiteral("扁壳编号")));
    top->addWidget(m_cShellNo);
    top->addSpacing(12);
    top->addWidget(Label(this, QStringLiteral("说明")));
    top->addWidget(m_eName, 1);

    // ---- the shell ----
    m_eSize = NumberBox(1054);
    if (kind.hasB) m_eB = NumberBox(1072);
    m_eTTop = NumberBox(912);
    m_eTBottom = NumberBox(915);
    m_eRConst = NumberBox(919);
    m_eF = NumberBox(923);
    auto* shell = new QGridLayout;
    int row = 0;
    AddField(shell, this, row++, 0, QString::fromUtf8(kind.sizeLabel), m_eSize);
    if (m_eB) AddField(shell, this, row++, 0, QStringLiteral("边长b(m)"), m_eB);
    AddField(shell, this, row++, 0, QStringLiteral("壳顶厚度(mm)"), m_eTTop);
    AddField(shell, this, row++, 0, QStringLiteral("壳底厚度(mm)"), m_eTBottom);
    AddField(shell, this, row++, 0, QStringLiteral("壳顶厚度不变区半径(m)"), m_eRConst);
    AddField(shell, this, row++, 0, QStringLiteral("矢高(m)"), m_eF);
    shell->setRowStretch(row, 1);
    auto* shellGroup = new QGroupBox(QStringLiteral("壳体"), this);
    shellGroup->setLayout(shell);

    // ---- the edge or ring beam ----
    const QString beamWord = circle ? QStringLiteral("环梁") : QStringLiteral("边梁");
    m_eBeamB = NumberBox(1038);
    m_eBeamH = NumberBox(1049);
    auto* beam = new QGridLayout;
    row = 0;
    AddField(beam, this, row++, 0, beamWord + QStringLiteral("宽度(mm)"), m_eBeamB);
    AddField(beam, this, row++, 0, beamWord + QStringLiteral("高度(mm)"), m_eBeamH);
    if (circle) {
        m_eEAlpha = NumberBox(1097);
        m_eE1Alpha = NumberBox(1100);
        AddField(beam, this, row++, 0, QStringLiteral("eα(mm)"), m_eEAlpha);
        AddField(beam, this, row++, 0, QStringLiteral("e1α(mm)"), m_eE1Alpha);
        QStringList names;
        for (const char* name : kCircleBoundaryNames) names << QString::fromUtf8(name);
        m_cBoundary = Combo(this, 1090, names);
        AddField(beam, this, row++, 0, QStringLiteral("支座条件"), m_cBoundary);
        auto* supports = new QHBoxLayout;
        supports->addWidget(Picture(this, 1008, IDB_BQ_SUPPORT_JZ));
        supports->addWidget(Picture(this, 1084, IDB_BQ_SUPPORT_QG));
        supports->addWidget(Picture(this, 1108, IDB_BQ_SUPPORT_TX));
        beam->addLayout(supports, row++, 0, 1, 2);
    }
    beam->setRowStretch(row, 1);
    auto* beamGroup = new QGroupBox(beamWord, this);
    beamGroup->setLayout(beam);

    // ---- load and materials ----
    m_eQ = NumberBox(1017);
    m_eAs = NumberBox(1007);
    m_cConGrade = Combo(this, 1003);
    m_cShellBar = Combo(this, 1023);
    m_cBeamBar = Combo(this, 1182);
    m_cSteam = Check(this, QStringLiteral("蒸气养护或掺早强剂"), 1114);
    auto* materials = new QGridLayout;
    row = 0;
    AddField(materials, this, row++, 0,
             circle ? QStringLiteral("竖向荷载设计值(kPa)") : QStringLiteral("均布荷载设计值(kPa)"), m_eQ);
    AddField(materials, this, row++, 0, QStringLiteral("混凝土强度等级"), m_cConGrade);
    AddField(materials, this, row++, 0, QStringLiteral("壳体钢筋级别"), m_cShellBar);
    AddField(materials, this, row++, 0, beamWord + QStringLiteral("纵筋级别"), m_cBeamBar);
    AddField(materials, this, row++, 0, QStringLiteral("配筋计算as(mm)"), m_eAs);
    materials->addWidget(m_cSteam, row++, 0, 1, 2);
    m_gRebarMode = new QButtonGroup(this);
    auto* modes = new QHBoxLayout;
    for (auto [text, id] : {std::pair{"对称", 3236}, std::pair{"非对称", 3237}}) {
        QRadioButton* r = Radio(this, QString::fromUtf8(text), id);
        m_gRebarMode->addButton(r, id - 3236);
        modes->addWidget(r);
    }
    auto* modeGroup = new QGroupBox(QStringLiteral("配筋方式"), this);
    modeGroup->setLayout(modes);
    materials->addWidget(modeGroup, row++, 0, 1, 2);
    materials->setRowStretch(row, 1);
    auto* materialGroup = new QGroupBox(QStringLiteral("荷载与材料"), this);
    materialGroup->setLayout(materials);

    // ---- the sketches ----
    auto* pictures = new QVBoxLayout;
    pictures->addWidget(Picture(this, 909, kind.picture));
    if (circle) pictures->addWidget(Picture(this, 1282, IDB_BQ_RING));
    pictures->addStretch(1);

    // ---- buttons ----
    auto* calculate = Button(this, QStringLiteral("计算"), kind.calculateId);
    const ItemButtons item = MakeItemButtons(this);
    item.back->setObjectName("1105");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {calculate, item.read, item.save, item.diagram, item.report}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(item.back);

    auto* fields = new QVBoxLayout;
    auto* upper = new QHBoxLayout;
    upper->addWidget(shellGroup);
    upper->addWidget(beamGroup);
    fields->addLayout(upper);
    fields->addWidget(materialGroup);
    auto* body = new QHBoxLayout;
    body->addLayout(fields, 1);
    body->addLayout(pictures);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(calculate, &QPushButton::clicked, this, &CDlgBq::OnCalculate);
    ConnectItemButtons(this, item);
    for (QComboBox* c : {m_cConGrade, m_cShellBar, m_cBeamBar})
        connect(c, &QComboBox::activated, this, &CDlgBq::OnGradeChange);
}

CFilterEdit* CDlgBq::NumberBox(int id) {
    auto* e = new CFilterEdit(this);
    e->setObjectName(QString::number(id));
    e->setMinimumWidth(80);
    return e;
}

int CDlgBq::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CDlgBq::OnInitDialog() {
    for (CFilterEdit* e : findChildren<CFilterEdit*>()) e->SubclassDlgItem(e->objectName().toInt(), CFilterEdit::kDigits);
    FillConCombo(G_guifan, m_cConGrade);
    FillGangJinCombo(G_guifan, m_cShellBar, 1);
    FillGangJinCombo(G_guifan, m_cBeamBar, 0);
    DataToDlg();
}

bool CDlgBq::ExchangeFields(const Fields& f, bool save) {
    using namespace kv::ddx;
    if (!Text(m_cShellNo->lineEdit(), *f.shell_no, save) || !Text(m_eName, *f.name, save)) return false;
    for (auto [edit, value] : {std::pair{m_eSize, f.size}, std::pair{m_eB, f.b}, std::pair{m_eRConst, f.r_const},
                               std::pair{m_eF, f.f}, std::pair{m_eQ, f.q}})
        if (edit && value && !Float(edit, *value, save)) return false;
    for (auto [edit, value] :
         {std::pair{m_eTTop, f.t_top}, std::pair{m_eTBottom, f.t_bottom}, std::pair{m_eBeamB, f.beam_b},
          std::pair{m_eBeamH, f.beam_h}, std::pair{m_eAs, f.as}, std::pair{m_eEAlpha, f.e_alpha},
          std::pair{m_eE1Alpha, f.e1_alpha}})
        if (edit && value && !Int(edit, *value, save)) return false;
    if (save) {
        *f.steam_cured = m_cSteam->isChecked() ? 1 : 0;
        if (m_gRebarMode->checkedId() >= 0) *f.rebar_mode = m_gRebarMode->checkedId();
        GetComboGrade(G_guifan, *f.concrete_grade, m_cConGrade, 0);
        GetComboGrade(G_guifan, *f.shell_rebar_grade, m_cShellBar, 1);
        GetComboGrade(G_guifan, *f.beam_rebar_grade, m_cBeamBar, 1);
        if (m_cBoundary && f.boundary && m_cBoundary->currentIndex() >= 0)
            *f.boundary = kCircleBoundaryNames[m_cBoundary->currentIndex()];
    } else {
        m_cSteam->setChecked(*f.steam_cured != 0);
        if (QAbstractButton* b = m_gRebarMode->button(*f.rebar_mode)) b->setChecked(true);
        SelectConCombo(G_guifan, *f.concrete_grade, m_cConGrade);
        SelectGangJinCombo(G_guifan, *f.shell_rebar_grade, m_cShellBar, 1);
        SelectGangJinCombo(G_guifan, *f.beam_rebar_grade, m_cBeamBar, 0);
        // A name the list does not hold leaves the choice as it was.
        if (m_cBoundary && f.boundary) {
            const int i = m_cBoundary->findText(QString::fromStdString(*f.boundary), Qt::MatchExactly);
            if (i >= 0) m_cBoundary->setCurrentIndex(i);
        }
    }
    return true;
}

void CDlgBq::DataToDlg() {
    if (JsData()) Exchange(false);
}

int CDlgBq::DlgToData() { return JsData() && Exchange(true) ? 1 : 0; }

void CDlgBq::OnGradeChange() {
    if (DlgToData()) DataToDlg();
}

void CDlgBq::OnCalculate() {
    if (!JsData() || !DlgToData()) return;
    // A refused calculation has said why and leaves the dialog open for corrections.
    if (RunCheckedResultsRoad(*JsData(), windowTitle().toStdString(), [this] { return Run(); })) OnOK();
}

void CDlgBq::OnReadData() {
    if (!JsData()) return;
    auto path = ReadDataFile(*JsData(), m_kind.filter, m_kind.ext);
    if (!path) return;
    DataToDlg();
    TakeReadFile(*JsData(), *path);
}

void CDlgBq::OnSaveData() {
    if (JsData()) SaveDataFile(*JsData(), m_kind.filter, m_kind.ext, [this] { DlgToData(); });
}

void CDlgBq::OnShowJianTu() {
    done(QDialog::Accepted);
    ShowJianTu(JsData());
}

void CDlgBq::OnShowReport() {
    ShowItemReport(JsData());
    done(QDialog::Accepted);
}

void CDlgBq::OnOK() {
    if (DlgToData() && CheckDataSaved(JsData())) done(QDialog::Accepted);
}

void CDlgBq::reject() {
    if (DlgToData() && CheckDataSaved(JsData())) done(QDialog::Rejected);
}

// ---- the modules ----------------------------------------------------------------------

namespace {

// The fields every plan has; `size` is the side a or the radius r.
template <class F>
CDlgBq::Fields CommonFields(F& d, float* size) {
    CDlgBq::Fields f;
    f.size = size;
    f.t_top = &d.t_top;
    f.t_bottom = &d.t_bottom;
    f.r_const = &d.r_const;
    f.f = &d.f;
    f.beam_b = &d.beam_b;
    f.beam_h = &d.beam_h;
    f.q = &d.q;
    f.as = &d.as;
    f.concrete_grade = &d.concrete_grade;
    f.shell_rebar_grade = &d.shell_rebar_grade;
    f.beam_rebar_grade = &d.beam_rebar_grade;
    f.steam_cured = &d.steam_cured;
    f.rebar_mode = &d.rebar_mode;
    return f;
}

CDlgBq::Fields FieldsOf(RECTBQ_FIELDS& d) {
    CDlgBq::Fields f = CommonFields(d, &d.a);
    f.b = &d.b;
    return f;
}

CDlgBq::Fields FieldsOf(SIXBQ_FIELDS& d) { return CommonFields(d, &d.a); }

CDlgBq::Fields FieldsOf(CIRCLEBQ_FIELDS& d) {
    CDlgBq::Fields f = CommonFields(d, &d.r);
    f.e_alpha = &d.e_alpha;
    f.e1_alpha = &d.e1_alpha;
    f.boundary = &d.boundary;
    return f;
}

template <class Data>
struct ModuleOf;
template <>
struct ModuleOf<CRectBqData> {
    using Fields = RECTBQ_FIELDS;
    using Draw = CRectBqDraw;
};
template <>
struct ModuleOf<CSixBqData> {
    using Fields = SIXBQ_FIELDS;
    using Draw = CSixBqDraw;
};
template <>
struct ModuleOf<CCircleBqData> {
    using Fields = CIRCLEBQ_FIELDS;
    using Draw = CCircleBqDraw;
};

}  // namespace

template <class Data>
CJsBaseData* CDlgBqOf<Data>::JsData() const {
    return m_pData;
}

template <class Data>
bool CDlgBqOf<Data>::Exchange(bool save) {
    using Module = ModuleOf<Data>;
    typename Module::Fields values = *m_pData;
    std::string shellNo = m_pData->shell_no, name = m_pData->m_strName;
    Fields f = FieldsOf(values);
    f.shell_no = &shellNo;
    f.name = &name;
    if (!ExchangeFields(f, save)) return false;
    if (save) {
        static_cast<typename Module::Fields&>(*m_pData) = values;
        m_pData->shell_no = shellNo;
        m_pData->m_strName = name;
    }
    return true;
}

template <class Data>
WrittenResults CDlgBqOf<Data>::Run() {
    Data& data = *m_pData;
    data.Calculate();
    if (data.calc_ok == 0) return {.calculated = false, .reported = false};
    const bool reported = data.WriteReport() != 0;
    typename ModuleOf<Data>::Draw draw(&data);
    draw.DrawAll();
    return {.calculated = true, .reported = reported};
}

template class CDlgBqOf<CRectBqData>;
template class CDlgBqOf<CSixBqData>;
template class CDlgBqOf<CCircleBqData>;

CDlgRectBq::CDlgRectBq(QWidget* parent)
    : CDlgBqOf(parent, {199, "周边简支矩形底球面扁壳", 1008, "边长a(m)", true, false, "矩形扁壳数据(*.BQ1)|*.BQ1||",
                        "BQ1", IDB_BQ_RECT}) {}

CDlgSixBq::CDlgSixBq(QWidget* parent)
    : CDlgBqOf(parent, {194, "周边简支正六边形底球面扁壳", 1008, "边长a(m)", false, false,
                        "正六边形扁壳数据(*.BQ2)|*.BQ2||", "BQ2", IDB_BQ_SIX}) {}

CDlgCircleBq::CDlgCircleBq(QWidget* parent)
    : CDlgBqOf(parent, {197, "圆形底球面扁壳", 1129, "半径r(m)", false, true, "圆形扁壳数据(*.BQ3)|*.BQ3||", "BQ3",
                        IDB_BQ_CIRCLE}) {}

namespace {

template <class Dialog, class Data>
int RunDialog(QWidget* parent, Data& data) {
    Dialog dlg(parent);
    dlg.SetData(&data);
    return dlg.exec();
}

}  // namespace

int RunRectBqDialog(QWidget* parent, CRectBqData& data) { return RunDialog<CDlgRectBq>(parent, data); }
int RunSixBqDialog(QWidget* parent, CSixBqData& data) { return RunDialog<CDlgSixBq>(parent, data); }
int RunCircleBqDialog(QWidget* parent, CCircleBqData& data) { return RunDialog<CDlgCircleBq>(parent, data); }
