// CAniGIF: the block walk, frame composition with disposal and transparency, error codes, the
// frame array and writing animations.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "imaging/AniGIF.h"
#include "imaging/Quantizer.h"
#include "tests/imaging/GifBuilder.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;
using giftest::Builder;
using giftest::Frame;

namespace {

RGBQUAD Rgb(BYTE r, BYTE g, BYTE b) {
    return RGBQUAD{b, g, r, 0};
}
const RGBQUAD kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255), kWhite = Rgb(255, 255, 255);

// Colour of a picture pixel with row 0 at the top.
RGBQUAD At(const CxImage& p, long x, long row) {
    return p.GetPixelColor(x, static_cast<long>(p.GetHeight()) - 1 - row);
}

// Every pixel of the picture, rows top first, as one letter: R G B W (white) K (black) ? (other).
std::string Letters(const CxImage& p) {
    std::string s;
    for (long row = 0; row < static_cast<long>(p.GetHeight()); ++row) {
        if (row) s += '/';
        for (long x = 0; x < static_cast<long>(p.GetWidth()); ++x) {
            RGBQUAD c = At(p, x, row);
            if (SameColour(c, kRed))
                s += 'R';
            else if (SameColour(c, kGreen))
                s += 'G';
            else if (SameColour(c, kBlue))
                s += 'B';
            else if (SameColour(c, kWhite))
                s += 'W';
            else if (SameColour(c, Rgb(0, 0, 0)))
                s += 'K';
            else
                s += '?';
        }
    }
    return s;
}

Frame Solid(int left, int top, int w, int h, BYTE index, int disposal = 0, int delay = 10) {
    Frame f;
    f.left = left;
    f.top = top;
    f.width = w;
    f.height = h;
    f.fill = index;
    f.disposal = disposal;
    f.delay = delay;
    return f;
}

std::string Write(const TempDir& dir, const std::string& name, const std::vector<BYTE>& bytes) {
    WriteBytes(dir.File(name), bytes);
    return dir.File(name);
}

// Drives the block walk over a buffer of the test's own.
class Walker : public CAniGIF {
public:
    explicit Walker(std::vector<BYTE> data) : data_(std::move(data)) {
        m_pRawData = data_.data();
        m_nDataSize = static_cast<long>(data_.size());
        const BYTE packed = data_.size() > 10 ? data_[10] : 0;
        m_nGlobalCTSize = (packed & 0x80) ? 3L << ((packed & 7) + 1) : 0;
        ResetDataPointer();
    }
    long Position() const { return m_nCurrOffset; }
    void MoveTo(long p) { m_nCurrOffset = p; }
    const std::vector<BYTE>& data() const { return data_; }

private:
    std::vector<BYTE> data_;
};

}  // namespace

TEST(AniGIFWalk, BlockKindsAndLengthsFollowTheFile) {
    Frame f = Solid(0, 0, 4, 4, 1);
    f.commentAfterControl = true;
    f.local = {{1, 2, 3}, {4, 5, 6}};  // a local table of 2 entries: 6 bytes
    Walker w(Builder(4, 4).Add(f).Bytes());
    EXPECT_EQ(w.Position(), 13 + 12);  // header and a global table of 4 colours
    struct Step {
        GIFBlockTypes kind;
        long length;
    };
    // NETSCAPE loop extension, the comment giflib's caller wrote, the frame's control extension,
    // the comment between it and the image; the image's length is what remains before the trailer.
    const Step steps[] = {
        {BLOCK_APPEXT, 14 + 4 + 1}, {BLOCK_COMMEXT, 2 + 15 + 1}, {BLOCK_CONTROLEXT, 8}, {BLOCK_COMMEXT, 2 + 34 + 1}};
    for (const Step& s : steps) {
        EXPECT_EQ(w.GetNextBlock(), s.kind);
        EXPECT_EQ(w.GetNextBlockLen(), s.length);
        ASSERT_TRUE(w.SkipNextBlock());
    }
    EXPECT_EQ(w.GetNextBlock(), BLOCK_IMAGE);
    const long image = w.Position();
    EXPECT_EQ(w.data()[image + 9] & 0x87, 0x80);  // local table flag, 2 entries
    EXPECT_EQ(w.GetNextBlockLen(), static_cast<long>(w.data().size()) - 1 - image);
    EXPECT_EQ(w.GetSubBlocksLen(image + 11 + 6), w.GetNextBlockLen() - 11 - 6);
    ASSERT_TRUE(w.SkipNextBlock());
    EXPECT_EQ(w.GetNextBlock(), BLOCK_TRAILER);
    EXPECT_EQ(w.GetNextBlockLen(), 1);
    EXPECT_TRUE(w.SkipNextBlock());
    EXPECT_EQ(w.GetNextBlock(), BLOCK_UNKNOWN);  // past the end
    EXPECT_EQ(w.GetNextBlockLen(), 0);
    EXPECT_FALSE(w.SkipNextBlock());

    // The frame walk passes the same blocks in one step and then stops at the trailer.
    w.ResetDataPointer();
    EXPECT_TRUE(w.SkipNextGraphicBlock());
    EXPECT_EQ(w.GetNextBlock(), BLOCK_TRAILER);
    EXPECT_FALSE(w.SkipNextGraphicBlock());
}

