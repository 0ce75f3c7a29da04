#pragma once
// 选筋: four pages on the tab-sheet container. Three turn a required area into
// bar arrangements (纵筋选筋, 箍筋选筋, 分布筋选筋), rerunning their search on
// every change; the fourth (钢筋参数) gives a bar set's area, mean perimeter and
// weight. Each page edits one record of the run (members/beams/xuanjin.h).
#include "members/beams/xuanjin.h"
#include "views/dialogs/dlgtabsheet.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// What the four pages share: the hidden Enter button (1177), and an input that
// changed (a list's choice, an edit left for another control) copied into the
// record and shown back with its results.
class CXuanJinPage : public CSheetPage {
    Q_OBJECT
public:
    CXuanJinPage(int templateId, bool enterMovesOn);

    // The controls into the record; false (the record unchanged) when an entry is
    // refused.
    virtual bool PageToData() = 0;
    // The record into the controls, with its results; false when a search's
    // result file cannot be read.
    virtual bool DataToPage() = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QLineEdit* MakeEdit(int id);
    QComboBox* MakeCombo(int id);
    void OnChange();

    QPushButton* m_enter = nullptr;
};

// The three search pages: the result list (1201) with its tab stops and the
// showing of "Message.Box".
class CXuanJinSearchPage : public CXuanJinPage {
    Q_OBJECT
public:
    CXuanJinSearchPage(int templateId, bool enterMovesOn);
    QListWidget* ResultList() const { return m_list; }

protected:
    // Shows the search's file; a search that could not write it empties the list.
    bool ShowResults(int searched);
    // Lays the page out: the inputs in two columns, `extra` and the list below.
    void LayOut(const std::vector<std::pair<QString, QWidget*>>& rows, QWidget* extra);

    QListWidget* m_list = nullptr;
};

// 纵筋选筋 (906) and, with the per-metre search, 分布筋选筋 (907).
class CPageZongJin : public CXuanJinSearchPage {
    Q_OBJECT
public:
    explicit CPageZongJin(ZONGJIN_PARA* para);
    bool PageToData() override;
    bool DataToPage() override;
    // Both diameter lists from the chosen grade, 12 chosen (or the third).
    void FillDiameterLists();

protected:
    CPageZongJin(int templateId, ZONGJIN_PARA* para);
    void Build();
    void FillGradeList();
    // The grade's diameters into both lists, 12 chosen (or the third).
    void FillDiameterItems();
    virtual int Search() { return xuanjin_zongjin(m_para); }
    void OnGradeChange();

    ZONGJIN_PARA* m_para;
    QComboBox* m_grade = nullptr;  // 1173
    QLineEdit* m_area = nullptr;   // 3072
    QComboBox* m_d1 = nullptr;     // 1039
    QComboBox* m_d2 = nullptr;     // 1044
    QLineEdit* m_tolerance = nullptr;  // 3075
    QButtonGroup* m_mode = nullptr;    // 3076, 1110
};

class CPageFenBuJin : public CPageZongJin {
    Q_OBJECT
public:
    explicit CPageFenBuJin(FENBUJIN_PARA* para);

protected:
    int Search() override { return xuanjin_fenbujin(static_cast<FENBUJIN_PARA*>(m_para)); }
};

// 箍筋选筋 (908).
class CPageGuJin : public CXuanJinSearchPage {
    Q_OBJECT
public:
    explicit CPageGuJin(GUJIN_PARA* para);
    bool PageToData() override;
    bool DataToPage() override;

private:
    GUJIN_PARA* m_para;
    QComboBox* m_grade = nullptr;      // 1173
    QLineEdit* m_spacing = nullptr;    // 3078
    QLineEdit* m_area = nullptr;       // 3072
    QLineEdit* m_legs = nullptr;       // 3073
    QLineEdit* m_tolerance = nullptr;  // 3075
};

// 钢筋参数 (905).
class CPageGangJinCanShu : public CXuanJinPage {
    Q_OBJECT
public:
    explicit CPageGangJinCanShu(GANGJIN_PARA* para);
    bool PageToData() override;
    bool DataToPage() override;

private:
    GANGJIN_PARA* m_para;
    QComboBox* m_d1 = nullptr;  // 1039
    QComboBox* m_d2 = nullptr;  // 1044
    QLineEdit* m_n1 = nullptr;  // 3070
    QLineEdit* m_n2 = nullptr;  // 3071
    QLineEdit* m_area = nullptr;       // 3072
    QLineEdit* m_perimeter = nullptr;  // 1272
    QLineEdit* m_weight = nullptr;     // 3074
};

// The 选筋 command: the four pages over the records of the run, until 返回 or the
// close box (确认 leaves the tool open).
void OnXuanJin();
