#pragma once
// "临空墙" (command 32777) and "门框墙" (command 32772): the loads on a wall
// adjacent to air and on a door-frame wall at an entrance, from the code's tables.
#include "loads/entranceloads.h"
#include "loads/ui/loaddlg.h"

class QGridLayout;
class QGroupBox;
class QLabel;

// What the two dialogs share: the entrance, the classes, the distance and the
// passage, and which of them show.
class CDlgEntranceLoad : public CLoadDlgBase {
    Q_OBJECT
protected:
    CDlgEntranceLoad(int templateId, const QString& caption, EntranceInput& in, QWidget* parent);
    // Lays out the entrance inputs below the `rowsAbove` rows a dialog put into
    // m_inputs, beside the sketch; connects the shared controls.
    void Finish(CPictureButton* picture, int rowsAbove);
    // Reading, an empty entry counts as "0" and a value closer to 0 than 0.00001
    // as 0; 甲类 takes its conventional entrance kind from the nuclear one.
    bool UpdateData(bool save) override;
    // Reads the distance entry: the air wall takes any number, the door frame 0 … 1000.
    virtual bool ReadDistance();
    static void FillEmpty(QLineEdit* edit);
    static void ZeroTiny(float& field);
    // An emptied entry sets its field to 0 and clears the answer; otherwise recompute.
    void ClearIfEmpty(QLineEdit* edit, float& field);
    // Which entrance controls show: by class, entrance kind and nuclear class.
    void UpdateControls();

    EntranceInput& m_entrance;
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
    QGridLayout* m_inputs = nullptr;     // label and entry columns beside the sketch
};

class CDlgAirWallLoad : public CDlgEntranceLoad {
    Q_OBJECT
public:
    CDlgAirWallLoad(EntranceInput& in, QWidget* parent = nullptr);

protected:
    std::string Answer() const override { return AirWallAnswer(m_entrance); }
};

class CDlgDoorFrameLoad : public CDlgEntranceLoad {
    Q_OBJECT
public:
    CDlgDoorFrameLoad(DoorFrameInput& in, QWidget* parent = nullptr);
    CPictureButton* PictureButton() const { return m_picture; }

protected:
    bool UpdateData(bool save) override;
    bool ReadDistance() override;
    std::string Answer() const override { return DoorFrameAnswer(m_in); }

private:
    void OnLeafChanged();

    DoorFrameInput& m_in;
    QLineEdit* m_width = nullptr;        // 1068
    QLineEdit* m_height = nullptr;       // 1077
    QRadioButton* m_single = nullptr;    // 1094
    QRadioButton* m_double = nullptr;    // 1110
    CPictureButton* m_picture = nullptr; // 1119
};

// Commands 32777 and 32772: each dialog over `parent`, keeping its inputs from one
// use to the next.
void OnLoadAirWall(QWidget* parent);
void OnLoadDoorFrame(QWidget* parent);
