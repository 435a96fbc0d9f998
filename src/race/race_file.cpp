#include "race/race_file.h"

#include <cmath>
#include <cstring>
#include <functional>
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

// A race file line longer than this is not a race file line.
constexpr std::size_t kMaxLineBytes = 64 * 1024;

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
        dispatch(toUpperAscii(fields_[0]));
    }

  private:
    const std::string& field(int i) const { return fields_[i]; }
    int fieldCount() const { return fields_.count(); }

    [[noreturn]] void fail(std::string message) const {
        throw RaceFileError(std::move(message), fileName_, lineNumber_);
    }
    void warn(const std::string& text) {
        result_.warnings.push_back(fileName_ + " (line " + std::to_string(lineNumber_) +
                                   "): " + text);
    }

    std::int32_t integer(int i) const {
        const auto v = parseInt32(field(i));
        if (!v) fail(integerConversionMessage(field(i)));
        return *v;
    }
    double floating(int i) const { return floatingText(field(i)); }
    double floatingText(const std::string& text) const {
        const auto v = parseDouble(text);
        if (!v) fail(floatConversionMessage(text));
        return *v;
    }
    // Values the original tools read through a variant: same numbers, but
    // the variant's own message when they do not convert.
    double variant(int i) const {
        const auto v = parseDouble(field(i));
        if (!v) fail(variantConversionMessage());
        return *v;
    }
    Timestamp timestamp(int i) const {
        const auto v = parseTimestamp(field(i));
        if (!v) fail(variantConversionMessage());
        return *v;
    }

    template <class Table, class Item>
    void appendOrWarn(Table& table, Item item, const char* what) {
        if (table.append(std::move(item)) == 0)
            warn(std::string("more than ") + std::to_string(Table::kCapacity) + " " + what +
                 "; this one is ignored");
    }

    void dispatch(const std::string& keyword) {
        // Compared against every keyword, as a table of independent rules.
        if (keyword == "NOTE") race_.note = field(1);
        if (keyword == "CLSSEP") model_.classesSeparated = true;
        if (keyword == "CLSN" && model_.classesSeparated)
            appendOrWarn(model_.classes, BoatClass{field(1)}, "classes");
        if (keyword == "BN") boatLine();
        if (keyword == "CT") race_.timeMode = integer(1) > 0 ? TimeMode::Corrected : TimeMode::Elapsed;
        if (keyword == "MK") appendOrWarn(model_.marks, Mark{variant(1), variant(2)}, "marks");
        if (keyword == "MAP")
            for (int i = 1; i < fieldCount(); ++i)
                appendOrWarn(race_.coastFiles, field(i), "coastline files");
        if (keyword == "LN") appendOrWarn(model_.lines, lineFields(), "lines");
        if (keyword == "RL") appendOrWarn(model_.refLines, lineFields(), "reference lines");
        if (keyword == "LL") race_.laylineAngles = {integer(1), integer(2)};
        if (keyword == "CRS") {
            race_.course.clear();
            for (int i = 1; i < fieldCount(); ++i)
                appendOrWarn(race_.course, field(i), "course entries");
        }
        if (keyword == "AT")
            for (int i = 1; i < fieldCount(); ++i)
                if (existsCaseInsensitive(options_.dataRoot / "attachment", field(i)))
                    appendOrWarn(race_.attachments, field(i), "attachments");
        if (keyword == "FLG") race_.flagText = field(1);
        if (keyword == "T1") race_.title = field(1);
        if (keyword == "T2") race_.subtitle = field(1);
        if (keyword == "MG") race_.magneticVariation = variant(1);
        if (keyword == "LG") race_.defaultBoatLength = variant(1);
        if (keyword == "ST") race_.start = timestamp(1);
        if (keyword == "FT") race_.finish = timestamp(1);
        if (keyword == "TD") race_.timeZoneHours = integer(1);
        if (keyword == "WD") race_.windDirectionInput = integer(1);
        if (keyword == "WF") race_.windFile = field(1);
        if (keyword == "BT") race_.preStartSeconds = integer(1) * 60;
        if (keyword == "NU") race_.northUp = integer(1) >= 1;
        if (keyword == "PS") {
            race_.playSpeed = floating(1);
            if (fieldCount() > 2) race_.playSpeed2 = floating(2);
        }
        if (keyword == "PIC") {
            race_.pictureFolder = field(1);
            race_.pictureFolderSaved = field(1);
            race_.pictureTimeOffset = static_cast<float>(floating(2));
            const auto size = fieldCount() > 3 ? parseInt32(field(3)) : std::nullopt;
            race_.pictureSize = size ? *size : 400;
        }
        if (keyword == "ADDAREA") race_.addArea = static_cast<float>(floating(1));
    }

    Line lineFields() const { return Line{variant(1), variant(2), variant(3), variant(4)}; }

    void boatLine() {
        // A boat exists only when its log does; the line is otherwise skipped.
        if (!existsCaseInsensitive(options_.dataRoot / "gpsdat", field(1))) return;
        Boat boat;
        boat.logFile = field(1);
        boat.name = field(2);
        boat.classIndex = model_.classes.count();
        boat.tcf = fieldCount() > 3 ? floating(3) : 0.0;
        boat.timeOffsetSeconds = fieldCount() > 4 ? integer(4) : 0;
        if (fieldCount() > 5) {
            const std::int32_t flags = integer(5);
            if (flags == 1 || flags == 3) boat.visible = false;
            if (flags == 2 || flags == 3) boat.mayFinish = false;
        }
        appendOrWarn(model_.boats, std::move(boat), "boats");
    }

    RaceModel& model_;
    Race& race_;
    const RaceFileOptions& options_;
    RaceFileResult& result_;
    std::string fileName_;
    int lineNumber_ = 0;
    SplitFields fields_;
};

