#pragma once
// The MDI child windows of the three document templates:
//   129  project window             CSplitterFrame  (drawing view | report view, dialog bar 148)
//   137  single-calculation window  CSplitterFrame1 (the same splitter with a zoom toolbar)
//   138  report window              CBbFrame        (a report view)
#include "views/cmdui.h"

#include <QMdiSubWindow>

#include <memory>

class CBbDoc_KV;
class CBbView_KV;
class CCxView_KV;

inline constexpr int kTemplateProject = 129;
inline constexpr int kTemplateSingle = 137;
inline constexpr int kTemplateReport = 138;

class CChildFrameBase : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrameBase(int templateId, QWidget* parent = nullptr);
    ~CChildFrameBase() override;

    int TemplateId() const { return m_templateId; }
    CBbDoc_KV* GetDocument() const { return m_document.get(); }

    // The view that receives commands: the pane with the focus, else the report view.
    virtual CBbView_KV* ReportView() const = 0;
    virtual CCxView_KV* DrawingView() const { return nullptr; }

    // Routes a command through the active view and the document, then the window.
    bool OnCmdMsg(int id, CCmdUI* ui);

    // Called when the window becomes the active one.
    virtual void OnActivate() {}

    // Closes the window even where its close box is refused (mode switches).
    void ForceClose();

signals:
    // A command of the window's own bars, for the main frame to route.
    void command(int id);

protected:
    // The close box: an edited document asks about saving first; Cancel keeps the window.
    void closeEvent(QCloseEvent* event) override;
    virtual bool OnOwnCommand(int id, CCmdUI* ui);
    bool m_forceClose = false;

private:
    int m_templateId;
    std::unique_ptr<CBbDoc_KV> m_document;
};

// Makes the window of a template (129, 137 or 138) with a new document; null for
// any other id.
CChildFrameBase* CreateDocumentWindow(int templateId);
