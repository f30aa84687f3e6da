// vimbro-tool convert, filter and quantize on picture files made here.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "imaging/extImage.h"
#include "tests/pavix/PictureTestUtil.h"
#include "tests/support/ToolRunner.h"

using namespace picturetest;

namespace {

testsupport::CommandResult Tool(const std::string& args) { return testsupport::RunTool(args); }

class ToolPictures : public ::testing::Test {
protected:
    void SetUp() override {
        extImage p(23, 17, 24);
        FillPattern(p);
        p.SetPixelColor(3, 16, RGBQUAD{40, 40, 200, 0});  // a red-eye pixel at picture (3, 0)
        source_ = p;
        ASSERT_TRUE(p.Save(dir_.File("in.png").c_str(), CXIMAGE_FORMAT_PNG));
    }
    std::string In() const { return "'" + dir_.File("in.png") + "'"; }
    std::string Out(const std::string& name) const { return "'" + dir_.File(name) + "'"; }
    extImage Open(const std::string& name, DWORD type) const { return extImage(dir_.File(name).c_str(), type); }

    TempDir dir_;
    extImage source_;
};

}  // namespace

TEST_F(ToolPictures, ConvertWritesByExtension) {
    ASSERT_EQ(Tool("convert " + In() + " " + Out("a.bmp")).code, 0);
    extImage bmp = Open("a.bmp", CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(bmp.GetBpp(), 24);
    EXPECT_TRUE(SamePixels(bmp, source_));

    ASSERT_EQ(Tool("convert " + In() + " " + Out("a.GIF")).code, 0);
    CxImage gif(dir_.File("a.GIF").c_str(), CXIMAGE_FORMAT_GIF);
    ASSERT_TRUE(gif.IsValid());
    EXPECT_EQ(gif.GetBpp(), 8);
    RGBQUAD a = gif.GetPixelColor(10, 10), b = source_.GetPixelColor(10, 10);
    EXPECT_NEAR(a.rgbRed, b.rgbRed, 24);
    EXPECT_NEAR(a.rgbGreen, b.rgbGreen, 24);

    ASSERT_EQ(Tool("convert " + Out("a.GIF") + " " + Out("b.jpg")).code, 0);
    extImage jpg = Open("b.jpg", CXIMAGE_FORMAT_JPG);
    EXPECT_EQ(jpg.GetWidth(), 23u);
    // An 8-bit BMP source comes out as a 24-bit BMP.
    CxImage idx(5, 3, 8);
    idx.SetPaletteColor(1, 9, 8, 7);
    idx.Clear(1);
    ASSERT_TRUE(idx.Save(dir_.File("idx.bmp").c_str(), CXIMAGE_FORMAT_BMP));
    ASSERT_EQ(Tool("convert " + Out("idx.bmp") + " " + Out("wide.bmp")).code, 0);
    extImage wide = Open("wide.bmp", CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(wide.GetBpp(), 24);
    EXPECT_EQ(wide.GetPixelColor(4, 2).rgbRed, 9);
}

TEST_F(ToolPictures, ConvertFailsCleanly) {
    EXPECT_EQ(Tool("convert " + In()).code, 1);
    EXPECT_EQ(Tool("convert " + Out("none.png") + " " + Out("x.bmp")).code, 1);
    EXPECT_EQ(Tool("convert " + In() + " " + Out("x.xyz")).code, 1);
    EXPECT_EQ(Tool("convert " + In() + " " + Out("x.wmf")).code, 1);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("x.wmf")));
    EXPECT_EQ(Tool("convert --help").code, 0);
}

