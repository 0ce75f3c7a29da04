#include "views/bbframe.h"

#include "app/commandids.h"
#include "app/moduletable.h"
#include "base/globals.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "project/project.h"
#include "platform/textfile.h"
#include "report/rtfjoin.h"
#include "report/ui/reportfile.h"
#include "report/ui/rtfwriter.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/busyprogress.h"
#include "views/commandicons.h"

#include <QCloseEvent>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cstddef>

namespace {

constexpr int kOpenRtfFile = 32771;
constexpr int kSaveRtfFile = 32847;
constexpr const char* kBaoBiaoName = "BaoBiao.RTF";
constexpr const char* kCoverName = "FM.RTF";
constexpr int kHeadingHalfPoints = 36;  // 360 twips

constexpr const char* kHeadings[] = {
    "\n1\t人防地下室顶板计算\n",        "\n2\t人防地下室外墙计算\n",
    "\n3\t人防地下室底板计算\n",        "\n4\t人防地下室临空墙计算\n",
    "\n5\t人防地下室防护单元隔墙计算\n", "\n6\t人防地下室门框墙计算\n",
    "\n7\t人防地下室窗井墙计算\n",      "\n8\t人防地下室连续梁计算\n",
    "\n9\t人防地下室井字梁计算\n",      "\n10\t人防地下室无梁楼盖计算\n",
    "\n11\t人防刚架计算\n",             "\n12\t人防矩形底球面扁壳计算\n",
    "\n13\t人防正六边形底球面扁壳计算\n", "\n14\t人防圆形底球面扁壳计算\n",
    "\n15\t人防梁截面配筋计算\n",       "\n16\t人防柱截面配筋计算\n",
};

// The RTF of a report file: an RTF file as it is, a text report as the report
// view shows it. Empty when the file cannot be read.
std::string ReportRtf(const std::string& path) {
    std::string resolved = kv::platform::ResolveExisting(path);
    std::string bytes;
    if (resolved.empty() || !kv::platform::FileExists(resolved) || !kv::platform::ReadFileBytes(resolved, bytes))
        return {};
    if (bytes.starts_with("{\\rtf")) return bytes;
    QTextDocument text;
    if (!kv::report::ui::LoadReport(&text, QString::fromStdString(resolved), false)) return {};
    return kv::report::ui::WriteRtf(text).toStdString();
}

}  // namespace

