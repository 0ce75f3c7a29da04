// The project file "Kavlund.PRJ": read, its items listed as the project window
// lists them, an item added and removed, written and read back.
#include "fuzz_support.h"

#include "base/jsdata.h"
#include "project/project.h"

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::WriteInput(kProjectFileName, data, size);
    if (chdir(kv::fuzz::Folder().c_str()) != 0) kv::fuzz::Fail("cannot enter the folder");
    CProject project;
    if (!project.ReadPrj()) return 0;
    for (int m = 0; m < kMaxModules; ++m) {
        auto row = static_cast<std::size_t>(m);
        for (int i = 0; i < project.m_nCount[row] && i < kMaxItemsPerModule; ++i) {
            std::string file = CProject::ItemFileName(project.m_nItemNo[row][static_cast<std::size_t>(i)]);
            ReadItemNameFromFile(file.c_str());
            ReadChaXunFromFile(file.c_str());
        }
    }
    int m = size > 0 ? data[0] % kMaxModules : 0;
    if (int no = project.AddItem(m); no != 0 && (no < 1 || no > kMaxItemNo)) kv::fuzz::Fail("a new item number out of range");
    project.DeleteItem(m, 0);
    if (!project.WritePrj({"顶板", "外墙"})) kv::fuzz::Fail("the project file cannot be written");
    CProject again;
    if (!again.ReadPrj()) kv::fuzz::Fail("a written project file does not read back");
    if (again.m_nSelected != project.m_nSelected || again.m_nCount != project.m_nCount ||
        again.m_nItemNo != project.m_nItemNo)
        kv::fuzz::Fail("a written project file reads back different");
    return 0;
}
