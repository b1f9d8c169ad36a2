#pragma once

namespace gensounds {

// Simple filters whose cutoff may move every sample (sweeps, "wah").

struct OnePoleLowpass {
    double state = 0.0;
    double Process(double x, double cutoffHz);
};

// The state-variable filter in its trapezoidal form: stable however fast the
// cutoff moves, with low-, band- and high-pass taken from the same state.
struct StateVariableFilter {
    struct Outputs {
        double low;
        double band;
        double high;
    };

    double ic1 = 0.0;
    double ic2 = 0.0;
    Outputs Process(double x, double cutoffHz, double resonanceQ);
};

// Takes out any DC the synthesis left, so the fades at the ends land on silence.
struct DcBlocker {
    double previousIn = 0.0;
    double previousOut = 0.0;
    double Process(double x);
};

} // namespace gensounds
