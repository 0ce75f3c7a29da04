#include "platform/services.h"

#include "support/env_guard.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kv;
using namespace kv::platform;

TEST(Services, ScriptedMessagesRecordWhatWasShownAndGiveTheChosenAnswers) {
    auto scripted = std::make_unique<ScriptedMessageService>();
    ScriptedMessageService* script = scripted.get();
    script->Answer(IDNO);
    auto old = InstallMessageService(std::move(scripted));
    EXPECT_EQ(MessageBox("保存吗?", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    // Answers used up: the default button.
    EXPECT_EQ(MessageBox("again", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBox("ok"), IDOK);
    ASSERT_EQ(script->shown().size(), 3u);
    EXPECT_EQ(script->shown()[0].text, "保存吗?");
    EXPECT_EQ(script->shown()[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
    InstallMessageService(std::move(old));
}

TEST(Services, ScriptedFileDialogsAnswerInOrderThenCancel) {
    auto scripted = std::make_unique<ScriptedFileDialogService>();
    ScriptedFileDialogService* script = scripted.get();
    script->Answer("/tmp/a.LB");
    script->Answer(std::nullopt);
    auto old = InstallFileDialogService(std::move(scripted));
    EXPECT_EQ(FileDialogs().GetOpenFileName({"打开", "*.LB", "LB", ""}), "/tmp/a.LB");
    EXPECT_EQ(FileDialogs().GetSaveFileName({}), std::nullopt);
    EXPECT_EQ(FileDialogs().GetSaveFileName({}), std::nullopt);
    EXPECT_EQ(script->requests().size(), 3u);
    InstallFileDialogService(std::move(old));
}

TEST(Services, OutsideProgramsAreWaitedForAndTheirEndIsReported) {
    kv::test::TempFolder dir;
    auto system = MakeSystemProcessService();
    ProcessResult ok = system->RunAndWait("/bin/sh", {"-c", "pwd > where.txt; exit 3"}, dir.path());
    EXPECT_TRUE(ok.started);
    EXPECT_EQ(ok.exitCode, 3);
    EXPECT_EQ(dir.Read("where.txt"), dir.path().substr(0, dir.path().size() - 1) + "\n");

    ProcessResult missing = system->RunAndWait(dir / "Dorvex.exe", {}, "");
    EXPECT_FALSE(missing.started);
    EXPECT_FALSE(missing.error.empty());

    ProcessResult badFolder = system->RunAndWait("/bin/true", {}, dir / "nowhere");
    EXPECT_FALSE(badFolder.started);

    std::string error;
    EXPECT_FALSE(system->OpenDocument(dir / "missing.OUT", error));
    EXPECT_FALSE(error.empty());
}

TEST(Services, AProgramNamedRelativelyIsFoundFromTheCallersFolderNotTheChildsFolder) {
    kv::test::TempFolder dir;
    dir.Write("Tools/Quabrel", "#!/bin/sh\npwd > ran-in.txt\n");
    dir.Write("work/keep", "");
    ASSERT_EQ(::chmod((dir / "Tools/Quabrel").c_str(), 0755), 0);
    dir.Write("Quabrel", "#!/bin/sh\nexit 4\n");
    ASSERT_EQ(::chmod((dir / "Quabrel").c_str(), 0755), 0);
    dir.MakeCurrent();
    auto system = MakeSystemProcessService();
    const std::string work = dir / "work";
    struct Case {
        const char* program;
        int exitCode;
    };
    const Case cases[] = {{"tools/quabrel", 0}, {"./Tools/Quabrel", 0}, {"quabrel", 4}};
    for (const Case& c : cases) {
        ProcessResult r = system->RunAndWait(c.program, {}, work);
        EXPECT_TRUE(r.started) << c.program << ": " << r.error;
        EXPECT_EQ(r.exitCode, c.exitCode) << c.program;
    }
    EXPECT_EQ(dir.Read("work/ran-in.txt"), work + "\n");
}

TEST(Services, OpeningADocumentDoesNotWaitForTheViewer) {
    kv::test::TempFolder dir;
    // A stand-in opener that stays until the test lets it go (or gives up after
    // about five seconds, so a blocked caller shows as a failure, not a hang).
    dir.Write("bin/xdg-open",
              "#!/bin/sh\n"
              "d=$(dirname \"$0\")/..\n"
              "i=0\n"
              "while [ ! -f \"$d/go\" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i+1)); done\n"
              "if [ -f \"$d/go\" ]; then echo \"$1\" > \"$d/opened\"; else echo waited > \"$d/gave-up\"; fi\n");
    ASSERT_EQ(::chmod((dir / "bin/xdg-open").c_str(), 0755), 0);
    dir.Write("BaoBiao.doc", "report");
    const std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
    kv::test::EnvGuard path("PATH", dir.path() + "bin:" + oldPath);

    auto system = MakeSystemProcessService();
    std::string error;
    EXPECT_TRUE(system->OpenDocument(dir / "baobiao.DOC", error)) << error;
    EXPECT_EQ(dir.Read("gave-up"), "") << "the caller waited for the viewer";
    dir.Write("go", "");
    for (int i = 0; i < 200 && dir.Read("opened").empty(); ++i) ::usleep(25000);
    EXPECT_EQ(dir.Read("opened"), dir / "BaoBiao.doc\n");

    path.Set(dir.path() + "nothing-here");
    EXPECT_FALSE(system->OpenDocument(dir / "BaoBiao.doc", error));
    // The message says, in the program's language, what to install.
    EXPECT_NE(error.find("请安装 xdg-utils"), std::string::npos) << error;
}

TEST(Services, AProgramThatCannotRunIsRefusedBeforeStartWithTheReason) {
    kv::test::TempFolder dir;
    dir.Write("Tools/Yarvek", "#!/bin/sh\nexit 0\n");
    ASSERT_EQ(::chmod((dir / "Tools/Yarvek").c_str(), 0755), 0);
    dir.Write("Tools/Plain", "#!/bin/sh\nexit 0\n");  // not executable
    struct Case {
        std::string program, folder, reason;  // empty reason: it may start
    };
    const Case cases[] = {
        {dir / "tools/yarvek", "", ""},
        {dir / "Tools/Yarvek", dir / "nowhere", "文件夹 " + dir / "nowhere" + " 不存在"},
        {dir / "Tools/Missing", "", "程序文件不存在"},
        {dir / "Tools", "", "程序文件不存在"},
        {dir / "Tools/Plain", "", "程序文件没有执行权限"},
        {"sh", "", ""},
        {"kv-no-such-program", "", "程序文件不存在"},
    };
    for (const Case& c : cases) {
        Launch launch;
        std::string error;
        EXPECT_EQ(PrepareLaunch(c.program, c.folder, launch, error), c.reason.empty()) << c.program;
        EXPECT_EQ(error, c.reason) << c.program;
    }
    // The system service gives the same reasons.
    ProcessResult r = MakeSystemProcessService()->RunAndWait(dir / "Tools/Plain", {}, "");
    EXPECT_FALSE(r.started);
    EXPECT_EQ(r.error, "程序文件没有执行权限");
}

TEST(Services, AnOutsideProgramThatFailsIsReportedInAMessage) {
    auto scripted = std::make_unique<ScriptedMessageService>();
    ScriptedMessageService* messages = scripted.get();
    auto oldMessages = InstallMessageService(std::move(scripted));
    auto recording = std::make_unique<RecordingProcessService>();
    RecordingProcessService* processes = recording.get();
    auto oldProcesses = InstallProcessService(std::move(recording));
    struct Case {
        ProcessResult result;
        const char* message;  // nullptr: none
    };
    const Case cases[] = {
        {{true, 0, ""}, nullptr},
        {{false, -1, "程序文件不存在"}, "载荷程序 /opt/Tarn 不能启动: 程序文件不存在。"},
        {{true, -1, "被信号 9 终止"}, "载荷程序 /opt/Tarn 异常结束: 被信号 9 终止。"},
        {{true, 3, ""}, "载荷程序 /opt/Tarn 没有正常结束: 返回代码 3。"},
    };
    for (const Case& c : cases) {
        processes->result = c.result;
        std::size_t before = messages->shown().size();
        EXPECT_EQ(RunOutsideProgram("载荷程序", "/opt/Tarn", {"a"}, "/work/"), c.message == nullptr);
        ASSERT_EQ(messages->shown().size(), before + (c.message ? 1 : 0));
        if (c.message) {
            EXPECT_EQ(messages->shown().back().text, c.message);
            EXPECT_EQ(messages->shown().back().type & MB_ICON_MASK, MB_ICONERROR);
        }
    }
    ASSERT_EQ(processes->runs.size(), 4u);
    EXPECT_EQ(processes->runs[0].workFolder, "/work/");
    InstallProcessService(std::move(oldProcesses));
    InstallMessageService(std::move(oldMessages));
}
