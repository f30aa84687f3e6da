// The slide strip's files: EBA save and load, GIF import, and copying the EBA file out.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/imaging/GifBuilder.h"
#include "tests/pavix/PictureTestUtil.h"
#include "tests/slides/SlideFixture.h"

using namespace slidetest;
using picturetest::ReadBytes;
using picturetest::TempDir;
using picturetest::WriteBytes;

namespace {

std::string GifWithFrames(const TempDir& dir, const std::string& name, std::vector<int> delays) {
    giftest::Builder builder(4, 3);
    for (std::size_t i = 0; i < delays.size(); ++i) {
        giftest::Frame f;
        f.width = 4;
        f.height = 3;
        f.fill = static_cast<BYTE>(i % 3);
        f.delay = delays[i];
        builder.Add(f);
    }
    WriteBytes(dir.File(name), builder.Bytes());
    return dir.File(name);
}

}  // namespace

class StripFilesTest : public StripTest {
protected:
    TempDir dir;
};

TEST_F(StripFilesTest, SavedEbaReadsBackWithFramesSizesAndDelays) {
    Place(2, 8, 6);
    strip.OnLButtonDown(PictureAreaPoint(strip, 0));
    strip.OnCommand(32793);  // 200
    strip.OnLButtonDown(PictureAreaPoint(strip, 1));
    strip.OnCommand(32798);  // 1500
    ASSERT_EQ(strip.GetModify(), 1);
    const std::string path = dir.File("anim.eba");
    ASSERT_TRUE(strip.SaveEBA(path.c_str()));
    EXPECT_EQ(strip.GetModify(), 0);
    EXPECT_EQ(strip.GetEBAPath(), path);

    std::vector<BYTE> bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 152u + 2 * 8 * 6 * 2);
    EXPECT_EQ(bytes[48], 2);

    CEBAWrapper check;
    ASSERT_TRUE(check.LoadEBA(path.c_str()));
    ASSERT_EQ(check.GetValidCount(), 2);
    for (int i = 0; i < 2; ++i) {
        extImage* frame = check.GetPtrFrameList()[i]->pImage;
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->GetWidth(), 8u);
        EXPECT_EQ(frame->GetHeight(), 6u);
        EXPECT_TRUE(picturetest::SameColour(frame->GetPixelColor(2, 2), SlideColour(i)));
    }
    EXPECT_EQ(check.GetPtrFrameList()[0]->nDelay, 200);
    EXPECT_EQ(check.GetPtrFrameList()[1]->nDelay, 1500);

    // A second composer loading the file shows the same slides, box 0 selected.
    CSlideStrip other;
    main.messages.clear();
    ASSERT_TRUE(other.LoadEBA(path.c_str()));
    EXPECT_EQ(other.GetValidCount(), 2);
    EXPECT_EQ(other.GetSelectedIndex(), 0);
    EXPECT_TRUE(other.GetPtrSlider(0)->IsSelected());
    EXPECT_TRUE(other.GetPtrSlider(1)->IsFilled());
    EXPECT_FALSE(other.GetPtrSlider(2)->IsFilled());
    EXPECT_EQ(other.GetPtrSlider(1)->GetDelay(), 1500);
    EXPECT_EQ(other.GetPtrSlider(1)->GetDelayText(), "1.5초");
    EXPECT_EQ(other.GetPtrSlider(1)->GetImage(), other.GetPtrEBA()->GetPtrFrameList()[1]->pImage);
    EXPECT_EQ(other.GetEBAPath(), path);
    EXPECT_EQ(main.Ids(), std::vector<UINT>{3082});
}

TEST_F(StripFilesTest, LoadingStopsPlaybackAndKeepsTheOverlay) {
    Place(2);
    const std::string path = dir.File("a.eba");
    ASSERT_TRUE(strip.SaveEBA(path.c_str()));
    extImage overlay = Solid(8, 6, Rgb(0, 255, 0));
    strip.SetSliderFrame(&overlay);
    strip.Play();
    ASSERT_TRUE(strip.IsPlaying());
    ASSERT_TRUE(strip.LoadEBA(path.c_str()));
    EXPECT_FALSE(strip.IsPlaying());
    EXPECT_EQ(strip.GetPtrEBA()->GetPtrFrameImage(), &overlay);
    EXPECT_EQ(strip.GetPtrSlider(1)->GetPtrFrameImage(), &overlay);

    // A missing file leaves the composer empty.
    EXPECT_FALSE(strip.LoadEBA(dir.File("missing.eba").c_str()));
    EXPECT_EQ(strip.GetValidCount(), 0);
    EXPECT_FALSE(strip.GetPtrSlider(0)->IsFilled());
}

TEST_F(StripFilesTest, GifImportTurnsHundredthsIntoMilliseconds) {
    const std::string path = GifWithFrames(dir, "three.gif", {10, 25, 150});
    ASSERT_TRUE(strip.LoadGIF(path.c_str()));
    ASSERT_EQ(strip.GetValidCount(), 3);
    EXPECT_EQ(strip.GetDelay(0), 100);
    EXPECT_EQ(strip.GetDelay(1), 250);
    EXPECT_EQ(strip.GetDelay(2), 1500);
    EXPECT_EQ(strip.GetPtrSlider(2)->GetDelay(), 1500);
    EXPECT_EQ(strip.GetSelectedIndex(), 0);
    // No slide size yet: the frames keep the GIF's.
    EXPECT_EQ(strip.GetPtrEBA()->GetPtrFrameList()[0]->pImage->GetWidth(), 4u);
    EXPECT_EQ(main.Ids(), std::vector<UINT>{3082});

    // With a slide size the frames are resampled to it.
    strip.SetCurrentSize(CSize(8, 6));
    ASSERT_TRUE(strip.LoadGIF(path.c_str()));
    EXPECT_EQ(strip.GetPtrEBA()->GetPtrFrameList()[1]->pImage->GetWidth(), 8u);
    EXPECT_EQ(strip.GetPtrEBA()->GetPtrFrameList()[1]->pImage->GetHeight(), 6u);
}

