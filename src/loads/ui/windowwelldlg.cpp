#include "loads/ui/windowwelldlg.h"

#include "loads/ui/loadtablepages.h"
#include "widgets/ui/ddx.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The sketch of each form.
const char* const kFormPictures[kWindowWellForms] = {"IDB_BITMAP_CJQ", "IDB_BITMAP_CJQ1", "IDB_BITMAP_CJQ2"};
const char* FormPicture(int form) { return form >= 0 && form < kWindowWellForms ? kFormPictures[form] : ""; }

const char* const kNuclearClasses[] = {"核6B级", "核6级", "核5级", "核4B级", "核4级"};
const char* const kConvClasses[] = {"常6级", "常5级"};
const char* const kStructForms[] = {"平顶结构", "多层结构", "非平顶结构"};

QLabel* Label(const QString& text, QWidget* parent, int id = 0) {
    auto* label = new QLabel(text, parent);
    if (id) label->setObjectName(QString::number(id));
    return label;
}

QLineEdit* Edit(int id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setFixedWidth(90);
    return edit;
}

}  // namespace

// ---- window well ----------------------------------------------------------------

CDlgWindowWellLoad::CDlgWindowWellLoad(WindowWellInput& in, QWidget* parent)
    : CLoadDlgBase(104, QStringLiteral("采光窗 "), parent), m_in(in) {
    m_picture = new CPictureButton(FormPicture(m_in.form), FormPicture(m_in.form), QStringLiteral("采光窗井"), this);
    m_picture->setObjectName("1142");
    m_form = MakeCombo(1085, kWindowWellFormNames, kWindowWellForms);
    m_nuclear = MakeCombo(1046, kNuclearClasses, 4);
    m_upper = MakeCheck(1071, QStringLiteral("考虑上部建筑物影响"));
    m_k = Edit(1004, this);
    m_conv = MakeCombo(1055, kConvClasses, 2);
    m_classA = MakeRadio(1295, QStringLiteral("甲类"));
    m_classB = MakeRadio(1116, QStringLiteral("乙类"));
    auto* classes = new QButtonGroup(this);
    classes->addButton(m_classA);
    classes->addButton(m_classB);
    auto* reflectK = new QPushButton(QStringLiteral(">"), this);
    reflectK->setObjectName("3184");
    reflectK->setFixedWidth(28);
    reflectK->setAutoDefault(false);

    auto* nuclearGroup = new QGroupBox(QStringLiteral("防核武器"), this);
    nuclearGroup->setObjectName("3120");
    QLabel* nuclearLabel = Label(QStringLiteral("防核武器抗力级别"), this, 3182);
    QLabel* kLabel = Label(QStringLiteral("盖板综合反射系数K"), this, 1332);
    auto* ng = new QGridLayout(nuclearGroup);
    ng->addWidget(nuclearLabel, 0, 0);
    ng->addWidget(m_nuclear, 0, 1, 1, 2);
    ng->addWidget(m_upper, 1, 0, 1, 3);
    ng->addWidget(kLabel, 2, 0);
    ng->addWidget(m_k, 2, 1);
    ng->addWidget(reflectK, 2, 2);
    ng->setColumnStretch(3, 1);
    QLabel* convLabel = Label(QStringLiteral("防常规武器抗力级别"), this, 3183);

    auto* classRow = new QHBoxLayout;
    classRow->addWidget(m_classA);
    classRow->addWidget(m_classB);
    classRow->addStretch();
    auto* inputs = new QGridLayout;
    inputs->addWidget(Label(QStringLiteral("工程类别"), this), 0, 0);
    inputs->addLayout(classRow, 0, 1);
    inputs->addWidget(Label(QStringLiteral("采光窗井形式"), this), 1, 0);
    inputs->addWidget(m_form, 1, 1);
    inputs->addWidget(convLabel, 2, 0);
    inputs->addWidget(m_conv, 2, 1, Qt::AlignLeft);
    inputs->addWidget(nuclearGroup, 3, 0, 1, 2);
    inputs->setRowStretch(4, 1);
    inputs->setColumnStretch(1, 1);
    LayOut(m_picture, inputs);

    m_nuclearControls = {kLabel, m_nuclear, nuclearLabel, m_k, m_upper, nuclearGroup, reflectK};
    m_convControls = {convLabel, m_conv};

    connect(m_form, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_writingBack) OnModeChanged();
    });
    for (QRadioButton* radio : {m_classA, m_classB})
        connect(radio, &QAbstractButton::clicked, this, [this] {
            UpdateControls();
            Calculate();
        });
    ConnectRecalc(m_conv);
    ConnectRecalc(m_nuclear);
    ConnectRecalc(m_upper);
    connect(m_k, &QLineEdit::textChanged, this, &CDlgWindowWellLoad::ClearIfEmpty);
    connect(reflectK, &QAbstractButton::clicked, this, &CDlgWindowWellLoad::OnReflectK);

    WriteBack();
    UpdateControls();
    Calculate();
}