CBbFrame::CBbFrame(QWidget* parent) : CChildFrameBase(kTemplateReport, parent) {
    using namespace kv::cmd;
    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar;
    m_toolBar->setObjectName("153");
    m_toolBar->setIconSize(QSize(20, 20));
    struct Button {
        int id;
        const char* text;  // short text where no picture is drawn
        const char* tip;
    };
    const Button buttons[] = {{kEditCut, "剪切", "剪切"},
                              {kEditCopy, nullptr, "拷贝"},
                              {kEditPaste, nullptr, "粘贴"},
                              {0, nullptr, nullptr},
                              {0, nullptr, nullptr},
                              {kFontColor, "字体", "字体与颜色设置"},
                              {kOpenRtfFile, "读入", "读入RTF文件"},
                              {kSaveRtfFile, "保存", "保存RTF文件"}};
    for (const Button& b : buttons) {
        if (b.id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = b.text ? m_toolBar->addAction(QString::fromUtf8(b.text))
                                 : m_toolBar->addAction(CommandIcon(b.id), QString::fromUtf8(b.tip));
        action->setData(b.id);
        action->setToolTip(QString::fromUtf8(b.tip));
        action->setStatusTip(QString::fromUtf8(b.tip));
        connect(action, &QAction::triggered, this, [this, id = b.id] { emit command(id); });
    }
    layout->addWidget(m_toolBar);

    m_view = new CBbView_KV(GetDocument());
    layout->addWidget(m_view, 1);
    setWidget(client);
    setFocusProxy(m_view);
    m_view->setFocus();
    GetDocument()->SetTitle("无标题");
}

const char* CBbFrame::ModuleHeading(int row) {
    if (row < 0 || row >= static_cast<int>(std::size(kHeadings))) return "";
    return kHeadings[row];
}

bool CBbFrame::OnOwnCommand(int id, CCmdUI* ui) {
    switch (id) {
        case kv::cmd::kMakeBaoBiao:
            if (!ui) OnMakeBaoBiao();
            return true;
        case kv::cmd::kViewBaoBiao:
            if (!ui) OnViewBaoBiao();
            return true;
        default:
            return false;
    }
}

void CBbFrame::closeEvent(QCloseEvent* event) {
    if (!m_forceClose) {
        event->ignore();
        return;
    }
    CChildFrameBase::closeEvent(event);
}

void CBbFrame::ReadChaXun(const std::string& itemFile) {
    m_nChaXun = 0;
    m_chaXun = ReadChaXunFromFile(itemFile.c_str());
    m_nChaXun = static_cast<int>(m_chaXun.size());
}

void CBbFrame::OnMakeBaoBiao() {
    CBbView_KV* view = G_pBbView ? G_pBbView : m_view;
    if (!view) return;
    std::string path = G_strWorkPath + kBaoBiaoName;
    if (kv::platform::FileExists(path)) {
        int answer = kv::MessageBox("计算书文件 " + path + " 已存在, 是否重新生成计算书 ?",
                                    kv::MB_YESNOCANCEL | kv::MB_ICONQUESTION);
        if (answer != kv::IDYES) return;
    }
    const int rows = std::clamp(G_ModuleNum, 0, std::min(kModuleRows, kMaxModules));
    auto itemCount = [](int row) {
        if (G_Project.m_nSelected[static_cast<std::size_t>(row)] != 1) return 0;
        return std::clamp(static_cast<int>(G_Project.m_nCount[static_cast<std::size_t>(row)]), 0, kMaxItemsPerModule);
    };
    int items = 0;
    for (int i = 0; i < rows; ++i) items += itemCount(i);

    // The reports are joined as RTF: their pictures are never decoded on the way.
    std::string book;
    {
        CBusyProgress progress(this, "正在生成计算书...", items + 1);
        kv::report::RtfJoiner joiner;
        // The cover is only read. A missing cover leaves the view's text in its place.
        const std::string cover = ReportRtf(G_strExePath + kCoverName);
        if (cover.empty() || !joiner.Start(cover)) joiner.Start(kv::report::ui::WriteRtf(*view->document()).toStdString());
        for (int i = 0; i < rows; ++i) {
            if (const char* heading = ModuleHeading(i); *heading) joiner.AppendText(heading, kHeadingHalfPoints, 0x000000);
            for (int j = 0, count = itemCount(i); j < count; ++j) {
                ReadChaXun(CProject::ItemFileName(G_Project.m_nItemNo[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]));
                if (m_nChaXun > 0) {
                    // A report that cannot be read adds nothing.
                    const std::string report = ReportRtf(G_strWorkPath + m_chaXun[0].rtf);
                    if (!report.empty()) joiner.Append(report);
                }
                progress.Step();
            }
        }
        m_chaXun.clear();
        m_nChaXun = 0;
        book = joiner.Finish();
        view->ShowRtf(QByteArray::fromRawData(book.data(), static_cast<qsizetype>(book.size())));
        progress.Step();
    }
    // Saved nowhere, the report counts as changed: leaving the report mode asks.
    if (!view->SaveAs(kv::platform::ResolveForWrite(path), QByteArray::fromRawData(book.data(), static_cast<qsizetype>(book.size()))))
        view->document()->setModified(true);
}

void CBbFrame::OnViewBaoBiao() {
    CBbView_KV* view = G_pBbView ? G_pBbView : m_view;
    if (!view) return;
    CBusyProgress busy(this, {}, 0);
    view->ReadFile(G_strWorkPath + kBaoBiaoName);
}
