#pragma once
// The messages that refuse a value typed into a dialog field or a grid cell.
#include <string>

namespace kv::widgets {
std::string NotANumberMessage();                       // "请输入一个数。"
std::string NotAnIntegerMessage();                     // "请输入一个整数。"
std::string FloatRangeMessage(double min, double max);  // "请输入一个 0.0001 到 100000 之间的数。"
std::string IntRangeMessage(long long min, long long max);
}  // namespace kv::widgets
