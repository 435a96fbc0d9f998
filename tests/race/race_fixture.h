// A data root with a race file and the logs its boats name, for parser tests.
#pragma once

#include <string>
#include <vector>

#include "race/race_file.h"
#include "support/temp_tree.h"

namespace korvane::testing {

class RaceFixture {
  public:
    // Creates empty logs so that BN lines naming them count as boats.
    void logs(const std::vector<std::string>& names) {
        for (const auto& n : names) tree.write("gpsdat/" + n, "");
    }
    RaceFileResult parse(const std::string& text, const std::string& name = "race.txt") {
        const auto path = tree.write("raceadmin/" + name, text);
        RaceFileOptions options;
        options.fileExists = filesBelow(tree.root());
        options.raceOpenedBefore = openedBefore;
        return parseRaceFile(path, model, options);
    }

    TempTree tree;
    RaceModel model;
    bool openedBefore = false;
};

}  // namespace korvane::testing
