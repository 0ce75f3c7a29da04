#pragma once
// A flat slab "A" run in a fresh work folder that is also the current folder,
// under the 2010 edition, with the civil-air-defence design the module's
// command switches on.
#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"
#include "platform/textfile.h"
#include "support/edition_guard.h"
#include "support/work_folder.h"

namespace kv::test {

class WllgRunFixture : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        work.MakeCurrent();
        data.SetFileName("A");
        data.m_nCivilDefence = data.m_ChongQie.m_nCivilDefence = 1;
    }
    void TearDown() override { JS_ERROR_CODE = 0; }

    // The text report the last run left.
    std::string Report() {
        std::string text;
        kv::platform::ReadTextFile(work / "A_WLLG.RTF", text);
        return text;
    }

    WorkFolder work;
    EditionGuard edition{2010};
    CWllgData data;
};

}  // namespace kv::test