TEST(AniGIFWalk, ChainsAndBlocksRunningPastTheEndStopTheWalk) {
    std::vector<BYTE> bytes = Builder(4, 4).Add(Solid(0, 0, 4, 4, 1)).Bytes();
    const size_t full = bytes.size();
    // An image cut inside its data: no frame, and the position does not move.
    bytes.resize(full - 4);
    Walker cut(bytes);
    ASSERT_TRUE(cut.SkipNextBlock());  // the loop extension
    ASSERT_TRUE(cut.SkipNextBlock());  // the comment
    const long at = cut.Position();
    EXPECT_EQ(cut.GetNextBlock(), BLOCK_CONTROLEXT);
    ASSERT_TRUE(cut.SkipNextBlock());
    EXPECT_EQ(cut.GetNextBlock(), BLOCK_IMAGE);
    EXPECT_EQ(cut.GetNextBlockLen(), 0);
    EXPECT_FALSE(cut.SkipNextBlock());
    cut.MoveTo(at);
    EXPECT_FALSE(cut.SkipNextGraphicBlock());
    UINT delay = 0, disposal = 9;
    CSize size;
    CPoint offset;
    cut.MoveTo(at);
    EXPECT_TRUE(cut.GetNextGraphicBlock(delay, size, offset, disposal).empty());

    // A sub-block whose length byte points past the data.
    Walker chain({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x21, 0xFE, 5, 'a', 'b'});
    EXPECT_EQ(chain.GetNextBlock(), BLOCK_COMMEXT);
    EXPECT_EQ(chain.GetSubBlocksLen(15), 0);
    EXPECT_EQ(chain.GetNextBlockLen(), 0);
    EXPECT_EQ(chain.GetSubBlocksLen(-3), 0);
    // An extension label of no known kind, and a lone introducer at the very end.
    Walker odd({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x21, 0x77, 0, 0x21});
    EXPECT_EQ(odd.GetNextBlock(), BLOCK_UNKNOWN);
    odd.MoveTo(16);
    EXPECT_EQ(odd.GetNextBlock(), BLOCK_UNKNOWN);
    // A global table larger than the data: the walk starts past the end.
    Walker table({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x87, 0, 0, 0x2C});
    EXPECT_FALSE(table.SkipNextGraphicBlock());
}

