#include "members/slabwall/ui/mkqjs_pages.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextTable>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "base/error.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "base/toolfile.h"
#include "drawing/base_sgt.h"
#include "drawing/ui/dtview.h"
#include "platform/services.h"
#include "report/ui/reportfile.h"
#include "views/dialogs/dlghelppic.h"
#include "widgets/easytable.h"
#include "widgets/ui/easytableview.h"

namespace {

// A place for a grid or a drawing, found by its id.
QFrame* Placeholder(QWidget* parent, int id, int minWidth, int minHeight) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::number(id));
    frame->setMinimumSize(minWidth, minHeight);
    return frame;
}

// Puts `widget` inside the placeholder `id` of `page`, filling it.
void FillPlaceholder(QWidget* page, int id, QWidget* widget) {
    auto* place = page->findChild<QWidget*>(QString::number(id));
    if (!place) return;
    if (!place->layout()) {
        auto* layout = new QVBoxLayout(place);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    widget->setParent(place);
    place->layout()->addWidget(widget);
}

QPixmap ProgramPicture(const std::string& name) {
    QPixmap pm;
    if (std::string path = CDlgHelpPic::PicturePath(name); !path.empty()) pm.load(QString::fromStdString(path));
    return pm;
}

CButtonST* Button(QWidget* parent, int id, const char* text) {
    auto* button = new CButtonST(QString::fromUtf8(text), parent);
    button->setObjectName(QString::number(id));
    button->OffsetColor(0, 30, true);
    return button;
}

// A fresh in-memory drawing with the text style the sketches use.
std::unique_ptr<CBase_SGT> NewDrawing() {
    auto drawing = std::make_unique<CBase_SGT>();
    drawing->New_MemDxf();
    drawing->Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    drawing->Write_Tables();
    return drawing;
}

// Connects a grid's window to its owner's handler.
template <class Handler>
void Listen(QWidget* page, CEasyTableWnd* grid, int id, Handler handler) {
    EasyTableView* view = CreateEasyTable(page, grid, id, 1);
    if (!view) return;
    // From now on the grid's window says how much room it needs (all its cells).
    view->parentWidget()->setMinimumSize(0, 0);
    QObject::connect(view, &EasyTableView::message, page,
                     [handler](int message, quintptr, qintptr) { handler(message); });
}

// The summary's tables keep the widths of the printed report, wider than the
// box beside the sketch: in the box each column is as wide as its texts.
void FitTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.clearColumnWidthConstraints();
            table->setFormat(format);
        }
        FitTables(child);
    }
}

QWidget* ViewOf(CEasyTableWnd& grid) { return dynamic_cast<QWidget*>(grid.Host()); }

// Runs `fit` whenever the watched window changes its size: a drawing fitted
// while its page was hidden, or before the window grew or shrank, fits again.
class RefitOnResize : public QObject {
public:
    RefitOnResize(QWidget* wnd, std::function<void()> fit) : QObject(wnd), fit_(std::move(fit)) {
        wnd->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) fit_();
        return false;
    }

private:
    std::function<void()> fit_;
};

}  // namespace

// ---------------------------------------------------------------- CDlgMkqLoad

CDlgMkqLoad::CDlgMkqLoad(QWidget* parent) : CDlgBase(parent) {}

int CDlgMkqLoad::CreateDlg(QWidget* parent) {
    CDlgBase::CreateDlg(parent);
    setObjectName(QStringLiteral("233"));
    auto* layout = new QVBoxLayout(this);
    QFrame* door = Placeholder(this, 1062, 300, 66);
    door->setMaximumHeight(door->fontMetrics().height() * 4 + 12);
    layout->addWidget(door);
    layout->addWidget(Placeholder(this, 1040, 300, 150), 3);
    layout->addWidget(Placeholder(this, 1050, 300, 150), 3);
    auto* buttons = new QHBoxLayout;
    auto* read = Button(this, 2013, "荷载读取<<");
    auto* tool = Button(this, 2011, "荷载计算>>");
    auto* scheme = Button(this, 1067, "示意图");
    connect(read, &QPushButton::clicked, this, &CDlgMkqLoad::OnHeZaiDuQu);
    connect(tool, &QPushButton::clicked, this, &CDlgMkqLoad::OnHeZaiJiSuan);
    connect(scheme, &QPushButton::clicked, this, &CDlgMkqLoad::OnShiYiTu);
    buttons->addWidget(read);
    buttons->addWidget(tool);
    buttons->addStretch(1);
    buttons->addWidget(scheme);
    layout->addLayout(buttons);
    return 1;
}

