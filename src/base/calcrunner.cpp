#include "base/calcrunner.h"

#include <atomic>

namespace kv::calc {
namespace {

class InlineRunner : public Runner {
public:
    void Run(const std::string&, const std::function<void()>& calculation) override { calculation(); }
};

std::unique_ptr<Runner>& Slot() {
    static std::unique_ptr<Runner> slot = std::make_unique<InlineRunner>();
    return slot;
}

std::atomic<bool> g_running{false};
// Set on the thread that works the running calculation.
thread_local bool t_inCalculation = false;

struct Flag {
    bool& flag;
    bool old;
    explicit Flag(bool& f) : flag(f), old(f) { flag = true; }
    ~Flag() { flag = old; }
};

}  // namespace

bool Run(const std::string& title, const std::function<void()>& calculation) {
    if (t_inCalculation) {
        calculation();
        return true;
    }
    if (g_running.exchange(true)) return false;
    struct EndRun {
        ~EndRun() { g_running = false; }
    } endRun;
    CurrentRunner().Run(title, [&calculation] {
        Flag inCalculation(t_inCalculation);
        calculation();
    });
    return true;
}

bool Running() { return g_running; }

void ReportProgress(int done, int total) {
    if (t_inCalculation) CurrentRunner().Progress(done, total);
}

Runner& CurrentRunner() { return *Slot(); }

std::unique_ptr<Runner> InstallRunner(std::unique_ptr<Runner> runner) {
    if (!runner) runner = std::make_unique<InlineRunner>();
    std::swap(Slot(), runner);
    return runner;
}

}  // namespace kv::calc
