// The catalogue's speed and memory: making ".thm" caches for large JPEG photos against
// vipsthumbnail on the same files, loading 10,000 items whose caches exist, opening an album of
// 10,000 items, importing 1,000 small JPEGs, and the program's start with 10,000 items in its
// catalogue.
#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <jpeglib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/VimbroApp.h"
#include "common/Gandry.h"
#include "bench/BenchSupport.h"
#include "platform/afx/afxwin.h"
#include "platform/kordune/DBManagerOper.h"
#include "platform/win/fileapi.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/ThumbCatalogue.h"
#include "views/catalogue/ThumbFile.h"
#include "views/catalogue/vxImage.h"

namespace fs = std::filesystem;

namespace {

fs::path WorkRoot() {
    static const fs::path root = [] {
        fs::path p = fs::temp_directory_path() / ("vimbro-bench-" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return root;
}

// Points the program folder and the documents folder at fresh places under the work root.
void UseHome(const std::string& name, bool fresh = true) {
    const fs::path base = WorkRoot() / name;
    if (fresh) fs::remove_all(base);
    fs::create_directories(base / "run");
    fs::create_directories(base / "home" / ".config");
    ::setenv("VIMBRO_HOME", (base / "run").c_str(), 1);
    ::setenv("HOME", (base / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (base / "home" / ".config").c_str(), 1);
}

// A JPEG with photo-like detail (smooth shapes plus grain), quality 90.
std::string EncodeJpeg(int width, int height, unsigned seed, int quality = 90) {
    std::mt19937 random(seed);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const int phase = static_cast<int>(random() % 1000);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < width; ++x) {
            const int grain = static_cast<int>(random() % 24);
            row[x * 3] = static_cast<unsigned char>((x * 255 / width + grain + phase) & 0xFF);
            row[x * 3 + 1] = static_cast<unsigned char>(((x ^ y) / 16 + grain) & 0xFF);
            row[x * 3 + 2] = static_cast<unsigned char>((y * 255 / height + grain * 2) & 0xFF);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// ---- (a) .thm caches for 100 photos of 4000 x 3000 against vipsthumbnail -----------------------

constexpr int kPhotos = 100;
double g_oursPerSecond = 0;
double g_vipsPerSecond = 0;

const std::vector<std::string>& LargePhotos() {
    static const std::vector<std::string> paths = [] {
        const fs::path folder = WorkRoot() / "large";
        fs::create_directories(folder);
        // Four different photos, each written 25 times under its own name.
        std::vector<std::string> variants;
        for (unsigned v = 0; v < 4; ++v) variants.push_back(EncodeJpeg(4000, 3000, v + 1));
        std::vector<std::string> made;
        for (int i = 0; i < kPhotos; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "photo%03d.jpg", i);
            WriteBytes((folder / name).string(), variants[static_cast<std::size_t>(i % 4)]);
            made.push_back((folder / name).string());
        }
        std::fprintf(stderr, "large photos: %d of 4000 x 3000, %zu bytes each on average\n", kPhotos,
                     (variants[0].size() + variants[1].size() + variants[2].size() + variants[3].size()) / 4);
        return made;
    }();
    return paths;
}

void BM_ThumbCaches100Photos(benchmark::State& state) {
    const std::vector<std::string>& photos = LargePhotos();
    UseHome("thm");
    const std::string photo = catalogue::PhotoFolder();
    catalogue::MakeFolder(photo);
    for (const std::string& p : photos) fs::create_hard_link(p, photo + "/" + fs::path(p).filename().string());
    CMessageBoxResponder boxes;
    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(catalogue::ThumbFolder());
        fs::remove(catalogue::CatalogueFile());
        CDBManagerOper db(catalogue::CatalogueFile());
        CThumbCatalogue view;
        view.SetDBConnect(&db);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        // The all-photos loading: every picture found, registered, and its cache made.
        view.SetAlbum(99, 0);
        total += Seconds(std::chrono::steady_clock::now() - start);
        if (view.GetThumbCount() != kPhotos) state.SkipWithError("not every photo became an item");
    }
    g_oursPerSecond = kPhotos * static_cast<double>(state.iterations()) / total;
    state.counters["images_per_s"] = g_oursPerSecond;
}
BENCHMARK(BM_ThumbCaches100Photos)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_Vipsthumbnail100Photos(benchmark::State& state) {
    const std::vector<std::string>& photos = LargePhotos();
    if (std::system("command -v vipsthumbnail >/dev/null 2>&1") != 0) {
        state.SkipWithError("vipsthumbnail is not installed (Debian package libvips-tools)");
        return;
    }
    const fs::path out = WorkRoot() / "vips-out";
    std::string command = "vipsthumbnail -s 500 -o '" + (out / "%s.jpg").string() + "'";
    for (const std::string& p : photos) command += " '" + p + "'";
    double total = 0;
    for (auto _ : state) {
        fs::remove_all(out);
        fs::create_directories(out);
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) state.SkipWithError("vipsthumbnail failed");
        total += Seconds(std::chrono::steady_clock::now() - start);
    }
    g_vipsPerSecond = kPhotos * static_cast<double>(state.iterations()) / total;
    state.counters["images_per_s"] = g_vipsPerSecond;
}
BENCHMARK(BM_Vipsthumbnail100Photos)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// ---- (b), (c) 10,000 items whose caches exist ---------------------------------------------------

constexpr int kItems = 10000;

// A photo folder of 10,000 small JPEGs with sound caches and catalogue rows, the rows all in
// album 1. The caches are sparse files: the loaders read the first record, the record headers
// and the marker, which are written; the larger records are holes.
void PrepareTenThousand() {
    static bool ready = false;
    UseHome("ten-thousand", !ready);
    if (ready) return;
    const std::string photo = catalogue::PhotoFolder();
    const std::string thumbs = catalogue::ThumbFolder();
    catalogue::MakeFolder(photo);
    catalogue::MakeFolder(thumbs);
    const std::string small = EncodeJpeg(64, 48, 7);
    thumbfile::Level level0;
    level0.width = 100;
    level0.height = 75;
    level0.bits.assign(static_cast<std::size_t>(thumbfile::Stride24(100) * 75), 0x80);
    CDBManagerOper db(catalogue::CatalogueFile());
    db.InsUpDel("insert into tbl_Album values(1, 'all')");
    for (int i = 0; i < kItems; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "item%05d.jpg", i);
        const std::string path = photo + "/" + name;
        WriteBytes(path, small);
        const std::string key = catalogue::KeyFromFile(path, name);
        const std::string cache = catalogue::ThumbPathFromKey(thumbs, key);
        // A preparation that failed would give figures for another catalogue.
        if (!benchsupport::WriteSparseThumbCache(cache, level0.bits)) std::abort();
        benchsupport::InsertAlbumOneRow(db, key, name, path);
    }
    ready = true;
}

void BM_AllPhotosLoading10000(benchmark::State& state) {
    PrepareTenThousand();
    CMessageBoxResponder boxes;
    double seconds = 0;
    long rss = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto db = std::make_unique<CDBManagerOper>(catalogue::CatalogueFile());
        auto view = std::make_unique<CThumbCatalogue>();
        view->SetDBConnect(db.get());
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        view->SetAlbum(99, 1);
        seconds = Seconds(std::chrono::steady_clock::now() - start);
        rss = ResidentKiB();
        state.PauseTiming();
        if (view->GetThumbCount() != kItems || !boxes.texts().empty()) state.SkipWithError("loading lost items");
        view.reset();
        db.reset();
        state.ResumeTiming();
    }
    state.counters["seconds"] = seconds;
    state.counters["resident_MB"] = static_cast<double>(rss) / 1024.0;
}
BENCHMARK(BM_AllPhotosLoading10000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Program start to the main window shown, with 10,000 items in the catalogue: the frame's whole
// creation (settings, resources, top bar, work views, catalogue connection) without the update
// check, whose splash waits on purpose. "until_idle" also counts the first loading of all photos,
// which runs on its worker thread behind the progress window after the window shows.
void BM_StartToMainWindow10000(benchmark::State& state) {
    PrepareTenThousand();
    CMessageBoxResponder boxes;
    CVimbroApp::LoadResources(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    double shown = 0, idle = 0;
    bool itemsOk = true;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        auto frame = std::make_unique<CMainFrame>();
        if (!frame->OnCreate(false)) {
            state.SkipWithError("the frame was not created");
            break;
        }
        frame->show();
        QApplication::processEvents();
        shown = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        // As the program does: the first loading of all photos starts once the window shows.
        frame->LoadAllPhotos();
        // The worker reports through posted messages: wait until every item is in and the
        // progress window has gone again.
        QElapsedTimer limit;
        limit.start();
        bool begun = false;
        while (limit.elapsed() < 120000) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            if (frame->IsProgressShown()) begun = true;
            else if (begun) break;
        }
        idle = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        itemsOk = itemsOk && frame->Browser() && frame->Browser()->GetThumbCount() == kItems;
        state.PauseTiming();
        frame.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (idle >= 120000) state.SkipWithError("the first loading did not finish");
    else if (!itemsOk) state.SkipWithError("the first loading lost items");
    if (!boxes.texts().empty()) state.SkipWithError(("a message was shown: " + boxes.texts().front()).c_str());
    state.counters["shown_ms"] = shown;
    state.counters["until_idle_ms"] = idle;
}
BENCHMARK(BM_StartToMainWindow10000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_AlbumOpening10000(benchmark::State& state) {
    PrepareTenThousand();
    CMessageBoxResponder boxes;
    CDBManagerOper db(catalogue::CatalogueFile());
    for (auto _ : state) {
        CThumbCatalogue view;
        view.SetDBConnect(&db);
        view.SetAlbum(1, 0);
        if (view.GetThumbCount() != kItems) state.SkipWithError("album lost items");
    }
}
BENCHMARK(BM_AlbumOpening10000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// ---- (d) import of 1,000 small JPEGs ---------------------------------------------------------

void BM_Import1000SmallJpegs(benchmark::State& state) {
    const fs::path source = WorkRoot() / "import-source";
    if (!fs::exists(source)) {
        fs::create_directories(source);
        const std::string bytes = EncodeJpeg(320, 240, 11);
        for (int i = 0; i < 1000; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "small%04d.jpg", i);
            WriteBytes((source / name).string(), bytes);
        }
    }
    CMessageBoxResponder boxes;
    for (auto _ : state) {
        state.PauseTiming();
        UseHome("import");
        auto db = std::make_unique<CDBManagerOper>(catalogue::CatalogueFile());
        auto view = std::make_unique<CThumbCatalogue>();
        view->SetDBConnect(db.get());
        view->SetAlbum(99, 0);
        CStringList paths;
        for (const std::string& name : win::ListFiles(source.string())) paths.push_back((source / name).string());
        state.ResumeTiming();
        view->ImportFile(&paths, 1);
        state.PauseTiming();
        if (view->GetThumbCount() != 1000) state.SkipWithError("import lost pictures");
        view.reset();
        db.reset();
        state.ResumeTiming();
    }
    state.counters["files_per_s"] = benchmark::Counter(1000, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Import1000SmallJpegs)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    // The start-up benchmark builds the real windows; no display is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_oursPerSecond > 0 && g_vipsPerSecond > 0) {
        std::printf(
            "thumbnail caches: %.1f images/s (three levels) vs vipsthumbnail %.1f images/s (one 500-pixel "
            "thumbnail): ratio %.2f\n",
            g_oursPerSecond, g_vipsPerSecond, g_oursPerSecond / g_vipsPerSecond);
    }
    std::error_code ec;
    fs::remove_all(WorkRoot(), ec);
    return 0;
}
