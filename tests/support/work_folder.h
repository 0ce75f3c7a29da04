#pragma once
// A fresh folder that is also the work folder (G_strWorkPath) until it goes away.
#include <string>

#include "base/globals.h"
#include "support/temp_folder.h"

namespace kv::test {

class WorkFolder : public TempFolder {
public:
    WorkFolder() : previous_(G_strWorkPath) { G_strWorkPath = path(); }
    ~WorkFolder() { G_strWorkPath = previous_; }

private:
    std::string previous_;
};

}  // namespace kv::test
