#pragma once
// The roof and floor slab dialog "板计算": edits the slab's data, runs the
// calculation, shows the drawing and the report, reads and writes slab data
// files (*.LB roof, *.DB floor) and opens the load dialogs. The data object's
// Kind (0 roof, 1 floor) chooses texts, file type and load dialog.
#include "views/dialogs/moduledlg.h"

#include <QString>

#include <string>

class BAN_JS_STRUCT;
class CBianJieButton;
class CBmpComboBox;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CDlgBan : public CModuleDlg {
    Q_OBJECT
public:
    explicit CDlgBan(QWidget* parent = nullptr);

    void SetData(BAN_JS_STRUCT* data) { m_pData = data; }
    BAN_JS_STRUCT* Data() const { return m_pData; }
    int exec() override;

    // Controls into the data object; 0 (and the data object untouched) when a field
    // fails its check.
    virtual int DlgToData();
    // The data object into the controls.
    virtual int DataToDlg();

    // The edge options follow the theory: plastic offers 简支 and 固定 only.
    void UpdateEdgeCombos();

    void OnCalculate();       // 1359 计算
    void OnEdgeChange(int edge);
    void OnGradeChange();
    void OnFieldKillFocus();
    void OnElastic();         // 1355 弹性内力
    void OnPlastic();         // 1110 塑性内力
    void OnReadData();        // 3086 读数据
    void OnSaveData();        // 1377 存数据
    void OnShowJianTu();      // 3089 查简图
    void OnShowReport();      // 3091 查报表
    void OnDaoSuanHeZai();    // 3109 导算荷载
    void OnQiangYanSuan();    // 3218 墙体验算>> (hidden)
    void OnOK();              // 1 返回
    void reject() override;   // Esc and the close box

    // The slab's natural circular frequency.
    float GetOmega() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    bool UpdateData(bool save);
    // The given-moment edit of an edge shows only under plastic theory on a
    // simply supported edge.
    void ShowEdgeMoment(int edge);
    void UpdatePicture();
    std::string FilePattern() const;
    std::string FileExt() const;

    BAN_JS_STRUCT* m_pData = nullptr;
    int m_nKind = 0;

    // Dialog values.
    float m_a = 0, m_b = 0, m_q = 0, m_midFactor = 0, m_edgeFactor = 0;
    int m_as = 0;
    int m_steam = 0;
    float m_edgeMoment[4] = {0, 0, 0, 0};
    float m_t = 0;
    int m_number = 0;
    std::string m_description;
    int m_loadNote = 0;
    float m_wallThickness = 0;
    int m_theory = -1;  // 0 elastic, 1 plastic; none chosen at first
    float m_fixity = 0.8f;
    int m_edgeType[4] = {0, 0, 0, 0};
    int m_corner[4] = {0, 0, 0, 0};
    float m_shearFactor = 1.0f;
    bool m_exchanging = false;

    // Controls, by id.
    QLineEdit* m_eA = nullptr;            // 1068
    QLineEdit* m_eB = nullptr;            // 1077
    QLineEdit* m_eQ = nullptr;            // 1209
    QLabel* m_loadLabel = nullptr;        // 3205
    QLabel* m_upwardLabel = nullptr;      // 3206
    QLineEdit* m_eMidFactor = nullptr;    // 1284
    QLineEdit* m_eAs = nullptr;           // 1223
    QLineEdit* m_eEdgeFactor = nullptr;   // 1192
    QCheckBox* m_cSteam = nullptr;        // 1352
    QLineEdit* m_eEdgeMoment[4] = {};     // 1357, 1143, 1133, 1140
    QLineEdit* m_eT = nullptr;            // 1103
    QLineEdit* m_eNumber = nullptr;       // 1362
    QLineEdit* m_eDescription = nullptr;  // 3087
    QCheckBox* m_cLoadNote = nullptr;     // 3107
    QLineEdit* m_eWallThickness = nullptr;// 1109
    QButtonGroup* m_theoryGroup = nullptr;// 1355, 1110
    QLineEdit* m_eFixity = nullptr;       // 3220
    QLabel* m_fixityLabel = nullptr;      // 3217
    CBmpComboBox* m_cEdge[4] = {};        // 1024, 1041, 1056, 1064
    QComboBox* m_cConGrade = nullptr;     // 1176
    QComboBox* m_cBarGrade = nullptr;     // 1182
    QListWidget* m_list = nullptr;        // 1115
    CBianJieButton* m_picture = nullptr;  // 1195
    QPushButton* m_wallCheck = nullptr;   // 3218
};

// The slab dialog on `data`, as the 顶板 and 底板 commands run it; the dialog's result.
int RunBanDialog(QWidget* parent, BAN_JS_STRUCT& data);
