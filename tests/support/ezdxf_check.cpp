#include "support/ezdxf_check.h"

#include <cstdlib>

namespace kv::test {

std::string PythonWithEzdxf() {
    for (const char* py : {"/usr/bin/python3", "python3"}) {
        const std::string cmd = std::string(py) + " -c \"import ezdxf\" >/dev/null 2>&1";
        if (std::system(cmd.c_str()) == 0) return py;
    }
    return {};
}

}  // namespace kv::test
