#pragma once
// Text encoding at the file boundary: strings in memory are UTF-8, text files
// on disk are GBK (Windows code page 936), as the Windows program wrote them.
#include <cstddef>
#include <string>
#include <string_view>

namespace kv::platform {

// Converts GBK bytes to UTF-8. Returns false on the first byte sequence that is
// not GBK; `badOffset` (when given) then holds its offset in the input and `out`
// holds the text converted before it.
bool GbkToUtf8(std::string_view gbk, std::string& out, std::size_t* badOffset = nullptr);

// Converts UTF-8 to GBK. Returns false on the first invalid UTF-8 sequence or a
// character that GBK cannot hold; `badOffset` is its offset in the input.
bool Utf8ToGbk(std::string_view utf8, std::string& out, std::size_t* badOffset = nullptr);

// Conversions that never fail: every byte (or character) that cannot be converted
// becomes a visible replacement (U+FFFD when reading, '?' when writing) and is
// counted in `replaced`, so nothing is dropped silently.
std::string GbkToUtf8Lossy(std::string_view gbk, std::size_t* replaced = nullptr);
std::string Utf8ToGbkLossy(std::string_view utf8, std::size_t* replaced = nullptr);

// GbkToUtf8Lossy for a text that comes in pieces: appends the decoded text to
// `out` and returns the number of bytes used. Unless `last`, a character cut short
// by the end of the piece is left for the next one, so decoding a text piece by
// piece gives what decoding it whole gives.
std::size_t GbkToUtf8LossyPart(std::string_view gbk, bool last, std::string& out, std::size_t* replaced = nullptr);

// Length of `utf8` once written as GBK (characters GBK lacks count as one byte).
std::size_t GbkLength(std::string_view utf8);

// The longest prefix of `utf8` that ends on a whole character and takes at most
// `maxGbkBytes` bytes in GBK: fixed-size fields of the data files count GBK bytes.
std::string_view CutToGbkBytes(std::string_view utf8, std::size_t maxGbkBytes);

// The longest prefix of `utf8` of at most `maxBytes` bytes that ends on a whole
// UTF-8 character.
std::string_view CutToUtf8Bytes(std::string_view utf8, std::size_t maxBytes);

// The longest prefix of GBK bytes of at most `maxBytes` bytes that ends on a whole
// character: a lead byte is never cut from its trail byte.
std::string_view CutGbk(std::string_view gbk, std::size_t maxBytes);

// Length of the part of `gbk` that holds whole characters only: a lead byte at the
// very end still waits for its trail byte.
std::size_t CompleteGbkPrefix(std::string_view gbk);

// Length of the part of `utf8` that holds whole characters only: a sequence
// started at the end still waits for the rest of its bytes.
std::size_t CompleteUtf8Prefix(std::string_view utf8);

// Length in bytes of the UTF-8 sequence starting with `lead`, 0 when `lead` is not a lead byte.
std::size_t Utf8SequenceLength(unsigned char lead);

// The code point of the UTF-8 sequence at `i`, its length in `len`. A byte that
// starts no sequence, or a sequence cut short by the end, gives U+FFFD and length 1.
char32_t DecodeUtf8At(std::string_view utf8, std::size_t i, std::size_t& len);

// Appends `cp` to `out` as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

bool IsValidUtf8(std::string_view text);

}  // namespace kv::platform