TEST(AniGIFWalk, EachFrameBecomesASingleFrameGIF) {
    Frame a = Solid(1, 2, 3, 2, 2, 3, 250);
    a.commentAfterControl = true;
    Frame b = Solid(0, 0, 2, 1, 0);
    b.control = false;
    Walker w(Builder(5, 6).Add(a).Add(b).Bytes());
    const std::vector<BYTE>& file = w.data();
    UINT delay = 0, disposal = 0;
    CSize size;
    CPoint offset;

    std::vector<BYTE> first = w.GetNextGraphicBlock(delay, size, offset, disposal);
    EXPECT_EQ(delay, 250u);
    EXPECT_EQ(disposal, 3u);
    EXPECT_EQ(size, CSize(3, 2));
    EXPECT_EQ(offset, CPoint(1, 2));
    // Header and global table, then everything from the control extension to the end of the image
    // (the comment between them included), then a trailer.
    const long afterFirst = w.Position();
    const long gce = 25 + 19 + 18;
    ASSERT_EQ(first.size(), static_cast<size_t>(25 + (afterFirst - gce) + 1));
    EXPECT_TRUE(std::equal(first.begin(), first.begin() + 25, file.begin()));
    EXPECT_TRUE(std::equal(first.begin() + 25, first.end() - 1, file.begin() + gce));
    EXPECT_EQ(first.back(), 0x3B);
    EXPECT_EQ(file[gce], 0x21);
    EXPECT_EQ(file[gce + 1], 0xF9);

    // Without a control extension: no delay (all ones), disposal 0, the span starts at the image.
    std::vector<BYTE> second = w.GetNextGraphicBlock(delay, size, offset, disposal);
    EXPECT_EQ(delay, 0xFFFFFFFFu);
    EXPECT_EQ(disposal, 0u);
    EXPECT_EQ(size, CSize(2, 1));
    EXPECT_EQ(second[25], 0x2C);
    EXPECT_EQ(second.size(), static_cast<size_t>(25 + (w.Position() - afterFirst) + 1));
    EXPECT_TRUE(w.GetNextGraphicBlock(delay, size, offset, disposal).empty());
}

TEST(AniGIF, SixteenFramesLoadAndSeventeenAreRefusedUnlessOnlyTheFirstIsWanted) {
    TempDir dir;
    for (int count : {16, 17}) {
        SCOPED_TRACE(count);
        Builder b(3, 2);
        for (int i = 0; i < count; ++i) b.Add(Solid(0, 0, 3, 2, static_cast<BYTE>(i % 3), 0, i + 1));
        const std::string path = Write(dir, "n.gif", b.Bytes());
        CAniGIF gif;
        const bool loaded = gif.LoadGIF(path.c_str());
        if (count == 16) {
            ASSERT_TRUE(loaded);
            EXPECT_EQ(gif.GetErrorCode(), GIFERR_NONE);
            ASSERT_EQ(gif.GetValidCount(), 16);
            EXPECT_TRUE(gif.IsAnimatedGIF());
            for (int i = 0; i < 16; ++i) {
                extImage* f = gif.GetPtrImageAni()[i];
                ASSERT_NE(f, nullptr);
                EXPECT_EQ(f->GetFrameDelay(), static_cast<DWORD>(i + 1));
                EXPECT_EQ(f->GetBpp(), 24);
                const RGBQUAD colours[3] = {kRed, kGreen, kBlue};
                EXPECT_TRUE(SameColour(At(*f, 2, 1), colours[i % 3]));
            }
        } else {
            EXPECT_FALSE(loaded);
            EXPECT_EQ(gif.GetErrorCode(), GIFERR_MAXFRAME);
            EXPECT_EQ(gif.GetValidCount(), 0);
            EXPECT_FALSE(gif.IsAnimatedGIF());
        }
        CAniGIF firstOnly;
        std::unique_ptr<extImage> first(firstOnly.LoadGIFFirst(path.c_str()));
        ASSERT_TRUE(first);
        EXPECT_EQ(Letters(*first), "RRR/RRR");
        EXPECT_EQ(first->GetFrameDelay(), 1u);
        EXPECT_TRUE(firstOnly.HasSeveralFrames());
        extImage opened(path.c_str(), 2);
        EXPECT_EQ(opened.GetNumFrames(), 2);
        EXPECT_EQ(Letters(opened), "RRR/RRR");
    }
}

TEST(AniGIF, OneFrameFilesGiveTheirPictureButNoFrames) {
    TempDir dir;
    Frame f = Solid(1, 1, 2, 2, 2);
    f.trans = 3;
    f.indices = {2, 3, 3, 0};
    const std::string path = Write(dir, "one.gif", Builder(4, 3).Add(f).Bytes());
    CAniGIF gif;
    std::unique_ptr<extImage> first(gif.LoadGIFFirst(path.c_str()));
    ASSERT_TRUE(first);
    EXPECT_FALSE(gif.HasSeveralFrames());
    EXPECT_EQ(Letters(*first), "WWWW/WBWW/WWRW");  // transparent pixels keep the white screen
    EXPECT_EQ(first->GetFrameDelay(), 10u);
    EXPECT_TRUE(gif.LoadGIF(path.c_str()));
    EXPECT_EQ(gif.GetValidCount(), 0);
    EXPECT_FALSE(gif.IsAnimatedGIF());
    extImage opened(path.c_str(), 2);
    EXPECT_EQ(opened.GetNumFrames(), 1);
    EXPECT_EQ(Letters(opened), "WWWW/WBWW/WWRW");
}

