// Chart tiles from one XYZ tile server, fetched by Qt's network stack (its
// HTTP runs beside the GUI thread) and kept in a disk cache with the
// server's expiry. It keeps within what public tile servers ask of a client:
// only tiles the map asked for, newest first, at most two requests at once,
// none before a cached tile expires, and a tile that failed is left alone
// for a while.
#pragma once

#include <QImage>
#include <QNetworkAccessManager>
#include <QObject>
#include <cstdint>
#include <deque>
#include <map>
#include <set>

#include "view/chart_layer.h"
#include "view/tile_cache.h"

class QNetworkReply;

namespace korvane {

class TileFetcher : public QObject, public TileSource {
    Q_OBJECT
  public:
    static constexpr int kMaxRequests = 2;
    static constexpr int kDefaultTimeoutMs = 15000;

    // `urlTemplate` holds {z}, {x} and {y}; the tiles are kept under
    // `cacheRoot`/korvane/tiles/<server host>/.
    TileFetcher(QString urlTemplate, const QString& cacheRoot, QObject* parent = nullptr);

    const QImage* tile(const TileKey& key) override;
    // How long a request may take before it counts as failed.
    void setTimeoutMs(int ms) { timeoutMs_ = ms; }
    int requestsSent() const { return requestsSent_; }

  signals:
    // A tile came in: the map should be drawn again.
    void tileArrived();
    // A request ended without a tile (an error, a timeout, not a picture).
    void tileFailed();

  private:
    void want(const TileKey& key);
    void pump();
    void finished(QNetworkReply* reply, const TileKey& key);
    bool waiting(const TileKey& key, std::int64_t now) const;

    QString template_;
    TileCache cache_;
    QNetworkAccessManager network_;
    int timeoutMs_ = kDefaultTimeoutMs;
    int requestsSent_ = 0;
    struct Held {
        QImage image;
        std::int64_t expiresAt = 0;
    };
    std::map<TileKey, Held> held_;
    std::set<TileKey> inFlight_;
    std::deque<TileKey> wanted_;
    std::map<TileKey, std::int64_t> failedUntil_;
    bool pumpQueued_ = false;
};

}  // namespace korvane
