// The second door-frame wall: its data file ("Mkq_V10"), its result file (the
// same marker), the project item ("Mkq_gf_V10") and the load tool's exchange
// file. The first byte picks which.
#include "module_roundtrip.h"

#include "members/slabwall/mkqjs_data.h"
#include "members/slabwall/mkqjs_result.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    switch (data[0] % 4) {
    case 0:
        kv::fuzz::ModuleRoundTrip<CMkqJsData>(data + 1, size - 1);
        break;
    case 1:
        kv::fuzz::ModuleRoundTrip<CMkqResult>(data + 1, size - 1);
        break;
    case 2:
        kv::fuzz::ModuleRoundTrip<CMkqGfData>(data + 1, size - 1);
        break;
    default: {
        std::string path = kv::fuzz::WriteInput("ExOut.ini", data + 1, size - 1);
        CMkqJsData wall;
        wall.ReadExOut(path.c_str(), 0);
        wall.ReadExOut(path.c_str(), 1);
        std::string saved = kv::fuzz::Folder() + "saved.DAT";
        if (wall.SaveData(saved.c_str()) != 1) kv::fuzz::Fail("sizes and loads read cannot be saved");
        CMkqJsData again;
        if (again.LoadData(saved.c_str()) != 1) kv::fuzz::Fail("sizes and loads read do not read back");
    }
    }
    return 0;
}
