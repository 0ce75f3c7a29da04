#pragma once
// A calculation runner for one test that notes what ran through it and whether
// the message file was written while it ran.
#include "base/calcrunner.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kv::test {

class RecordingRunner : public kv::calc::Runner {
public:
    void Run(const std::string& title, const std::function<void()>& calculation) override {
        titles.push_back(title);
        calculation();
        messageBoxWritten = std::filesystem::exists("Message.Box");
    }
    std::vector<std::string> titles;
    bool messageBoxWritten = false;
};

// Installs a RecordingRunner for its lifetime.
class RunnerGuard {
public:
    RunnerGuard() {
        auto runner = std::make_unique<RecordingRunner>();
        recorder = runner.get();
        kept_ = kv::calc::InstallRunner(std::move(runner));
    }
    ~RunnerGuard() { kv::calc::InstallRunner(std::move(kept_)); }
    RecordingRunner* recorder = nullptr;

private:
    std::unique_ptr<kv::calc::Runner> kept_;
};

}  // namespace kv::test
