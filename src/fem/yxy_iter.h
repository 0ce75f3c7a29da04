#pragma once
// The plastic base-reaction iteration and the soil-flexibility preparation after
// an elastic-soil run. Its work joins with the soil analyses; until then the
// driver refuses those analysis types before any stage runs.
class YXY_ITER {};
