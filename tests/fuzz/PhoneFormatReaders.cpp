// The phone formats (PHT, EBA) and the animated GIF reader, for the fuzz harness.
#include <gtest/gtest.h>

#include <memory>

#include "imaging/AniGIF.h"
#include "imaging/EBAWrapper.h"
#include "imaging/extImage.h"
#include "tests/fuzz/FuzzHarness.h"
#include "tests/imaging/GifBuilder.h"

namespace {

using fuzz::Bytes;

// Reads every pixel byte the picture claims (AddressSanitizer checks them) and its corners.
bool Sound(const CxImage* p) {
    if (!p || !p->IsValid()) return false;
    EXPECT_GT(p->GetWidth(), 0u);
    EXPECT_GT(p->GetHeight(), 0u);
    EXPECT_EQ(p->GetBpp(), 24);
    volatile unsigned sum = 0;
    const BYTE* bits = p->GetBits(0);
    for (DWORD i = 0; i < p->GetImageSize(); ++i) sum = sum + bits[i];
    const long w = p->GetWidth(), h = p->GetHeight();
    sum = sum + p->GetPixelColor(w - 1, h - 1).rgbRed + p->GetPixelColor(0, 0).rgbBlue;
    return true;
}

CxImage Pattern(long w, long h, int seed) {
    CxImage p(w, h, 24);
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x)
            p.SetPixelColor(x, y,
                            RGBQUAD{static_cast<BYTE>(x * 37 + seed), static_cast<BYTE>(y * 53 + seed * 3),
                                    static_cast<BYTE>(x * y + seed * 7), 0});
    return p;
}

Bytes FileBytes(const std::string& path) {
    Bytes out;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        BYTE buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
        std::fclose(f);
    }
    return out;
}

// ---------------------------------------------------------------------------------------------------

std::vector<Bytes> PhtSamples() {
    std::vector<Bytes> samples;
    for (auto [w, h] :
         {std::pair{2L, 1L}, {3L, 2L}, {7L, 5L}, {16L, 9L}, {25L, 13L}, {31L, 31L}, {40L, 1L}, {1L, 60L}}) {
        extImage p(Pattern(w, h, static_cast<int>(w)));
        const std::string path = fuzz::TempFile({});
        EXPECT_TRUE(p.SavePHT(path.c_str()));
        samples.push_back(FileBytes(path));
    }
    return samples;
}

bool ReadPht(const std::uint8_t* d, size_t n) {
    const std::string path = fuzz::TempFile(Bytes(d, d + n));
    extImage::IsValidFormat(path, 20);
    extImage p(path.c_str(), 20);
    return Sound(&p);
}

std::vector<Bytes> EbaSamples() {
    std::vector<Bytes> samples;
    for (auto [w, h, frames] :
         {std::tuple{5L, 3L, 2}, {2L, 2L, 16}, {7L, 7L, 1}, {20L, 15L, 3}, {9L, 11L, 5}, {33L, 1L, 16}}) {
        CEBAWrapper eba;
        for (int i = 0; i < frames; ++i) {
            extImage p(Pattern(w, h, i));
            eba.SetPicture(i, &p);
            eba.SetDelay(i, static_cast<unsigned short>(100 * (i + 1)));
        }
        const std::string path = fuzz::TempFile({});
        EXPECT_TRUE(eba.SaveEBA(path.c_str(), CSize(0, 0)));
        samples.push_back(FileBytes(path));
    }
    return samples;
}

bool ReadEba(const std::uint8_t* d, size_t n) {
    const std::string path = fuzz::TempFile(Bytes(d, d + n));
    extImage::IsValidFormat(path, 21);
    CEBAWrapper eba;
    const bool loaded = eba.LoadEBA(path.c_str());
    for (int i = 0; i < 16; ++i)
        if (eba.GetPtrFrameList()[i]->pImage) Sound(eba.GetPtrFrameList()[i]->pImage);
    std::unique_ptr<extImage> last(CEBAWrapper::GetEBAFrame(path.c_str(), eba.GetValidCount() - 1));
    if (loaded) {
        EXPECT_TRUE(Sound(last.get()));
    }
    extImage first(path.c_str(), 21);
    return Sound(&first) && loaded;
}

std::vector<Bytes> AnimatedGifSamples() {
    using giftest::Builder;
    using giftest::Frame;
    auto solid = [](int left, int top, int w, int h, BYTE index, int disposal) {
        Frame f;
        f.left = left;
        f.top = top;
        f.width = w;
        f.height = h;
        f.fill = index;
        f.disposal = disposal;
        return f;
    };
    std::vector<Bytes> samples;
    // Disposal 2 and 3, transparency, offsets, a comment inside a frame, a frame without control,
    // a local colour table and a plain-text block.
    Frame see = solid(1, 1, 3, 2, 2, 0);
    see.trans = 3;
    see.indices = {2, 3, 1, 3, 0, 2};
    see.commentAfterControl = true;
    see.local = {{9, 9, 9}, {200, 100, 0}, {0, 50, 250}, {1, 2, 3}};
    Frame bare = solid(0, 0, 2, 2, 1, 0);
    bare.control = false;
    samples.push_back(Builder(5, 4)
                          .Add(solid(0, 0, 5, 4, 0, 1))
                          .Add(solid(1, 1, 2, 2, 2, 3))
                          .Add(see)
                          .Add(solid(2, 0, 3, 3, 1, 2))
                          .Add(bare)
                          .PlainText(true)
                          .Bytes());
    Frame wide = solid(0, 0, 40, 30, 0, 0);
    for (int i = 0; i < 40 * 30; ++i) wide.indices.push_back(static_cast<BYTE>((i * 7 / 40) % 4));
    samples.push_back(Builder(40, 30).Add(wide).Bytes());
    Builder many(3, 2);
    for (int i = 0; i < 17; ++i) many.Add(solid(0, 0, 3, 2, static_cast<BYTE>(i % 4), i % 4));
    samples.push_back(many.Bytes());
    // What the GIF writer itself produces.
    for (auto [w, h, frames] : {std::tuple{12L, 9L, 3}, {20L, 16L, 4}}) {
        CAniGIF writer;
        for (int i = 0; i < frames; ++i) {
            extImage p(Pattern(w, h, i * 40));
            writer.SetPicture(i, &p);
            writer.SetDelay(i, 10 + i);
        }
        const std::string path = fuzz::TempFile({});
        EXPECT_TRUE(writer.SaveGIF(path.c_str()));
        samples.push_back(FileBytes(path));
    }
    return samples;
}

bool ReadAnimatedGif(const std::uint8_t* d, size_t n) {
    bool any = false;
    CAniGIF all;
    if (all.Load(d, static_cast<unsigned long>(n), false)) {
        extImage* unused = nullptr;
        all.MakingImage(unused, false);
        for (int i = 0; i < all.GetValidCount(); ++i) any |= Sound(all.GetPtrImageAni()[i]);
    }
    CAniGIF first;
    if (first.Load(d, static_cast<unsigned long>(n), true)) {
        extImage* out = nullptr;
        first.MakingImage(out, true);
        std::unique_ptr<extImage> owned(out);
        any |= Sound(owned.get());
    }
    return any;
}

const bool registered = fuzz::Register({"pht", PhtSamples, ReadPht}) && fuzz::Register({"eba", EbaSamples, ReadEba}) &&
                        fuzz::Register({"anigif", AnimatedGifSamples, ReadAnimatedGif});

}  // namespace
