#include "platform/services.h"

#include "platform/paths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kv::platform {
namespace {

int DefaultButton(unsigned type) {
    unsigned buttons = type & MB_BUTTON_MASK;
    bool second = (type & MB_DEFBUTTON2) != 0;
    switch (buttons) {
    case MB_OKCANCEL: return second ? IDCANCEL : IDOK;
    case MB_YESNO: return second ? IDNO : IDYES;
    case MB_YESNOCANCEL: return second ? IDNO : IDYES;
    default: return IDOK;
    }
}

class StderrMessageService : public MessageService {
public:
    int Show(const std::string& text, const std::string& caption, unsigned type) override {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
        return DefaultButton(type);
    }
};

class CancellingFileDialogService : public FileDialogService {
public:
    std::optional<std::string> GetOpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> GetSaveFileName(const FileDialogRequest&) override { return std::nullopt; }
};

// True when an executable `name` lies in a folder of PATH.
bool InPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    for (;;) {
        std::size_t colon = folders.find(':', start);
        std::string folder = folders.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (folder.empty()) folder = ".";
        if (::access(JoinPath(folder, name).c_str(), X_OK) == 0) return true;
        if (colon == std::string::npos) return false;
        start = colon + 1;
    }
}

class SystemProcessService : public ProcessService {
public:
    ProcessResult RunAndWait(const std::string& program, const std::vector<std::string>& args,
                             const std::string& workFolder) override {
        ProcessResult result;
        Launch launch;
        if (!PrepareLaunch(program, workFolder, launch, result.error)) return result;
        std::vector<std::string> argvStore;
        argvStore.push_back(launch.exe);
        argvStore.insert(argvStore.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : argvStore) argv.push_back(a.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!launch.folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, launch.folder.c_str());
        pid_t pid = 0;
        int rc = launch.exe.find('/') == std::string::npos
                     ? posix_spawnp(&pid, launch.exe.c_str(), &actions, nullptr, argv.data(), environ)
                     : posix_spawn(&pid, launch.exe.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) {
            result.error = std::string("不能启动 (") + std::strerror(rc) + ")";
            return result;
        }
        result.started = true;
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR) {
                result.error = std::string("等待程序结束失败 (") + std::strerror(errno) + ")";
                return result;
            }
        }
        if (WIFEXITED(status)) {
            result.exitCode = WEXITSTATUS(status);
        } else {
            result.error = "被信号 " + std::to_string(WTERMSIG(status)) + " 终止";
        }
        return result;
    }

    bool OpenDocument(const std::string& path, std::string& error) override {
        std::string resolved = ResolveExisting(path);
        if (resolved.empty()) {
            error = "文件 " + path + " 不存在";
            return false;
        }
        if (!InPath("xdg-open")) {
            error = "没有找到打开文件的程序 xdg-open, 请安装 xdg-utils (Debian: sudo apt-get install xdg-utils)";
            return false;
        }
        if (resolved[0] != '/') resolved = CurrentFolder() + resolved;
        // xdg-open may run the viewer itself and wait for it to close; the program
        // goes on at once instead. A shell starts the opener in the background and
        // ends, so the opener is nobody's child to wait for.
        ProcessResult r = RunAndWait("/bin/sh", {"-c", "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &", "sh", resolved}, "");
        if (!r.started || r.exitCode != 0) {
            error = "不能启动 xdg-open : " + r.error;
            return false;
        }
        return true;
    }
};

std::unique_ptr<MessageService>& MessageSlot() {
    static std::unique_ptr<MessageService> slot = std::make_unique<StderrMessageService>();
    return slot;
}
std::unique_ptr<FileDialogService>& FileDialogSlot() {
    static std::unique_ptr<FileDialogService> slot = std::make_unique<CancellingFileDialogService>();
    return slot;
}
std::unique_ptr<ProcessService>& ProcessSlot() {
    static std::unique_ptr<ProcessService> slot = std::make_unique<SystemProcessService>();
    return slot;
}

}  // namespace

