#include "loads/ui/loadtablepages.h"

#include "loads/ui/answerbox.h"

#include "platform/services.h"
#include "views/dialogs/dlghelppic.h"
#include "widgets/ui/ddx.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QStringList kNuclearClasses = {
    QStringLiteral("核6B级"), QStringLiteral("核6级"), QStringLiteral("核5级"),
    QStringLiteral("核4B级"), QStringLiteral("核4级"),
};
const QStringList kConvClasses = {QStringLiteral("常6级"), QStringLiteral("常5级")};

const char* const kUpperBuilding = "考虑上部建筑物影响";

// The conditions under which the building above counts, closing two note boxes.
constexpr const char* kUpperBuildingRules[] = {
    " 1. 上部建筑层数不少于2层",
    "    其底层外墙为钢筋混凝土或砌体承重墙",
    "    且任何一面外墙墙面开孔面积不大于该墙面面积的50%",
    " 2. 上部为单层建筑",
    "    其外墙为钢筋混凝土或砌体承重墙",
    "    且任何一面外墙墙面开孔面积不大于该墙面面积的50%",
    "    且屋顶为钢筋混凝土结构",
};

// The lines of a note box, each ending in a line break.
std::string NoteText(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\n";
    }
    return text;
}

std::string UpperBuildingNote(const char* first, const char* second) {
    std::string text = NoteText({first, second, ""});
    for (const char* line : kUpperBuildingRules) text += NoteText({line});
    return text;
}

QLabel* Label(const QString& text, QWidget* parent, int id = 0) {
    auto* label = new QLabel(text, parent);
    if (id) label->setObjectName(QString::number(id));
    return label;
}

QString Str(const char* text) { return QString::fromUtf8(text); }

}  // namespace

// ---- the picture button ----------------------------------------------------------

CPictureButton::CPictureButton(const std::string& up, const std::string& down, const QString& name, QWidget* parent)
    : QAbstractButton(parent) {
    setAccessibleName(name);
    setToolTip(name);
    setFocusPolicy(Qt::StrongFocus);
    SetPictures(up, down);
}

void CPictureButton::SetPictures(const std::string& up, const std::string& down) {
    m_upName = up;
    m_up = QPixmap();
    m_down = QPixmap();
    std::string upPath = CDlgHelpPic::PicturePath(up);
    std::string downPath = CDlgHelpPic::PicturePath(down);
    if (!upPath.empty()) m_up.load(QString::fromStdString(upPath));
    if (!downPath.empty()) m_down.load(QString::fromStdString(downPath));
    setFixedSize(sizeHint());
    update();
}

QSize CPictureButton::sizeHint() const { return m_up.isNull() ? QSize(110, 32) : m_up.deviceIndependentSize().toSize(); }

void CPictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& shown = (isDown() && !m_down.isNull()) ? m_down : m_up;
    if (!shown.isNull()) painter.drawPixmap(rect(), shown);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

// ---- what the pages share --------------------------------------------------------

CTablePageBase::CTablePageBase(int templateId, QWidget* parent) : CSheetPage(parent) {
    setObjectName(QString::number(templateId));
    m_result = new QPlainTextEdit(this);
    m_result->setObjectName("3116");
    m_result->setReadOnly(true);
    m_result->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_calculate = new CPictureButton("IDB_BITMAP_CBJS", "IDB_BITMAP_CBJS_SEL", QStringLiteral("计    算"), this);
    m_calculate->setObjectName("1129");
}

QLineEdit* CTablePageBase::MakeEdit(int id) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(id));
    edit->setFixedWidth(90);
    return edit;
}

QComboBox* CTablePageBase::MakeCombo(int id, const QStringList& items) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::number(id));
    combo->addItems(items);
    return combo;
}

QCheckBox* CTablePageBase::MakeCheck(int id, const QString& text) {
    auto* check = new QCheckBox(text, this);
    check->setObjectName(QString::number(id));
    return check;
}

QRadioButton* CTablePageBase::MakeRadio(int id, const QString& text) {
    auto* radio = new QRadioButton(text, this);
    radio->setObjectName(QString::number(id));
    return radio;
}

