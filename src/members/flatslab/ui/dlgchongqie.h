#pragma once
// 冲切验算 (182), the last page of the flat slab's sheet: the punching record of
// the slab, its sketch, the check or the transverse steel of a reversed drop
// panel with their messages, and (behind hidden buttons) *.KCQ files and a
// punching report.
#include "views/dialogs/dlgtabsheet.h"

#include <memory>
#include <string>

class CBase_SGT;
class CDxfWnd;
class CWllgData;
struct CHONGQIE_JS_STRUCT;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class CDlgChongQie : public CSheetPage {
    Q_OBJECT
public:
    CDlgChongQie(CHONGQIE_JS_STRUCT* record, CWllgData* data);
    ~CDlgChongQie() override;

    // The record into the controls: 1, or 0 without a record.
    int RecordToPage();
    // The controls into the record and the sketch redrawn: 1, or 0 (the record
    // unchanged) when a field is not a number.
    int PageToRecord();
    void EnableControls();
    void Redraw();

    void OnSetActive() override;
    void OnKillActive() override;

    void OnCheck();            // 1170 验算冲切
    void OnTransverseSteel();  // 3215 计算横向配筋
    void OnReadData();         // 1163 读入数据
    void OnSaveData();         // 922 保存数据
    void OnReport();           // 1375 生成报表

    // `path` with the extension of its file name (none: appended) made `ext`
    // (".KCQ"); a dot in a folder name is no extension.
    static std::string WithExtension(const std::string& path, const std::string& ext);

    QListWidget* Messages() const { return m_list; }
    const CBase_SGT* Sketch() const { return m_pSketch.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A control changed: the record, the enabling and the sketch follow.
    void OnChange();
    void RunAndList(int (*run)(const CHONGQIE_JS_STRUCT&));

    CHONGQIE_JS_STRUCT* m_pRecord;
    CWllgData* m_pData;
    CDxfWnd* m_pPreview = nullptr;
    std::unique_ptr<CBase_SGT> m_pSketch;

    QCheckBox* m_cSteam;      // 1352
    QComboBox* m_cStirrup;    // 1248
    QComboBox* m_cSpacing;    // 1361
    QComboBox* m_cConGrade;   // 1176
    QLineEdit *m_eLength, *m_eWidth, *m_eThick;  // 1016, 1196, 1242
    QLineEdit *m_eLoad, *m_eAs;                  // 3094, 1223
    QLineEdit *m_eColB, *m_eColH, *m_eColD;      // 1153, 1036, 1043
    QLineEdit *m_eCapB, *m_eCapH, *m_eCapD, *m_eCapThick;  // 1150, 1026, 1031, 1048
    QRadioButton *m_rNoStirrup, *m_rStirrup;     // 3082, 1110
    QRadioButton *m_rNoCap, *m_rCap;             // 3085, 1113
    QRadioButton *m_rCapUp, *m_rCapDown;         // 3088, 3090
    QRadioButton *m_rRound, *m_rSquare;          // 3092, 3093
    QCheckBox* m_cReversed;                      // 3214
    QPushButton *m_check, *m_transverse;         // 1170, 3215
    QListWidget* m_list;                         // 3080
};