int CDlgMkqLoad::InitDlg() {
    m_MenDong.m_pData = m_ChiCun.m_pData = m_HeZai.m_pData = m_pData;
    Listen(this, &m_ChiCun, 1040, [this](int message) { OnGridMessage(&m_ChiCun, message); });
    Listen(this, &m_HeZai, 1050, [this](int message) { OnGridMessage(&m_HeZai, message); });
    Listen(this, &m_MenDong, 1062, [this](int message) { OnGridMessage(&m_MenDong, message); });
    return 1;
}

int CDlgMkqLoad::RefreshDlg() {
    m_MenDong.UpdateTable();
    m_ChiCun.UpdateTable();
    m_HeZai.UpdateTable();
    return 1;
}

int CDlgMkqLoad::OnGridMessage(CEasyTableWnd* grid, int message) {
    if (!m_pData) return 0;
    if (message == kTableRedraw) return SendToOwner(kTableRedraw);
    if (message == kTableRefill) {
        if (grid == &m_MenDong) {
            m_ChiCun.SetCurCell(m_ChiCun.GetCurRow(), m_pData->CurSide + kMkqFirstSideColumn);
            m_MenDong.UpdateTable();
            m_ChiCun.UpdateTable();
        } else {
            grid->UpdateTable();
        }
        return SendToOwner(kTableRedraw);
    }
    if (message == kTableCellSelected && (grid == &m_ChiCun || grid == &m_HeZai)) {
        if (QWidget* view = ViewOf(*grid); view && !view->hasFocus()) view->setFocus();
        const int column = grid->GetCurCol();
        m_pData->CurSide = column < kMkqFirstSideColumn ? 0 : std::min(column - kMkqFirstSideColumn, kMkqSideCount - 1);
        m_HeZai.UpdateTable();
        m_ChiCun.UpdateTable();
        return SendToOwner(kTableRedraw);
    }
    return 0;
}

void CDlgMkqLoad::OnHeZaiDuQu() {
    if (!m_pData) return;
    if (m_pData->ReadExOut(kv::tools::ReadPath(kv::tools::kExchangeFile).c_str(), 1)) {
        RefreshDlg();
        SendToOwner(kTableRedraw);
    } else {
        kv::MessageBox("荷载读取失败！");
    }
}

void CDlgMkqLoad::OnHeZaiJiSuan() {
    if (!m_pData) return;
    m_pData->WriteExOut();
    const std::string tool = kv::tools::ToolPath("Quabrelset", "Quabrel.exe");
    if (!kv::platform::RunOutsideProgram("门框墙计算及绘图程序", tool, {}, "")) {
        tell_error(301, "门框墙计算及绘图程序运行错误！");
        return;
    }
    CDlgMkqDaoRu review(this, m_pData);
    if (review.exec() == QDialog::Accepted) {
        RefreshDlg();
        SendToOwner(kTableRedraw);
    }
}

void CDlgMkqLoad::OnShiYiTu() {
    if (!m_pData) return;
    CDlgMkqShiYiTu scheme(this, m_pData);
    scheme.exec();
}

// -------------------------------------------------------------- CDlgMkqGuiFan

CDlgMkqGuiFan::CDlgMkqGuiFan(QWidget* parent) : CDlgBase(parent) {}

