// Picture effects and JPEG decoding on a 12-megapixel 24-bit picture, next to ImageMagick's
// convert doing the same work on the same input and libjpeg-turbo's djpeg decoding the same file.
//
// Our figures come from Google Benchmark (each iteration starts from a fresh copy of the input,
// the copy not timed). ImageMagick's time for an effect is the best of a few runs of
// "convert in.mpc <effect> null:" less the best run of "convert in.mpc null:" (start-up and
// opening the memory-mapped input), so both sides count the effect alone.
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
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "imaging/extImage.h"

namespace {

constexpr long kWidth = 4000;
constexpr long kHeight = 3000;
constexpr double kMegapixels = kWidth * kHeight / 1e6;

std::string g_dir;
extImage* g_source = nullptr;

// A photo-like picture: smooth colour fields, edges and fine texture, the same every run.
void MakeSource(extImage& p) {
    p.Create(kWidth, kHeight, 24, CXIMAGE_FORMAT_BMP);
    unsigned state = 12345;
    for (long y = 0; y < kHeight; ++y) {
        BYTE* row = p.GetBits(y);
        for (long x = 0; x < kWidth; ++x) {
            state = state * 1103515245u + 12345u;
            int grain = static_cast<int>((state >> 16) & 31) - 16;
            double fx = x / static_cast<double>(kWidth), fy = y / static_cast<double>(kHeight);
            int r = static_cast<int>(128 + 100 * std::sin(6.0 * fx + 2.0 * fy)) + grain;
            int g = static_cast<int>(128 + 90 * std::cos(5.0 * fy - 3.0 * fx)) + grain;
            int b = static_cast<int>(110 + 80 * std::sin(9.0 * fx * fy)) + grain;
            if (((x / 250) + (y / 250)) % 7 == 0) r = 255 - r;  // hard edges
            row[3 * x] = static_cast<BYTE>(std::clamp(b, 0, 255));
            row[3 * x + 1] = static_cast<BYTE>(std::clamp(g, 0, 255));
            row[3 * x + 2] = static_cast<BYTE>(std::clamp(r, 0, 255));
        }
    }
}

struct Effect {
    const char* name;
    std::function<void(extImage&)> run;
    const char* magick;  // convert arguments for the same work, or null
    double target;       // required ratio of ImageMagick's time to ours (0: none)
};

const long kBlur[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
const long kSharpen[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};

std::vector<Effect> Effects() {
    return {
        {"GrayScale24", [](extImage& p) { p.GrayScale24(); }, "-grayscale Rec601Luma", 3.0},
        {"Thresold24", [](extImage& p) { p.Thresold24(128); }, "-threshold 50%", 3.0},
        {"Concentration", [](extImage& p) { p.Concentration(CHANNEL_RED, 50); },
         "-channel R -evaluate add 19.6% +channel", 3.0},
        {"Light", [](extImage& p) { p.Light(20, 30, &p); }, "-brightness-contrast 20x30", 3.0},
        {"sepia",
         [](extImage& p) {
             p.GrayScale24();
             p.Concentration(CHANNEL_RED, 50);
             p.Concentration(CHANNEL_BLUE, -50);
         },
         "-sepia-tone 80%", 3.0},
        {"blur 3x3", [](extImage& p) { p.Filter(kBlur, 3, 9, 0); }, "-convolve 1,1,1,1,1,1,1,1,1", 1.5},
        {"sharpen 3x3", [](extImage& p) { p.Filter(kSharpen, 3, 7, 0); }, "-convolve -1,-1,-1,-1,15,-1,-1,-1,-1", 1.5},
        {"Median 3", [](extImage& p) { p.Median(3); }, "-statistic Median 3x3", 1.5},
        {"Pixelate 5", [](extImage& p) { p.Pixelate(5, false, nullptr); }, "-sample 20% -sample 500%", 0},
        {"Jitter 2", [](extImage& p) { p.Jitter(2, nullptr); }, "-spread 2", 0},
        {"Contour 3", [](extImage& p) { p.Contour(3, nullptr); }, nullptr, 0},
        {"Dilate 2", [](extImage& p) { p.Dilate(2, nullptr); }, "-morphology Dilate Rectangle:2x2+1+1", 0},
        {"Erode 2", [](extImage& p) { p.Erode(2, nullptr); }, "-morphology Erode Rectangle:2x2+1+1", 0},
        {"Noise 50", [](extImage& p) { p.Noise(50); }, "-evaluate Uniform-noise 5", 0},
        {"RotateLeft", [](extImage& p) { p.RotateLeft(); }, "-rotate -90", 0},
        {"Resample bicubic", [](extImage& p) { p.Resample(1000, 750, 2); }, "-filter Catrom -resize 1000x750!", 0},
    };
}

using benchsupport::Collector;

bool HaveProgram(const char* name) {
    std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Best wall-clock time of a shell command over `runs` runs; negative when it fails.
double BestRun(const std::string& command, int runs) {
    double best = -1;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) return -1;
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (best < 0 || s < best) best = s;
    }
    return best;
}

// Best processor time (user + system) of a program run directly, over `runs` runs; negative on failure.
double BestChildCpu(const std::vector<std::string>& args, int runs) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    double best = -1;
    for (int i = 0; i < runs; ++i) {
        rusage before{}, after{};
        getrusage(RUSAGE_CHILDREN, &before);
        pid_t pid = 0;
        if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
        getrusage(RUSAGE_CHILDREN, &after);
        auto secs = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
        double s = secs(after.ru_utime) - secs(before.ru_utime) + secs(after.ru_stime) - secs(before.ru_stime);
        if (best < 0 || s < best) best = s;
    }
    return best;
}

