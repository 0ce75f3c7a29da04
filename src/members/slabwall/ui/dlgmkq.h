#pragma once
// The door-frame and window-well wall dialog: the lip's section shape (picked
// with a small scroll bar beside its picture), dimensions, loads, materials and
// stirrups; 计算 shows the messages, the drawing and the report and stores the
// item; *.MKQ (门框墙) or *.CJQ (窗井墙) files are read and saved. The data
// object's Kind (0 door frame, 1 window well) chooses caption, file type and
// load dialog.
#include "views/dialogs/moduledlg.h"
#include <QString>

#include <string>

class CMkqData;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTextEdit;
class QToolButton;

class CDlgMkq : public CModuleDlg {
    Q_OBJECT
public:
    explicit CDlgMkq(QWidget* parent = nullptr);

    void SetData(CMkqData* data) { m_pData = data; }
    CMkqData* Data() const { return m_pData; }
    int exec() override;

    // Controls into the data object; 0 (and the data object untouched) when a field
    // fails its check.
    int ControlsToData();
    // The data object into the controls.
    int DataToControls();
    // The picture of the section shape; a enabled only for the haunched lip.
    void LoadShapeBitmaps();

    void OnLengthKillFocus();  // 1353 L: L1 and L2 follow it
    void OnGradeChange();      // 1176, 1182, 1248
    void OnShapeScroll(int action);  // 1338: line and page up or down
    void OnShapeThumbReleased();     // 1338: the thumb let go
    void OnCalculate();        // 1359 计算
    void OnReadData();         // 3086 读数据
    void OnSaveData();         // 1377 存数据
    void OnShowJianTu();       // 3089 查简图
    void OnShowReport();       // 3091 查报表
    void OnLoadRules();        // 1162 规范荷载规定
    void OnOK();               // 1 返回
    void reject() override;    // Esc and the close box

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    // L1 and L2 from the L the edit holds; false (with the range message) when
    // it holds no number.
    bool DeriveLoadPositions();
    void ShowPicture(const std::string& name);
    std::string FilePattern() const;

    CMkqData* m_pData = nullptr;
    int m_nKind = 0;
    int m_nShape = 0;  // the record's shape − 1

    QLineEdit* m_eName = nullptr;      // 3087
    QLineEdit* m_eL = nullptr;         // 1353
    QLineEdit* m_eH = nullptr;         // 924
    QLineEdit* m_eL1 = nullptr;        // 1233
    QLineEdit* m_eL2 = nullptr;        // 1238
    QLineEdit* m_eA = nullptr;         // 1068
    QLineEdit* m_eLa = nullptr;        // 1269
    QLineEdit* m_eQi = nullptr;        // 1265
    QLineEdit* m_eQe = nullptr;        // 1127
    QComboBox* m_cConGrade = nullptr;  // 1176
    QComboBox* m_cBarGrade = nullptr;  // 1182
    QComboBox* m_cStirrup = nullptr;   // 1248
    QComboBox* m_cSpacing = nullptr;   // 1361
    QLineEdit* m_eAs = nullptr;        // 1223
    QCheckBox* m_cSteam = nullptr;     // 1352
    QCheckBox* m_cCrack = nullptr;     // 3212
    QLineEdit* m_eFactor = nullptr;    // 1148
    QLabel* m_factorLabel = nullptr;   // 1354
    QComboBox* m_cReportLevel = nullptr;  // 1275
    QScrollBar* m_shapeBar = nullptr;  // 1338
    QToolButton* m_picture = nullptr;  // 1195
    QTextEdit* m_messages = nullptr;   // 1115
    QPushButton* m_calculate = nullptr;  // 1359
};

// The dialog on `data`, as the 门框墙 and 窗井墙 commands run it; the dialog's result.
int RunMkqDialog(QWidget* parent, CMkqData& data);
