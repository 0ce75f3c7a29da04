#pragma once
// The wall dialog "墙截面计算" of the exterior wall (外墙), the wall adjacent to
// air (临空墙) and the partition wall (单元隔墙): edits the wall record, runs the
// calculation, shows the drawing and the report, reads and writes wall data
// files and opens the kind's load calculation. The record's Kind chooses the
// title, the file type, what 规范 opens and the halving of the moments handed to
// the section checks.
#include "views/dialogs/moduledlg.h"

#include <QString>

#include <string>

class CBianJieButton;
class CBmpComboBox;
class CLkqData;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CDlgQiang : public CModuleDlg {
    Q_OBJECT
public:
    explicit CDlgQiang(QWidget* parent = nullptr);

    void SetData(CLkqData* data) { m_pData = data; }
    CLkqData* Data() const { return m_pData; }
    int exec() override;

    // Controls into the record; 0 (the record keeping its fields but the name)
    // when a field fails its check.
    virtual int DlgToData();
    // The record into the controls.
    virtual int DataToDlg();

    // The edge options follow the theory: plastic offers 简支 and 固定 only.
    void UpdateEdgeCombos();

    void OnCalculate();       // 1359 计算
    void OnEdgeChange();
    void OnGradeChange();
    void OnCornerClicked();
    void OnElastic();         // 1355 弹性内力
    void OnPlastic();         // 1110 塑性内力
    void OnOneWay();          // 3223 竖向单向板
    void OnTwoWay();          // 3077 双向板
    void OnReadData();        // 3086 读数据
    void OnSaveData();        // 1377 存数据
    void OnShowJianTu();      // 3089 查简图
    void OnShowReport();      // 3091 查报表
    void OnGuiFan();          // 1162 规范
    void OnRoofCheck();       // 3224 顶板验算>> (hidden)
    void OnFloorCheck();      // 3225 底板验算>> (hidden)
    void OnOK();              // 1 返回
    void reject() override;   // Esc and the close box

    // The wall's natural circular frequency.
    float GetOmega() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    bool UpdateData(bool save);
    void UpdatePicture();
    // Each edge combo on its working code (none when the combo lacks it).
    void SelectEdgeCombos();
    // A one-way wall shows neither side edges nor a width: the sides become
    // simply supported and the hidden width `width`, so the next transfer
    // takes them; a two-way wall shows them again.
    void ShowOneWay(bool oneWay);
    void SetSideCodes(int right, int left);
    void SetWidthText(float width);
    void SectionCheck(int mode);
    std::string FileFilter() const;
    std::string FileExt() const;

    CLkqData* m_pData = nullptr;
    int m_nKind = 0;

    // Dialog values.
    float m_a = 0, m_b = 0, m_n = 0, m_q = 0, m_qt = 0, m_midFactor = 0, m_edgeFactor = 0;
    int m_t = 0, m_as = 0;
    int m_steam = 0;
    int m_theory = 0;       // 0 elastic, 1 plastic
    int m_wayIndex = 0;     // 0 竖向单向板, 1 双向板
    float m_fixity = 0.8f;
    int m_secondOrder = 0;
    float m_beta = 1.0f;
    std::string m_description;
    int m_edgeType[4] = {0, 0, 0, 0};
    int m_corner[4] = {0, 0, 0, 0};
    // What a switch back to two-way restores.
    int m_savedSide[2] = {0, 0};  // right, left
    float m_restoreWidth = 6.0f;
    bool m_exchanging = false;

    // Controls, by id.
    QLineEdit* m_eDescription = nullptr;  // 3087
    QLineEdit* m_eA = nullptr;            // 1068
    QLabel* m_aLabel = nullptr;           // 3226
    QLineEdit* m_eB = nullptr;            // 1077
    QLineEdit* m_eT = nullptr;            // 924
    QLineEdit* m_eN = nullptr;            // 1240
    QLineEdit* m_eQ = nullptr;            // 1209
    QLineEdit* m_eQt = nullptr;           // 1211
    QComboBox* m_cConGrade = nullptr;     // 1176
    QLineEdit* m_eAs = nullptr;           // 1223
    QComboBox* m_cBarGrade = nullptr;     // 1182
    QLineEdit* m_eMidFactor = nullptr;    // 1284
    QLineEdit* m_eEdgeFactor = nullptr;   // 1192
    QCheckBox* m_cSteam = nullptr;        // 1352
    QButtonGroup* m_theoryGroup = nullptr;// 1355, 1110
    QButtonGroup* m_wayGroup = nullptr;   // 3223, 3077
    QLineEdit* m_eFixity = nullptr;       // 3220
    QLabel* m_fixityLabel = nullptr;      // 3217
    QCheckBox* m_cSecondOrder = nullptr;  // 1353
    CBmpComboBox* m_cEdge[4] = {};        // 1024, 1041, 1056, 1064
    QCheckBox* m_cCorner[4] = {};         // 1294, 1297, 1376, 1305
    QListWidget* m_list = nullptr;        // 1115
    CBianJieButton* m_picture = nullptr;  // 1195
    QPushButton* m_guiFan = nullptr;      // 1162
};

// The wall dialog on `data`, as the 外墙, 临空墙 and 单元隔墙 commands run it; the dialog's result.
int RunQiangDialog(QWidget* parent, CLkqData& data);