QPushButton* CTablePageBase::MakeNoteButton(int id) {
    auto* button = new QPushButton(QStringLiteral(">"), this);
    button->setObjectName(QString::number(id));
    button->setFixedWidth(28);
    return button;
}

QHBoxLayout* CTablePageBase::MakeClassRow(QRadioButton*& classA, QRadioButton*& classB) {
    classA = MakeRadio(1295, QStringLiteral("甲类"));
    classB = MakeRadio(1116, QStringLiteral("乙类"));
    auto* classes = new QButtonGroup(this);
    classes->addButton(classA);
    classes->addButton(classB);
    auto* row = new QHBoxLayout;
    row->addWidget(classA);
    row->addWidget(classB);
    row->addStretch();
    return row;
}

void CTablePageBase::LayOutPage(const QStringList& heading, QLayout* inputs, QWidget* nuclear, QWidget* conv) {
    auto* layout = new QVBoxLayout(this);
    for (const QString& line : heading) layout->addWidget(Label(line, this));
    layout->addLayout(inputs);
    if (nuclear && conv) {
        auto* groups = new QHBoxLayout;
        groups->addWidget(nuclear, 1);
        groups->addWidget(conv, 1);
        layout->addLayout(groups);
    }
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_calculate);
    layout->addLayout(buttonRow);
    layout->addWidget(m_result, 1);
    m_result->setMinimumSize(560, 260);
}

void CTablePageBase::ConnectRecalc(QComboBox* combo) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_writingBack) Calculate();
    });
}

void CTablePageBase::ConnectRecalc(QAbstractButton* button) {
    connect(button, &QAbstractButton::clicked, this, &CTablePageBase::Calculate);
}

void CTablePageBase::WriteBack() {
    m_writingBack = true;
    UpdateData(false);
    m_writingBack = false;
}

bool CTablePageBase::CalQe() {
    UpdateData(true);
    return WriteMessageBox(Answer());
}

void CTablePageBase::Calculate() { ShowMessageBox(m_result, CalQe()); }

void CTablePageBase::ClearIfEmpty(QLineEdit* edit, float& field) {
    if (m_writingBack) return;
    if (edit->text().isEmpty()) {
        field = 0;
        m_result->clear();
        return;
    }
    Calculate();
}

void CTablePageBase::NormaliseEntry(QLineEdit* edit, float& field) {
    if (edit->text().isEmpty()) {
        QSignalBlocker block(edit);
        edit->setText(QStringLiteral("0"));
    }
    double value = QLocale::c().toDouble(edit->text().trimmed());
    if (std::fabs(value) < 0.00001) field = 0;
}

// ---- roof -------------------------------------------------------------------

