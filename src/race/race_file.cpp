#include "race/race_file.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <sstream>
#include <string_view>
#include <unordered_map>

#include "base/file_io.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "base/text.h"
#include "race/fields.h"
#include "race/race_file_error.h"
#include "race/race_time.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

// A race file line longer than this is not a race file line, and a file
// larger than this is not a race file.
constexpr std::size_t kMaxLineBytes = 64 * 1024;
constexpr std::uintmax_t kMaxRaceFileBytes = 1024 * 1024;

void resetForNewRace(RaceModel& model) {
    // ST, FT, TD, MG, WD and LL carry over from the race before: a race file
    // without them keeps those values.
    Race& old = model.race;
    Race fresh;
    fresh.start = old.start;
    fresh.finish = old.finish;
    fresh.timeZoneHours = old.timeZoneHours;
    fresh.magneticVariation = old.magneticVariation;
    fresh.windDirectionInput = old.windDirectionInput;
    fresh.laylineAngles = old.laylineAngles;
    RaceModel next;
    next.race = std::move(fresh);
    model = std::move(next);
}

// Ranges a race file's numbers must fall in; anything outside cannot mean
// what the field says (and some of it would overflow later arithmetic).
constexpr std::int32_t kMaxPreStartMinutes = 24 * 60;
constexpr double kMaxLatMinutes = 90 * 60;
constexpr double kMaxLonMinutes = 180 * 60;
constexpr double kMaxBoatLengthMetres = 100;
constexpr std::int32_t kMaxTimeZoneHours = 24;
constexpr double kMaxReplaySpeed = 1500;
constexpr double kMaxAddArea = 1000;
constexpr std::int32_t kMaxPictureSize = 10000;
constexpr double kMaxPictureOffsetSeconds = 7 * 86400;

class LineParser {
  public:
    LineParser(RaceModel& model, const RaceFileOptions& options, RaceFileResult& result,
               std::string fileName)
        : model_(model),
          race_(model.race),
          options_(options),
          result_(result),
          fileName_(std::move(fileName)) {}

    void parse(std::string_view rawLine, int lineNumber) {
        lineNumber_ = lineNumber;
        std::string_view line = trimBlanks(rawLine);
        // Positions and lengths count characters, so a Japanese title reads
        // the same whatever its encoding was.
        const std::size_t comment = line.find("//");
        if (comment != std::string_view::npos && utf8Length(line.substr(0, comment)) + 1 <= 2)
            return;
        if (utf8Length(line) < 3) return;
        if (comment != std::string_view::npos && utf8Length(line.substr(0, comment)) + 1 > 5)
            line = line.substr(0, comment);
        fields_ = splitFields(line, ",");
        if (fields_.overflow)
            warn("more than " + std::to_string(kMaxFields) + " fields; the rest is ignored");
        if (fields_.count() < 2) return;
        keyword_ = toUpperAscii(fields_[0]);
        if (const Rule* rule = ruleFor(keyword_)) (this->*(rule->apply))();
    }

  private:
    using Apply = void (LineParser::*)();
    struct Rule {
        std::string_view keyword;
        Apply apply;
    };

    // One rule a keyword; a line whose keyword has no rule is ignored.
    static const Rule* ruleFor(std::string_view keyword) {
        static constexpr Rule kRules[] = {
            {"NOTE", &LineParser::note},        {"CLSSEP", &LineParser::classesSeparate},
            {"CLSN", &LineParser::className},   {"BN", &LineParser::boatLine},
            {"CT", &LineParser::timeMode},      {"MK", &LineParser::mark},
            {"MAP", &LineParser::coastFiles},   {"LN", &LineParser::line},
            {"RL", &LineParser::referenceLine}, {"LL", &LineParser::laylines},
            {"CRS", &LineParser::course},       {"AT", &LineParser::attachments},
            {"FLG", &LineParser::flag},         {"T1", &LineParser::title},
            {"T2", &LineParser::subtitle},      {"MG", &LineParser::variation},
            {"LG", &LineParser::boatLength},    {"ST", &LineParser::startTime},
            {"FT", &LineParser::finishTime},    {"TD", &LineParser::timeZone},
            {"WD", &LineParser::windDirection}, {"WF", &LineParser::windFile},
            {"BT", &LineParser::preStart},      {"NU", &LineParser::northUp},
            {"PS", &LineParser::playSpeed},     {"PIC", &LineParser::pictures},
            {"ADDAREA", &LineParser::addArea},
        };
        for (const Rule& r : kRules)
            if (r.keyword == keyword) return &r;
        return nullptr;
    }

    void note() { race_.note = field(1); }
    void classesSeparate() { model_.classesSeparated = true; }
    void className() {
        if (model_.classesSeparated) appendOrWarn(model_.classes, BoatClass{field(1)}, "classes");
    }
    void timeMode() { race_.timeMode = integer(1) > 0 ? TimeMode::Corrected : TimeMode::Elapsed; }
    void mark() { appendOrWarn(model_.marks, Mark{latitude(1), longitude(2)}, "marks"); }
    void coastFiles() {
        for (int i = 1; i < fieldCount(); ++i)
            appendOrWarn(race_.coastFiles, field(i), "coastline files");
    }
    void line() { appendOrWarn(model_.lines, lineFields(), "lines"); }
    void referenceLine() { appendOrWarn(model_.refLines, lineFields(), "reference lines"); }
    void laylines() { race_.laylineAngles = {integerIn(1, 0, 180), integerIn(2, 0, 180)}; }
    void course() {
        race_.course.clear();
        race_.courseLine = lineNumber_;
        for (int i = 1; i < fieldCount(); ++i)
            appendOrWarn(race_.course, field(i), "course entries");
    }
    void attachments() {
        for (int i = 1; i < fieldCount(); ++i)
            if (exists(RaceFolder::Attachments, field(i)))
                appendOrWarn(race_.attachments, field(i), "attachments");
    }
    void flag() { race_.flagText = field(1); }
    void title() { race_.title = field(1); }
    void subtitle() { race_.subtitle = field(1); }
    void variation() { race_.magneticVariation = variantIn(1, -180, 180); }
    void boatLength() { race_.defaultBoatLength = variantIn(1, 0, kMaxBoatLengthMetres); }
    void startTime() { race_.start = timestamp(1); }
    void finishTime() { race_.finish = timestamp(1); }
    void timeZone() { race_.timeZoneHours = integerIn(1, -kMaxTimeZoneHours, kMaxTimeZoneHours); }
    void windDirection() { race_.windDirectionInput = integerIn(1, -360, 360); }
    void windFile() { race_.windFile = field(1); }
    void preStart() { race_.preStartSeconds = integerIn(1, 0, kMaxPreStartMinutes) * 60; }
    void northUp() { race_.northUp = integer(1) >= 1; }
    void playSpeed() {
        race_.playSpeed = floatingIn(1, 0, kMaxReplaySpeed);
        if (fieldCount() > 2) race_.playSpeed2 = floatingIn(2, 0, kMaxReplaySpeed);
    }
    void pictures() {
        race_.pictureFolder = field(1);
        race_.pictureFolderSaved = field(1);
        race_.pictureTimeOffset =
            static_cast<float>(floatingIn(2, -kMaxPictureOffsetSeconds, kMaxPictureOffsetSeconds));
        const auto size = fieldCount() > 3 ? parseInt32(field(3)) : std::nullopt;
        race_.pictureSize = size && *size > 0 && *size <= kMaxPictureSize ? *size : 400;
    }
    void addArea() { race_.addArea = static_cast<float>(floatingIn(1, 0, kMaxAddArea)); }

    const std::string& field(int i) const { return fields_[i]; }
    int fieldCount() const { return fields_.count(); }
    bool exists(RaceFolder folder, const std::string& name) const {
        return options_.fileExists && options_.fileExists(folder, name);
    }

    [[noreturn]] void fail(std::string message) const {
        throw RaceFileError(std::move(message), fileName_, lineNumber_);
    }
    void warn(const std::string& text) {
        result_.warnings.push_back(fileName_ + " (line " + std::to_string(lineNumber_) +
                                   "): " + text);
    }
    template <class T>
    T inRange(T value, int i, T low, T high) const {
        if (value < low || value > high) {
            std::ostringstream text;
            text << keyword_ << " field " << i << ": " << field(i) << " is outside " << low
                 << " ... " << high;
            fail(text.str());
        }
        return value;
    }

