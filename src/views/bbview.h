#pragma once
// The report view: a rich-text view over the report document. The newest view is
// the current one (G_pBbView); module code reaches the report through it.
#include "views/cmdui.h"

#include <QColor>
#include <QTextEdit>

#include <string>

class CBbDoc_KV;
class QMenu;

class CBbView_KV : public QTextEdit {
    Q_OBJECT
public:
    explicit CBbView_KV(CBbDoc_KV* document, QWidget* parent = nullptr);
    ~CBbView_KV() override;

    CBbDoc_KV* GetDocument() const { return m_document; }

    // The text-editing commands; the drawing-view commands go on to G_pCxView.
    bool OnCmdMsg(int id, CCmdUI* ui);

    // Loads a report file, RTF or plain text by its first bytes; a file that cannot
    // be read leaves the view as it is. Whether it was loaded.
    bool ReadFile(const std::string& path);
    // Carries out the report's script blocks: drawings become pictures, styled
    // blocks their text.
    void RunScripts();
    // Saves the report as RTF at `path`, which becomes the document's path before
    // the file is written; false (and said so) when it cannot be written.
    bool SaveAs(const std::string& path);
    // The same for RTF made elsewhere, saved as it stands.
    bool SaveAs(const std::string& path, const QByteArray& rtf);
    // Shows an RTF report that no file holds yet.
    void ShowRtf(const QByteArray& rtf);
    // Empties the view; an emptied view counts as unchanged.
    void ClearText();
    // Empties the view but for one line saying the report at `path` is missing (or,
    // with `unreadable`, cannot be read), and forgets the report shown before, so
    // that no save writes over it.
    void ShowMissingReport(const std::string& path, bool unreadable = false);
    void CopyAll();
    void PasteAtStart();
    // Replaces start..end (both -1: the end) by `text` in the given size (points)
    // and colour.
    void InsertStyledText(const QString& text, int start, int end, double pointSize, const QColor& color);

    void OnOpenRtf();     // 32771
    // 32847: saves where the report came from, or where the save dialog says when
    // it came from no file; false when not saved.
    bool OnSaveRtf();
    bool OnSaveRtfAs();   // 32848
    void OnSaveAsText();  // 32805
    void OnGotoLine();    // 32804
    void OnFind(bool replace);  // 57636, 57641
    void OnFindNext();          // 57640
    void OnFontColor();         // 57696
    void PasteSpecial();        // 57639: the clipboard's plain text
    // "Line: %d" in the main window's first status pane.
    void ShowLineNo();
    // The right-button menu: the text-editing commands in their states.
    void BuildContextMenu(QMenu& menu);

protected:
    // RTF on the clipboard (a word processor's, or a whole report) is read with
    // its formats and pictures; anything else as the text view reads it.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    // A copy also goes out as RTF, pictures included, for word processors.
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // The text as it stands is what the report's file holds, or no change of the
    // user's: the document asks nothing about it.
    void MarkUnmodified();

    CBbDoc_KV* m_document;
    class CFindReplaceDlg* m_find = nullptr;
};

extern CBbView_KV* G_pBbView;

// One-shot switch: the next report loaded into a document is RTF (1) or plain text (0).
extern int G_bReadRtf;
// Saves are always RTF.
extern int G_bSaveRtf;
