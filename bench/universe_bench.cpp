// One full paint of the timeline overview for the large session (1,000
// tracks, 100,000 placed clips) at 1200 by 400 pixels into an offscreen
// image: every row squeezed into the height, and zoomed in, where only the
// visible clips are looked at.
#include "bench_sessions.h"
#include "session_loader.h"
#include "universe_layout.h"
#include "universe_mapping.h"
#include "universe_painter.h"
#include "universe_rows.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace kestrix;

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 400;

struct Scene {
    PTXSessionInfo session;
    std::optional<SessionExtent> extent;
    UniverseRows rows;
};

const Scene &largeScene()
{
    static const Scene scene = [] {
        auto loaded = loadSession(bench::largeSessionPath());
        if (!loaded) {
            std::fprintf(stderr, "cannot load the large session\n");
            std::exit(1);
        }
        Scene s;
        s.session = std::move(loaded).value();
        s.extent = sessionExtent(s.session.tracks);
        s.rows = UniverseRows(s.session.tracks);
        return s;
    }();
    return scene;
}

void paintAt(benchmark::State &state, const UniverseViewport &viewport)
{
    const Scene &scene = largeScene();
    const double rowScale = kHeight / universeHeight(scene.rows.count(), 0).intrinsic;
    const UniverseMapping mapping = universeMapping(viewport, scene.extent, scene.rows.count(), kWidth, rowScale);
    const UniverseSelectionState selection;
    const UniverseColors colors{Qt::white, QColor(10, 100, 220), Qt::black, QColor(255, 59, 48)};
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        paintUniverse(painter, UniverseScene{scene.rows, mapping, selection, std::nullopt, std::nullopt, 0.0, colors},
                      image.rect());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rows"] = double(scene.rows.count());
}

void BM_UniversePaintWholeSession(benchmark::State &state)
{
    paintAt(state, {});
}
BENCHMARK(BM_UniversePaintWholeSession)->Unit(benchmark::kMillisecond);

void BM_UniversePaintZoomedIn(benchmark::State &state)
{
    UniverseViewport viewport;
    viewport.horizontalZoom = 16;
    viewport.verticalZoom = 4;
    viewport.horizontalSampleOffset = largeScene().extent->total() / 3;
    viewport.verticalRowOffset = 300;
    paintAt(state, viewport);
}
BENCHMARK(BM_UniversePaintZoomedIn)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
