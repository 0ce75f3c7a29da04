#include "widgets/ui/calcrunner.h"

#include "base/error.h"
#include "platform/services.h"
#include "platform/ui/progresswindow.h"
#include "support/qt_app.h"
#include "widgets/ui/messagewnd.h"

#include <QApplication>
#include <QScreen>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

using namespace std::chrono_literals;

// The scripted answers, and where and how the program stood when each question came.
class WatchingMessages : public kv::platform::ScriptedMessageService {
public:
    struct Moment {
        bool onWindowThread = false;
        QString title, detail;
        int value = -1, maximum = -1;
        int messageLines = -1;
    };
    int Show(const std::string& text, const std::string& caption, unsigned type) override {
        Moment m;
        m.onWindowThread = QThread::currentThread() == qApp->thread();
        if (auto* w = qobject_cast<kv::platform::ProgressWindow*>(QApplication::activeModalWidget())) {
            m.title = w->findChild<QLabel*>("text")->text();
            m.detail = w->findChild<QLabel*>("detail")->text();
            m.value = w->findChild<QProgressBar*>("progress")->value();
            m.maximum = w->findChild<QProgressBar*>("progress")->maximum();
        }
        if (window) m.messageLines = window->List()->count();
        moments.push_back(m);
        return ScriptedMessageService::Show(text, caption, type);
    }
    CMessageWnd* window = nullptr;
    std::vector<Moment> moments;
};

class QtRunner : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        oldRunner = kv::calc::InstallRunner(MakeQtCalculationRunner());
        auto m = std::make_unique<WatchingMessages>();
        messages = m.get();
        oldMessages = kv::platform::InstallMessageService(std::move(m));
        owner = std::make_unique<QWidget>();
        window = InstallMessageWindow(owner.get());
        messages->window = window;
    }
    void TearDown() override {
        owner.reset();  // takes the message window with it
        kv::platform::InstallMessageService(std::move(oldMessages));
        kv::calc::InstallRunner(std::move(oldRunner));
    }
    QStringList Lines() const {
        QStringList out;
        for (int i = 0; i < window->List()->count(); ++i) out << window->List()->item(i)->text();
        return out;
    }
    // Waits on the calculation's thread until `flag` is set (or gives up after
    // ten seconds, so a stuck window shows as a failure, not a hang).
    static bool WaitFor(const std::atomic<bool>& flag) {
        for (int i = 0; i < 1000 && !flag; ++i) std::this_thread::sleep_for(10ms);
        return flag;
    }

    std::unique_ptr<QWidget> owner;
    CMessageWnd* window = nullptr;
    WatchingMessages* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;
    std::unique_ptr<kv::calc::Runner> oldRunner;
};

