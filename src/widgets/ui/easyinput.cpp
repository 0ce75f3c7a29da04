#include "widgets/ui/easyinput.h"

#include "widgets/easytable.h"
#include "widgets/ui/easytableview.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

class CEasyInput::Grid : public CEasyTableWnd {
public:
    struct Row {
        std::string label;
        float* value;
        std::string format;
    };
    std::vector<Row> rows;

    int FillTable() override {
        m_nPos = 0;
        ClearEasyTable();
        int lie[] = {0, 110, 100, -1};
        LieWid2LiePos(lie);
        IniEasyTable(10, 0, lie);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int r = static_cast<int>(i) + 1;
            AddText(r, 1, "%s", rows[i].label.c_str());
            AddFloat(r, 2, rows[i].value, rows[i].format.c_str());
        }
        m_nRowCount = static_cast<int>(rows.size());
        return 1;
    }
};

CEasyInput::CEasyInput(QWidget* parent, const std::string& title, int width, int height)
    : QDialog(parent), m_grid(std::make_unique<Grid>()) {
    setWindowTitle(QString::fromStdString(title));
    m_view = new EasyTableView(m_grid.get(), this);
    m_view->setMinimumSize(width, height);
    m_view->horizontalHeader()->hide();
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("1");
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);
}

CEasyInput::~CEasyInput() {
    // The window goes first: it lets go of the grid.
    delete m_view;
    m_view = nullptr;
}

void CEasyInput::AddRow(const std::string& label, float* value, const char* format) {
    m_grid->rows.push_back({label, value, format ? format : "%.2f"});
}

int CEasyInput::exec() {
    m_grid->UpdateTable();
    // Tall enough for the rows, up to a screenful.
    const int rows = static_cast<int>(m_grid->rows.size());
    m_view->setMinimumHeight(std::max(m_view->minimumHeight(), std::min(rows, 16) * 24 + 8));
    return QDialog::exec();
}
