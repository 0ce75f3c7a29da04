#include "members/beams/ui/sectiondlg.h"

#include "views/dialogs/calcroad.h"
#include "platform/services.h"
#include "views/dialogs/dlghelppic.h"
#include "widgets/ui/loadtext.h"

#include <QIcon>
#include <QPixmap>
#include <QTextEdit>
#include <QToolButton>

namespace kv::beams::ui {

namespace {
// A picture the program folder lacks shows as an empty frame of this size.
constexpr QSize kPictureSize(260, 236);
}  // namespace

void ShowSectionPicture(QToolButton* button, const std::string& name) {
    QPixmap pixmap;
    const std::string path = CDlgHelpPic::PicturePath(name);
    if (path.empty() || !pixmap.load(QString::fromStdString(path))) {
        pixmap = QPixmap(kPictureSize);
        pixmap.fill(Qt::white);
    }
    button->setIcon(QIcon(pixmap));
    button->setIconSize(pixmap.size());
    button->setFixedSize(pixmap.size() + QSize(6, 6));
    button->setProperty("picture", QString::fromStdString(name));
    button->update();
}

void CalculateSection(CJsBaseData& data, const std::string& title, QTextEdit* results,
                      const std::function<bool()>& calculate,
                      const std::function<void(std::FILE*, CBase_SGT*)>& report) {
    bool written = false;
    if (!RunCalculationRoad(data, title, nullptr, {[&] { written = calculate(); }, report})) {
        // Nothing ran: the last run's lines are no answer to this one.
        results->clear();
        return;
    }
    if (!written) {
        results->clear();
        kv::MessageBox("不能写入文件 : Message.Box", kv::MB_OK | kv::MB_ICONWARNING);
        return;
    }
    LoadTextToRichEdit(results, "Message.Box");
}

}  // namespace kv::beams::ui
