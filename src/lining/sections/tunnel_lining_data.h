#pragma once
// The tunnel-lining data object: the current section type, the segment count,
// the shared records, one section object per type, and the calculation run with
// its report and result drawings.
#include <cstdio>
#include <memory>

#include "base/jsdata.h"
#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining/engine/jiemian.h"
#include "lining/engine/owner.h"
#include "lining/sections/jm_gongxing.h"
#include "lining/sections/jm_jianbianduan.h"
#include "lining/sections/jm_juxing.h"
#include "lining/sections/jm_mati.h"
#include "lining/sections/jm_mati_pingdi.h"
#include "lining/sections/jm_quqiang.h"
#include "lining/sections/jm_sanxingong.h"
#include "lining/sections/jm_sanxingong_ditie.h"
#include "lining/sections/jm_supported_arch.h"
#include "lining/sections/jm_yuangong.h"
#include "lining/sections/jm_yuangong_digong.h"
#include "lining/sections/jm_yuangong_diyuanjiao.h"
#include "lining/sections/jm_yuangong_wudiban.h"
#include "lining/sections/jm_yuanxing.h"

class CBase_SGT;
class CChenQiResult;  // where a shelter run keeps its results

class CTunnelLiningData : public CJsBaseData, public CLiningOwner {
public:
    static constexpr int kTypeCount = 15;
    CTunnelLiningData();
    ~CTunnelLiningData() override;
    CTunnelLiningData(const CTunnelLiningData&) = delete;
    // Copies the section type, the segment count, the log switch, the records and
    // every section's record; the drawings, the log file, the combination index,
    // the blast flag, the shelter result object and the item's names stay, and
    // every section keeps this object as its owner.
    CTunnelLiningData& operator=(const CTunnelLiningData& other);

    // The lining data file. LoadData takes what it read only after a complete
    // read (1); a foreign, short or damaged file leaves the object as it was (0).
    // SaveData replaces the file only when all of it was written (1); else 0 and
    // a message.
    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    int LoadData(const char* path) override;
    int SaveData(const char* path) override;
    static constexpr const char* kMarker = "HYDRAULIC_TUNNEL_LINING_V10";
    static constexpr int kFileVersion = 3;

    // The diagram titles and the drawing and report names of the item.
    void SetFileName(const std::string& dataName) override;

    // Points every section at this object; after construction and after every read.
    void SetJieMianOwner();
    // The section of the current type; none for a type without one.
    CJieMianBase* GetCurJieMian() const;
    // The calculation: the report head, the design state and, without seismic
    // action and with the crack check, the crack state, the reinforcement summary
    // and the result drawings in the work folder. 0 when every state passed.
    int JiSuan(std::FILE* report);
    // Calculates `section` in `state` for each pass; the last nonzero result of its driver.
    int RunStates(std::FILE* report, std::FILE* log, CJieMianBase* section, int passes, int state);
    // The report head; -1 without a file, else 0.
    int WriteJssHead(std::FILE* report);
    // The head of the detailed log; 1.
    int WriteLogHead(std::FILE* log);
    // A new, empty memory drawing with the text style "HZ".
    static std::unique_ptr<CBase_SGT> NewDxf();
    // The geometry check of the current section where its type has one; -1 when it fails.
    int CheckData();

    // CLiningOwner
    int GetJieMianType() const override { return m_nJieMianType; }
    int GetSegmentCount() const override { return m_nFenDuanShu; }
    std::FILE* GetLogFile() const override { return m_fpLog; }
    CDiZhenCanShu& GetDiZhen() override { return m_DiZhen; }
    CJiBenCanShu& GetJiBen() override { return m_JiBen; }
    CPeiJinCanShu& GetPeiJin() override { return m_PeiJin; }
    CHeZaiCanShu& GetHeZaiCanShu() override { return m_HeZaiCanShu; }
    CHeZaiZuHe& GetHeZaiZuHe() override { return m_HeZaiZuHe; }
    int GetZuHeIndex() const override { return m_nZuHeIndex; }
    int IsHeBao() const override { return m_bHeBao; }
    CLiningShelter* GetShelter() const override { return m_pShelter; }
    CBase_SGT* GetDrawing(int which) const override {
        return which >= 0 && which < kDrawingCount ? m_pDxf[which].get() : nullptr;
    }

    int m_nJieMianType = 3;   // current section type, 0..14
    int m_nFenDuanShu = 10;   // elements per part
    int m_bXiangXi = 1;       // write the detailed log of the resistance iteration
    // The memory drawings, made for each run and freed after it.
    std::unique_ptr<CBase_SGT> m_pDxf[kDrawingCount];
    std::FILE* m_fpLog = nullptr;  // the detailed log while a run writes it
    CDiZhenCanShu m_DiZhen;
    CJiBenCanShu m_JiBen;
    CPeiJinCanShu m_PeiJin;
    CShuiWeiCanShu m_ShuiWei;
    CHeZaiZuHe m_HeZaiZuHe;
    CHeZaiCanShu m_HeZaiCanShu;
    int m_nZuHeIndex = 0;     // 0 alone; 1..3 the shelter combination being run
    int m_bHeBao = 0;         // a blast combination of the shelter lining
    CChenQiResult* m_pChenQiResult = nullptr;
    CLiningShelter* m_pShelter = nullptr;  // what the engine reads and fills in a shelter run

    // The sections, one of each type.
    CJmYuanXing m_JmYuanXing;                                  // 0
    CJmGongXing m_JmGongXing;                                  // 1
    CJmYuanGongZhiQiangWuDiBan m_JmYuanGongZhiQiangWuDiBan;    // 2
    CJmYuanGongZhiQiang m_JmYuanGongZhiQiang;                  // 3
    CJmYuanGongZhiQiangDiYuanJiao m_JmYuanGongZhiQiangDiYuanJiao;  // 4
    CJmMaTiPingDi m_JmMaTiPingDi;                              // 8
    CJmMaTi m_JmMaTi;                                          // 9
    CJmMaTiKaiKou m_JmMaTiKaiKou;                              // 10
    CJmGaoBiGong m_JmGaoBiGong;                                // 11
    CJmJianBianDuan m_JmJianBianDuan;                          // 12
    CJmJuXing m_JmJuXing;                                      // 13
    CJmYuanGongZhiQiangDiGong m_JmYuanGongZhiQiangDiGong;      // 5
    CJmZhiQiangSanXinGong m_JmZhiQiangSanXinGong;              // 6
    CJmSanXinGongDiTie m_JmSanXinGongDiTie;                    // 7
    CJmQuQiang m_JmQuQiang;                                    // 14

protected:
    // Puts the section object of a type in its place; the section types give
    // their members here as they join.
    void SetJieMian(int type, CJieMianBase* section);

private:
    // The records of the file after the marker, in file order, into this object;
    // false when the file ended early or has no section marker.
    bool ReadFields(std::FILE* fp);
    void WriteFields(std::FILE* fp);

    CJieMianBase* m_pJieMian[kTypeCount] = {};
};
