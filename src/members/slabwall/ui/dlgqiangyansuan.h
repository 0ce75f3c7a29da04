#pragma once
// The section check "墙体验算": one 1000 mm strip of a wall at a plate edge under
// the edge moment and the vertical force there (wall mode), or of a roof or floor
// slab in bending alone. The opener fills the record's inputs and runs the dialog;
// the result is shown as text.
#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// What one section check keeps between its runs: the opener's inputs and the
// dialog's own values and result.
struct QiangYanSuanRecord {
    enum { kWall = 0, kRoof = 1, kFloor = 2 };
    // Inputs set by the opener.
    float BianM[4] = {0, 0, 0, 0};  // edge moments, bottom, right, top, left, kN·m/m
    float BianN[4] = {0, 0, 0, 0};  // vertical forces at the edges, kN/m, compression positive
    int Steam = 0;
    int Mode = kWall;
    // The dialog's values.
    int position = 0;               // edge of the wall check, 0 下 .. 3 左
    QString result;                 // "\r\n"-separated lines
    int H = 3000;                   // wall height, mm
    int t = 300;                    // thickness, mm
    int as = 35;                    // face to steel centroid, mm
    QString conGrade = "30";        // concrete grade as the combo shows it
    int barIndex = 2;               // HPB235, HRB335, HRB400, RRB400
    float M = 0;                    // moment, kN·m/m
};

// The two checks of the run: the slab dialog's (wall mode) and the wall dialog's
// (roof and floor modes). Each keeps its entries for the next opening.
QiangYanSuanRecord& SlabSectionCheck();
QiangYanSuanRecord& WallSectionCheck();

class CDlgQiangYanSuan : public QDialog {
    Q_OBJECT
public:
    CDlgQiangYanSuan(QWidget* parent, QiangYanSuanRecord& record);

    QiangYanSuanRecord& Record() { return m_rec; }

    void OnOK();              // 计算 (1): the dialog stays open
    void OnPositionChange();  // 1181
    void OnMomentKillFocus(); // leaving 1276
    void CalBend();           // roof and floor modes
    void CalZhouLi();         // wall mode

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    // Controls to the record (false when a field does not read) and back.
    bool UpdateData(bool save);

    QiangYanSuanRecord& m_rec;
    QComboBox* m_position = nullptr;  // 1181
    QPlainTextEdit* m_result = nullptr;  // 3221
    QLineEdit* m_height = nullptr;    // 1225
    QLineEdit* m_thickness = nullptr; // 1229
    QLineEdit* m_as = nullptr;        // 1223
    QComboBox* m_conGrade = nullptr;  // 1176
    QComboBox* m_barGrade = nullptr;  // 1182
    QLineEdit* m_moment = nullptr;    // 1276
    QLabel* m_thicknessLabel = nullptr;  // 3229
};
