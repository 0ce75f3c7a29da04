// The finite-element library's summary files ("W_LIANG.FB", "FL_LIANG.FB",
// "W_BAN.FB", "FL_BAN.FB", "ZHU_PIN.FB"; the input is written under every name)
// through the tool object's getters: an item and case inside the file give
// values, anything else leaves the outputs alone.
#include "fuzz_support.h"

#include "base/error.h"
#include "fem/yxy_tool.h"
#include "platform/paths.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr float kUntouched = -12345.0f;

bool Untouched(const float* v, int n) {
    for (int k = 0; k < n; ++k)
        if (v[k] != kUntouched) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::platform::SetCurrentFolder(kv::fuzz::Folder());
    kv::fuzz::ClearFolder();
    for (const char* name : {"W_LIANG.FB", "FL_LIANG.FB", "W_BAN.FB", "FL_BAN.FB", "ZHU_PIN.FB"})
        kv::fuzz::WriteInput(name, data, size);
    std::int32_t counts[2] = {1, 1};
    if (size >= 8) std::memcpy(counts, data, 8);
    // One below each count, wrapping round as the file's int would.
    auto before = [](std::int32_t n) { return std::int32_t(std::uint32_t(n) - 1u); };
    const std::int32_t items[] = {-1, 0, 1, before(counts[0]), counts[0]};
    const std::int32_t cases[] = {-1, 0, before(counts[1]), counts[1]};
    YXY_TOOL tool;
    for (std::int32_t item : items)
        for (std::int32_t c : cases) {
            float v[9];
            for (int k = 0; k < 9; ++k) v[k] = kUntouched;
            JS_ERROR_CODE = 0;
            tool.Get_Disp_yxy_Liang(item, c, v);
            if (JS_ERROR_CODE && !Untouched(v, 3)) kv::fuzz::Fail("a failed beam getter changed its outputs");
            JS_ERROR_CODE = 0;
            tool.Get_FL_yxy_Liang(item, c, v);
            if (JS_ERROR_CODE && !Untouched(v, 3)) kv::fuzz::Fail("a failed beam getter changed its outputs");
            for (int count = 0; count <= 8; ++count) {
                for (int k = 0; k < 9; ++k) v[k] = kUntouched;
                JS_ERROR_CODE = 0;
                tool.Get_Disp_yxy_Ban(item, c, count, v, v + 8);
                if (JS_ERROR_CODE && !Untouched(v, 9)) kv::fuzz::Fail("a failed plate getter changed its outputs");
                JS_ERROR_CODE = 0;
                tool.Get_FL_yxy_Ban(item, c, count, v, v + 8);
                if (JS_ERROR_CODE && !Untouched(v, 9)) kv::fuzz::Fail("a failed plate getter changed its outputs");
            }
            JS_ERROR_CODE = 0;
            const float pin = tool.Get_zhu_pin_force(item, c);
            if (JS_ERROR_CODE && pin != 0.0f) kv::fuzz::Fail("a failed pin getter gave a value");
        }
    JS_ERROR_CODE = 0;
    return 0;
}
