// The decoration preview panel: sizes by model, the information lines, play and stop, the frame
// cells, and how the decoration view keeps it in step with the slides.
#include <gtest/gtest.h>

#include <QComboBox>

#include "app/DlgPreview.h"
#include "app/PreviewChoice.h"
#include "app/ViewDecorate.h"
#include "common/Gandry.h"
#include "platform/afx/afxwin.h"
#include "tests/workviews/WidgetHelpers.h"
#include "views/controls/xSkinButtonEx.h"
#include "views/editor/LCDPreview.h"
#include "views/slides/ViewSlider.h"

namespace {

// Records the messages with the size a size message points at, read while it is handled.
class MainRecorder : public CMsgTarget {
public:
    struct Entry {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        CSize size;
    };
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        CSize size;
        if (message == CDlgPreview::kMsgSize && wParam) size = *reinterpret_cast<const CSize*>(wParam);
        entries.push_back({message, wParam, lParam, size});
        return 0;
    }
    std::vector<Entry> entries;
};

// The frame's part in playback: play and stop requests go to the decoration view.
class DecorateFrame : public CMsgTarget {
public:
    explicit DecorateFrame(CViewDecorate& view) : m_view(view) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override {
        if (message == CDlgPreview::kMsgPlay) m_view.OnSlidesPlay(wParam != 0);
        return 0;
    }

private:
    CViewDecorate& m_view;
};

class ModelScope {
public:
    explicit ModelScope(int model) : m_old(CGandry::m_enumModel) {
        CGandry::m_enumModel = static_cast<MODEL_SELECT>(model);
    }
    ~ModelScope() { CGandry::m_enumModel = m_old; }

private:
    MODEL_SELECT m_old;
};

TEST(PreviewChoice, DataSizeIsThatOfAnEbaFileInKilobytes) {
    // 176 x 144 x 1 x 2 + 152 = 50,840 bytes: 49.6 KB, shown rounded up.
    EXPECT_EQ(CPreviewChoice::DataLine(CSize(176, 144), 1), " : 50 KB");
    // 128 x 160 x 3 x 2 + 152 = 123,032 bytes.
    EXPECT_EQ(CPreviewChoice::DataLine(CSize(128, 160), 3), " : 121 KB");
    // 240 x 320 x 16 x 2 + 152 = 2,457,752 bytes.
    EXPECT_EQ(CPreviewChoice::DataLine(CSize(240, 320), 16), " : 2,401 KB");
    // No frames: the header alone.
    EXPECT_EQ(CPreviewChoice::DataLine(CSize(240, 400), 0), " : 1 KB");
    EXPECT_EQ(CPreviewChoice::EbaBytes(CSize(400, 240), 16), 3072152);
    EXPECT_EQ(CPreviewChoice::SizeLine(CSize(176, 220)), " : 176x220");
    EXPECT_EQ(CPreviewChoice::FrameLine(7), " : 7프레임");
}

TEST(PreviewChoice, PictureSizesOfTableAndUserModels) {
    const std::vector<CSize> model0 = CPreviewChoice::PictureSizes(0);
    ASSERT_EQ(model0.size(), 3u);  // the fourth pair is 0 x 0
    EXPECT_EQ(CPreviewChoice::FormatSize(model0[0]), "176x144");
    EXPECT_EQ(CPreviewChoice::FormatSize(model0[2]), "240x320");
    EXPECT_EQ(CPreviewChoice::PictureSizes(67).size(), 5u);
    EXPECT_EQ(CPreviewChoice::FormatSize(CSize(96, 64)), " 96x 64");
    CSize size(1, 1);
    EXPECT_TRUE(CPreviewChoice::ParseSize(" 96x 64", size));
    EXPECT_EQ(size, CSize(96, 64));
    EXPECT_FALSE(CPreviewChoice::ParseSize("abc", size));
    EXPECT_EQ(size, CSize(96, 64));
}

