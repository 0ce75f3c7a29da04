#include "widgets/rangemessage.h"

#include <cstdio>

namespace kv::widgets {
namespace {
std::string Number(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}
}  // namespace

std::string NotANumberMessage() { return "请输入一个数。"; }
std::string NotAnIntegerMessage() { return "请输入一个整数。"; }

std::string FloatRangeMessage(double min, double max) {
    return "请输入一个 " + Number(min) + " 到 " + Number(max) + " 之间的数。";
}

std::string IntRangeMessage(long long min, long long max) {
    return "请输入一个 " + std::to_string(min) + " 到 " + std::to_string(max) + " 之间的整数。";
}
}  // namespace kv::widgets
