#include "view/tile_cache.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "base/file_io.h"

namespace korvane {

namespace {

// A tile is a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kMaxTileFileBytes = 4 << 20;

std::optional<std::int64_t> maxAgeOf(const QByteArray& directive) {
    const QByteArray d = directive.trimmed().toLower();
    for (const char* name : {"max-age="}) {
        if (!d.startsWith(name)) continue;
        bool ok = false;
        const qint64 seconds =
            d.mid(static_cast<qsizetype>(qstrlen(name))).trimmed().toLongLong(&ok);
        if (ok) return std::max<qint64>(0, seconds);
        return 0;  // an unreadable age is no age: stale at once
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::int64_t> tileExpiry(const QByteArray& cacheControl, const QByteArray& expires,
                                       std::int64_t now) {
    std::optional<std::int64_t> maxAge;
    for (const QByteArray& part : cacheControl.split(',')) {
        const QByteArray d = part.trimmed().toLower();
        if (d == "no-store") return std::nullopt;
        if (d == "no-cache") return now;
        if (d.startsWith("max-age=") && !maxAge) maxAge = maxAgeOf(d);
    }
    if (maxAge) return now + *maxAge;
    if (!expires.trimmed().isEmpty()) {
        // HTTP dates end in "GMT", which Qt reads only as an offset.
        QString text = QString::fromLatin1(expires.trimmed());
        if (text.endsWith(QLatin1String(" GMT"))) text = text.chopped(3) + QStringLiteral("+0000");
        const QDateTime at = QDateTime::fromString(text, Qt::RFC2822Date);
        // An Expires that cannot be read means already expired.
        return at.isValid() ? at.toSecsSinceEpoch() : now;
    }
    return now + kDefaultTileLifeSeconds;
}

QString TileCache::folderFor(const QString& cacheRoot, const QString& urlTemplate) {
    const QUrl url(QString(urlTemplate)
                       .replace(QLatin1Char('{'), QLatin1Char('_'))
                       .replace(QLatin1Char('}'), QLatin1Char('_')));
    QString host = url.host();
    if (url.port() > 0) host += QLatin1Char('_') + QString::number(url.port());
    if (host.isEmpty() || host.startsWith(QLatin1Char('.'))) host = QStringLiteral("local");
    return cacheRoot + QStringLiteral("/korvane/tiles/") + host;
}

QString TileCache::pathOf(const TileKey& key) const {
    return QStringLiteral("%1/%2/%3/%4.png").arg(folder_).arg(key.z).arg(key.x).arg(key.y);
}

std::optional<CachedTile> TileCache::load(const TileKey& key) const {
    const QString path = pathOf(key);
    const FileRead png = readRegularFile(path.toStdString(), kMaxTileFileBytes);
    if (!png.bytes) return std::nullopt;
    CachedTile tile;
    tile.bytes = QByteArray::fromStdString(*png.bytes);
    const FileRead expiry = readRegularFile((path + QStringLiteral(".expires")).toStdString(), 64);
    if (expiry.bytes)
        tile.expiresAt = QByteArray::fromStdString(*expiry.bytes).trimmed().toLongLong();
    return tile;
}

bool TileCache::store(const TileKey& key, const CachedTile& tile) const {
    const QString path = pathOf(key);
    if (!QDir().mkpath(QFileInfo(path).path())) return false;
    // The picture first: a picture without its expiry is merely stale.
    // A cache: a power cut may cost a tile, never the wait for the disk.
    constexpr WriteDurability kCache = WriteDurability::HandedOver;
    return writeFileAtomically(path.toStdString(), tile.bytes.toStdString(), kCache) &&
           writeFileAtomically((path + QStringLiteral(".expires")).toStdString(),
                               std::to_string(tile.expiresAt), kCache);
}

}  // namespace korvane
