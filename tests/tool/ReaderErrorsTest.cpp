// vimbro-tool's refusals name what is wrong with the file: each reader's own reason reaches stderr,
// and phone files pass the catalogue's check before they are opened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/pavix/ximage.h"
#include "tests/pavix/PictureTestUtil.h"
#include "tests/support/ToolRunner.h"

using namespace picturetest;

namespace {

using Result = testsupport::CommandResult;

Result RunIn(const TempDir& dir, const std::string& args) {
    return testsupport::RunCommand("cd " + testsupport::ShellQuote(dir.File("")) + " && " +
                                       testsupport::ShellQuote(testsupport::ToolPath()) + " " + args,
                                   dir.File("stderr.txt"));
}

std::vector<BYTE> Encoded(DWORD w, DWORD h, DWORD type) {
    CxImage p(w, h, 24);
    for (long y = 0; y < static_cast<long>(h); ++y)
        for (long x = 0; x < static_cast<long>(w); ++x)
            p.SetPixelColor(x, y, RGBQUAD{static_cast<BYTE>(x * 9), static_cast<BYTE>(y * 5), 40, 0});
    BYTE* data = nullptr;
    long size = 0;
    EXPECT_TRUE(p.Encode(data, size, type));
    std::vector<BYTE> out(data, data + size);
    CxImage::FreeMemory(data);
    return out;
}

}  // namespace

TEST(ToolReaderErrors, ConvertNamesWhatIsWrongWithEachFile) {
    TempDir dir;
    // A 24-bit 10 x 10 BMP cut 50 bytes short of its 320 pixel bytes.
    std::vector<BYTE> bmp = Encoded(10, 10, CXIMAGE_FORMAT_BMP);
    WriteBytes(dir.File("cut.bmp"), std::vector<BYTE>(bmp.begin(), bmp.end() - 50));
    std::vector<BYTE> odd = bmp;
    odd[30] = 7;  // compression
    WriteBytes(dir.File("odd.bmp"), odd);
    WriteBytes(dir.File("tiff.pht"), Encoded(8, 1, CXIMAGE_FORMAT_TIF));
    // A GIF cut in the middle of its image data.
    std::vector<BYTE> gif = Encoded(40, 30, CXIMAGE_FORMAT_GIF);
    WriteBytes(dir.File("cut.gif"), std::vector<BYTE>(gif.begin(), gif.end() - 40));

    const struct {
        const char* file;
        const char* error;
    } cases[] = {
        {"cut.bmp", "vimbro-tool: cannot read 'cut.bmp': BMP: pixel data cut short (270 of 318 bytes)\n"},
        {"odd.bmp", "vimbro-tool: cannot read 'odd.bmp': BMP: unknown compression 7\n"},
        {"tiff.pht", "vimbro-tool: cannot read 'tiff.pht': PHT: not a phone picture (wrong magic)\n"},
        {"cut.gif", "vimbro-tool: cannot read 'cut.gif': GIF: image data cut short\n"},
    };
    for (const auto& c : cases) {
        Result r = RunIn(dir, std::string("convert ") + c.file + " out.png");
        EXPECT_EQ(r.code, 1) << c.file;
        EXPECT_EQ(r.err, c.error);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.png")));
}

TEST(ToolReaderErrors, CheckAndGifInfoSayWhyAFileWasRefused) {
    TempDir dir;
    WriteBytes(dir.File("tiff.pht"), Encoded(8, 1, CXIMAGE_FORMAT_TIF));
    Result r = RunIn(dir, "check tiff.pht");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "invalid\n");
    EXPECT_EQ(r.err, "vimbro-tool: 'tiff.pht': not a phone picture (wrong magic)\n");

    // A GIF giflib refuses: its header is whole but the colour table is cut.
    std::vector<BYTE> gif = Encoded(4, 4, CXIMAGE_FORMAT_GIF);
    WriteBytes(dir.File("table.gif"), std::vector<BYTE>(gif.begin(), gif.begin() + 40));
    r = RunIn(dir, "gif info table.gif");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "error=1\n");
    EXPECT_EQ(r.err, "vimbro-tool: cannot read 'table.gif': GIF: broken header (No screen descriptor detected)\n");
    WriteBytes(dir.File("a.png"), Encoded(4, 4, CXIMAGE_FORMAT_PNG));
    r = RunIn(dir, "gif info a.png");
    EXPECT_EQ(r.out, "error=0\n");
    EXPECT_EQ(r.err, "vimbro-tool: cannot read 'a.png': GIF: not a GIF87a or GIF89a file\n");
    WriteBytes(dir.File("none.gif"), {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0, 0, 0, 0x3B});
    EXPECT_EQ(RunIn(dir, "gif info none.gif").err, "vimbro-tool: cannot read 'none.gif': GIF: no image in the file\n");
}
