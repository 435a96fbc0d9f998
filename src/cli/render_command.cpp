#include "cli/render_command.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "analysis/analysis_page.h"
#include "analysis/graph_hover.h"
#include "analysis/graph_page.h"
#include "base/file_io.h"
#include "base/numbers.h"
#include "cli/gui_application.h"
#include "race/race_area.h"
#include "session/scene_sources.h"
#include "view/landmark_light.h"
#include "view/overview_map.h"
#include "view/ranking_pictures.h"
#include "view/scene_renderer.h"
#include "view/static_map.h"

namespace korvane {

namespace {

// Encoded in memory first, so the picture goes through the one atomic write
// like every other file the program writes.
bool savePng(const QImage& image, const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return false;
    return writeFileAtomically(
        path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

struct RenderOptions {
    Page page = Page::Track;
    std::optional<double> atSeconds;
    int width = 1280;
    int height = 800;
    int frames = 0;
    // The window opens with "Show Name" and "Big Boat" ticked.
    int labelLevel = 1;
    std::optional<bool> northUp;
    int zoomPosition = 75;  // the ZOOM bar after a race opening
    bool layLine = false;
    bool bigBoat = true;
    bool staticMap = false;
    std::string output;
};

RenderOptions parseRenderOptions(const CliOptions& o) {
    RenderOptions r;
    if (const auto page = o.value("--page")) {
        if (*page == "graph")
            r.page = Page::Graph;
        else if (*page == "analysis")
            r.page = Page::Analysis;
        else if (*page != "track")
            throw std::invalid_argument("--page: expected track, graph or analysis");
    }
    if (const auto at = o.value("--at")) {
        const auto t = parseDouble(*at);
        if (!t) throw std::invalid_argument("--at: not a number: " + *at);
        r.atSeconds = *t;
    }
    // The pages show the whole race; only the map needs an instant.
    if (r.page == Page::Track && !r.atSeconds)
        throw std::invalid_argument("render needs --at SECONDS");
    if (const auto size = o.value("--size")) {
        const auto x = size->find_first_of("xX");
        const auto w = x == std::string::npos ? std::nullopt : parseInteger(size->substr(0, x));
        const auto h = x == std::string::npos ? std::nullopt : parseInteger(size->substr(x + 1));
        if (!w || !h || *w < 0 || *h < 0 || *w > 16384 || *h > 16384)
            throw std::invalid_argument("--size: expected WxH, e.g. 1920x1080");
        r.width = static_cast<int>(*w);
        r.height = static_cast<int>(*h);
    }
    if (const auto n = o.value("--frames")) {
        const auto v = parseInteger(*n);
        if (!v || *v < 1 || *v > 1000000) throw std::invalid_argument("--frames: expected a count");
        r.frames = static_cast<int>(*v);
    }
    if (const auto n = o.value("--labels")) {
        const auto v = parseInteger(*n);
        if (!v || *v < 0 || *v > 3) throw std::invalid_argument("--labels: expected 0 to 3");
        r.labelLevel = static_cast<int>(*v);
    }
    if (const auto z = o.value("--zoom")) {
        const auto v = parseInteger(*z);
        if (!v || *v < 0 || *v > 100) throw std::invalid_argument("--zoom: expected 0 to 100");
        r.zoomPosition = static_cast<int>(*v);
    }
    r.layLine = o.has("--laylines");
    r.staticMap = o.has("--static");
    if (r.staticMap && r.frames > 0)
        throw std::invalid_argument("--static draws one picture; it takes no --frames");
    if (o.has("--small-boats")) r.bigBoat = false;
    if (o.has("--north-up")) r.northUp = true;
    if (o.has("--wind-up")) r.northUp = false;
    if (const auto f = o.value("-o")) r.output = *f;
    if (r.frames == 0 && r.output.empty()) throw std::invalid_argument("render needs -o FILE.png");
    return r;
}

// Auto Trace off: the whole race area under the boats at the instant, and
// the finish rankings as far as the replay would have uncovered them.
void drawStaticPicture(QImage& scene, const RaceSession& s, const RenderOptions& r,
                       const SceneInput& input, DisplayState display) {
    const GeoBox& box = s.area.box;
    StaticView where;
    where.centreLat = (box.maxLat + box.minLat) / 2;
    where.centreLon = (box.maxLon + box.minLon) / 2;
    where.northUp = display.northUp;
    where.windDirectionDegrees = s.model.race.windDirection;
    StaticMapInput in{&s.model, &s.area, &s.coast.coastline, {}, std::nullopt, display.seaLevel};
    drawStaticMap(scene, in, where);
    display.autoTrace = false;
    display.savedCentreLat = where.centreLat;
    display.savedCentreLon = where.centreLon;
    display.manualZoom = where.manualZoom;
    SceneRenderer renderer;
    Viewport view;
    ViewState state;
    renderer.draw(scene, r.atSeconds.value_or(0), input, display, state, view);

    std::vector<int> ranks;
    for (const BoatLegResult& b : s.legs.boats) ranks.push_back(b.finishRank);
    const auto times = s.legs.lastPointTimes();
    const std::vector<RankedBoat> finishers = rankedFinishers(s.model, times, ranks);
    std::vector<bool> finished(times.size(), false);
    int count = 0;
    for (const RankedBoat& f : finishers)
        if (f.finishSeconds > 0 && f.finishSeconds <= std::nearbyint(r.atSeconds.value_or(0))) {
            finished[static_cast<std::size_t>(f.boatIndex)] = true;
            ++count;
        }
    if (count == 0 || s.model.lines.empty()) return;
    // Where the window puts the panels: under the overview, at the right.
    constexpr int kMargin = 5;
    const int top = kOverviewSize + 2 * kMargin;
    const QImage ranking = drawRanking(finishers, s.model.boatCount()).image;
    const int shown = std::min(ranking.height(), kRankingRowPixels * count + 20);
    QPainter p(&scene);
    const int left = scene.width() - ranking.width() - kMargin;
    p.drawImage(QPoint(left, top), ranking, QRect(0, 0, ranking.width(), shown));
    if (s.model.classesSeparated && s.model.classes.count() > 0) {
        const QImage byClass = drawClassRanking(s.model, finishers, finished);
        p.drawImage(QPoint(left - byClass.width() - kMargin, top), byClass);
    }
}

// The Graph page with the replay's instant marked, or the Analysis page.
QImage renderPage(const RaceSession& session, const RenderOptions& r) {
    QImage page(r.width, r.height, QImage::Format_RGB32);
    PageState state;
    state.width = r.width;
    state.height = r.height;
    state.showName = r.labelLevel > 0;
    if (r.page == Page::Analysis) {
        drawAnalysisPage(page, session.model, session.legs, state);
        return page;
    }
    drawGraphPage(page, session.model, state);
    if (r.atSeconds) {
        const GraphLayout layout = graphLayout(session.model, r.width, r.height);
        GraphHover hover;
        if (layout.inTimeline(*r.atSeconds)) hover.timeSeconds = *r.atSeconds;
        drawGraphHover(page, layout, session.model, hover);
    }
    return page;
}

void copyImage(const QImage& from, QImage& to) {
    std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
}

}  // namespace

int runRender(const RaceSession& session, const CliOptions& options, std::ostream& out) {
    const RenderOptions r = parseRenderOptions(options);
    const auto app = ensureGuiApplication();
    if (r.page != Page::Track) {
        if (r.output.empty()) throw std::invalid_argument("render --page needs -o FILE.png");
        if (!savePng(renderPage(session, r), r.output)) {
            out.flush();
            throw std::runtime_error("cannot write " + r.output);
        }
        return 0;
    }
    const double atSeconds = *r.atSeconds;

    const RaceArea& area = session.area;
    DisplayState display;
    display.northUp = r.northUp.value_or(session.model.race.northUp);
    display.labelLevel = r.labelLevel;
    // "Show Name" as the window opens; it also draws hidden boats hollow.
    display.showName = r.labelLevel > 0;
    display.layLine = r.layLine;
    display.zoomDivisor = zoomDivisorForPosition(r.zoomPosition);
    display.bigBoat = r.bigBoat;
    // A PNG has no overview panel beside it, so the inset goes into the frame.
    display.overviewOn = true;
    display.isNight =
        isNightAt(secondsOfDay(startSecondsOfDay(session.model.race.start), atSeconds),
                  area.sunriseSeconds, area.sunsetSeconds);
    SceneInputBuilder builder(sceneSources(session));
    // The light timer ticks once a second; the replay time stands in for it.
    const SceneInput& input =
        builder.build(display, static_cast<std::int64_t>(std::floor(atSeconds)));

    SceneRenderer renderer;
    Viewport view;
    ViewState viewState;
    QImage scene(r.width, r.height, QImage::Format_RGB32);
    QImage window(r.width, r.height, QImage::Format_RGB32);
    if (r.frames == 0) {
        if (r.staticMap) {
            drawStaticPicture(scene, session, r, input, display);
        } else {
            clearScene(scene, display.seaLevel);
            renderer.draw(scene, atSeconds, input, display, viewState, view);
        }
        if (!savePng(scene, r.output)) {
            out.flush();
            throw std::runtime_error("cannot write " + r.output);
        }
        return 0;
    }

    using Clock = std::chrono::steady_clock;
    const auto t0 = Clock::now();
    for (int i = 0; i < r.frames; ++i) {
        clearScene(scene, display.seaLevel);
        renderer.draw(scene, atSeconds + i, input, display, viewState, view);
        copyImage(scene, window);
    }
    const auto t1 = Clock::now();
    if (!r.output.empty() && !savePng(scene, r.output))
        throw std::runtime_error("cannot write " + r.output);
    const auto t1b = Clock::now();
    for (int i = 0; i < r.frames; ++i) {
        clearScene(scene, display.seaLevel);
        copyImage(scene, window);
    }
    const auto t2 = Clock::now();
    const auto ms = [&](auto d) {
        return std::chrono::duration<double, std::milli>(d).count() / r.frames;
    };
    out << "frame_ms=" << ms(t1 - t0) << " floor_ms=" << ms(t2 - t1b) << "\n";
    return 0;
}

}  // namespace korvane
