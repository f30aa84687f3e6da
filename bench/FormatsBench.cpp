// The phone formats and animated GIF: EBA save and load of 16 frames of 240 x 400, GIF decoding
// and composition of a 16-frame 240 x 320 animation, and GIF encoding of those 16 frames next to
// ImageMagick's "convert -delay 10 -loop 0 frame*.png out.gif" on the same frames in the same run,
// with the mean error (PSNR against the source frames) of both results.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "imaging/AniGIF.h"
#include "imaging/EBAWrapper.h"

namespace {

constexpr int kFrames = 16;

std::string g_dir;
std::vector<extImage> g_ebaFrames;  // 240 x 400
std::vector<extImage> g_gifFrames;  // 240 x 320

// Photo-like frames: smooth colour fields, a bright disc moving across, and grain; the same
// every run.
std::vector<extImage> MakeFrames(long width, long height) {
    std::vector<extImage> frames;
    unsigned state = 12345;
    for (int f = 0; f < kFrames; ++f) {
        extImage p(width, height, 24);
        for (long y = 0; y < height; ++y) {
            BYTE* row = p.GetBits(static_cast<DWORD>(height - 1 - y));
            for (long x = 0; x < width; ++x) {
                const double sky = y / static_cast<double>(height);
                double r = 60 + 120 * sky + 40 * std::sin((x + f * 6) * 0.03);
                double g = 90 + 100 * (1 - sky) + 30 * std::cos(y * 0.05 + f * 0.3);
                double b = 200 - 120 * sky + 25 * std::sin((x + y) * 0.02);
                const double d = std::hypot(x - (60.0 + f * 8), y - (height / 2.0 + 40 * std::sin(f * 0.4)));
                if (d < 50) {
                    const double k = 1 - d / 50;
                    r = r * (1 - k) + 250 * k;
                    g = g * (1 - k) + 200 * k;
                    b = b * (1 - k) + 40 * k;
                }
                state = state * 1103515245u + 12345u;
                const int grain = static_cast<int>((state >> 16) % 13) - 6;
                row[3 * x + 2] = static_cast<BYTE>(std::clamp(static_cast<int>(r) + grain, 0, 255));
                row[3 * x + 1] = static_cast<BYTE>(std::clamp(static_cast<int>(g) + grain, 0, 255));
                row[3 * x + 0] = static_cast<BYTE>(std::clamp(static_cast<int>(b) + grain, 0, 255));
            }
        }
        frames.push_back(p);
    }
    return frames;
}

std::string FramePng(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame%02d.png", i);
    return g_dir + name;
}

void BM_EbaSave(benchmark::State& state) {
    CEBAWrapper eba;
    for (int i = 0; i < kFrames; ++i) eba.SetPicture(i, &g_ebaFrames[i]);
    const std::string path = g_dir + "/bench.eba";
    for (auto _ : state)
        if (!eba.SaveEBA(path.c_str(), CSize(0, 0))) state.SkipWithError("cannot save");
    state.counters["frames/s"] = benchmark::Counter(kFrames, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_EbaLoad(benchmark::State& state) {
    const std::string path = g_dir + "/bench.eba";
    for (auto _ : state) {
        CEBAWrapper eba;
        if (!eba.LoadEBA(path.c_str()) || eba.GetValidCount() != kFrames) state.SkipWithError("cannot load");
        benchmark::DoNotOptimize(eba.GetPtrFrameList()[15]->pImage);
    }
    state.counters["frames/s"] = benchmark::Counter(kFrames, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_GifDecodeCompose(benchmark::State& state) {
    const std::string path = g_dir + "/ours.gif";
    for (auto _ : state) {
        CAniGIF gif;
        if (!gif.LoadGIF(path.c_str()) || gif.GetValidCount() != kFrames) state.SkipWithError("cannot load");
        benchmark::DoNotOptimize(gif.GetPtrImageAni()[15]);
    }
    state.counters["frames/s"] = benchmark::Counter(kFrames, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_GifEncode(benchmark::State& state) {
    CAniGIF gif;
    for (int i = 0; i < kFrames; ++i) {
        gif.SetPicture(i, &g_gifFrames[i]);
        gif.SetDelay(i, 10);
    }
    const std::string path = g_dir + "/ours.gif";
    for (auto _ : state)
        if (!gif.SaveGIF(path.c_str())) state.SkipWithError("cannot save");
    state.counters["frames/s"] = benchmark::Counter(kFrames, benchmark::Counter::kIsIterationInvariantRate);
}

// The same work as ImageMagick's command: read the 16 PNG files, write the GIF.
void BM_GifEncodeFromPng(benchmark::State& state) {
    const std::string path = g_dir + "/ours-png.gif";
    for (auto _ : state) {
        CAniGIF gif;
        for (int i = 0; i < kFrames; ++i) {
            extImage frame(FramePng(i).c_str(), CXIMAGE_FORMAT_PNG);
            gif.SetPicture(i, &frame);
            gif.SetDelay(i, 10);
        }
        if (!gif.SaveGIF(path.c_str())) state.SkipWithError("cannot save");
    }
    state.counters["frames/s"] = benchmark::Counter(kFrames, benchmark::Counter::kIsIterationInvariantRate);
}

using benchsupport::Collector;

// ImageMagick's convert: the distribution's own program when it is there, else whatever the
// path finds.
std::string Convert() {
    if (::access("/usr/bin/convert", X_OK) == 0) return "/usr/bin/convert";
    return std::system("command -v convert >/dev/null 2>&1") == 0 ? "convert" : "";
}

struct Timing {
    double wall = -1;
    double cpu = -1;
};

// Best wall-clock and processor time (user + system, all threads) of a program over `runs` runs.
Timing BestRun(const std::vector<std::string>& args, int runs) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    Timing best;
    for (int i = 0; i < runs; ++i) {
        rusage before{}, after{};
        getrusage(RUSAGE_CHILDREN, &before);
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return Timing{};
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return Timing{};
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        getrusage(RUSAGE_CHILDREN, &after);
        auto secs = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
        const double cpu = secs(after.ru_utime) - secs(before.ru_utime) + secs(after.ru_stime) - secs(before.ru_stime);
        if (best.wall < 0 || wall < best.wall) best.wall = wall;
        if (best.cpu < 0 || cpu < best.cpu) best.cpu = cpu;
    }
    return best;
}

// Mean PSNR of a GIF's composed frames against the source frames; negative when it cannot be read.
double MeanPsnr(const std::string& path) {
    CAniGIF gif;
    if (!gif.LoadGIF(path.c_str()) || gif.GetValidCount() != kFrames) return -1;
    double sum = 0;
    for (int i = 0; i < kFrames; ++i) {
        const extImage* a = gif.GetPtrImageAni()[i];
        const extImage& b = g_gifFrames[i];
        if (!a || a->GetWidth() != b.GetWidth() || a->GetHeight() != b.GetHeight()) return -1;
        double squares = 0;
        for (DWORD y = 0; y < b.GetHeight(); ++y) {
            const BYTE* p = a->GetBits(y);
            const BYTE* q = b.GetBits(y);
            for (DWORD x = 0; x < 3 * b.GetWidth(); ++x) squares += (p[x] - q[x]) * (p[x] - q[x]);
        }
        const double mse = squares / (3.0 * b.GetWidth() * b.GetHeight());
        sum += mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
    }
    return sum / kFrames;
}

}  // namespace

int main(int argc, char** argv) {
    char pattern[] = "/tmp/vimbro-bench-XXXXXX";
    std::string base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/vimbro-bench-XXXXXX" : pattern;
    std::vector<char> dir(base.begin(), base.end());
    dir.push_back('\0');
    if (!::mkdtemp(dir.data())) return 1;
    g_dir = dir.data();

    g_ebaFrames = MakeFrames(240, 400);
    g_gifFrames = MakeFrames(240, 320);
    for (int i = 0; i < kFrames; ++i)
        if (!g_gifFrames[i].Save(FramePng(i).c_str(), CXIMAGE_FORMAT_PNG)) {
            std::fprintf(stderr, "cannot write the frames into %s\n", g_dir.c_str());
            return 1;
        }

    // The files the loading benchmarks read, whichever benchmarks are picked.
    {
        CEBAWrapper eba;
        CAniGIF gif;
        for (int i = 0; i < kFrames; ++i) {
            eba.SetPicture(i, &g_ebaFrames[i]);
            gif.SetPicture(i, &g_gifFrames[i]);
            gif.SetDelay(i, 10);
        }
        if (!eba.SaveEBA((g_dir + "/bench.eba").c_str(), CSize(0, 0)) || !gif.SaveGIF((g_dir + "/ours.gif").c_str()))
            return 1;
    }
    benchmark::RegisterBenchmark("EBA save 16x240x400", BM_EbaSave)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("EBA load 16x240x400", BM_EbaLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("GIF encode 16x240x320", BM_GifEncode)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("GIF encode from PNG", BM_GifEncodeFromPng)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("GIF decode+compose 16x240x320", BM_GifDecodeCompose)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    const std::string convert = Convert();
    auto ours = collector.seconds.find("GIF encode from PNG");
    if (convert.empty()) {
        std::printf("\nImageMagick's convert is not installed: no comparison (scripts/bench installs it)\n");
    } else if (ours != collector.seconds.end()) {
        std::vector<std::string> args = {convert, "-delay", "10", "-loop", "0"};
        for (int i = 0; i < kFrames; ++i) args.push_back(FramePng(i));
        args.push_back(g_dir + "/magick.gif");
        const Timing magick = BestRun(args, 3);
        const double oursPsnr = MeanPsnr(g_dir + "/ours-png.gif");
        const double magickPsnr = MeanPsnr(g_dir + "/magick.gif");
        const double oursWall = ours->second, oursCpu = collector.cpuSeconds["GIF encode from PNG"];
        std::printf("\nGIF encode of 16 frames of 240 x 320 from PNG files, ours against %s:\n", convert.c_str());
        std::printf("  ours    %8.1f ms wall %8.1f ms processor   PSNR %.2f dB\n", oursWall * 1e3, oursCpu * 1e3,
                    oursPsnr);
        if (magick.wall > 0) {
            const double ratio = magick.wall / oursWall;
            std::printf("  convert %8.1f ms wall %8.1f ms processor   PSNR %.2f dB\n", magick.wall * 1e3,
                        magick.cpu * 1e3, magickPsnr);
            // Quality is shown for comparison only; the target is speed.
            std::printf("  ratio %.1fx wall, %.1fx processor: target >= 3x %s; PSNR %+.2f dB\n", ratio,
                        magick.cpu / oursCpu, ratio >= 3 ? "met" : "MISSED", oursPsnr - magickPsnr);
        } else {
            std::printf("  convert failed\n");
        }
    }
    std::system(("rm -rf '" + g_dir + "'").c_str());
    return 0;
}
