// The plane-frame analysis at the rigid frame's largest: 25 nodes (a frame of four
// bays and four storeys on five fixed bases), every beam loaded, and the same frame
// with every roof member an arc, cut into 8, 32 and 64 chords. The dense solver
// grows with the cube of the chord nodes: this shows how far arcs take it.
#include <benchmark/benchmark.h>

#include <utility>

#include "frame/frame_solver.h"

namespace {

using namespace kv::frame;

FrameModel LargestFrame(bool arcRoof) {
    FrameModel m;
    for (int storey = 0; storey <= 4; ++storey)
        for (int line = 0; line <= 4; ++line) m.nodes.push_back({6.0 * line, 4.0 * storey});
    auto member = [&](int a, int b) {
        FrameMember f;
        f.start = a;
        f.end = b;
        f.E = 3.0e7;
        f.A = 0.18;
        f.I = 0.0054;
        m.members.push_back(f);
        return static_cast<int>(m.members.size()) - 1;
    };
    for (int storey = 1; storey <= 4; ++storey) {
        for (int line = 0; line <= 4; ++line) member(5 * (storey - 1) + line, 5 * storey + line);
        for (int line = 0; line < 4; ++line) {
            int g = member(5 * storey + line, 5 * storey + line + 1);
            if (arcRoof && storey == 4) {
                // The arc from the right node back over the bay to the left one.
                std::swap(m.members[g].start, m.members[g].end);
                m.members[g].arc = true;
                m.members[g].cx = 6.0 * line + 3;
                m.members[g].cy = 16.0;
            }
            FrameMemberLoad q;
            q.member = g;
            q.value[0] = 20;
            m.memberLoads.push_back(q);
        }
    }
    for (int line = 0; line <= 4; ++line) m.supports.push_back({line, 3, 0, 0});
    FrameNodeLoad wind;
    wind.node = 20;
    wind.value[0] = 50;
    m.nodeLoads.push_back(wind);
    return m;
}

void BM_FrameSolve(benchmark::State& state) {
    FrameModel model = LargestFrame(state.range(0) > 0);
    SolveOptions options;
    options.arcChords = static_cast<int>(state.range(0));
    for (auto _ : state) {
        FrameResult result;
        benchmark::DoNotOptimize(SolveFrame(model, options, result));
    }
}
BENCHMARK(BM_FrameSolve)->Arg(0)->Arg(8)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace
