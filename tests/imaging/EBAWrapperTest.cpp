// CEBAWrapper: slots, delays, the EBA file layout, the frame overlay and hostile files.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "imaging/EBAWrapper.h"
#include "platform/afx/afxwin.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;

namespace {

RGBQUAD Rgb(BYTE r, BYTE g, BYTE b) {
    return RGBQUAD{b, g, r, 0};
}

extImage Solid(long w, long h, RGBQUAD c) {
    extImage p(w, h, 24);
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x) p.SetPixelColor(x, y, c);
    return p;
}

unsigned Word(const std::vector<BYTE>& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

// An EBA file of `frames` frames of w x h, frame i filled with the word 0x0841 * (i + 1).
std::vector<BYTE> EbaFile(int w, int h, int count, int frames, std::vector<WORD> delays = {}) {
    std::vector<BYTE> f(152, 0);
    std::memcpy(f.data(), "ANI", 3);
    f[4] = static_cast<BYTE>(w);
    f[5] = static_cast<BYTE>(w >> 8);
    f[6] = static_cast<BYTE>(h);
    f[7] = static_cast<BYTE>(h >> 8);
    f[48] = static_cast<BYTE>(count);
    for (size_t i = 0; i < delays.size() && i < 50; ++i) {
        f[50 + 2 * i] = static_cast<BYTE>(delays[i]);
        f[51 + 2 * i] = static_cast<BYTE>(delays[i] >> 8);
    }
    for (int i = 0; i < frames; ++i)
        for (long n = 0; n < static_cast<long>(w) * h; ++n) Put16(f, 0x0841u * (i + 1));
    return f;
}

// Colour of a picture pixel with row 0 at the top.
RGBQUAD At(const CxImage& p, long x, long row) {
    return p.GetPixelColor(x, static_cast<long>(p.GetHeight()) - 1 - row);
}

}  // namespace

TEST(EBAWrapper, SlotsStartEmptyAndKeepPrivateCopies) {
    CEBAWrapper eba;
    EXPECT_EQ(eba.GetValidCount(), 0);
    EXPECT_EQ(eba.GetPtrFrameImage(), nullptr);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(eba.GetPtrFrameList()[i]->pImage, nullptr);
        EXPECT_EQ(eba.GetPtrFrameList()[i]->nDelay, 100);
    }
    extImage red = Solid(4, 3, Rgb(255, 0, 0));
    red.SelectionCreate();
    red.AlphaCreate();
    eba.SetPicture(0, &red);
    eba.SetPicture(1, &red);
    EXPECT_EQ(eba.GetValidCount(), 2);
    extImage* kept = eba.GetPtrFrameList()[0]->pImage;
    ASSERT_NE(kept, &red);
    EXPECT_TRUE(kept->SelectionIsValid());
    EXPECT_TRUE(kept->AlphaIsValid());
    red.SetPixelColor(0, 0, Rgb(0, 0, 255));
    EXPECT_TRUE(SameColour(kept->GetPixelColor(0, 0), Rgb(255, 0, 0)));

    // A slot given its own picture keeps it.
    eba.SetPicture(1, eba.GetPtrFrameList()[1]->pImage);
    ASSERT_NE(eba.GetPtrFrameList()[1]->pImage, nullptr);
    EXPECT_TRUE(SameColour(eba.GetPtrFrameList()[1]->pImage->GetPixelColor(1, 1), Rgb(255, 0, 0)));

    // Deleting slot 0 of two leaves slot 1 where it is; the delay of the emptied slot goes back to 100.
    eba.SetDelay(0, 700);
    eba.DeletePicture(0);
    EXPECT_EQ(eba.GetValidCount(), 1);
    EXPECT_EQ(eba.GetPtrFrameList()[0]->pImage, nullptr);
    EXPECT_EQ(eba.GetPtrFrameList()[0]->nDelay, 100);
    EXPECT_NE(eba.GetPtrFrameList()[1]->pImage, nullptr);

    // Out-of-range slots are ignored; an empty picture empties a slot.
    eba.SetPicture(16, &red);
    eba.SetPicture(-1, &red);
    eba.SetDelay(99, 5);
    eba.DeletePicture(40);
    extImage none;
    eba.SetPicture(1, &none);
    EXPECT_EQ(eba.GetValidCount(), 0);

    extImage frame = Solid(4, 3, Rgb(0, 255, 0));
    eba.SetPicture(3, &red);
    eba.SetDelay(3, 900);
    eba.SetPtrFrameImage(&frame);
    eba.UnInit();
    EXPECT_EQ(eba.GetValidCount(), 0);
    EXPECT_EQ(eba.GetPtrFrameImage(), nullptr);
    EXPECT_EQ(eba.GetPtrFrameList()[3]->pImage, nullptr);
    EXPECT_EQ(eba.GetPtrFrameList()[3]->nDelay, 100);
}

