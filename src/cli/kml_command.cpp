#include "cli/kml_command.h"

#include <stdexcept>

#include "base/numbers.h"
#include "export/kml_export.h"

namespace korvane {

namespace {

KmlOptions kmlOptions(const RaceSession& session, const CliOptions& o) {
    KmlOptions k;
    // The icons sit in the data root's ya/ folder; the file names them by
    // absolute path so the viewer finds them wherever the file is opened.
    k.iconFolder = std::filesystem::absolute(session.dataRoot / "ya").lexically_normal();
    if (const auto lang = o.value("--lang")) {
        if (*lang == "en")
            k.language = Language::English;
        else if (*lang != "ja")
            throw std::invalid_argument("--lang: expected en or ja");
    }
    k.hideUnfocusedBoats = o.has("--hide-unfocused");
    return k;
}

}  // namespace

int runKml(const RaceSession& session, const CliOptions& options, std::ostream& out,
           std::ostream& err) {
    const KmlOptions k = kmlOptions(session, options);
    std::optional<double> time;
    if (const auto at = options.value("--at")) {
        time = parseDouble(*at);
        if (!time) throw std::invalid_argument("--at: not a number: " + *at);
    }
    const KmlProducer produce = kmlProducer(session.model, time, k);
    const auto file = options.value("-o");
    if (!file) {
        produce([&out](std::string_view piece) { return static_cast<bool>(out << piece); });
        out.flush();
        return out ? 0 : 1;
    }
    const KmlExportResult written = writeKmlFile(*file, produce);
    if (!written.ok()) {
        err << "korvane-cli: " << written.error << "\n";
        return 1;
    }
    return 0;
}

}  // namespace korvane
