#include "base/error.h"

#include <cstdarg>
#include <cstdio>

int JS_ERROR_CODE = 0;
int JS_OpenFileNum = 0;

namespace kv::err {
namespace {
constexpr std::size_t kKeptLines = 4000;

std::vector<Line>& Kept() {
    static std::vector<Line> lines;
    return lines;
}

Sink& CurrentSink() {
    static Sink sink;
    return sink;
}
}  // namespace

bool StopsRun(int code) { return code == 201 || code == 301 || code == 310 || code == 399; }

Sink SetSink(Sink sink) {
    Sink old = std::move(CurrentSink());
    CurrentSink() = std::move(sink);
    return old;
}

const std::vector<Line>& RecentLines() { return Kept(); }
void ClearRecentLines() { Kept().clear(); }

void KeepLine(int code, const std::string& text) {
    auto& kept = Kept();
    if (code == kClearWindow) kept.clear();
    if (kept.size() >= kKeptLines) kept.erase(kept.begin(), kept.begin() + kKeptLines / 2);
    kept.push_back({code, text});
}

}  // namespace kv::err

void tell_error(int code, const std::string& text) {
    if (kv::err::StopsRun(code)) JS_ERROR_CODE = code;
    auto& sink = kv::err::CurrentSink();
    if (sink) {
        sink(code, text);
        return;
    }
    kv::err::KeepLine(code, text);
}

void tell_error(int code, const char* text) { tell_error(code, std::string(text ? text : "")); }

void tell_error1(int code, const char* format, ...) {
    std::string text;
    if (format) {
        va_list args;
        va_start(args, format);
        va_list copy;
        va_copy(copy, args);
        int n = std::vsnprintf(nullptr, 0, format, copy);
        va_end(copy);
        if (n > 0) {
            text.resize(static_cast<std::size_t>(n) + 1);
            std::vsnprintf(text.data(), text.size(), format, args);
            text.resize(static_cast<std::size_t>(n));
        }
        va_end(args);
    }
    tell_error(code, text);
}
