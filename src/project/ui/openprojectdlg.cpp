#include "project/ui/openprojectdlg.h"

#include "base/textio.h"
#include "platform/paths.h"
#include "platform/services.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kFieldChars = 255;
// The folder is kept in no fixed field: it may be as long as the system allows.
constexpr int kFolderChars = 4095;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QLineEdit* MakeEdit(QWidget* parent, int id) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setMaxLength(kFieldChars);
    return edit;
}

std::string Trim(const std::string& s) {
    std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    std::size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

}  // namespace

CDlgOpenProject::CDlgOpenProject(QWidget* parent, const std::string& startFolder, const std::string& captionSuffix)
    : QDialog(parent), m_gcxx(G_Gcxx) {
    setObjectName("8276");
    setWindowTitle(QStringLiteral("指定工作路径") + Q(captionSuffix));

    m_path = MakeEdit(this, 1088);
    m_path->setMaxLength(kFolderChars);
    m_places = new QComboBox(this);
    m_places->setObjectName("1137");
    m_places->addItem(QStringLiteral("根目录  /"), QStringLiteral("/"));
    m_places->addItem(QStringLiteral("主目录  ") + QDir::homePath(), QDir::homePath());
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!docs.isEmpty() && docs != QDir::homePath()) m_places->addItem(QStringLiteral("文档  ") + docs, docs);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QStringLiteral("/"));
    m_folders = new QTreeView(this);
    m_folders->setObjectName("1121");
    m_folders->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c) m_folders->hideColumn(c);
    m_folders->header()->hide();
    // Names as wide as they are, with a scroll bar when deep folders need one.
    m_folders->header()->setStretchLastSection(false);
    m_folders->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_folders->setMinimumSize(360, 260);

    m_name = MakeEdit(this, 12794);
    m_number = MakeEdit(this, 12795);
    m_time = MakeEdit(this, 12796);

    auto* ok = new QPushButton(QStringLiteral("确  认"), this);
    ok->setObjectName("1");
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取  消"), this);
    cancel->setObjectName("2");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("工作路径"), m_path);
    form->addRow(QStringLiteral("驱动器"), m_places);
    auto* info = new QFormLayout;
    info->addRow(QStringLiteral("工程名称"), m_name);
    info->addRow(QStringLiteral("工程编号"), m_number);
    info->addRow(QStringLiteral("设计时间"), m_time);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_folders, 1);
    layout->addLayout(info);
    layout->addWidget(buttons);

    connect(m_path, &QLineEdit::textChanged, this, &CDlgOpenProject::OnPathChanged);
    connect(m_folders, &QTreeView::clicked, this, &CDlgOpenProject::OnFolderActivated);
    connect(m_places, qOverload<int>(&QComboBox::activated), this, &CDlgOpenProject::OnPlaceChosen);

    // The record as it was last shown, then the start folder's own file.
    ShowRecord(false);
    std::string start = startFolder.empty() ? kv::platform::CurrentFolder() : startFolder;
    m_path->setText(Q(start));
    // The tree fills as folders load: the start folder is shown again as each
    // folder above it comes in, until the user moves in the tree.
    m_startFolder = QDir::cleanPath(Q(start));
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString&) {
        if (m_revealStart) RevealStartFolder();
    });
    connect(m_folders->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!m_revealing) m_revealStart = false;
    });
    connect(m_folders->verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] { m_revealStart = false; });
    connect(m_path, &QLineEdit::textEdited, this, [this] { m_revealStart = false; });
    RevealStartFolder();
}

