#include "fem/textinput.h"

#include "base/error.h"
#include "platform/codec.h"

namespace kv::fem {

bool TextInput::next(std::string& line) {
    line.clear();
    if (!f_) return false;
    // Enough room for any line that can pass; the rest of a longer one is only counted.
    constexpr std::size_t kKept = 4 * kInputLineBytes;
    bool any = false;
    bool over = false;
    for (int c; (c = std::getc(f_)) != EOF;) {
        any = true;
        if (c == '\n') break;
        if (line.size() < kKept)
            line += static_cast<char>(c);
        else
            over = true;
    }
    if (!any) return false;
    ++line_no_;
    if (!over && !line.empty() && line.back() == '\r') line.pop_back();
    if (over || kv::platform::GbkLength(line) > static_cast<std::size_t>(kInputLineBytes)) {
        tell_error1(kv::err::kFailure, "Line %d of %s is longer than %d bytes", line_no_, name_.c_str(),
                    kInputLineBytes);
        line.clear();
        return false;
    }
    return true;
}

}  // namespace kv::fem
