// The album browser's drawing: a full 1600 x 1000 browser of level-1 thumbnails, a scroll from
// the top to the bottom of 10,000 items (the worst frame counts), and the resident memory with
// those 10,000 items on show. Every cache holds real level headers; the pixel records are holes
// of a sparse file, so the 10,000 caches take little disk and read as black pictures.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "platform/afx/afxwin.h"
#include "platform/kordune/DBManagerOper.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/ThumbFile.h"
#include "views/catalogue/ViewThumb.h"

namespace fs = std::filesystem;

namespace {

constexpr int kItems = 10000;
constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
// Cell 200: level 1 (300-pixel pictures), seven columns across 1600 pixels.
constexpr int kSlider = 25;

fs::path WorkRoot() {
    static const fs::path root = fs::temp_directory_path() / ("vimbro-browser-bench-" + std::to_string(::getpid()));
    return root;
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

// A 64 x 48 24-bit BMP picture.
std::string SmallBmp() {
    const int width = 64, height = 48, stride = width * 3;
    const int size = 54 + stride * height;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    auto put16 = [&](int at, int v) { bytes[at] = char(v & 0xFF), bytes[at + 1] = char((v >> 8) & 0xFF); };
    auto put32 = [&](int at, int v) { put16(at, v & 0xFFFF), put16(at + 2, (v >> 16) & 0xFFFF); };
    bytes[0] = 'B', bytes[1] = 'M';
    put32(2, size), put32(10, 54), put32(14, 40), put32(18, width), put32(22, height);
    put16(26, 1), put16(28, 24), put32(34, stride * height);
    for (int i = 54; i < size; ++i) bytes[static_cast<std::size_t>(i)] = char(i * 7);
    return bytes;
}

// 10,000 pictures in album 1 with their rows and sound caches.
void PrepareCatalogue() {
    static bool ready = false;
    if (ready) return;
    const fs::path base = WorkRoot();
    fs::create_directories(base / "run");
    fs::create_directories(base / "home" / ".config");
    ::setenv("VIMBRO_HOME", (base / "run").c_str(), 1);
    ::setenv("HOME", (base / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (base / "home" / ".config").c_str(), 1);
    // Made by a child process, so that what the making takes is not counted as the browser's.
    const pid_t child = ::fork();
    if (child < 0) std::abort();
    if (child > 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
        ready = true;
        return;
    }
    const std::string photo = catalogue::PhotoFolder();
    const std::string thumbs = catalogue::ThumbFolder();
    catalogue::MakeFolder(photo);
    catalogue::MakeFolder(thumbs);
    const std::string picture = SmallBmp();
    const std::vector<std::uint8_t> level0(static_cast<std::size_t>(thumbfile::Stride24(100) * 75), 0x80);
    CDBManagerOper db(catalogue::CatalogueFile());
    db.InsUpDel("insert into tbl_Album values(1, 'bench')");
    db.InsUpDel("begin transaction");
    for (int i = 0; i < kItems; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "pic%05d.bmp", i);
        const std::string path = photo + "/" + name;
        std::ofstream(path, std::ios::binary).write(picture.data(), static_cast<std::streamsize>(picture.size()));
        const std::string key = catalogue::KeyFromFile(path, name);
        const std::string cache = catalogue::ThumbPathFromKey(thumbs, key);
        // A preparation that failed would give figures for another catalogue.
        if (!benchsupport::WriteSparseThumbCache(cache, level0)) std::abort();
        benchsupport::InsertAlbumOneRow(db, key, name, path);
    }
    db.InsUpDel("commit");
    std::_Exit(0);
}

// The browser window at 1600 x 1000 of client area, showing the 10,000 items of album 1.
struct Browser {
    Browser() {
        PrepareCatalogue();
        db = std::make_unique<CDBManagerOper>(catalogue::CatalogueFile());
        view = std::make_unique<CViewThumb>();
        view->SetDBConnect(db.get());
        view->resize(kWidth, kHeight);
        view->show();
        view->resize(kWidth + view->width() - view->viewport()->width(), kHeight);
        view->SetSliderSize(kSlider);
        view->Catalogue().SetAlbum(1, 0);
        QCoreApplication::processEvents();
    }
    // One frame as the paint handler draws it, into a back buffer of the client size.
    void Frame() {
        QPainter painter(&buffer);
        view->PaintGrid(painter, buffer.rect());
    }
    CMessageBoxResponder boxes;
    std::unique_ptr<CDBManagerOper> db;
    std::unique_ptr<CViewThumb> view;
    QImage buffer{kWidth, kHeight, QImage::Format_RGB32};
};

double Ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// This thread's processor time in milliseconds: on a machine shared with other work the wall
// clock also counts the time other processes held the processor.
double ThreadCpuMs() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

// First, while the process is fresh (later benchmarks leave freed memory with the allocator):
// the resident memory before the browser, with 10,000 items loaded, shown at the top, and
// after a scroll through all of them.
void BM_Resident10000(benchmark::State& state) {
    PrepareCatalogue();
    for (auto _ : state) {
        const long before = ResidentKiB();
        Browser browser;
        const long loaded = ResidentKiB();
        browser.Frame();
        const long shown = ResidentKiB();
        QScrollBar* bar = browser.view->verticalScrollBar();
        for (int y = 0; y <= bar->maximum(); y += browser.view->Catalogue().GetRowPitch()) {
            bar->setValue(y);
            browser.Frame();
        }
        state.counters["before_MB"] = static_cast<double>(before) / 1024.0;
        state.counters["loaded_MB"] = static_cast<double>(loaded) / 1024.0;
        state.counters["shown_MB"] = static_cast<double>(shown) / 1024.0;
        state.counters["scrolled_MB"] = static_cast<double>(ResidentKiB()) / 1024.0;
    }
}
BENCHMARK(BM_Resident10000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_FullBrowserFrameLevel1(benchmark::State& state) {
    Browser browser;
    if (browser.view->Catalogue().GetThumbCount() != kItems || browser.view->Catalogue().GetLevel() != 1) {
        state.SkipWithError("the browser did not show 10,000 level-1 items");
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    browser.Frame();  // the first frame reads and converts every picture on show
    const double first = Ms(std::chrono::steady_clock::now() - start);
    for (auto _ : state) browser.Frame();
    state.counters["first_frame_ms"] = first;
    state.counters["items_drawn"] = browser.view->KeptImageCount();
    state.counters["columns"] = browser.view->Catalogue().GetColumns();
}
BENCHMARK(BM_FullBrowserFrameLevel1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScrollTopToBottom10000(benchmark::State& state) {
    Browser browser;
    QScrollBar* bar = browser.view->verticalScrollBar();
    const int step = browser.view->Catalogue().GetRowPitch();
    double worst = 0, total = 0, worstCpu = 0, totalCpu = 0;
    int frames = 0;
    for (auto _ : state) {
        bar->setValue(0);
        browser.Frame();
        worst = 0, total = 0, worstCpu = 0, totalCpu = 0, frames = 0;
        // One line (a row of thumbnails) a frame, as the arrow of the scroll bar moves it.
        for (int y = step; y <= bar->maximum() + step - 1; y += step) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = ThreadCpuMs();
            bar->setValue(std::min(y, bar->maximum()));
            browser.Frame();
            const double cpu = ThreadCpuMs() - cpuStart;
            const double ms = Ms(std::chrono::steady_clock::now() - start);
            worst = std::max(worst, ms);
            total += ms;
            worstCpu = std::max(worstCpu, cpu);
            totalCpu += cpu;
            ++frames;
        }
    }
    state.counters["frames"] = frames;
    state.counters["worst_frame_ms"] = worst;
    state.counters["mean_frame_ms"] = frames ? total / frames : 0;
    state.counters["worst_frame_cpu_ms"] = worstCpu;
    state.counters["mean_frame_cpu_ms"] = frames ? totalCpu / frames : 0;
}
BENCHMARK(BM_ScrollTopToBottom10000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(WorkRoot(), ec);
    return 0;
}
