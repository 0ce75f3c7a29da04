#pragma once
// The parameter records every lining section shares: seismic action, design code
// and importance factors, reinforcement and crack check, water levels; the name
// tables of the lining reports; and the code edition the lining works under.
#include <cstdio>
#include <string>

// Name tables of the lining reports.
extern const char* const G_LiningGuiFanName[2];   // concrete codes by code index
extern const char* const G_JieMianTypeName[17];   // section types 0..16
extern const char* const G_ZhiZuoName[3];         // support kinds
extern const char* const G_FouShi[2];             // 0 "否", 1 "是"

// The code edition of a concrete code index (1: 2002, otherwise 96).
int LiningGuiFan(int codeIndex);

// Puts the code edition of a lining code index in force while it lives and puts
// back the one before: the lining's grade names and strengths follow its own
// code, and every other module keeps the edition the user chose.
class CLiningGuiFanScope {
public:
    explicit CLiningGuiFanScope(int codeIndex);
    ~CLiningGuiFanScope();
    CLiningGuiFanScope(const CLiningGuiFanScope&) = delete;
    CLiningGuiFanScope& operator=(const CLiningGuiFanScope&) = delete;

private:
    int kept_;
};

// Seismic action of the lining (three stress terms from a pseudo-static wave).
class CDiZhenCanShu {
public:
    int m_bDiZhen = 0;        // seismic action on
    float m_fBanJing = 3.0f;  // length r of the bending term, m
    float m_fXiShu = 0.1f;    // horizontal seismic coefficient (fraction of g)
    float m_fZhouQi = 0.2f;   // period T, s
    float m_fBoSuP = 500.0f;  // wave speed of the axial term, m/s
    float m_fBoSuS = 500.0f;  // wave speed of the shear and bending terms, m/s

    // One line; 0 for a null file, else 1 (a short line keeps the rest).
    int LoadData(std::FILE* fp);
    int SaveData(std::FILE* fp) const;
    // Axial, shear and bending terms for modulus E and shear modulus G (MPa).
    // A wave speed below 0.00001 is raised to it in the record; then 0, else 1.
    int CalForces(float* forces, float E, float G);
};

// Design code and importance factors.
class CJiBenCanShu {
public:
    int m_nGuiFan = 0;        // concrete code index
    float m_fGamma0 = 1.0f;   // γ0 of the ultimate limit state
    float m_fGamma0S = 1.0f;  // γ0 of the serviceability limit state
    int m_nZuHeShu = 1;       // number of load combinations
    float m_fChiJiu = 1.0f;   // situation factors, carried in the file only
    float m_fDuanZan = 0.95f;
    float m_fOuRan = 0.85f;

    int LoadData(std::FILE* fp);
    int SaveData(std::FILE* fp) const;
};

// Reinforcement, crack check and the run's largest areas.
class CPeiJinCanShu {
public:
    CPeiJinCanShu() { ResetResults(); }

    int m_bGuJin = 1;             // stirrups are designed
    int m_bLieFeng = 1;           // crack widths are computed
    int m_bDuiCheng = 1;          // symmetric reinforcement
    int m_nKangZhenDengJi = 0;    // seismic grade given to the column design
    int m_nHunNingTu = 25;        // concrete grade (C25)
    int m_nZongJin = 2;           // main bar grade code
    int m_nGuJinJiBie = 1;        // stirrup grade code
    float m_fGuJinJianJu = 1000.0f;  // stirrup spacing, mm
    float m_fTiaoZheng = 1.0f;    // reinforcement adjustment factor
    std::string m_szNeiCe = "12d20";  // bars on the inner face (bar text)
    std::string m_szWaiCe = "12d20";  // bars on the outer face
    float m_fLieFengXianZhi = 0.4f;   // allowed crack width, mm
    float m_fAs = 65.0f;          // face to bar centre in design, mm
    float m_fBaoHuCeng = 50.0f;   // concrete cover, mm
    float m_fXiShu2 = 1.0f;       // carried in the file
    int m_nXiaoYingZuHe = 0;      // crack check under 0 short-term, 1 long-term effects
    float m_fMaxAsNei = 0;        // results: largest inner and outer main bars, stirrups, mm²
    float m_fMaxAsWai = 0;
    float m_fMaxAv = 0;
    int m_bKangJian = 1;          // the section-size shear check passed

    // The longest bar text the file holds, in file bytes.
    static constexpr std::size_t kBarTextMax = 99;

    // Two bar-text lines and the values line; 1.
    int LoadData(std::FILE* fp);
    int SaveData(std::FILE* fp) const;
    // "[ 配筋参数 ]" under the code of `codeIndex`; -1 for a null file, else 1.
    int WriteCanShu(std::FILE* fp, int codeIndex) const;
    // The run's largest areas and the shear check; 0 for a null file, else 1.
    int WriteResultNote(std::FILE* fp) const;
    // Clears the largest areas and passes the shear check; 1.
    int ResetResults();
};

// Water levels; the calculation takes its heads from the load parameters, so
// this record is held but neither filed nor printed.
class CShuiWeiCanShu {
public:
    virtual ~CShuiWeiCanShu() = default;
    float m_fNeiSheJi = 6.0f;   // design internal head, m
    float m_fNeiJiGao = 6.0f;   // extreme internal head
    float m_fWaiSheJi = 0;      // design external head
    float m_fWaiJiGao = 0;      // extreme external head
};