CPageRoofTable::CPageRoofTable(QWidget* parent) : CTablePageBase(167, parent) {
    QHBoxLayout* classRow = MakeClassRow(m_classA, m_classB);
    m_cover = MakeEdit(1029);
    m_span = MakeEdit(1013);
    m_nuclear = MakeCombo(1046, kNuclearClasses);
    m_upperNuclear = MakeCheck(1071, Str(kUpperBuilding));
    m_conv = MakeCombo(1055, kConvClasses);
    m_upperConv = MakeCheck(1078, Str(kUpperBuilding));
    QPushButton* noteNuclear = MakeNoteButton(3185);
    QPushButton* noteConv = MakeNoteButton(3186);

    auto* nuclearGroup = new QGroupBox(QStringLiteral("防核武器"), this);
    nuclearGroup->setObjectName("3120");
    QLabel* nuclearLabel = Label(QStringLiteral("防核武器抗力级别"), this, 3122);
    QLabel* spanLabel = Label(QStringLiteral("顶板区格最大短边净跨L0(m)"), this, 1292);
    auto* nuclearRule = new QFrame(this);
    nuclearRule->setObjectName("3200");
    nuclearRule->setFrameShape(QFrame::HLine);
    nuclearRule->setFrameShadow(QFrame::Sunken);
    auto* ng = new QGridLayout(nuclearGroup);
    ng->addWidget(nuclearLabel, 0, 0);
    ng->addWidget(m_nuclear, 0, 1);
    ng->addWidget(m_upperNuclear, 1, 0, 1, 2);
    ng->addWidget(noteNuclear, 1, 2);
    ng->addWidget(nuclearRule, 2, 0, 1, 3);
    ng->addWidget(spanLabel, 3, 0);
    ng->addWidget(m_span, 3, 1);
    ng->setColumnStretch(3, 1);

    auto* convGroup = new QGroupBox(QStringLiteral("防常规武器"), this);
    auto* cg = new QGridLayout(convGroup);
    cg->addWidget(Label(QStringLiteral("防常规武器抗力级别"), this), 0, 0);
    cg->addWidget(m_conv, 0, 1);
    cg->addWidget(m_upperConv, 1, 0, 1, 2);
    cg->addWidget(noteConv, 1, 2);
    cg->setColumnStretch(3, 1);
    cg->setRowStretch(2, 1);

    auto* top = new QGridLayout;
    top->addWidget(Label(QStringLiteral("防空地下室类别"), this), 0, 0);
    top->addLayout(classRow, 0, 1);
    top->addWidget(Label(QStringLiteral("顶板覆土厚(m)"), this), 1, 0);
    top->addWidget(m_cover, 1, 1, Qt::AlignLeft);
    LayOutPage({QStringLiteral("目的:  顶板等效均布静荷载标准值qe1 查表")}, top, nuclearGroup, convGroup);

    m_nuclearControls = {nuclearGroup, nuclearRule, nuclearLabel, spanLabel, m_span, m_nuclear, m_upperNuclear, noteNuclear};

    connect(m_calculate, &QAbstractButton::clicked, this, &CPageRoofTable::OnCalculate);
    connect(m_upperNuclear, &QAbstractButton::clicked, this, &CPageRoofTable::OnNuclearChanged);
    connect(m_nuclear, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_writingBack) OnNuclearChanged();
    });
    connect(m_classA, &QAbstractButton::clicked, this, &CPageRoofTable::UpdateControls);
    connect(m_classB, &QAbstractButton::clicked, this, &CPageRoofTable::UpdateControls);
    ConnectRecalc(m_conv);
    ConnectRecalc(m_upperConv);
    connect(m_cover, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_cover, m_in.cover); });
    connect(m_span, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_span, m_in.span); });
    connect(noteConv, &QAbstractButton::clicked, this, &CPageRoofTable::OnNoteConventional);
    connect(noteNuclear, &QAbstractButton::clicked, this, &CPageRoofTable::OnNoteNuclear);

    WriteBack();
    Calculate();
}

bool CPageRoofTable::UpdateData(bool save) {
    using namespace kv::ddx;
    if (!save) {
        m_upperNuclear->setChecked(m_in.upperNuclear != 0);
        m_nuclear->setCurrentIndex(m_in.nuclearClass);
        Float(m_cover, m_in.cover, false);
        Float(m_span, m_in.span, false);
        m_conv->setCurrentIndex(m_in.convClass);
        m_classA->setChecked(m_in.engClass == 0);
        m_classB->setChecked(m_in.engClass == 1);
        m_upperConv->setChecked(m_in.upperConv != 0);
        return true;
    }
    m_in.upperNuclear = m_upperNuclear->isChecked() ? 1 : 0;
    m_in.nuclearClass = m_nuclear->currentIndex();
    bool taken = Float(m_cover, m_in.cover, true, 0, 1000);
    taken &= Float(m_span, m_in.span, true, 0, 1000);
    m_in.convClass = m_conv->currentIndex();
    m_in.engClass = m_classB->isChecked() ? 1 : 0;
    m_in.upperConv = m_upperConv->isChecked() ? 1 : 0;
    return taken;
}

bool CPageRoofTable::CalQe() {
    UpdateData(true);
    NormaliseEntry(m_span, m_in.span);
    NormaliseEntry(m_cover, m_in.cover);
    return WriteMessageBox(Answer());
}