TEST(AniGIF, SignatureAndVersionAreChecked) {
    TempDir dir;
    std::vector<BYTE> bytes = Builder(2, 2).Add(Solid(0, 0, 2, 2, 0)).Add(Solid(0, 0, 2, 2, 1)).Bytes();
    CAniGIF gif;
    EXPECT_EQ(gif.Load(bytes.data(), static_cast<unsigned long>(bytes.size()), false), 1);
    std::memcpy(bytes.data() + 3, "87a", 3);
    EXPECT_EQ(gif.Load(bytes.data(), static_cast<unsigned long>(bytes.size()), false), 1);
    std::memcpy(bytes.data() + 3, "90a", 3);
    EXPECT_EQ(gif.Load(bytes.data(), static_cast<unsigned long>(bytes.size()), false), 0);
    EXPECT_EQ(gif.GetErrorCode(), GIFERR_NONE);
    EXPECT_FALSE(gif.LoadGIF(Write(dir, "90a.gif", bytes).c_str()));
    EXPECT_EQ(gif.LoadGIFFirst(dir.File("90a.gif").c_str()), nullptr);
    EXPECT_EQ(gif.Load(bytes.data(), 5, false), 0);
    EXPECT_EQ(gif.Load(nullptr, 100, false), 0);
    EXPECT_EQ(gif.LoadGIFFirst(dir.File("missing.gif").c_str()), nullptr);
    EXPECT_EQ(gif.LoadGIFFirst(Write(dir, "empty.gif", {}).c_str()), nullptr);
    // A GIF header with no frame at all.
    const std::vector<BYTE> none = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0, 0, 0, 0x3B};
    EXPECT_EQ(gif.Load(none.data(), static_cast<unsigned long>(none.size()), true), 0);
    EXPECT_EQ(gif.GetErrorCode(), GIFERR_NOFRAME);
}

TEST(AniGIF, DisposalTwoClearsTheScreenBeforeAndTheFrameAfter) {
    TempDir dir;
    Builder b(4, 4);
    b.Add(Solid(0, 0, 4, 4, 0))        // red screen
        .Add(Solid(1, 1, 2, 2, 2, 2))  // blue square, disposal 2
        .Add(Solid(0, 0, 1, 1, 1));    // green dot
    CAniGIF gif;
    ASSERT_TRUE(gif.LoadGIF(Write(dir, "d2.gif", b.Bytes()).c_str()));
    ASSERT_EQ(gif.GetValidCount(), 3);
    EXPECT_EQ(Letters(*gif.GetPtrImageAni()[0]), "RRRR/RRRR/RRRR/RRRR");
    EXPECT_EQ(Letters(*gif.GetPtrImageAni()[1]), "WWWW/WBBW/WBBW/WWWW");
    EXPECT_EQ(Letters(*gif.GetPtrImageAni()[2]), "GWWW/WWWW/WWWW/WWWW");
}

TEST(AniGIF, DisposalThreeRestoresWhatWasUnderTheFrame) {
    TempDir dir;
    Builder b(4, 4);
    b.Add(Solid(0, 0, 4, 4, 0, 1))     // red screen, kept
        .Add(Solid(0, 0, 2, 2, 2, 3))  // blue square, disposal 3
        .Add(Solid(3, 3, 1, 1, 1));    // green dot
    CAniGIF gif;
    ASSERT_TRUE(gif.LoadGIF(Write(dir, "d3.gif", b.Bytes()).c_str()));
    ASSERT_EQ(gif.GetValidCount(), 3);
    EXPECT_EQ(Letters(*gif.GetPtrImageAni()[1]), "BBRR/BBRR/RRRR/RRRR");
    EXPECT_EQ(Letters(*gif.GetPtrImageAni()[2]), "RRRR/RRRR/RRRR/RRRG");
}

