#include "loads/partitionshed.h"

#include "base/textio.h"

namespace {

// One side of a partition: its prefix ("" when both sides are alike) and its
// partition and door-frame wall loads, without and with the building above.
struct PartitionSide {
    const char* prefix;
    float partition, partitionUpper;
    float doorFrame, doorFrameUpper;
};

struct PartitionPair {
    PartitionSide sides[2];
    int count;
};

constexpr PartitionSide Same(float q) { return {"", q, q, q, q}; }
constexpr PartitionSide Side(const char* prefix, float q) { return {prefix, q, q, q, q}; }

const PartitionPair kPairs[kPartitionPairs] = {
    {{Same(30)}, 1},
    {{Same(50)}, 1},
    {{Same(100)}, 1},
    {{Same(200)}, 1},
    {{Same(300)}, 1},
    {{Side("核6B级一侧: ", 50), Side("核6级一侧: ", 30)}, 2},
    {{Side("核6B级一侧: ", 100), Side("核5级一侧: ", 30)}, 2},
    {{{"普通地下室一侧: ", 70, 55, 100, 100}}, 1},
    {{Side("核6级一侧: ", 100), Side("核5级一侧: ", 50)}, 2},
    {{{"普通地下室一侧: ", 110, 90, 170, 170}}, 1},
    {{Side("核5级一侧: ", 200), Side("核4B级一侧: ", 100)}, 2},
    {{{"普通地下室一侧: ", 230, 180, 340, 320}}, 1},
    {{Side("核4B级一侧: ", 300), Side("核4级一侧: ", 200)}, 2},
};

}  // namespace

bool PartitionPairTakesUpperBuilding(int pair) { return pair == 7 || pair == 9 || pair == 11; }

std::string PartitionAnswer(const PartitionInput& in) {
    std::string text;
    if (in.pair < 0 || in.pair >= kPartitionPairs) return text;
    const bool upper = in.upperBuilding && PartitionPairTakesUpperBuilding(in.pair);
    const PartitionPair& pair = kPairs[in.pair];
    for (int i = 0; i < pair.count; ++i) {
        const PartitionSide& side = pair.sides[i];
        text += sprintf_gbk("%s隔墙水平等效静荷载标准值:  %.1f (kN/m2)\n", side.prefix,
                            upper ? side.partitionUpper : side.partition);
        text += sprintf_gbk("%s门框墙水平等效静荷载标准值:  %.1f (kN/m2)\n", side.prefix,
                            upper ? side.doorFrameUpper : side.doorFrame);
    }
    return text;
}

std::string ShedAnswer(const ShedInput& in) {
    constexpr float kHorizontal[] = {6, 15, 55};
    constexpr float kVertical[] = {30, 50, 50};
    if (in.nuclearClass < 0 || in.nuclearClass > 2) return "规范未规定 !\n";
    std::string text = sprintf_gbk("水平等效静荷载标准值:  %.1f (kN/m2)\n", kHorizontal[in.nuclearClass]);
    text += sprintf_gbk("垂直等效静荷载标准值:  %.1f (kN/m2)\n", kVertical[in.nuclearClass]);
    text += "两者应按不同时作用计算\n";
    return text;
}
