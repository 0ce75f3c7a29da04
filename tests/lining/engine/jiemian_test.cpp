// The section base class: its common line, the diagram table and the symmetry rules.
#include <gtest/gtest.h>

#include <cstring>

#include <string>

#include "lining/engine/hezai.h"
#include "lining_text.h"
#include "test_section.h"

using kv::test::TextFile;
using kv::test::Written;

namespace {

using Owner = CTestOwner;

TEST(LiningSection, CommonLineReadsBackWhatItWrote) {
    CTestSection written;
    for (int k = 0; k < 7; ++k) written.m_fTuBiLi[k] = 0.25f * (k + 1);
    written.m_fE = 28000;
    written.m_nMaxDieDai = 7;
    written.m_nKangLiYaoQiu = 0;
    written.m_fRongCha = 0.05f;
    written.m_fHeZaiBiLi = 2.5f;
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(written.SaveData(fp), 0); });
    EXPECT_EQ(text,
              "0.250000,0.500000,0.750000,1.000000,1.250000,1.500000,28000.000000,7,1.750000,0,0.050000,2.500000\n");
    CTestSection read;
    EXPECT_EQ(read.LoadData(TextFile(text)), 0);
    for (int k = 0; k < 7; ++k) EXPECT_FLOAT_EQ(read.m_fTuBiLi[k], 0.25f * (k + 1)) << k;
    EXPECT_FLOAT_EQ(read.m_fE, 28000);
    EXPECT_EQ(read.m_nMaxDieDai, 7);
    EXPECT_EQ(read.m_nKangLiYaoQiu, 0);
    EXPECT_FLOAT_EQ(read.m_fRongCha, 0.05f);
    EXPECT_FLOAT_EQ(read.m_fHeZaiBiLi, 2.5f);
    EXPECT_EQ(read.LoadData(nullptr), -1);
    EXPECT_EQ(read.SaveData(nullptr), -1);
}

TEST(LiningSection, NoIterationsOrFewerBecomeOne) {
    for (const char* count : {"0", "-3"}) {
        CTestSection read;
        read.LoadData(TextFile(std::string("0.5,0.5,0.5,1,200,1,23000,") + count + ",1,1,0.01,1\n"));
        EXPECT_EQ(read.m_nMaxDieDai, 1) << count;
    }
}

TEST(LiningSection, AShortCommonLineKeepsTheRest) {
    CTestSection read;
    read.LoadData(TextFile("0.1,0.2,x\n"));
    EXPECT_FLOAT_EQ(read.m_fTuBiLi[1], 0.2f);
    EXPECT_FLOAT_EQ(read.m_fTuBiLi[2], 0.5f);
    EXPECT_FLOAT_EQ(read.m_fE, 23000);
    EXPECT_EQ(read.m_nMaxDieDai, 10);
}

TEST(LiningSection, DiagramInfoTable) {
    CTestSection s;
    for (int k = 0; k < 7; ++k) s.m_fTuBiLi[k] = 10.0f * (k + 1);
    for (int k = 0; k < 6; ++k) s.m_nTuFuHao[k] = k + 1;
    struct Row {
        int component;
        float scale;
        int sign;
    } const want[7] = {{0, 0.1f, 1}, {1, 0.2f, 2}, {2, 0.3f, 3}, {3, 40, 4}, {4, 50, 5}, {5, 3, 6}, {4, 0.7f, 5}};
    for (int d = 0; d < 7; ++d) {
        int component = -1, sign = -1;
        float scale = -1;
        s.GetDiagramInfo(d, &component, &scale, &sign);
        EXPECT_EQ(component, want[d].component) << d;
        EXPECT_FLOAT_EQ(scale, want[d].scale) << d;
        EXPECT_EQ(sign, want[d].sign) << d;
    }
    int component = -1;
    s.GetDiagramInfo(6, &component, nullptr, nullptr);  // null outputs are passed by
    EXPECT_EQ(component, 4);
}

TEST(LiningSection, SymmetryRules) {
    struct Case {
        const char* what;
        int zhiZuo, zhiZuoSym, loadsSym;
        int symHalf, loadSym;
    } cases[] = {
        {"no supports, unsymmetric loads", 0, 0, 0, 1, 1},
        {"like supports, symmetric loads", 1, 1, 1, 1, 1},
        {"unlike supports, symmetric loads", 1, 0, 1, 0, 1},
        {"like supports, unsymmetric loads", 1, 1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        Owner owner;
        owner.heZai.m_bDuiCheng = c.loadsSym;
        CTestSection s;
        s.m_pData = &owner;
        s.zhiZuo = c.zhiZuo;
        s.zhiZuoSym = c.zhiZuoSym;
        EXPECT_EQ(s.IsSymHalf(), c.symHalf) << c.what;
        EXPECT_EQ(s.IsLoadSym(), c.loadSym) << c.what;
        EXPECT_EQ(s.GetHeZai(), &owner.heZai) << c.what;
    }
}

TEST(LiningSection, BaseAnswersAndTheExtent) {
    CTestSection s;
    EXPECT_EQ(s.GetHeZai(), nullptr);
    EXPECT_EQ(s.IsTopArch(), 1);
    EXPECT_EQ(s.OnlyTopGrout(), 0);
    EXPECT_EQ(s.IsQuarter(), 0);
    EXPECT_FLOAT_EQ(s.GetHeight(0), 4);
    EXPECT_FLOAT_EQ(s.GetHeight(1), 4);
    EXPECT_FLOAT_EQ(s.GetHalfWidth(1), 3);
    EXPECT_FLOAT_EQ(s.GetTextHeight(), 40);
    cross_lf crack;
    std::memset(&crack, 0x7f, sizeof crack);
    CJieMianBase::ClearDesignResult(&crack);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&crack);
    for (std::size_t i = 0; i < sizeof crack; ++i) EXPECT_EQ(bytes[i], 0) << i;
}

}  // namespace