TEST(AniGIF, TransparencyOffsetsAndTheLogicalScreen) {
    TempDir dir;
    Frame over = Solid(1, 0, 3, 2, 2);
    over.trans = 3;
    over.indices = {2, 3, 2, 3, 3, 1};
    Builder b(5, 3);
    b.Add(Solid(0, 0, 4, 3, 0)).Add(over);
    CAniGIF gif;
    ASSERT_TRUE(gif.LoadGIF(Write(dir, "t.gif", b.Bytes()).c_str()));
    ASSERT_EQ(gif.GetValidCount(), 2);
    EXPECT_EQ(gif.GetPtrImageAni()[0]->GetWidth(), 5u);
    EXPECT_EQ(Letters(*gif.GetPtrImageAni()[0]), "RRRRW/RRRRW/RRRRW");
    EXPECT_EQ(Letters(*gif.GetPtrImageAni()[1]), "RBRBW/RRRGW/RRRRW");
}

TEST(AniGIF, ACommentBetweenControlAndImageChangesNothing) {
    TempDir dir;
    Frame plain = Solid(0, 0, 3, 2, 2, 0, 40);
    plain.indices = {0, 1, 2, 2, 1, 0};
    Frame commented = plain;
    commented.commentAfterControl = true;
    CAniGIF a, b;
    ASSERT_TRUE(a.LoadGIF(Write(dir, "a.gif", Builder(3, 2).Add(plain).Add(plain).Bytes()).c_str()));
    ASSERT_TRUE(b.LoadGIF(Write(dir, "b.gif", Builder(3, 2).Add(commented).Add(commented).Bytes()).c_str()));
    ASSERT_EQ(b.GetValidCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(SamePixels(*a.GetPtrImageAni()[i], *b.GetPtrImageAni()[i]));
        EXPECT_EQ(b.GetPtrImageAni()[i]->GetFrameDelay(), 40u);
    }
    EXPECT_EQ(Letters(*b.GetPtrImageAni()[0]), "RGB/BGR");
}

TEST(AniGIF, FramesWithoutControlOrThatCannotBeDecoded) {
    TempDir dir;
    Frame bare = Solid(0, 0, 2, 2, 1);
    bare.control = false;
    // The plain-text block counts as a frame of its own but no picture comes of it.
    Builder b(2, 2);
    b.Add(Solid(0, 0, 2, 2, 0, 0, 7)).Add(bare).PlainText(true);
    CAniGIF gif;
    ASSERT_TRUE(gif.LoadGIF(Write(dir, "bare.gif", b.Bytes()).c_str()));
    ASSERT_EQ(gif.GetValidCount(), 2);
    EXPECT_EQ(gif.GetPtrImageAni()[0]->GetFrameDelay(), 7u);
    EXPECT_EQ(gif.GetPtrImageAni()[1]->GetFrameDelay(), 0xFFFFFFFFu);
    EXPECT_EQ(Letters(*gif.GetPtrImageAni()[1]), "GG/GG");
}

TEST(AniGIF, HostileScreensAndCutFiles) {
    TempDir dir;
    std::vector<BYTE> two = Builder(3, 3).Add(Solid(0, 0, 3, 3, 0)).Add(Solid(1, 1, 2, 2, 2)).Bytes();
    // Cut inside the second image: only the first frame is left, read as a one-frame file.
    std::vector<BYTE> cut(two.begin(), two.end() - 4);
    CAniGIF gif;
    ASSERT_TRUE(gif.LoadGIF(Write(dir, "cut.gif", cut).c_str()));
    EXPECT_EQ(gif.GetValidCount(), 0);
    std::unique_ptr<extImage> first(gif.LoadGIFFirst(dir.File("cut.gif").c_str()));
    ASSERT_TRUE(first);
    EXPECT_EQ(Letters(*first), "RRR/RRR/RRR");

    // A logical screen of zero size takes the frames' extent.
    std::vector<BYTE> zero = two;
    std::fill(zero.begin() + 6, zero.begin() + 10, 0);
    ASSERT_TRUE(gif.LoadGIF(Write(dir, "zero.gif", zero).c_str()));
    ASSERT_EQ(gif.GetValidCount(), 2);
    EXPECT_EQ(Letters(*gif.GetPtrImageAni()[1]), "RRR/RBB/RBB");

    // A huge logical screen is refused instead of allocated.
    std::vector<BYTE> huge = two;
    std::fill(huge.begin() + 6, huge.begin() + 10, 0xFF);
    EXPECT_FALSE(gif.LoadGIF(Write(dir, "huge.gif", huge).c_str()));
    EXPECT_EQ(gif.LoadGIFFirst(dir.File("huge.gif").c_str()), nullptr);
    extImage opened(dir.File("huge.gif").c_str(), 2);
    EXPECT_FALSE(opened.IsValid());
    EXPECT_STREQ(opened.GetLastError(), "GIF: logical screen too large");
}

