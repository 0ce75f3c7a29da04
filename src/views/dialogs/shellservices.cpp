#include "views/dialogs/shellservices.h"

#include <utility>

namespace kv::shell {
namespace {

ReportView& View() {
    static ReportView view;
    return view;
}
std::function<int(CJsBaseData*)>& Store() {
    static std::function<int(CJsBaseData*)> store;
    return store;
}
std::function<void(int)>& Sender() {
    static std::function<void(int)> send;
    return send;
}

}  // namespace

void SetReportView(ReportView view) { View() = std::move(view); }
bool ReadReport(const std::string& path) { return View().read && View().read(path); }
void RunReportScripts() {
    if (View().runScripts) View().runScripts();
}
bool SaveReport(const std::string& path) { return View().saveAs && View().saveAs(path); }
QTextDocument* ReportDocument() { return View().document ? View().document() : nullptr; }

void SetItemStore(std::function<int(CJsBaseData*)> store) { Store() = std::move(store); }
int StoreItemData(CJsBaseData* data) { return Store() ? Store()(data) : 0; }

void SetCommandSender(std::function<void(int)> send) { Sender() = std::move(send); }
void SendCommand(int id) {
    if (Sender()) Sender()(id);
}

}  // namespace kv::shell
