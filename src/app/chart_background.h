// The "Chart" background: OpenStreetMap's tiles unless KORVANE_TILE_URL
// names another server, and the OpenSeaMap seamarks over them when
// KORVANE_SEAMARKS=1 or KORVANE_SEAMARK_URL names their server. The tile
// fetchers are made the first time the chart is shown, so a user who never
// ticks the box never reaches the network.
#pragma once

#include <QObject>
#include <memory>

#include "app/tile_fetcher.h"
#include "view/chart_layer.h"

namespace korvane {

class ChartBackground : public QObject {
    Q_OBJECT
  public:
    explicit ChartBackground(QObject* parent = nullptr) : QObject(parent) {}

    // What the map draws the chart from; the fetchers start on first use.
    const ChartInput& input();
    // Counts the tiles that came in, so a map drawn once can tell it is old.
    int generation() const { return generation_; }

  signals:
    void tilesArrived();

  private:
    std::unique_ptr<TileFetcher> chart_;
    std::unique_ptr<TileFetcher> seamarks_;
    ChartInput input_;
    int generation_ = 0;
};

}  // namespace korvane
