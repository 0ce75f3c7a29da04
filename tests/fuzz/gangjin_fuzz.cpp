// Bar texts: read, printed, and the printed text read again to the same set.
#include "fuzz_support.h"

#include "codes/gangjin.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    CGangJin bars;
    if (!bars.FromString(text)) return 0;
    bars.Area();
    std::string printed = bars.ToString();
    CGangJin again;
    again.m_nGrade = bars.m_nGrade;
    if (!again.FromString(printed)) kv::fuzz::Fail("a printed bar text does not read back");
    if (again.ToString() != printed) kv::fuzz::Fail("a printed bar text reads back different");
    return 0;
}
