#pragma once
// "临空墙" and "门框墙" of the blast-load menu: the loads on a wall adjacent to air
// and on a door-frame wall at an entrance. Each dialog recomputes on every
// change, writes its answer to "Message.Box" and shows that file. The inputs
// live in a record of the command, so the next use starts from the last one.
#include "loads/entranceloads.h"

#include <QDialog>

class CPictureButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// What the two dialogs share: the entrance, the classes, the distance and the
// passage, their visibility rule and the result box.
class CDlgEntranceLoad : public QDialog {
    Q_OBJECT
public:
    QPlainTextEdit* ResultBox() const { return m_result; }
    // Reads the controls, writes the answer and shows it.
    void Calculate();

protected:
    CDlgEntranceLoad(int templateId, const QString& caption, EntranceInput& in, QWidget* parent);
    // Lays out the picture, the entrance inputs below the `rowsAbove` rows a
    // dialog put into m_inputs, the buttons and the result box; connects the
    // shared controls.
    void Finish(CPictureButton* picture, int rowsAbove, const QString& calculateText, const QString& returnText);
    // Moves the fields to the controls (false) or back; false when an entry was refused.
    virtual bool UpdateData(bool save);
    // Normalises the entries and writes "Message.Box"; false when it was not written.
    virtual bool CalLoad() = 0;
    // Before reading: an empty entry becomes "0". After: a value closer to 0 than
    // 0.00001 is 0.
    static void FillEmpty(QLineEdit* edit);
    static void ZeroTiny(float& field);
    // An emptied entry sets its field to 0 and clears the answer; otherwise recompute.
    void ClearIfEmpty(QLineEdit* edit, float& field);
    // Which entrance controls show: by class, entrance kind and nuclear class.
    void UpdateControls();
    void WriteBack();
    // Reads the distance entry: the air wall takes any number, the door frame 0 … 1000.
    virtual bool ReadDistance();

    EntranceInput& m_entrance;
    bool m_writingBack = false;
    QRadioButton* m_classA = nullptr;    // 1295
    QRadioButton* m_classB = nullptr;    // 1116
    QComboBox* m_nuclearKind = nullptr;  // 1085
    QComboBox* m_convKind = nullptr;     // 1091
    QComboBox* m_nuclearClass = nullptr; // 1046
    QComboBox* m_convClass = nullptr;    // 1055
    QLineEdit* m_distance = nullptr;     // 1353
    QComboBox* m_passage = nullptr;      // 1058
    QComboBox* m_farSide = nullptr;      // 1061
    QCheckBox* m_stairs = nullptr;       // 3211
    QLabel* m_nuclearLabel = nullptr;    // 3122
    QLabel* m_farSideLabel = nullptr;    // 3181
    QGroupBox* m_nuclearGroup = nullptr; // 3120
    QPlainTextEdit* m_result = nullptr;  // 3116
    QPushButton* m_calculate = nullptr;  // 1129
    QGridLayout* m_inputs = nullptr;     // label and entry columns beside the picture
};

class CDlgAirWallLoad : public CDlgEntranceLoad {
    Q_OBJECT
public:
    CDlgAirWallLoad(EntranceInput& in, QWidget* parent = nullptr);

protected:
    bool CalLoad() override;
};

class CDlgDoorFrameLoad : public CDlgEntranceLoad {
    Q_OBJECT
public:
    CDlgDoorFrameLoad(DoorFrameInput& in, QWidget* parent = nullptr);
    CPictureButton* PictureButton() const { return m_picture; }

protected:
    bool UpdateData(bool save) override;
    bool CalLoad() override;
    bool ReadDistance() override;

private:
    void OnLeafChanged();

    DoorFrameInput& m_in;
    QLineEdit* m_width = nullptr;        // 1068
    QLineEdit* m_height = nullptr;       // 1077
    QRadioButton* m_single = nullptr;    // 1094
    QRadioButton* m_double = nullptr;    // 1110
    CPictureButton* m_picture = nullptr; // 1119
};

// The commands 32777 and 32772: the dialog on the inputs kept for the run.
void OnLoadAirWall(QWidget* parent);
void OnLoadDoorFrame(QWidget* parent);
