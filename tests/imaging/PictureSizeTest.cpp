// The catalogue's size query: what the loading constructor's picture measures, read from headers
// alone, for every kind of file, and the reasons phone files and GIFs are refused.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/AniGIF.h"
#include "imaging/EBAWrapper.h"
#include "imaging/PhoneFormat.h"
#include "imaging/extImage.h"
#include "platform/pavix/ximagif.h"
#include "platform/pavix/xmemfile.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;

namespace {

CxImage Pattern(DWORD w, DWORD h) {
    CxImage p(w, h, 24);
    FillPattern(p);
    return p;
}

std::string SizeOf(const std::string& path, unsigned long type) {
    CSize size;
    CString error;
    if (!extImage::ReadPictureSize(path, type, size, error)) return error;
    return std::to_string(size.cx) + "x" + std::to_string(size.cy);
}

std::string LoadedSizeOf(const std::string& path, unsigned long type) {
    extImage p(path.c_str(), type);
    if (!p.IsValid()) return p.GetLastError();
    return std::to_string(p.GetWidth()) + "x" + std::to_string(p.GetHeight());
}

}  // namespace

TEST(PictureSize, HeadersGiveTheSizeTheLoadedPictureHas) {
    TempDir dir;
    CxImage p = Pattern(13, 7);
    const struct {
        const char* name;
        unsigned long type;
    } files[] = {{"a.bmp", 1}, {"a.gif", 2}, {"a.jpg", 3}, {"a.png", 4}, {"a.tif", 6}};
    for (const auto& f : files) {
        ASSERT_TRUE(p.Save(dir.File(f.name).c_str(), static_cast<DWORD>(f.type)));
        EXPECT_EQ(SizeOf(dir.File(f.name), f.type), "13x7") << f.name;
        EXPECT_EQ(LoadedSizeOf(dir.File(f.name), f.type), "13x7") << f.name;
    }
    extImage still(p);
    ASSERT_TRUE(still.SavePHT(dir.File("a.pht").c_str()));
    EXPECT_EQ(SizeOf(dir.File("a.pht"), 20), "13x7");
    CEBAWrapper eba;
    extImage frame(p);
    eba.SetPicture(0, &frame);
    eba.SaveEBA(dir.File("a.eba").c_str(), CSize(13, 7));
    EXPECT_EQ(SizeOf(dir.File("a.eba"), 21), "13x7");

    // Formats read without a header query still answer, by decoding.
    std::vector<BYTE> tga = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 8, 0, 1, 2, 3, 4, 5, 6};
    WriteBytes(dir.File("a.tga"), tga);
    EXPECT_EQ(SizeOf(dir.File("a.tga"), 7), "3x2");
}

TEST(PictureSize, GifScreenOfZeroSizeTakesTheFirstFramesExtent) {
    TempDir dir;
    CxImage a = Pattern(6, 5), b = Pattern(4, 3);
    a.DecreaseBpp(8, false);
    b.DecreaseBpp(8, false);
    a.SetOffset(1, 2);  // reaches 7 x 7
    b.SetOffset(5, 4);  // reaches 9 x 7, but only the first frame is composed
    CxImage* frames[2] = {&a, &b};
    CxImageGIF gif;
    CxMemFile mem;
    mem.Open();
    ASSERT_TRUE(gif.Encode(&mem, frames, 2, true));
    std::vector<BYTE> bytes(mem.GetBuffer(false), mem.GetBuffer(false) + mem.Size());
    WriteBytes(dir.File("screen.gif"), bytes);
    const std::string screen = SizeOf(dir.File("screen.gif"), 2);
    EXPECT_EQ(screen, LoadedSizeOf(dir.File("screen.gif"), 2));
    bytes[6] = bytes[7] = bytes[8] = bytes[9] = 0;
    WriteBytes(dir.File("zero.gif"), bytes);
    EXPECT_EQ(SizeOf(dir.File("zero.gif"), 2), "7x7");
    EXPECT_EQ(LoadedSizeOf(dir.File("zero.gif"), 2), "7x7");

    WriteBytes(dir.File("none.gif"), {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0, 0x3B});
    EXPECT_EQ(SizeOf(dir.File("none.gif"), 2), "GIF: no image");
    WriteBytes(dir.File("old.gif"), {'G', 'I', 'F', '9', '0', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B});
    EXPECT_EQ(SizeOf(dir.File("old.gif"), 2), "GIF: not a GIF87a or GIF89a file");
    EXPECT_EQ(LoadedSizeOf(dir.File("old.gif"), 2), "GIF: not a GIF87a or GIF89a file");
}

TEST(PictureSize, PhoneFilesPassOneCheckWhoseReasonIsNamed) {
    TempDir dir;
    CxImage tiff = Pattern(8, 1);
    ASSERT_TRUE(tiff.Save(dir.File("tiff.pht").c_str(), CXIMAGE_FORMAT_TIF));
    phone::Contents contents;
    EXPECT_EQ(phone::CheckFile(dir.File("tiff.pht").c_str(), 20, contents), phone::FileError::BadMagic);
    EXPECT_FALSE(extImage::IsValidFormat(dir.File("tiff.pht"), 20));

    extImage wide(Pattern(401, 2));
    ASSERT_TRUE(wide.SavePHT(dir.File("wide.pht").c_str()));
    EXPECT_EQ(phone::CheckFile(dir.File("wide.pht").c_str(), 20, contents), phone::FileError::SideTooLong);
    EXPECT_EQ(phone::CheckFile(dir.File("wide.pht").c_str(), 21, contents), phone::FileError::BadMagic);
    // Loading keeps to what keeps it safe: the wide picture loads, a cut one names its fault.
    EXPECT_EQ(LoadedSizeOf(dir.File("wide.pht"), 20), "401x2");
    std::vector<BYTE> cut = ReadBytes(dir.File("wide.pht"));
    cut.resize(cut.size() - 1);
    WriteBytes(dir.File("cut.pht"), cut);
    EXPECT_EQ(phone::CheckFile(dir.File("cut.pht").c_str(), 20, contents), phone::FileError::ShortPixels);
    EXPECT_EQ(LoadedSizeOf(dir.File("cut.pht"), 20), "PHT: the file holds fewer pixel bytes than its header announces");
    EXPECT_EQ(SizeOf(dir.File("cut.pht"), 20), "PHT: the file holds fewer pixel bytes than its header announces");
    EXPECT_EQ(LoadedSizeOf(dir.File("missing.eba"), 21), "EBA: cannot open the file");
}
