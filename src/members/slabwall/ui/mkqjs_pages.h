#pragma once
// The pages of the second door-frame wall in the calculation host
// (widgets/ui/dlgjisuan.h): the input page with its two child pages 基本信息
// and 材料参数, the sketch of the current side and the picture of the door, the
// diagram page with the scale of the selected diagram and the reinforcement
// page whose drawing follows every change of a bar; and the two dialogs of the
// load page, the import review 导入荷载 and the scheme 示意图.
#include <QDialog>

#include <memory>
#include <string>

#include "members/slabwall/mkqjs_data.h"
#include "members/slabwall/mkqjs_input.h"
#include "members/slabwall/mkqjs_tables.h"
#include "widgets/ui/dlgbase.h"

class CBase_SGT;
class CDxfWnd;
class EasyTableView;
class QLabel;
class QTextEdit;

// 基本信息: the door, the sizes and the loads of the sides, and the load tool.
class CDlgMkqLoad : public CDlgBase {
    Q_OBJECT
public:
    explicit CDlgMkqLoad(QWidget* parent = nullptr);
    void SetData(CMkqJsData* data) { m_pData = data; }

    int CreateDlg(QWidget* parent) override;
    int InitDlg() override;
    int RefreshDlg() override;

    void OnHeZaiDuQu();    // 2013 荷载读取<<
    void OnHeZaiJiSuan();  // 2011 荷载计算>>
    void OnShiYiTu();      // 1067 示意图

    // A message of one of the three grids.
    int OnGridMessage(CEasyTableWnd* grid, int message);

    CMkqMenDongTable m_MenDong;
    CMkqChiCunTable m_ChiCun;
    CMkqHeZaiTable m_HeZai;

protected:
    bool OnOK() override { return true; }
    bool OnCancel() override { return true; }

private:
    CMkqJsData* m_pData = nullptr;
};

// 材料参数: materials and bar ranges.
class CDlgMkqGuiFan : public CDlgBase {
    Q_OBJECT
public:
    explicit CDlgMkqGuiFan(QWidget* parent = nullptr);
    void SetData(CMkqJsData* data) { m_pData = data; }

    int CreateDlg(QWidget* parent) override;
    int InitDlg() override;
    int RefreshDlg() override;
    int OnGridMessage(int message);

    CMkqCaiLiaoTable m_CaiLiao;
    CMkqXuanJinTable m_XuanJin;

protected:
    bool OnOK() override { return true; }
    bool OnCancel() override { return true; }

private:
    CMkqJsData* m_pData = nullptr;
};

// The input page (225).
class CDlgMkqInput : public CDlgBase {
    Q_OBJECT
public:
    explicit CDlgMkqInput(QWidget* parent = nullptr);
    ~CDlgMkqInput() override;
    void SetData(CMkqJsData* data, CJiSuanBase* jisuan) {
        m_pData = data;
        m_pJiSuan = jisuan;
    }

    int CreateDlg(QWidget* parent) override;
    int InitDlg() override;
    int RefreshDlg() override;
    CJsDataBase* GetJsDataBase() override { return m_pData; }
    CJsResultBase* GetJsResultBase() override;
    CJiSuanBase* GetJiSuanBase() override { return m_pJiSuan; }
    int LoadPrompt(int clear) override;
    int AfterJisuan() override { return 1; }
    int OnTableMessage(int message, std::uintptr_t wParam, std::intptr_t lParam) override;

    void OnTabChange(int index);
    void DrawSketch();
    void DrawPicture();
    // The sketch at 0.8 of the size that fills its window, about the window's centre.
    void FitSketch();

    CDlgMkqLoad* LoadPage() const { return m_pLoad; }
    CDlgMkqGuiFan* GuiFanPage() const { return m_pGuiFan; }
    const CBase_SGT* Sketch() const { return m_pSketch.get(); }
    const std::string& PictureName() const { return m_strPicture; }
    QTextEdit* PromptBox() const { return m_pPrompt; }