int CDlgMkqGuiFan::CreateDlg(QWidget* parent) {
    CDlgBase::CreateDlg(parent);
    setObjectName(QStringLiteral("231"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Placeholder(this, 1063, 300, 120), 1);
    layout->addWidget(Placeholder(this, 1028, 300, 120), 1);
    return 1;
}

int CDlgMkqGuiFan::InitDlg() {
    m_CaiLiao.m_pData = m_XuanJin.m_pData = m_pData;
    Listen(this, &m_CaiLiao, 1063, [this](int message) { OnGridMessage(message); });
    Listen(this, &m_XuanJin, 1028, [this](int message) { OnGridMessage(message); });
    return 1;
}

int CDlgMkqGuiFan::RefreshDlg() {
    m_CaiLiao.UpdateTable();
    m_XuanJin.UpdateTable();
    return 1;
}

int CDlgMkqGuiFan::OnGridMessage(int message) {
    if (message == kTableRedraw) return SendToOwner(kTableRedraw);
    if (message == kTableRefill) {
        RefreshDlg();
        return SendToOwner(kTableRedraw);
    }
    return 0;
}

// --------------------------------------------------------------- CDlgMkqInput

CDlgMkqInput::CDlgMkqInput(QWidget* parent) : CDlgBase(parent) {}

CDlgMkqInput::~CDlgMkqInput() = default;

CJsResultBase* CDlgMkqInput::GetJsResultBase() { return m_pJiSuan ? m_pJiSuan->m_pResult : nullptr; }

int CDlgMkqInput::CreateDlg(QWidget* parent) {
    CDlgBase::CreateDlg(parent);
    setObjectName(QStringLiteral("225"));
    m_pTab = new CEnTabCtrl(this);
    m_pTab->setObjectName(QStringLiteral("2003"));
    m_pPrompt = new QTextEdit(this);
    m_pPrompt->setObjectName(QStringLiteral("2001"));
    m_pPrompt->setReadOnly(true);
    m_pPicture = new QLabel(this);
    m_pPicture->setObjectName(QStringLiteral("2006"));
    m_pPicture->setAlignment(Qt::AlignCenter);
    m_pPicture->setMinimumSize(200, 200);
    m_pPicture->setStyleSheet(QStringLiteral("background: white;"));

    // The summary's table wants the whole width under the sketch and the picture.
    auto* right = new QGridLayout;
    right->addWidget(Placeholder(this, 2000, 260, 220), 0, 0);
    right->addWidget(m_pPicture, 0, 1);
    right->addWidget(m_pPrompt, 1, 0, 1, 2);
    right->setRowStretch(0, 3);
    right->setRowStretch(1, 2);
    right->setColumnStretch(0, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pTab, 1);
    layout->addLayout(right, 1);
    return 1;
}

int CDlgMkqInput::InitDlg() {
    m_pSketchWnd = new CDxfWnd;
    FillPlaceholder(this, 2000, m_pSketchWnd);
    new RefitOnResize(m_pSketchWnd, [this] { FitSketch(); });

    m_pLoad = new CDlgMkqLoad;
    m_pLoad->SetData(m_pData);
    m_pLoad->SetOwner(this);
    m_pLoad->CreateDlg(m_pTab);
    m_Pages.Add(m_pLoad, "基本信息");
    m_pGuiFan = new CDlgMkqGuiFan;
    m_pGuiFan->SetData(m_pData);
    m_pGuiFan->SetOwner(this);
    m_pGuiFan->CreateDlg(m_pTab);
    m_Pages.Add(m_pGuiFan, "材料参数");
    for (int k = 0; k < m_Pages.Count(); ++k)
        m_pTab->addTab(m_Pages.Page(k), QString::fromStdString(m_Pages.Name(k)));
    m_pLoad->InitDlg();
    m_pGuiFan->InitDlg();
    m_pTab->SetMinTabWidth(10);
    m_pTab->setCurrentIndex(0);
    connect(m_pTab, &QTabWidget::currentChanged, this, &CDlgMkqInput::OnTabChange);
    DrawSketch();
    DrawPicture();
    RefreshDlg();
    return 1;
}

int CDlgMkqInput::RefreshDlg() {
    if (m_pLoad) m_pLoad->RefreshDlg();
    if (m_pGuiFan) m_pGuiFan->RefreshDlg();
    DrawPicture();
    DrawSketch();
    return 1;
}

int CDlgMkqInput::LoadPrompt(int clear) {
    if (!m_pPrompt) return 1;
    m_pPrompt->setReadOnly(false);
    if (clear)
        m_pPrompt->clear();
    else if (!kv::report::ui::LoadReport(m_pPrompt->document(), QString::fromStdString(G_strWorkPath + "Prompt.txt"), true))
        m_pPrompt->clear();
    else
        FitTables(m_pPrompt->document()->rootFrame());
    m_pPrompt->setReadOnly(true);
    return 1;
}

int CDlgMkqInput::OnTableMessage(int message, std::uintptr_t, std::intptr_t) {
    if (message == kTableRefill) {
        RefreshDlg();
        return 1;
    }
    if (message == kTableRedraw) {
        DrawPicture();
        DrawSketch();
        return 1;
    }
    return 0;  // the preview's notices and the rest
}

void CDlgMkqInput::OnTabChange(int index) {
    auto* page = static_cast<CDlgBase*>(m_pTab->widget(index));
    if (!page) return;
    page->setFocus();
    page->RefreshDlg();
    DrawPicture();
    DrawSketch();
}

std::string CDlgMkqInput::PictureOf(int doorType, int side) {
    static const char* const kSide[kMkqSideCount] = {"LEFT", "RIGHT", "UP", "DOWN"};
    if (side < 0 || side >= kMkqSideCount) side = 0;
    return std::string("IDR_WMF_") + (doorType == 1 ? "GONG" : "PING") + "_" + kSide[side];
}

void CDlgMkqInput::DrawPicture() {
    if (!m_pData || !m_pPicture) return;
    m_strPicture = PictureOf(m_pData->DoorType, m_pData->CurSide);
    m_pPicture->setPixmap(ProgramPicture(m_strPicture));
}

void CDlgMkqInput::DrawSketch() {
    if (!m_pData || !m_pSketchWnd) return;
    m_pSketchWnd->SetDrawing(nullptr);
    m_pSketch = NewDrawing();
    m_pData->DrawJianTu(m_pSketch.get());
    m_pSketchWnd->SetDrawing(m_pSketch.get());
    FitSketch();
}

void CDlgMkqInput::FitSketch() {
    if (!m_pSketchWnd || !m_pSketch) return;
    m_pSketchWnd->All();
    // A margin around the sketch: 0.8 of the fitted scale about the window's centre.
    CFCoor& coor = m_pSketchWnd->Coor();
    const double wx = m_pSketchWnd->width() / 2.0, wy = m_pSketchWnd->height() / 2.0;
    const CFPoint centre = coor.DPtoFP(wx, wy);
    const double scale = coor.GetScale() * 0.8;
    coor.SetScale(scale);
    coor.SetOrigin(centre.x - wx / scale, centre.y + wy / scale);
    m_pSketchWnd->update();
}

// --------------------------------------------------------------- CDlgMkqDaoRu

CDlgMkqDaoRu::CDlgMkqDaoRu(QWidget* parent, CMkqJsData* data) : QDialog(parent), m_pData(data) {
    setObjectName(QStringLiteral("155"));
    setWindowTitle(QStringLiteral("导入荷载"));
    for (int k = 0; k < kMkqSideCount; ++k) m_Copy.Side[k] = data->Side[k];
    m_Copy.La = data->La;
    m_Copy.Lb = data->Lb;
    m_Copy.DoorType = data->DoorType;
    m_Copy.ReadExOut(kv::tools::ReadPath(kv::tools::kExchangeFile).c_str(), 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Placeholder(this, 2024, 460, 260), 1);
    auto* buttons = new QHBoxLayout;
    auto* take = new CButtonST(QStringLiteral("导入"), this);
    take->setObjectName(QStringLiteral("1"));
    auto* cancel = new CButtonST(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));
    connect(take, &QPushButton::clicked, this, &CDlgMkqDaoRu::OnDaoRu);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch(1);
    buttons->addWidget(take);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    m_XieJiao.m_pData = &m_Copy;
    Listen(this, &m_XieJiao, 2024, [this](int message) {
        if (message == kTableRefill) m_XieJiao.UpdateTable();
    });
    m_XieJiao.UpdateTable();
}

