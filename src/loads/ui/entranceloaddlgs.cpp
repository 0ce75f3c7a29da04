#include "loads/ui/entranceloaddlgs.h"

#include "loads/ui/answerbox.h"
#include "loads/ui/loadtablepages.h"
#include "widgets/ui/ddx.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace {

QStringList Names(const char* const* names, int count) {
    QStringList list;
    for (int i = 0; i < count; ++i) list << QString::fromUtf8(names[i]);
    return list;
}

template <class T>
T* WithId(T* widget, int id) {
    widget->setObjectName(QString::number(id));
    return widget;
}

QLabel* Label(const QString& text, QWidget* parent, int id = 0) {
    auto* label = new QLabel(text, parent);
    if (id) label->setObjectName(QString::number(id));
    return label;
}

QComboBox* Combo(QWidget* parent, int id, const QStringList& items) {
    auto* combo = WithId(new QComboBox(parent), id);
    combo->addItems(items);
    return combo;
}

QLineEdit* Edit(QWidget* parent, int id) {
    auto* edit = WithId(new QLineEdit(parent), id);
    edit->setFixedWidth(90);
    return edit;
}

// Two radios of one choice, side by side.
QHBoxLayout* RadioPair(QWidget* parent, QRadioButton* first, QRadioButton* second) {
    auto* group = new QButtonGroup(parent);
    group->addButton(first);
    group->addButton(second);
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(second);
    row->addStretch();
    return row;
}

}  // namespace

// ---- what both dialogs share ------------------------------------------------------

CDlgEntranceLoad::CDlgEntranceLoad(int templateId, const QString& caption, EntranceInput& in, QWidget* parent)
    : QDialog(parent), m_entrance(in) {
    setObjectName(QString::number(templateId));
    setWindowTitle(caption);
    m_classA = WithId(new QRadioButton(QStringLiteral("甲类"), this), 1295);
    m_classB = WithId(new QRadioButton(QStringLiteral("乙类"), this), 1116);
    m_nuclearKind = Combo(this, 1085, Names(kNuclearEntranceNames, kNuclearEntranceKinds));
    m_convKind = Combo(this, 1091, Names(kConvEntranceNames, kConvEntranceKinds));
    m_nuclearClass = Combo(this, 1046,
                           {QStringLiteral("核6B级"), QStringLiteral("核6级"), QStringLiteral("核5级"),
                            QStringLiteral("核4B级"), QStringLiteral("核4级")});
    m_convClass = Combo(this, 1055, {QStringLiteral("常6级"), QStringLiteral("常5级")});
    m_distance = Edit(this, 1353);
    m_passage = Combo(this, 1058, {QStringLiteral(" >3"), QStringLiteral("<=3")});
    m_farSide = Combo(this, 1061, {QStringLiteral("<=5"), QStringLiteral(" >5")});
    m_stairs = WithId(new QCheckBox(QStringLiteral("室外楼梯出入口大于等于2层"), this), 3211);
    m_nuclearLabel = Label(QStringLiteral("防核武器抗力级别"), this, 3122);
    m_farSideLabel = Label(QStringLiteral("室内出入口侧壁内侧至外墙外侧最小水平距离(m)"), this, 3181);
    m_nuclearGroup = WithId(new QGroupBox(QStringLiteral("防核武器"), this), 3120);
    m_result = WithId(new QPlainTextEdit(this), 3116);
    m_result->setReadOnly(true);
    m_result->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_result->setMinimumSize(520, 230);
    m_inputs = new QGridLayout;
}

