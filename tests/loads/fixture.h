#pragma once
// The bytes of a fixture file of tests/fixtures/loads.
#include <fstream>
#include <sstream>
#include <string>

namespace kv::test {

inline std::string LoadsFixture(const std::string& name) {
    std::ifstream in(std::string(KV_TEST_FIXTURES) + "/loads/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace kv::test
