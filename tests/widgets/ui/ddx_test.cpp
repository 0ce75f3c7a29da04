// Moving numbers between dialog fields and records, with the standard refusals.
#include "widgets/ui/ddx.h"

#include "platform/services.h"
#include "support/qt_app.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class Ddx : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        old = kv::platform::InstallMessageService(std::move(scripted));
    }
    void TearDown() override { kv::platform::InstallMessageService(std::move(old)); }

    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> old;
};

TEST_F(Ddx, AFloatFieldTakesWhatAFloatHoldsAndRefusesTheRest) {
    struct Case {
        const char* text;
        bool taken;
        float value;
    };
    const Case cases[] = {
        {" 1.5 ", true, 1.5f}, {"-2e3", true, -2000.0f}, {"3e38", true, 3e38f},
        {"abc", false, 7.0f},  {"", false, 7.0f},        {"1,5", false, 7.0f},
        {"inf", false, 7.0f},  {"nan", false, 7.0f},
        // Beyond the largest float: it would turn into infinity in the record.
        {"1e39", false, 7.0f}, {"-1e39", false, 7.0f},
    };
    for (const Case& c : cases) {
        QLineEdit edit(QString::fromLatin1(c.text));
        float value = 7.0f;
        const std::size_t before = messages->shown().size();
        EXPECT_EQ(kv::ddx::Float(&edit, value, true), c.taken) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(messages->shown().size(), before + (c.taken ? 0 : 1)) << c.text;
    }
}

}  // namespace
