// The editor canvas with a 12-megapixel picture, offscreen: one effect including the repaint it
// causes (target below 150 ms), a zoom step with its repaint and a pan repaint (targets below
// 16 ms each). The repaint is the canvas's own painting into an image of a 1000 x 700 client.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "imaging/extImage.h"
#include "views/editor/ViewMain.h"

namespace {

constexpr long kWidth = 4000;
constexpr long kHeight = 3000;
constexpr int kClientW = 1000;
constexpr int kClientH = 700;

std::string g_file;

void MakeSource() {
    extImage p(kWidth, kHeight, 24);
    for (long y = 0; y < kHeight; ++y) {
        BYTE* row = p.GetBits(static_cast<DWORD>(y));
        for (long x = 0; x < kWidth; ++x) {
            row[x * 3] = static_cast<BYTE>(110 + 80 * std::sin(0.003 * x * y / 1000.0));
            row[x * 3 + 1] = static_cast<BYTE>((x ^ y) & 255);
            row[x * 3 + 2] = static_cast<BYTE>(128 + 100 * std::sin(0.002 * x));
        }
    }
    const std::string dir = std::filesystem::temp_directory_path().string() + "/vimbro-canvas-bench";
    std::filesystem::create_directories(dir);
    g_file = dir + "/big.bmp";
    p.Save(g_file.c_str(), CXIMAGE_FORMAT_BMP);
}

// A canvas of the client size with the picture loaded at zoom level `level`, painted once.
struct Canvas {
    explicit Canvas(int level) {
        view.resize(kClientW, kClientH);
        view.SetClientSize(CSize(kClientW, kClientH));
        int fit = 0;
        view.Load(g_file, 0, fit);
        view.Zoomin(level);
        Paint();
    }
    void Paint() {
        QPainter painter(&screen);
        view.render(&painter);
    }
    CViewMain view;
    QImage screen{kClientW, kClientH, QImage::Format_RGB32};
};

void BM_EffectWithRepaint(benchmark::State& state) {
    Canvas c(10);  // half size: the whole picture is scaled for the screen
    for (auto _ : state) {
        c.view.ProcessGray();
        c.Paint();
        state.PauseTiming();
        c.view.Undo();  // back to the colour picture for the next round
        c.Paint();
        state.ResumeTiming();
    }
}

void BM_ZoomStepWithRepaint(benchmark::State& state) {
    Canvas c(12);
    int level = 12;
    for (auto _ : state) {
        // Between 1/4 and 0.6: each step rescales the kept screen copy.
        level = level == 12 ? 13 : 12;
        c.view.Zoomin(level);
        c.Paint();
    }
}

void BM_PanRepaint(benchmark::State& state) {
    Canvas c(static_cast<int>(state.range(0)));
    int step = 0;
    for (auto _ : state) {
        step = (step + 37) % 400;
        c.view.SetScrollPos(CPoint(step, step / 2));
        c.Paint();
    }
}

}  // namespace

BENCHMARK(BM_EffectWithRepaint)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ZoomStepWithRepaint)->Unit(benchmark::kMillisecond)->Iterations(10);
// Levels 12 (0.6, kept scaled copy), 15 (1.0, picture as it is) and 20 (2.2, enlarged).
BENCHMARK(BM_PanRepaint)->Arg(12)->Arg(15)->Arg(20)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    MakeSource();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(g_file);
    return 0;
}
