#pragma once
// The formula wizard of the equivalent blast loads of a basement (command 32774
// "地下室公式"): a tab-sheet container with the basic page and the six step pages
// over the one record G_EquivLoad. It works on no project item.
#include "loads/ui/wizardpage.h"

class QComboBox;
class QToolButton;

class CPageBasicInfo : public CWizardPage {
    Q_OBJECT
public:
    explicit CPageBasicInfo(CEquivLoad* load);

    void OnSetActive() override;
    void OnKillActive() override;

    // Reads the controls into the record (R into both distances), then sets the
    // controls' captions and visibility.
    void SaveToRecord();
    // Shows the record, then sets the captions and visibility.
    void LoadFromRecord();

    // ΔPm, C and R when their 输入 box is clear.
    static float DefaultDeltaPm(int nuclearClass);
    static float DefaultCharge(int convClass);
    static constexpr float kDefaultDistance = 10.0f;

private:
    bool Exchange(bool save);
    void UpdateControls();
    void EnableUpperBoxes();
    void OnInputClicked(int which);
    void OnNuclearClass();
    void OnUpperClicked();
    void OnConvClass();
    void OnClassOrPartRestoring();
    void OnClassOrPartRemoving();
    void OnSteps();

    // The page's values (copied to and from the record).
    int m_nClass = 0, m_nPart = 0;
    float m_fCover = 0, m_fStoreyH = 0, m_fRoofDepth = 0, m_fSpanL0 = 0;
    int m_nStructForm = 0, m_bMainStructure = 0, m_bSaturated = 0;
    float m_fAirContent = 0;
    int m_nNuclearClass = 0;
    float m_fDeltaPm = 0;
    int m_bRoofUpperN = 0, m_bWallUpperN = 0;
    int m_nConvClass = 0, m_bRoofUpperC = 0;
    float m_fCharge = 0, m_fDistance = 0;
    // 输入 of ΔPm, C and R, and the value last typed while each was ticked.
    int m_bInput[3] = {0, 0, 0};
    float m_fTyped[3] = {0, 0, 0};

    QComboBox* m_structForm = nullptr;
    QComboBox* m_nuclearClass = nullptr;
    QComboBox* m_convClass = nullptr;
    QToolButton* m_picture = nullptr;
};

// Command 32774 (the program installs it as a module command): runs the
// wizard modally. It works on no item and has no result.
void OnLoadFormula();
