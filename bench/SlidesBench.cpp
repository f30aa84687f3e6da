// The slide composer: playback of 16 slides of 240 x 320 with the phone preview repainted at
// every slide (how far each slide's time on screen strays from its delay), and saving the 16
// slides as an EBA file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/afx/afxwin.h"
#include "views/editor/LCDPreview.h"
#include "views/slides/ViewSlider.h"

namespace {

constexpr int kSlides = 16;
constexpr long kWidth = 240;
constexpr long kHeight = 320;

QApplication* App() {
    static int argc = 1;
    static char name[] = "bench_slides";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

// Photo-like slides: colour fields and grain, the same every run.
void Fill(CViewSlider& view) {
    unsigned state = 777;
    for (int i = 0; i < kSlides; ++i) {
        extImage picture(kWidth, kHeight, 24);
        for (long y = 0; y < kHeight; ++y) {
            for (long x = 0; x < kWidth; ++x) {
                state = state * 1103515245u + 12345u;
                const int grain = static_cast<int>((state >> 16) % 24);
                RGBQUAD c{static_cast<BYTE>((x + i * 16 + grain) & 0xFF), static_cast<BYTE>((y + grain) & 0xFF),
                          static_cast<BYTE>((x + y + i * 8) & 0xFF), 0};
                picture.SetPixelColor(x, y, c);
            }
        }
        view.Strip().OnLButtonDown(CPoint(view.Strip().GetBoxRect(i).left + 20, 30));
        view.SetCropImage(&picture);
        // Delays from 100 to 250 ms.
        view.Strip().OnDelay(100 + (i % 4) * 50);
    }
    view.Strip().OnLButtonDown(CPoint(view.Strip().GetBoxRect(0).left + 20, 30));
}

// The main window of the benchmark: at every slide it repaints the phone preview with the slide
// now shown, as the program does, and notes the time.
class PreviewWindow : public CMsgTarget {
public:
    PreviewWindow(CViewSlider& view, CLCDPreview& lcd) : m_view(view), m_lcd(lcd) {}
    LRESULT WindowProc(UINT message, WPARAM, LPARAM) override {
        if (message == CSlideStrip::kMsgSlidesChanged && m_view.IsPlaying()) {
            m_ticks.push_back(m_clock.nsecsElapsed() / 1.0e6);
            m_intervals.push_back(m_view.Strip().GetTimerInterval());
            m_lcd.SetPtrImage(m_view.GetPtrImage());
            m_lcd.repaint();
            m_view.repaint();
        } else if (message == CSlideStrip::kMsgPlayEnded) {
            m_ended = true;
        }
        return 0;
    }
    void Start(int firstInterval) {
        m_ticks.clear();
        m_intervals.clear();
        m_ended = false;
        m_first = firstInterval;
        m_clock.start();
    }
    bool Ended() const { return m_ended; }
    // How far each slide's time on screen was from the delay in force, in milliseconds.
    std::vector<double> Deviations() const {
        std::vector<double> out;
        double previous = 0;
        int interval = m_first;
        for (std::size_t i = 0; i < m_ticks.size(); ++i) {
            out.push_back(std::fabs(m_ticks[i] - previous - interval));
            previous = m_ticks[i];
            interval = m_intervals[i];
        }
        return out;
    }

private:
    CViewSlider& m_view;
    CLCDPreview& m_lcd;
    QElapsedTimer m_clock;
    std::vector<double> m_ticks;
    std::vector<int> m_intervals;
    int m_first = 0;
    bool m_ended = false;
};

void BM_PlaybackKeepsDelays(benchmark::State& state) {
    App();
    CViewSlider view;
    view.resize(1320, 110);
    CLCDPreview lcd;
    lcd.LoadBitmapA(7354);
    lcd.SetSize(CSize(kWidth, kHeight));
    view.show();
    lcd.show();
    Fill(view);
    PreviewWindow main(view, lcd);
    AfxSetMainWnd(&main);
    double worst = 0, sum = 0;
    std::size_t count = 0;
    for (auto _ : state) {
        main.Start(view.Strip().GetDelay(0));
        view.Play();
        while (!main.Ended()) QTest::qWait(1);
        view.Stop();
        for (double d : main.Deviations()) {
            worst = std::max(worst, d);
            sum += d;
            ++count;
        }
    }
    AfxSetMainWnd(nullptr);
    state.counters["slides"] = static_cast<double>(count);
    state.counters["worst_ms"] = worst;
    state.counters["mean_ms"] = count ? sum / static_cast<double>(count) : 0;
    std::printf("playback: %zu slides, worst deviation %.2f ms, mean %.2f ms (target: within 10 ms)\n", count, worst,
                count ? sum / static_cast<double>(count) : 0.0);
}
BENCHMARK(BM_PlaybackKeepsDelays)->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_SaveSixteenSlidesAsEba(benchmark::State& state) {
    App();
    CViewSlider view;
    Fill(view);
    const std::string path = "/tmp/bench_slides_" + std::to_string(getpid()) + ".eba";
    for (auto _ : state) {
        if (!view.SaveEBA(path.c_str())) state.SkipWithError("save failed");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveSixteenSlidesAsEba)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