TEST(AniGIF, LargeFramesOnASmallScreenMustFitTheMemoryLimitTogether) {
    TempDir dir;
    // Sixteen 300 x 300 frames (90 000 bytes each once decoded) on an 8 x 8 screen: the file is a
    // few kilobytes, each frame alone is well under the limit, all of them together are not.
    Builder b(8, 8);
    for (int i = 0; i < 16; ++i) b.Add(Solid(0, 0, 300, 300, static_cast<BYTE>(i % 3)));
    const std::string path = Write(dir, "big-frames.gif", b.Bytes());
    const std::uint64_t saved = pavix::GetMemoryLimit();
    pavix::SetMemoryLimit(1 << 20);
    CAniGIF gif;
    const bool all = gif.LoadGIF(path.c_str());
    const int count = gif.GetValidCount();
    std::unique_ptr<extImage> first(gif.LoadGIFFirst(path.c_str()));
    pavix::SetMemoryLimit(saved);
    EXPECT_FALSE(all);
    EXPECT_EQ(count, 0);
    ASSERT_TRUE(first);  // one frame alone fits
    EXPECT_EQ(Letters(*first), "RRRRRRRR/RRRRRRRR/RRRRRRRR/RRRRRRRR/RRRRRRRR/RRRRRRRR/RRRRRRRR/RRRRRRRR");

    ASSERT_TRUE(gif.LoadGIF(path.c_str()));
    EXPECT_EQ(gif.GetValidCount(), 16);
}

TEST(AniGIF, FrameArrayOperations) {
    CAniGIF gif;
    gif.InitGIF();
    ASSERT_EQ(gif.GetArraySize(), 10);
    EXPECT_EQ(gif.GetValidCount(), 0);
    extImage a(4, 4, 24), b(6, 2, 24);
    a.Clear(0x20);
    b.Clear(0x40);
    gif.SetPicture(0, &a);
    gif.SetPicture(2, &b);
    ASSERT_EQ(gif.GetValidCount(), 3);
    EXPECT_NE(gif.GetPtrImageAni()[0], &a);
    gif.SetDelay(0, 0x12345);
    EXPECT_EQ(gif.GetPtrImageAni()[0]->GetFrameDelay(), 0x2345u);
    gif.SetDelay(1, 5);                          // empty entry: nothing
    gif.SetPicture(2, gif.GetPtrImageAni()[2]);  // its own picture: kept
    ASSERT_NE(gif.GetPtrImageAni()[2], nullptr);
    EXPECT_EQ(gif.GetPtrImageAni()[2]->GetWidth(), 6u);
    gif.SetPicture(11, &a);
    EXPECT_EQ(gif.GetArraySize(), 12);
    EXPECT_EQ(gif.GetValidCount(), 12);
    gif.AddPicture();
    EXPECT_EQ(gif.GetArraySize(), 13);

    // Deleting packs the remaining pictures to the front of an array of the new length.
    gif.DeletePicture(0, 4);
    ASSERT_EQ(gif.GetArraySize(), 4);
    EXPECT_EQ(gif.GetValidCount(), 11);
    ASSERT_NE(gif.GetPtrImageAni()[0], nullptr);
    EXPECT_EQ(gif.GetPtrImageAni()[0]->GetWidth(), 6u);
    ASSERT_NE(gif.GetPtrImageAni()[1], nullptr);
    EXPECT_EQ(gif.GetPtrImageAni()[1]->GetWidth(), 4u);
    EXPECT_EQ(gif.GetPtrImageAni()[2], nullptr);
    gif.DeletePicture(0, 0);  // too short for the picture left: it is kept
    ASSERT_EQ(gif.GetArraySize(), 1);
    EXPECT_NE(gif.GetPtrImageAni()[0], nullptr);

    gif.SetPicture(1, &b);
    ASSERT_EQ(gif.GetArraySize(), 2);
    gif.AdjustImage(CSize(0, 0));
    EXPECT_EQ(gif.GetPtrImageAni()[1]->GetWidth(), 6u);
    gif.AdjustImage(CSize(4, 4));  // the first already has it: nothing changes
    EXPECT_EQ(gif.GetPtrImageAni()[1]->GetWidth(), 6u);
    gif.AdjustImage(CSize(8, 5));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(gif.GetPtrImageAni()[i]->GetWidth(), 8u);
        EXPECT_EQ(gif.GetPtrImageAni()[i]->GetHeight(), 5u);
    }
    gif.DeleteAllOnlyImage();
    EXPECT_EQ(gif.GetValidCount(), 0);
    EXPECT_EQ(gif.GetPtrImageAni()[0], nullptr);
    extImage frame(2, 2, 24);
    gif.SetPtrFrameImage(&frame);
    gif.UnInitGIF();
    EXPECT_EQ(gif.GetArraySize(), 0);
    EXPECT_EQ(gif.GetPtrFrameImage(), nullptr);
}

