#include "loads/ui/wizardpage.h"

#include "views/dialogs/dlghelppic.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
template <class W>
W* Named(W* w, int id) {
    if (id) w->setObjectName(QString::number(id));
    return w;
}
}  // namespace

QLineEdit* CWizardPage::MakeEdit(int id) {
    auto* edit = Named(new QLineEdit(this), id);
    edit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000.0000")) + 12);
    return edit;
}

QLineEdit* CWizardPage::MakeResult(int id) {
    QLineEdit* edit = MakeEdit(id);
    edit->setEnabled(false);
    return edit;
}

QLabel* CWizardPage::MakeLabel(const QString& text, int id) { return Named(new QLabel(text, this), id); }

QPushButton* CWizardPage::MakeButton(const QString& text, int id, std::function<void()> clicked) {
    auto* button = Named(new QPushButton(text, this), id);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [clicked = std::move(clicked)] { clicked(); });
    return button;
}

QPushButton* CWizardPage::MakeHelp(int id, std::function<void()> clicked) {
    QPushButton* button = MakeButton(QStringLiteral(">"), id, std::move(clicked));
    button->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral(">")) + 16);
    return button;
}

QCheckBox* CWizardPage::MakeCheck(const QString& text, int id) { return Named(new QCheckBox(text, this), id); }

QRadioButton* CWizardPage::MakeRadio(const QString& text, int id) {
    return Named(new QRadioButton(text, this), id);
}

QGroupBox* CWizardPage::MakeGroup(const QString& title, int id) { return Named(new QGroupBox(title, this), id); }

void CWizardPage::OnLeave(QLineEdit* edit, std::function<void()> leave) {
    m_leave[edit] = std::move(leave);
    edit->installEventFilter(this);
}

bool CWizardPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        auto it = m_leave.find(watched);
        // A popup menu of the edit is no leaving; a message shown by the store
        // takes the focus too, and must not start another store.
        if (it != m_leave.end() && !m_inLeave &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            m_inLeave = true;
            it->second();
            m_inLeave = false;
        }
    }
    return CSheetPage::eventFilter(watched, event);
}

void CWizardPage::ShowHelpPicture(const std::string& picture, const std::string& caption) {
    CDlgHelpPic help(this, picture);
    help.SetTitle(caption);
    help.exec();
}

void CWizardPage::ShowHelpPictures(const std::string& picture1, const std::string& caption1,
                                   const std::string& picture2, const std::string& caption2) {
    CDlgHelpPic help(this, picture1, picture2);
    help.SetTitle(caption1, caption2);
    help.exec();
}

void CWizardPage::FixPageSize() { resize(sizeHint()); }

void SetShown(std::initializer_list<QWidget*> widgets, bool shown) {
    for (QWidget* w : widgets)
        if (w) w->setVisible(shown);
}
