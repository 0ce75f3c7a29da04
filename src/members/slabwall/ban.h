#pragma once
// The roof and floor slab (顶板 / 底板): loads, internal forces and reinforcement,
// the result diagrams and the calculation report. Everything works on one slab
// data object (design/ban_data.h).
#include "design/ban_data.h"

// ---- loads of the two load dialogs -----------------------------------------

// The part of the building weight W that the floor load counts, by protection
// class (0 核6B级 … 4 核4级) and form of the building above (0 masonry, 1
// reinforced-concrete walls, 2 other).
float ban_weight_share(int resistClass, int buildingForm, float weight);

// Roof load q = 1.2·(tf/1000·γf + g + γs·hs) + 1.2·qo + qe from the roof load
// fields; sets RoofLoad and Load to it. Returns 1.
int ban_roof_load(BAN_JS_STRUCT& bs);

// Floor load q = W′/A + qw + qe − γs·hs − g, or qw + qe when no weight counts,
// from the floor load fields; sets FloorLoad and Load to it and returns 1. A
// counted weight over a foundation area that is not positive is refused: a
// message, 0, and the object unchanged.
int ban_floor_load(BAN_JS_STRUCT& bs);