bool CDlgWindowWellLoad::UpdateData(bool save) {
    using namespace kv::ddx;
    if (!save) {
        m_form->setCurrentIndex(m_in.form);
        m_nuclear->setCurrentIndex(m_in.nuclearClass);
        m_upper->setChecked(m_in.upperBuilding != 0);
        Float(m_k, m_in.k, false);
        m_conv->setCurrentIndex(m_in.convClass);
        m_classA->setChecked(m_in.engClass == 0);
        m_classB->setChecked(m_in.engClass == 1);
        return true;
    }
    m_in.form = m_form->currentIndex();
    m_in.nuclearClass = m_nuclear->currentIndex();
    m_in.upperBuilding = m_upper->isChecked() ? 1 : 0;
    bool taken = Float(m_k, m_in.k, true);
    m_in.convClass = m_conv->currentIndex();
    m_in.engClass = m_classB->isChecked() ? 1 : 0;
    return taken;
}

void CDlgWindowWellLoad::OnModeChanged() {
    UpdateData(true);
    m_picture->SetPictures(FormPicture(m_in.form), FormPicture(m_in.form));
    UpdateControls();
    Calculate();
}

void CDlgWindowWellLoad::UpdateControls() {
    UpdateData(true);
    // Numbers for the nuclear load are asked only where the answer uses them.
    for (QWidget* w : m_nuclearControls) w->setVisible(m_in.engClass == 0 && m_in.form == 1);
    for (QWidget* w : m_convControls) w->setVisible(m_in.form == 2);
    WriteBack();
}

void CDlgWindowWellLoad::ClearIfEmpty() {
    if (m_writingBack) return;
    if (m_k->text().isEmpty()) {
        m_in.k = 0;
        m_result->clear();
        return;
    }
    Calculate();
}

void CDlgWindowWellLoad::OnReflectK() {
    CDlgReflectK dlg(m_nuclear->currentIndex(), this);
    if (dlg.exec() != QDialog::Accepted) return;
    m_in.k = dlg.K();
    WriteBack();
    Calculate();
}

void OnLoadWindowWell(QWidget* parent) {
    static WindowWellInput in;
    CDlgWindowWellLoad dlg(in, parent);
    dlg.exec();
}

// ---- reflection coefficient K -------------------------------------------------------

