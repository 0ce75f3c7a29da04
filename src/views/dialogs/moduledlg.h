#pragma once
// What the member dialogs of the modules share: Enter moves on to the next field
// instead of ending the dialog, a field is left only when the focus moved to
// another field, tool tips that come at once, and the 读数据, 存数据 and 查报表
// buttons on the module's data object. What each dialog does around them (which
// copy runs first, what is redrawn after a read) stays the dialog's own.
#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class CJsBaseData;
class QEvent;
class QKeyEvent;

class CModuleDlg : public QDialog {
    Q_OBJECT
public:
    explicit CModuleDlg(QWidget* parent = nullptr);

    // The hidden default button and the Enter key: on to the next field.
    virtual void OnEnterKey();

    // A focus-out event that moved the focus to another field; a message box or
    // menu coming up on top is no such move. Pages of a tab sheet ask it too.
    static bool LeftForAnotherField(const QEvent* event);

protected:
    void keyPressEvent(QKeyEvent* event) override;

    // Shows `widget`'s tool tip now, not after the usual wait.
    static void ShowToolTipNow(QWidget* widget);

    // 读数据: asks for a file of `filter` and reads it into `data`. On success the
    // window is titled with the path and, with `storeInItem` in project mode, what
    // was read becomes the current item's data. The path read, or none (cancelled
    // or refused by the reader, which has said why).
    std::optional<std::string> ReadDataFile(CJsBaseData& data, const std::string& filter, const std::string& ext);
    void TakeReadFile(CJsBaseData& data, const std::string& path, bool storeInItem = true);
    // 存数据: asks for a path, copies the controls with `toData`, then saves and
    // titles the window with the path; a file that cannot be written is told and
    // leaves the title. `ext` empty: saved under the name as typed.
    void SaveDataFile(CJsBaseData& data, const std::string& filter, const std::string& ext,
                      const std::function<void()>& toData);
    // 查报表: the item's report in the report view.
    static void ShowItemReport(const CJsBaseData* data);
};