TEST(EBAWrapper, TwoSlidesMakeTheExactFileAndLoadBack) {
    TempDir dir;
    CEBAWrapper eba;
    extImage a(128, 128, 24), b(128, 128, 24);
    FillPattern(a);
    b.Clear(0xFF);
    eba.SetPicture(0, &a);
    eba.SetPicture(1, &b);
    eba.SetDelay(0, 200);
    eba.SetDelay(1, 1500);

    tagANIMATION_HEADER_T header;
    eba.SetAnimationHeader(&header);
    EXPECT_EQ(header.byFrameCount, 2);
    EXPECT_EQ(header.wDelay[0], 200);
    EXPECT_EQ(header.wDelay[1], 1500);
    EXPECT_EQ(header.wDelay[2], 0);

    ASSERT_TRUE(eba.SaveEBA(dir.File("two.eba").c_str(), CSize(0, 0)));
    std::vector<BYTE> f = ReadBytes(dir.File("two.eba"));
    ASSERT_EQ(f.size(), 65688u);
    EXPECT_EQ(std::memcmp(f.data(), "ANI\0", 4), 0);
    EXPECT_EQ(Word(f, 4), 128u);
    EXPECT_EQ(Word(f, 6), 128u);
    EXPECT_EQ(Word(f, 8), 128u);
    EXPECT_EQ(f[10], 16);
    EXPECT_EQ(Word(f, 12), 256u);
    EXPECT_EQ(std::memcmp(f.data() + 17, "You must come back home! zub", 29), 0);
    EXPECT_EQ(f[48], 2);
    EXPECT_EQ(f[49], 0);
    EXPECT_EQ(Word(f, 50), 200u);
    EXPECT_EQ(Word(f, 52), 1500u);
    for (size_t at = 54; at < 152; ++at) ASSERT_EQ(f[at], 0) << at;
    int length = 0;
    BYTE* words = a.GetData16bit(length);
    ASSERT_EQ(length, 32768);
    EXPECT_EQ(std::memcmp(f.data() + 152, words, 32768), 0);
    delete[] words;
    for (size_t at = 152 + 32768; at < f.size(); ++at) ASSERT_EQ(f[at], 0xFF) << at;

    EXPECT_TRUE(extImage::IsValidFormat(dir.File("two.eba"), 21));
    EXPECT_FALSE(extImage::IsValidFormat(dir.File("two.eba"), 20));

    CEBAWrapper back;
    extImage overlay = Solid(2, 2, Rgb(0, 255, 0));
    back.SetPtrFrameImage(&overlay);
    ASSERT_TRUE(back.LoadEBA(dir.File("two.eba").c_str()));
    EXPECT_EQ(back.GetPtrFrameImage(), nullptr);
    EXPECT_EQ(back.GetValidCount(), 2);
    EXPECT_EQ(back.GetPtrFrameList()[0]->nDelay, 200);
    EXPECT_EQ(back.GetPtrFrameList()[1]->nDelay, 1500);
    for (int i = 2; i < 16; ++i) {
        EXPECT_EQ(back.GetPtrFrameList()[i]->pImage, nullptr);
        EXPECT_EQ(back.GetPtrFrameList()[i]->nDelay, 100);
    }
    extImage expected(a);
    ASSERT_TRUE(expected.SavePHT(dir.File("a.pht").c_str()));
    ASSERT_TRUE(expected.LoadPHT(dir.File("a.pht").c_str()));
    EXPECT_EQ(back.GetPtrFrameList()[0]->pImage->GetBpp(), 24);
    EXPECT_TRUE(SamePixels(*back.GetPtrFrameList()[0]->pImage, expected));
    EXPECT_TRUE(SamePixels(*back.GetPtrFrameList()[1]->pImage, b));

    std::unique_ptr<extImage> first(CEBAWrapper::LoadEBAFirst(dir.File("two.eba").c_str()));
    ASSERT_TRUE(first);
    EXPECT_TRUE(SamePixels(*first, expected));
    std::unique_ptr<extImage> second(CEBAWrapper::GetEBAFrame(dir.File("two.eba").c_str(), 1));
    ASSERT_TRUE(second);
    EXPECT_TRUE(SamePixels(*second, b));
    EXPECT_EQ(CEBAWrapper::GetEBAFrame(dir.File("two.eba").c_str(), 2), nullptr);
    EXPECT_EQ(CEBAWrapper::GetEBAFrame(dir.File("two.eba").c_str(), -1), nullptr);
    extImage opened(dir.File("two.eba").c_str(), 21);
    EXPECT_TRUE(SamePixels(opened, expected));
    EXPECT_EQ(opened.GetType(), 21u);
}

