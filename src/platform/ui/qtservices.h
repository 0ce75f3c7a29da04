#pragma once
// The Qt implementations of the message and file-dialog services, installed by
// the program at start.
#include "platform/services.h"

#include <QString>

#include <memory>

namespace kv::platform {

std::unique_ptr<MessageService> MakeQtMessageService();
std::unique_ptr<FileDialogService> MakeQtFileDialogService();

// Installs both; call after the application object exists.
void InstallQtServices();

// "说明 (*.LB)|*.LB|所有文件 (*.*)|*.*||" -> "说明 (*.LB);;所有文件 (*.*)". A description
// that does not end with its patterns gets them appended, so the dialog filters as asked.
QString QtFilterFromWindowsFilter(const std::string& filter);

}  // namespace kv::platform
