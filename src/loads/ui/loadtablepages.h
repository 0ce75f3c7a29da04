#pragma once
// "地下室查表": the roof, floor and exterior-wall loads straight from the code's
// tables, on three pages of the tab-sheet container. Each page recomputes on
// every change, writes its answer to "Message.Box" and shows that file.
// Nothing is kept: every run of the command starts from the defaults.
#include "loads/loadtable.h"
#include "views/dialogs/dlgtabsheet.h"

#include <QAbstractButton>
#include <QPixmap>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// A button drawn from two pictures of the program folder (up and pressed). A
// missing picture leaves the button blank.
class CPictureButton : public QAbstractButton {
    Q_OBJECT
public:
    CPictureButton(const std::string& up, const std::string& down, const QString& name, QWidget* parent);
    QSize sizeHint() const override;
    // Shows other pictures and takes their size.
    void SetPictures(const std::string& up, const std::string& down);
    // The name of the picture shown when the button is up.
    const std::string& Picture() const { return m_upName; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_up, m_down;
    std::string m_upName;
};

// What the three pages share: the result box, the calculate button and the
// writing and showing of the answer.
class CTablePageBase : public CSheetPage {
    Q_OBJECT
public:
    explicit CTablePageBase(int templateId, QWidget* parent = nullptr);
    // Reads the controls, looks up, writes "Message.Box" and shows it. When the
    // file cannot be written the box is emptied and the user is told.
    void Calculate();
    QPlainTextEdit* ResultBox() const { return m_result; }

protected:
    // Moves the fields to the controls (save false) or back; false when an entry
    // was refused. A refused entry keeps its field; every other control is still
    // read, so the answer never mixes new entries with old ones.
    virtual bool UpdateData(bool save) = 0;
    virtual std::string Answer() const = 0;
    // Reads the controls and writes the answer; false when the file was not written.
    virtual bool CalQe();
    // An entry just emptied: its field becomes 0 and the box is cleared, with no
    // calculation. Otherwise the page recomputes.
    void ClearIfEmpty(QLineEdit* edit, float& field);
    // Writes the fields to the controls without the controls calling back.
    void WriteBack();
    // An empty entry becomes "0"; a value closer to 0 than 0.00001 becomes 0.
    static void NormaliseEntry(QLineEdit* edit, float& field);

    QLineEdit* MakeEdit(int id);
    QComboBox* MakeCombo(int id, const QStringList& items);
    QCheckBox* MakeCheck(int id, const QString& text);
    QRadioButton* MakeRadio(int id, const QString& text);
    QPushButton* MakeNoteButton(int id);
    // The engineering class: radios 1295 甲类 and 1116 乙类, in a row.
    QHBoxLayout* MakeClassRow(QRadioButton*& classA, QRadioButton*& classB);
    // Top to bottom: the heading lines, the inputs, the nuclear and conventional
    // groups side by side (when given), the calculate button and the result box.
    void LayOutPage(const QStringList& heading, QLayout* inputs, QWidget* nuclear, QWidget* conv);
    void ConnectRecalc(QComboBox* combo);
    void ConnectRecalc(QAbstractButton* button);

    QPlainTextEdit* m_result = nullptr;  // 3116
    CPictureButton* m_calculate = nullptr;  // 1129
    bool m_writingBack = false;
};

class CPageRoofTable : public CTablePageBase {
    Q_OBJECT
public:
    explicit CPageRoofTable(QWidget* parent = nullptr);
    RoofTableInput m_in;

    void OnCalculate();
    void OnNuclearChanged();
    void UpdateControls();
    void OnNoteConventional();
    void OnNoteNuclear();

protected:
    bool UpdateData(bool save) override;
    std::string Answer() const override { return RoofTableAnswer(m_in); }
    bool CalQe() override;

private:
    QCheckBox* m_upperNuclear;  // 1071
    QComboBox* m_nuclear;       // 1046
    QLineEdit* m_cover;         // 1029
    QLineEdit* m_span;          // 1013
    QComboBox* m_conv;          // 1055
    QRadioButton* m_classA;     // 1295
    QRadioButton* m_classB;     // 1116
    QCheckBox* m_upperConv;     // 1078
    QList<QWidget*> m_nuclearControls;
};

class CPageFloorTable : public CTablePageBase {
    Q_OBJECT
public:
    explicit CPageFloorTable(QWidget* parent = nullptr);
    FloorTableInput m_in;

protected:
    bool UpdateData(bool save) override;
    std::string Answer() const override { return FloorTableAnswer(m_in); }
    bool CalQe() override;

private:
    QComboBox* m_nuclear;     // 1046
    QLineEdit* m_cover;       // 1029
    QLineEdit* m_span;        // 1013
    QRadioButton* m_above;    // 1098
    QRadioButton* m_below;    // 1106
};

class CPageWallTable : public CTablePageBase {
    Q_OBJECT
public:
    explicit CPageWallTable(QWidget* parent = nullptr);
    WallTableInput m_in;

    void OnNuclearChanged();
    void UpdateControls();
    void OnNoteNuclear();

protected:
    bool UpdateData(bool save) override;
    std::string Answer() const override { return WallTableAnswer(m_in); }

private:
    QCheckBox* m_saturated;     // 1079
    QComboBox* m_nuclear;       // 1046
    QComboBox* m_soil;          // 1273
    QComboBox* m_material;      // 1278
    QLineEdit* m_air;           // 1082
    QWidget* m_airLabel;        // 1271
    QCheckBox* m_upperNuclear;  // 1071
    QRadioButton* m_classA;     // 1295
    QRadioButton* m_classB;     // 1116
    QComboBox* m_conv;          // 1055
    QLineEdit* m_depth;         // 1029
    QList<QWidget*> m_nuclearControls;
};

// Command 32783: the three pages in the container, run modally over `parent`.
void OnLoadTable(QWidget* parent);
