#include "views/dialogs/moduledlg.h"

#include "base/globals.h"
#include "base/jsdata.h"
#include "platform/services.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/shellservices.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QToolTip>

CModuleDlg::CModuleDlg(QWidget* parent) : QDialog(parent) {}

void CModuleDlg::OnEnterKey() { focusNextChild(); }

void CModuleDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnEnterKey();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CModuleDlg::LeftForAnotherField(const QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

void CModuleDlg::ShowToolTipNow(QWidget* widget) {
    QToolTip::showText(widget->mapToGlobal(QPoint(0, widget->height())), widget->toolTip(), widget);
}

std::optional<std::string> CModuleDlg::ReadDataFile(CJsBaseData& data, const std::string& filter,
                                                    const std::string& ext) {
    auto path = kv::platform::FileDialogs().GetOpenFileName({"", filter, ext, G_strWorkPath});
    if (!path || !data.LoadData(path->c_str())) return std::nullopt;
    return path;
}

void CModuleDlg::TakeReadFile(CJsBaseData& data, const std::string& path, bool storeInItem) {
    setWindowTitle(QString::fromStdString(path));
    if (storeInItem && IsProjectMode()) kv::shell::StoreItemData(&data);
}

void CModuleDlg::SaveDataFile(CJsBaseData& data, const std::string& filter, const std::string& ext,
                              const std::function<void()>& toData) {
    auto path = kv::platform::FileDialogs().GetSaveFileName({"", filter, ext, G_strWorkPath});
    if (!path) return;
    toData();
    if (!data.SaveData(path->c_str())) {
        kv::MessageBox("不能保存文件 : " + *path, kv::MB_OK | kv::MB_ICONERROR);
        return;
    }
    setWindowTitle(QString::fromStdString(*path));
}

void CModuleDlg::ShowItemReport(const CJsBaseData* data) {
    if (data) kv::shell::ReadReport(G_strWorkPath + data->GetRtfFileName(0));
}
