#include "views/bbview.h"

#include "app/commandids.h"
#include "views/bbdoc.h"
#include "views/cxview.h"
#include "platform/paths.h"
#include "report/ui/reportfile.h"
#include "report/ui/scriptrunner.h"

#include "report/ui/clipboard.h"
#include "report/ui/pictures.h"
#include "report/ui/rtfreader.h"
#include "report/ui/rtfwriter.h"
#include "platform/textfile.h"
#include "platform/services.h"
#include "views/dialogs/onefielddlgs.h"
#include "views/findreplace.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QUrl>
#include <QTextDocumentFragment>
#include <cstdio>

namespace {
constexpr int kOpenRtf = 32771;
constexpr int kSaveRtf = 32847;
constexpr int kSaveRtfAs = 32848;
constexpr int kSaveAsText = 32805;
constexpr int kGotoLine = 32804;
constexpr int kClear = 12792;
}  // namespace

CBbView_KV* G_pBbView = nullptr;
int G_bReadRtf = 1;
int G_bSaveRtf = 1;

CBbView_KV::CBbView_KV(CBbDoc_KV* document, QWidget* parent) : QTextEdit(parent), m_document(document) {
    setObjectName("CBbView_KV");
    setAcceptDrops(false);  // dropped files do nothing
    QTextEdit::document()->setDefaultFont(kv::report::ui::PlainReportFont());
    kv::report::ui::DrawPicturesOnDemand(QTextEdit::document());
    connect(QTextEdit::document(), &QTextDocument::modificationChanged, this, [this](bool changed) {
        if (m_document) m_document->SetModifiedFlag(changed);
    });
    connect(this, &QTextEdit::cursorPositionChanged, this, &CBbView_KV::ShowLineNo);
    G_pBbView = this;
}

CBbView_KV::~CBbView_KV() {
    // A closed window must not stay the current report view.
    if (G_pBbView == this) G_pBbView = nullptr;
}

bool CBbView_KV::OnCmdMsg(int id, CCmdUI* ui) {
    using namespace kv::cmd;
    switch (id) {
        case kEditUndo:
            if (ui) ui->enabled = document()->isUndoAvailable();
            else undo();
            return true;
        case kEditCut:
            if (ui) ui->enabled = textCursor().hasSelection() && !isReadOnly();
            else cut();
            return true;
        case kEditCopy:
            if (ui) ui->enabled = textCursor().hasSelection();
            else copy();
            return true;
        case kEditPaste:
            if (ui) ui->enabled = canPaste();
            else paste();
            return true;
        case kEditClear:
            if (ui) ui->enabled = textCursor().hasSelection() && !isReadOnly();
            else textCursor().removeSelectedText();
            return true;
        case kEditSelectAll:
            if (!ui) selectAll();
            return true;
        case kEditPasteSpecial:
            if (ui) ui->enabled = canPaste();
            else PasteSpecial();
            return true;
        case kEditFind:
            if (!ui) OnFind(false);
            return true;
        case kEditReplace:
            if (ui) ui->enabled = !isReadOnly();
            else OnFind(true);
            return true;
        case kEditRepeat:
            if (!ui) OnFindNext();
            return true;
        case kFontColor:
            if (!ui) OnFontColor();
            return true;
        case kOpenRtf:
            if (!ui) OnOpenRtf();
            return true;
        case kSaveRtf:
            if (!ui) OnSaveRtf();
            return true;
        case kSaveRtfAs:
            if (!ui) OnSaveRtfAs();
            return true;
        case kSaveAsText:
            if (!ui) OnSaveAsText();
            return true;
        case kGotoLine:
            if (!ui) OnGotoLine();
            return true;
        case kClear:
            if (!ui) ClearText();
            return true;
        case kFilePrint:
            if (!ui) {
                QPrinter printer(QPrinter::HighResolution);
                QPrintDialog dialog(&printer, this);
                if (dialog.exec() == QDialog::Accepted) kv::report::ui::PrintReport(*document(), &printer);
            }
            return true;
        case kFilePrintPreview:
            if (!ui) {
                QPrinter printer(QPrinter::HighResolution);
                QPrintPreviewDialog preview(&printer, this);
                connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                        [this](QPrinter* p) { kv::report::ui::PrintReport(*document(), p, true); });
                preview.exec();
            }
            return true;
        default:
            break;
    }
    if (id >= kZoomOut && id <= kShowPrevious && G_pCxView) return G_pCxView->OnCmdMsg(id, ui);
    return false;
}

bool CBbView_KV::ReadFile(const std::string& path) {
    std::string resolved = kv::platform::ResolveExisting(path);
    // Only a file: opening a pipe nobody writes to would wait for ever.
    if (resolved.empty() || !kv::platform::FileExists(resolved)) return false;
    QString file = QString::fromStdString(resolved);
    G_bReadRtf = kv::report::ui::LooksLikeRtf(file) ? 1 : 0;
    bool loaded = kv::report::ui::LoadReport(document(), file, G_bReadRtf != 0);
    if (loaded) {
        if (m_document) m_document->SetPathName(file);
        moveCursor(QTextCursor::Start);
        MarkUnmodified();
    }
    G_bReadRtf = 1;
    return loaded;
}

