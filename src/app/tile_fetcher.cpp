#include "app/tile_fetcher.h"

#include <QDateTime>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <algorithm>

namespace korvane {

namespace {

// The tiles of a few views; older wishes are dropped, not fetched later.
constexpr std::size_t kMaxWanted = 2 * kMaxTilesInView;
// In memory: a few screens' worth at 256 KB each.
constexpr std::size_t kMaxHeld = 512;
constexpr std::int64_t kRetryAfterFailureSeconds = 5 * 60;
constexpr qint64 kMaxTileBytes = 1 << 20;

std::int64_t nowSeconds() {
    return QDateTime::currentSecsSinceEpoch();
}

QImage decodedTile(const QByteArray& bytes) {
    QImage image;
    if (!image.loadFromData(bytes) || image.isNull()) return {};
    // Drawn turned and stretched: the premultiplied form is the fast one.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

}  // namespace

TileFetcher::TileFetcher(QString urlTemplate, const QString& cacheRoot, QObject* parent)
    : QObject(parent),
      template_(std::move(urlTemplate)),
      cache_(TileCache::folderFor(cacheRoot, template_)) {}

bool TileFetcher::waiting(const TileKey& key, std::int64_t now) const {
    if (inFlight_.contains(key)) return true;
    const auto failed = failedUntil_.find(key);
    return failed != failedUntil_.end() && failed->second > now;
}

const QImage* TileFetcher::tile(const TileKey& key) {
    const std::int64_t now = nowSeconds();
    auto it = held_.find(key);
    if (it == held_.end()) {
        if (waiting(key, now)) return nullptr;
        std::optional<CachedTile> cached = cache_.load(key);
        QImage image = cached ? decodedTile(cached->bytes) : QImage();
        if (image.isNull()) {
            want(key);
            return nullptr;
        }
        if (held_.size() >= kMaxHeld) held_.clear();
        it = held_.emplace(key, Held{std::move(image), cached->expiresAt}).first;
    }
    // A stale tile is shown until its successor arrives.
    if (it->second.expiresAt <= now && !waiting(key, now)) want(key);
    return &it->second.image;
}

void TileFetcher::want(const TileKey& key) {
    if (std::find(wanted_.begin(), wanted_.end(), key) != wanted_.end()) return;
    wanted_.push_back(key);
    if (wanted_.size() > kMaxWanted) wanted_.pop_front();
    // Sent after the frame that asked, so a frame never waits on the network.
    if (!pumpQueued_) {
        pumpQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            pumpQueued_ = false;
            pump();
        });
    }
}

void TileFetcher::pump() {
    while (static_cast<int>(inFlight_.size()) < kMaxRequests && !wanted_.empty()) {
        const TileKey key = wanted_.back();  // the latest view first
        wanted_.pop_back();
        if (inFlight_.contains(key)) continue;
        QString url = template_;
        url.replace(QStringLiteral("{z}"), QString::number(key.z))
            .replace(QStringLiteral("{x}"), QString::number(key.x))
            .replace(QStringLiteral("{y}"), QString::number(key.y));
        QNetworkRequest request{QUrl(url)};
        request.setHeader(QNetworkRequest::UserAgentHeader,
                          QStringLiteral("korvane/" KORVANE_VERSION " (sailing race replay)"));
        request.setTransferTimeout(timeoutMs_);
        QNetworkReply* reply = network_.get(request);
        inFlight_.insert(key);
        ++requestsSent_;
        connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
            if (received > kMaxTileBytes) reply->abort();
        });
        connect(reply, &QNetworkReply::finished, this,
                [this, reply, key] { finished(reply, key); });
    }
}

void TileFetcher::finished(QNetworkReply* reply, const TileKey& key) {
    reply->deleteLater();
    inFlight_.erase(key);
    const std::int64_t now = nowSeconds();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QByteArray bytes;
    QImage image;
    if (reply->error() == QNetworkReply::NoError && status == 200) {
        bytes = reply->read(kMaxTileBytes);
        image = decodedTile(bytes);
    }
    if (image.isNull()) {
        failedUntil_[key] = now + kRetryAfterFailureSeconds;
        emit tileFailed();
    } else {
        failedUntil_.erase(key);
        const std::optional<std::int64_t> expiry =
            tileExpiry(reply->rawHeader("Cache-Control"), reply->rawHeader("Expires"), now);
        if (expiry) cache_.store(key, {bytes, *expiry});
        if (held_.size() >= kMaxHeld) held_.clear();
        held_[key] = Held{std::move(image), expiry.value_or(now)};
        emit tileArrived();
    }
    pump();
}

}  // namespace korvane
