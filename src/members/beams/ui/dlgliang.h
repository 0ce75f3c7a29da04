#pragma once
// The beam-section dialog (梁截面计算): one section with its materials and design
// forces; 计算 shows the result lines, the sketch and the report and stores the
// item; *.BEM files are read and saved. A T or I section, single reinforcement
// and other report levels come only from a file: their controls stay hidden.
#include "views/dialogs/moduledlg.h"

class CLiangData;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTextEdit;
class QToolButton;

class CDlgLiang : public CModuleDlg {
    Q_OBJECT
public:
    explicit CDlgLiang(QWidget* parent = nullptr);

    void SetData(CLiangData* data) { m_pData = data; }
    int exec() override;

    // The controls into the data object; 0 (the object untouched) when a field fails its check.
    int DlgToData();
    int DataToDlg();
    // The picture of the section kind and the flange edits it asks for.
    int UpdateSectionPicture();

    void OnGradeChange();    // 1176, 1182, 1248
    void OnCalculate();      // 1359 计算
    void OnReadData();       // 3086 读数据
    void OnSaveData();       // 1377 存数据
    void OnShowJianTu();     // 3089 查简图
    void OnShowReport();     // 3091 查报表
    void OnOK();             // 1 返回
    void reject() override;  // Esc and the close box

private:
    void OnInitDialog();

    CLiangData* m_pData = nullptr;
    int m_nKind = 1;

    QLineEdit* m_eName = nullptr;        // 3087
    QComboBox* m_cConGrade = nullptr;    // 1176
    QComboBox* m_cBarGrade = nullptr;    // 1182
    QComboBox* m_cStirrup = nullptr;     // 1248
    QComboBox* m_cSpacing = nullptr;     // 1361
    QLineEdit* m_eM = nullptr;           // 1276
    QLineEdit* m_eT = nullptr;           // 1103
    QLineEdit* m_eV = nullptr;           // 1280
    QLineEdit* m_eAs = nullptr;          // 1223
    QLineEdit* m_eSpan = nullptr;        // 1193
    QLineEdit* m_eZeta = nullptr;        // 1145
    QLineEdit* m_eB = nullptr;           // 1077
    QLineEdit* m_eH = nullptr;           // 924
    QLineEdit* m_eBf = nullptr;          // 1363
    QLineEdit* m_eHf = nullptr;          // 1367
    QLineEdit* m_eBf1 = nullptr;         // 1364
    QLineEdit* m_eHf1 = nullptr;         // 1368
    QLineEdit* m_eFactor = nullptr;      // 1148
    QLabel* m_factorLabel = nullptr;     // 1354
    QCheckBox* m_cSteam = nullptr;       // 1352
    QCheckBox* m_cSupport = nullptr;     // 1356
    QRadioButton* m_rSingle = nullptr;   // 1258
    QRadioButton* m_rDouble = nullptr;   // 1260
    QComboBox* m_cReportLevel = nullptr; // 1256
    QComboBox* m_cKinds = nullptr;       // 1327
    QToolButton* m_picture = nullptr;    // 1195
    QTextEdit* m_results = nullptr;      // 1115
};

// The dialog on `data`, as the 梁配筋 command runs it; the dialog's result.
int RunLiangDialog(QWidget* parent, CLiangData& data);
