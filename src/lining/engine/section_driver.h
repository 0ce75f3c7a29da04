#pragma once
// The elastic-resistance iteration that every closed or open lining section
// runs on its computed part: integrate the parts under the assumed resistance,
// chain them, solve the six end conditions, propagate, check where the rock
// really resists, and repeat until the assumption holds.
#include <cstdio>
#include <functional>
#include <vector>

class CJieMianBase;

namespace kv::lining {

// One part of the chain. `integrate` fills the part's n transfer matrices (36
// doubles each) and load vectors (6 each) from its n + 1 node flags and n
// midpoint flags, as the part integrators of the base do; nonzero stops the run.
struct DriverPart {
    std::function<int(const int* nodeFlags, const int* midFlags, double* H, double* P, std::FILE* log)> integrate;
    double length = 0;  // element length, m
};

struct DriverSetup {
    std::vector<DriverPart> parts;
    std::vector<double> joints;  // rotation between part p and p + 1, radians
    double startRows[18] = {};   // three conditions at the chain's start (3×6)
    double endRows[18] = {};     // three conditions at its end
    // The number in the log's trial header: the trial's count (i + 1), its
    // index (i), or no header at all.
    enum Header { kTrialCount, kTrialIndex, kNoHeader } header = kTrialCount;
    // One trial more than the maximum (the loop runs while i <= maximum).
    bool extraTrial = false;
};

struct DriverResult {
    int status = 0;         // nonzero status of the part integrator that failed
    int failedPart = -1;    // which part it was
    int trials = 0;         // trials completed
    int consistent = 1;     // no resistance flag changed in the last trial
    float difference = 0;   // largest normal-displacement change of the last trial, m
    std::vector<double> nodes;  // parts·(n + 1) node states N, Q, M, u, v, φ (m, rad)
};

// T = the chain's transfer matrix: element matrices part after part, the joint
// rotations between the parts. `H` holds parts·n matrices.
void ChainDm(int n, const DriverSetup& setup, const double* H, double* T);
// F = the end state that the loads alone produce; `P` holds parts·n load vectors.
void ChainFm(int n, const DriverSetup& setup, const double* H, const double* P, double* F);
// All node states from the start state X0; u, v and φ are divided by E·1000.
void Propagate(int n, const DriverSetup& setup, const double* X0, const double* H, const double* P, float E,
               double* nodes);

// The iteration of `section` with n elements per part. The progress line and,
// with a log, each trial's header and the checks' tables are written.
DriverResult RunSectionDriver(CJieMianBase& section, int n, const DriverSetup& setup, std::FILE* log);

}  // namespace kv::lining
