#include "widgets/ui/dlgjisuan.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "base/calcrunner.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "drawing/ui/dtview.h"
#include "widgets/easytable.h"
#include "widgets/jisuanhost.h"
#include "widgets/ui/easytableview.h"

class CDlgJiSuan::Relay : public CDlgBase {
public:
    explicit Relay(CDlgJiSuan* host) : host_(host) {}
    int OnTableMessage(int message, std::uintptr_t wParam, std::intptr_t lParam) override {
        return host_->OnPageMessage(message, wParam, lParam);
    }

private:
    CDlgJiSuan* host_;
};

CDlgJiSuan::CDlgJiSuan(QWidget* parent)
    : QDialog(parent), relay_(std::make_unique<Relay>(this)) {
    setWindowTitle(QStringLiteral("计算"));
    tabs_ = new CEnTabCtrl(this);

    auto* side = new QVBoxLayout;
    auto* jisuan = new CButtonST(QStringLiteral("计算"), this);
    jisuan->setObjectName(QStringLiteral("jisuan"));
    connect(jisuan, &QPushButton::clicked, this, &CDlgJiSuan::OnJiSuan);
    side->addWidget(jisuan);
    side->addWidget(new QLabel(QStringLiteral("计算简图"), this));
    diagrams_ = new QListWidget(this);
    diagrams_->setObjectName(QStringLiteral("diagrams"));
    connect(diagrams_, &QListWidget::currentRowChanged, this, [this](int k) {
        RedrawDiagram();
        for (int p = 0; p < pages_.Count(); ++p) Page(p)->DiagramSelected(k);
    });
    side->addWidget(diagrams_, 1);
    preview_ = new CDxfWnd(this);
    preview_->setMinimumSize(220, 220);
    side->addWidget(preview_, 2);
    auto* back = new CButtonST(QStringLiteral("返回"), this);
    back->setObjectName(QStringLiteral("back"));
    connect(back, &QPushButton::clicked, this, [this] { Finish(kOk); });
    side->addWidget(back);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(side);
}

CDlgJiSuan::~CDlgJiSuan() {
    // The pages are not ours: give back those still there before the tab control goes.
    for (const QPointer<CDlgBase>& page : alive_) {
        if (!page) continue;
        page->hide();
        page->setParent(nullptr);
    }
}

bool CDlgJiSuan::AddPage(CDlgBase* page, const std::string& name) {
    if (!pages_.Add(page, name)) return false;
    page->SetOwner(relay_.get());
    alive_.emplace_back(page);
    return true;
}

CDlgBase* CDlgJiSuan::Page(int k) const { return static_cast<CDlgBase*>(pages_.Page(k)); }

CJsDataBase* CDlgJiSuan::Data() const {
    for (int k = 0; k < pages_.Count(); ++k)
        if (CJsDataBase* data = Page(k)->GetJsDataBase()) return data;
    return nullptr;
}

CJiSuanBase* CDlgJiSuan::Calculation() const {
    for (int k = 0; k < pages_.Count(); ++k)
        if (CJiSuanBase* calculation = Page(k)->GetJiSuanBase()) return calculation;
    return nullptr;
}

std::string CDlgJiSuan::DataFile() const {
    CJsDataBase* data = Data();
    return data ? G_strWorkPath + data->GetDataFileName() : std::string();
}

void CDlgJiSuan::Open() {
    if (open_) return;
    open_ = true;
    result_ = kCancel;
    if (CJsDataBase* data = Data()) {
        const std::string file = DataFile();
        if (if_file_exist(file.c_str())) data->LoadData(file.c_str());
        if (!data->m_strTitle.empty()) setWindowTitle(QString::fromStdString(data->m_strTitle));
    }
    for (int k = 0; k < pages_.Count(); ++k) {
        CDlgBase* page = Page(k);
        page->CreateDlg(tabs_);
        tabs_->addTab(page, QString::fromStdString(pages_.Name(k)));
        page->InitDlg();
    }
    FillDiagramList();
    show();
}

