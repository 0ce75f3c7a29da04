// The shelter lining: its data file, its result file (the same marker) and the
// load tool's exchange file. The first byte picks which.
#include "module_roundtrip.h"

#include "lining/shelter/shelter_data.h"
#include "lining/shelter/shelter_result.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    switch (data[0] % 3) {
    case 0:
        kv::fuzz::ModuleRoundTrip<CChenQiData>(data + 1, size - 1);
        break;
    case 1:
        kv::fuzz::ModuleRoundTrip<CChenQiResult>(data + 1, size - 1);
        break;
    default: {
        std::string path = kv::fuzz::WriteInput("ExOut.ini", data + 1, size - 1);
        CChenQiData shelter;
        shelter.DoExOutIni(path.c_str(), 0);
        std::string saved = kv::fuzz::Folder() + "saved.DAT";
        if (shelter.SaveData(saved.c_str()) != 1) kv::fuzz::Fail("loads read cannot be saved");
        CChenQiData again;
        if (again.LoadData(saved.c_str()) != 1) kv::fuzz::Fail("loads read do not read back");
        shelter.DoExOutIni(path.c_str(), 1);
    }
    }
    return 0;
}