void CDlgEntranceLoad::Finish(CPictureButton* picture, int rowsAbove, const QString& calculateText,
                              const QString& returnText) {
    QGridLayout* inputs = m_inputs;
    int row = rowsAbove;
    inputs->addWidget(Label(QStringLiteral("工程类别"), this), row, 0);
    inputs->addLayout(RadioPair(this, m_classA, m_classB), row++, 1);
    inputs->addWidget(Label(QStringLiteral("出入口部位及形式"), this), row, 0);
    // One of the two lists shows, by the class.
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(m_nuclearKind);
    kinds->addWidget(m_convKind);
    inputs->addLayout(kinds, row++, 1);

    auto* ng = new QGridLayout(m_nuclearGroup);
    ng->addWidget(m_nuclearLabel, 0, 0);
    ng->addWidget(m_nuclearClass, 0, 1, Qt::AlignLeft);
    ng->addWidget(m_stairs, 1, 0, 1, 2);
    ng->setColumnStretch(1, 1);
    // Both groups line their entries up, whichever labels show.
    const int labelWidth = m_farSideLabel->sizeHint().width();
    ng->setColumnMinimumWidth(0, labelWidth);
    inputs->addWidget(m_nuclearGroup, row++, 0, 1, 2);

    auto* convGroup = new QGroupBox(QStringLiteral("防常规武器"), this);
    auto* cg = new QGridLayout(convGroup);
    cg->addWidget(Label(QStringLiteral("防常规武器抗力级别"), this), 0, 0);
    cg->addWidget(m_convClass, 0, 1, Qt::AlignLeft);
    cg->addWidget(Label(QStringLiteral("至室外出入口的距离L(m)"), this), 1, 0);
    cg->addWidget(m_distance, 1, 1, Qt::AlignLeft);
    cg->addWidget(Label(QStringLiteral("室外出入口通道净宽(m)"), this), 2, 0);
    cg->addWidget(m_passage, 2, 1, Qt::AlignLeft);
    cg->addWidget(m_farSideLabel, 3, 0);
    cg->addWidget(m_farSide, 3, 1, Qt::AlignLeft);
    cg->setColumnStretch(1, 1);
    cg->setColumnMinimumWidth(0, labelWidth);
    inputs->addWidget(convGroup, row++, 0, 1, 2);
    inputs->setRowStretch(row, 1);

    m_calculate = WithId(new QPushButton(calculateText, this), 1129);
    m_calculate->setDefault(true);
    auto* close = WithId(new QPushButton(returnText, this), 2);
    close->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(inputs, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_calculate);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addWidget(m_result, 1);

    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_calculate, &QPushButton::clicked, this, &CDlgEntranceLoad::Calculate);
    for (QComboBox* combo : {m_convClass, m_passage, m_farSide})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_writingBack) Calculate();
        });
    for (QAbstractButton* button : {static_cast<QAbstractButton*>(m_classA), static_cast<QAbstractButton*>(m_classB),
                                    static_cast<QAbstractButton*>(m_stairs)})
        connect(button, &QAbstractButton::clicked, this, [this] {
            UpdateControls();
            Calculate();
        });
    for (QComboBox* combo : {m_nuclearClass, m_nuclearKind, m_convKind})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (m_writingBack) return;
            UpdateControls();
            Calculate();
        });
    connect(m_distance, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_distance, m_entrance.distance); });
}

bool CDlgEntranceLoad::ReadDistance() { return kv::ddx::Float(m_distance, m_entrance.distance, true); }

bool CDlgEntranceLoad::UpdateData(bool save) {
    EntranceInput& in = m_entrance;
    if (!save) {
        m_classA->setChecked(in.engClass == 0);
        m_classB->setChecked(in.engClass == 1);
        m_nuclearKind->setCurrentIndex(in.nuclearKind);
        m_convKind->setCurrentIndex(in.convKind);
        m_nuclearClass->setCurrentIndex(in.nuclearClass);
        m_convClass->setCurrentIndex(in.convClass);
        kv::ddx::Float(m_distance, in.distance, false);
        m_passage->setCurrentIndex(in.narrowPassage);
        m_farSide->setCurrentIndex(in.farSide);
        m_stairs->setChecked(in.stairs != 0);
        return true;
    }
    in.engClass = m_classB->isChecked() ? 1 : 0;
    in.nuclearKind = m_nuclearKind->currentIndex();
    in.convKind = m_convKind->currentIndex();
    in.nuclearClass = m_nuclearClass->currentIndex();
    in.convClass = m_convClass->currentIndex();
    bool taken = ReadDistance();
    in.narrowPassage = m_passage->currentIndex();
    in.farSide = m_farSide->currentIndex();
    in.stairs = m_stairs->isChecked() ? 1 : 0;
    return taken;
}

void CDlgEntranceLoad::WriteBack() {
    m_writingBack = true;
    UpdateData(false);
    m_writingBack = false;
}

void CDlgEntranceLoad::UpdateControls() {
    UpdateData(true);
    const EntranceInput& in = m_entrance;
    const bool classA = in.engClass == 0;
    // The side distance matters for an indoor entrance only; the stair for the
    // stair entrance of the lower classes.
    const bool indoor = classA ? (in.nuclearKind == 0 || in.nuclearKind == 1) : in.convKind == 0;
    const std::pair<QWidget*, bool> shown[] = {
        {m_nuclearKind, classA},  {m_nuclearClass, classA}, {m_nuclearLabel, classA},
        {m_nuclearGroup, classA}, {m_convKind, !classA},    {m_farSide, indoor},
        {m_farSideLabel, indoor}, {m_stairs, classA && in.nuclearKind == 2 && in.nuclearClass <= 2},
    };
    // Hiding first: the two entrance lists never show together, which would
    // widen the dialog for good.
    for (const auto& [widget, visible] : shown)
        if (!visible) widget->setVisible(false);
    for (const auto& [widget, visible] : shown)
        if (visible) widget->setVisible(true);
    WriteBack();
}

void CDlgEntranceLoad::FillEmpty(QLineEdit* edit) {
    if (!edit->text().isEmpty()) return;
    QSignalBlocker block(edit);
    edit->setText(QStringLiteral("0"));
}

void CDlgEntranceLoad::ZeroTiny(float& field) {
    if (std::fabs(field) < 0.00001f) field = 0;
}

void CDlgEntranceLoad::ClearIfEmpty(QLineEdit* edit, float& field) {
    if (m_writingBack) return;
    if (edit->text().isEmpty()) {
        field = 0;
        m_result->clear();
        return;
    }
    Calculate();
}

