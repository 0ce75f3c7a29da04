// The blast-load record: layout and defaults, the input guard and rounding.
#include "loads/equivload.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <new>
#include <string>

namespace {

// The record read as its 83 four-byte fields, in declaration order.
int IntField(const CEquivLoad& q, int index) {
    int v;
    std::memcpy(&v, reinterpret_cast<const char*>(&q) + 4 * index, 4);
    return v;
}
float FloatField(const CEquivLoad& q, int index) {
    float v;
    std::memcpy(&v, reinterpret_cast<const char*>(&q) + 4 * index, 4);
    return v;
}

}  // namespace

TEST(EquivLoadRecord, HoldsTheDefaultsInDeclarationOrder) {
    // 'i' marks an int field; the four time fields the constructor leaves out
    // must still start at 0 on a local record.
    struct Default {
        char type;
        double value;
    };
    static const Default kDefaults[83] = {
        {'i', 0},    {'i', 0},     {'f', 2.5},  {'f', 6.0},   {'f', 1.2},   {'f', 4.5},   {'i', 0},
        {'i', 0},    {'i', 0},     {'f', 0.1},  {'f', 2.0},   {'f', 200},   {'f', 0.2},   {'f', 0.3},
        {'f', 1.5},  {'f', 2.5},   {'f', 188.4}, {'f', 188.4}, {'f', 188.4}, {'f', 30},   {'i', 0},
        {'i', 1},    {'i', 1},     {'f', 0},    {'f', 0},     {'f', 0},     {'f', 0},     {'f', 0},
        {'f', 0},    {'f', 0},     {'f', 0},    {'f', 1.4},   {'f', 0.8},   {'f', 3.0},   {'f', 3.0},
        {'f', 2.0},  {'f', 2.0},   {'f', 0},    {'f', 0},     {'f', 1.2},   {'f', 1.2},   {'f', 1.2},
        {'f', 1.2},  {'f', 1.2},   {'f', 1.2},  {'f', 1.2},   {'f', 1.2},   {'i', 0},     {'i', 1},
        {'f', 117.45}, {'f', 10.0}, {'f', 10.0}, {'f', 0.1},  {'f', 0},     {'f', 0},     {'f', 0},
        {'f', 2.0},  {'f', 0},     {'f', 0},    {'f', 0},     {'f', 1.0},   {'f', 1.5},   {'f', 1.0},
        {'f', 0.9},  {'f', 0.95},  {'f', 1800}, {'f', 300},   {'f', 2.7},   {'f', 4.0},   {'f', 3.0},
        {'f', 3.0},  {'f', 0.001}, {'f', 0},    {'f', 0},     {'f', 0.001}, {'f', 0},     {'f', 0},
        {'f', 1.2},  {'f', 1.2},   {'f', 1.2},  {'f', 1.2},   {'f', 1.2},   {'f', 1.2},
    };
    // Dirty memory first, so fields the constructor forgets show up.
    alignas(CEquivLoad) unsigned char storage[sizeof(CEquivLoad)];
    std::memset(storage, 0x7f, sizeof storage);
    CEquivLoad* q = new (storage) CEquivLoad;
    for (int i = 0; i < 83; ++i) {
        SCOPED_TRACE("field " + std::to_string(i + 1));
        if (kDefaults[i].type == 'i')
            EXPECT_EQ(IntField(*q, i), static_cast<int>(kDefaults[i].value));
        else
            EXPECT_EQ(FloatField(*q, i), static_cast<float>(kDefaults[i].value));
    }
    // Spot checks that the names sit where the layout says.
    EXPECT_EQ(reinterpret_cast<char*>(&q->m_fDeltaPm) - reinterpret_cast<char*>(q), 19 * 4);
    EXPECT_EQ(reinterpret_cast<char*>(&q->m_nConvClass) - reinterpret_cast<char*>(q), 47 * 4);
    EXPECT_EQ(reinterpret_cast<char*>(&q->m_fQce2Gnd) - reinterpret_cast<char*>(q), 82 * 4);
    q->~CEquivLoad();
}

