#include "members/slabwall/ui/slabloaddlgs.h"

#include "members/slabwall/ban.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "platform/services.h"
#include "views/dialogs/shellservices.h"
#include "widgets/ui/ddx.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using kv::slabwall::ui::Button;

constexpr int kTableLookup = 32783;    // the code's tables of the blast loads
constexpr int kFormulaWizard = 32774;  // the blast-load formula wizard

// Self weight of the slab, kN/m², concrete at 25 kN/m³.
float SelfWeight(const BAN_JS_STRUCT& data) { return static_cast<float>(data.Thickness) * 25.0f / 1000.0f; }

QLineEdit* Edit(QWidget* parent, int id, bool readOnly = false) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::number(id));
    e->setReadOnly(readOnly);
    e->setMinimumWidth(90);
    return e;
}

void AddRow(QGridLayout* grid, const QString& label, QWidget* field) {
    int row = grid->rowCount();
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(field, row, 1);
}

struct LookUpButtons {
    QPushButton* table;
    QPushButton* formula;
};

// The row of the blast load: its edit with 查表 (`tableId`) and 公式 beside it.
LookUpButtons AddQeRow(QDialog* dlg, QGridLayout* grid, const QString& label, QLineEdit* qe, int tableId) {
    auto* row = new QHBoxLayout;
    row->addWidget(qe, 1);
    LookUpButtons buttons{Button(dlg, QStringLiteral("查表"), tableId), Button(dlg, QStringLiteral("公式"), 1167)};
    row->addWidget(buttons.table);
    row->addWidget(buttons.formula);
    const int at = grid->rowCount();
    grid->addWidget(new QLabel(label), at, 0);
    grid->addLayout(row, at, 1);
    return buttons;
}

struct EndButtons {
    QPushButton* calculate;
    QPushButton* ok;
};

// The fields above 计算 and 返回.
EndButtons LayOut(QDialog* dlg, QGridLayout* grid) {
    EndButtons buttons{Button(dlg, QStringLiteral("计算"), 1129), Button(dlg, QStringLiteral("返回"), 1)};
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(buttons.calculate);
    row->addWidget(buttons.ok);
    auto* layout = new QVBoxLayout(dlg);
    layout->addLayout(grid);
    layout->addLayout(row);
    return buttons;
}

}  // namespace

// ---- roof ----------------------------------------------------------------------------

CDlgDingBanHeZai::CDlgDingBanHeZai(QWidget* parent) : QDialog(parent) {
    setObjectName("8279");
    setWindowTitle(QStringLiteral("顶板荷载"));
    m_eSelf = Edit(this, 3106, true);
    m_eFinishT = Edit(this, 3112);
    m_eFinishGamma = Edit(this, 3117);
    m_eSoilH = Edit(this, 3108);
    m_eSoilGamma = Edit(this, 3110);
    m_eOther = Edit(this, 3113);
    m_eQe = Edit(this, 3103);
    m_eLoad = Edit(this, 3105, true);

    auto* grid = new QGridLayout;
    AddRow(grid, QStringLiteral("顶板自重标准值(kN/m2):"), m_eSelf);
    AddRow(grid, QStringLiteral("顶板建筑做法厚度(mm):"), m_eFinishT);
    AddRow(grid, QStringLiteral("顶板建筑做法容重(kN/m3):"), m_eFinishGamma);
    AddRow(grid, QStringLiteral("板上覆土厚(m):"), m_eSoilH);
    AddRow(grid, QStringLiteral("覆土容重(kN/m3):"), m_eSoilGamma);
    AddRow(grid, QStringLiteral("其它静荷载标准值(kN/m2):"), m_eOther);
    const LookUpButtons lookUp = AddQeRow(this, grid, QStringLiteral("人防顶板等效静荷载(kN/m2):"), m_eQe, 3115);
    AddRow(grid, QStringLiteral("顶板荷载设计值(kN/m2):"), m_eLoad);
    const EndButtons end = LayOut(this, grid);

    connect(end.calculate, &QPushButton::clicked, this, &CDlgDingBanHeZai::OnCalculate);
    connect(lookUp.table, &QPushButton::clicked, this, &CDlgDingBanHeZai::OnChaBiao);
    connect(lookUp.formula, &QPushButton::clicked, this, &CDlgDingBanHeZai::OnGongShi);
    connect(end.ok, &QPushButton::clicked, this, &CDlgDingBanHeZai::accept);
}