void CDlgMkqDaoRu::OnDaoRu() {
    if (!m_XieJiao.m_bValid) {
        kv::MessageBox("注意：\n    输入数据有误！");
        return;
    }
    for (int k = 0; k < kMkqSideCount; ++k) m_pData->Side[k] = m_Copy.Side[k];
    accept();
}

// ------------------------------------------------------------- CDlgMkqShiYiTu

CDlgMkqShiYiTu::CDlgMkqShiYiTu(QWidget* parent, const CMkqJsData* data) : QDialog(parent) {
    setObjectName(QStringLiteral("8280"));
    setWindowTitle(QStringLiteral("示意图"));
    auto* layout = new QVBoxLayout(this);
    auto* arched = new QLabel(this);
    arched->setObjectName(QStringLiteral("1070"));
    arched->setPixmap(ProgramPicture("IDB_BITMAP_2220"));
    auto* flat = new QLabel(this);
    flat->setObjectName(QStringLiteral("1073"));
    flat->setPixmap(ProgramPicture("IDB_BITMAP_2221"));
    layout->addWidget(arched);
    layout->addWidget(flat);
    arched->setVisible(data->DoorType == 1);
    flat->setVisible(data->DoorType != 1);
    auto* close = new CButtonST(QStringLiteral(" 退出"), this);
    close->setObjectName(QStringLiteral("2"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(close, 0, Qt::AlignRight);
}

// -------------------------------------------------------------- CDlgMkqResult

CDlgMkqResult::CDlgMkqResult(QWidget* parent) : CDlgBase(parent) {}

CJsResultBase* CDlgMkqResult::GetJsResultBase() { return m_pJiSuan ? m_pJiSuan->m_pResult : nullptr; }

int CDlgMkqResult::CreateDlg(QWidget* parent) {
    CDlgBase::CreateDlg(parent);
    setObjectName(QStringLiteral("229"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Placeholder(this, 2104, 300, 80));
    layout->addStretch(1);
    return 1;
}

int CDlgMkqResult::InitDlg() {
    m_JianTu.m_pData = m_pData;
    Listen(this, &m_JianTu, 2104, [this](int message) { OnTableMessage(message, 0, 0); });
    return 1;
}

void CDlgMkqResult::showEvent(QShowEvent* event) {
    CDlgBase::showEvent(event);
    if (m_JianTu.m_pData) m_JianTu.UpdateTable();
}

void CDlgMkqResult::DiagramSelected(int) {
    // The scale shown and edited is the one of the diagram now selected.
    if (m_JianTu.m_pData) m_JianTu.UpdateTable();
}

int CDlgMkqResult::OnTableMessage(int message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == kTableRedraw) return SendToOwner(kTableRedraw, wParam, lParam);
    return 0;
}

// ---------------------------------------------------------------- CDlgMkqDraw

CDlgMkqDraw::CDlgMkqDraw(QWidget* parent) : CDlgBase(parent) {}

CDlgMkqDraw::~CDlgMkqDraw() = default;

CJsResultBase* CDlgMkqDraw::GetJsResultBase() { return m_pJiSuan ? m_pJiSuan->m_pResult : nullptr; }

int CDlgMkqDraw::CreateDlg(QWidget* parent) {
    CDlgBase::CreateDlg(parent);
    setObjectName(QStringLiteral("228"));
    setWindowTitle(QStringLiteral("门框墙配筋修改"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(Placeholder(this, 2000, 360, 300), 0, 0, 1, 2);
    layout->addWidget(Placeholder(this, 2104, 360, 180), 1, 0, 1, 2);
    auto* key = new QPushButton(this);
    key->setObjectName(QStringLiteral("2005"));
    key->setAutoDefault(false);
    key->setFlat(true);
    const QPixmap picture = ProgramPicture("IDB_BITMAP_230");
    key->setIcon(QIcon(picture));
    key->setIconSize(picture.size());
    layout->addWidget(key, 2, 0);
    layout->addWidget(new QLabel(QStringLiteral("说明：\n    水平方向为门框墙长度方向；\n    竖向为门框墙高度方向。"), this),
                      2, 1);
    layout->setRowStretch(0, 3);
    layout->setRowStretch(1, 2);
    layout->setColumnStretch(1, 1);
    return 1;
}

int CDlgMkqDraw::InitDlg() {
    m_pPreview = new CDxfWnd;
    FillPlaceholder(this, 2000, m_pPreview);
    new RefitOnResize(m_pPreview, [this] { m_pPreview->All(); });
    m_PeiJin.m_pData = m_pData;
    m_PeiJin.m_pResult = m_pJiSuan ? dynamic_cast<CMkqResult*>(m_pJiSuan->m_pResult) : nullptr;
    Listen(this, &m_PeiJin, 2104, [this](int message) { OnTableMessage(message, 0, 0); });
    Redraw();
    return 1;
}

int CDlgMkqDraw::RefreshDlg() {
    // A 计算 chose new bars: the grid shows them as the drawing does.
    m_PeiJin.UpdateTable();
    Redraw();
    return 1;
}

int CDlgMkqDraw::OnTableMessage(int message, std::uintptr_t, std::intptr_t) {
    if (message == kTableRefill || message == kTableRedraw) {
        m_PeiJin.UpdateTable();
        Redraw();
        return 1;
    }
    return 0;
}

void CDlgMkqDraw::Redraw() {
    if (!m_pPreview || !m_pJiSuan) return;
    m_pPreview->SetDrawing(nullptr);
    m_pDrawing = NewDrawing();
    m_pJiSuan->OutDrawing(m_pDrawing.get(), 0, 0);
    m_pPreview->SetDrawing(m_pDrawing.get());
    m_pPreview->All();
}
