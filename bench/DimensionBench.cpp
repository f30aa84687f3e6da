// The catalogue's dimension texts: vxImage::ReadDimension over 1,000 PNG and GIF files (500 of
// each, 640 x 480 photo-like pictures), as a catalogue scan computes them for items without one,
// beside the same texts taken from fully decoded pictures (the loading constructor), with the ratio.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/Gandry.h"
#include "imaging/extImage.h"
#include "platform/pavix/ximage.h"
#include "views/catalogue/vxImage.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFilesPerFormat = 500;
constexpr int kWidth = 640;
constexpr int kHeight = 480;

fs::path WorkRoot() {
    static const fs::path root = [] {
        fs::path p = fs::temp_directory_path() / ("vimbro-dimension-bench-" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return root;
}

// Smooth shapes with grain, so the files compress like pictures rather than like flat colour.
CxImage MakePicture(unsigned seed) {
    CxImage picture(kWidth, kHeight, 24, CXIMAGE_FORMAT_BMP);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> grain(-12, 12);
    for (int y = 0; y < kHeight; ++y) {
        BYTE* row = picture.GetBits(static_cast<DWORD>(y));
        for (int x = 0; x < kWidth; ++x) {
            auto clamp = [](int v) { return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v); };
            row[3 * x] = clamp((x * 255) / kWidth + grain(random));
            row[3 * x + 1] = clamp((y * 255) / kHeight + grain(random));
            row[3 * x + 2] = clamp(static_cast<int>((seed * 37 + x + y) % 256) + grain(random));
        }
    }
    return picture;
}

const std::vector<std::string>& Files() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> paths;
        for (int i = 0; i < kFilesPerFormat; ++i) {
            // A handful of distinct pictures copied under many names keeps the set-up short.
            static std::vector<std::string> sources;
            if (sources.size() < 8) {
                CxImage picture = MakePicture(static_cast<unsigned>(i + 1));
                const std::string png = (WorkRoot() / ("source" + std::to_string(i) + ".png")).string();
                const std::string gif = (WorkRoot() / ("source" + std::to_string(i) + ".gif")).string();
                picture.Save(png.c_str(), CXIMAGE_FORMAT_PNG);
                picture.Save(gif.c_str(), CXIMAGE_FORMAT_GIF);
                sources.push_back(png);
                sources.push_back(gif);
            }
            for (int k = 0; k < 2; ++k) {
                const std::string& from = sources[(2 * i + k) % sources.size()];
                const std::string to = (WorkRoot() / ("picture" + std::to_string(i) + (k ? ".gif" : ".png"))).string();
                fs::copy_file(from, to, fs::copy_options::overwrite_existing);
                paths.push_back(to);
            }
        }
        return paths;
    }();
    return files;
}

void BM_ReadDimension1000PngGif(benchmark::State& state) {
    const std::vector<std::string>& files = Files();
    for (auto _ : state) {
        std::size_t read = 0;
        for (const std::string& path : files) {
            if (vxImage::ReadDimension(path) == "640 x 480") ++read;
        }
        if (read != files.size()) state.SkipWithError("a dimension text was wrong");
    }
    state.counters["files_per_s"] =
        benchmark::Counter(static_cast<double>(files.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReadDimension1000PngGif)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

double g_headerSeconds = 0;
double g_decodeSeconds = 0;

void BM_DecodedDimension1000PngGif(benchmark::State& state) {
    const std::vector<std::string>& files = Files();
    for (auto _ : state) {
        std::size_t read = 0;
        for (const std::string& path : files) {
            const int type = CGandry::FindType(path.substr(path.size() - 3));
            extImage picture(path.c_str(), static_cast<unsigned long>(type));
            if (picture.GetWidth() == 640 && picture.GetHeight() == 480) ++read;
        }
        if (read != files.size()) state.SkipWithError("a picture was not decoded");
    }
    state.counters["files_per_s"] =
        benchmark::Counter(static_cast<double>(files.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DecodedDimension1000PngGif)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Records each benchmark's time per iteration for the ratio printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const double seconds = run.GetAdjustedRealTime() / 1000.0;
            if (run.benchmark_name().find("BM_ReadDimension") == 0) g_headerSeconds = seconds;
            if (run.benchmark_name().find("BM_DecodedDimension") == 0) g_decodeSeconds = seconds;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (g_headerSeconds > 0 && g_decodeSeconds > 0) {
        std::printf("dimension texts of 1,000 PNG+GIF files: %.1f ms from headers, %.1f ms by decoding: %.0fx\n",
                    g_headerSeconds * 1000, g_decodeSeconds * 1000, g_decodeSeconds / g_headerSeconds);
    }
    std::error_code ec;
    fs::remove_all(WorkRoot(), ec);
    return 0;
}
