#include "app/chart_background.h"

#include <QStandardPaths>

namespace korvane {

namespace {

QString environment(const char* name) {
    return qEnvironmentVariable(name).trimmed();
}

}  // namespace

const ChartInput& ChartBackground::input() {
    if (chart_) return input_;
    const QString cacheRoot =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    QString chartUrl = environment("KORVANE_TILE_URL");
    if (chartUrl.isEmpty())
        chartUrl = QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png");
    QString seamarkUrl = environment("KORVANE_SEAMARK_URL");
    if (seamarkUrl.isEmpty() && environment("KORVANE_SEAMARKS") == QStringLiteral("1"))
        seamarkUrl = QStringLiteral("https://tiles.openseamap.org/seamark/{z}/{x}/{y}.png");
    chart_ = std::make_unique<TileFetcher>(chartUrl, cacheRoot);
    input_.chart = chart_.get();
    input_.attribution = QStringLiteral("© OpenStreetMap contributors");
    if (!seamarkUrl.isEmpty()) {
        seamarks_ = std::make_unique<TileFetcher>(seamarkUrl, cacheRoot);
        input_.seamarks = seamarks_.get();
        input_.attribution += QStringLiteral(", © OpenSeaMap contributors");
    }
    for (TileFetcher* f : {chart_.get(), seamarks_.get()}) {
        if (!f) continue;
        connect(f, &TileFetcher::tileArrived, this, [this] {
            ++generation_;
            emit tilesArrived();
        });
    }
    return input_;
}

}  // namespace korvane