void CDlgJiSuan::TakePendingEdits() {
    // A value typed into a grid is stored once its editor has closed, which
    // pressing a button of the host did just now: let it land before the data
    // is written.
    for (EasyTableView* view : findChildren<EasyTableView*>())
        QCoreApplication::sendPostedEvents(view, QEvent::MetaCall);
}

int CDlgJiSuan::Finish(int result) {
    if (!open_) return result_;
    TakePendingEdits();
    open_ = false;
    result_ = result;
    if (CJsDataBase* data = Data()) data->SaveData(DataFile().c_str());
    done(result == kOk ? QDialog::Accepted : QDialog::Rejected);
    return result_;
}

int CDlgJiSuan::DoModal() {
    Open();
    exec();
    Finish(result() == QDialog::Accepted ? kOk : kCancel);
    return result_;
}

void CDlgJiSuan::reject() {
    if (open_)
        Finish(kCancel);
    else
        QDialog::reject();
}

void CDlgJiSuan::keyPressEvent(QKeyEvent* event) {
    // Enter presses nothing; Esc ends the host as cancelled.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDlgJiSuan::OnJiSuan() {
    CJiSuanBase* calculation = Calculation();
    if (!calculation) return;
    TakePendingEdits();
    // The road reads the data file: it must hold what the pages changed.
    if (CJsDataBase* data = Data()) data->SaveData(DataFile().c_str());
    const std::string title = windowTitle().toStdString();
    int ok = 0;
    if (!kv::calc::Run(title, [&] { ok = RunJiSuanRoad(*calculation); })) return;
    for (int k = 0; k < pages_.Count(); ++k) Page(k)->LoadPrompt(ok ? 0 : 1);
    if (ok)
        for (int k = 0; k < pages_.Count(); ++k) Page(k)->AfterJisuan();
    for (int k = 0; k < pages_.Count(); ++k) Page(k)->RefreshDlg();
    FillDiagramList();
}

void CDlgJiSuan::FillDiagramList() {
    const int selected = diagrams_->currentRow();
    {
        const QSignalBlocker block(diagrams_);
        diagrams_->clear();
        if (CJsDataBase* data = Data())
            for (int k = 0; k < data->m_nJtNum; ++k)
                diagrams_->addItem(QString::fromStdString(data->GetJtTitle(k)));
        if (diagrams_->count() > 0)
            diagrams_->setCurrentRow(selected >= 0 && selected < diagrams_->count() ? selected : 0);
    }
    RedrawDiagram();
}

void CDlgJiSuan::SelectDiagram(int k) { diagrams_->setCurrentRow(k); }

int CDlgJiSuan::SelectedDiagram() const { return diagrams_->currentRow(); }

const CBase_SGT* CDlgJiSuan::DiagramDrawing() const { return diagram_.get(); }

void CDlgJiSuan::RedrawDiagram() {
    const int k = SelectedDiagram();
    CJiSuanBase* calculation = Calculation();
    if (CJsDataBase* data = Data(); data && k >= 0) data->m_nCurJt = k;
    preview_->SetDrawing(nullptr);
    diagram_.reset();
    if (k < 0 || !calculation) {
        preview_->update();
        return;
    }
    // The module draws diagram k at its own scale for it.
    auto drawing = std::make_unique<CBase_SGT>();
    drawing->New_MemDxf();
    drawing->Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    drawing->Write_Tables();
    if (calculation->DrawResult(k, drawing.get(), 0)) {
        diagram_ = std::move(drawing);
        preview_->SetDrawing(diagram_.get());
        preview_->OnShowAll();
    }
    preview_->update();
}

int CDlgJiSuan::OnPageMessage(int message, std::uintptr_t, std::intptr_t) {
    if (message == kTableRedraw) {
        RedrawDiagram();
        return 1;
    }
    return 0;
}
