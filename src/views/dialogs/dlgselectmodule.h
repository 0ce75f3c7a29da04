#pragma once
// "工程计算内容": which modules of the module table the project uses.
#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QListWidget;

class CDlgSelectModule : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFlags = 50;

    // `rows`: the names of the module table's rows in use.
    CDlgSelectModule(QWidget* parent, const std::vector<std::string>& rows);

    std::array<int, kFlags> m_nFlags{};  // nonzero: the row's module is chosen

    int exec() override;  // fills the list from the flags, then runs
    void accept() override;
    QListWidget* List() const { return m_list; }
    void OnInitDialog();

private:
    std::vector<std::string> m_rows;
    QListWidget* m_list = nullptr;  // 1201
};