void CPageRoofTable::OnCalculate() {
    Calculate();
    CDlgHelpPic conventional(this, "IDB_BITMAP_PC1_C");
    conventional.SetTitle("防常规武器顶板等效荷载");
    conventional.exec();
    if (m_in.engClass != 0) return;
    CDlgHelpPic nuclear(this, "IDB_BITMAP_PC1");
    nuclear.SetTitle("防核武器顶板等效荷载");
    nuclear.exec();
}

void CPageRoofTable::OnNuclearChanged() {
    UpdateData(true);
    // 核4B and 核4 take no account of the building above.
    bool counts = m_in.nuclearClass != 3 && m_in.nuclearClass != 4;
    if (!counts) m_in.upperNuclear = 0;
    m_upperNuclear->setEnabled(counts);
    WriteBack();
    Calculate();
}

void CPageRoofTable::UpdateControls() {
    UpdateData(true);
    for (QWidget* w : m_nuclearControls) w->setVisible(m_in.engClass == 0);
    WriteBack();
    Calculate();
}

void CPageRoofTable::OnNoteConventional() {
    kv::MessageBox(UpperBuildingNote("计算结构顶板常规武器爆炸动荷载，当符合下列条件之一时",
                                     "可考虑上部建筑物对地面爆炸空气冲击波超压作用的影响:"),
                   kv::MB_OK);
}

void CPageRoofTable::OnNoteNuclear() {
    kv::MessageBox(UpperBuildingNote("计算结构顶板核爆动荷载时，对核5级、核6级和核6B级防空地下室，当符合",
                                     "下列条件之一时可考虑上部建筑对地面空气冲击波超压作用的影响:"),
                   kv::MB_OK);
}

// ---- floor ------------------------------------------------------------------

CPageFloorTable::CPageFloorTable(QWidget* parent) : CTablePageBase(131, parent) {
    m_nuclear = MakeCombo(1046, kNuclearClasses);
    m_cover = MakeEdit(1029);
    m_span = MakeEdit(1013);
    m_above = MakeRadio(1098, QStringLiteral("地下水位以上"));
    m_below = MakeRadio(1106, QStringLiteral("地下水位以下"));
    auto* positions = new QButtonGroup(this);
    positions->addButton(m_above);
    positions->addButton(m_below);

    auto* grid = new QGridLayout;
    grid->addWidget(Label(QStringLiteral("防核武器抗力级别"), this), 0, 0);
    grid->addWidget(m_nuclear, 0, 1, Qt::AlignLeft);
    grid->addWidget(Label(QStringLiteral("顶板覆土厚(m)"), this), 1, 0);
    grid->addWidget(m_cover, 1, 1, Qt::AlignLeft);
    grid->addWidget(Label(QStringLiteral("顶板短边净跨L0(m)"), this), 2, 0);
    grid->addWidget(m_span, 2, 1, Qt::AlignLeft);
    grid->addWidget(Label(QStringLiteral("底板位置"), this), 3, 0);
    auto* positionRow = new QHBoxLayout;
    positionRow->addWidget(m_above);
    positionRow->addWidget(m_below);
    positionRow->addStretch();
    grid->addLayout(positionRow, 3, 1);
    grid->setColumnStretch(1, 1);

    LayOutPage({QStringLiteral("目的:  底板等效均布静荷载标准值qe3 查表"),
                QStringLiteral("(底板只考虑甲类防空地下室，核武器爆炸作用)")},
               grid, nullptr, nullptr);

    ConnectRecalc(m_calculate);
    ConnectRecalc(m_nuclear);
    ConnectRecalc(m_above);
    ConnectRecalc(m_below);
    connect(m_cover, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_cover, m_in.cover); });
    connect(m_span, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_span, m_in.span); });

    WriteBack();
    Calculate();
}