TEST(EquivLoadRecord, CheckInputLeavesTheDefaultsAlone) {
    CEquivLoad q;
    CEquivLoad before = q;
    q.CheckInput();
    EXPECT_EQ(std::memcmp(&q, &before, sizeof q), 0);
}

TEST(EquivLoadRecord, CheckInputReplacesEveryNonPositiveDivisor) {
    float CEquivLoad::* const guarded[] = {
        &CEquivLoad::m_fGamma,     &CEquivLoad::m_fV0,         &CEquivLoad::m_fDelta,
        &CEquivLoad::m_fStoreyH,   &CEquivLoad::m_fSpanL0,     &CEquivLoad::m_fXi,
        &CEquivLoad::m_fBeta1,     &CEquivLoad::m_fBeta3,      &CEquivLoad::m_fBeta2,
        &CEquivLoad::m_fBeta2Gnd,  &CEquivLoad::m_fEta,        &CEquivLoad::m_fDistance,
        &CEquivLoad::m_fDistanceGnd, &CEquivLoad::m_fCharge,   &CEquivLoad::m_fEtaC,
        &CEquivLoad::m_fBeta1C,    &CEquivLoad::m_fBeta2C,     &CEquivLoad::m_fBeta2GndC,
        &CEquivLoad::m_fKrRoof,    &CEquivLoad::m_fKrWall,     &CEquivLoad::m_fCeRoof,
        &CEquivLoad::m_fCeWall,    &CEquivLoad::m_fCeWallGnd,  &CEquivLoad::m_fRho,
        &CEquivLoad::m_fSeisSpeed, &CEquivLoad::m_fDecay,
        // Frequencies divide the dynamic factors as well: guarded like the rest.
        &CEquivLoad::m_fOmegaRoof, &CEquivLoad::m_fOmegaFloor, &CEquivLoad::m_fOmegaWall,
    };
    for (float bad : {0.0f, -2.0f}) {
        CEquivLoad q;
        for (auto field : guarded) q.*field = bad;
        q.CheckInput();
        for (std::size_t i = 0; i < std::size(guarded); ++i) EXPECT_EQ(q.*guarded[i], 0.001f) << "field " << i;
    }
}

TEST(EquivLoadRecord, CheckInputClampsCoverAndAirContentAtZeroAndSparesTheRest) {
    CEquivLoad q;
    q.m_fCover = -0.3f;
    q.m_fAirContent = 0.0f;
    q.m_fRoofDepth = -1.0f;  // a roof above ground is allowed
    q.m_fDeltaPm = -5.0f;    // passes into the nuclear formulas as it is
    q.m_fK = -1.0f;          // results are not inputs
    q.CheckInput();
    EXPECT_EQ(q.m_fCover, 0.0f);
    EXPECT_EQ(q.m_fAirContent, 0.0f);
    EXPECT_EQ(q.m_fRoofDepth, -1.0f);
    EXPECT_EQ(q.m_fDeltaPm, -5.0f);
    EXPECT_EQ(q.m_fK, -1.0f);
    q.m_fAirContent = -0.1f;
    q.CheckInput();
    EXPECT_EQ(q.m_fAirContent, 0.0f);
}

TEST(EquivLoadRecord, RoundTakesHalvesAwayFromZero) {
    struct Case {
        float x;
        int n;
        float expected;
    };
    const Case cases[] = {
        {0.125f, 2, 0.13f},  {-0.125f, 2, -0.13f}, {1.2344f, 3, 1.234f}, {1.2345f, 3, 1.235f},
        {42.6249f, 3, 42.625f}, {2.5f, 0, 3.0f},  {-2.4f, 0, -2.0f},    {0.0f, 3, 0.0f},
        {123456.7f, 3, 123456.7f},
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(CEquivLoad::Round(c.x, c.n), c.expected) << c.x << " to " << c.n;
    // Far beyond an int the value is whole already and comes back unchanged.
    EXPECT_FLOAT_EQ(CEquivLoad::Round(3.0e12f, 3), 3.0e12f);
}
