#pragma once
// The interior wall dialog "内墙计算": a wall that carries only a vertical load,
// designed as a compressed wall with its minimum steel. It edits the interior
// wall's record, runs the calculation with the face loads set to zero, writes the
// drawing and the report, and reads and writes interior-wall files (*.NQ).
#include "views/dialogs/moduledlg.h"

#include <string>

class CLkqData;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

// What the dialog shows, kept for the whole run: the program has one interior
// wall dialog, whose widget is made for each use.
struct NeiQiangDlgRecord {
    std::string name;      // 3087 说明, the item name
    std::string conGrade;  // 1176, the concrete grade as the combo shows it ("30")
    float height = 0;      // 1077, m
    int thickness = 0;     // 924, mm
    float vertLoad = 0;    // 1240, kN/m
    int barIndex = 1;      // 1182: HPB235, HRB335, HRB400, RRB400; grade = index + 1
    int as = 0;            // 1223, mm (hidden)
    int steam = 0;         // 1352
};
NeiQiangDlgRecord& NeiQiangDialogRecord();

class CDlgNeiQiang : public CModuleDlg {
    Q_OBJECT
public:
    explicit CDlgNeiQiang(QWidget* parent = nullptr);

    void SetData(CLkqData* data) { m_pData = data; }
    CLkqData* Data() const { return m_pData; }
    int exec() override;

    // Controls into the record; 0 when a field fails its check (the item name is
    // taken before the checks).
    virtual int DlgToData();
    // The record into the controls.
    virtual int DataToDlg();

    void OnCalculate();   // 1359 计算
    void OnReadData();    // 3086 读数据
    void OnSaveData();    // 1377 存数据
    void OnShowJianTu();  // 3089 查简图
    void OnShowReport();  // 3091 查报表
    void OnOK();          // 1 返回
    void reject() override;  // Esc and the close box

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool UpdateData(bool save);

    CLkqData* m_pData = nullptr;
    NeiQiangDlgRecord& m_r;
    bool m_exchanging = false;

    QLineEdit* m_eName = nullptr;       // 3087
    QLineEdit* m_eHeight = nullptr;     // 1077
    QLineEdit* m_eThickness = nullptr;  // 924
    QLineEdit* m_eVertLoad = nullptr;   // 1240
    QComboBox* m_cConGrade = nullptr;   // 1176
    QComboBox* m_cBarGrade = nullptr;   // 1182
    QLineEdit* m_eAs = nullptr;         // 1223
    QCheckBox* m_cSteam = nullptr;      // 1352
    QListWidget* m_list = nullptr;      // 1115
};

// The interior wall dialog on `data`, as the 内墙 command runs it: a window of
// its own (no parent); the dialog's result.
int RunNeiQiangDialog(QWidget* parent, CLkqData& data);
