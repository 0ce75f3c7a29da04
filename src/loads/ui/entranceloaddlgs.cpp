#include "loads/ui/entranceloaddlgs.h"

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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <cmath>
#include <utility>

namespace {

constexpr const char* kNuclearClasses[] = {"核6B级", "核6级", "核5级", "核4B级", "核4级"};
constexpr const char* kConvClasses[] = {"常6级", "常5级"};
constexpr const char* kPassageWidths[] = {" >3", "<=3"};
constexpr const char* kSideDistances[] = {"<=5", " >5"};

QLabel* Label(const QString& text, QWidget* parent, int id = 0) {
    auto* label = new QLabel(text, parent);
    if (id) label->setObjectName(QString::number(id));
    return label;
}

QLineEdit* Edit(QWidget* parent, int id) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
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
    : CLoadDlgBase(templateId, caption, parent), m_entrance(in) {
    m_classA = MakeRadio(1295, QStringLiteral("甲类"));
    m_classB = MakeRadio(1116, QStringLiteral("乙类"));
    m_nuclearKind = MakeCombo(1085, kNuclearEntranceNames, kNuclearEntranceKinds);
    m_convKind = MakeCombo(1091, kConvEntranceNames, kConvEntranceKinds);
    m_nuclearClass = MakeCombo(1046, kNuclearClasses, 5);
    m_convClass = MakeCombo(1055, kConvClasses, 2);
    m_distance = Edit(this, 1353);
    m_passage = MakeCombo(1058, kPassageWidths, 2);
    m_farSide = MakeCombo(1061, kSideDistances, 2);
    m_stairs = MakeCheck(3211, QStringLiteral("室外楼梯出入口大于等于2层"));
    m_nuclearLabel = Label(QStringLiteral("防核武器抗力级别"), this, 3122);
    m_farSideLabel = Label(QStringLiteral("室内出入口侧壁内侧至外墙外侧最小水平距离(m)"), this, 3181);
    m_nuclearGroup = new QGroupBox(QStringLiteral("防核武器"), this);
    m_nuclearGroup->setObjectName("3120");
    m_inputs = new QGridLayout;
}

void CDlgEntranceLoad::Finish(CPictureButton* picture, int rowsAbove) {
    int row = rowsAbove;
    m_inputs->addWidget(Label(QStringLiteral("工程类别"), this), row, 0);
    m_inputs->addLayout(RadioPair(this, m_classA, m_classB), row++, 1);
    m_inputs->addWidget(Label(QStringLiteral("出入口部位及形式"), this), row, 0);
    // One of the two lists shows, by the class.
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(m_nuclearKind);
    kinds->addWidget(m_convKind);
    m_inputs->addLayout(kinds, row++, 1);

    // Both groups line their entries up, whichever labels show.
    const int labelWidth = m_farSideLabel->sizeHint().width();
    auto* ng = new QGridLayout(m_nuclearGroup);
    ng->addWidget(m_nuclearLabel, 0, 0);
    ng->addWidget(m_nuclearClass, 0, 1, Qt::AlignLeft);
    ng->addWidget(m_stairs, 1, 0, 1, 2);
    ng->setColumnStretch(1, 1);
    ng->setColumnMinimumWidth(0, labelWidth);
    m_inputs->addWidget(m_nuclearGroup, row++, 0, 1, 2);

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
    m_inputs->addWidget(convGroup, row++, 0, 1, 2);
    m_inputs->setRowStretch(row, 1);
    LayOut(picture, m_inputs);

    ConnectRecalc(m_convClass);
    ConnectRecalc(m_passage);
    ConnectRecalc(m_farSide);
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
    FillEmpty(m_distance);
    bool taken = ReadDistance();
    ZeroTiny(in.distance);
    in.narrowPassage = m_passage->currentIndex();
    in.farSide = m_farSide->currentIndex();
    in.stairs = m_stairs->isChecked() ? 1 : 0;
    // 甲类 takes its conventional kind from the nuclear one; 乙类 starts from it.
    DeriveConvKind(in);
    QSignalBlocker block(m_convKind);
    m_convKind->setCurrentIndex(in.convKind);
    return taken;
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

// ---- 临空墙 -----------------------------------------------------------------

CDlgAirWallLoad::CDlgAirWallLoad(EntranceInput& in, QWidget* parent)
    : CDlgEntranceLoad(108, QStringLiteral("临空墙"), in, parent) {
    auto* picture = new CPictureButton("IDB_BITMAP_LKQ", "IDB_BITMAP_LKQ", QStringLiteral("临空墙"), this);
    picture->setObjectName("1139");
    Finish(picture, 0);
    WriteBack();
    UpdateControls();
    Calculate();
}

// ---- 门框墙 -----------------------------------------------------------------

namespace {

const char* LeafPicture(int doubleLeaf) { return doubleLeaf ? "IDB_BITMAP_MKQ1" : "IDB_BITMAP_MKQ"; }

}  // namespace

CDlgDoorFrameLoad::CDlgDoorFrameLoad(DoorFrameInput& in, QWidget* parent)
    : CDlgEntranceLoad(105, QStringLiteral("门框墙"), in, parent), m_in(in) {
    m_width = Edit(this, 1068);
    m_height = Edit(this, 1077);
    m_single = MakeRadio(1094, QStringLiteral("单扇平板门"));
    m_double = MakeRadio(1110, QStringLiteral("双扇平板门"));
    m_picture = new CPictureButton(LeafPicture(in.doubleLeaf), LeafPicture(in.doubleLeaf), QStringLiteral("门框墙"), this);
    m_picture->setObjectName("1119");

    m_inputs->addWidget(Label(QStringLiteral("门洞宽a(m)"), this), 0, 0);
    m_inputs->addWidget(m_width, 0, 1, Qt::AlignLeft);
    m_inputs->addWidget(Label(QStringLiteral("门洞高b(m)"), this), 1, 0);
    m_inputs->addWidget(m_height, 1, 1, Qt::AlignLeft);
    m_inputs->addWidget(Label(QStringLiteral("门扇形式"), this), 2, 0);
    m_inputs->addLayout(RadioPair(this, m_single, m_double), 2, 1);
    Finish(m_picture, 3);
    m_calculate->setText(QStringLiteral("计  算"));
    findChild<QPushButton*>("2")->setText(QStringLiteral("返  回"));

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
    FillEmpty(m_width);
    FillEmpty(m_height);
    bool taken = Float(m_width, m_in.width, true, 0, 1000);
    taken &= Float(m_height, m_in.height, true, 0, 1000);
    ZeroTiny(m_in.width);
    ZeroTiny(m_in.height);
    m_in.doubleLeaf = m_double->isChecked() ? 1 : 0;
    taken &= CDlgEntranceLoad::UpdateData(true);
    return taken;
}

void CDlgDoorFrameLoad::OnLeafChanged() {
    UpdateData(true);
    m_picture->SetPictures(LeafPicture(m_in.doubleLeaf), LeafPicture(m_in.doubleLeaf));
    Calculate();
}

// ---- the commands -----------------------------------------------------------

void OnLoadAirWall(QWidget* parent) {
    static EntranceInput in;
    CDlgAirWallLoad dlg(in, parent);
    dlg.exec();
}

void OnLoadDoorFrame(QWidget* parent) {
    static DoorFrameInput in;
    CDlgDoorFrameLoad dlg(in, parent);
    dlg.exec();
}