void CDlgEntranceLoad::Calculate() {
    bool written = CalLoad();
    // 甲类 takes its conventional kind from the nuclear one; 乙类 starts from it.
    QSignalBlocker block(m_convKind);
    m_convKind->setCurrentIndex(m_entrance.convKind);
    ShowMessageBox(m_result, written);
}

// ---- 临空墙 -----------------------------------------------------------------

CDlgAirWallLoad::CDlgAirWallLoad(EntranceInput& in, QWidget* parent)
    : CDlgEntranceLoad(108, QStringLiteral("临空墙"), in, parent) {
    auto* picture = new CPictureButton("IDB_BITMAP_LKQ", "IDB_BITMAP_LKQ", QStringLiteral("临空墙"), this);
    picture->setObjectName("1139");
    Finish(picture, 0, QStringLiteral("查   表"), QStringLiteral("返    回"));
    WriteBack();
    UpdateControls();
    Calculate();
}

bool CDlgAirWallLoad::CalLoad() {
    FillEmpty(m_distance);
    UpdateData(true);
    ZeroTiny(m_entrance.distance);
    DeriveConvKind(m_entrance);
    return WriteMessageBox(AirWallAnswer(m_entrance));
}

// ---- 门框墙 -----------------------------------------------------------------

namespace {

const char* LeafPicture(int doubleLeaf) { return doubleLeaf ? "IDB_BITMAP_MKQ1" : "IDB_BITMAP_MKQ"; }

}  // namespace

CDlgDoorFrameLoad::CDlgDoorFrameLoad(DoorFrameInput& in, QWidget* parent)
    : CDlgEntranceLoad(105, QStringLiteral("门框墙"), in, parent), m_in(in) {
    m_width = Edit(this, 1068);
    m_height = Edit(this, 1077);
    m_single = WithId(new QRadioButton(QStringLiteral("单扇平板门"), this), 1094);
    m_double = WithId(new QRadioButton(QStringLiteral("双扇平板门"), this), 1110);
    m_picture = new CPictureButton(LeafPicture(in.doubleLeaf), LeafPicture(in.doubleLeaf), QStringLiteral("门框墙"), this);
    m_picture->setObjectName("1119");

    m_inputs->addWidget(Label(QStringLiteral("门洞宽a(m)"), this), 0, 0);
    m_inputs->addWidget(m_width, 0, 1, Qt::AlignLeft);
    m_inputs->addWidget(Label(QStringLiteral("门洞高b(m)"), this), 1, 0);
    m_inputs->addWidget(m_height, 1, 1, Qt::AlignLeft);
    m_inputs->addWidget(Label(QStringLiteral("门扇形式"), this), 2, 0);
    m_inputs->addLayout(RadioPair(this, m_single, m_double), 2, 1);
    Finish(m_picture, 3, QStringLiteral("计  算"), QStringLiteral("返  回"));

    connect(m_single, &QAbstractButton::clicked, this, &CDlgDoorFrameLoad::OnLeafChanged);
    connect(m_double, &QAbstractButton::clicked, this, &CDlgDoorFrameLoad::OnLeafChanged);
    connect(m_width, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_width, m_in.width); });
    connect(m_height, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_height, m_in.height); });
    WriteBack();
    UpdateControls();
    Calculate();
}

bool CDlgDoorFrameLoad::ReadDistance() { return kv::ddx::Float(m_distance, m_in.distance, true, 0, 1000); }

bool CDlgDoorFrameLoad::UpdateData(bool save) {
    using kv::ddx::Float;
    if (!save) {
        Float(m_width, m_in.width, false);
        Float(m_height, m_in.height, false);
        m_single->setChecked(m_in.doubleLeaf == 0);
        m_double->setChecked(m_in.doubleLeaf == 1);
        return CDlgEntranceLoad::UpdateData(false);
    }
    bool taken = Float(m_width, m_in.width, true, 0, 1000);
    taken &= Float(m_height, m_in.height, true, 0, 1000);
    m_in.doubleLeaf = m_double->isChecked() ? 1 : 0;
    taken &= CDlgEntranceLoad::UpdateData(true);
    return taken;
}

bool CDlgDoorFrameLoad::CalLoad() {
    for (QLineEdit* edit : {m_distance, m_width, m_height}) FillEmpty(edit);
    UpdateData(true);
    for (float* field : {&m_in.distance, &m_in.width, &m_in.height}) ZeroTiny(*field);
    DeriveConvKind(m_in);
    return WriteMessageBox(DoorFrameAnswer(m_in));
}

void CDlgDoorFrameLoad::OnLeafChanged() {
    UpdateData(true);
    m_picture->SetPictures(LeafPicture(m_in.doubleLeaf), LeafPicture(m_in.doubleLeaf));
    Calculate();
}

// ---- the commands -----------------------------------------------------------

void OnLoadAirWall(QWidget* parent) {
    static EntranceInput input;
    CDlgAirWallLoad dialog(input, parent);
    dialog.exec();
}

void OnLoadDoorFrame(QWidget* parent) {
    static DoorFrameInput input;
    CDlgDoorFrameLoad dialog(input, parent);
    dialog.exec();
}
