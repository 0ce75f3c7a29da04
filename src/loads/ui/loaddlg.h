#pragma once
// What the small load dialogs of the blast-load menu share: a sketch of the
// member, the inputs, "查   表", the result box and "返    回". Each dialog answers
// on every change by writing "Message.Box" and showing it. The inputs live in a
// record owned by the command, so they outlast the widget.
#include <QDialog>
#include <string>

class CPictureButton;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class CLoadDlgBase : public QDialog {
    Q_OBJECT
public:
    CLoadDlgBase(int templateId, const QString& caption, QWidget* parent);
    QPlainTextEdit* ResultBox() const { return m_result; }

    // Reads the controls, writes the answer to "Message.Box" and shows it.
    void Calculate();

protected:
    // Moves the fields to the controls (save false) or back; false when an entry was refused.
    virtual bool UpdateData(bool save) = 0;
    virtual std::string Answer() const = 0;
    // Writes the fields to the controls without the controls calling back.
    void WriteBack();

    QComboBox* MakeCombo(int id, const char* const* items, int count);
    QCheckBox* MakeCheck(int id, const QString& text);
    QRadioButton* MakeRadio(int id, const QString& text);
    // Lays out the sketch beside the inputs, then the buttons and the result box.
    void LayOut(CPictureButton* picture, QLayout* inputs);
    // Recalculates on a change, except while the fields are written back.
    void ConnectRecalc(QComboBox* combo);
    void ConnectRecalc(QAbstractButton* button);

    QPlainTextEdit* m_result = nullptr;  // 3116
    QPushButton* m_calculate = nullptr;  // 1129
    bool m_writingBack = false;
};
