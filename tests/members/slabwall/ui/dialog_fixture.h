#pragma once
// The fixture of a module dialog's tests: message boxes and file dialogs answer
// from a script, and a fresh work folder is the current folder.
#include "platform/services.h"
#include "support/qt_app.h"
#include "support/work_folder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kv::test {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApp();
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
        auto files = std::make_unique<kv::platform::ScriptedFileDialogService>();
        fileDialogs = files.get();
        oldFiles = kv::platform::InstallFileDialogService(std::move(files));
        dir.MakeCurrent();
    }
    void TearDown() override {
        kv::platform::InstallFileDialogService(std::move(oldFiles));
        kv::platform::InstallMessageService(std::move(oldMessages));
    }

    // The texts of the message boxes shown so far.
    std::vector<std::string> Shown() const {
        std::vector<std::string> out;
        for (const auto& s : messages->shown()) out.push_back(s.text);
        return out;
    }

    WorkFolder dir;
    kv::platform::ScriptedMessageService* messages = nullptr;
    kv::platform::ScriptedFileDialogService* fileDialogs = nullptr;

private:
    std::unique_ptr<kv::platform::MessageService> oldMessages;
    std::unique_ptr<kv::platform::FileDialogService> oldFiles;
};

}  // namespace kv::test
