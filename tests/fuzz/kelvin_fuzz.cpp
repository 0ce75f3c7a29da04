// The Kelvin tables a program folder may hold ("ber.dat", "bei.dat", "ber_.dat",
// "bei_.dat"): the input, cut into four, takes their place; the circular shell
// computed on them either refuses or gives numbers at every station.
#include <cmath>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "members/shells/kelvin.h"
#include "members/shells/shell_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace kelvin = kv::shells::kelvin;
    static const char* const kNames[4] = {"ber.dat", "bei.dat", "ber_.dat", "bei_.dat"};
    const std::size_t part = size / 4;
    for (int f = 0; f < 4; ++f) {
        std::ofstream out(kv::fuzz::Folder() + kNames[f], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data) + f * part, static_cast<std::streamsize>(part));
    }
    kelvin::LoadFiles(kv::fuzz::Folder());
    CCircleBqData shell;
    shell.Calculate();
    if (shell.calc_ok == 1)
        for (int k = 0; k < 13; ++k)
            if (!std::isfinite(shell.n_phi[k]) || !std::isfinite(shell.m_phi[k]) || !std::isfinite(shell.n_theta[k]))
                kv::fuzz::Fail("a shell computed on the tables read has a station that is no number");
    kelvin::Rebuild();
    return 0;
}