TEST_F(QtRunner, TheCalculationWorksBesideTheWindowAndAsksItsQuestionThere) {
    std::atomic<bool> timerFired{false};
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { timerFired = true; });
    timer.start(20);
    messages->Answer(kv::IDNO);

    bool onOwnThread = false, served = false;
    int answer = 0;
    EXPECT_TRUE(kv::calc::Run("顶板 1", [&] {
        onOwnThread = QThread::currentThread() != qApp->thread();
        tell_error(kv::err::kClearWindow, "");
        for (int i = 1; i <= 4; ++i) {
            tell_error1(kv::err::kProgress, "第%d次迭代\n", i);
            kv::calc::ReportProgress(i, 4);
        }
        served = WaitFor(timerFired);
        answer = kv::MessageBox("是否继续计算?", kv::MB_YESNO | kv::MB_ICONQUESTION);
        tell_error(kv::err::kWarning, answer == kv::IDNO ? "计算已停止" : "继续计算");
        tell_error(kv::err::kNotice, "计算结束");
    }));
    EXPECT_TRUE(onOwnThread);
    EXPECT_TRUE(served) << "no timer fired while the calculation ran";
    EXPECT_EQ(answer, kv::IDNO);
    ASSERT_EQ(messages->moments.size(), 1u);
    const WatchingMessages::Moment& asked = messages->moments[0];
    EXPECT_TRUE(asked.onWindowThread);
    EXPECT_EQ(asked.title.toStdString(), "正在计算 顶板 1…");
    EXPECT_EQ(asked.detail.toStdString(), "第4次迭代");
    EXPECT_EQ(asked.value, 4);
    EXPECT_EQ(asked.maximum, 4);
    EXPECT_EQ(asked.messageLines, 4);  // the lines sent before the question came first
    EXPECT_EQ(Lines(), (QStringList{"第1次迭代", "第2次迭代", "第3次迭代", "第4次迭代", "计算已停止", "计算结束"}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The channel and the services are the window's own again.
    tell_error(kv::err::kNotice, "之后");
    EXPECT_EQ(Lines().back().toStdString(), "之后");
    EXPECT_EQ(&kv::platform::Messages(), messages);
}

TEST_F(QtRunner, OutsideProgramsAndFileDialogsOfACalculationRunOnTheWindowsThread) {
    class ThreadRecordingProcesses : public kv::platform::RecordingProcessService {
    public:
        kv::platform::ProcessResult RunAndWait(const std::string& program, const std::vector<std::string>& args,
                                               const std::string& workFolder) override {
            onWindowThread = QThread::currentThread() == qApp->thread();
            return RecordingProcessService::RunAndWait(program, args, workFolder);
        }
        bool onWindowThread = false;
    };
    class ThreadRecordingDialogs : public kv::platform::ScriptedFileDialogService {
    public:
        std::optional<std::string> GetOpenFileName(const kv::platform::FileDialogRequest& request) override {
            onWindowThread = QThread::currentThread() == qApp->thread();
            return ScriptedFileDialogService::GetOpenFileName(request);
        }
        bool onWindowThread = false;
    };
    auto p = std::make_unique<ThreadRecordingProcesses>();
    ThreadRecordingProcesses* processes = p.get();
    processes->result = {true, 5, ""};
    auto oldProcesses = kv::platform::InstallProcessService(std::move(p));
    auto d = std::make_unique<ThreadRecordingDialogs>();
    ThreadRecordingDialogs* dialogs = d.get();
    dialogs->Answer("/work/a.LB");
    auto oldDialogs = kv::platform::InstallFileDialogService(std::move(d));

    int exitCode = 0;
    std::optional<std::string> chosen;
    EXPECT_TRUE(kv::calc::Run("荷载", [&] {
        exitCode = kv::platform::Processes().RunAndWait("/opt/Tarn", {"x"}, "/work/").exitCode;
        chosen = kv::platform::FileDialogs().GetOpenFileName({"打开", "", "", ""});
    }));
    EXPECT_EQ(exitCode, 5);
    EXPECT_TRUE(processes->onWindowThread);
    ASSERT_EQ(processes->runs.size(), 1u);
    EXPECT_EQ(processes->runs[0].args, std::vector<std::string>{"x"});
    EXPECT_EQ(chosen, "/work/a.LB");
    EXPECT_TRUE(dialogs->onWindowThread);
    EXPECT_EQ(&kv::platform::Processes(), processes);
    EXPECT_EQ(&kv::platform::FileDialogs(), dialogs);
    kv::platform::InstallFileDialogService(std::move(oldDialogs));
    kv::platform::InstallProcessService(std::move(oldProcesses));
}

TEST_F(QtRunner, NothingElseRunsMeanwhileAndAFailureComesOutOfTheRun) {
    std::atomic<bool> tried{false};
    bool refused = false, runningSeen = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (tried) return;
        runningSeen = kv::calc::Running();
        refused = !kv::calc::Run("another", [] { ADD_FAILURE() << "a second calculation ran"; });
        tried = true;
    });
    timer.start(10);
    EXPECT_THROW((void)kv::calc::Run("壳", [&] {
                     WaitFor(tried);
                     tell_error(kv::err::kDataError, "数据错误");
                     throw std::runtime_error("stop");
                 }),
                 std::runtime_error);
    timer.stop();
    EXPECT_TRUE(tried);
    EXPECT_TRUE(runningSeen);
    EXPECT_TRUE(refused);
    EXPECT_FALSE(kv::calc::Running());
    EXPECT_EQ(Lines(), QStringList{"数据错误"});
    EXPECT_EQ(JS_ERROR_CODE, kv::err::kDataError);
    JS_ERROR_CODE = 0;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Stacking is only real on a display server: run under Xvfb with QT_QPA_PLATFORM=xcb.
TEST_F(QtRunner, AWarningThatBringsUpTheMessageWindowLeavesTheProgressWindowOnTop) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs a display server";
    window->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    std::atomic<bool> looked{false};
    bool progressOnTop = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* progress = qobject_cast<kv::platform::ProgressWindow*>(QApplication::activeModalWidget());
        if (looked || !progress || !window->isVisible()) return;
        QPoint centre = progress->geometry().center();
        progressOnTop = QApplication::topLevelAt(centre) == progress;
        looked = true;
    });
    timer.start(50);
    EXPECT_TRUE(kv::calc::Run("外墙 1", [&] {
        tell_error(kv::err::kWarning, "配筋率偏大");
        WaitFor(looked);
    }));
    EXPECT_TRUE(looked);
    EXPECT_TRUE(progressOnTop) << "the message window covers the progress window";
}

}  // namespace
