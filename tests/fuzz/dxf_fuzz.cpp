// DXF drawings: read from a file, measured, written and read back.
#include "fuzz_support.h"

#include "drawing/dxf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path = kv::fuzz::WriteInput("input.dxf", data, size);
    DXF drawing;
    if (!drawing.Read_FileDxf_To_Mem(path.c_str())) return 0;
    CFRect extent;
    drawing.GetFRect(extent);
    std::string out = kv::fuzz::Folder() + "out.dxf";
    if (!drawing.Write_MemDxf_To_File(out.c_str())) kv::fuzz::Fail("a drawing read cannot be written");
    DXF again;
    if (!again.Read_FileDxf_To_Mem(out.c_str())) kv::fuzz::Fail("a written drawing does not read back");
    DXF copy;
    copy.New_MemDxf();
    copy.InsertDxf(again, 10, 20, 30, 2, 0.5f);
    return 0;
}
