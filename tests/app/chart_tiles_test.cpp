// The chart background against a tile server of the test's own on the
// loopback: its tiles reach the drawing north up and turned, a server that
// fails or hangs leaves the sea colour within a bounded time, at most two
// requests are open at once, and the disk cache keeps to the server's expiry.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

#include "app/tile_fetcher.h"
#include "app/window_fixture.h"
#include "view/chart_layer.h"
#include "view/tile_cache.h"

namespace korvane {
namespace {

const QColor kSea(0, 0, 128);
const QColor kLand(200, 30, 30);

enum class Answer { Tile, NotFound, NotAPicture, Hang };

QByteArray generatedTile() {
    QImage tile(kTilePixels, kTilePixels, QImage::Format_RGB32);
    tile.fill(kLand);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");
    return png;
}

class TileServer : public QObject {
  public:
    Answer answer = Answer::Tile;
    QByteArray cacheControl = "max-age=3600";
    int requests = 0;
    int open = 0;
    int mostOpen = 0;
    QByteArray userAgent;

    TileServer() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) serve(s);
        });
    }
    QString urlTemplate() const {
        return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(server_.serverPort());
    }

  private:
    void serve(QTcpSocket* s) {
        auto* request = new QByteArray;
        connect(s, &QTcpSocket::disconnected, s, [this, s, request] {
            if (s->property("open").toBool()) --open;
            delete request;
            s->deleteLater();
        });
        connect(s, &QTcpSocket::readyRead, s, [this, s, request] {
            request->append(s->readAll());
            if (!request->contains("\r\n\r\n")) return;
            ++requests;
            for (const QByteArray& line : request->split('\n'))
                if (line.toLower().startsWith("user-agent:")) userAgent = line.mid(11).trimmed();
            request->clear();
            if (answer == Answer::Hang) {
                s->setProperty("open", true);
                mostOpen = std::max(mostOpen, ++open);
                return;
            }
            const QByteArray body =
                answer == Answer::NotAPicture ? QByteArray("<html>busy</html>") : generatedTile();
            QByteArray head =
                answer == Answer::NotFound ? "HTTP/1.1 404 Not Found\r\n" : "HTTP/1.1 200 OK\r\n";
            head += "Content-Type: image/png\r\nCache-Control: " + cacheControl +
                    "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
            s->write(head + body);
        });
    }
    QTcpServer server_;
};

// Waits for `done`, at most a few seconds, with the events going on.
bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Lets the events run a while, for what should not happen.
void settle() {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 500) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Off Valencia, at about tile zoom 12: a few tiles fill the 200 x 200 view.
Viewport valenciaView(bool northUp) {
    Viewport v;
    v.width = v.height = 200;
    v.centreLat = 39.45 * 60;
    v.centreLon = -0.30 * 60;
    v.lonScale = 4096.0 * kTilePixels / (60 * 360);
    v.latScale = v.lonScale / std::cos(39.45 * std::numbers::pi / 180);
    v.northUp = northUp;
    v.windDirectionDegrees = northUp ? 0 : 40;
    return v;
}

QImage drawnChart(TileFetcher& fetcher, const Viewport& v) {
    QImage image(v.width, v.height, QImage::Format_RGB32);
    image.fill(kSea);
    QPainter p(&image);
    drawChartLayer(p, v, ChartInput{&fetcher, nullptr, QString()});
    return image;
}

int tilesFor(const Viewport& v) {
    return static_cast<int>(tilesInView(v, chartZoomFor(v)).size());
}

