#pragma once
// What module dialogs ask of the shell's windows and main frame, which sit above
// them: the shell installs each service when it sets its main frame up. Until it
// has, a service does nothing and answers "not done".
#include <functional>
#include <string>

class CJsBaseData;
class QTextDocument;

namespace kv::shell {

// The current report view.
struct ReportView {
    std::function<bool(const std::string& path)> read;    // loads a report file into it
    std::function<void()> runScripts;                     // carries out its script blocks
    std::function<bool(const std::string& path)> saveAs;  // saves what it shows as RTF
    std::function<QTextDocument*()> document;             // what it shows
};
void SetReportView(ReportView view);

// False when there is no report view (or the file cannot be read).
bool ReadReport(const std::string& path);
void RunReportScripts();
// False when there is no report view or the file cannot be written (said in a message).
bool SaveReport(const std::string& path);
// The document the report view shows; nullptr without one.
QTextDocument* ReportDocument();

// Stores a data object as the current item's data file: SaveData's result, 0
// without an item.
void SetItemStore(std::function<int(CJsBaseData*)> store);
int StoreItemData(CJsBaseData* data);

// Runs a command of the main frame, as its menu would.
void SetCommandSender(std::function<void(int id)> send);
void SendCommand(int id);

}  // namespace kv::shell
