// The benchmark programs print their figures as ratios against a baseline of
// the same run, in CPU time (the machines are shared, so wall time varies
// with the load). RunBenchmarks prints every run as usual, keeps each one's
// CPU time per iteration and hands them to `summary` at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tarq::bench {

// Benchmark name -> nanoseconds of CPU time per iteration.
using CpuTimes = std::map<std::string, double>;

class CpuTimeReporter : public benchmark::ConsoleReporter {
public:
    explicit CpuTimeReporter(std::function<void(const CpuTimes&)> summary) : summary_(std::move(summary)) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                times_[run.benchmark_name()] = run.cpu_accumulated_time * 1e9 / static_cast<double>(run.iterations);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        summary_(times_);
    }

private:
    std::function<void(const CpuTimes&)> summary_;
    CpuTimes times_;
};

inline int RunBenchmarks(int argc, char** argv, std::function<void(const CpuTimes&)> summary) {
    benchmark::Initialize(&argc, argv);
    CpuTimeReporter reporter(std::move(summary));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace tarq::bench
