#include "view/ranking_pictures.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "view/boat_selection.h"
#include "view/colours.h"
#include "view/map_font.h"

namespace korvane {

namespace {

constexpr int kColumnPixels = 100;
constexpr int kClassHeaderChars = 16;
constexpr int kClassRowChars = 13;
constexpr QColor kClassPaper{0, 0, 255};

void drawTextAt(QPainter& p, int x, int top, const QString& text, QColor ink) {
    p.setPen(ink);
    p.drawText(QPoint(x, top + p.fontMetrics().ascent()), text);
}

}  // namespace

std::vector<RankedBoat> rankedFinishers(const RaceModel& model,
                                        const std::vector<std::optional<double>>& finishTimes,
                                        const std::vector<int>& finishRanks) {
    std::vector<RankedBoat> out;
    const int n = std::min({model.boatCount(), static_cast<int>(finishTimes.size()),
                            static_cast<int>(finishRanks.size())});
    for (int b = 0; b < n; ++b) {
        const auto& t = finishTimes[static_cast<std::size_t>(b)];
        const int rank = finishRanks[static_cast<std::size_t>(b)];
        if (!t || !(*t < kNoFinishSeconds) || rank < 1) continue;
        const Boat& boat = model.boats.at(b);
        out.push_back({b, rank, boat.name, boat.colour, *t, boat.classIndex});
    }
    // Equal ranks keep boat order, each on a row of its own.
    std::stable_sort(out.begin(), out.end(),
                     [](const RankedBoat& a, const RankedBoat& b) { return a.rank < b.rank; });
    return out;
}

QString behindText(double seconds) {
    const long long s = seconds > 0 ? static_cast<long long>(roundHalfEven(seconds)) : 0;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString rankingRowText(const RankedBoat& boat, double winnerSeconds) {
    return QStringLiteral(" %1  %2  (+%3)")
        .arg(boat.rank)
        .arg(QString::fromStdString(boat.name), behindText(boat.finishSeconds - winnerSeconds));
}

RankingPicture drawRanking(const std::vector<RankedBoat>& finishers, int boatCount) {
    RankingPicture out;
    out.image =
        QImage(kRankingWidth, kRankingRowPixels * std::max(0, boatCount) + 6, QImage::Format_RGB32);
    out.image.fill(Qt::black);
    if (finishers.empty()) return out;
    out.winnerIndex = finishers.front().boatIndex;
    double winner = finishers.front().finishSeconds;
    for (const RankedBoat& f : finishers) winner = std::min(winner, f.finishSeconds);
    QPainter p(&out.image);
    p.setFont(mapFontOfPoints(9));
    int row = 0;
    for (const RankedBoat& f : finishers) {
        const int y = ++row * kRankingRowPixels - 10;
        p.fillRect(QRect(QPoint(5, y), QPoint(180, y + 13)), toQColor(f.colour));
        drawTextAt(p, 6, y, rankingRowText(f, winner), Qt::white);
    }
    return out;
}

QString leftCharacters(const QString& text, int count) {
    const QList<uint> ucs4 = text.toUcs4();
    if (ucs4.size() <= count) return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(ucs4.constData()), count);
}

QString classHeaderText(const std::string& className) {
    return leftCharacters(QStringLiteral(" %1 class").arg(QString::fromStdString(className)),
                          kClassHeaderChars);
}

QString classRowText(int placeInClass, const std::string& boatName) {
    return leftCharacters(
        QStringLiteral(" %1 %2").arg(placeInClass).arg(QString::fromStdString(boatName)),
        kClassRowChars);
}

QImage drawClassRanking(const RaceModel& model, const std::vector<RankedBoat>& finishers,
                        const std::vector<bool>& finished) {
    const int classes = model.classes.count();
    std::vector<std::vector<const RankedBoat*>> columns(static_cast<std::size_t>(classes));
    for (const RankedBoat& f : finishers) {
        const bool seen = f.boatIndex < static_cast<int>(finished.size()) &&
                          finished[static_cast<std::size_t>(f.boatIndex)];
        if (seen && f.classSlot && *f.classSlot < classes)
            columns[static_cast<std::size_t>(*f.classSlot)].push_back(&f);
    }
    std::size_t longest = 0;
    for (const auto& c : columns) longest = std::max(longest, c.size());
    QImage image(kColumnPixels * classes + 5, kRankingRowPixels * static_cast<int>(longest) + 24,
                 QImage::Format_RGB32);
    image.fill(kClassPaper);
    QPainter p(&image);
    p.setFont(mapFontOfPoints(9));
    int j = 0;
    for (const BoatClass& c : model.classes) {
        const int x = kColumnPixels * j + 5;
        p.fillRect(QRect(x, 3, kColumnPixels - 5, 16), Qt::white);
        drawTextAt(p, x + 3, 5, classHeaderText(c.name), Qt::red);
        int n = 0;
        for (const RankedBoat* f : columns[static_cast<std::size_t>(j)]) {
            const int y = kRankingRowPixels * ++n + 6;
            p.fillRect(QRect(x, y, kColumnPixels - 5, 13), toQColor(f->colour));
            drawTextAt(p, x, y, classRowText(n, f->name), Qt::white);
        }
        ++j;
    }
    return image;
}

}  // namespace korvane
