#include "members/slabwall/ban.h"

#include "platform/services.h"

float ban_weight_share(int resistClass, int buildingForm, float weight) {
    // GB 50038-2005 4.9.3: how much of the building above bears on the floor slab.
    switch (resistClass) {
    case 2:  // 核5级: masonry counts half
        return buildingForm == 0 ? 0.5f * weight : weight;
    case 3:  // 核4B级: masonry not at all, other forms half
        return buildingForm == 0 ? 0.0f : buildingForm == 1 ? weight : 0.5f * weight;
    case 4:  // 核4级: only reinforced-concrete walls count fully
        return buildingForm == 1 ? weight : 0.5f * weight;
    default:  // 核6B级, 核6级
        return weight;
    }
}

int ban_roof_load(BAN_JS_STRUCT& bs) {
    const float q = 1.2f * (bs.RoofFinishT / 1000 * bs.RoofFinishGamma + bs.RoofSelf + bs.RoofSoilGamma * bs.RoofSoilH) +
                    1.2f * bs.RoofOther + bs.RoofQe;
    bs.RoofLoad = q;
    bs.Load = q;
    return 1;
}

int ban_floor_load(BAN_JS_STRUCT& bs) {
    const float share = ban_weight_share(bs.ResistClass, bs.BuildingForm, bs.FloorWeight);
    float q;
    if (share != 0) {
        if (bs.FloorArea <= 0) {
            kv::MessageBox("上部建筑物自重计入底板荷载时，基础面积应大于0 !");
            return 0;
        }
        q = share / bs.FloorArea + bs.FloorBuoyancy + bs.FloorQe - bs.FloorSoilGamma * bs.FloorSoilH - bs.FloorSelf;
    } else {
        q = bs.FloorBuoyancy + bs.FloorQe;
    }
    bs.FloorLoad = q;
    bs.Load = q;
    return 1;
}
