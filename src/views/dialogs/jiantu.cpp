#include "views/dialogs/jiantu.h"

#include "base/globals.h"
#include "base/jsdata.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

namespace {
std::function<void(const std::string&)>& Viewer() {
    static std::function<void(const std::string&)> viewer;
    return viewer;
}
std::unique_ptr<CDlgJianTuList>& Chooser() {
    static std::unique_ptr<CDlgJianTuList> chooser;
    return chooser;
}
void ShowDiagram(CJsBaseData* data, int k) { ShowDiagramFile(G_strWorkPath + data->GetDxfFileName(k)); }
}  // namespace

void SetDiagramViewer(std::function<void(const std::string&)> viewer) { Viewer() = std::move(viewer); }

void ShowDiagramFile(const std::string& dxfPath) {
    if (Viewer()) Viewer()(dxfPath);
}

CDlgJianTuList::CDlgJianTuList(QWidget* parent) : QDialog(parent) {
    setObjectName("211");
    setWindowTitle(QStringLiteral("选择查询内容"));
    setModal(false);
    m_list = new QListWidget(this);
    m_list->setObjectName("3100");
    auto* ok = new QPushButton(QStringLiteral("确  定"), this);
    ok->setObjectName("1");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgJianTuList::accept);
    connect(m_list, &QListWidget::currentRowChanged, this, &CDlgJianTuList::OnSelchangeList);
    connect(m_list, &QListWidget::itemActivated, this, &CDlgJianTuList::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(260, 320);
}

void CDlgJianTuList::FillList() {
    QSignalBlocker block(m_list);
    m_list->clear();
    if (!m_pData) return;
    for (int k = 0; k < m_pData->m_nJtNum; ++k) m_list->addItem(QString::fromStdString(m_pData->GetJtTitle(k)));
}

bool CDlgJianTuList::ShowSelected() {
    int sel = m_list->currentRow();
    if (sel < 0 || !m_list->currentItem() || !m_list->currentItem()->isSelected() || !m_pData) return false;
    ShowDiagram(m_pData, sel);
    return true;
}

void CDlgJianTuList::accept() {
    if (ShowSelected()) hide();
}

void CDlgJianTuList::OnSelchangeList() { ShowSelected(); }

CDlgJianTuList* JianTuChooser() { return Chooser().get(); }
void DestroyJianTuChooser() { Chooser().reset(); }

int ShowJianTu(CJsBaseData* data) {
    if (!data) return 0;
    if (Chooser()) Chooser()->hide();
    if (data->m_nJtNum < 1) return 0;
    if (data->m_nJtNum == 1) {
        ShowDiagram(data, 0);
        return 1;
    }
    if (!Chooser()) {
        Chooser() = std::make_unique<CDlgJianTuList>();
        // No widget may outlive the application object.
        qAddPostRoutine(DestroyJianTuChooser);
    }
    Chooser()->SetData(data);
    Chooser()->FillList();
    Chooser()->show();
    return 1;
}
