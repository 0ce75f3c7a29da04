#pragma once
#include <QDialog>

class QLabel;

// 版本信息: the program's title and version, and the rights notice that the program
// folder's "About.txt" holds.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    QLabel* Title() const { return m_title; }    // static 3213
    QLabel* Notice() const { return m_notice; }  // static 3222

private:
    QLabel* m_title;
    QLabel* m_notice;
};
