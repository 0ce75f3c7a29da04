#include "base/calcrunner.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

namespace {

class RecordingRunner : public kv::calc::Runner {
public:
    void Run(const std::string& title, const std::function<void()>& calculation) override {
        titles.push_back(title);
        calculation();
    }
    void Progress(int done, int total) override { progress.emplace_back(done, total); }
    std::vector<std::string> titles;
    std::vector<std::pair<int, int>> progress;
};

class CalculationRunner : public ::testing::Test {
protected:
    void SetUp() override {
        auto r = std::make_unique<RecordingRunner>();
        runner = r.get();
        old = kv::calc::InstallRunner(std::move(r));
    }
    void TearDown() override { kv::calc::InstallRunner(std::move(old)); }
    RecordingRunner* runner = nullptr;
    std::unique_ptr<kv::calc::Runner> old;
};

TEST_F(CalculationRunner, ACalculationStartedInsideARunRunsOnTheSpotAndReportsToTheSameRun) {
    kv::calc::ReportProgress(1, 9);  // outside a run: nobody shows it
    bool inner = false, refusedElsewhere = false;
    EXPECT_TRUE(kv::calc::Run("刚架 1", [&] {
        EXPECT_TRUE(kv::calc::Running());
        kv::calc::ReportProgress(1, 4);
        EXPECT_TRUE(kv::calc::Run("内力", [&] {
            inner = true;
            kv::calc::ReportProgress(2, 4);
        }));
        // Another thread asking meanwhile is refused and runs nothing.
        std::thread other([&] { refusedElsewhere = !kv::calc::Run("other", [] { ADD_FAILURE() << "ran"; }); });
        other.join();
    }));
    EXPECT_TRUE(inner);
    EXPECT_TRUE(refusedElsewhere);
    EXPECT_EQ(runner->titles, std::vector<std::string>{"刚架 1"});
    EXPECT_EQ(runner->progress, (std::vector<std::pair<int, int>>{{1, 4}, {2, 4}}));
    EXPECT_FALSE(kv::calc::Running());
}

TEST_F(CalculationRunner, AnExceptionComesOutAndTheNextRunGoesAhead) {
    EXPECT_THROW((void)kv::calc::Run("a", [] { throw std::runtime_error("x"); }), std::runtime_error);
    EXPECT_FALSE(kv::calc::Running());
    bool ran = false;
    EXPECT_TRUE(kv::calc::Run("b", [&] { ran = true; }));
    EXPECT_TRUE(ran);
}

}  // namespace
