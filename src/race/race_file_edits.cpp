#include "race/race_file_edits.h"

#include "base/numbers.h"
#include "base/text.h"

namespace korvane {

namespace {

std::string withoutSeparators(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == ',' || c == '\r' || c == '\n') c = ' ';
    return out;
}

}  // namespace

std::string lineKeyword(std::string_view line) {
    const std::size_t comma = line.find(',');
    return toUpperAscii(trimBlanks(line.substr(0, comma)));
}

bool fitsBoatLine(std::string_view logFile) {
    return !logFile.empty() && logFile.find_first_of(",\r\n") == std::string_view::npos;
}

std::string boatLineText(std::string_view logFile, std::string_view boatName, double tcf) {
    return "BN," + withoutSeparators(logFile) + "," + withoutSeparators(boatName) + "," +
           formatNumber(tcf);
}

bool addBoatLine(RaceDocument& doc, std::string_view logFile, std::string_view boatName,
                 double tcf) {
    if (!fitsBoatLine(logFile)) return false;
    int at = doc.lineCount();
    for (int i = doc.lineCount() - 1; i >= 0; --i)
        if (lineKeyword(doc.line(i).text) == "BN") {
            at = i + 1;
            break;
        }
    doc.insertLine(at, boatLineText(logFile, boatName, tcf));
    return true;
}

void setPictureLine(RaceDocument& doc, std::string_view folder, double offsetSeconds, int size) {
    const std::string text = "PIC," + withoutSeparators(folder) + "," +
                             formatNumber(offsetSeconds) + "," + std::to_string(size);
    for (int i = 0; i < doc.lineCount(); ++i)
        if (lineKeyword(doc.line(i).text) == "PIC") {
            if (doc.line(i).text != text) doc.replaceLine(i, text);
            return;
        }
    doc.insertLine(doc.lineCount(), text);
}

}  // namespace korvane
