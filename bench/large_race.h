// The 81-boat benchmark race, opened from the folder given as the first
// argument (default build/release/large-race), or a line saying how to make
// it when it is not there. Says how large the fleet is.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

#include "session/race_session.h"

namespace korvane::bench {

inline std::shared_ptr<const RaceSession> openLargeRace(int argc, char** argv,
                                                        const char* benchName) {
    namespace fs = std::filesystem;
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::path("build/release/large-race");
    if (!fs::is_directory(root / "raceadmin")) {
        std::fprintf(stderr,
                     "%s: no race in %s; write it with\n"
                     "  python3 tools/samplegen/samplegen.py --large %s\n",
                     benchName, root.c_str(), root.c_str());
        return nullptr;
    }
    OpenRequest request;
    request.dataRoot = root;
    request.raceFile = "large-trb.txt";
    auto session = openRace(request);
    std::size_t fixes = 0;
    for (const Boat& b : session->model.boats) fixes += b.track.size();
    std::printf("%d boats, %zu fixes\n", session->model.boatCount(), fixes);
    return session;
}

}  // namespace korvane::bench
