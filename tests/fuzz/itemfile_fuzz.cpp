// The common block of an item file ("##Name", "##ChaXun") as the base data
// object and the project window read it.
#include "module_roundtrip.h"

#include "base/jsdata.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CJsBaseData>(data, size);
    std::string input = kv::fuzz::Folder() + "input.DAT";
    std::string name = ReadItemNameFromFile(input.c_str());
    std::vector<ChaXunEntry> entries = ReadChaXunFromFile(input.c_str());
    if (entries.size() > static_cast<std::size_t>(kMaxChaXun)) kv::fuzz::Fail("more query entries than the list holds");
    return 0;
}