int CDlgDingBanHeZai::exec() {
    if (m_pData) {
        m_self = SelfWeight(*m_pData);
        m_finishT = m_pData->RoofFinishT;
        m_finishGamma = m_pData->RoofFinishGamma;
        m_soilH = m_pData->RoofSoilH;
        m_soilGamma = m_pData->RoofSoilGamma;
        m_other = m_pData->RoofOther;
        m_qe = m_pData->RoofQe;
        m_load = m_pData->RoofLoad;
    }
    UpdateData(false);
    return QDialog::exec();
}

bool CDlgDingBanHeZai::UpdateData(bool save) {
    using namespace kv::ddx;
    return Float(m_eSelf, m_self, save) && Float(m_eFinishT, m_finishT, save) &&
           Float(m_eFinishGamma, m_finishGamma, save, 0.0f, 100.0f) && Float(m_eSoilH, m_soilH, save) &&
           Float(m_eSoilGamma, m_soilGamma, save) && Float(m_eOther, m_other, save) && Float(m_eQe, m_qe, save) &&
           Float(m_eLoad, m_load, save);
}

bool CDlgDingBanHeZai::ControlsToData() {
    if (!m_pData || !UpdateData(true)) return false;
    m_pData->RoofSelf = m_self;
    m_pData->RoofFinishT = m_finishT;
    m_pData->RoofFinishGamma = m_finishGamma;
    m_pData->RoofSoilH = m_soilH;
    m_pData->RoofSoilGamma = m_soilGamma;
    m_pData->RoofOther = m_other;
    m_pData->RoofQe = m_qe;
    m_pData->RoofLoad = m_load;
    return true;
}

void CDlgDingBanHeZai::OnCalculate() {
    if (!ControlsToData()) return;
    ban_roof_load(*m_pData);
    m_load = m_pData->RoofLoad;
    UpdateData(false);
    ControlsToData();
}

void CDlgDingBanHeZai::OnChaBiao() { kv::shell::SendCommand(kTableLookup); }
void CDlgDingBanHeZai::OnGongShi() { kv::shell::SendCommand(kFormulaWizard); }

void CDlgDingBanHeZai::accept() {
    if (UpdateData(true)) QDialog::accept();
}

// ---- floor ---------------------------------------------------------------------------

CDlgDiBanHeZai::CDlgDiBanHeZai(QWidget* parent) : QDialog(parent) {
    setObjectName("8278");
    setWindowTitle(QStringLiteral("底板荷载计算"));
    m_cResistClass = new QComboBox(this);
    m_cResistClass->setObjectName("1046");
    for (const char* c : {"核6B级", "核6级", "核5级", "核4B级", "核4级"}) m_cResistClass->addItem(QString::fromUtf8(c));
    m_cBuildingForm = new QComboBox(this);
    m_cBuildingForm->setObjectName("1085");
    for (const char* f : {"砌体结构", "钢砼外墙结构", "其它结构"}) m_cBuildingForm->addItem(QString::fromUtf8(f));
    m_eWeight = Edit(this, 3101);
    m_eArea = Edit(this, 3102);
    m_eBuoyancy = Edit(this, 3104);
    m_eSelf = Edit(this, 3106, true);
    m_eSoilH = Edit(this, 3108);
    m_eSoilGamma = Edit(this, 3110);
    m_eQe = Edit(this, 3103);
    m_eLoad = Edit(this, 3111, true);

    auto* grid = new QGridLayout;
    auto* classRow = new QHBoxLayout;
    classRow->addWidget(m_cResistClass, 1);
    auto* note = Button(this, QStringLiteral(">"), 3210);
    note->setMaximumWidth(28);
    classRow->addWidget(note);
    int row = grid->rowCount();
    grid->addWidget(new QLabel(QStringLiteral("抗力级别:")), row, 0);
    grid->addLayout(classRow, row, 1);
    AddRow(grid, QStringLiteral("上部建筑形式:"), m_cBuildingForm);
    AddRow(grid, QStringLiteral("上部建筑物总重(KN):"), m_eWeight);
    AddRow(grid, QStringLiteral("基础面积(m2):"), m_eArea);
    AddRow(grid, QStringLiteral("地下水浮力(kN/m2):"), m_eBuoyancy);
    AddRow(grid, QStringLiteral("基础板重(kN/m2):"), m_eSelf);
    AddRow(grid, QStringLiteral("板上覆土厚(m):"), m_eSoilH);
    AddRow(grid, QStringLiteral("覆土容重(kN/m3):"), m_eSoilGamma);
    const LookUpButtons lookUp = AddQeRow(this, grid, QStringLiteral("人防底板等效静荷载(kN/m2):"), m_eQe, 3114);
    AddRow(grid, QStringLiteral("底板荷载设计值(kN/m2):"), m_eLoad);
    const EndButtons end = LayOut(this, grid);

    connect(end.calculate, &QPushButton::clicked, this, &CDlgDiBanHeZai::OnCalculate);
    connect(lookUp.table, &QPushButton::clicked, this, &CDlgDiBanHeZai::OnChaBiao);
    connect(lookUp.formula, &QPushButton::clicked, this, &CDlgDiBanHeZai::OnGongShi);
    connect(note, &QPushButton::clicked, this, &CDlgDiBanHeZai::OnGuiFanNote);
    connect(end.ok, &QPushButton::clicked, this, &CDlgDiBanHeZai::accept);
}

