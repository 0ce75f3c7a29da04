#pragma once
// The grid-beam dialog (井字梁计算): the span lists and sections of the main
// beams each way, the secondary beams between them, the edge beams and the
// column supports edge by edge, materials, the panel load and how it is handed
// to the beams, and the redistribution. A preview of the grid follows every
// change; 计算 runs the analysis and shows the first drawing and the report;
// *.JZL files are read and saved.
#include "views/dialogs/moduledlg.h"

#include <memory>

class CBase_SGT;
class CBmpComboBox;
class CDxfWnd;
class CJzlData;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CDlgJzl : public CModuleDlg {
    Q_OBJECT
public:
    explicit CDlgJzl(QWidget* parent = nullptr);
    ~CDlgJzl() override;

    void SetData(CJzlData* data) { m_pData = data; }
    CJzlData* Data() const { return m_pData; }
    int exec() override;

    // The data object into the controls.
    void DataToDlg();
    // Every control checked, then copied into the data object and the preview
    // redrawn: 1; 0 when a field failed its check (its message shown, the focus
    // on it, the object untouched).
    int DlgToData();
    // The grid of the data object, outlines and supports, in the preview; empty
    // when the model cannot be built (the message window says why).
    void DrawPreview();
    // The preview as it is shown; null before the first redraw.
    const CBase_SGT* PreviewDrawing() const { return m_pDrawing.get(); }

    void OnGradeChange();   // 1176, 1182, 1248
    void OnCalculate();     // 1170 计算
    void OnReadData();      // 3086 读数据
    void OnSaveData();      // 1377 存数据
    void OnShowJianTu();    // 3089 查简图
    void OnShowReport();    // 3091 查报表
    void OnOK();            // after 计算
    void reject() override; // 2 返回, Esc and the close box

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void SetToolTips();
    void OnGridChange();    // the edges, the counts, the span lists, a click on the preview

    CJzlData* m_pData = nullptr;
    CDxfWnd* m_pPreview = nullptr;        // over 914
    std::unique_ptr<CBase_SGT> m_pDrawing;

    QComboBox* m_cLoadMode = nullptr;     // 1160
    QCheckBox* m_cEdgeBeam[4] = {};       // 1006, 1053, 1081, 1083: 下边, 右边, 上边, 左边
    CBmpComboBox* m_cEdgeSupport[4] = {}; // 1087, 1089, 1093, 1096
    QLineEdit* m_eEdgeWidth[4] = {};      // 1363..1366
    QLineEdit* m_eEdgeHeight[4] = {};     // 1367..1370
    QLineEdit* m_eXWidth = nullptr;       // 1146
    QLineEdit* m_eXHeight = nullptr;      // 1015
    QLineEdit* m_eYWidth = nullptr;       // 1149
    QLineEdit* m_eYHeight = nullptr;      // 1373
    QLineEdit* m_eLoad = nullptr;         // 1155
    QLineEdit* m_eUnitWeight = nullptr;   // 918
    QLineEdit* m_eAs = nullptr;           // 1223
    QComboBox* m_cSpacing = nullptr;      // 1361
    QComboBox* m_cXSecondary = nullptr;   // 1130
    QComboBox* m_cYSecondary = nullptr;   // 1134
    QLineEdit* m_eXSecWidth = nullptr;    // 1152
    QLineEdit* m_eXSecHeight = nullptr;   // 1022
    QLineEdit* m_eYSecWidth = nullptr;    // 1157
    QLineEdit* m_eYSecHeight = nullptr;   // 1025
    QLineEdit* m_eConFactor = nullptr;    // 1372 (hidden)
    QLineEdit* m_eMainRedis = nullptr;    // 1202
    QLineEdit* m_eSecRedis = nullptr;     // 1205
    QCheckBox* m_cSteam = nullptr;        // 1352
    QLineEdit* m_eXSpans = nullptr;       // 1371
    QLineEdit* m_eYSpans = nullptr;       // 1002
    QLineEdit* m_eName = nullptr;         // 3087
    QComboBox* m_cConGrade = nullptr;     // 1176
    QComboBox* m_cBarGrade = nullptr;     // 1182
    QComboBox* m_cStirrup = nullptr;      // 1248
};

// The dialog on `data`, as the 井字梁 command runs it; the dialog's result.
int RunJzlDialog(QWidget* parent, CJzlData& data);