void CBbView_KV::RunScripts() {
    kv::report::ui::ScriptHooks hooks;
    hooks.showDrawing = [](const std::string& dxf) {
        if (G_pCxView) G_pCxView->LoadDxf(dxf);
    };
    hooks.currentPicture = [](int, int, std::string& png) {
        if (!G_pCxView) return false;
        QImage picture = G_pCxView->MakePicture();
        if (picture.isNull()) return false;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!picture.save(&buffer, "PNG")) return false;
        png.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return true;
    };
    kv::report::ui::RunScripts(this, hooks);
}

bool CBbView_KV::SaveAs(const std::string& path) { return SaveAs(path, kv::report::ui::WriteRtf(*document())); }

bool CBbView_KV::SaveAs(const std::string& path, const QByteArray& rtf) {
    // The name goes first: a report that could not be saved must not stay under
    // the name of the file it was read from (the cover of the combined report).
    if (m_document) m_document->SetPathName(QString::fromStdString(path));
    if (!kv::platform::WriteFileAtomically(path, std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size())))) {
        kv::MessageBox("不能保存文件 : " + path, kv::MB_OK | kv::MB_ICONERROR);
        return false;
    }
    MarkUnmodified();
    return true;
}

void CBbView_KV::ShowRtf(const QByteArray& rtf) {
    if (!kv::report::ui::ReadRtf(rtf, document())) return;
    moveCursor(QTextCursor::Start);
    MarkUnmodified();
}

void CBbView_KV::ClearText() {
    clear();
    MarkUnmodified();
}

void CBbView_KV::MarkUnmodified() {
    document()->setModified(false);
    // Emptying the text editor leaves its document saying "modified" without
    // telling anyone when that is taken back: the report document is told here.
    if (m_document) m_document->SetModifiedFlag(false);
}

void CBbView_KV::ShowMissingReport(const std::string& path, bool unreadable) {
    clear();
    QTextCursor(document()).insertText(QString::fromStdString("计算书文件 " + path + (unreadable ? " 不能读取。" : " 不存在。")));
    if (m_document) m_document->SetPathName(QString());
    document()->setModified(false);
}

void CBbView_KV::CopyAll() {
    QApplication::clipboard()->setMimeData(kv::report::ui::ReportMimeData(*document()).release());
}

void CBbView_KV::PasteAtStart() {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::Start);
    kv::report::ui::InsertMimeData(QApplication::clipboard()->mimeData(), cursor);
}

void CBbView_KV::InsertStyledText(const QString& text, int start, int end, double pointSize, const QColor& color) {
    QTextCursor cursor(document());
    int last = document()->characterCount() - 1;
    cursor.setPosition(start < 0 ? last : std::min(start, last));
    cursor.setPosition(end < 0 ? last : std::min(end, last), QTextCursor::KeepAnchor);
    QTextCharFormat format = cursor.charFormat();
    // Text inserted after a picture takes its font, not its picture properties.
    if (format.isImageFormat()) {
        format.clearProperty(QTextFormat::ObjectType);
        const auto properties = format.properties();
        for (auto it = properties.cbegin(); it != properties.cend(); ++it)
            if (it.key() >= QTextFormat::ImageName && it.key() < QTextFormat::FullWidthSelection) format.clearProperty(it.key());
    }
    format.setFontPointSize(pointSize);
    format.setForeground(color);
    cursor.insertText(text, format);
}

void CBbView_KV::OnOpenRtf() {
    auto path = kv::platform::FileDialogs().GetOpenFileName(
        {"读入RTF文件", "RTF文件(*.RTF)|*.RTF|文本文件(*.TXT)|*.TXT|所有文件(*.*)|*.*||", "RTF", ""});
    if (path) ReadFile(*path);
}

bool CBbView_KV::OnSaveRtf() {
    // A project window's document is named after its module until a report is read.
    if (m_document && m_document->GetPathName().contains('/')) return SaveAs(m_document->GetPathName().toStdString());
    return OnSaveRtfAs();
}

bool CBbView_KV::OnSaveRtfAs() {
    auto path = kv::platform::FileDialogs().GetSaveFileName({"更名保存RTF文件", "RTF文件(*.RTF)|*.RTF||", "", ""});
    return path && SaveAs(*path);
}

void CBbView_KV::OnSaveAsText() {
    auto path = kv::platform::FileDialogs().GetSaveFileName(
        {"保存文件为文本文件", "文本文件(*.TXT)|*.TXT|所有文件(*.*)|*.*||", "", ""});
    if (path && !kv::report::ui::SaveReportText(*document(), QString::fromStdString(*path)))
        kv::MessageBox("不能保存文件 : " + *path, kv::MB_OK | kv::MB_ICONERROR);
}

void CBbView_KV::OnGotoLine() {
    CDlgGotoLine dlg(this);
    if (dlg.exec() == QDialog::Accepted) kv::report::ui::ScrollToLine(this, dlg.m_nLine);
    ShowLineNo();
}

