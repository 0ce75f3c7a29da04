#include "platform/paths.h"
#include "platform/ui/progresswindow.h"
#include "platform/ui/qtservices.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>

namespace kv::platform {
namespace {

// Outside programs run while the event loop goes on: the windows repaint and
// timers fire, and the modal "正在运行…" window keeps the user from starting
// another command until the program ends.
class QtProcessService : public ProcessService {
public:
    ProcessResult RunAndWait(const std::string& program, const std::vector<std::string>& args,
                             const std::string& workFolder) override {
        ProcessResult result;
        Launch launch;
        if (!PrepareLaunch(program, workFolder, launch, result.error)) return result;

        QProcess process;
        process.setProgram(QString::fromStdString(launch.exe));
        QStringList arguments;
        for (const std::string& a : args) arguments << QString::fromStdString(a);
        process.setArguments(arguments);
        if (!launch.folder.empty()) process.setWorkingDirectory(QString::fromStdString(launch.folder));
        // As a program started from a terminal: its output goes where ours goes.
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.setInputChannelMode(QProcess::ForwardedInputChannel);

        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
        process.start();
        if (!process.waitForStarted(-1)) {
            result.error = "不能启动 (" + process.errorString().toStdString() + ")";
            return result;
        }
        result.started = true;

        ProgressWindow window(QStringLiteral("正在运行…"), QApplication::activeWindow());
        window.SetDetail(QString::fromStdString(NameOf(launch.exe)));
        window.Begin();
        while (process.state() != QProcess::NotRunning) loop.exec();

        if (process.exitStatus() == QProcess::CrashExit)
            result.error = "程序被终止";
        else
            result.exitCode = process.exitCode();
        return result;
    }

    bool OpenDocument(const std::string& path, std::string& error) override {
        // The opener is started in the background and returns at once.
        return system_->OpenDocument(path, error);
    }

private:
    std::unique_ptr<ProcessService> system_ = MakeSystemProcessService();
};

}  // namespace

std::unique_ptr<ProcessService> MakeQtProcessService() { return std::make_unique<QtProcessService>(); }

}  // namespace kv::platform
