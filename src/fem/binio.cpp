#include "fem/binio.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace kv::fem::bin {
namespace {

constexpr std::size_t kChunk = 4096;  // values converted per write or read

template <typename U>
U ToLittle(U v) {
    if constexpr (std::endian::native == std::endian::little) {
        return v;
    } else {
        U out = 0;
        for (std::size_t i = 0; i < sizeof(U); ++i) out = (out << 8) | ((v >> (8 * i)) & 0xff);
        return out;
    }
}

// Writes n values of size sizeof(U) from raw memory in little-endian order.
template <typename U>
bool PutRaw(std::FILE* f, const void* data, std::size_t n) {
    if (n == 0) return true;
    if (!f) return false;
    if constexpr (std::endian::native == std::endian::little) {
        return std::fwrite(data, sizeof(U), n, f) == n;
    } else {
        U buffer[kChunk];
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t done = 0; done < n;) {
            std::size_t k = std::min(kChunk, n - done);
            std::memcpy(buffer, bytes + done * sizeof(U), k * sizeof(U));
            for (std::size_t i = 0; i < k; ++i) buffer[i] = ToLittle(buffer[i]);
            if (std::fwrite(buffer, sizeof(U), k, f) != k) return false;
            done += k;
        }
        return true;
    }
}

template <typename U>
bool GetRaw(std::FILE* f, void* data, std::size_t n) {
    if (n == 0) return true;
    if (!f) return false;
    if (std::fread(data, sizeof(U), n, f) != n) return false;
    if constexpr (std::endian::native != std::endian::little) {
        auto* bytes = static_cast<unsigned char*>(data);
        for (std::size_t i = 0; i < n; ++i) {
            U v;
            std::memcpy(&v, bytes + i * sizeof(U), sizeof(U));
            v = ToLittle(v);
            std::memcpy(bytes + i * sizeof(U), &v, sizeof(U));
        }
    }
    return true;
}

}  // namespace

bool put_i32(std::FILE* f, std::int32_t v) { return PutRaw<std::uint32_t>(f, &v, 1); }
bool put_f32(std::FILE* f, float v) { return PutRaw<std::uint32_t>(f, &v, 1); }
bool put_f64(std::FILE* f, double v) { return PutRaw<std::uint64_t>(f, &v, 1); }
bool put_i32s(std::FILE* f, const std::int32_t* v, std::size_t n) { return PutRaw<std::uint32_t>(f, v, n); }
bool put_f32s(std::FILE* f, const float* v, std::size_t n) { return PutRaw<std::uint32_t>(f, v, n); }
bool put_f64s(std::FILE* f, const double* v, std::size_t n) { return PutRaw<std::uint64_t>(f, v, n); }

bool get_i32(std::FILE* f, std::int32_t& v) { return GetRaw<std::uint32_t>(f, &v, 1); }
bool get_f32(std::FILE* f, float& v) { return GetRaw<std::uint32_t>(f, &v, 1); }
bool get_f64(std::FILE* f, double& v) { return GetRaw<std::uint64_t>(f, &v, 1); }
bool get_i32s(std::FILE* f, std::int32_t* v, std::size_t n) { return GetRaw<std::uint32_t>(f, v, n); }
bool get_f32s(std::FILE* f, float* v, std::size_t n) { return GetRaw<std::uint32_t>(f, v, n); }
bool get_f64s(std::FILE* f, double* v, std::size_t n) { return GetRaw<std::uint64_t>(f, v, n); }

bool put_words(std::FILE* f, const void* record, std::size_t words) {
    return PutRaw<std::uint32_t>(f, record, words);
}
bool get_words(std::FILE* f, void* record, std::size_t words) { return GetRaw<std::uint32_t>(f, record, words); }

bool seek(std::FILE* f, off_t position) { return f && position >= 0 && ::fseeko(f, position, SEEK_SET) == 0; }
off_t tell(std::FILE* f) { return f ? ::ftello(f) : -1; }

bool fits(std::FILE* f, long long count, std::size_t bytes) {
    if (!f || count < 0) return false;
    off_t here = ::ftello(f);
    if (here < 0 || ::fseeko(f, 0, SEEK_END) != 0) return false;
    off_t end = ::ftello(f);
    ::fseeko(f, here, SEEK_SET);
    if (end < here) return false;
    return static_cast<unsigned long long>(count) <= static_cast<unsigned long long>(end - here) / (bytes ? bytes : 1);
}

}  // namespace kv::fem::bin