bool CPageFloorTable::UpdateData(bool save) {
    using namespace kv::ddx;
    if (!save) {
        m_nuclear->setCurrentIndex(m_in.nuclearClass);
        Float(m_cover, m_in.cover, false);
        Float(m_span, m_in.span, false);
        m_above->setChecked(m_in.belowWater == 0);
        m_below->setChecked(m_in.belowWater == 1);
        return true;
    }
    m_in.nuclearClass = m_nuclear->currentIndex();
    bool taken = Float(m_cover, m_in.cover, true);
    taken &= Float(m_span, m_in.span, true);
    m_in.belowWater = m_below->isChecked() ? 1 : 0;
    return taken;
}

bool CPageFloorTable::CalQe() {
    UpdateData(true);
    NormaliseEntry(m_span, m_in.span);
    NormaliseEntry(m_cover, m_in.cover);
    return WriteMessageBox(Answer());
}

// ---- exterior wall ------------------------------------------------------------

CPageWallTable::CPageWallTable(QWidget* parent) : CTablePageBase(127, parent) {
    QHBoxLayout* classRow = MakeClassRow(m_classA, m_classB);
    m_saturated = MakeCheck(1079, QStringLiteral("饱和土"));
    m_air = MakeEdit(1082);
    m_airLabel = Label(QStringLiteral("含气量(%)"), this, 1271);
    QStringList soils;
    for (const char* name : kSoilNames) soils << Str(name);
    m_soil = MakeCombo(1273, soils);
    m_material = MakeCombo(1278, {QStringLiteral("砖砌体"), QStringLiteral("钢筋混凝土")});
    m_depth = MakeEdit(1029);
    m_nuclear = MakeCombo(1046, kNuclearClasses);
    m_upperNuclear = MakeCheck(1071, Str(kUpperBuilding));
    m_conv = MakeCombo(1055, kConvClasses);
    QPushButton* noteNuclear = MakeNoteButton(3185);

    auto* top = new QGridLayout;
    top->addWidget(Label(QStringLiteral("防空地下室类别"), this), 0, 0);
    top->addLayout(classRow, 0, 1, 1, 3);
    top->addWidget(Label(QStringLiteral("土的类别"), this), 1, 0);
    top->addWidget(m_soil, 1, 1);
    top->addWidget(m_saturated, 1, 2);
    auto* airRow = new QHBoxLayout;
    airRow->addWidget(m_airLabel);
    airRow->addWidget(m_air);
    airRow->addStretch();
    top->addLayout(airRow, 1, 3);
    top->addWidget(Label(QStringLiteral("外墙材料"), this), 2, 0);
    top->addWidget(m_material, 2, 1);
    top->addWidget(Label(QStringLiteral("顶板顶面埋置深度h(m)"), this), 3, 0);
    top->addWidget(m_depth, 3, 1, Qt::AlignLeft);
    top->setColumnStretch(3, 1);

    auto* nuclearGroup = new QGroupBox(QStringLiteral("防核武器"), this);
    nuclearGroup->setObjectName("3120");
    QLabel* nuclearLabel = Label(QStringLiteral("防核武器抗力级别"), this, 3122);
    auto* nuclearRule = new QFrame(this);
    nuclearRule->setObjectName("3189");
    nuclearRule->setFrameShape(QFrame::HLine);
    nuclearRule->setFrameShadow(QFrame::Sunken);
    auto* ng = new QGridLayout(nuclearGroup);
    ng->addWidget(nuclearLabel, 0, 0);
    ng->addWidget(m_nuclear, 0, 1);
    ng->addWidget(nuclearRule, 1, 0, 1, 3);
    ng->addWidget(m_upperNuclear, 2, 0, 1, 2);
    ng->addWidget(noteNuclear, 2, 2);
    ng->setColumnStretch(3, 1);

    auto* convGroup = new QGroupBox(QStringLiteral("防常规武器"), this);
    auto* cg = new QGridLayout(convGroup);
    cg->addWidget(Label(QStringLiteral("防常规武器抗力级别"), this), 0, 0);
    cg->addWidget(m_conv, 0, 1);
    cg->setColumnStretch(2, 1);
    cg->setRowStretch(1, 1);

    LayOutPage({QStringLiteral("目的:  外墙等效静荷载qe2 查表")}, top, nuclearGroup, convGroup);

    m_nuclearControls = {nuclearGroup, nuclearLabel, m_nuclear, m_upperNuclear, noteNuclear, nuclearRule};

    ConnectRecalc(m_calculate);
    ConnectRecalc(m_soil);
    ConnectRecalc(m_material);
    ConnectRecalc(m_conv);
    connect(m_saturated, &QAbstractButton::clicked, this, &CPageWallTable::UpdateControls);
    connect(m_classA, &QAbstractButton::clicked, this, &CPageWallTable::UpdateControls);
    connect(m_classB, &QAbstractButton::clicked, this, &CPageWallTable::UpdateControls);
    connect(m_upperNuclear, &QAbstractButton::clicked, this, &CPageWallTable::OnNuclearChanged);
    connect(m_nuclear, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_writingBack) OnNuclearChanged();
    });
    connect(m_depth, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_depth, m_in.depth); });
    connect(m_air, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_air, m_in.airContent); });
    connect(noteNuclear, &QAbstractButton::clicked, this, &CPageWallTable::OnNoteNuclear);

    WriteBack();
    UpdateControls();
}

