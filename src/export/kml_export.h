// The one call the window makes for each KML export: build the file, write
// it to the documents folder in one step, and say where it went or why it
// could not be written. Opening it in the viewer is left to the caller.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "base/file_io.h"
#include "export/kml_document.h"
#include "race/model.h"

namespace korvane {

inline constexpr const char* kPresentSceneKmlFile = "ZLTMap4.kml";
inline constexpr const char* kWholeRaceKmlFile = "ZLTMap5.kml";

struct KmlExportResult {
    std::filesystem::path path;  // the file written
    std::string error;           // empty on success

    bool ok() const { return error.empty(); }
};

KmlExportResult exportWholeRace(const RaceModel& model,
                                const std::filesystem::path& documentsFolder,
                                const KmlOptions& options);

KmlExportResult exportPresentScene(const RaceModel& model, double timeSeconds,
                                   const std::filesystem::path& documentsFolder,
                                   const KmlOptions& options);

// Writes what `produce` makes to `path` in one step (a failed write leaves
// any older file whole); what the two exports and the command line share.
// The window's exports are handed to the viewer at once and the whole-race
// file is deleted when the program ends, so they do not wait for the disk;
// a file the command line is asked for is kept, and does.
using KmlProducer = std::function<bool(const ByteSink&)>;
KmlExportResult writeKmlFile(const std::filesystem::path& path, const KmlProducer& produce,
                             WriteDurability durability = WriteDurability::Flushed);

// The whole race or the scene at `timeSeconds` (none: the whole race), as
// writeKmlFile takes it.
KmlProducer kmlProducer(const RaceModel& model, std::optional<double> timeSeconds,
                        const KmlOptions& options);

}  // namespace korvane