TEST_F(StripFilesTest, GifWithoutUsableDelayPlaysAtTheDefault) {
    const std::string path = GifWithFrames(dir, "zero.gif", {0, 7000});
    ASSERT_TRUE(strip.LoadGIF(path.c_str()));
    EXPECT_EQ(strip.GetDelay(0), 100);
    EXPECT_EQ(strip.GetDelay(1), 65530);  // 70 s does not fit the file's 16 bits
}

TEST_F(StripFilesTest, GifOfSeventeenFramesIsRefused) {
    Place(2);
    const std::string path = GifWithFrames(dir, "many.gif", std::vector<int>(17, 10));
    CMessageBoxResponder responder;
    EXPECT_FALSE(strip.LoadGIF(path.c_str()));
    EXPECT_EQ(responder.texts(), std::vector<std::string>{"슬라이더의 최대갯수는 16 입니다."});
    EXPECT_EQ(strip.GetValidCount(), 2);
    EXPECT_TRUE(strip.GetPtrSlider(1)->IsFilled());

    const std::string sixteen = GifWithFrames(dir, "sixteen.gif", std::vector<int>(16, 10));
    EXPECT_TRUE(strip.LoadGIF(sixteen.c_str()));
    EXPECT_EQ(strip.GetValidCount(), 16);
    EXPECT_FALSE(strip.IsEnableNew());
    EXPECT_EQ(responder.texts().size(), 1u);
}

TEST_F(StripFilesTest, ExportCopiesTheLastEbaFile) {
    int copied = 0;
    strip.ExportFile(dir.File("out"), 0, 0, "", copied);
    EXPECT_EQ(copied, 0);  // nothing loaded or saved yet

    Place(1);
    const std::string path = dir.File("Anim.EBA");
    ASSERT_TRUE(strip.SaveEBA(path.c_str()));
    std::filesystem::create_directory(dir.File("out"));
    strip.ExportFile(dir.File("out"), 0, 0, "", copied);
    EXPECT_EQ(copied, 1);
    EXPECT_EQ(ReadBytes(dir.File("out/Anim.eba")), ReadBytes(path));

    {
        CMessageBoxResponder responder({IDNO});
        strip.ExportFile(dir.File("out/"), 0, 0, "", copied);
        EXPECT_EQ(responder.texts(), std::vector<std::string>{"Anim.eba 파일이 존재합니다. 덮어쓸까요?"});
        EXPECT_EQ(responder.shown()[0].style & MB_TYPEMASK, MB_YESNO);
        EXPECT_EQ(copied, 1);
    }
    {
        CMessageBoxResponder responder({IDYES});
        strip.ExportFile(dir.File("out/"), 0, 0, "", copied);
        EXPECT_EQ(copied, 2);
    }
    CMessageBoxResponder responder;
    strip.ExportFile(dir.File("out"), 1, 0, "", copied);
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/Anim000.eba")));
    strip.ExportFile(dir.File("out"), 0, 1, "새이름", copied);
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/새이름.eba")));
    strip.ExportFile(dir.File("out"), 0, 1, "", copied);  // an empty name keeps the file's
    EXPECT_EQ(copied, 5);
    EXPECT_EQ(responder.texts().size(), 1u);
}

TEST_F(StripFilesTest, FailedSavesKeepTheModifiedFlag) {
    Place(1);
    strip.SetModify(1);
    EXPECT_FALSE(strip.SaveEBA(dir.File("no/such/folder/a.eba").c_str()));
    EXPECT_EQ(strip.GetModify(), 1);
    EXPECT_FALSE(strip.SaveGIF(dir.File("b.gif").c_str()));  // no GIF imported: nothing to write
    EXPECT_EQ(strip.GetModify(), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("b.gif")));
}

TEST_F(StripFilesTest, SaveGifWritesTheImportedFrames) {
    const std::string path = GifWithFrames(dir, "in.gif", {10, 20, 30});
    ASSERT_TRUE(strip.LoadGIF(path.c_str()));
    strip.SetModify(1);
    const std::string out = dir.File("out.gif");
    ASSERT_TRUE(strip.SaveGIF(out.c_str()));
    EXPECT_EQ(strip.GetModify(), 0);
    CAniGIF check;
    ASSERT_TRUE(check.LoadGIF(out.c_str()));
    ASSERT_EQ(check.GetValidCount(), 3);
    EXPECT_EQ(check.GetPtrImageAni()[2]->GetFrameDelay(), 30u);
}

TEST_F(StripFilesTest, CorruptEbaLeavesTheComposerEmpty) {
    Place(2);
    std::vector<BYTE> bytes(152, 0);
    bytes[0] = 'A', bytes[1] = 'N', bytes[2] = 'I';
    bytes[4] = 100, bytes[6] = 100, bytes[48] = 3;  // announces 3 frames of 100 x 100, holds none
    WriteBytes(dir.File("short.eba"), bytes);
    EXPECT_FALSE(strip.LoadEBA(dir.File("short.eba").c_str()));
    EXPECT_EQ(strip.GetValidCount(), 0);
    EXPECT_FALSE(strip.GetPtrSlider(0)->IsFilled());
    EXPECT_FALSE(strip.GetPtrSlider(1)->IsFilled());
}