void CDlgOpenProject::RevealStartFolder() {
    // A work folder that is gone shows the nearest folder above it that is there.
    QString shown = m_startFolder;
    while (!QFileInfo(shown).isDir()) {
        QString up = QFileInfo(shown).path();
        if (up == shown) return;
        shown = up;
    }
    QModelIndex at = m_model->index(shown);
    if (!at.isValid()) return;
    m_revealing = true;
    for (QModelIndex up = at.parent(); up.isValid(); up = up.parent()) m_folders->expand(up);
    m_folders->setCurrentIndex(at);
    m_folders->scrollTo(at, QAbstractItemView::PositionAtCenter);
    // A deep folder sits far to the right: bring its name into view.
    const QRect r = m_folders->visualRect(at);
    if (r.left() < 0 || r.left() > m_folders->viewport()->width() / 2) {
        QScrollBar* bar = m_folders->horizontalScrollBar();
        bar->setValue(bar->value() + r.left() - m_folders->indentation());
    }
    m_revealing = false;
}

void CDlgOpenProject::ShowRecord(bool withFolder) {
    m_name->setText(Q(m_gcxx.m_strName));
    m_number->setText(Q(m_gcxx.m_strNumber));
    m_time->setText(Q(m_gcxx.m_strTime));
    if (withFolder) m_path->setText(Q(m_gcxx.m_strPath));
}

void CDlgOpenProject::OnPathChanged(const QString& text) {
    std::string folder = kv::platform::WithTrailingSlash(S(text));
    CGcxx read = m_gcxx;
    if (!read.ReadBox(folder)) {
        // A folder without project information starts a new project.
        read.SetDefault();
    }
    read.m_strPath = S(text);
    m_gcxx = read;
    ShowRecord(false);
}

void CDlgOpenProject::OnFolderActivated(const QModelIndex& index) {
    QString path = m_model->filePath(index);
    if (!path.isEmpty()) m_path->setText(path);
}

void CDlgOpenProject::OnPlaceChosen(int index) {
    m_revealStart = false;
    QString path = m_places->itemData(index).toString();
    m_path->setText(path);
    QModelIndex at = m_model->index(path);
    if (at.isValid()) m_folders->setCurrentIndex(at);
}

void CDlgOpenProject::accept() {
    m_gcxx.m_strName = S(m_name->text().left(kFieldChars));
    m_gcxx.m_strTime = S(m_time->text().left(kFieldChars));
    m_gcxx.m_strNumber = S(m_number->text().left(kFieldChars));
    m_gcxx.m_strPath = S(m_path->text());
    m_chosen.clear();
    QDialog::accept();

    // Enter the folder, creating it when it does not exist; a folder that can be
    // neither entered nor created gets no project information.
    std::string folder = kv::platform::ToSlashes(Trim(m_gcxx.m_strPath));
    if (folder.empty()) return;
    // A folder typed without its path is below the current folder; it is made
    // absolute first, as entering it changes the current folder.
    if (folder.front() != '/') folder = kv::platform::CurrentFolder() + folder;
    if (!kv::platform::SetCurrentFolder(folder)) {
        if (!MakeDirectory(folder.c_str()) || !kv::platform::SetCurrentFolder(folder)) return;
    }
    m_chosen = kv::platform::WithTrailingSlash(kv::platform::ResolveExisting(folder));
    if (!m_gcxx.WriteBox(m_chosen))
        kv::MessageBox("不能保存文件 : " + m_chosen + "GCXX.BOX", kv::MB_OK | kv::MB_ICONERROR);
}

int SelectWorkPath(QWidget* owner, CGcxx& out, const std::string& startFolder, const std::string& captionSuffix) {
    CDlgOpenProject dlg(owner, startFolder, captionSuffix);
    int ok = dlg.exec() == QDialog::Accepted ? 1 : 0;
    G_Gcxx = dlg.Record();
    if (ok && dlg.ChosenFolder().empty()) {
        // A project needs a folder to write its files into.
        kv::MessageBox("不能进入或建立文件夹 : " + dlg.Record().m_strPath, kv::MB_OK | kv::MB_ICONERROR);
        ok = 0;
    }
    if (ok) G_Gcxx.m_strPath = dlg.ChosenFolder();
    out = G_Gcxx;
    return ok;
}
