#pragma once
// The flat slab's sheet (无梁楼盖): the pages 几何参数, 板带荷载 and 计算参数
// over the one flat-slab object, the first two with the input sketch of the
// frame and its loads, and the punching page 冲切验算 (dlgchongqie.h) last.
// Every write-back refills the punching record from the slab, so that the
// punching page starts from the current geometry, load and materials.
#include "views/dialogs/dlgtabsheet.h"

#include <QSize>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CBase_SGT;
class CDxfWnd;
class CWllgData;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The static object the 无梁楼盖 command edits.
extern CWllgData G_WllgData;

// What the three pages share: the data object, the write-back on a hide, the
// fields left for another control and, on the first two, the input sketch over
// the placeholder 1288.
class CWllgPage : public CSheetPage {
    Q_OBJECT
public:
    CWllgPage(CWllgData* data, int templateId);
    ~CWllgPage() override;

    // The data object into the controls; 1.
    virtual int DataToPage() = 0;
    // The controls into the data object, then the punching record refilled and
    // the sketch redrawn: 1; 0 (2 on 板带荷载) when a field failed its check,
    // told in the range message, the object unchanged.
    virtual int PageToData() = 0;
    virtual void EnableControls() {}

    void OnSetActive() override;
    void OnKillActive() override;

    // Draws the data object's sketch again (pages with a preview).
    void Redraw();
    const CBase_SGT* Sketch() const { return m_pSketch.get(); }

protected:
    // The preview over a placeholder button 1288 of `size`.
    QWidget* MakePreview(QSize size);
    QLineEdit* MakeEdit(int id, int width = 70);
    // The punching record refilled from the slab.
    void FillChongQie();
    // Focus leaving `edit` for another control runs `changed`.
    void OnLeave(QWidget* edit, std::function<void()> changed);
    bool eventFilter(QObject* watched, QEvent* event) override;

    CWllgData* m_pData;

private:
    CDxfWnd* m_pPreview = nullptr;
    std::unique_ptr<CBase_SGT> m_pSketch;
    std::vector<std::pair<QObject*, std::function<void()>>> m_leave;
};

// 几何参数 (177).
class CPageWllgJiHe : public CWllgPage {
    Q_OBJECT
public:
    explicit CPageWllgJiHe(CWllgData* data);
    int DataToPage() override;
    int PageToData() override;
    void EnableControls() override;

    void OnChange();      // the storey, a round column, the preview; 1277, 1290, 1371 left
    void OnSaveData();    // 1377 存数据
    void OnReadData();    // 3086 读数据
    void OnShowJianTu();  // 3089 查简图
    void OnShowReport();  // 3091 查报表
    void OnCalculate();   // 1359 计算

    static constexpr int kSpanBytes = 299;  // the span text's field holds 300 with its end

private:
    QLineEdit* m_eName;
    QRadioButton* m_rTop;  // 1283
    QRadioButton* m_rMid;  // 1281
    QLineEdit *m_eSpans, *m_eWidth, *m_eThick, *m_eUpper, *m_eLower;
    QCheckBox* m_cRound[3];
    QLineEdit *m_eB[3], *m_eH[3], *m_eD[3];
    QComboBox* m_cEdgeCap;  // 3196
    QLabel* m_lEdgeCap;     // 3197
};

// 板带荷载 (178).
class CPageWllgBanDai : public CWllgPage {
    Q_OBJECT
public:
    explicit CPageWllgBanDai(CWllgData* data);
    int DataToPage() override;
    int PageToData() override;
    void EnableControls() override;

    // The ids of the 13 loads in the order of their fields.
    static constexpr int kIds[13] = {1125, 1175, 1183, 1190, 1128, 1120, 1166, 1374, 1185, 1123, 1171, 1180, 1187};

private:
    QLineEdit* m_eLoad[13];
};

// 计算参数 (179).
class CPageWllgCanShu : public CWllgPage {
    Q_OBJECT
public:
    explicit CPageWllgCanShu(CWllgData* data);
    int DataToPage() override;
    int PageToData() override;
    void EnableControls() override;
    // The note of 1121 under the current code edition.
    static QString RedistributionTip();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox *m_cCon, *m_cBar;  // 1112, 1182
    QCheckBox* m_cSteam;         // 1352
    QLineEdit *m_eAs, *m_eRedist;
    QLineEdit *m_eCol[3], *m_eMid[3];
    QCheckBox* m_cCapDesign;  // 3207
};

// The sheet "无梁楼盖" on `data` with its four pages; its result (QDialog::Rejected
// for 返回).
int RunWllgSheet(QWidget* parent, CWllgData& data);

// What the 无梁楼盖 command sets before it binds the item: the civil-air-defence
// rules for the slab and its punching check.
void UseCivilDefenceRules(CWllgData& data);
