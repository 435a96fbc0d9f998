// The race officer's corrections of mark passings: a passing pinned to a
// moment, or a course point the boat did not pass. They live in a small text
// file beside the race file (never in it), read at every opening and written
// whole after every change. This file only reads and writes them; applying
// them to the legs is the leg analysis' business.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/text.h"
#include "race/model.h"

namespace korvane {

enum class PassingCorrectionKind { Pinned, NotPassed };

struct PassingCorrection {
    int boat = 0;   // boat slot, 0-based (the file writes it 1-based)
    int point = 0;  // course point, 0-based (the file writes it 1-based)
    PassingCorrectionKind kind = PassingCorrectionKind::Pinned;
    // Seconds from the gun in elapsed time, whatever the time mode on show,
    // so that a pin holds in both modes.
    double elapsedSeconds = 0;

    bool operator==(const PassingCorrection&) const = default;
};

class PassingCorrections {
  public:
    const std::vector<PassingCorrection>& items() const { return items_; }
    bool empty() const { return items_.empty(); }
    // The correction of one boat at one point, or null.
    const PassingCorrection* find(int boat, int point) const;
    // Replaces the boat's correction at that point, if any.
    void set(const PassingCorrection& correction);
    // False when there was nothing to take back.
    bool clear(int boat, int point);

    bool operator==(const PassingCorrections&) const = default;

  private:
    std::vector<PassingCorrection> items_;  // in boat, then point order
};

// "<race file>.passings", beside the race file.
std::filesystem::path passingCorrectionsPath(const std::filesystem::path& raceFile);

// A corrections file is a few lines; one larger than this is refused unread.
inline constexpr std::uintmax_t kMaxPassingCorrectionsBytes = 256 * 1024;

struct PassingCorrectionsRead {
    PassingCorrections corrections;
    // "<file> (line n): ..." for every line left out: unreadable, or naming
    // a boat or a course point the race does not have (then the
    // correction would land on the wrong boat or nowhere).
    std::vector<std::string> warnings;
};

// No file: no corrections and no warning. The boat names in the file must
// match the race's boats in their slots.
PassingCorrectionsRead readPassingCorrections(const std::filesystem::path& path,
                                              const RaceModel& model);
PassingCorrectionsRead parsePassingCorrections(std::string_view bytes, const std::string& fileName,
                                               const RaceModel& model);

// The file's bytes: a comment line, then one line per correction, in
// `encoding` with `lineEnd`.
std::string formatPassingCorrections(const PassingCorrections& corrections, const RaceModel& model,
                                     TextEncoding encoding, std::string_view lineEnd);

// Writes the file atomically, or removes it when nothing is corrected, so
// that a race without corrections has no file. False when that failed.
bool savePassingCorrections(const std::filesystem::path& path,
                            const PassingCorrections& corrections, const RaceModel& model,
                            TextEncoding encoding, std::string_view lineEnd);

// A pin's time in the race's time mode, and back: in corrected time the
// seconds after the gun of a boat with a factor are stretched by it, as the
// track import stretches its fixes.
double shownSecondsOf(const Boat& boat, const Race& race, double elapsedSeconds);
double elapsedSecondsOf(const Boat& boat, const Race& race, double shownSeconds);

}  // namespace korvane
