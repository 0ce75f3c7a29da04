#pragma once
// Loads on the protective parts of a daylight window or window well (GB 50038-2005)
// for the three ways of closing it in wartime, and the reflection coefficient K of
// a cover plate.
//
// Nuclear class: 0 核6B, 1 核6, 2 核5, 3 核4B (4 核4 in the K calculation only).
// Conventional class: 0 常6, 1 常5. Engineering class: 0 甲类, 1 乙类.
#include <string>

// Ways of protecting the window well, in list order.
inline constexpr int kWindowWellForms = 3;
inline constexpr const char* kWindowWellFormNames[kWindowWellForms] = {
    "战时采用挡窗板加覆土的防护方式",  // a shutter with soil fill
    "战时采用盖板加覆土的防护方式",    // a cover plate with soil fill
    "高出地面外墙开设窗孔",            // an opening in an above-ground wall
};

struct WindowWellInput {
    int form = 0;
    int nuclearClass = 0;
    int upperBuilding = 0;  // the building above raises the overpressure
    float k = 1.0f;         // combined reflection coefficient of the cover plate
    int convClass = 0;
    int engClass = 0;
};

// The answer text: the rule to apply for each member, with the numbers where the
// code gives them (the above-ground window, the cover plate's qe = 1.2 K △Pms).
std::string WindowWellAnswer(const WindowWellInput& in);

struct ReflectKInput {
    int saturated = 0;
    int structForm = 0;     // 0 平顶结构, 1 多层结构, 2 非平顶结构
    int nuclearClass = 0;   // 0 核6B … 4 核4
    float cover = 0.3f;     // soil cover of the plate (m)
    float airContent = 0.1f;  // % (saturated soil)
    float span = 1.0f;      // short clear span L0 (m)
};

// K of a roof plate from a blast-load record with its defaults, to 3 decimals.
float ReflectK(const ReflectKInput& in);
