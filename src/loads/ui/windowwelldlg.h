#pragma once
// "采光窗" (command 32778): the loads on a daylight window or window well, with the
// cover plate's reflection coefficient K worked out in a sub-dialog.
#include "loads/ui/loaddlg.h"
#include "loads/windowwell.h"

class CDlgWindowWellLoad : public CLoadDlgBase {
    Q_OBJECT
public:
    CDlgWindowWellLoad(WindowWellInput& in, QWidget* parent = nullptr);

    void OnModeChanged();
    void UpdateControls();
    void OnReflectK();

protected:
    bool UpdateData(bool save) override;
    std::string Answer() const override { return WindowWellAnswer(m_in); }

private:
    void ClearIfEmpty();

    WindowWellInput& m_in;
    CPictureButton* m_picture;   // 1142
    QComboBox* m_form;           // 1085
    QComboBox* m_nuclear;        // 1046
    QCheckBox* m_upper;          // 1071
    QLineEdit* m_k;              // 1004
    QComboBox* m_conv;           // 1055
    QRadioButton* m_classA;      // 1295
    QRadioButton* m_classB;      // 1116
    QList<QWidget*> m_nuclearControls;
    QList<QWidget*> m_convControls;
};

// "计算核爆顶板综合反射系数K": K of a roof plate from its cover, span, structure and
// soil. Starts from the defaults except the class, which the caller gives.
class CDlgReflectK : public QDialog {
    Q_OBJECT
public:
    CDlgReflectK(int nuclearClass, QWidget* parent = nullptr);
    // The value shown in 1004 when the dialog was closed with OK.
    float K() const { return m_k; }

    void CalK();
    void OnSaturated();

private:
    bool UpdateData(bool save);
    void WriteBack();
    void ClearIfEmpty(QLineEdit* edit, float& field);

    ReflectKInput m_in;
    float m_k = 0;
    bool m_writingBack = false;
    QCheckBox* m_saturated;  // 3204
    QComboBox* m_form;       // 1085
    QComboBox* m_nuclear;    // 1046
    QLineEdit* m_cover;      // 1029
    QLineEdit* m_air;        // 1082
    QWidget* m_airLabel;     // 1271
    QLineEdit* m_span;       // 1013
    QLineEdit* m_result;     // 1004
};

// Command 32778: the dialog over `parent`, keeping its inputs from one use to the next.
void OnLoadWindowWell(QWidget* parent);
