#pragma once
// The Qt implementations of the message, file-dialog and process services,
// installed by the program at start.
#include "platform/services.h"

#include <QFileDialog>
#include <QString>

#include <memory>

namespace kv::platform {

std::unique_ptr<MessageService> MakeQtMessageService();
std::unique_ptr<FileDialogService> MakeQtFileDialogService();
// Runs outside programs with the event loop going and a modal progress window.
std::unique_ptr<ProcessService> MakeQtProcessService();

// Installs all three; call after the application object exists.
void InstallQtServices();

// Loads Qt's own Chinese texts (file dialogs, standard buttons, the windows'
// title-bar menus) from Qt's translations folder and makes Chinese Qt's default
// locale (dates, sizes); call after the application object exists and before any
// window is made. False when the translation is not installed (Debian:
// qt6-translations-l10n); Qt's texts then stay English.
bool InstallQtTranslation();

// The program's file dialog: Qt's own, so that it speaks Chinese on every desktop,
// large enough, and with columns widened to their titles and contents.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogRequest& request,
                                            QFileDialog::AcceptMode mode);

// "说明 (*.LB)|*.LB|所有文件 (*.*)|*.*||" -> "说明 (*.LB);;所有文件 (*.*)". A description
// that does not end with its patterns gets them appended, so the dialog filters as asked.
QString QtFilterFromWindowsFilter(const std::string& filter);

}  // namespace kv::platform