TEST(EBAWrapper, FramePictureIsScaledOntoSavedFramesButNotOntoTheSlots) {
    TempDir dir;
    // A 240 x 320 frame: a 24-pixel blue border around the green key colour.
    extImage frame = Solid(240, 320, Rgb(0, 0, 255));
    for (long y = 24; y < 296; ++y)
        for (long x = 24; x < 216; ++x) frame.SetPixelColor(x, y, Rgb(0, 255, 0));
    frame.SetTransColor(Rgb(0, 255, 0));
    CEBAWrapper eba;
    extImage white = Solid(128, 160, Rgb(255, 255, 255)), red = Solid(128, 160, Rgb(255, 0, 0));
    eba.SetPicture(0, &white);
    eba.SetPicture(1, &red);
    eba.SetPtrFrameImage(&frame);
    ASSERT_TRUE(eba.SaveEBA(dir.File("framed.eba").c_str(), CSize(128, 160)));
    EXPECT_EQ(ReadBytes(dir.File("framed.eba")).size(), 152u + 2 * 128 * 160 * 2);
    EXPECT_EQ(eba.GetPtrFrameImage(), &frame);
    EXPECT_EQ(frame.GetWidth(), 240u);  // the frame picture itself is not resampled

    for (int i = 0; i < 2; ++i) {
        std::unique_ptr<extImage> saved(CEBAWrapper::GetEBAFrame(dir.File("framed.eba").c_str(), i));
        ASSERT_TRUE(saved);
        ASSERT_EQ(saved->GetWidth(), 128u);
        const RGBQUAD inside = i == 0 ? Rgb(255, 255, 255) : Rgb(255, 0, 0);
        EXPECT_TRUE(SameColour(At(*saved, 0, 0), Rgb(0, 0, 255)));  // border of the scaled frame
        EXPECT_TRUE(SameColour(At(*saved, 127, 159), Rgb(0, 0, 255)));
        EXPECT_TRUE(SameColour(At(*saved, 5, 80), Rgb(0, 0, 255)));
        EXPECT_TRUE(SameColour(At(*saved, 64, 80), inside));  // the key lets the slide show
        EXPECT_TRUE(SameColour(At(*saved, 30, 30), inside));
        // The slots stay without the frame.
        EXPECT_TRUE(SameColour(At(*eba.GetPtrFrameList()[i]->pImage, 0, 0), inside));
    }

    // A single slide as PHT: with the frame laid over a copy, and plain without a frame picture.
    ASSERT_TRUE(eba.SavePHT(dir.File("framed.pht").c_str(), 1));
    extImage pht;
    ASSERT_TRUE(pht.LoadPHT(dir.File("framed.pht").c_str()));
    EXPECT_TRUE(SameColour(At(pht, 0, 0), Rgb(0, 0, 255)));
    EXPECT_TRUE(SameColour(At(pht, 64, 80), Rgb(255, 0, 0)));
    EXPECT_TRUE(SameColour(At(*eba.GetPtrFrameList()[1]->pImage, 0, 0), Rgb(255, 0, 0)));
    eba.SetPtrFrameImage(nullptr);
    ASSERT_TRUE(eba.SavePHT(dir.File("plain.pht").c_str(), 1));
    ASSERT_TRUE(pht.LoadPHT(dir.File("plain.pht").c_str()));
    EXPECT_TRUE(SameColour(At(pht, 0, 0), Rgb(255, 0, 0)));
    EXPECT_FALSE(eba.SavePHT(dir.File("none.pht").c_str(), 5));
    EXPECT_FALSE(eba.SavePHT(dir.File("none.pht").c_str(), 16));
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.pht")));
}