void applyBoatLength(Boat& boat, double defaultLength, const std::string& fileName) {
    const std::size_t p = boat.name.find("^^");
    if (p == std::string::npos) {
        boat.lengthMetres = static_cast<float>(defaultLength);
        return;
    }
    const std::string text = boat.name.substr(p + 2, 100);
    const auto length = parseDouble(std::string(trimBlanks(text)));
    if (!length) throw RaceFileError(floatConversionMessage(text), fileName, 0);
    boat.lengthMetres = static_cast<float>(*length);
    boat.name.erase(p);
}

void finish(RaceModel& model, const RaceFileOptions& options, RaceFileResult& result,
            const std::string& fileName) {
    Race& race = model.race;
    race.startUtc = race.start - race.timeZoneHours / 24.0;
    race.finishUtc = race.finish - race.timeZoneHours / 24.0;
    for (Boat& boat : model.boats) applyBoatLength(boat, race.defaultBoatLength, fileName);
    race.hasTcf = model.boatCount() >= 1 && model.boats[1].tcf > 0;
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

    RaceFileWindowEffects& w = result.window;
    w.scrollBar2Factor = 1.0;
    w.northwdChecked = race.northUp;
    w.attFilesEnabled = race.attachments.count() > 0;
    w.playSpeedSlider = speedSliderPosition(race.playSpeed);
    w.playSpeed2Slider = speedSliderPosition(race.playSpeed2);
    // The first opening, and every opening the user did not cause by picking
    // a time mode, takes the mode from the race file.
    w.setTimeModeButtons = !options.modePickedByUser || !options.raceOpenedBefore;
    w.ctModeChecked = race.timeMode == TimeMode::Corrected;
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

RaceFileResult parseRaceFile(const fs::path& path, RaceModel& model,
                             const RaceFileOptions& options) {
    RaceFileResult result;
    resetForNewRace(model);
    const std::string fileName = path.filename().string();
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        finish(model, options, result, fileName);
        return result;
    }
    const auto bytes = readFileBytes(path);
    if (!bytes) throw RaceFileError("the race file cannot be read", fileName, 0);
    if (!looksLikeText(*bytes)) throw RaceFileError("not a race file (binary data)", fileName, 0);
    result.fileFound = true;
    const std::string text = decodeText(*bytes);
    const auto lines = splitLines(text);
    LineParser parser(model, options, result, fileName);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > kMaxLineBytes)
            throw RaceFileError("not a race file (line too long)", fileName,
                                static_cast<int>(i + 1));
        parser.parse(lines[i], static_cast<int>(i + 1));
    }
    finish(model, options, result, fileName);
    return result;
}

}  // namespace korvane
