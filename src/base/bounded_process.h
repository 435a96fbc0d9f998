// Runs an outside program (no shell) and collects what it writes, within a
// time and a size limit: a program that hangs or writes without end is
// killed, with everything it started, and so is one whose caller no longer
// wants it. Any thread may call it.
#pragma once

#include <chrono>
#include <cstddef>
#include <stop_token>
#include <string>
#include <vector>

namespace korvane {

struct ProcessLimits {
    std::chrono::milliseconds time{60'000};
    std::size_t outputBytes = std::size_t{256} << 20;
};

struct ProcessResult {
    enum class Outcome {
        Finished,        // exited on its own; see exitStatus
        NotFound,        // no such program on the PATH
        NotStarted,      // could not be started for another reason
        TimedOut,        // killed at the time limit
        OutputTooLarge,  // killed when its output passed the size limit
        Crashed,         // ended by a signal it did not get from us
        Cancelled,       // killed (or never started) on the caller's stop request
    };
    Outcome outcome = Outcome::NotStarted;
    int exitStatus = -1;
    std::string output;  // standard output
    std::string errors;  // the first few kB of standard error
};

// argv[0] is looked up on the PATH. Standard input is /dev/null. A stop
// requested through `stop` kills the program at once.
ProcessResult runBoundedProcess(const std::vector<std::string>& argv, const ProcessLimits& limits,
                                std::stop_token stop = {});

}  // namespace korvane