TEST_F(ToolPictures, FilterRunsTheEditorsEffects) {
    ASSERT_EQ(Tool("filter gray " + In() + " " + Out("g.png")).code, 0);
    extImage expected(source_);
    expected.GrayScale24();
    EXPECT_TRUE(SamePixels(Open("g.png", CXIMAGE_FORMAT_PNG), expected));

    // The filter list's Korean names are the same effects.
    ASSERT_EQ(Tool("filter 세피아 " + In() + " " + Out("k.png")).code, 0);
    ASSERT_EQ(Tool("filter sepia " + In() + " " + Out("s.png")).code, 0);
    EXPECT_TRUE(SamePixels(Open("k.png", CXIMAGE_FORMAT_PNG), Open("s.png", CXIMAGE_FORMAT_PNG)));
    ASSERT_EQ(Tool("filter 모자이크 " + In() + " " + Out("m1.png")).code, 0);
    ASSERT_EQ(Tool("filter mosaic:5 " + In() + " " + Out("m2.png")).code, 0);
    EXPECT_TRUE(SamePixels(Open("m1.png", CXIMAGE_FORMAT_PNG), Open("m2.png", CXIMAGE_FORMAT_PNG)));

    ASSERT_EQ(Tool("filter threshold:100 " + In() + " " + Out("t.png")).code, 0);
    extImage t(source_);
    t.GrayScale24();
    t.Thresold24(100);
    EXPECT_TRUE(SamePixels(Open("t.png", CXIMAGE_FORMAT_PNG), t));

    ASSERT_EQ(Tool("filter light:0:100 " + In() + " " + Out("l.png")).code, 0);
    extImage l(source_), copy(source_);
    l.Light(0, 100, &copy);
    EXPECT_TRUE(SamePixels(Open("l.png", CXIMAGE_FORMAT_PNG), l));

    ASSERT_EQ(Tool("filter bright:50 " + In() + " " + Out("b.png")).code, 0);
    RGBQUAD c = Open("b.png", CXIMAGE_FORMAT_PNG).GetPixelColor(7, 7), o = source_.GetPixelColor(7, 7);
    EXPECT_EQ(c.rgbGreen, static_cast<int>(o.rgbGreen * 0.5));

    ASSERT_EQ(Tool("filter redeye:0,0,5,1 " + In() + " " + Out("r.png")).code, 0);
    EXPECT_EQ(Open("r.png", CXIMAGE_FORMAT_PNG).GetPixelColor(3, 16).rgbRed, 40);

    ASSERT_EQ(Tool("filter rotate-left " + In() + " " + Out("rl.bmp")).code, 0);
    extImage rl = Open("rl.bmp", CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(rl.GetWidth(), 17u);
    EXPECT_EQ(rl.GetHeight(), 23u);

    for (const char* name :
         {"blur",     "sharpen", "edge",     "emboss",   "scatter:1",    "contour", "dilate:3", "erode",
          "noise:20", "median",  "mirror",   "flip",     "rotate-right", "green",   "blue",     "그레이",
          "Thresold", "뽀샤시",  "선명하게", "흩뿌리기", "그린",         "블루"}) {
        EXPECT_EQ(Tool(std::string("filter ") + name + " " + In() + " " + Out("x.png")).code, 0) << name;
    }
}

TEST_F(ToolPictures, FilterRefusesUnknownNamesAndBadParameters) {
    for (const char* bad : {"sparkle", "light:5", "bright", "redeye:1,2,3", "threshold:x", "mosaic:0", "dilate:0",
                            "gray:3", "contour:99"}) {
        EXPECT_EQ(Tool(std::string("filter ") + bad + " " + In() + " " + Out("x.png")).code, 1) << bad;
    }
    EXPECT_EQ(Tool("filter gray " + In()).code, 1);
    testsupport::CommandResult help = Tool("filter --help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("흩뿌리기"), std::string::npos);
}

TEST_F(ToolPictures, QuantizePrintsLeavesAndThePalette) {
    extImage p(4, 1, 24);
    p.SetPixelColor(0, 0, RGBQUAD{0, 0, 200, 0});
    p.SetPixelColor(1, 0, RGBQUAD{0, 0, 200, 0});
    p.SetPixelColor(2, 0, RGBQUAD{255, 0, 0, 0});
    p.SetPixelColor(3, 0, RGBQUAD{0, 100, 0, 0});
    ASSERT_TRUE(p.Save(dir_.File("q.bmp").c_str(), CXIMAGE_FORMAT_BMP));
    // Tree order: green (child 0 at the top), blue (child 1), red (child 4).
    testsupport::CommandResult r = Tool("quantize " + Out("q.bmp"));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "leaves 3\n0 0 100 0\n1 0 0 255\n2 200 0 0\n");
    r = Tool("quantize " + Out("q.bmp") + " --colors 2 --bits 7");
    EXPECT_EQ(r.out, "leaves 3\n0 0 100 0\n1 133 0 85\n");  // blue and the two reds merged
    r = Tool("quantize --bits 1 " + Out("q.bmp"));
    EXPECT_EQ(r.out, "leaves 3\n0 0 100 0\n1 0 0 255\n2 200 0 0\n");
    EXPECT_EQ(Tool("quantize " + Out("q.bmp") + " --colors 0").code, 1);
    EXPECT_EQ(Tool("quantize " + Out("q.bmp") + " --bits 9").code, 1);
    EXPECT_EQ(Tool("quantize " + Out("q.bmp") + " --colors").code, 1);
    EXPECT_EQ(Tool("quantize").code, 1);
    EXPECT_EQ(Tool("quantize " + Out("none.bmp")).code, 1);
}

TEST_F(ToolPictures, ConvertWritesIconTargaAndPcxExactly) {
    const std::pair<const char*, DWORD> outputs[] = {
        {"a.ico", CXIMAGE_FORMAT_ICO}, {"a.tga", CXIMAGE_FORMAT_TGA}, {"a.pcx", CXIMAGE_FORMAT_PCX}};
    for (const auto& [name, type] : outputs) {
        ASSERT_EQ(Tool("convert " + In() + " " + Out(name)).code, 0) << name;
        EXPECT_TRUE(SamePixels(Open(name, type), source_)) << name;
    }
}
