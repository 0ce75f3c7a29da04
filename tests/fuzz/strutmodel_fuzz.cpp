// The strut-layer model file (CJsBzData): every section read, and a file that
// reads saves again and reads back the same counts.
#include "fuzz_support.h"

#include "base/error.h"
#include "fem/strut_layer_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ClearFolder();
    JS_ERROR_CODE = 0;
    std::string path = kv::fuzz::WriteInput("WLLG_StrLdA-1.DAT", data, size);
    kv::fem::CJsBzData model(path.c_str());
    if (!model.Read_All() || JS_ERROR_CODE) return 0;
    if (model.m_cNetLine.empty()) return 0;
    const int counts[6] = {model.m_nNetNode, model.m_nNetLine, model.m_nNodeLoad,
                           model.m_nNodeYS, model.m_nYaoLiang, model.m_nZhiCheng};
    if (!model.Write_NetLine()) return 0;
    kv::fem::CJsBzData again(path.c_str());
    const int back[6] = {again.m_nNetNode, again.m_nNetLine, again.m_nNodeLoad,
                         again.m_nNodeYS, again.m_nYaoLiang, again.m_nZhiCheng};
    for (int i = 0; i < 6; ++i)
        if (counts[i] != back[i]) kv::fuzz::Fail("a saved model reads back other counts");
    if (!again.Read_NetLine() || again.m_cNetLine.size() != model.m_cNetLine.size())
        kv::fuzz::Fail("saved net lines do not read back");
    JS_ERROR_CODE = 0;
    return 0;
}
