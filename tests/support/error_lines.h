#pragma once
// Collects the lines of the error channel while it lives (the test must link kv_base).
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"

namespace kv::test {

class ErrorLines {
public:
    ErrorLines()
        : old_(kv::err::SetSink([this](int code, const std::string& text) { lines.push_back({code, text}); })) {}
    ~ErrorLines() { kv::err::SetSink(std::move(old_)); }
    ErrorLines(const ErrorLines&) = delete;
    ErrorLines& operator=(const ErrorLines&) = delete;

    bool Has(int code, const std::string& text) const {
        for (const auto& line : lines)
            if (line.code == code && line.text == text) return true;
        return false;
    }

    std::vector<kv::err::Line> lines;

private:
    kv::err::Sink old_;
};

}  // namespace kv::test
