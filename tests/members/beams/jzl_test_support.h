#pragma once
// Shared by the grid beam's tests: a work folder that is also the current
// folder, with the error channel caught, and a model built from data.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"
#include "platform/codec.h"
#include "support/error_lines.h"
#include "support/work_folder.h"

namespace kv::test {

class JzlFolder : public WorkFolder {
public:
    JzlFolder() {
        MakeCurrent();
        JS_ERROR_CODE = 0;
    }
    ~JzlFolder() { JS_ERROR_CODE = 0; }
    // A text file of the folder as UTF-8 lines.
    std::vector<std::string> Lines(const std::string& name) const {
        std::istringstream in(kv::platform::GbkToUtf8Lossy(Read(name)));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    ErrorLines errors;
};

inline void BuildModel(CJzlJs& js, CJzlData& data) {
    js.jzl_build_grid(&data);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    js.jzl_prepare_model();
}

}  // namespace kv::test
