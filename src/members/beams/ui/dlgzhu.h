#pragma once
// The column-section dialog (柱截面计算): one section with its materials, design
// forces and the end moments of the p-δ effect; 计算 shows the result lines, the
// sketch and the report and stores the item; *.ZHU files are read and saved.
// The section kind steps on the (hidden) scroll bar beside its picture.
#include "views/dialogs/moduledlg.h"

class CZhuData;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QTextEdit;
class QToolButton;

class CDlgZhu : public CModuleDlg {
    Q_OBJECT
public:
    explicit CDlgZhu(QWidget* parent = nullptr);

    void SetData(CZhuData* data) { m_pData = data; }
    int exec() override;

    int DlgToData();
    int DataToDlg();
    // The picture of the section kind and the edits it asks for.
    int UpdateSectionPicture();

    void OnChange();                 // 1353 p-δ, 1176, 1182, 1248
    void OnKindScroll(int action);   // 1338: line up or down
    void OnCalculate();              // 1359 计算
    void OnReadData();               // 3086 读数据
    void OnSaveData();               // 1377 存数据
    void OnShowJianTu();             // 3089 查简图
    void OnShowReport();             // 3091 查报表
    void OnOK();                     // 1 返回
    void reject() override;          // Esc and the close box

private:
    void OnInitDialog();
    // The typed stirrup spacing into `spacing`; false (the message shown) when it is not above 0.
    bool Spacing(int& spacing);

    CZhuData* m_pData = nullptr;
    int m_nKind = 0;  // 0 rectangle, 1 I section, 2 circle

    QLineEdit* m_eName = nullptr;         // 3087
    QComboBox* m_cConGrade = nullptr;     // 1176
    QComboBox* m_cBarGrade = nullptr;     // 1182
    QComboBox* m_cStirrup = nullptr;      // 1248
    QComboBox* m_cSpacing = nullptr;      // 1361
    QLineEdit* m_eMx = nullptr;           // 1263
    QLineEdit* m_eMy = nullptr;           // 1124
    QLineEdit* m_eVx = nullptr;           // 1268
    QLineEdit* m_eVy = nullptr;           // 1137
    QLineEdit* m_eN = nullptr;            // 1270
    QLineEdit* m_eL0 = nullptr;           // 1272
    QLineEdit* m_eAs = nullptr;           // 1223
    QCheckBox* m_cPDelta = nullptr;       // 1353
    QLineEdit* m_eMx1 = nullptr;          // 1264
    QLineEdit* m_eMx2 = nullptr;          // 1265
    QLineEdit* m_eMy1 = nullptr;          // 1125
    QLineEdit* m_eMy2 = nullptr;          // 1126
    QLineEdit* m_eB = nullptr;            // 1077
    QLineEdit* m_eH = nullptr;            // 924
    QLineEdit* m_eBf = nullptr;           // 1365
    QLineEdit* m_eBf1 = nullptr;          // 1366
    QLineEdit* m_eHf = nullptr;           // 1369
    QLineEdit* m_eHf1 = nullptr;          // 1370
    QLineEdit* m_eD = nullptr;            // 1118
    QRadioButton* m_rSymmetric = nullptr; // 1258
    QRadioButton* m_rAsymmetric = nullptr;// 1260
    QCheckBox* m_cSteam = nullptr;        // 1352
    QComboBox* m_cSeismic = nullptr;      // 1254
    QComboBox* m_cReportLevel = nullptr;  // 1275
    QScrollBar* m_kindBar = nullptr;      // 1338
    QToolButton* m_picture = nullptr;     // 1195
    QTextEdit* m_results = nullptr;       // 1115
    QWidget* m_calculate = nullptr;       // 1359
};

// The dialog on `data`, as the 柱配筋 command runs it; the dialog's result.
int RunZhuDialog(QWidget* parent, CZhuData& data);