TEST(PreviewChoice, SizeButtonsByModelWithTheirFlags) {
    using C = CPreviewChoice;
    // Model 0's first button keeps the frames when the preview was 180 high.
    EXPECT_EQ(C::SizeButton(0, 0, CSize(240, 180)).size, CSize(176, 144));
    EXPECT_EQ(C::SizeButton(0, 0, CSize(240, 180)).flag, 0);
    EXPECT_EQ(C::SizeButton(0, 0, CSize(240, 320)).flag, 1);
    EXPECT_EQ(C::SizeButton(26, 1, CSize(176, 144)).flag, 0);
    EXPECT_EQ(C::SizeButton(26, 1, CSize(176, 144)).size, CSize(240, 180));
    EXPECT_EQ(C::SizeButton(1, 2, CSize(128, 160)).flag, 0);
    EXPECT_EQ(C::SizeButton(1, 2, CSize(128, 160)).size, CSize(176, 220));
    EXPECT_EQ(C::SizeButton(1, 0, CSize(176, 220)).flag, 0);
    EXPECT_EQ(C::SizeButton(3, 0, CSize(128, 128)).size, CSize(128, 128));
    EXPECT_EQ(C::SizeButton(14, 2, CSize()).size, CSize(240, 400));
    EXPECT_EQ(C::SizeButton(10, 2, CSize()).size, CSize(400, 240));
    EXPECT_EQ(C::SizeButton(22, 1, CSize()).size, CSize(176, 220));
    EXPECT_EQ(C::SizeButton(36, 0, CSize()).size, CSize(240, 180));
    EXPECT_EQ(C::SizeButton(36, 0, CSize()).flag, 1);
    // Other models keep the size and send flag 0.
    EXPECT_EQ(C::SizeButton(37, 1, CSize(320, 240)).size, CSize(320, 240));
    EXPECT_EQ(C::SizeButton(37, 1, CSize(320, 240)).flag, 0);
    EXPECT_EQ(C::ButtonCaption(37, 0), "128x160");
    EXPECT_EQ(C::ButtonCaption(7, 2), "240x400");
}

class PreviewPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        AfxSetMainWnd(&main);
    }
    void TearDown() override { AfxSetMainWnd(nullptr); }
    MainRecorder main;
};

TEST_F(PreviewPanelTest, DataLineFollowsEveryModelsSizesAndTheFrameCount) {
    CDlgPreview panel(nullptr);
    for (int model = 0; model <= 67; ++model) {
        if (model == 66) continue;
        ModelScope scope(model);
        panel.RebuildSizes();
        const std::vector<CSize> sizes = CPreviewChoice::PictureSizes(model);
        ASSERT_EQ(panel.GetSizeCombo()->count(), static_cast<int>(sizes.size())) << model;
        for (int i = 0; i < panel.GetSizeCombo()->count(); ++i) {
            panel.OnSizeCombo(i);
            panel.SetFrames(5, 0, {});
            const CSize s = sizes[static_cast<std::size_t>(i)];
            const long long bytes = static_cast<long long>(s.cx) * s.cy * 5 * 2 + 152;
            const long long kb = (bytes + 1023) / 1024;
            EXPECT_EQ(panel.GetDataLine().remove(',').remove(" : ").remove(" KB").toLongLong(), kb) << model << " " << i;
            EXPECT_EQ(panel.GetSizeLine(), QStringLiteral(" : %1x%2").arg(s.cx).arg(s.cy));
        }
    }
}

TEST_F(PreviewPanelTest, StartsOnTheModelsFirstPictureSize) {
    ModelScope scope(1);
    CDlgPreview panel(nullptr);
    EXPECT_EQ(panel.GetPreviewSize(), CSize(128, 160));
    EXPECT_EQ(panel.GetSizeCombo()->currentText(), QStringLiteral("128x160"));
    EXPECT_EQ(panel.GetSelectedButton(), 0);
    EXPECT_TRUE(panel.GetSizeButton(0)->isChecked());
    EXPECT_EQ(panel.GetSizeLine(), QStringLiteral(" : 128x160"));
    EXPECT_EQ(panel.GetDataLine(), QStringLiteral(" : 1 KB"));
    EXPECT_EQ(panel.GetFrameLine(), QStringLiteral(" : 0프레임"));
    EXPECT_TRUE(panel.IsPlayShown());
    EXPECT_EQ(panel.GetPlayButton()->toolTip(), QStringLiteral("플레이"));
    EXPECT_EQ(panel.GetStopButton()->toolTip(), QStringLiteral("정지"));
    // 128 x 160 fitted into the phone's 117 x 111 screen: 88 x 110 (whole pixels), centred.
    EXPECT_EQ(panel.GetLCDPreview()->GetScreenRect(), CRect(36, 50, 124, 160));
}

TEST_F(PreviewPanelTest, SizeButtonsSendTheSizeWithTheirFlag) {
    ModelScope scope(1);
    CDlgPreview panel(nullptr);
    panel.OnSizeButton(2);  // 176 x 220; the previous height 160 keeps the frames
    panel.OnSizeButton(0);  // 128 x 160; the previous height 220 keeps them too
    panel.OnSizeButton(1);  // 176 x 144
    ASSERT_EQ(main.entries.size(), 3u);
    EXPECT_EQ(main.entries[0].message, 3084u);
    EXPECT_EQ(main.entries[0].size, CSize(176, 220));
    EXPECT_EQ(main.entries[0].lParam, 0);
    EXPECT_EQ(main.entries[1].size, CSize(128, 160));
    EXPECT_EQ(main.entries[1].lParam, 0);
    EXPECT_EQ(main.entries[2].size, CSize(176, 144));
    EXPECT_EQ(main.entries[2].lParam, 1);
    EXPECT_EQ(panel.GetSelectedButton(), 1);
    EXPECT_FALSE(panel.GetSizeButton(0)->isChecked());
    EXPECT_TRUE(panel.GetSizeButton(1)->isChecked());
    EXPECT_EQ(panel.GetSizeLine(), QStringLiteral(" : 176x144"));
    // The combo sends its size with flag 1.
    panel.OnSizeCombo(2);
    EXPECT_EQ(main.entries.back().size, CSize(176, 220));
    EXPECT_EQ(main.entries.back().lParam, 1);
}

