#include "support/env_guard.h"

#include <cstdlib>

namespace kv::test {

EnvGuard::EnvGuard(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) kept_ = old;
    Set(std::move(value));
}

EnvGuard::~EnvGuard() { Set(kept_); }

void EnvGuard::Set(std::optional<std::string> value) const {
    if (value)
        ::setenv(name_.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name_.c_str());
}

}  // namespace kv::test
