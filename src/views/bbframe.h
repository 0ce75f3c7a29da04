#pragma once
#include "base/jsdata.h"
#include "views/childframe.h"

class QToolBar;

#include <string>
#include <vector>

// The report window of the report mode: one report view, and the commands that
// assemble the project's combined report "BaoBiao.RTF" and show it.
class CBbFrame : public CChildFrameBase {
    Q_OBJECT
public:
    explicit CBbFrame(QWidget* parent = nullptr);
    CBbView_KV* ReportView() const override { return m_view; }
    QToolBar* ToolBar() const { return m_toolBar; }

    // 32839: the cover, then per module row its heading and, for a selected
    // module, the first report of each of its items; saved in the work folder.
    void OnMakeBaoBiao();
    // 32840: shows the saved combined report.
    void OnViewBaoBiao();
    // The "##ChaXun" entries of an item file (a bare name is read from the
    // current folder, the project folder); none when the file is missing.
    void ReadChaXun(const std::string& itemFile);

    // Heading of module row `row`: empty for rows without one.
    static const char* ModuleHeading(int row);

    int m_nChaXun = 0;
    std::vector<ChaXunEntry> m_chaXun;

protected:
    bool OnOwnCommand(int id, CCmdUI* ui) override;
    // The close box does nothing: the window goes when the report mode ends.
    void closeEvent(QCloseEvent* event) override;

private:
    QToolBar* m_toolBar = nullptr;  // 153: cut, copy, paste, font and colour, read and save RTF
    CBbView_KV* m_view = nullptr;
};
