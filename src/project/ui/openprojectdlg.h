#pragma once
// The open-project dialog "指定工作路径": the engineer picks (or types) the project
// folder and sees the project's name, number and design time, read live from the
// folder's "GCXX.BOX" as the folder changes. OK writes "GCXX.BOX" and makes the
// folder the current folder, creating it when it does not exist yet.
#include "project/project.h"

#include <QDialog>
#include <QString>
#include <string>

class QFileSystemModel;
class QLineEdit;
class QTreeView;
class QComboBox;

class CDlgOpenProject : public QDialog {
    Q_OBJECT
public:
    // `startFolder`: the folder shown first; `captionSuffix`: the work setting's
    // " [%s]" suffix (empty in the basement setting).
    CDlgOpenProject(QWidget* parent, const std::string& startFolder, const std::string& captionSuffix);

    // The record the dialog shows and edits (a copy of G_Gcxx at start).
    const CGcxx& Record() const { return m_gcxx; }

    // The folder the user chose on OK, with a trailing '/'; empty when the folder
    // could neither be entered nor created.
    const std::string& ChosenFolder() const { return m_chosen; }

    void accept() override;

private:
    void OnPathChanged(const QString& text);
    void OnFolderActivated(const QModelIndex& index);
    void OnPlaceChosen(int index);
    void ShowRecord(bool withFolder);
    // Opens the tree down to the start folder and selects it.
    void RevealStartFolder();

    CGcxx m_gcxx;
    std::string m_chosen;
    QLineEdit* m_path = nullptr;     // 1088
    QTreeView* m_folders = nullptr;  // 1121
    QComboBox* m_places = nullptr;   // 1137
    QLineEdit* m_name = nullptr;     // 12794
    QLineEdit* m_number = nullptr;   // 12795
    QLineEdit* m_time = nullptr;     // 12796
    QFileSystemModel* m_model = nullptr;
    QString m_startFolder;
    bool m_revealStart = true;  // until the user moves in the tree
    bool m_revealing = false;
};

// Runs the open-project dialog starting in `startFolder`. Nonzero when it ended with
// OK in a folder that could be entered or created (G_Gcxx's folder is then that
// folder with a trailing '/'); a folder that cannot be made is reported and
// counts as cancelled. In every case G_Gcxx takes the dialog's record and `out` a
// copy of it.
int SelectWorkPath(QWidget* owner, CGcxx& out, const std::string& startFolder, const std::string& captionSuffix);
