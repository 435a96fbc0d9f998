#include "export/kml_export.h"

namespace korvane {

KmlExportResult writeKmlFile(const std::filesystem::path& path, const KmlProducer& produce,
                             WriteDurability durability) {
    KmlExportResult result;
    result.path = path;
    if (!writeFileAtomically(path, produce, durability))
        result.error = "Cannot create file \"" + path.string() + "\"";
    return result;
}

KmlProducer kmlProducer(const RaceModel& model, std::optional<double> timeSeconds,
                        const KmlOptions& options) {
    // The whole race goes to the file as its pieces are made, never whole
    // in memory; the scene is small.
    if (!timeSeconds)
        return [&model, options](const ByteSink& put) {
            return writeWholeRaceKml(model, options, put);
        };
    return [&model, t = *timeSeconds, options](const ByteSink& put) {
        return put(presentSceneKml(model, t, options));
    };
}

KmlExportResult exportWholeRace(const RaceModel& model,
                                const std::filesystem::path& documentsFolder,
                                const KmlOptions& options) {
    return writeKmlFile(documentsFolder / kWholeRaceKmlFile,
                        kmlProducer(model, std::nullopt, options), WriteDurability::HandedOver);
}

KmlExportResult exportPresentScene(const RaceModel& model, double timeSeconds,
                                   const std::filesystem::path& documentsFolder,
                                   const KmlOptions& options) {
    return writeKmlFile(documentsFolder / kPresentSceneKmlFile,
                        kmlProducer(model, timeSeconds, options), WriteDurability::HandedOver);
}

}  // namespace korvane