int CDlgDiBanHeZai::exec() {
    if (m_pData) {
        m_resistClass = m_pData->ResistClass;
        m_buildingForm = m_pData->BuildingForm;
        m_weight = m_pData->FloorWeight;
        m_area = m_pData->FloorArea;
        m_buoyancy = m_pData->FloorBuoyancy;
        m_self = SelfWeight(*m_pData);
        m_soilH = m_pData->FloorSoilH;
        m_soilGamma = m_pData->FloorSoilGamma;
        m_qe = m_pData->FloorQe;
        m_load = m_pData->FloorLoad;
    }
    UpdateData(false);
    return QDialog::exec();
}

bool CDlgDiBanHeZai::UpdateData(bool save) {
    using namespace kv::ddx;
    if (save) {
        m_resistClass = m_cResistClass->currentIndex();
        m_buildingForm = m_cBuildingForm->currentIndex();
    } else {
        m_cResistClass->setCurrentIndex(m_resistClass);
        m_cBuildingForm->setCurrentIndex(m_buildingForm);
    }
    return Float(m_eWeight, m_weight, save) && Float(m_eArea, m_area, save) && Float(m_eBuoyancy, m_buoyancy, save) &&
           Float(m_eSelf, m_self, save) && Float(m_eSoilH, m_soilH, save) && Float(m_eSoilGamma, m_soilGamma, save) &&
           Float(m_eQe, m_qe, save) && Float(m_eLoad, m_load, save);
}

bool CDlgDiBanHeZai::ControlsToData() {
    if (!m_pData || !UpdateData(true)) return false;
    m_pData->ResistClass = m_resistClass;
    m_pData->BuildingForm = m_buildingForm;
    m_pData->FloorWeight = m_weight;
    m_pData->FloorArea = m_area;
    m_pData->FloorBuoyancy = m_buoyancy;
    m_pData->FloorSelf = m_self;
    m_pData->FloorSoilH = m_soilH;
    m_pData->FloorSoilGamma = m_soilGamma;
    m_pData->FloorQe = m_qe;
    m_pData->FloorLoad = m_load;
    return true;
}

void CDlgDiBanHeZai::OnCalculate() {
    if (!ControlsToData()) return;
    // A load that cannot be formed (a counted weight without a foundation area)
    // is said by the calculation and leaves the data as the fields hold it.
    if (!ban_floor_load(*m_pData)) return;
    m_load = m_pData->FloorLoad;
    UpdateData(false);
    ControlsToData();
}

void CDlgDiBanHeZai::OnChaBiao() { kv::shell::SendCommand(kTableLookup); }
void CDlgDiBanHeZai::OnGongShi() { kv::shell::SendCommand(kFormulaWizard); }

void CDlgDiBanHeZai::OnGuiFanNote() {
    kv::MessageBox("[规范4.9.4]\n\n"
                   "    *当地下水位以下无桩基防空地下室基础采用箱基或\n"
                   "筏基,且按规定的建筑物自重大于水的浮力,则地基反力\n"
                   "按不计入浮力计算时,底板荷载组合中可不计入水压力;\n"
                   "    *若地基反力按计入浮力计算时,底板荷载组合中应计\n"
                   "入水压力.\n"
                   "    *对地下水位以下带桩基的防空地下室,底板荷载组合\n"
                   "中应计入水压力.\n",
                   kv::MB_OK);
}

void CDlgDiBanHeZai::accept() {
    if (UpdateData(true)) QDialog::accept();
}