TEST(EBAWrapper, SlidesOfDifferentSizesAreUnifiedOrRefused) {
    TempDir dir;
    CEBAWrapper eba;
    extImage small = Solid(128, 160, Rgb(255, 0, 0)), large = Solid(176, 220, Rgb(0, 0, 255));
    eba.SetPicture(0, &small);
    eba.SetPicture(1, &large);
    {
        // Without a target size the user is asked to report it, and no file contradicts its header.
        CMessageBoxResponder responder;
        EXPECT_FALSE(eba.SaveEBA(dir.File("mixed.eba").c_str(), CSize(0, 0)));
        ASSERT_EQ(responder.shown().size(), 1u);
        EXPECT_EQ(responder.shown()[0].text, "이 상황을 개발자에게 코멘트해주세요.");
        EXPECT_EQ(responder.shown()[0].style, static_cast<UINT>(MB_OK));
        EXPECT_FALSE(std::filesystem::exists(dir.File("mixed.eba")));
        EXPECT_FALSE(eba.SaveEBA(dir.File("mixed.eba").c_str(), CSize(176, 0)));
        EXPECT_EQ(responder.shown().size(), 2u);
        EXPECT_EQ(eba.GetPtrFrameList()[0]->pImage->GetWidth(), 128u);
    }
    ASSERT_TRUE(eba.SaveEBA(dir.File("unified.eba").c_str(), CSize(176, 220)));
    std::vector<BYTE> f = ReadBytes(dir.File("unified.eba"));
    EXPECT_EQ(f.size(), 152u + 2 * 176 * 220 * 2);
    EXPECT_EQ(Word(f, 4), 176u);
    EXPECT_EQ(Word(f, 6), 220u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(eba.GetPtrFrameList()[i]->pImage->GetWidth(), 176u);
        EXPECT_EQ(eba.GetPtrFrameList()[i]->pImage->GetHeight(), 220u);
    }
    // Nothing to write: no file.
    CEBAWrapper empty;
    EXPECT_FALSE(empty.SaveEBA(dir.File("empty.eba").c_str(), CSize(10, 10)));
    EXPECT_FALSE(std::filesystem::exists(dir.File("empty.eba")));
}

