#pragma once
// The library's binary work files: little-endian int32, float32 and float64
// values one after another, whatever the byte order of the machine, and 64-bit
// file positions. Each call reads or writes whole values and says whether all of
// them went through.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sys/types.h>

namespace kv::fem::bin {

bool put_i32(std::FILE* f, std::int32_t v);
bool put_f32(std::FILE* f, float v);
bool put_f64(std::FILE* f, double v);
bool put_i32s(std::FILE* f, const std::int32_t* v, std::size_t n);
bool put_f32s(std::FILE* f, const float* v, std::size_t n);
bool put_f64s(std::FILE* f, const double* v, std::size_t n);

bool get_i32(std::FILE* f, std::int32_t& v);
bool get_f32(std::FILE* f, float& v);
bool get_f64(std::FILE* f, double& v);
bool get_i32s(std::FILE* f, std::int32_t* v, std::size_t n);
bool get_f32s(std::FILE* f, float* v, std::size_t n);
bool get_f64s(std::FILE* f, double* v, std::size_t n);

// Records of 4-byte fields (ints and floats mixed, no padding) as `words` values.
bool put_words(std::FILE* f, const void* record, std::size_t words);
bool get_words(std::FILE* f, void* record, std::size_t words);

bool seek(std::FILE* f, off_t position);
off_t tell(std::FILE* f);

// True when `count` records of `bytes` each can still lie in the file after the
// current position: a count read from a damaged file is checked before memory is
// taken for it.
bool fits(std::FILE* f, long long count, std::size_t bytes);

}  // namespace kv::fem::bin
