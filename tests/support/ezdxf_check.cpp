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

namespace kv::test {

bool EzdxfRecoverPasses(const std::string& python, const std::string& dxf) {
    // ezdxf's own audit command exits 0 on broken files: ask the auditor.
    const std::string script =
        "import sys\nfrom ezdxf import recover\ndoc, auditor = recover.readfile(sys.argv[1])\n"
        "sys.exit(2 if auditor.has_errors else 0)";
    std::string quoted = "'";
    for (char c : dxf) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    const std::string cmd = python + " -c \"" + script + "\" " + quoted;
    return std::system(cmd.c_str()) == 0;
}

}  // namespace kv::test
