// vimbro-tool convert with the phone formats, check, eba and gif.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "imaging/AniGIF.h"
#include "imaging/EBAWrapper.h"
#include "tests/pavix/PictureTestUtil.h"
#include "tests/support/ToolRunner.h"

using namespace picturetest;

namespace {

using Result = testsupport::CommandResult;

Result RunIn(const TempDir& dir, const std::string& args) {
    return testsupport::RunCommand(
        "cd " + testsupport::ShellQuote(dir.File("")) + " && " + testsupport::ShellQuote(testsupport::ToolPath()) +
            " " + args,
        dir.File("stderr.txt"));
}

RGBQUAD Rgb(BYTE r, BYTE g, BYTE b) {
    return RGBQUAD{b, g, r, 0};
}

void SavePng(const TempDir& dir, const std::string& name, long w, long h, RGBQUAD c) {
    CxImage p(w, h, 24);
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x) p.SetPixelColor(x, y, c);
    ASSERT_TRUE(p.Save(dir.File(name).c_str(), CXIMAGE_FORMAT_PNG));
}

RGBQUAD TopLeft(const CxImage& p) {
    return p.GetPixelColor(0, static_cast<long>(p.GetHeight()) - 1);
}

}  // namespace

TEST(ToolPhoneFormats, ConvertWritesAndReadsPhtAndImg) {
    TempDir dir;
    CxImage two(2, 1, 24);
    two.SetPixelColor(0, 0, Rgb(255, 0, 0));
    two.SetPixelColor(1, 0, Rgb(255, 255, 255));
    ASSERT_TRUE(two.Save(dir.File("two.png").c_str(), CXIMAGE_FORMAT_PNG));
    ASSERT_EQ(RunIn(dir, "convert two.png two.pht").code, 0);
    ASSERT_EQ(RunIn(dir, "convert two.png TWO.IMG").code, 0);
    std::vector<BYTE> pht = ReadBytes(dir.File("two.pht"));
    ASSERT_EQ(pht.size(), 52u);
    EXPECT_EQ(std::vector<BYTE>(pht.end() - 4, pht.end()), (std::vector<BYTE>{0x00, 0xF8, 0xFF, 0xFF}));
    EXPECT_EQ(ReadBytes(dir.File("TWO.IMG")), pht);

    ASSERT_EQ(RunIn(dir, "convert TWO.IMG back.bmp").code, 0);
    CxImage back(dir.File("back.bmp").c_str(), CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(back.GetBpp(), 24);
    EXPECT_TRUE(SamePixels(back, two));

    // A file shorter than its header announces is refused with a message.
    pht.pop_back();
    WriteBytes(dir.File("cut.pht"), pht);
    Result r = RunIn(dir, "convert cut.pht x.png");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err,
              "vimbro-tool: cannot read 'cut.pht': PHT: the file holds fewer pixel bytes than its header announces\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.png")));
}

TEST(ToolPhoneFormats, ConvertReadsTheFirstFrameOfAnimations) {
    TempDir dir;
    SavePng(dir, "red.png", 6, 4, Rgb(255, 0, 0));
    SavePng(dir, "blue.png", 6, 4, Rgb(0, 0, 255));
    ASSERT_EQ(RunIn(dir, "eba pack a.eba red.png blue.png").code, 0);
    ASSERT_EQ(RunIn(dir, "gif pack a.gif blue.png red.png").code, 0);
    ASSERT_EQ(RunIn(dir, "convert a.eba eba.png").code, 0);
    ASSERT_EQ(RunIn(dir, "convert a.gif gif.png").code, 0);
    CxImage eba(dir.File("eba.png").c_str(), CXIMAGE_FORMAT_PNG), gif(dir.File("gif.png").c_str(), CXIMAGE_FORMAT_PNG);
    EXPECT_EQ(eba.GetWidth(), 6u);
    EXPECT_TRUE(SameColour(TopLeft(eba), Rgb(255, 0, 0)));
    EXPECT_EQ(gif.GetWidth(), 6u);
    EXPECT_TRUE(SameColour(TopLeft(gif), Rgb(0, 0, 255)));
}

