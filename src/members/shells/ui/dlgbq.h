#pragma once
// The shallow-shell dialogs (矩形, 正六边形 and 圆形底球面扁壳): the plan,
// thicknesses, rise, edge or ring beam, load and materials typed into boxes that
// take only numbers; 计算 designs the shell and shows its first drawing and the
// report; *.BQ1, *.BQ2 and *.BQ3 files are read and saved.
#include "views/dialogs/moduledlg.h"

#include <string>

class CCircleBqData;
class CJsBaseData;
class CRectBqData;
class CSixBqData;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
struct WrittenResults;

namespace kv::shells {
class CFilterEdit;
}

// What the three dialogs share; each names its own module's object and run.
class CDlgBq : public CModuleDlg {
    Q_OBJECT
public:
    int exec() override;

    // The data object into the controls.
    void DataToDlg();
    // Every box checked, then copied into the data object: 1; 0 when a box failed
    // its check (its message shown, the object untouched).
    int DlgToData();

    void OnGradeChange();   // 1003, 1023, 1182
    void OnCalculate();     // 1008 (1129 for the circle) 计算
    void OnReadData();      // 3086 读数据
    void OnSaveData();      // 1377 存数据
    void OnShowJianTu();    // 3089 查简图
    void OnShowReport();    // 3091 查报表
    void OnOK();            // 1105 返回, and after 计算
    void reject() override; // Esc and the close box

    // The fields the dialog shows, wherever the module keeps them; null for a
    // field the module has not.
    struct Fields {
        float* size = nullptr;
        float* b = nullptr;
        int* t_top = nullptr;
        int* t_bottom = nullptr;
        float* r_const = nullptr;
        float* f = nullptr;
        int* beam_b = nullptr;
        int* beam_h = nullptr;
        float* q = nullptr;
        int* as = nullptr;
        int* concrete_grade = nullptr;
        int* shell_rebar_grade = nullptr;
        int* beam_rebar_grade = nullptr;
        int* steam_cured = nullptr;
        int* rebar_mode = nullptr;
        int* e_alpha = nullptr;
        int* e1_alpha = nullptr;
        std::string* boundary = nullptr;
        std::string* shell_no = nullptr;
        std::string* name = nullptr;
    };

protected:
    struct Kind {
        int dialogId;
        const char* caption;
        int calculateId;
        const char* sizeLabel;  // 1054
        bool hasB;              // 1072
        bool circle;            // load and beam labels, e_α, e1_α, the support combo
        const char* filter;
        const char* ext;
        int picture;            // 909
    };
    CDlgBq(QWidget* parent, const Kind& kind);

    virtual CJsBaseData* JsData() const = 0;
    // The module's fields into the controls or out of them, into a copy first so a
    // refused box leaves the object as it was; false when a box was refused.
    virtual bool Exchange(bool save) = 0;
    // Calculation, report and drawings, on the calculation runner.
    virtual WrittenResults Run() = 0;

    // Into the controls, or (save) out of them; false when a box was refused.
    bool ExchangeFields(const Fields& f, bool save);

private:
    void OnInitDialog();
    kv::shells::CFilterEdit* NumberBox(int id);

    Kind m_kind;
    kv::shells::CFilterEdit* m_eSize = nullptr;      // 1054
    kv::shells::CFilterEdit* m_eB = nullptr;         // 1072
    kv::shells::CFilterEdit* m_eTTop = nullptr;      // 912
    kv::shells::CFilterEdit* m_eTBottom = nullptr;   // 915
    kv::shells::CFilterEdit* m_eRConst = nullptr;    // 919
    kv::shells::CFilterEdit* m_eF = nullptr;         // 923
    kv::shells::CFilterEdit* m_eBeamB = nullptr;     // 1038
    kv::shells::CFilterEdit* m_eBeamH = nullptr;     // 1049
    kv::shells::CFilterEdit* m_eQ = nullptr;         // 1017
    kv::shells::CFilterEdit* m_eAs = nullptr;        // 1007
    kv::shells::CFilterEdit* m_eEAlpha = nullptr;    // 1097
    kv::shells::CFilterEdit* m_eE1Alpha = nullptr;   // 1100
    QComboBox* m_cShellNo = nullptr;                 // 1226
    QLineEdit* m_eName = nullptr;                    // 3087
    QComboBox* m_cConGrade = nullptr;                // 1003
    QComboBox* m_cShellBar = nullptr;                // 1023
    QComboBox* m_cBeamBar = nullptr;                 // 1182
    QComboBox* m_cBoundary = nullptr;                // 1090
    QCheckBox* m_cSteam = nullptr;                   // 1114
    QButtonGroup* m_gRebarMode = nullptr;            // 3236, 3237
};

// One dialog per module over its object.
template <class Data>
class CDlgBqOf : public CDlgBq {
public:
    void SetData(Data* data) { m_pData = data; }
    Data* GetData() const { return m_pData; }

protected:
    using CDlgBq::CDlgBq;
    CJsBaseData* JsData() const override;
    bool Exchange(bool save) override;
    WrittenResults Run() override;

    Data* m_pData = nullptr;
};

class CDlgRectBq : public CDlgBqOf<CRectBqData> {
public:
    explicit CDlgRectBq(QWidget* parent = nullptr);
};

class CDlgSixBq : public CDlgBqOf<CSixBqData> {
public:
    explicit CDlgSixBq(QWidget* parent = nullptr);
};

class CDlgCircleBq : public CDlgBqOf<CCircleBqData> {
public:
    explicit CDlgCircleBq(QWidget* parent = nullptr);
};

// The dialogs on `data`, as the module commands run them; the dialog's result.
int RunRectBqDialog(QWidget* parent, CRectBqData& data);
int RunSixBqDialog(QWidget* parent, CSixBqData& data);
int RunCircleBqDialog(QWidget* parent, CCircleBqData& data);
