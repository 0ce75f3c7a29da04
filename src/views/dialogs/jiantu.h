#pragma once
// Showing an item's diagrams: one diagram goes straight to the drawing view, more
// open the chooser "选择查询内容", from which the user picks one.
#include <QDialog>
#include <functional>
#include <string>

class CJsBaseData;
class QListWidget;

// Where a diagram is shown: the current drawing view loads the DXF file at the
// path. The program installs it; until then diagrams go nowhere.
void SetDiagramViewer(std::function<void(const std::string& dxfPath)> viewer);
// Shows the DXF file at the path where diagrams are shown.
void ShowDiagramFile(const std::string& dxfPath);

class CDlgJianTuList : public QDialog {
    Q_OBJECT
public:
    explicit CDlgJianTuList(QWidget* parent = nullptr);

    void SetData(CJsBaseData* data) { m_pData = data; }
    CJsBaseData* Data() const { return m_pData; }
    void FillList();
    QListWidget* List() const { return m_list; }

    void accept() override;  // shows the chosen diagram and hides the chooser
    void OnSelchangeList();

private:
    bool ShowSelected();
    CJsBaseData* m_pData = nullptr;
    QListWidget* m_list = nullptr;  // 3100
};

// Shows diagram 0 of `data` when it has one, or the chooser when it has more (the
// drawing view keeps its drawing until a title is picked). 1 when a diagram was
// shown or the chooser opened; 0 for none or no diagrams. A null data object
// changes nothing; any other hides the chooser first.
int ShowJianTu(CJsBaseData* data);

// The one chooser of the run, made the first time it is needed (nullptr before).
CDlgJianTuList* JianTuChooser();
// Ends the chooser with the program's windows.
void DestroyJianTuChooser();