    // "IDR_WMF_PING_LEFT" ... "IDR_WMF_GONG_DOWN".
    static std::string PictureOf(int doorType, int side);

protected:
    bool OnOK() override { return true; }
    bool OnCancel() override { return true; }

private:
    CMkqJsData* m_pData = nullptr;
    CJiSuanBase* m_pJiSuan = nullptr;
    CDlgMkqLoad* m_pLoad = nullptr;
    CDlgMkqGuiFan* m_pGuiFan = nullptr;
    CPageRegister m_Pages;
    CEnTabCtrl* m_pTab = nullptr;
    QTextEdit* m_pPrompt = nullptr;
    CDxfWnd* m_pSketchWnd = nullptr;
    QLabel* m_pPicture = nullptr;
    std::unique_ptr<CBase_SGT> m_pSketch;
    std::string m_strPicture;
};

// 导入荷载: what the load tool gave, on a working copy, taken only by 导入.
class CDlgMkqDaoRu : public QDialog {
    Q_OBJECT
public:
    CDlgMkqDaoRu(QWidget* parent, CMkqJsData* data);
    void OnDaoRu();  // 1 导入

    CMkqJsData m_Copy;
    CMkqXieJiaoTable m_XieJiao;

private:
    CMkqJsData* m_pData;
};

// 示意图: the picture of the current door type.
class CDlgMkqShiYiTu : public QDialog {
    Q_OBJECT
public:
    CDlgMkqShiYiTu(QWidget* parent, const CMkqJsData* data);
};

// The diagram page (229): the scale of the selected diagram.
class CDlgMkqResult : public CDlgBase {
    Q_OBJECT
public:
    explicit CDlgMkqResult(QWidget* parent = nullptr);
    void SetData(CMkqJsData* data, CJiSuanBase* jisuan) {
        m_pData = data;
        m_pJiSuan = jisuan;
    }
    int CreateDlg(QWidget* parent) override;
    int InitDlg() override;
    CJsDataBase* GetJsDataBase() override { return m_pData; }
    CJsResultBase* GetJsResultBase() override;
    CJiSuanBase* GetJiSuanBase() override { return m_pJiSuan; }
    int OnTableMessage(int message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void DiagramSelected(int k) override;

    CMkqJianTuTable m_JianTu;

protected:
    bool OnOK() override { return true; }
    // The grid follows the diagram the host has selected.
    void showEvent(QShowEvent* event) override;

private:
    CMkqJsData* m_pData = nullptr;
    CJiSuanBase* m_pJiSuan = nullptr;
};

// 门框墙配筋修改 (228): the chosen bars and the reinforcement drawing.
class CDlgMkqDraw : public CDlgBase {
    Q_OBJECT
public:
    explicit CDlgMkqDraw(QWidget* parent = nullptr);
    ~CDlgMkqDraw() override;
    void SetData(CMkqJsData* data, CJiSuanBase* jisuan) {
        m_pData = data;
        m_pJiSuan = jisuan;
    }
    int CreateDlg(QWidget* parent) override;
    int InitDlg() override;
    int RefreshDlg() override;
    CJsDataBase* GetJsDataBase() override { return m_pData; }
    CJsResultBase* GetJsResultBase() override;
    CJiSuanBase* GetJiSuanBase() override { return m_pJiSuan; }
    int OnTableMessage(int message, std::uintptr_t wParam, std::intptr_t lParam) override;

    void Redraw();
    const CBase_SGT* Drawing() const { return m_pDrawing.get(); }

    CMkqPeiJinTable m_PeiJin;

protected:
    bool OnOK() override { return true; }

private:
    CMkqJsData* m_pData = nullptr;
    CJiSuanBase* m_pJiSuan = nullptr;
    CDxfWnd* m_pPreview = nullptr;
    std::unique_ptr<CBase_SGT> m_pDrawing;
};