    std::int32_t integer(int i) const {
        const auto v = parseInt32(field(i));
        if (!v) fail(integerConversionMessage(field(i)));
        return *v;
    }
    std::int32_t integerIn(int i, std::int32_t low, std::int32_t high) const {
        return inRange(integer(i), i, low, high);
    }
    double floating(int i) const {
        const auto v = parseDouble(field(i));
        if (!v) fail(floatConversionMessage(field(i)));
        return *v;
    }
    double floatingIn(int i, double low, double high) const {
        return inRange(floating(i), i, low, high);
    }
    // Values the original tools read through a variant: same numbers, but
    // the variant's own message when they do not convert.
    double variant(int i) const {
        const auto v = parseDouble(field(i));
        if (!v) fail(variantConversionMessage());
        return *v;
    }
    double variantIn(int i, double low, double high) const {
        return inRange(variant(i), i, low, high);
    }
    double latitude(int i) const { return variantIn(i, -kMaxLatMinutes, kMaxLatMinutes); }
    double longitude(int i) const { return variantIn(i, -kMaxLonMinutes, kMaxLonMinutes); }
    Timestamp timestamp(int i) const {
        const auto v = parseTimestamp(field(i));
        if (!v) fail(variantConversionMessage());
        return *v;
    }

    template <class Table, class Item>
    void appendOrWarn(Table& table, Item item, const char* what) {
        if (!table.append(std::move(item)))
            warn(std::string("more than ") + std::to_string(Table::kCapacity) + " " + what +
                 "; this one is ignored");
    }

    Line lineFields() const { return Line{latitude(1), longitude(2), latitude(3), longitude(4)}; }

    void boatLine() {
        // A log named outside gpsdat is refused aloud: skipping it as a
        // missing log would hide a race file that points elsewhere.
        if (leavesFolder(field(1))) {
            warn("the log name " + field(1) + " leaves the gpsdat folder; the boat is ignored");
            return;
        }
        // A boat exists only when its log does; the line is otherwise skipped.
        if (!exists(RaceFolder::GpsLogs, field(1))) return;
        Boat boat;
        boat.logFile = field(1);
        boat.name = field(2);
        // The boat joins the class named last before it, if any.
        if (!model_.classes.empty()) boat.classIndex = model_.classes.count() - 1;
        // 0 (or an empty field) means the boat has no factor.
        boat.tcf = fieldCount() > 3 ? floating(3) : 0.0;
        if (boat.tcf != 0) inRange(boat.tcf, 3, std::nextafter(0.0, 1.0), kMaxTimeFactor);
        boat.timeOffsetSeconds = fieldCount() > 4 ? integerIn(4, -86400, 86400) : 0;
        if (fieldCount() > 5) {
            const std::int32_t flags = integer(5);
            if (flags == 1 || flags == 3) boat.visible = false;
            if (flags == 2 || flags == 3) boat.mayFinish = false;
        }
        boat.fileLine = lineNumber_;
        appendOrWarn(model_.boats, std::move(boat), "boats");
    }

    RaceModel& model_;
    Race& race_;
    const RaceFileOptions& options_;
    RaceFileResult& result_;
    std::string fileName_;
    int lineNumber_ = 0;
    SplitFields fields_;
    std::string keyword_;
};

// "Name^^8.5" gives the boat its own length in metres.
void applyBoatLength(Boat& boat, double defaultLength, const std::string& fileName) {
    const std::size_t p = boat.name.find("^^");
    if (p == std::string::npos) {
        boat.lengthMetres = static_cast<float>(defaultLength);
        return;
    }
    const std::string text = boat.name.substr(p + 2, 100);
    const auto length = parseDouble(std::string(trimBlanks(text)));
    if (!length) throw RaceFileError(floatConversionMessage(text), fileName, boat.fileLine);
    if (*length < 0 || *length > kMaxBoatLengthMetres)
        throw RaceFileError("BN field 2: boat length " + text + " is outside 0 ... 100 metres",
                            fileName, boat.fileLine);
    boat.lengthMetres = static_cast<float>(*length);
    boat.name.erase(p);
}

