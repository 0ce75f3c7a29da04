#pragma once
// Long calculations (finite elements, frames, linings) run through one runner.
// The program's runner works the calculation on a thread of its own while a
// modal progress window keeps the program painted; the built-in one (until the
// program installs its own, and in headless tests) runs it on the spot. Either
// way the calculation sees the same program: its messages, questions and outside
// programs behave as they would on the window's thread, the message channel's
// lines arrive in order, and nothing else runs until it ends, so the work
// folder, the current folder and the code edition it reads stay as they were
// when it started.
#include <functional>
#include <memory>
#include <string>

namespace kv::calc {

class Runner {
public:
    virtual ~Runner() = default;
    // Runs `calculation` to its end; `title` says what runs ("顶板 1"). An
    // exception the calculation lets out comes out here.
    virtual void Run(const std::string& title, const std::function<void()>& calculation) = 0;
    // How far the running calculation has come; called on its thread.
    virtual void Progress(int /*done*/, int /*total*/) {}
};

// Runs `calculation` through the installed runner. A calculation that starts
// another runs it on the spot, inside its own run. False, with nothing run, when
// something else asks while a run is going.
[[nodiscard]] bool Run(const std::string& title, const std::function<void()>& calculation);

// True while a run is going: the window's commands wait for it to end.
bool Running();

// A calculation that knows how far it has come reports `done` of `total` steps
// (a solver's blocks, a driver's passes); the progress window shows it. Does
// nothing outside a run.
void ReportProgress(int done, int total);

Runner& CurrentRunner();
// Installs a runner; returns the one it replaces so a test can put it back. Not
// while a run is going.
std::unique_ptr<Runner> InstallRunner(std::unique_ptr<Runner> runner);

}  // namespace kv::calc