bool CPageWallTable::UpdateData(bool save) {
    using namespace kv::ddx;
    if (!save) {
        m_saturated->setChecked(m_in.saturated != 0);
        m_nuclear->setCurrentIndex(m_in.nuclearClass);
        m_soil->setCurrentIndex(m_in.soil);
        m_material->setCurrentIndex(m_in.material);
        Float(m_air, m_in.airContent, false);
        m_upperNuclear->setChecked(m_in.upperNuclear != 0);
        m_classA->setChecked(m_in.engClass == 0);
        m_classB->setChecked(m_in.engClass == 1);
        m_conv->setCurrentIndex(m_in.convClass);
        Float(m_depth, m_in.depth, false);
        return true;
    }
    m_in.saturated = m_saturated->isChecked() ? 1 : 0;
    m_in.nuclearClass = m_nuclear->currentIndex();
    m_in.soil = m_soil->currentIndex();
    m_in.material = m_material->currentIndex();
    bool taken = Float(m_air, m_in.airContent, true);
    m_in.upperNuclear = m_upperNuclear->isChecked() ? 1 : 0;
    m_in.engClass = m_classB->isChecked() ? 1 : 0;
    m_in.convClass = m_conv->currentIndex();
    taken &= Float(m_depth, m_in.depth, true, 0, 1000);
    return taken;
}

void CPageWallTable::OnNuclearChanged() {
    UpdateData(true);
    // 核4 takes no factor for the building above.
    bool counts = m_in.nuclearClass != 4;
    if (!counts) m_in.upperNuclear = 0;
    m_upperNuclear->setEnabled(counts);
    WriteBack();
    Calculate();
}

void CPageWallTable::UpdateControls() {
    UpdateData(true);
    m_air->setVisible(m_in.saturated != 0);
    m_airLabel->setVisible(m_in.saturated != 0);
    for (QWidget* w : m_nuclearControls) w->setVisible(m_in.engClass == 0);
    WriteBack();
    Calculate();
}

void CPageWallTable::OnNoteNuclear() {
    kv::MessageBox(NoteText({"计算土中外墙核爆动荷载时，当符合下列条件之一时",
                             "应考虑上部建筑对地面空气冲击波超压值的影响:", "",
                             " 1.  核4B,5,6,6B级防空地下室，上部建筑外墙为钢筋混凝土承重墙",
                             " 2.  核6,6B级防空地下室，上部建筑为抗震设防的砌体结构",
                             " 3.  核6,6B级防空地下室，上部建筑为框架结构"}),
                   kv::MB_OK);
}

// ---- the command --------------------------------------------------------------

void OnLoadTable(QWidget* parent) {
    CDlgTabSheet sheet(parent);
    CPageRoofTable roof;
    CPageFloorTable floor;
    CPageWallTable wall;
    sheet.SetCaption("人防地下室荷载查表");
    sheet.AddPage("顶板查表", &roof);
    sheet.AddPage("底板查表", &floor);
    sheet.AddPage("外墙查表", &wall);
    sheet.exec();
}