TEST_F(PreviewPanelTest, PlayAndStopSwapAndTellTheMainWindow) {
    CDlgPreview panel(nullptr);
    panel.OnPlay();
    EXPECT_FALSE(panel.IsPlayShown());
    EXPECT_FALSE(panel.GetStopButton()->isHidden());
    panel.OnStop();
    EXPECT_TRUE(panel.IsPlayShown());
    EXPECT_TRUE(panel.GetStopButton()->isHidden());
    ASSERT_EQ(main.entries.size(), 2u);
    EXPECT_EQ(main.entries[0].message, 3083u);
    EXPECT_EQ(main.entries[0].wParam, 1u);
    EXPECT_EQ(main.entries[1].wParam, 0u);
}

TEST_F(PreviewPanelTest, FrameCellsShowCurrentFilledAndEmpty) {
    CPreviewFrameStrip strip(nullptr);
    std::array<int, 16> states{};
    states[0] = states[1] = states[2] = 1;
    strip.SetFrames(states, 1);
    const QImage shot = strip.grab().toImage();
    EXPECT_EQ(shot.width(), 159);
    EXPECT_EQ(QColor(shot.pixel(4, 4)), QColor(153, 204, 0));
    EXPECT_EQ(QColor(shot.pixel(14, 4)), QColor(255, 153, 0));
    EXPECT_EQ(QColor(shot.pixel(24, 4)), QColor(153, 204, 0));
    EXPECT_EQ(QColor(shot.pixel(30, 0)), QColor(157, 157, 157));
    EXPECT_EQ(QColor(shot.pixel(38, 8)), QColor(157, 157, 157));
}

TEST_F(PreviewPanelTest, DecorationViewKeepsThePreviewInStepWithTheSlides) {
    CViewDecorate view(nullptr);
    view.resize(1200, 700);
    CViewSlider* slides = view.GetViewSlider();
    CDlgPreview* panel = view.GetDlgPreview();
    // Playing nothing leaves the play button up, also when the panel's own button asks.
    view.OnSlidesPlay(true);
    EXPECT_FALSE(slides->IsPlaying());
    EXPECT_TRUE(panel->IsPlayShown());
    DecorateFrame frame(view);
    AfxSetMainWnd(&frame);
    panel->OnPlay();
    AfxSetMainWnd(&main);
    EXPECT_TRUE(panel->IsPlayShown());
    for (int i = 0; i < 3; ++i) {
        // Slides of 176 x 144 in a colour each, with a band across to tell them apart.
        extImage picture(176, 144, 24);
        for (long y = 0; y < 144; ++y)
            for (long x = 0; x < 176; ++x) {
                const bool band = y > 60 && y < 84;
                picture.SetPixelColor(x, y, RGBQUAD{static_cast<BYTE>(band ? 255 : 80 * i), static_cast<BYTE>(x),
                                                    static_cast<BYTE>(band ? 255 : 255 - 60 * i), 0});
            }
        slides->Strip().OnLButtonDown(CPoint(slides->Strip().GetBoxRect(i).left + 20, 30));
        slides->SetCropImage(&picture);
    }
    slides->Strip().OnLButtonDown(CPoint(slides->Strip().GetBoxRect(1).left + 20, 30));
    view.RefreshPreview();
    EXPECT_EQ(panel->GetLCDPreview()->GetPtrImage(), slides->GetPtrImage());
    EXPECT_EQ(panel->GetFrameStrip()->GetCurrent(), 1);
    EXPECT_EQ(panel->GetFrameStrip()->GetStates()[2], 1);
    EXPECT_EQ(panel->GetFrameStrip()->GetStates()[3], 0);
    EXPECT_EQ(panel->GetFrameLine(), QStringLiteral(" : 3프레임"));
    view.OnSlidesPlay(true);
    EXPECT_TRUE(slides->IsPlaying());
    EXPECT_FALSE(panel->IsPlayShown());
    slides->OnTimer();
    view.RefreshPreview();
    EXPECT_EQ(panel->GetFrameStrip()->GetCurrent(), 2);
    Shot(&view, "decorate-playing");
    view.OnSlidesPlay(false);
    EXPECT_FALSE(slides->IsPlaying());
    EXPECT_FALSE(slides->IsTimerRunning());
    EXPECT_TRUE(panel->IsPlayShown());
    EXPECT_EQ(panel->GetFrameStrip()->GetCurrent(), 0);
}

}  // namespace