void CBbView_KV::ShowLineNo() {
    auto* main = qobject_cast<QMainWindow*>(window());
    if (!main) return;
    if (auto* pane = main->findChild<QLabel*>("pane1")) pane->setText(kv::report::ui::LineStatusText(this));
}

void CBbView_KV::BuildContextMenu(QMenu& menu) {
    using namespace kv::cmd;
    struct Item {
        int id;  // 0: separator
        const char* text;
    };
    static const Item items[] = {
        {kEditUndo, "恢复\tCtrl+Z"},
        {0, nullptr},
        {kEditCut, "剪切\tCtrl+X"},
        {kEditCopy, "拷贝\tCtrl+C"},
        {kEditPaste, "粘贴\tCtrl+V"},
        {kEditPasteSpecial, "特别粘贴"},
        {kEditClear, "删除选择的文字"},
        {kEditSelectAll, "全选"},
        {0, nullptr},
        {kGotoLine, "跳到指定行"},
        {kEditFind, "寻找\tCtrl+F"},
        {kEditRepeat, "寻找下一个\tF3"},
        {kEditReplace, "替换\tCtrl+H"},
        {0, nullptr},
        {kOleInsertNew, "插入对象"},
        {kOleEditLinks, "连接对象"},
        {kOleEditProperties, "对象属性\tAlt+Enter"},
        {0, nullptr},
        {kFontColor, "字体与颜色设置"},
        {0, nullptr},
        {kOpenRtf, "读入RTF文件"},
        {kSaveRtf, "保存RTF文件"},
        {kSaveRtfAs, "更名保存RTF文件"},
        {kSaveAsText, "保存文件为文本文件"},
    };
    for (const Item& item : items) {
        if (!item.id) {
            menu.addSeparator();
            continue;
        }
        const int id = item.id;
        CCmdUI state;
        // Embedded objects cannot be inserted or linked here: no handler, no action.
        state.enabled = OnCmdMsg(id, &state) && state.enabled;
        QAction* action = menu.addAction(QString::fromUtf8(item.text), [this, id] { OnCmdMsg(id, nullptr); });
        action->setEnabled(state.enabled);
    }
}

namespace {
bool HasRtf(const QMimeData* source) {
    return source && (source->hasFormat("text/rtf") || source->hasFormat("application/rtf") ||
                      source->hasFormat("text/richtext"));
}
}  // namespace

bool CBbView_KV::canInsertFromMimeData(const QMimeData* source) const {
    return HasRtf(source) || QTextEdit::canInsertFromMimeData(source);
}

QMimeData* CBbView_KV::createMimeDataFromSelection() const {
    const QTextCursor selection = textCursor();
    if (!selection.hasSelection()) return QTextEdit::createMimeDataFromSelection();
    QTextDocument part;
    QTextCursor(&part).insertFragment(selection.selection());
    // The copy's pictures come from the report it was taken from.
    for (QTextBlock b = part.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (QTextCharFormat f = it.fragment().charFormat(); f.isImageFormat()) {
                const QUrl name(f.toImageFormat().name());
                part.addResource(QTextDocument::ImageResource, name,
                                 document()->resource(QTextDocument::ImageResource, name));
            }
    auto* data = new QMimeData;
    data->setData("text/rtf", kv::report::ui::WriteRtf(part));
    data->setHtml(part.toHtml());
    QString text = part.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    data->setText(text);
    return data;
}

void CBbView_KV::insertFromMimeData(const QMimeData* source) {
    // Our own copies hold RTF too: their pictures then come along into another report.
    if (HasRtf(source)) {
        QTextCursor cursor = textCursor();
        if (kv::report::ui::InsertMimeData(source, cursor)) {
            setTextCursor(cursor);
            ensureCursorVisible();
            return;
        }
    }
    QTextEdit::insertFromMimeData(source);
}

void CBbView_KV::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    BuildContextMenu(menu);
    menu.exec(event->globalPos());
}

void CBbView_KV::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    ShowLineNo();
}

void CBbView_KV::keyReleaseEvent(QKeyEvent* event) {
    QTextEdit::keyReleaseEvent(event);
    ShowLineNo();
}

void CBbView_KV::OnFind(bool replace) {
    QString last = m_find ? m_find->FindText() : QString();
    delete m_find;
    m_find = new CFindReplaceDlg(this, replace);
    if (!last.isEmpty() && !textCursor().hasSelection()) m_find->SetFindText(last);
    m_find->show();
}

void CBbView_KV::OnFindNext() {
    if (!m_find || m_find->FindText().isEmpty()) {
        OnFind(false);
        return;
    }
    m_find->FindNext();
}

void CBbView_KV::OnFontColor() {
    CFontColorDlg dlg(this, textCursor().charFormat());
    if (dlg.exec() != QDialog::Accepted) return;
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) cursor.mergeCharFormat(dlg.Format());
    mergeCurrentCharFormat(dlg.Format());
}

void CBbView_KV::PasteSpecial() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data && data->hasText()) textCursor().insertText(data->text());
}
