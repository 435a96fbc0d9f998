// Chart tiles kept on disk as the tile server sent them, each with the time
// the server said it stays fresh. A tile is fetched again only after that;
// until a new one arrives the old one is still shown.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "view/chart_layer.h"

namespace korvane {

// Unless the server says otherwise a tile stays a week, as the public
// servers' usage policies ask of clients.
inline constexpr std::int64_t kDefaultTileLifeSeconds = 7 * 24 * 3600;

// When a response fetched at `nowSeconds` (since the epoch) goes stale,
// from its Cache-Control and Expires headers (either may be empty);
// nullopt when it must not be stored at all.
std::optional<std::int64_t> tileExpiry(const QByteArray& cacheControl, const QByteArray& expires,
                                       std::int64_t nowSeconds);

struct CachedTile {
    QByteArray bytes;
    std::int64_t expiresAt = 0;  // seconds since the epoch
};

class TileCache {
  public:
    // `folder` holds one server's tiles as z/x/y.png.
    explicit TileCache(QString folder) : folder_(std::move(folder)) {}

    // The folder for the server of `urlTemplate` under `cacheRoot`.
    static QString folderFor(const QString& cacheRoot, const QString& urlTemplate);

    QString pathOf(const TileKey& key) const;
    // A tile whose expiry is lost counts as stale.
    std::optional<CachedTile> load(const TileKey& key) const;
    bool store(const TileKey& key, const CachedTile& tile) const;

  private:
    QString folder_;
};

}  // namespace korvane