TEST(EBAWrapper, SixteenSlotsFillTheFileAndGapsNeverMisplaceDelays) {
    TempDir dir;
    CEBAWrapper eba;
    for (int i = 0; i < 16; ++i) {
        extImage p = Solid(3, 2, Rgb(static_cast<BYTE>(i * 16), 0, 0));
        eba.SetPicture(i, &p);
        eba.SetDelay(i, static_cast<unsigned short>(1000 + i));
    }
    ASSERT_TRUE(eba.SaveEBA(dir.File("16.eba").c_str(), CSize(0, 0)));
    CEBAWrapper back;
    ASSERT_TRUE(back.LoadEBA(dir.File("16.eba").c_str()));
    ASSERT_EQ(back.GetValidCount(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(back.GetPtrFrameList()[i]->nDelay, 1000 + i);
        EXPECT_EQ(back.GetPtrFrameList()[i]->pImage->GetPixelColor(0, 0).rgbRed, i * 16);
    }
    // A gap (which the composer never leaves) writes the filled slots in order with their own delays.
    eba.DeletePicture(0);
    ASSERT_TRUE(eba.SaveEBA(dir.File("gap.eba").c_str(), CSize(0, 0)));
    ASSERT_TRUE(back.LoadEBA(dir.File("gap.eba").c_str()));
    EXPECT_EQ(back.GetValidCount(), 15);
    EXPECT_EQ(back.GetPtrFrameList()[0]->nDelay, 1001);
    EXPECT_EQ(back.GetPtrFrameList()[0]->pImage->GetPixelColor(0, 0).rgbRed, 16);
}

TEST(EBAWrapper, HostileFilesLeaveTheWrapperEmpty) {
    TempDir dir;
    std::vector<BYTE> shortFrames = EbaFile(4, 4, 3, 2);  // announces 3 frames, holds 2
    std::vector<BYTE> cutFrame = EbaFile(4, 4, 1, 1);
    cutFrame.pop_back();
    std::vector<BYTE> cutHeader = EbaFile(4, 4, 1, 1);
    cutHeader.resize(151);
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        const char* reason;
    };
    const char* const kCount = "EBA: frame count out of range (1 to 16)";
    const char* const kShort = "EBA: the file holds fewer pixel bytes than its header announces";
    const char* const kSides = "EBA: width or height out of range";
    const Case cases[] = {
        {"count-0.eba", EbaFile(4, 4, 0, 1), kCount},
        {"count-17.eba", EbaFile(2, 2, 17, 17), kCount},
        {"count-255.eba", EbaFile(2, 2, 255, 20), kCount},
        {"short-frames.eba", shortFrames, kShort},
        {"cut-frame.eba", cutFrame, kShort},
        {"cut-header.eba", cutHeader, "EBA: the file is shorter than its header"},
        {"negative-width.eba", EbaFile(-4, 4, 1, 1), kSides},
        {"zero-height.eba", EbaFile(4, 0, 1, 1), kSides},
        // The sizes are weighed against the file's bytes before anything is allocated.
        {"huge.eba", EbaFile(32767, 32767, 16, 0), kShort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(dir.File(c.name), c.bytes);
        CEBAWrapper eba;
        extImage p = Solid(2, 2, Rgb(1, 2, 3));
        eba.SetPicture(0, &p);
        EXPECT_FALSE(eba.LoadEBA(dir.File(c.name).c_str()));
        EXPECT_EQ(eba.GetValidCount(), 0);
        EXPECT_EQ(eba.GetPtrFrameList()[0]->pImage, nullptr);
        EXPECT_EQ(CEBAWrapper::LoadEBAFirst(dir.File(c.name).c_str()), nullptr);
        EXPECT_FALSE(extImage::IsValidFormat(dir.File(c.name), 21));
        extImage opened(dir.File(c.name).c_str(), 21);
        EXPECT_FALSE(opened.IsValid());
        EXPECT_STREQ(opened.GetLastError(), c.reason);
    }
    // Garbage in the delay slots past the frame count is never read.
    std::vector<WORD> delays(50, 0xBEEF);
    delays[0] = 0;
    WriteBytes(dir.File("delays.eba"), EbaFile(2, 2, 1, 1, delays));
    CEBAWrapper eba;
    ASSERT_TRUE(eba.LoadEBA(dir.File("delays.eba").c_str()));
    EXPECT_EQ(eba.GetValidCount(), 1);
    EXPECT_EQ(eba.GetPtrFrameList()[0]->nDelay, 0);
    EXPECT_EQ(eba.GetPtrFrameList()[1]->nDelay, 100);
    EXPECT_FALSE(eba.LoadEBA(dir.File("missing.eba").c_str()));
    EXPECT_EQ(eba.GetValidCount(), 0);
    EXPECT_EQ(CEBAWrapper::LoadEBAFirst(nullptr), nullptr);
}

TEST(EBAWrapper, AllFramesTogetherMustFitTheMemoryLimit) {
    TempDir dir;
    // 16 frames of 100 x 100: 20 000 stored bytes and a 30 000-byte picture each, 800 000 in all.
    WriteBytes(dir.File("many.eba"), EbaFile(100, 100, 16, 16));
    const std::uint64_t saved = pavix::GetMemoryLimit();
    pavix::SetMemoryLimit(500000);
    CEBAWrapper eba;
    const bool loaded = eba.LoadEBA(dir.File("many.eba").c_str());
    const int count = eba.GetValidCount();
    std::unique_ptr<extImage> one(CEBAWrapper::GetEBAFrame(dir.File("many.eba").c_str(), 15));
    pavix::SetMemoryLimit(saved);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(count, 0);
    ASSERT_TRUE(one);  // a single frame fits
    EXPECT_TRUE(SameColour(one->GetPixelColor(0, 0), Rgb(0x80, 0x80, 0x80)));
    ASSERT_TRUE(eba.LoadEBA(dir.File("many.eba").c_str()));
    EXPECT_EQ(eba.GetValidCount(), 16);
}
