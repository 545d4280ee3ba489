#pragma once
// What the paced online-run benchmarks share: the simulated "E" gauge sending values as fast as 38400 baud
// carries them, and the comparison of a run's wall time with the line time of its bytes.
#include "SimulatedGauge.h"

#include <benchmark/benchmark.h>

namespace pacedrun {

constexpr int kValues = 5000;

// False (and the benchmark marked as failed) when the simulator does not start.
inline bool startGauge(SimulatedGauge& sim, benchmark::State& state)
{
    if (sim.start({QStringLiteral("--model"), QStringLiteral("RD"), QStringLiteral("--com"), QStringLiteral("7"),
                   QStringLiteral("--online"), QStringLiteral("--interval"), QStringLiteral("1")}))
        return true;
    state.SkipWithError(qPrintable(sim.error()));
    return false;
}

// Timed from the first value on, so the line time of the remaining values is known: 25 characters and CR LF, 27
// bytes of 10 bits each per value.
inline void report(benchmark::State& state, double wallSeconds)
{
    const double line = double(kValues - 1) * 27 * 10 / 38400.0;
    state.SetIterationTime(wallSeconds);
    state.counters["line_s"] = line;
    state.counters["ratio"] = wallSeconds / line;
}

} // namespace pacedrun