void finish(RaceModel& model, const RaceFileOptions& options, RaceFileResult& result,
            const std::string& fileName) {
    Race& race = model.race;
    race.startUtc = race.start - race.timeZoneHours / 24.0;
    race.finishUtc = race.finish - race.timeZoneHours / 24.0;
    for (Boat& boat : model.boats) applyBoatLength(boat, race.defaultBoatLength, fileName);
    race.hasTcf = !model.boats.empty() && model.boats[0].tcf > 0;
    if (race.preStartSeconds == 0) race.preStartSeconds = 180;
    race.timelineBegin = -race.preStartSeconds - 10.0;
    race.timelineEnd = secondsBetween(race.start, race.finish) + 30.0;
    race.timelineLength =
        static_cast<std::int32_t>(roundHalfEvenToInt(race.timelineEnd - race.timelineBegin));
    race.windDirection = static_cast<std::int32_t>(roundHalfEvenToInt(race.magneticVariation)) +
                         race.windDirectionInput;
    race.date = datePart(race.start);

    race.caption = "korvane  ";
    if (utf8Length(race.title) < 2 && utf8Length(race.subtitle) < 2) race.caption += fileName;
    if (utf8Length(race.subtitle) < 2) race.captionDate = formatDate(race.date);
    if (utf8Length(race.title) >= 2) race.caption = race.title;
    if (utf8Length(race.subtitle) >= 2) race.captionDate = race.subtitle;

    if (race.playSpeed2 == 0) race.playSpeed2 = race.playSpeed;

    RaceWindowSettings& w = result.window;
    w.northUp = race.northUp;
    w.replaySpeed = race.playSpeed;
    w.replaySpeed2 = race.playSpeed2;
    w.zoomFactor = 1.0;
    w.hasAttachments = race.attachments.count() > 0;
    // The first opening, and every opening the user did not cause by picking
    // a time mode, takes the mode from the race file.
    if (!options.modePickedByUser || !options.raceOpenedBefore) w.timeMode = race.timeMode;
}

bool looksLikeText(std::string_view bytes) {
    return std::memchr(bytes.data(), '\0', bytes.size()) == nullptr;
}

}  // namespace

int speedSliderPosition(double x) {
    double s = 0;
    if (x <= 10)
        s = 4 * x - 1;
    else if (x <= 90)
        s = (x / 10 - 1) * 4 + 40;
    else
        s = (x / 100 - 1) * 4 + 80;
    return static_cast<int>(roundHalfEvenToInt(s));
}

RaceFileOptions::FileExists filesBelow(const fs::path& dataRoot) {
    return [dataRoot](RaceFolder folder, const std::string& name) {
        const char* sub = folder == RaceFolder::GpsLogs ? "gpsdat" : "attachment";
        return existsCaseInsensitive(dataRoot / sub, name);
    };
}

RaceFileResult parseRaceDocument(const RaceDocument& document, const std::string& fileName,
                                 RaceModel& model, const RaceFileOptions& options) {
    RaceFileResult result;
    resetForNewRace(model);
    result.fileFound = true;
    LineParser parser(model, options, result, fileName);
    for (int i = 0; i < document.lineCount(); ++i) {
        const std::string& text = document.line(i).text;
        if (text.size() > kMaxLineBytes)
            throw RaceFileError("not a race file (line too long)", fileName, i + 1);
        parser.parse(text, i + 1);
    }
    finish(model, options, result, fileName);
    if (model.race.finish < model.race.start)
        throw RaceFileError("the finish time (FT) is before the start time (ST)", fileName, 0);
    return result;
}

RaceFileResult parseRaceFile(const fs::path& path, RaceModel& model,
                             const RaceFileOptions& options) {
    const std::string fileName = path.filename().string();
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        RaceFileResult result;
        resetForNewRace(model);
        finish(model, options, result, fileName);
        return result;
    }
    if (!fs::is_regular_file(path, ec))
        throw RaceFileError("not a race file (not a regular file)", fileName, 0);
    if (fs::file_size(path, ec) > kMaxRaceFileBytes)
        throw RaceFileError("not a race file (larger than 1 MB)", fileName, 0);
    auto bytes = readFileBytes(path);
    if (!bytes) throw RaceFileError("the race file cannot be read", fileName, 0);
    if (!looksLikeText(*bytes)) throw RaceFileError("not a race file (binary data)", fileName, 0);
    RaceDocument document = RaceDocument::fromBytes(std::move(*bytes));
    RaceFileResult result = parseRaceDocument(document, fileName, model, options);
    result.document = std::move(document);
    return result;
}

}  // namespace korvane
