#pragma once
// Every interaction that would stop the program for the user or reach outside it
// goes through one of these services: message boxes and questions, file dialogs,
// outside programs and opening a file in another program. The program installs
// the Qt implementations at start; tests install scripted ones that record what
// was shown and give the answers the test chose.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// Message box buttons and icons, and the answers (the values the program's
// callers compare against).
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_BUTTON_MASK = 0xF;
inline constexpr unsigned MB_ICON_MASK = 0xF0;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

namespace platform {

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows `text` with the buttons and icon of `type`; returns the button pressed.
    virtual int Show(const std::string& text, const std::string& caption, unsigned type) = 0;
    // The system's warning sound; silent unless the service has one.
    virtual void Beep() {}
};

struct FileDialogRequest {
    std::string title;
    std::string filter;       // "说明 (*.LB)|*.LB|所有文件 (*.*)|*.*||", as the program writes it
    std::string defaultExt;   // without the dot
    std::string initialPath;  // folder, or folder and file name
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<std::string> GetOpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> GetSaveFileName(const FileDialogRequest& request) = 0;
};

struct ProcessResult {
    bool started = false;  // false: the program could not be started
    int exitCode = -1;     // the program's exit code when it ran to its end
    std::string error;     // why it did not start or did not end normally (for the user)
};

class ProcessService {
public:
    virtual ~ProcessService() = default;
    // Starts `program` with `args` in `workFolder` (empty: the current folder) and
    // waits until it ends. The program's own implementation keeps the window
    // painted meanwhile and lets the user start nothing else.
    virtual ProcessResult RunAndWait(const std::string& program, const std::vector<std::string>& args,
                                     const std::string& workFolder) = 0;
    // Opens `path` in the desktop's program for its kind of file; does not wait.
    // False with `error` set when no program could be started.
    virtual bool OpenDocument(const std::string& path, std::string& error) = 0;
};

// The installed services. Until the program (or a test) installs its own, the
// messages go to standard error and answer the default button, the file dialogs
// answer "cancelled", and outside programs run for real.
MessageService& Messages();
FileDialogService& FileDialogs();
ProcessService& Processes();

// Installs a service; returns the one it replaces so a test can put it back.
std::unique_ptr<MessageService> InstallMessageService(std::unique_ptr<MessageService> service);
std::unique_ptr<FileDialogService> InstallFileDialogService(std::unique_ptr<FileDialogService> service);
std::unique_ptr<ProcessService> InstallProcessService(std::unique_ptr<ProcessService> service);

// The real process service: fork/exec and wait; documents open through xdg-open.
std::unique_ptr<ProcessService> MakeSystemProcessService();

// What a process service starts for `program` in `workFolder`: the file to run
// (a relative name is the caller's, taken from the current folder; a bare name
// not found there is searched in PATH) and the folder to run it in. False, with
// the reason in `error`, when the program or the folder is not there or the
// program may not be run.
struct Launch {
    std::string exe;
    std::string folder;  // empty: the current folder
};
bool PrepareLaunch(const std::string& program, const std::string& workFolder, Launch& launch, std::string& error);

// Runs an outside program through the installed service and waits for it. A
// program that does not start, or does not end with exit code 0, is reported in
// a message that names it as `what` ("CAD插入程序"). True when it ended normally.
bool RunOutsideProgram(const std::string& what, const std::string& program, const std::vector<std::string>& args,
                       const std::string& workFolder);

// ---- scripted services for tests --------------------------------------------

class ScriptedMessageService : public MessageService {
public:
    struct Shown {
        std::string text, caption;
        unsigned type;
    };
    // Answers given in order; when they run out, the default button is pressed.
    void Answer(int button) { answers_.push_back(button); }
    int Show(const std::string& text, const std::string& caption, unsigned type) override;
    void Beep() override { ++beeps_; }
    const std::vector<Shown>& shown() const { return shown_; }
    int beeps() const { return beeps_; }

private:
    std::vector<int> answers_;
    std::size_t next_ = 0;
    std::vector<Shown> shown_;
    int beeps_ = 0;
};

class ScriptedFileDialogService : public FileDialogService {
public:
    // Next answer; nullopt stands for "cancelled". When answers run out: cancelled.
    void Answer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
    std::optional<std::string> GetOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> GetSaveFileName(const FileDialogRequest& request) override;
    const std::vector<FileDialogRequest>& requests() const { return requests_; }

private:
    std::optional<std::string> Next(const FileDialogRequest& request);
    std::vector<std::optional<std::string>> answers_;
    std::size_t next_ = 0;
    std::vector<FileDialogRequest> requests_;
};

class RecordingProcessService : public ProcessService {
public:
    struct Run {
        std::string program;
        std::vector<std::string> args;
        std::string workFolder;
    };
    ProcessResult result;           // what every RunAndWait answers
    bool openSucceeds = true;       // what every OpenDocument answers
    ProcessResult RunAndWait(const std::string& program, const std::vector<std::string>& args,
                             const std::string& workFolder) override;
    bool OpenDocument(const std::string& path, std::string& error) override;
    std::vector<Run> runs;
    std::vector<std::string> opened;
};

}  // namespace platform

// The message box the program's code calls: returns IDOK, IDCANCEL, IDYES or IDNO.
int MessageBox(const std::string& text, unsigned type = MB_OK, const std::string& caption = "KV");
// The warning sound, through the installed message service.
void MessageBeep();

}  // namespace kv
