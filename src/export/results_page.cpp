#include "export/results_page.h"

#include "analysis/report_format.h"
#include "base/timestamp.h"
#include "export/kml_text.h"

namespace korvane {

namespace {

struct Headings {
    const char* place;
    const char* boat;
    const char* boatClass;
    const char* classPlace;
    const char* overall;
    const char* finish;
    const char* elapsed;
    const char* corrected;
    const char* allBoats;
    const char* placesBy;
    const char* elapsedMode;
    const char* correctedMode;
};

Headings headingsFor(Language language) {
    if (language == Language::Japanese)
        return {"順位",     "艇名",     "クラス", "クラス順位", "総合",     "フィニッシュ",
                "所要時間", "修正時間", "全艇",   "順位の基準", "所要時間", "修正時間"};
    return {"Place",   "Boat",      "Class",     "Class place", "Overall",      "Finish",
            "Elapsed", "Corrected", "All boats", "Places by",   "elapsed time", "corrected time"};
}

std::string timeOr(const std::optional<double>& seconds) {
    return seconds ? formatHoursMinutesSeconds(*seconds) : std::string();
}

std::string className(const ResultsTable& table, const ResultRow& row) {
    if (!row.classIndex) return {};
    const auto k = static_cast<std::size_t>(*row.classIndex);
    return k < table.classNames.size() ? table.classNames[k] : std::string();
}

std::string placeOrCode(int place, const std::string& code) {
    return code.empty() ? std::to_string(place) : code;
}

}  // namespace

std::string resultsCsv(const ResultsTable& table, Language language) {
    const Headings h = headingsFor(language);
    // The byte-order mark tells a spreadsheet the file is UTF-8.
    std::string out = "\xEF\xBB\xBF";
    out += std::string(h.place) + "," + h.boat + "," + h.boatClass + "," + h.classPlace + "," +
           h.finish + "," + h.elapsed + "," + h.corrected + "\r\n";
    for (const ResultRow& row : table.rows) {
        out += placeOrCode(row.place, row.code) + "," + reportField(row.name) + "," +
               reportField(className(table, row)) + "," +
               (row.code.empty() ? std::to_string(row.classPlace) : row.code) + "," +
               (row.finishSecondsOfDay ? formatHoursMinutesSeconds(*row.finishSecondsOfDay) : "") +
               "," + timeOr(row.elapsedSeconds) + "," + timeOr(row.correctedSeconds) + "\r\n";
    }
    return out;
}

std::string resultsHtml(const ResultsTable& table, const Race& race, Language language) {
    const Headings h = headingsFor(language);
    const std::string title = escapeXml(race.title.empty() ? race.caption : race.title);
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"" +
        std::string(language == Language::Japanese ? "ja" : "en") +
        "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
        "</title>\n<style>\n"
        "body{font-family:sans-serif;margin:2em;color:#111}\n"
        "table{border-collapse:collapse;margin-bottom:2em}\n"
        "th,td{border:1px solid #999;padding:.3em .8em}\n"
        "th{background:#dde6ee}\ntd.n{text-align:right;font-variant-numeric:tabular-nums}\n"
        "</style>\n</head>\n<body>\n<h1>" +
        title + "</h1>\n<p>" + escapeXml(formatDate(race.start)) + " &middot; " + h.placesBy +
        ": " + (table.mode == TimeMode::Corrected ? h.correctedMode : h.elapsedMode) + "</p>\n";
    // One table per class in the race file's order; boats outside every
    // class (or a race without classes) get a table of their own.
    std::vector<std::optional<int>> groups;
    for (int c = 0; c < static_cast<int>(table.classNames.size()); ++c) groups.emplace_back(c);
    groups.emplace_back(std::nullopt);
    for (const std::optional<int>& group : groups) {
        std::string rows;
        for (const ResultRow& row : table.rows) {
            if (row.classIndex != group) continue;
            rows +=
                "<tr><td class=\"n\">" + placeOrCode(row.classPlace, row.code) +
                "</td><td class=\"n\">" + (row.code.empty() ? std::to_string(row.place) : "") +
                "</td><td>" + escapeXml(row.name) + "</td><td class=\"n\">" +
                (row.finishSecondsOfDay ? formatHoursMinutesSeconds(*row.finishSecondsOfDay) : "") +
                "</td><td class=\"n\">" + timeOr(row.elapsedSeconds) + "</td><td class=\"n\">" +
                timeOr(row.correctedSeconds) + "</td></tr>\n";
        }
        if (rows.empty()) continue;
        const std::string heading =
            group ? table.classNames[static_cast<std::size_t>(*group)] : std::string(h.allBoats);
        out += "<h2>" + escapeXml(heading) + "</h2>\n<table>\n<tr><th>" + h.place + "</th><th>" +
               h.overall + "</th><th>" + h.boat + "</th><th>" + h.finish + "</th><th>" + h.elapsed +
               "</th><th>" + h.corrected + "</th></tr>\n" + rows + "</table>\n";
    }
    out += "</body>\n</html>\n";
    return out;
}

}  // namespace korvane
