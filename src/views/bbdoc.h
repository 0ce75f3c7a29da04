#pragma once
// The report document: every window of the program (project, single calculation,
// report) holds one. It carries the module row of a project window and its title;
// commands of the project window's dialog bar are handled here.
#include "views/cmdui.h"

#include <QObject>
#include <QString>

#include <functional>

class CChildFrameBase;

class CBbDoc_KV : public QObject {
    Q_OBJECT
public:
    explicit CBbDoc_KV(QObject* parent = nullptr);

    // The module row of a project window (-1 in the other windows).
    int m_nModule = -1;

    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);
    // The document's path name; its title becomes the name part. Nothing goes into a
    // recent-file list.
    void SetPathName(const QString& path);
    const QString& GetPathName() const { return m_pathName; }

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    // A modified document asks whether to save it: false when the user cancels.
    bool SaveModified();
    // How a report is saved on Yes (the report view supplies it); false on failure.
    using SaveFunction = std::function<bool(CBbDoc_KV&)>;
    static void SetSaveFunction(SaveFunction save);

    // The window that shows this document.
    CChildFrameBase* GetFrame() const { return m_frame; }
    void SetFrame(CChildFrameBase* frame) { m_frame = frame; }

    // Document commands (the dialog bar's buttons and combos, Word and CAD export)
    // are supplied by the project work: one handler per command id for all documents.
    using Handler = std::function<void(CBbDoc_KV&)>;
    static void SetCommandHandler(int id, Handler handler);
    bool OnCmdMsg(int id, CCmdUI* ui);

signals:
    void titleChanged(const QString& title);

private:
    QString m_title;
    QString m_pathName;
    bool m_modified = false;
    CChildFrameBase* m_frame = nullptr;
};
