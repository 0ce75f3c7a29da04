// The GBK codec: whole texts, the lossy conversions, the cutting helpers and a
// text file read through a stream and as a whole.
#include "fuzz_support.h"

#include "platform/codec.h"
#include "platform/textfile.h"

#include <string>

using namespace kv::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string utf8;
    std::size_t bad = 0;
    if (GbkToUtf8(bytes, utf8, &bad)) {
        std::string back;
        if (!Utf8ToGbk(utf8, back) || back != bytes) kv::fuzz::Fail("valid GBK does not come back whole");
    } else if (bad > size) {
        kv::fuzz::Fail("the bad offset lies past the input");
    }
    std::string lossy = GbkToUtf8Lossy(bytes);
    if (!IsValidUtf8(lossy)) kv::fuzz::Fail("a lossy read gives invalid UTF-8");
    std::string gbk = Utf8ToGbkLossy(lossy);
    if (GbkLength(lossy) != gbk.size()) kv::fuzz::Fail("GbkLength differs from the written length");
    std::string gbk2;
    Utf8ToGbk(bytes, gbk2, &bad);
    Utf8ToGbkLossy(bytes);
    for (std::size_t n : {std::size_t{0}, std::size_t{1}, size / 2, size}) {
        if (CutGbk(bytes, n).size() > n) kv::fuzz::Fail("CutGbk is too long");
        if (CutToUtf8Bytes(lossy, n).size() > n) kv::fuzz::Fail("CutToUtf8Bytes is too long");
        if (GbkLength(CutToGbkBytes(lossy, n)) > n) kv::fuzz::Fail("CutToGbkBytes is too long");
    }
    if (CompleteGbkPrefix(bytes) > size || CompleteUtf8Prefix(bytes) > size) kv::fuzz::Fail("a prefix past the end");
    for (std::size_t i = 0, len = 0; i < size; i += len) {
        DecodeUtf8At(bytes, i, len);
        if (len == 0) kv::fuzz::Fail("a decode that does not move");
    }

    // The same bytes as a text file, read whole and through a stream.
    std::string path = kv::fuzz::WriteInput("text.TXT", bytes);
    std::string whole;
    ReadTextFile(path, whole);
    if (std::FILE* fp = OpenFile(path, "rt")) {
        std::string streamed;
        char buffer[257];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, fp)) > 0) streamed.append(buffer, got);
        std::fclose(fp);
        if (!IsValidUtf8(streamed)) kv::fuzz::Fail("a text stream gives invalid UTF-8");
    }
    return 0;
}
