#include "export/kml_export.h"

#include "base/file_io.h"

namespace korvane {

KmlExportResult writeKmlFile(const std::filesystem::path& path, const std::string& bytes,
                             WriteDurability durability) {
    KmlExportResult result;
    result.path = path;
    if (!writeFileAtomically(path, bytes, durability))
        result.error = "Cannot create file \"" + path.string() + "\"";
    return result;
}

KmlExportResult exportWholeRace(const RaceModel& model,
                                const std::filesystem::path& documentsFolder,
                                const KmlOptions& options) {
    return writeKmlFile(documentsFolder / kWholeRaceKmlFile, wholeRaceKml(model, options),
                        WriteDurability::HandedOver);
}

KmlExportResult exportPresentScene(const RaceModel& model, double timeSeconds,
                                   const std::filesystem::path& documentsFolder,
                                   const KmlOptions& options) {
    return writeKmlFile(documentsFolder / kPresentSceneKmlFile,
                        presentSceneKml(model, timeSeconds, options), WriteDurability::HandedOver);
}

}  // namespace korvane