TEST(ChartTiles, TilesFromTheServerReachTheMapNorthUpAndTurned) {
    app();
    TileServer server;
    for (const bool northUp : {true, false}) {
        SCOPED_TRACE(northUp ? "north up" : "wind up");
        QTemporaryDir cache;
        TileFetcher fetcher(server.urlTemplate(), cache.path());
        int arrived = 0;
        QObject::connect(&fetcher, &TileFetcher::tileArrived, [&arrived] { ++arrived; });
        const Viewport v = valenciaView(northUp);
        ASSERT_GT(tilesFor(v), 1);
        EXPECT_EQ(drawnChart(fetcher, v).pixelColor(100, 100), kSea);  // nothing here yet
        ASSERT_TRUE(waitFor([&] { return arrived >= tilesFor(v); }));
        const QImage image = drawnChart(fetcher, v);
        for (const QPoint at : {QPoint(100, 100), QPoint(1, 1), QPoint(198, 198), QPoint(1, 198)})
            EXPECT_EQ(image.pixelColor(at), kLand) << at.x() << "," << at.y();
    }
    EXPECT_TRUE(server.userAgent.startsWith("korvane/")) << server.userAgent.constData();
}

TEST(ChartTiles, AServerThatFailsOrHangsLeavesTheSeaWithinTheTimeout) {
    app();
    for (const Answer answer : {Answer::NotFound, Answer::NotAPicture, Answer::Hang}) {
        SCOPED_TRACE(static_cast<int>(answer));
        TileServer server;
        server.answer = answer;
        QTemporaryDir cache;
        TileFetcher fetcher(server.urlTemplate(), cache.path());
        fetcher.setTimeoutMs(300);
        int failed = 0;
        QObject::connect(&fetcher, &TileFetcher::tileFailed, [&failed] { ++failed; });
        const Viewport v = valenciaView(true);
        drawnChart(fetcher, v);
        ASSERT_TRUE(waitFor([&] { return failed >= tilesFor(v); }));
        // Drawn again at once: the failed tiles are not asked for again.
        const int sent = fetcher.requestsSent();
        const QImage image = drawnChart(fetcher, v);
        settle();
        EXPECT_EQ(fetcher.requestsSent(), sent);
        EXPECT_EQ(image.pixelColor(100, 100), kSea);
        EXPECT_LE(server.mostOpen, TileFetcher::kMaxRequests);
        if (answer == Answer::Hang) {
            EXPECT_EQ(server.mostOpen, TileFetcher::kMaxRequests);
        }
    }
}

TEST(ChartTiles, AFreshCachedTileIsNotFetchedAgainAndAnExpiredOneIs) {
    app();
    for (const auto& [cacheControl, again] :
         {std::pair<QByteArray, bool>{"max-age=3600", false}, {"max-age=0", true}}) {
        SCOPED_TRACE(cacheControl.constData());
        TileServer server;
        server.cacheControl = cacheControl;
        QTemporaryDir cache;
        const Viewport v = valenciaView(true);
        {
            TileFetcher first(server.urlTemplate(), cache.path());
            int arrived = 0;
            QObject::connect(&first, &TileFetcher::tileArrived, [&arrived] { ++arrived; });
            drawnChart(first, v);
            ASSERT_TRUE(waitFor([&] { return arrived >= tilesFor(v); }));
        }
        const int served = server.requests;
        // A later run: the tiles come from the disk, and are shown at once.
        TileFetcher later(server.urlTemplate(), cache.path());
        EXPECT_EQ(drawnChart(later, v).pixelColor(100, 100), kLand);
        if (again)
            waitFor([&] { return server.requests >= served + tilesFor(v); });
        else
            settle();
        EXPECT_EQ(server.requests, again ? served + tilesFor(v) : served);
    }
}

TEST(ChartTiles, ExpiryFollowsTheServersHeaders) {
    constexpr std::int64_t now = 1'700'000'000;
    const struct {
        const char* cacheControl;
        const char* expires;
        std::optional<std::int64_t> expiry;
    } cases[] = {
        {"max-age=600", "", now + 600},
        {"public, max-age=600", "Wed, 21 Oct 2015 07:28:00 GMT", now + 600},
        {"max-age=bad", "", now},
        {"no-cache", "", now},
        {"no-store", "", std::nullopt},
        {"", "Wed, 21 Oct 2015 07:28:00 GMT", 1445412480},
        {"", "soon", now},
        {"", "", now + kDefaultTileLifeSeconds},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tileExpiry(c.cacheControl, c.expires, now), c.expiry)
            << c.cacheControl << " / " << c.expires;
}

}  // namespace
}  // namespace korvane
