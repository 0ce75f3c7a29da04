#include "views/splitterframe.h"

#include "app/commandids.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/commandicons.h"
#include "views/cxview.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QPushButton>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kFirstPaneId = 59648;  // the splitter takes the first pane's id
constexpr int kDrawingPaneWidth = 380;

QComboBox* MakeCombo(int id, const QString& tip, int minWidth) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::number(id));
    combo->setToolTip(tip);
    combo->setStatusTip(tip);
    combo->setMinimumWidth(minWidth);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

int g_untitledSingle = 0;

}  // namespace

void CSplitterPanes::Create(QWidget* parent, CBbDoc_KV* document) {
    splitter = new QSplitter(Qt::Horizontal, parent);
    splitter->setObjectName(QString::number(kFirstPaneId));
    splitter->setChildrenCollapsible(false);
    drawing = new CCxView_KV(document);
    report = new CBbView_KV(document);
    splitter->addWidget(drawing);
    splitter->addWidget(report);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    drawing->resize(kDrawingPaneWidth, 50);
    splitter->setSizes({kDrawingPaneWidth, 1});
    // The report pane is the active view.
    splitter->setFocusProxy(report);
}

bool SwitchPane(const CSplitterPanes& panes, int id, CCmdUI* ui) {
    if (id != kv::cmd::kNextPane && id != kv::cmd::kPrevPane) return false;
    if (!ui) {
        // Two panes: next and previous are the same move.
        if (panes.report->hasFocus())
            panes.drawing->setFocus();
        else
            panes.report->setFocus();
    }
    return true;
}

CSplitterFrame::CSplitterFrame(QWidget* parent) : CChildFrameBase(kTemplateProject, parent) {
    using namespace kv::cmd;
    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_dialogBar = new QWidget;
    m_dialogBar->setObjectName(QString::number(kDialogBar));
    auto* bar = new QHBoxLayout(m_dialogBar);
    bar->setContentsMargins(4, 3, 4, 3);
    bar->setSpacing(4);
    m_itemCombo = MakeCombo(kItemCombo, "计算项目名称", 260);
    m_chaXunCombo = MakeCombo(kChaXunCombo, "查询项目名称", 200);
    struct Button {
        int id;
        const char* text;
        const char* tip;
    };
    auto addButton = [&](const Button& b) {
        auto* button = new QPushButton(b.text);
        button->setObjectName(QString::number(b.id));
        button->setToolTip(b.tip);
        button->setStatusTip(b.tip);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, id = b.id] { emit command(id); });
        bar->addWidget(button);
    };
    bar->addWidget(m_itemCombo, 3);
    addButton({kAddItem, "新增", "增加项目"});
    addButton({kDeleteItem, "删除", "删除当前项目"});
    addButton({kCalculate, "计算", "当前项目计算"});
    bar->addWidget(m_chaXunCombo, 2);
    addButton({kInsertCad, "插入CAD", "当前简图插入AutoCAD"});
    addButton({kWord, "WORD", "计算书写入Word"});
    connect(m_itemCombo, &QComboBox::activated, this, [this] { emit command(kItemCombo); });
    connect(m_chaXunCombo, &QComboBox::activated, this, [this] { emit command(kChaXunCombo); });
    layout->addWidget(m_dialogBar);

    m_panes.Create(client, GetDocument());
    layout->addWidget(m_panes.splitter, 1);
    setWidget(client);
    setFocusProxy(m_panes.report);
}

void CSplitterFrame::OnActivate() {
    G_pCxView = m_panes.drawing;
    G_pBbView = m_panes.report;
}

bool CSplitterFrame::OnOwnCommand(int id, CCmdUI* ui) { return SwitchPane(m_panes, id, ui); }

CSplitterFrame1::CSplitterFrame1(QWidget* parent) : CChildFrameBase(kTemplateSingle, parent) {
    using namespace kv::cmd;
    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar;
    m_toolBar->setObjectName("152");
    m_toolBar->setIconSize(QSize(20, 20));
    const int buttons[] = {kZoomIn, kZoomOut, kShowMove, kShowAll, kShowAgain, kShowRect, kShowPrevious,
                         0,       0,        kEditCopy, kEditPaste};
    for (int id : buttons) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_toolBar->addAction(CommandIcon(id), CommandLabel(id));
        action->setData(id);
        action->setStatusTip(CommandLabel(id));
        connect(action, &QAction::triggered, this, [this, id] { emit command(id); });
    }
    layout->addWidget(m_toolBar);

    m_panes.Create(client, GetDocument());
    layout->addWidget(m_panes.splitter, 1);
    setWidget(client);
    setFocusProxy(m_panes.report);
    GetDocument()->SetTitle(QString("KV%1").arg(++g_untitledSingle));
}

void CSplitterFrame1::closeEvent(QCloseEvent* event) {
    // The window stays while it is the only one; mode switches close it.
    QMdiArea* area = mdiArea();
    if (!m_forceClose && (!area || area->subWindowList().size() <= 1)) {
        event->ignore();
        return;
    }
    CChildFrameBase::closeEvent(event);
}

bool CSplitterFrame1::OnOwnCommand(int id, CCmdUI* ui) { return SwitchPane(m_panes, id, ui); }
