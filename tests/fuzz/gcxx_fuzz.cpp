// The project information "GCXX.BOX": read, written and read back.
#include "fuzz_support.h"

#include "project/project.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::WriteInput("GCXX.BOX", data, size);
    CGcxx box;
    if (!box.ReadBox(kv::fuzz::Folder())) return 0;
    if (!box.WriteBox(kv::fuzz::Folder())) kv::fuzz::Fail("GCXX.BOX cannot be written");
    CGcxx again;
    if (!again.ReadBox(kv::fuzz::Folder())) kv::fuzz::Fail("a written GCXX.BOX does not read back");
    CGcxx third;
    if (!again.WriteBox(kv::fuzz::Folder()) || !third.ReadBox(kv::fuzz::Folder()) ||
        third.m_strName != again.m_strName || third.m_strNumber != again.m_strNumber ||
        third.m_strTime != again.m_strTime)
        kv::fuzz::Fail("GCXX.BOX reads back different");
    return 0;
}