MessageService& Messages() { return *MessageSlot(); }
FileDialogService& FileDialogs() { return *FileDialogSlot(); }
ProcessService& Processes() { return *ProcessSlot(); }

std::unique_ptr<MessageService> InstallMessageService(std::unique_ptr<MessageService> service) {
    std::swap(MessageSlot(), service);
    return service;
}
std::unique_ptr<FileDialogService> InstallFileDialogService(std::unique_ptr<FileDialogService> service) {
    std::swap(FileDialogSlot(), service);
    return service;
}
std::unique_ptr<ProcessService> InstallProcessService(std::unique_ptr<ProcessService> service) {
    std::swap(ProcessSlot(), service);
    return service;
}

std::unique_ptr<ProcessService> MakeSystemProcessService() { return std::make_unique<SystemProcessService>(); }

bool PrepareLaunch(const std::string& program, const std::string& workFolder, Launch& launch, std::string& error) {
    launch = {};
    std::string resolved = ResolveExisting(program);
    std::string exe = resolved.empty() ? program : resolved;
    // A relative name is the caller's, and the child changes folder before it
    // starts the program; only a bare name not found here is searched in PATH.
    if (!exe.empty() && exe[0] != '/' && (!resolved.empty() || exe.find('/') != std::string::npos))
        exe = CurrentFolder() + exe;
    if (exe.empty() || (exe.find('/') == std::string::npos ? !InPath(exe) : !FileExists(exe))) {
        error = "程序文件不存在";
        return false;
    }
    if (exe.find('/') != std::string::npos && ::access(exe.c_str(), X_OK) != 0) {
        error = "程序文件没有执行权限";
        return false;
    }
    if (!workFolder.empty()) {
        launch.folder = ResolveExisting(workFolder);
        if (launch.folder.empty() || !DirectoryExists(launch.folder)) {
            error = "文件夹 " + workFolder + " 不存在";
            launch.folder.clear();
            return false;
        }
    }
    launch.exe = exe;
    return true;
}

bool RunOutsideProgram(const std::string& what, const std::string& program, const std::vector<std::string>& args,
                       const std::string& workFolder) {
    ProcessResult run = Processes().RunAndWait(program, args, workFolder);
    std::string text;
    if (!run.started)
        text = what + " " + program + " 不能启动: " + run.error + "。";
    else if (!run.error.empty())
        text = what + " " + program + " 异常结束: " + run.error + "。";
    else if (run.exitCode != 0)
        text = what + " " + program + " 没有正常结束: 返回代码 " + std::to_string(run.exitCode) + "。";
    else
        return true;
    kv::MessageBox(text, MB_OK | MB_ICONERROR);
    return false;
}

int ScriptedMessageService::Show(const std::string& text, const std::string& caption, unsigned type) {
    shown_.push_back({text, caption, type});
    if (next_ < answers_.size()) return answers_[next_++];
    return DefaultButton(type);
}

std::optional<std::string> ScriptedFileDialogService::Next(const FileDialogRequest& request) {
    requests_.push_back(request);
    if (next_ < answers_.size()) return answers_[next_++];
    return std::nullopt;
}
std::optional<std::string> ScriptedFileDialogService::GetOpenFileName(const FileDialogRequest& request) {
    return Next(request);
}
std::optional<std::string> ScriptedFileDialogService::GetSaveFileName(const FileDialogRequest& request) {
    return Next(request);
}

ProcessResult RecordingProcessService::RunAndWait(const std::string& program, const std::vector<std::string>& args,
                                                  const std::string& workFolder) {
    runs.push_back({program, args, workFolder});
    return result;
}

bool RecordingProcessService::OpenDocument(const std::string& path, std::string& error) {
    opened.push_back(path);
    if (!openSucceeds) error = "没有打开 " + path + " 的程序";
    return openSucceeds;
}

}  // namespace kv::platform

namespace kv {
int MessageBox(const std::string& text, unsigned type, const std::string& caption) {
    return platform::Messages().Show(text, caption, type);
}
void MessageBeep() { platform::Messages().Beep(); }
}  // namespace kv
