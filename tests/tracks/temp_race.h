// A throw-away data root for import tests: a gpsdat/ folder in a fresh
// temporary directory, removed again when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "log_builders.h"
#include "race/model.h"

namespace korvane::testlogs {

class TempRoot {
  public:
    TempRoot() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("korvane-tracks-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_ / "gpsdat");
        std::filesystem::create_directories(path_ / "raceadmin");
    }
    ~TempRoot() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::filesystem::path& path() const { return path_; }

    void write(const std::string& relative, const std::string& bytes) const {
        std::ofstream out(path_ / relative, std::ios::binary);
        out << bytes;
    }
    void log(const std::string& name, const std::string& bytes) const {
        write("gpsdat/" + name, bytes);
    }

  private:
    std::filesystem::path path_;
};

// A race starting at kStartUnix (UTC, time zone 0) with five minutes of
// pre-start and the timeline ending at 5430 s.
inline RaceModel raceModel() {
    RaceModel m;
    Race& r = m.race;
    r.startUtc = kUnixEpochTimestamp + static_cast<double>(kStartUnix) / kSecondsPerDay;
    r.start = r.startUtc;
    r.finishUtc = r.startUtc + 5400 / kSecondsPerDay;
    r.finish = r.finishUtc;
    r.date = std::floor(r.start);
    r.preStartSeconds = 300;
    r.timelineBegin = -310;
    r.timelineEnd = 5430;
    r.timelineLength = 5740;
    return m;
}

inline Boat boat(const std::string& logFile, const std::string& name, double tcf = 0) {
    Boat b;
    b.logFile = logFile;
    b.name = name;
    b.tcf = tcf;
    return b;
}

}  // namespace korvane::testlogs