CDlgReflectK::CDlgReflectK(int nuclearClass, QWidget* parent) : QDialog(parent) {
    setObjectName("223");
    setWindowTitle(QStringLiteral("计算核爆顶板综合反射系数K"));
    m_in.nuclearClass = nuclearClass;

    auto combo = [this](int id, const char* const* items, int count) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::number(id));
        for (int i = 0; i < count; ++i) box->addItem(QString::fromUtf8(items[i]));
        return box;
    };
    m_saturated = new QCheckBox(QStringLiteral("饱和土"), this);
    m_saturated->setObjectName("3204");
    m_form = combo(1085, kStructForms, 3);
    m_nuclear = combo(1046, kNuclearClasses, 5);
    m_cover = Edit(1029, this);
    m_air = Edit(1082, this);
    m_airLabel = Label(QStringLiteral("含气量(%)"), this, 1271);
    m_span = Edit(1013, this);
    m_result = Edit(1004, this);

    auto* grid = new QGridLayout;
    grid->addWidget(Label(QStringLiteral("结构形式"), this), 0, 0);
    grid->addWidget(m_form, 0, 1);
    grid->addWidget(Label(QStringLiteral("抗力级别"), this), 1, 0);
    grid->addWidget(m_nuclear, 1, 1);
    grid->addWidget(Label(QStringLiteral("覆土厚(m)"), this), 2, 0);
    grid->addWidget(m_cover, 2, 1, Qt::AlignLeft);
    grid->addWidget(m_saturated, 3, 0);
    auto* airRow = new QHBoxLayout;
    airRow->addWidget(m_airLabel);
    airRow->addWidget(m_air);
    airRow->addStretch();
    grid->addLayout(airRow, 3, 1);
    grid->addWidget(Label(QStringLiteral("短跨净跨L0(m)"), this), 4, 0);
    grid->addWidget(m_span, 4, 1, Qt::AlignLeft);
    grid->addWidget(Label(QStringLiteral("顶板综合反射系数K"), this), 5, 0);
    grid->addWidget(m_result, 5, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("1");
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("2");
    connect(ok, &QAbstractButton::clicked, this, [this] {
        if (UpdateData(true)) accept();
    });
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(m_saturated, &QAbstractButton::clicked, this, &CDlgReflectK::OnSaturated);
    for (QComboBox* box : {m_form, m_nuclear})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_writingBack) CalK();
        });
    connect(m_span, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_span, m_in.span); });
    connect(m_cover, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_cover, m_in.cover); });
    connect(m_air, &QLineEdit::textChanged, this, [this] { ClearIfEmpty(m_air, m_in.airContent); });

    WriteBack();
    m_air->hide();
    m_airLabel->hide();
    CalK();
}

bool CDlgReflectK::UpdateData(bool save) {
    using namespace kv::ddx;
    if (!save) {
        m_saturated->setChecked(m_in.saturated != 0);
        m_form->setCurrentIndex(m_in.structForm);
        m_nuclear->setCurrentIndex(m_in.nuclearClass);
        Float(m_cover, m_in.cover, false);
        Float(m_air, m_in.airContent, false);
        Float(m_span, m_in.span, false);
        m_result->setText(QString::asprintf("%.3f", m_k));
        return true;
    }
    m_in.saturated = m_saturated->isChecked() ? 1 : 0;
    m_in.structForm = m_form->currentIndex();
    m_in.nuclearClass = m_nuclear->currentIndex();
    bool taken = Float(m_cover, m_in.cover, true);
    taken &= Float(m_air, m_in.airContent, true);
    taken &= Float(m_span, m_in.span, true);
    taken &= Float(m_result, m_k, true);
    return taken;
}

void CDlgReflectK::WriteBack() {
    m_writingBack = true;
    UpdateData(false);
    m_writingBack = false;
}

void CDlgReflectK::CalK() {
    UpdateData(true);
    m_k = ReflectK(m_in);
    m_result->setText(QString::asprintf("%.3f", m_k));
}

void CDlgReflectK::OnSaturated() {
    UpdateData(true);
    m_air->setVisible(m_in.saturated != 0);
    m_airLabel->setVisible(m_in.saturated != 0);
    CalK();
    WriteBack();
}

void CDlgReflectK::ClearIfEmpty(QLineEdit* edit, float& field) {
    if (m_writingBack) return;
    if (edit->text().isEmpty()) {
        field = 0;
        m_result->setText(QStringLiteral("0"));
        return;
    }
    CalK();
}