void BM_Effect(benchmark::State& state, const Effect* effect) {
    extImage work(*g_source);
    for (auto _ : state) {
        state.PauseTiming();
        if (work.GetWidth() != static_cast<DWORD>(kWidth) || work.GetHeight() != static_cast<DWORD>(kHeight))
            work.Copy(*g_source);
        else
            std::memcpy(work.GetBits(), g_source->GetBits(), g_source->GetImageSize());
        state.ResumeTiming();
        effect->run(work);
        benchmark::ClobberMemory();
    }
    state.counters["MP/s"] = benchmark::Counter(kMegapixels, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_JpegDecode(benchmark::State& state) {
    std::string path = g_dir + "/in.jpg";
    for (auto _ : state) {
        CxImage p;
        p.Load(path.c_str(), CXIMAGE_FORMAT_JPG);
        if (!p.IsValid()) state.SkipWithError("cannot decode");
        benchmark::DoNotOptimize(p.GetBits());
    }
    state.counters["MP/s"] = benchmark::Counter(kMegapixels, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

int main(int argc, char** argv) {
    char pattern[] = "/tmp/vimbro-bench-XXXXXX";
    std::string base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/vimbro-bench-XXXXXX" : pattern;
    std::vector<char> dir(base.begin(), base.end());
    dir.push_back('\0');
    if (!::mkdtemp(dir.data())) return 1;
    g_dir = dir.data();

    extImage source;
    MakeSource(source);
    g_source = &source;
    source.SetJpegQuality(90);
    if (!source.Save((g_dir + "/in.bmp").c_str(), CXIMAGE_FORMAT_BMP) ||
        !source.Save((g_dir + "/in.jpg").c_str(), CXIMAGE_FORMAT_JPG)) {
        std::fprintf(stderr, "cannot write the input pictures into %s\n", g_dir.c_str());
        return 1;
    }

    std::vector<Effect> effects = Effects();
    for (const Effect& e : effects)
        benchmark::RegisterBenchmark(e.name, BM_Effect, &e)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("JPEG decode", BM_JpegDecode)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    std::printf("\n%.1f-megapixel 24-bit picture (%ld x %ld)\n", kMegapixels, kWidth, kHeight);
    bool magick = HaveProgram("convert");
    double startup = -1;
    if (magick) {
        std::string mpc = g_dir + "/in.mpc";
        magick = std::system(("convert '" + g_dir + "/in.bmp' '" + mpc + "'").c_str()) == 0;
        startup = magick ? BestRun("convert '" + mpc + "' null:", 5) : -1;
    }
    if (!magick) std::printf("ImageMagick's convert is not installed: no comparison (scripts/bench installs it)\n");
    std::printf("%-18s %10s %10s %12s %10s %8s  %s\n", "effect", "ours ms", "ours MP/s", "convert ms", "conv MP/s",
                "ratio", "target");
    for (const Effect& e : effects) {
        auto found = collector.seconds.find(e.name);
        if (found == collector.seconds.end()) continue;
        double ours = found->second;
        std::printf("%-18s %10.1f %10.1f", e.name, ours * 1e3, kMegapixels / ours);
        if (magick && e.magick) {
            int runs = std::string(e.magick).find("Median") != std::string::npos ? 1 : 3;
            double theirs = BestRun("convert '" + g_dir + "/in.mpc' " + e.magick + " null:", runs);
            if (theirs > 0) {
                theirs = std::max(theirs - startup, 1e-6);
                double ratio = theirs / ours;
                std::printf(" %12.1f %10.1f %7.1fx", theirs * 1e3, kMegapixels / theirs, ratio);
                if (e.target > 0)
                    std::printf("  >= %.1fx %s", e.target, ratio >= e.target ? "met" : "MISSED");
                else
                    std::printf("  (for reference: the work is alike, not identical)");
            } else {
                std::printf(" %12s", "failed");
            }
        }
        std::printf("\n");
    }
    auto jpeg = collector.seconds.find("JPEG decode");
    if (jpeg != collector.seconds.end()) {
        double oursCpu = collector.cpuSeconds["JPEG decode"];
        std::printf("\nJPEG decode (quality 90): ours %.1f ms wall, %.1f ms processor (%.1f MP/s)", jpeg->second * 1e3,
                    oursCpu * 1e3, kMegapixels / jpeg->second);
        if (HaveProgram("djpeg")) {
            std::string file = g_dir + "/in.jpg";
            double djpegWall = BestRun("djpeg -outfile /dev/null '" + file + "'", 7);
            double djpegCpu = BestChildCpu({"djpeg", "-outfile", "/dev/null", file}, 7);
            if (djpegWall > 0 && djpegCpu > 0) {
                // Processor time is the measure: it does not depend on what else the machine runs.
                double slower = (oursCpu / djpegCpu - 1) * 100;
                std::printf(
                    "\n  djpeg %.1f ms wall, %.1f ms processor: ours takes %+.1f%% of djpeg's processor time"
                    " (wall %+.1f%%), target within 10%% %s\n",
                    djpegWall * 1e3, djpegCpu * 1e3, slower, (jpeg->second / djpegWall - 1) * 100,
                    slower <= 10 ? "met" : "MISSED");
            }
        } else {
            std::printf(", djpeg not installed (libjpeg-turbo-progs)\n");
        }
    }
    std::system(("rm -rf '" + g_dir + "'").c_str());
    return 0;
}
