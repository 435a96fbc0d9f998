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
            k.language = KmlLanguage::English;
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
    std::string bytes;
    if (const auto at = options.value("--at")) {
        const auto t = parseDouble(*at);
        if (!t) throw std::invalid_argument("--at: not a number: " + *at);
        bytes = presentSceneKml(session.model, *t, k);
    } else {
        bytes = wholeRaceKml(session.model, k);
    }
    const auto file = options.value("-o");
    if (!file) {
        out << bytes;
        out.flush();
        return out ? 0 : 1;
    }
    const KmlExportResult written = writeKmlFile(*file, bytes);
    if (!written.ok()) {
        err << "korvane-cli: " << written.error << "\n";
        return 1;
    }
    return 0;
}

}  // namespace korvane
