// What the start-up splash costs before the update check begins: cutting the window's shape
// from the picture, redrawing the skinned bar, and reading a full-length file list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#include "update/PelloqResources.h"
#include "update/SkinProgress.h"
#include "update/SplashScreenEx.h"
#include "update/UpdateManager.h"

namespace {

void BM_SplashShape(benchmark::State& state) {
    const std::string_view data = Pelloq::BitmapData(Pelloq::IDB_SPLASH);
    QImage picture;
    picture.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()));
    for (auto _ : state) benchmark::DoNotOptimize(CSplashScreenEx::CreateRgnFromBitmap(picture, RGB(12, 41, 80)));
}
BENCHMARK(BM_SplashShape);

void BM_ProgressStep(benchmark::State& state) {
    QWidget dialog;
    QWidget* placeholder = new QWidget(&dialog);
    placeholder->setGeometry(15, 215, 375, 15);
    CSkinProgress bar(placeholder, 8, nullptr, nullptr, nullptr, CSkinProgress::cProgressNone);
    int pos = 0;
    for (auto _ : state) {
        bar.SetPos(pos);
        pos = (pos + 1) % 9;
        benchmark::DoNotOptimize(bar.GetBarImage().constBits());
    }
}
BENCHMARK(BM_ProgressStep);

void BM_ParseFileList(benchmark::State& state) {
    CString list;
    char entry[32];
    for (int i = 0; list.size() < 1023; ++i) {
        std::snprintf(entry, sizeof entry, "f%04d.dll,1.%d;", i, i % 10);
        list += entry;
    }
    list.resize(1023);
    for (auto _ : state) {
        CMapStringToString map;
        CUpdateManager::ParseFileList(list, map);
        benchmark::DoNotOptimize(map.size());
    }
}
BENCHMARK(BM_ParseFileList);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
