// The console reporter that also keeps each benchmark's mean real time, so
// that a benchmark's main() can print the ratio to its reference after the run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace korvane::bench {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.iterations > 0)
                seconds[run.run_name.function_name] = run.real_accumulated_time / run.iterations;
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace korvane::bench
