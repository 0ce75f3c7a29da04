#pragma once
// Dialogs of one field: the caller sets the field, runs the dialog and reads the
// field after OK.
#include <QDialog>
#include <string>

class QLineEdit;

class COneFieldDialog : public QDialog {
    Q_OBJECT
public:
    int exec() override;  // shows the field, then runs
    QLineEdit* Edit() const { return m_edit; }

protected:
    COneFieldDialog(QWidget* parent, int templateId, const QString& caption, const QString& label,
                    const QString& okText, const QString& cancelText);
    virtual void ToControl() = 0;
    virtual bool FromControl() = 0;
    void accept() override;

private:
    QLineEdit* m_edit = nullptr;  // 1001
};

// "输入注释说明": the title of a new item that has no module dialog.
class CDlgJssTitle : public COneFieldDialog {
    Q_OBJECT
public:
    explicit CDlgJssTitle(QWidget* parent = nullptr);
    std::string m_strTitle = "***梁计算书";

protected:
    void ToControl() override;
    bool FromControl() override;
};

// "指定行号": the line the report view goes to.
class CDlgGotoLine : public COneFieldDialog {
    Q_OBJECT
public:
    explicit CDlgGotoLine(QWidget* parent = nullptr);
    int m_nLine = 1;

protected:
    void ToControl() override;
    bool FromControl() override;
};

// "文字显示比例": the text-height factor of the drawing view, 0.0001 to 100000.
class CDlgTextHeight : public COneFieldDialog {
    Q_OBJECT
public:
    explicit CDlgTextHeight(QWidget* parent = nullptr);
    float m_fRatio = 1.0f;

protected:
    void ToControl() override;
    bool FromControl() override;
};
