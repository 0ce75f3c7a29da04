#include "loads/windowwell.h"

#include "base/textio.h"
#include "loads/equivload.h"

namespace {

// Ground overpressure △Pm (kPa) of a nuclear class; 0 outside the list.
float GroundOverpressure(int nuclearClass, int classes) {
    constexpr float kDeltaPm[] = {30, 50, 100, 200, 300};
    return nuclearClass >= 0 && nuclearClass < classes ? kDeltaPm[nuclearClass] : 0.0f;
}

// Factor on △Pm for the building above, by nuclear class 核6B … 核4B.
float UpperBuildingFactor(int nuclearClass) {
    constexpr float kFactor[] = {1.1f, 1.1f, 1.2f, 1.25f};
    return nuclearClass >= 0 && nuclearClass < 4 ? kFactor[nuclearClass] : 1.0f;
}

}  // namespace

std::string WindowWellAnswer(const WindowWellInput& in) {
    const bool classA = in.engClass == 0;
    std::string text;
    if (classA) {
        switch (in.form) {
        case 0:
            text += "挡窗板的水平等效静荷载标准值,以下两者取大值.\n";
            text += "采光井内墙的水平等效静荷载标准值,取核武器计算值.\n";
            break;
        case 1:
            text += "采光井外墙的水平等效静荷载标准值,以下两者取大值.\n";
            text += "盖板的垂直等效静荷载标准值,以下两者取大值.\n";
            break;
        case 2:
            text += "挡窗板的水平等效静荷载标准值,按常规武器取值.\n";
            text += "负向动反力的水平等效静荷载标准值,按常规武器取值.\n";
            break;
        }
        text += "-------------------------------\n";
    }

    text += "*常规武器爆炸:\n";
    switch (in.form) {
    case 0:
        text += "挡窗板的水平等效静荷载标准值:\n";
        text += "  按顶板查表值乘以0.3采用(此时h取挡窗板中心处的室外埋深)\n";
        break;
    case 1:
        text += "采光井外墙的水平等效静荷载标准值:  按土中外墙计算\n";
        text += "盖板的垂直等效静荷载标准值:  按顶板计算\n";
        break;
    case 2:
        if (in.convClass == 0) {
            text += "挡窗板的水平等效静荷载标准值:  180 kN/m2\n";
            text += "负向动反力的水平等效静荷载标准值:  60 kN/m2\n";
        } else if (in.convClass == 1) {
            text += "挡窗板的水平等效静荷载标准值:  400 kN/m2\n";
            text += "负向动反力的水平等效静荷载标准值:  130 kN/m2\n";
        }
        break;
    }

    if (!classA || (in.form != 0 && in.form != 1)) return text;
    text += "\n*核武器爆炸:\n";
    if (in.form == 0) {
        text += "挡窗板与采光井内墙的水平等效静荷载标准值:  按非饱和土中外墙计算\n";
        return text;
    }
    text += "采光井外墙的水平等效静荷载标准值:  按土中外墙计算\n";
    text += "盖板的垂直等效静荷载标准值:\n";
    const float m = in.upperBuilding ? UpperBuildingFactor(in.nuclearClass) : 1.0f;
    const float qe = in.k * 1.2f * (m * GroundOverpressure(in.nuclearClass, 4));
    text += sprintf_gbk("  qe = 1.2 K △Pms  = %.1f (kPa)\n", qe);
    return text;
}

float ReflectK(const ReflectKInput& in) {
    const CEquivLoad load;
    float k = load.CalK(in.cover, in.span, in.nuclearClass, in.structForm, in.saturated,
                        GroundOverpressure(in.nuclearClass, 5), in.airContent);
    return CEquivLoad::Round(k, 3);
}
