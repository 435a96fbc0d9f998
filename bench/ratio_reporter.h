// The console reporter that also keeps each benchmark's real time, so that a
// benchmark's main() can print the ratio to its reference after the run.
// With --benchmark_repetitions it keeps the median, which one slow run on a
// busy machine does not move.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace korvane::bench {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // By function name, or with the arguments too ("BM_Frame/1") when a
    // benchmark's variants are compared with each other.
    enum class Key { Function, FullName };
    explicit RatioReporter(Key key = Key::Function) : key_(key) {}

    std::map<std::string, double> seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // The stddev and cv rows share the run's name; they are no times.
            if (run.iterations <= 0) continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            const std::string name =
                key_ == Key::FullName ? run.run_name.str() : run.run_name.function_name;
            seconds[name] = run.real_accumulated_time / static_cast<double>(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }

  private:
    Key key_;
};

}  // namespace korvane::bench
