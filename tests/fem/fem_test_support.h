#pragma once
// Shared by the finite-element library's tests: a temporary current folder, the
// lines the error channel received, and little-endian values read from a file.
#include "base/error.h"
#include "support/temp_folder.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace kv::test {

// A fresh current folder with the error channel caught and cleared.
class FemFolder : public TempFolder {
public:
    FemFolder() {
        MakeCurrent();
        JS_ERROR_CODE = 0;
        openFiles_ = JS_OpenFileNum;
        old_ = kv::err::SetSink([this](int code, const std::string& text) {
            lines.push_back({code, text});
        });
    }
    ~FemFolder() {
        kv::err::SetSink(old_);
        JS_ERROR_CODE = 0;
    }

    // True when a line of that code and text was told.
    bool Told(int code, const std::string& text) const {
        for (const auto& l : lines)
            if (l.code == code && l.text == text) return true;
        return false;
    }
    // Texts of the lines with a code other than 1 (the echo), in order.
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const auto& l : lines)
            if (l.code != 1) out.push_back(l.text);
        return out;
    }
    bool FilesClosed() const { return JS_OpenFileNum == openFiles_; }

    std::vector<kv::err::Line> lines;

private:
    kv::err::Sink old_;
    int openFiles_ = 0;
};

inline std::int32_t I32At(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return static_cast<std::int32_t>(v);
}
inline float F32At(const std::string& bytes, std::size_t at) {
    std::uint32_t v = static_cast<std::uint32_t>(I32At(bytes, at));
    float f;
    std::memcpy(&f, &v, 4);
    return f;
}

// Little-endian values laid one after another, for binary work-file fixtures.
class Bytes {
public:
    Bytes& i(std::initializer_list<std::int32_t> values) {
        for (std::int32_t v : values) Put(static_cast<std::uint32_t>(v));
        return *this;
    }
    Bytes& f(std::initializer_list<float> values) {
        for (float v : values) {
            std::uint32_t u;
            std::memcpy(&u, &v, 4);
            Put(u);
        }
        return *this;
    }
    // Puts an int over the four bytes at `at`.
    void Patch(std::size_t at, std::int32_t v) {
        for (int k = 0; k < 4; ++k) bytes_[at + k] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xff);
    }
    std::int32_t size() const { return static_cast<std::int32_t>(bytes_.size()); }
    const std::string& str() const { return bytes_; }

private:
    void Put(std::uint32_t u) {
        for (int k = 0; k < 4; ++k) bytes_ += static_cast<char>((u >> (8 * k)) & 0xff);
    }
    std::string bytes_;
};

}  // namespace kv::test
