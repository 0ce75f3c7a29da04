#pragma once
// Sets (or unsets) one environment variable until the guard goes away, then puts
// back what was there, so no test leaves its XDG_CONFIG_HOME, PATH or TMPDIR to
// the tests after it.
#include <optional>
#include <string>

namespace kv::test {

class EnvGuard {
public:
    // value nullopt: the variable is unset while the guard lives.
    EnvGuard(std::string name, std::optional<std::string> value);
    ~EnvGuard();
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

    // Changes the value again; the one from before the guard still comes back.
    void Set(std::optional<std::string> value) const;

private:
    std::string name_;
    std::optional<std::string> kept_;
};

}  // namespace kv::test