TEST(ToolPhoneFormats, CheckTestsTheHeaderByExtension) {
    TempDir dir;
    SavePng(dir, "p.png", 400, 400, Rgb(1, 2, 3));
    SavePng(dir, "wide.png", 401, 10, Rgb(1, 2, 3));
    ASSERT_EQ(RunIn(dir, "convert p.png p.pht").code, 0);
    ASSERT_EQ(RunIn(dir, "convert wide.png wide.img").code, 0);
    ASSERT_EQ(RunIn(dir, "eba pack p.eba p.png").code, 0);
    Result r = RunIn(dir, "check p.pht");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "valid\n");
    r = RunIn(dir, "check wide.img");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "invalid\n");
    EXPECT_EQ(RunIn(dir, "check p.eba").out, "valid\n");
    // The same bytes under the other extension fail the magic test.
    std::filesystem::copy_file(dir.File("p.pht"), dir.File("p-as.eba"));
    std::filesystem::copy_file(dir.File("p.eba"), dir.File("p-as.pht"));
    EXPECT_EQ(RunIn(dir, "check p-as.eba").out, "invalid\n");
    EXPECT_EQ(RunIn(dir, "check p-as.pht").out, "invalid\n");
    EXPECT_EQ(RunIn(dir, "check missing.pht").code, 1);
    EXPECT_EQ(RunIn(dir, "check").code, 1);
}

TEST(ToolEba, PackInfoAndUnpack) {
    TempDir dir;
    SavePng(dir, "a.png", 16, 20, Rgb(255, 0, 0));
    SavePng(dir, "b.png", 16, 20, Rgb(0, 255, 0));
    SavePng(dir, "c@x.png", 16, 20, Rgb(0, 0, 255));
    Result r = RunIn(dir, "eba pack out.eba a.png@200 b.png@1500 c@x.png");
    ASSERT_EQ(r.code, 0) << r.err;
    r = RunIn(dir, "eba info out.eba");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "ANI 16x20 frames=3 delays=200,1500,100\n");
    EXPECT_EQ(ReadBytes(dir.File("out.eba")).size(), 152u + 3 * 16 * 20 * 2);

    r = RunIn(dir, "eba unpack out.eba frames");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "frames/frame-00.bmp\nframes/frame-01.bmp\nframes/frame-02.bmp\n");
    const RGBQUAD colours[3] = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
        CxImage f(dir.File("frames/frame-0" + std::to_string(i) + ".bmp").c_str(), CXIMAGE_FORMAT_BMP);
        EXPECT_EQ(f.GetBpp(), 24);
        EXPECT_EQ(f.GetWidth(), 16u);
        EXPECT_TRUE(SameColour(TopLeft(f), colours[i]));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("frames/frame-03.bmp")));
}

TEST(ToolEba, SizesFramesAndRefusals) {
    TempDir dir;
    SavePng(dir, "small.png", 8, 10, Rgb(255, 255, 255));
    SavePng(dir, "large.png", 12, 14, Rgb(255, 255, 255));
    // A frame picture: a blue border one pixel wide around the green key.
    CxImage frame(16, 20, 24);
    for (long y = 0; y < 20; ++y)
        for (long x = 0; x < 16; ++x)
            frame.SetPixelColor(x, y, x < 2 || x >= 14 || y < 2 || y >= 18 ? Rgb(0, 0, 255) : Rgb(0, 255, 0));
    ASSERT_TRUE(frame.Save(dir.File("frame.bmp").c_str(), CXIMAGE_FORMAT_BMP));

    Result r = RunIn(dir, "eba pack mixed.eba small.png large.png");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("이 상황을 개발자에게 코멘트해주세요."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("mixed.eba")));

    r = RunIn(dir, "eba pack sized.eba --size 16x20 --frame frame.bmp small.png large.png@300");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(RunIn(dir, "eba info sized.eba").out, "ANI 16x20 frames=2 delays=100,300\n");
    std::unique_ptr<extImage> first(CEBAWrapper::LoadEBAFirst(dir.File("sized.eba").c_str()));
    ASSERT_TRUE(first);
    EXPECT_TRUE(SameColour(TopLeft(*first), Rgb(0, 0, 255)));
    EXPECT_TRUE(SameColour(first->GetPixelColor(8, 10), Rgb(255, 255, 255)));

    std::string seventeen = "eba pack many.eba";
    for (int i = 0; i < 17; ++i) seventeen += " small.png";
    r = RunIn(dir, seventeen);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "vimbro-tool: an EBA animation holds at most 16 pictures\n");
    EXPECT_EQ(RunIn(dir, "eba pack x.eba --size 0x5 small.png").code, 1);
    EXPECT_EQ(RunIn(dir, "eba pack x.eba small.png@70000").code, 1);
    EXPECT_EQ(RunIn(dir, "eba pack x.eba missing.png").code, 1);
    EXPECT_EQ(RunIn(dir, "eba info small.png").code, 1);
    EXPECT_EQ(RunIn(dir, "eba unpack missing.eba out").code, 1);
    EXPECT_EQ(RunIn(dir, "eba frobnicate").code, 1);
    r = RunIn(dir, "eba --help");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("usage: vimbro-tool eba info FILE", 0), 0u);
}

