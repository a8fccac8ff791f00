// Rendering one briefing page of 2,000 entries (800 lines, 800 sprites of ten pictures, some of them
// stand-ins, 400 labels) over a 320 by 320 map, at zoom 1 and 4, beside the floor of the same picture's
// physical minimum: filling the map, drawing 2,000 plain rectangles and, zoomed, scaling the result. Tool and
// floor alternate in one run; the figures are their medians. Pictures are read once (the preview keeps them),
// so both run warm.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <vector>

#include "core/briefing/mapgraphics.h"
#include "demo/pictures.h"
#include "gui/briefing/maprender.h"
#include "support/tempdir.h"

namespace {

using namespace hartool;

MapPage generatedPage() {
    Briefing b;
    b.CHEADING = "9, Generated";
    b.CMAP = "maps\\Farrow_Downs.pcx";
    static constexpr const char* kImages[] = {"uahb",  "rahb",  "utnkp",  "rtnkp", "uinfp",
                                              "rinfp", "uwpcp", "usam4b", "rsupb", "uobj"};
    for (int i = 0; i < 800; ++i) {
        const std::string a = std::to_string(i * 37 % 340 - 10) + ", " + std::to_string(i * 53 % 340 - 10);
        const std::string c = std::to_string(i * 61 % 320) + ", " + std::to_string(i * 43 % 320);
        b.ALINESTRINGS.push_back("200, 200, 200, " + a + ", " + c);
        b.ASPRITESTRINGS.push_back(std::string("images\\") + kImages[i % 10] + ".pcx, " + a + ", 0");
    }
    for (int i = 0; i < 400; ++i)
        b.ALABELSTRINGS.push_back(std::to_string(i * 29 % 330 - 5) + ", " + std::to_string(i * 31 % 330 - 5) +
                                  ", 99, 99, 208, 1, Callsign " + std::to_string(i));
    return mapPagesOf({b}, "").front();
}

// The same number of shapes, plainly.
QImage floorPicture(const MapPage& page, int zoom) {
    QImage canvas(kBriefingMapSize, kBriefingMapSize, QImage::Format_RGB32);
    canvas.fill(Qt::darkGreen);
    QPainter p(&canvas);
    for (const MapEntry& e : page.entries) p.fillRect(e.at.X, e.at.Y, 10, 10, Qt::blue);
    p.end();
    return zoom == 1 ? canvas
                     : canvas.scaled(kBriefingMapSize * zoom, kBriefingMapSize * zoom, Qt::IgnoreAspectRatio,
                                     Qt::FastTransformation);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void BM_RenderMapPage(benchmark::State& state) {
    const int zoom = static_cast<int>(state.range(0));
    test::TempDir dir;
    for (const demo::DemoFile& f : demo::demoPictures()) {
        std::string path = f.path;
        std::replace(path.begin(), path.end(), '\\', '/');
        dir.write("game/" + path, f.content);
    }
    image::ImageFolder images(dir.folder() + "game\\");
    MapRenderer renderer(images);
    const MapPage page = generatedPage();
    benchmark::DoNotOptimize(renderer.render(page, zoom));  // reads the pictures
    std::vector<double> tool, floor;
    const auto seconds = [](auto call) {
        const auto start = std::chrono::steady_clock::now();
        call();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    for (auto _ : state) {
        tool.push_back(seconds([&] { benchmark::DoNotOptimize(renderer.render(page, zoom)); }));
        floor.push_back(seconds([&] { benchmark::DoNotOptimize(floorPicture(page, zoom)); }));
    }
    state.counters["entries"] = static_cast<double>(page.entries.size());
    state.counters["tool_ms"] = median(tool) * 1000;
    state.counters["floor_ms"] = median(floor) * 1000;
    state.counters["x_floor"] = median(tool) / median(floor);
}
BENCHMARK(BM_RenderMapPage)->Arg(1)->Arg(4)->Iterations(60)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
