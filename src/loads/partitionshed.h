#pragma once
// Loads from the code's tables (GB 50038-2005) on a partition wall between two
// protective units, with the door-frame wall in it, and on an open anti-collapse
// shed outside an entrance. Loads in kN/m2.
#include <string>

// The pairs of nuclear classes on the two sides of a partition, in list order
// (the texts keep their blanks, so the pairs line up in the list).
inline constexpr int kPartitionPairs = 13;
inline constexpr const char* kPartitionPairNames[kPartitionPairs] = {
    "核6B级 -- 核6B级", "核6级  -- 核6级",      "核5级  -- 核5级",     "核4B级 -- 核4B级",
    "核4级  -- 核4级",  "核6B级 -- 核6级",      "核6B级 -- 核5级",     "核6B级 -- 普通地下室",
    "核6级  -- 核5级 ", "核6级  -- 普通地下室", "核5级  -- 核4B级",    "核5级  -- 普通地下室",
    "核4B级 -- 核4级",
};

// Only a partition against an ordinary basement takes the building above.
bool PartitionPairTakesUpperBuilding(int pair);

struct PartitionInput {
    int pair = 0;
    int upperBuilding = 0;
};

// The partition and door-frame wall loads of each side that has them.
std::string PartitionAnswer(const PartitionInput& in);

// Nuclear class of the shed: 0 核6B, 1 核6, 2 核5.
struct ShedInput {
    int nuclearClass = 0;
};

// The horizontal and vertical loads, which do not act together.
std::string ShedAnswer(const ShedInput& in);
