#pragma once
// The load dialogs of the slab dialog's 导算荷载: the roof slab's "顶板荷载" and the
// floor slab's "底板荷载计算" derive the uniform design load from the dead loads and
// the equivalent static blast load. Only 计算 writes into the slab's data: the
// inputs, the result and the slab's load.
#include <QDialog>

class BAN_JS_STRUCT;
class QComboBox;
class QLineEdit;

class CDlgDingBanHeZai : public QDialog {
    Q_OBJECT
public:
    explicit CDlgDingBanHeZai(QWidget* parent = nullptr);
    void SetData(BAN_JS_STRUCT* data) { m_pData = data; }
    int exec() override;

    void OnCalculate();  // 1129 计算
    void OnChaBiao();    // 3115 查表
    void OnGongShi();    // 1167 公式
    void accept() override;  // 返回: reads the fields back, stores nothing

private:
    bool UpdateData(bool save);
    bool ControlsToData();

    BAN_JS_STRUCT* m_pData = nullptr;
    float m_self = 0, m_finishT = 0, m_finishGamma = 0, m_soilH = 0, m_soilGamma = 0, m_other = 0, m_qe = 0,
          m_load = 0;
    QLineEdit* m_eSelf = nullptr;         // 3106
    QLineEdit* m_eFinishT = nullptr;      // 3112
    QLineEdit* m_eFinishGamma = nullptr;  // 3117
    QLineEdit* m_eSoilH = nullptr;        // 3108
    QLineEdit* m_eSoilGamma = nullptr;    // 3110
    QLineEdit* m_eOther = nullptr;        // 3113
    QLineEdit* m_eQe = nullptr;           // 3103
    QLineEdit* m_eLoad = nullptr;         // 3105
};

class CDlgDiBanHeZai : public QDialog {
    Q_OBJECT
public:
    explicit CDlgDiBanHeZai(QWidget* parent = nullptr);
    void SetData(BAN_JS_STRUCT* data) { m_pData = data; }
    int exec() override;

    void OnCalculate();    // 1129 计算
    void OnChaBiao();      // 3114 查表
    void OnGongShi();      // 1167 公式
    void OnGuiFanNote();   // 3210 ">"
    void accept() override;

private:
    bool UpdateData(bool save);
    bool ControlsToData();

    BAN_JS_STRUCT* m_pData = nullptr;
    int m_resistClass = 0, m_buildingForm = 0;
    float m_weight = 0, m_area = 0, m_buoyancy = 0, m_self = 0, m_soilH = 0, m_soilGamma = 0, m_qe = 0,
          m_load = 0;
    QComboBox* m_cResistClass = nullptr;  // 1046
    QComboBox* m_cBuildingForm = nullptr; // 1085
    QLineEdit* m_eWeight = nullptr;       // 3101
    QLineEdit* m_eArea = nullptr;         // 3102
    QLineEdit* m_eBuoyancy = nullptr;     // 3104
    QLineEdit* m_eSelf = nullptr;         // 3106
    QLineEdit* m_eSoilH = nullptr;        // 3108
    QLineEdit* m_eSoilGamma = nullptr;    // 3110
    QLineEdit* m_eQe = nullptr;           // 3103
    QLineEdit* m_eLoad = nullptr;         // 3111
};
