#pragma once
// Records the message boxes shown while it lives (a scripted message service in
// place of the installed one, put back afterwards).
#include <memory>
#include <vector>

#include "platform/services.h"

namespace kv::test {

class MessageRecorder {
public:
    MessageRecorder() {
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        script_ = scripted.get();
        old_ = kv::platform::InstallMessageService(std::move(scripted));
    }
    ~MessageRecorder() { kv::platform::InstallMessageService(std::move(old_)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    const std::vector<kv::platform::ScriptedMessageService::Shown>& shown() const { return script_->shown(); }
    int beeps() const { return script_->beeps(); }

private:
    kv::platform::ScriptedMessageService* script_;
    std::unique_ptr<kv::platform::MessageService> old_;
};

}  // namespace kv::test
