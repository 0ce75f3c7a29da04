#pragma once
// The outside DXF reader check: ezdxf's recover reader, where python3-ezdxf is installed.
#include <string>

namespace kv::test {

// The Python interpreter that has ezdxf, or empty (the caller skips its check).
std::string PythonWithEzdxf();

}  // namespace kv::test

namespace kv::test {

// Reads `dxf` back through ezdxf's recover reader with `python` (from
// PythonWithEzdxf): true when its auditor found no error.
bool EzdxfRecoverPasses(const std::string& python, const std::string& dxf);

}  // namespace kv::test
