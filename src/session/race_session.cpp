#include "session/race_session.h"

#include "base/paths.h"
#include "race/race_file_error.h"
#include "race/wind_file.h"
#include "view/colours.h"
#include "tracks/course_speed.h"

namespace korvane {

namespace fs = std::filesystem;

fs::path resolveRaceFile(const fs::path& dataRoot, const fs::path& race) {
    std::error_code ec;
    if (race.has_parent_path() && fs::exists(race, ec)) return race;
    if (const auto found = resolveCaseInsensitive(dataRoot / "raceadmin", race.string()))
        return *found;
    if (fs::exists(race, ec)) return race;
    return dataRoot / "raceadmin" / race;
}

std::unique_ptr<RaceSession> openRace(const OpenRequest& request, const RaceModel* previous,
                                      const ProgressCallback& progress) {
    auto session = std::make_unique<RaceSession>();
    session->dataRoot = request.dataRoot;
    session->raceFilePath = resolveRaceFile(request.dataRoot, request.raceFile);
    session->raceBaseName = session->raceFilePath.filename().string().substr(0, 50);
    session->editMode = request.editMode;
    if (previous) session->model.race = previous->race;

    auto report = [&](int step, std::string text) {
        if (progress) progress(OpenProgress{step, 1, std::move(text)});
    };
    report(0, "READING  " + session->raceBaseName);

    RaceFileOptions options;
    options.dataRoot = request.dataRoot;
    options.raceOpenedBefore = request.raceOpenedBefore;
    options.modePickedByUser = request.correctedTime.has_value();
    session->raceFile = parseRaceFile(session->raceFilePath, session->model, options);
    // A chosen time mode applies only where there are factors to apply.
    if (request.correctedTime && session->model.race.hasTcf == 1)
        session->model.race.correctedTimeMode = *request.correctedTime ? 1 : 0;
    session->warnings = session->raceFile.warnings;

    report(0, "READING  wind data");
    const WindReadResult wind = readWindFile(request.dataRoot, session->model);
    if (wind.badLine > 0)
        session->warnings.push_back("wind file: reading stopped at line " +
                                    std::to_string(wind.badLine));

    if (session->model.boatCount() < 1)
        throw RaceFileError("GPS file not exists.", session->raceBaseName, 0);

    session->trackImport = loadAllTracks(
        session->model, request.dataRoot, [&](int n, int count, const std::string& logFile) {
            if (progress)
                progress(OpenProgress{n, count,
                                      "LOADING  " + logFile + "  (" + std::to_string(n) + "/" +
                                          std::to_string(count) + ")"});
        });
    assignBoatColours(session->model);
    session->area = computeRaceArea(session->model, {});
    deriveCourseAndSpeed(session->model, session->area.cosLat);
    return session;
}

}  // namespace korvane
