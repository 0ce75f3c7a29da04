#pragma once
// What the formula wizard's pages share: the blast-load record they work on,
// control making by id, and a store when an input edit loses the focus.
#include "views/dialogs/dlgtabsheet.h"

#include <QString>
#include <functional>
#include <map>
#include <string>

class CEquivLoad;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CWizardPage : public CSheetPage {
    Q_OBJECT
public:
    explicit CWizardPage(CEquivLoad* load) : m_pLoad(load) {}

    // The control of id `id` on this page, or null.
    template <class W>
    W* Control(int id) const {
        return findChild<W*>(QString::number(id));
    }

protected:
    QLineEdit* MakeEdit(int id);
    // A result: shown only, never typed.
    QLineEdit* MakeResult(int id);
    QLabel* MakeLabel(const QString& text, int id = 0);
    QPushButton* MakeButton(const QString& text, int id, std::function<void()> clicked);
    // A help button ">".
    QPushButton* MakeHelp(int id, std::function<void()> clicked);
    QCheckBox* MakeCheck(const QString& text, int id);
    QRadioButton* MakeRadio(const QString& text, int id);
    QGroupBox* MakeGroup(const QString& title, int id = 0);

    // `leave` runs when `edit` loses the focus (not while a previous one runs).
    void OnLeave(QLineEdit* edit, std::function<void()> leave);

    // The picture help with one or two pictures and their captions.
    void ShowHelpPicture(const std::string& picture, const std::string& caption);
    void ShowHelpPictures(const std::string& picture1, const std::string& caption1, const std::string& picture2,
                          const std::string& caption2);

    // Sizes the page to show every control it has, before any is hidden.
    void FixPageSize();

    bool eventFilter(QObject* watched, QEvent* event) override;

    CEquivLoad* m_pLoad;

private:
    std::map<QObject*, std::function<void()>> m_leave;
    bool m_inLeave = false;
};

// Shows or hides every given widget (null ones are skipped).
void SetShown(std::initializer_list<QWidget*> widgets, bool shown);
