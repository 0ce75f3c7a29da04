#pragma once
// Fresh folders standing for the program folder (G_strExePath) and the
// configuration folder (XDG_CONFIG_HOME) until they go away, for code that looks
// for the program's own files and the outside programs' tool files.
#include <string>

#include "base/globals.h"
#include "support/env_guard.h"
#include "support/temp_folder.h"

namespace kv::test {

class ProgramFolder : public TempFolder {
public:
    ProgramFolder() : previous_(G_strExePath) { G_strExePath = path(); }
    ~ProgramFolder() { G_strExePath = previous_; }

private:
    std::string previous_;
};

// The configuration folder is "<this folder>kv/".
class ConfigHome : public TempFolder {
public:
    ConfigHome() : guard_("XDG_CONFIG_HOME", path()) {}
    std::string Config(const std::string& name) const { return path() + "kv/" + name; }

private:
    EnvGuard guard_;
};

}  // namespace kv::test