TEST(AniGIFSave, OwnEncoderRoundTripKeepsFramesDelaysAndTheFileLayout) {
    TempDir dir;
    CAniGIF gif;
    const RGBQUAD colours[6] = {kRed, kGreen, kBlue, kWhite, Rgb(12, 200, 77), Rgb(250, 128, 3)};
    std::vector<extImage> sources;
    for (int i = 0; i < 3; ++i) {
        extImage p(37, 23, 24);
        for (long y = 0; y < 23; ++y)
            for (long x = 0; x < 37; ++x) p.SetPixelColor(x, y, colours[(x / 5 + y / 4 + i) % 6]);
        gif.SetPicture(i, &p);
        gif.SetDelay(i, 10 * (i + 1));
        sources.push_back(p);
    }
    const std::string path = dir.File("own.gif");
    ASSERT_TRUE(gif.SaveGIF(path.c_str()));

    CAniGIF back;
    ASSERT_TRUE(back.LoadGIF(path.c_str()));
    ASSERT_EQ(back.GetValidCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(SamePixels(*back.GetPtrImageAni()[i], sources[i]));
        EXPECT_EQ(back.GetPtrImageAni()[i]->GetFrameDelay(), static_cast<DWORD>(10 * (i + 1)));
    }
    // The stored entries are not touched by writing.
    EXPECT_EQ(gif.GetPtrImageAni()[0]->GetBpp(), 24);

    // Loops 1024, disposal 2 and a local colour table of 256 entries for every frame.
    Walker w(ReadBytes(path));
    int images = 0, controls = 0;
    bool loops = false;
    while (true) {
        const GIFBlockTypes kind = w.GetNextBlock();
        const long at = w.Position();
        const std::vector<BYTE>& d = w.data();
        if (kind == BLOCK_APPEXT)
            loops = std::memcmp(&d[at + 3], "NETSCAPE2.0", 11) == 0 && d[at + 16] == 0x00 && d[at + 17] == 0x04;
        if (kind == BLOCK_CONTROLEXT) {
            ++controls;
            EXPECT_EQ((d[at + 3] >> 2) & 7, 2);
        }
        if (kind == BLOCK_IMAGE) {
            ++images;
            EXPECT_EQ(d[at + 9] & 0x87, 0x87);
        }
        if (kind == BLOCK_TRAILER || !w.SkipNextBlock()) break;
    }
    EXPECT_TRUE(loops);
    EXPECT_EQ(images, 3);
    EXPECT_EQ(controls, 3);
}

