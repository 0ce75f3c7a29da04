#pragma once
// The continuous-beam dialog (连续梁计算): the end supports, the span count, one
// span and one of its loads at a time through two small scroll bars, materials
// and design options, with a preview of the beam and its loads that follows
// every change. 计算 checks every load against its span first; *.LXL files are
// read and saved. A hidden button hands the span lengths to the outside load
// tool and turns its line loads into uniform loads.
#include "views/dialogs/moduledlg.h"

#include <memory>
#include <string>

class CBase_SGT;
class CBmpComboBox;
class CDxfWnd;
class CLxlData;
struct LXL_LOAD;
struct LXL_SPAN;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;

class CDlgLxl : public CModuleDlg {
    Q_OBJECT
public:
    explicit CDlgLxl(QWidget* parent = nullptr);
    ~CDlgLxl() override;

    void SetData(CLxlData* data) { m_pData = data; }
    CLxlData* Data() const { return m_pData; }
    int exec() override;

    // The controls into the data object: 1 when copied (or copying is off), 2
    // when a field failed its check (its message shown, the object untouched).
    int ControlsToData();
    // The data object into the controls.
    void DataToControls();
    // Which load fields show, their labels and the type's picture, then the preview.
    void RefreshLoadControls();
    // Draws the beam and its loads again.
    void RefreshPreview();
    // 1 when every load lies on its span; else the first that does not is told,
    // made current and shown, and 0.
    int CheckLoadGeometry();

    void OnSpanScroll(int action);   // 1200: line up or down
    void OnLoadScroll(int action);   // 1197: line up or down
    void OnSpanCountChange();        // 1021 left, or a count typed
    void OnLoadCountChange();        // 1052 left, or a count typed
    void OnLoadTypeChange();         // 1075
    void OnLoadGeometryChange();     // 1104 and 1107 left
    void OnGradeChange();            // 1176, 1182, 1248
    void ShowMinXiCheck();           // 1202: 1353 only with a redistribution
    void OnCalculate();              // 1359 计算
    void OnReadData();               // 3086 读数据
    void OnSaveData();               // 1377 存数据
    void OnShowJianTu();             // 3089 查简图
    void OnShowReport();             // 3091 查报表
    void OnLoadInterface();          // 3232 荷载计算>> (hidden)
    void OnOK();                     // 1 返回
    void reject() override;          // Esc and the close box

    // Starts the outside program that the key `toolKey` of "Hubrin.ini" names
    // (the built-in `exeName` of the program folder when the key is missing or
    // says "default") and waits for it: 1 when it ran to its end; 0, with
    // "荷载程序运行错误！", when it could not.
    static int RunExtTool(const std::string& exeName, const std::string& toolKey);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void SetToolTips();
    LXL_SPAN& CurrentSpan() const;
    LXL_LOAD& CurrentLoad() const;

    CLxlData* m_pData = nullptr;
    int m_nCopying = 0;
    std::unique_ptr<CBase_SGT> m_pDrawing;
    CDxfWnd* m_pPreview = nullptr;     // over 914

    CBmpComboBox* m_cLeft = nullptr;   // 1024
    CBmpComboBox* m_cRight = nullptr;  // 1014
    QLineEdit* m_eSpanNum = nullptr;   // 1021
    QLineEdit* m_eCurSpan = nullptr;   // 1358
    QScrollBar* m_spanBar = nullptr;   // 1200
    QLineEdit* m_eLength = nullptr;    // 1030
    QLineEdit* m_eWidth = nullptr;     // 1047
    QLineEdit* m_eHeight = nullptr;    // 1035
    QLineEdit* m_eLoadNum = nullptr;   // 1052
    QLineEdit* m_eCurLoad = nullptr;   // 1057
    QScrollBar* m_loadBar = nullptr;   // 1197
    CBmpComboBox* m_cLoadType = nullptr;  // 1075
    QToolButton* m_picture = nullptr;  // 1069
    QLabel* m_valueLabel[4] = {};      // 1080, 1086, 1092, 1095
    QLineEdit* m_eValue[4] = {};       // 1099 q1, 1102 q2, 1104 a, 1107 c
    QRadioButton* m_rDead = nullptr;   // 1060
    QRadioButton* m_rLive = nullptr;   // 1065
    QWidget* m_loadKindGroup = nullptr;  // 1255
    QComboBox* m_cConGrade = nullptr;  // 1176
    QLineEdit* m_eAs = nullptr;        // 1223
    QComboBox* m_cBarGrade = nullptr;  // 1182
    QComboBox* m_cStirrup = nullptr;   // 1248
    QComboBox* m_cSpacing = nullptr;   // 1361
    QComboBox* m_cSeismic = nullptr;   // 1111
    QLineEdit* m_eSupportFactor = nullptr;  // 1117
    QLineEdit* m_eMidFactor = nullptr;      // 1284
    QLineEdit* m_eConFactor = nullptr;      // 1372
    QCheckBox* m_cSteam = nullptr;     // 1352
    QCheckBox* m_cMinKsai = nullptr;   // 1353
    QLineEdit* m_eRedistribution = nullptr;  // 1202
    QLineEdit* m_eName = nullptr;      // 3087
    QPushButton* m_calculate = nullptr;  // 1359
    QPushButton* m_loadTool = nullptr;   // 3232
};

// The dialog on `data`, as the 连续梁 command runs it; the dialog's result.
int RunLxlDialog(QWidget* parent, CLxlData& data);
