// Files cut short at every byte: each reader refuses the file and keeps what it
// had, or reads it; a file it read can be saved.
#include "support/env_guard.h"
#include "support/temp_folder.h"

#include "base/jsdata.h"
#include "design/ban_data.h"
#include "design/lkq_data.h"
#include "drawing/dxf.h"
#include "project/project.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <functional>
#include <sstream>
#include <string>

namespace {

std::string Seed(const std::string& name) {
    std::ifstream in(std::string(KV_FUZZ_CORPUS) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// What a module object saves: the whole of what it holds.
template <typename Data>
std::string Saved(Data& data, const kv::test::TempFolder& dir) {
    std::string path = dir / "saved.DAT";
    if (data.SaveData(path.c_str()) != 1) return "<not saved>";
    return dir.Read("saved.DAT");
}

// Reads `path` with a module object; "" when it was refused with the object
// unchanged or read and saved again, else what went wrong.
template <typename Data>
std::string ReadModule(const std::string& path, const kv::test::TempFolder& dir) {
    Data data;
    static const std::string before = Saved(data, dir);  // a new object's
    int read = data.LoadData(path.c_str());
    std::string after = Saved(data, dir);
    if (read == 0 && after != before) return "refused but changed";
    if (read == 1 && after == "<not saved>") return "read but cannot be saved";
    if (read != 0 && read != 1) return "answered " + std::to_string(read);
    return "";
}

std::string ReadProject(const std::string&, const kv::test::TempFolder&) {
    CProject project;
    project.m_nCount[0] = 1;
    project.m_nItemNo[0][0] = 7;
    CProject before = project;
    if (project.ReadPrj() == 1) return "";
    if (project.m_nCount != before.m_nCount || project.m_nItemNo != before.m_nItemNo) return "refused but changed";
    return "";
}

std::string ReadDrawing(const std::string& path, const kv::test::TempFolder& dir) {
    DXF drawing;
    if (drawing.Read_FileDxf_To_Mem(path.c_str()) == 1)
        return drawing.Write_MemDxf_To_File((dir / "saved.dxf").c_str()) == 1 ? "" : "read but cannot be saved";
    CFRect extent;
    return drawing.GetFRect(extent) == 0 ? "" : "refused but not empty";
}

struct Case {
    const char* seed;      // a file of the fuzz corpus
    const char* fileName;  // the name the reader looks for
    std::function<std::string(const std::string&, const kv::test::TempFolder&)> read;
};

}  // namespace

TEST(CutShortFiles, AreRefusedOrReadAtEveryLength) {
    const Case cases[] = {
        {"ban/written-0", "&KV_0001.DAT", ReadModule<BAN_JS_STRUCT>},
        {"lkq/written-0", "&KV_0002.DAT", ReadModule<CLkqData>},
        {"lkq/older-edition", "&KV_0002.DAT", ReadModule<CLkqData>},
        {"itemfile/written", "&KV_0003.DAT", ReadModule<CJsBaseData>},
        {"dxf/written", "a.dxf", ReadDrawing},
        {"prj/written", kProjectFileName, ReadProject},
    };
    // Every save goes to the disk: thousands of them are quicker in memory.
    std::optional<kv::test::EnvGuard> inMemory;
    if (std::filesystem::is_directory("/dev/shm")) inMemory.emplace("TMPDIR", "/dev/shm");
    for (const Case& c : cases) {
        std::string whole = Seed(c.seed);
        ASSERT_FALSE(whole.empty()) << c.seed;
        kv::test::TempFolder dir;
        dir.MakeCurrent();
        for (std::size_t n = 0; n <= whole.size(); ++n) {
            dir.Write(c.fileName, whole.substr(0, n));
            std::string fault = c.read(dir / c.fileName, dir);
            ASSERT_EQ(fault, "") << c.seed << " cut to " << n << " bytes";
        }
    }
}