TEST(ToolGif, PackInfoAndUnpack) {
    TempDir dir;
    SavePng(dir, "a.png", 10, 6, Rgb(255, 0, 0));
    SavePng(dir, "b.png", 10, 6, Rgb(0, 128, 255));
    Result r = RunIn(dir, "gif pack out.gif a.png@25 b.png a.png@7");
    ASSERT_EQ(r.code, 0) << r.err;
    r = RunIn(dir, "gif info out.gif");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "GIF 10x6 frames=3 animated=1 delays=25,10,7\n");
    r = RunIn(dir, "gif unpack out.gif frames/");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "frames/frame-00.bmp\nframes/frame-01.bmp\nframes/frame-02.bmp\n");
    CxImage f(dir.File("frames/frame-01.bmp").c_str(), CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(f.GetBpp(), 24);
    EXPECT_TRUE(SameColour(TopLeft(f), Rgb(0, 128, 255)));

    // One frame: not animated, its own delay; unpacking gives that one frame.
    ASSERT_EQ(RunIn(dir, "gif pack one.gif b.png@40").code, 0);
    EXPECT_EQ(RunIn(dir, "gif info one.gif").out, "GIF 10x6 frames=1 animated=0 delays=40\n");
    EXPECT_EQ(RunIn(dir, "gif unpack one.gif single").out, "single/frame-00.bmp\n");

    // With a frame picture the pure green is left out.
    CxImage frame(10, 6, 24);
    for (long y = 0; y < 6; ++y)
        for (long x = 0; x < 10; ++x) frame.SetPixelColor(x, y, x == 0 ? Rgb(255, 255, 255) : Rgb(0, 255, 0));
    ASSERT_TRUE(frame.Save(dir.File("frame.png").c_str(), CXIMAGE_FORMAT_PNG));
    ASSERT_EQ(RunIn(dir, "gif pack framed.gif --frame frame.png a.png a.png").code, 0);
    CAniGIF gif;
    ASSERT_TRUE(gif.LoadGIF(dir.File("framed.gif").c_str()));
    ASSERT_EQ(gif.GetValidCount(), 2);
    EXPECT_TRUE(SameColour(gif.GetPtrImageAni()[1]->GetPixelColor(0, 3), Rgb(255, 255, 255)));
    EXPECT_TRUE(SameColour(gif.GetPtrImageAni()[1]->GetPixelColor(5, 3), Rgb(255, 0, 0)));
}

TEST(ToolGif, ErrorCodesAndRefusals) {
    TempDir dir;
    SavePng(dir, "a.png", 4, 4, Rgb(255, 0, 0));
    std::string seventeen = "gif pack many.gif";
    for (int i = 0; i < 17; ++i) seventeen += " a.png";
    ASSERT_EQ(RunIn(dir, seventeen).code, 0);
    Result r = RunIn(dir, "gif info many.gif");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "error=2\n");
    WriteBytes(dir.File("none.gif"), {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0, 0, 0, 0x3B});
    r = RunIn(dir, "gif info none.gif");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "error=1\n");
    EXPECT_EQ(RunIn(dir, "gif info a.png").out, "error=0\n");
    EXPECT_EQ(RunIn(dir, "gif unpack many.gif out").code, 1);
    EXPECT_EQ(RunIn(dir, "gif pack out.gif").code, 1);
    EXPECT_EQ(RunIn(dir, "gif pack out.gif --frame missing.png a.png").code, 1);
    EXPECT_EQ(RunIn(dir, "gif --help").code, 0);
    EXPECT_EQ(RunIn(dir, "check --help").code, 0);
}
