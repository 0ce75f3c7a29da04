#pragma once
// The rigid-frame dialog (刚架计算): the design parameters of the frame, the
// outside geometry editor in which the frame and its loads are drawn (刚架建模),
// the calculation (刚架计算), and *.GJ files read and saved with the editor's
// companion files.
#include <string>
#include <vector>

#include "views/dialogs/moduledlg.h"

class CGjData;
class QCheckBox;
class QComboBox;
class QLineEdit;

// "[Hubrin] Ostvik=" of "Hubrin.ini" names the geometry editor; without it (or
// "default") the program folder's "Ostvik.Exe", in any case of letters.
inline constexpr const char* kGjEditorKey = "Ostvik";
inline constexpr const char* kGjEditorExe = "Ostvik.Exe";

class CDlgGj : public CModuleDlg {
    Q_OBJECT
public:
    explicit CDlgGj(QWidget* parent = nullptr);

    void SetData(CGjData* data) { m_pData = data; }
    int exec() override;

    // The controls into the data object; 0 (the object untouched) when a field
    // is not a number (said in the range message).
    int DlgToData();
    void DataToDlg();

    void OnSelchangeGrade();  // 1176, 1032, 1037
    void OnReadData();        // 3086 读数据
    void OnSaveData();        // 1377 存数据
    void OnShowJianTu();      // 3089 查简图
    void OnShowReport();      // 3091 查报表
    void OnBuildModel();      // 1136 刚架建模
    void OnCalculate();       // 1129 刚架计算
    void OnOK();              // 1 返回
    void reject() override;   // Esc and the close box

    // The arguments the geometry editor gets: the work folder with every blank
    // made '|' (the editor splits its command line at blanks), then the data name.
    static std::vector<std::string> EditorArguments(const std::string& workPath, const std::string& dataName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();

    CGjData* m_pData = nullptr;

    QLineEdit* m_eName = nullptr;       // 3087
    QComboBox* m_cConGrade = nullptr;   // 1176
    QComboBox* m_cBarGrade = nullptr;   // 1032
    QComboBox* m_cStirrup = nullptr;    // 1037
    QComboBox* m_cSpacing = nullptr;    // 1172
    QLineEdit* m_eMidFactor = nullptr;  // 3081
    QLineEdit* m_eSupportFactor = nullptr;  // 3083
    QLineEdit* m_eAs = nullptr;         // 3235
    QLineEdit* m_eTextScale = nullptr;  // 3095
    QLineEdit* m_eGraphScale = nullptr; // 3096
    QCheckBox* m_cSteam = nullptr;      // 1352
    QCheckBox* m_cPDelta = nullptr;     // 1353
};

// The dialog on `data`, as the 刚架 command runs it; the dialog's result.
int RunGjDialog(QWidget* parent, CGjData& data);
