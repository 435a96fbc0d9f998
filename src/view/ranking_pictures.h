// The two finish panels' pictures: the overall ranking with each boat's time
// behind the winner, and one column per class. Drawn from plain finishing
// data, so the pictures need neither the analysis nor a widget.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "race/model.h"

namespace korvane {

struct RankedBoat {
    int boatIndex = 0;  // 0-based
    int rank = 0;       // 1 = winner
    std::string name;
    std::uint32_t colour = 0;
    double finishSeconds = 0;
    std::optional<int> classSlot;  // 0-based class, nothing without a class
};

// A finishing time at or above this counts as no finish (a placeholder of
// the old tables that stood for "not passed").
inline constexpr double kNoFinishSeconds = 864000;

// Finishers in rank order. finishTimes[b] and finishRanks[b] are boat b's
// (0-based) passing of the last course point and its rank (0: none).
std::vector<RankedBoat> rankedFinishers(const RaceModel& model,
                                        const std::vector<std::optional<double>>& finishTimes,
                                        const std::vector<int>& finishRanks);

// "h:mm:ss", hours not zero-filled; whole seconds, negative read as zero.
QString behindText(double seconds);

// " 3  Name  (+0:04:07)".
QString rankingRowText(const RankedBoat& boat, double winnerSeconds);

struct RankingPicture {
    QImage image;
    std::optional<int> winnerIndex;  // the boat ranked 1 (0-based): the time bar's reference
};

inline constexpr int kRankingRowPixels = 15;
inline constexpr int kRankingWidth = 185;

// Every finisher's row at its rank; the panel uncovers the rows as the
// replay sees boats finish.
RankingPicture drawRanking(const std::vector<RankedBoat>& finishers, int boatCount);

// The first `count` characters (not UTF-16 units) of `text`.
QString leftCharacters(const QString& text, int count);

// Column header " Name class", and a finisher's " n Name", cut to fit a column.
QString classHeaderText(const std::string& className);
QString classRowText(int placeInClass, const std::string& boatName);

// One column per class, listing the finishers the replay has seen
// (finished[b], 0-based) in rank order.
QImage drawClassRanking(const RaceModel& model, const std::vector<RankedBoat>& finishers,
                        const std::vector<bool>& finished);

}  // namespace korvane
