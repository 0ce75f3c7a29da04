#pragma once
// The six step pages of the formula wizard: △Pcm, Pch, Pci, ω, Kd and qei. Every
// page recomputes both stages of the record before it shows anything; results
// are shown only.
#include "loads/equivload.h"
#include "loads/ui/wizardpage.h"

#include <span>
#include <vector>

class QComboBox;
class QGroupBox;
class CBmpComboBox;

// A page whose edits stand for record fields. Loading runs the nuclear stage and
// takes the nuclear values, then the conventional stage and its values; storing
// writes the nuclear inputs, runs the nuclear stage, writes the conventional
// inputs and runs the conventional stage.
class CStepPage : public CWizardPage {
    Q_OBJECT
public:
    using CWizardPage::CWizardPage;

    void OnSetActive() override;
    void OnKillActive() override;
    void OnSheetOk() override;

    void LoadFromRecord();
    // False for the display-only pages, which store nothing.
    bool SaveToRecord();

protected:
    enum Stage { kNuclear, kConventional };
    enum Kind { kResult, kInput, kInputStoredOnLeave };
    // Binds an edit (made here) to a record field; returns the edit.
    QLineEdit* Bind(int id, float CEquivLoad::*field, Stage stage, Kind kind);
    // Set the visibility from the record's class, member group and nuclear class.
    virtual void SetVisibility() = 0;
    // After a load: values the page derives from the record.
    virtual void AfterLoad() {}
    // Whether the page stores its inputs (the display-only pages do not).
    bool m_bStores = true;

    // 甲类 with 外墙 and 核5, 核4B or 核4: no nuclear load on the above-ground wall.
    bool NoNuclearGroundWall() const;

private:
    bool Exchange(bool save);
    void Take(Stage stage);
    void Put(Stage stage);

    struct Binding {
        QLineEdit* edit;
        float CEquivLoad::*field;
        Stage stage;
        Kind kind;
        float value = 0;
    };
    std::vector<Binding> m_bindings;
};

class CPagePcm : public CStepPage {
    Q_OBJECT
public:
    explicit CPagePcm(CEquivLoad* load);

protected:
    void SetVisibility() override;
    void AfterLoad() override;
};

class CPagePch : public CStepPage {
    Q_OBJECT
public:
    explicit CPagePch(CEquivLoad* load);

protected:
    void SetVisibility() override;
};

class CPagePci : public CStepPage {
    Q_OBJECT
public:
    explicit CPagePci(CEquivLoad* load);

protected:
    void SetVisibility() override;
};

class CPageKd : public CStepPage {
    Q_OBJECT
public:
    explicit CPageKd(CEquivLoad* load);

protected:
    void SetVisibility() override;

private:
    // One member's ductility ratio (none when beta is 0) and dynamic factor.
    struct DuctilityRow {
        int label;
        const char* name;
        int beta;
        float CEquivLoad::*betaField;
        int factor;
        float CEquivLoad::*factorField;
    };
    QGroupBox* DuctilityGroup(const QString& title, int id, Stage stage, const QString& factor,
                              std::span<const DuctilityRow> rows, QWidget* help);
};

class CPageQe : public CStepPage {
    Q_OBJECT
public:
    explicit CPageQe(CEquivLoad* load);
    void OnOutputReport();

protected:
    void SetVisibility() override;
    void AfterLoad() override;
};

// The frequencies of roof, floor and wall from a beam or a plate of the member.
class CPageOmega : public CWizardPage {
    Q_OBJECT
public:
    explicit CPageOmega(CEquivLoad* load);

    void OnSetActive() override;
    void OnKillActive() override;
    void OnSheetOk() override;

    void SaveToRecord();
    void LoadFromRecord();
    void OnCalRoof();
    void OnCalFloor();
    void OnCalWall();
    // 人工干预 stores only; 自动计算 computes the frequency of the member group.
    void Recalculate();

protected:
    // Shown: activated, then recalculated.
    void showEvent(QShowEvent* event) override;

private:
    bool Exchange(bool save);
    void SetVisibility();
    void OnMode();
    // Computes ω of the page's member into `field`; false when refused.
    bool Calculate(float CEquivLoad::*field, float& shown);

    int m_nType = 1;    // 0 梁, 1 板
    int m_nMode = 1;    // 0 人工干预, 1 自动计算
    int m_nBeamCase = 4;   // list position
    int m_nPlateCase = 1;
    int m_nBeamWidth = 250, m_nBeamHeight = 600;  // mm
    float m_fBeamSpan = 6.0f;
    float m_fPlateA = 6.0f, m_fPlateB = 6.0f;
    float m_fPlateThick = 250;  // mm
    float m_fUnitWeight = 25.0f;
    int m_nGrade = 25;
    float m_fOmegaRoof = 0, m_fOmegaFloor = 0, m_fOmegaWall = 0;

    CBmpComboBox* m_beamCases = nullptr;
    CBmpComboBox* m_plateCases = nullptr;
    QComboBox* m_grade = nullptr;
};
