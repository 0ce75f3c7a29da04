#include "widgets/ui/calcrunner.h"

#include "base/error.h"
#include "platform/services.h"
#include "platform/ui/progresswindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>

#include <exception>
#include <mutex>
#include <thread>

namespace {

// Runs `ask` on the window's thread and waits for its answer. Events the
// calculation posted before (its message lines) are handled first.
template <class Ask>
auto OnWindowThread(Ask ask) -> decltype(ask()) {
    if (QThread::currentThread() == qApp->thread()) return ask();
    decltype(ask()) answer{};
    QMetaObject::invokeMethod(qApp, [&] { answer = ask(); }, Qt::BlockingQueuedConnection);
    return answer;
}

// Stand between the calculation and the installed services for the length of a
// run; each swaps itself in and puts the service back when it goes.
class MessageRelay : public kv::platform::MessageService {
public:
    MessageRelay() = default;
    int Show(const std::string& text, const std::string& caption, unsigned type) override {
        return OnWindowThread([&] { return inner->Show(text, caption, type); });
    }
    std::unique_ptr<kv::platform::MessageService> inner;
};

class FileDialogRelay : public kv::platform::FileDialogService {
public:
    std::optional<std::string> GetOpenFileName(const kv::platform::FileDialogRequest& request) override {
        return OnWindowThread([&] { return inner->GetOpenFileName(request); });
    }
    std::optional<std::string> GetSaveFileName(const kv::platform::FileDialogRequest& request) override {
        return OnWindowThread([&] { return inner->GetSaveFileName(request); });
    }
    std::unique_ptr<kv::platform::FileDialogService> inner;
};

class ProcessRelay : public kv::platform::ProcessService {
public:
    kv::platform::ProcessResult RunAndWait(const std::string& program, const std::vector<std::string>& args,
                                           const std::string& workFolder) override {
        return OnWindowThread([&] { return inner->RunAndWait(program, args, workFolder); });
    }
    bool OpenDocument(const std::string& path, std::string& error) override {
        return OnWindowThread([&] { return inner->OpenDocument(path, error); });
    }
    std::unique_ptr<kv::platform::ProcessService> inner;
};

class ServiceRelays {
public:
    ServiceRelays() {
        auto messages = std::make_unique<MessageRelay>();
        MessageRelay& m = *messages;
        m.inner = kv::platform::InstallMessageService(std::move(messages));
        auto dialogs = std::make_unique<FileDialogRelay>();
        FileDialogRelay& d = *dialogs;
        d.inner = kv::platform::InstallFileDialogService(std::move(dialogs));
        auto processes = std::make_unique<ProcessRelay>();
        ProcessRelay& p = *processes;
        p.inner = kv::platform::InstallProcessService(std::move(processes));
        m_messages = &m;
        m_dialogs = &d;
        m_processes = &p;
    }
    ~ServiceRelays() {
        kv::platform::InstallProcessService(std::move(m_processes->inner));
        kv::platform::InstallFileDialogService(std::move(m_dialogs->inner));
        kv::platform::InstallMessageService(std::move(m_messages->inner));
    }
    ServiceRelays(const ServiceRelays&) = delete;
    ServiceRelays& operator=(const ServiceRelays&) = delete;

private:
    MessageRelay* m_messages;
    FileDialogRelay* m_dialogs;
    ProcessRelay* m_processes;
};

class QtCalculationRunner : public kv::calc::Runner {
public:
    void Run(const std::string& title, const std::function<void()>& calculation) override {
        QString heading = title.empty() ? QStringLiteral("正在计算…")
                                     : QStringLiteral("正在计算 %1…").arg(QString::fromStdString(title));
        kv::platform::ProgressWindow window(heading, QApplication::activeWindow());
        ServiceRelays relays;
        // The channel's lines go to the window's thread as posted events, so they
        // keep their order among themselves and with the questions in between.
        kv::err::Sink old = kv::err::SetSink(nullptr);
        kv::err::Sink deliver = old ? old : kv::err::Sink(kv::err::KeepLine);
        kv::err::SetSink([&window, deliver](int code, const std::string& text) {
            QMetaObject::invokeMethod(
                &window,
                [&window, deliver, code, text] {
                    if (code == kv::err::kProgress) window.SetDetail(QString::fromStdString(text));
                    deliver(code, text);
                    // A notice or a problem brings the message window up; the
                    // progress window must stay in sight above it.
                    if (code != kv::err::kProgress) window.raise();
                },
                Qt::QueuedConnection);
        });
        {
            std::lock_guard lock(m_mutex);
            m_window = &window;
            m_progressPosted = false;
        }

        QEventLoop loop;
        bool finished = false;
        std::exception_ptr failure;
        std::thread worker([&] {
            try {
                calculation();
            } catch (...) {
                failure = std::current_exception();
            }
            // Posted after every line of the run: they are all delivered before it ends.
            QMetaObject::invokeMethod(
                &window,
                [&] {
                    finished = true;
                    loop.quit();
                },
                Qt::QueuedConnection);
        });
        window.Begin();
        while (!finished) loop.exec();
        worker.join();

        {
            std::lock_guard lock(m_mutex);
            m_window = nullptr;
        }
        kv::err::SetSink(std::move(old));
        if (failure) std::rethrow_exception(failure);
    }

    void Progress(int done, int total) override {
        std::lock_guard lock(m_mutex);
        m_done = done;
        m_total = total;
        if (!m_window || m_progressPosted) return;
        // One update waits at a time; it shows the latest count when it comes.
        m_progressPosted = true;
        QMetaObject::invokeMethod(
            m_window,
            [this] {
                std::lock_guard lock(m_mutex);
                m_progressPosted = false;
                if (m_window) m_window->SetProgress(m_done, m_total);
            },
            Qt::QueuedConnection);
    }

private:
    std::mutex m_mutex;
    kv::platform::ProgressWindow* m_window = nullptr;  // while a run goes
    int m_done = 0, m_total = 0;
    bool m_progressPosted = false;
};

}  // namespace

std::unique_ptr<kv::calc::Runner> MakeQtCalculationRunner() { return std::make_unique<QtCalculationRunner>(); }

void InstallQtCalculationRunner() { kv::calc::InstallRunner(MakeQtCalculationRunner()); }