TEST(AniGIFSave, EachFrameCarriesThePaletteTheQuantizerBuildsForIt) {
    TempDir dir;
    CAniGIF gif;
    // A gradient of far more than 256 colours, so the tree is reduced, and a picture of a few.
    extImage gradient(96, 64, 24);
    for (long y = 0; y < 64; ++y)
        for (long x = 0; x < 96; ++x)
            gradient.SetPixelColor(
                x, y,
                Rgb(static_cast<BYTE>(x * 255 / 95), static_cast<BYTE>(y * 4), static_cast<BYTE>((x + y) * 8 % 256)));
    extImage few(96, 64, 24);
    for (long y = 0; y < 64; ++y)
        for (long x = 0; x < 96; ++x) few.SetPixelColor(x, y, (x / 8 + y / 8) % 2 ? kRed : Rgb(10, 20, 30));
    gif.SetPicture(0, &gradient);
    gif.SetPicture(1, &few);
    const std::string path = dir.File("palette.gif");
    ASSERT_TRUE(gif.SaveGIF(path.c_str()));

    std::vector<std::vector<RGBQUAD>> expected;
    for (extImage* source : {&gradient, &few}) {
        CQuantizer quantizer(256, 7);
        ASSERT_EQ(quantizer.ProcessImage(source->GetDIB()), 1);
        std::vector<RGBQUAD> palette(256, RGBQUAD{});
        quantizer.SetColorTable(palette.data());
        expected.push_back(palette);
    }
    EXPECT_EQ(expected[1][0].rgbRed, 10);  // the tree's order: (10, 20, 30) before red

    // Each image's local colour table, entry by entry.
    Walker w(ReadBytes(path));
    size_t frame = 0;
    while (true) {
        const GIFBlockTypes kind = w.GetNextBlock();
        const long at = w.Position();
        if (kind == BLOCK_IMAGE) {
            ASSERT_LT(frame, expected.size());
            const std::vector<BYTE>& d = w.data();
            ASSERT_EQ(d[at + 9] & 0x87, 0x87);
            for (int i = 0; i < 256; ++i) {
                const BYTE* entry = &d[at + 10 + 3 * i];
                const RGBQUAD& want = expected[frame][i];
                ASSERT_EQ(entry[0], want.rgbRed) << "frame " << frame << " entry " << i;
                ASSERT_EQ(entry[1], want.rgbGreen) << "frame " << frame << " entry " << i;
                ASSERT_EQ(entry[2], want.rgbBlue) << "frame " << frame << " entry " << i;
            }
            ++frame;
        }
        if (kind == BLOCK_TRAILER || !w.SkipNextBlock()) break;
    }
    EXPECT_EQ(frame, 2u);

    // Two colours need no dithering: the frame comes back exactly.
    CAniGIF back;
    ASSERT_TRUE(back.LoadGIF(path.c_str()));
    ASSERT_EQ(back.GetValidCount(), 2);
    EXPECT_TRUE(SamePixels(*back.GetPtrImageAni()[1], few));
}

TEST(AniGIFSave, OverlayIsScaledOntoCopiesAndEmptyEntriesAreSkipped) {
    TempDir dir;
    CAniGIF gif;
    extImage white(20, 16, 24);
    white.Clear(0xFF);
    gif.SetPicture(0, &white);
    gif.SetPicture(2, &white);  // entry 1 stays empty
    // Twice the slides' size, an 8-pixel border: after scaling a 4-pixel border and a key-coloured
    // middle that the area filter leaves pure.
    extImage frame(40, 32, 24);
    for (long y = 0; y < 32; ++y)
        for (long x = 0; x < 40; ++x) {
            const bool border = x < 8 || x >= 32 || y < 8 || y >= 24;
            frame.SetPixelColor(x, y, border ? kBlue : kGreen);
        }
    frame.SetTransColor(kGreen);
    gif.SetPtrFrameImage(&frame);
    ASSERT_TRUE(gif.SaveGIF(dir.File("framed.gif").c_str()));
    CAniGIF back;
    ASSERT_TRUE(back.LoadGIF(dir.File("framed.gif").c_str()));
    ASSERT_EQ(back.GetValidCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const extImage& f = *back.GetPtrImageAni()[i];
        EXPECT_TRUE(SameColour(At(f, 0, 0), kBlue));
        EXPECT_TRUE(SameColour(At(f, 19, 15), kBlue));
        EXPECT_TRUE(SameColour(At(f, 10, 8), kWhite));
    }
    EXPECT_TRUE(SameColour(At(*gif.GetPtrImageAni()[0], 0, 0), kWhite));

    // Nothing to write, or nowhere to write it: false, and no file.
    CAniGIF empty;
    EXPECT_FALSE(empty.SaveGIF(dir.File("empty.gif").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.File("empty.gif")));
    EXPECT_FALSE(gif.SaveGIF(dir.File("no/folder.gif").c_str()));
}
