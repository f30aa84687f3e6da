// The picture library's readers and the GIF opening of extImage, for the fuzz harness.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "imaging/extImage.h"
#include "platform/pavix/ximage.h"
#include "platform/pavix/ximagif.h"
#include "platform/pavix/xmemfile.h"
#include "tests/fuzz/FuzzHarness.h"

namespace {

using fuzz::Bytes;

// A decoded picture must hold every byte it claims: touch them all (AddressSanitizer checks the
// reads) and look at its corners.
bool Sound(const CxImage& p) {
    if (!p.IsValid()) {
        EXPECT_EQ(p.GetWidth(), 0u);
        return false;
    }
    EXPECT_GT(p.GetWidth(), 0u);
    EXPECT_GT(p.GetHeight(), 0u);
    unsigned sum = 0;
    const BYTE* bits = p.GetBits(0);
    for (DWORD i = 0; i < p.GetImageSize(); ++i) sum += bits[i];
    const RGBQUAD* pal = p.GetPalette();
    for (DWORD i = 0; pal && i < p.GetNumColors(); ++i) sum += pal[i].rgbRed;
    if (const BYTE* a = p.AlphaGetPointer())
        for (DWORD i = 0; i < p.GetWidth() * p.GetHeight(); ++i) sum += a[i];
    long w = p.GetWidth(), h = p.GetHeight();
    sum += p.GetPixelColor(w - 1, h - 1).rgbRed + p.GetPixelColor(0, 0).rgbBlue;
    return sum != 0xFFFFFFFFu || true;
}

Bytes Encode(CxImage& p, DWORD type) {
    BYTE* data = nullptr;
    long size = 0;
    EXPECT_TRUE(p.Encode(data, size, type));
    Bytes out(data, data + size);
    CxImage::FreeMemory(data);
    return out;
}

CxImage Pattern(DWORD w, DWORD h, DWORD bpp) {
    CxImage p(w, h, bpp);
    for (DWORD i = 0; i < p.GetNumColors(); ++i)
        p.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 5), static_cast<BYTE>(i * 3),
                          static_cast<BYTE>(255 - i));
    for (long y = 0; y < static_cast<long>(h); ++y)
        for (long x = 0; x < static_cast<long>(w); ++x) {
            if (bpp == 24)
                p.SetPixelColor(
                    x, y, RGBQUAD{static_cast<BYTE>(x * 13), static_cast<BYTE>(y * 29), static_cast<BYTE>(x * y), 0});
            else
                p.SetPixelIndex(x, y, static_cast<BYTE>((x + 3 * y) % p.GetNumColors()));
        }
    return p;
}

void Put16(Bytes& v, unsigned x) {
    v.push_back(static_cast<BYTE>(x));
    v.push_back(static_cast<BYTE>(x >> 8));
}
void Put32(Bytes& v, unsigned x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<BYTE>(x >> (8 * i)));
}

// The sample files other programs wrote (tests/pavix/samples) with the given extension.
std::vector<Bytes> SampleFiles(const char* extension) {
    std::vector<Bytes> out;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(PAVIX_SAMPLES, ec)) {
        if (entry.path().extension() != extension) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        out.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return out;
}

std::vector<Bytes> WithSamples(std::vector<Bytes> made, const char* extension) {
    for (Bytes& b : SampleFiles(extension)) made.push_back(std::move(b));
    return made;
}

bool Read(const std::uint8_t* d, size_t n, DWORD type) {
    CxImage p(d, static_cast<DWORD>(n), type);
    return Sound(p);
}

// ---------------------------------------------------------------------------------------------------

std::vector<Bytes> BmpSamples() {
    std::vector<Bytes> s;
    for (DWORD bpp : {1u, 4u, 8u, 24u}) {
        CxImage p = Pattern(13, 7, bpp);
        s.push_back(Encode(p, CXIMAGE_FORMAT_BMP));
    }
    // RLE8 and a 16-bit bit-field file.
    Bytes rle = {'B', 'M'};
    Put32(rle, 0);
    Put32(rle, 0);
    Put32(rle, 54 + 16);
    Put32(rle, 40);
    Put32(rle, 6);
    Put32(rle, 3);
    Put16(rle, 1);
    Put16(rle, 8);
    Put32(rle, 1);
    for (int i = 0; i < 3; ++i) Put32(rle, 0);
    Put32(rle, 4);
    Put32(rle, 0);
    for (int i = 0; i < 4; ++i) Put32(rle, i * 0x00303030u);
    const BYTE stream[] = {3, 1, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 2, 3, 0, 0, 0, 1};
    rle.insert(rle.end(), stream, stream + sizeof stream);
    s.push_back(rle);
    Bytes bf = {'B', 'M'};
    Put32(bf, 0);
    Put32(bf, 0);
    Put32(bf, 54 + 12);
    Put32(bf, 40);
    Put32(bf, 3);
    Put32(bf, static_cast<unsigned>(-2));
    Put16(bf, 1);
    Put16(bf, 16);
    Put32(bf, 3);
    for (int i = 0; i < 5; ++i) Put32(bf, 0);
    Put32(bf, 0xF800);
    Put32(bf, 0x07E0);
    Put32(bf, 0x001F);
    for (int i = 0; i < 8; ++i) Put16(bf, i * 0x1234);
    s.push_back(bf);
    return WithSamples(s, ".bmp");
}

std::vector<Bytes> JpegSamples() {
    CxImage colour = Pattern(19, 11, 24);
    CxImage grey(9, 9, 8);
    grey.SetGrayPalette();
    grey.Clear(120);
    return WithSamples({Encode(colour, CXIMAGE_FORMAT_JPG), Encode(grey, CXIMAGE_FORMAT_JPG)}, ".jpg");
}

std::vector<Bytes> PngSamples() {
    CxImage rgb = Pattern(11, 5, 24);
    CxImage rgba = Pattern(7, 4, 24);
    rgba.AlphaCreate();
    rgba.AlphaSet(3, 3, 9);
    CxImage pal = Pattern(9, 6, 8);
    pal.SetTransIndex(2);
    CxImage four = Pattern(5, 5, 4);
    return WithSamples({Encode(rgb, CXIMAGE_FORMAT_PNG), Encode(rgba, CXIMAGE_FORMAT_PNG),
                        Encode(pal, CXIMAGE_FORMAT_PNG), Encode(four, CXIMAGE_FORMAT_PNG)},
                       ".png");
}

Bytes Animation() {
    CxImage a = Pattern(6, 5, 8), b = Pattern(4, 3, 8);
    a.SetFrameDelay(5);
    b.SetOffset(2, 1);
    b.SetTransIndex(3);
    for (int i = 0; i < 256; ++i) b.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i), 0, 0);
    CxImage* frames[2] = {&a, &b};
    CxImageGIF gif;
    gif.SetLoops(3);
    CxMemFile mem;
    mem.Open();
    EXPECT_TRUE(gif.Encode(&mem, frames, 2, true));
    return Bytes(mem.GetBuffer(false), mem.GetBuffer(false) + mem.Size());
}

std::vector<Bytes> GifSamples() {
    CxImage one = Pattern(9, 7, 8);
    one.SetTransIndex(0);
    CxImage mono = Pattern(17, 3, 1);
    return WithSamples({Encode(one, CXIMAGE_FORMAT_GIF), Encode(mono, CXIMAGE_FORMAT_GIF), Animation()}, ".gif");
}

bool ReadGifSecondFrame(const std::uint8_t* d, size_t n) {
    CxImageGIF gif;
    gif.SetFrame(1);
    CxMemFile mem(const_cast<BYTE*>(d), static_cast<DWORD>(n));
    gif.Decode(&mem);
    return Sound(gif);
}

std::vector<Bytes> GifAnimationSamples() {
    return {Animation()};
}

bool ReadGifAsExtImage(const std::uint8_t* d, size_t n) {
    std::string path = fuzz::TempFile(Bytes(d, d + n));
    extImage p(path.c_str(), 2);
    return Sound(p);
}

std::vector<Bytes> TiffSamples() {
    CxImage rgb = Pattern(9, 5, 24);
    CxImage pal = Pattern(6, 6, 8);
    return WithSamples({Encode(rgb, CXIMAGE_FORMAT_TIF), Encode(pal, CXIMAGE_FORMAT_TIF)}, ".tif");
}

std::vector<Bytes> IcoSamples() {
    Bytes dib;
    Put16(dib, 0);
    Put16(dib, 1);
    Put16(dib, 1);
    dib.insert(dib.end(), {4, 2, 0, 0});
    Put16(dib, 1);
    Put16(dib, 8);
    Put32(dib, 40 + 1024 + 8 + 8);
    Put32(dib, 22);
    Put32(dib, 40);
    Put32(dib, 4);
    Put32(dib, 4);
    Put16(dib, 1);
    Put16(dib, 8);
    for (int i = 0; i < 6; ++i) Put32(dib, 0);
    for (int i = 0; i < 256; ++i) Put32(dib, i * 0x010101u);
    for (int i = 0; i < 8; ++i) dib.push_back(static_cast<BYTE>(i * 30));
    Put32(dib, 0x40);
    Put32(dib, 0x80);
    CxImage png = Pattern(5, 4, 24);
    Bytes inner = Encode(png, CXIMAGE_FORMAT_PNG);
    Bytes withPng;
    Put16(withPng, 0);
    Put16(withPng, 1);
    Put16(withPng, 1);
    withPng.insert(withPng.end(), {5, 4, 0, 0});
    Put16(withPng, 1);
    Put16(withPng, 32);
    Put32(withPng, static_cast<unsigned>(inner.size()));
    Put32(withPng, 22);
    withPng.insert(withPng.end(), inner.begin(), inner.end());
    return WithSamples({dib, withPng}, ".ico");
}

std::vector<Bytes> TgaSamples() {
    auto header = [](Bytes& f, int type, int mapType, int mapLen, int mapBits, int w, int h, int bpp, int desc) {
        f = {3, static_cast<BYTE>(mapType), static_cast<BYTE>(type)};
        Put16(f, 0);
        Put16(f, mapLen);
        f.push_back(static_cast<BYTE>(mapBits));
        Put16(f, 0);
        Put16(f, 0);
        Put16(f, w);
        Put16(f, h);
        f.push_back(static_cast<BYTE>(bpp));
        f.push_back(static_cast<BYTE>(desc));
        f.insert(f.end(), {'i', 'd', '!'});
    };
    Bytes raw, rle, mapped;
    header(raw, 2, 0, 0, 0, 5, 3, 24, 0);
    for (int i = 0; i < 45; ++i) raw.push_back(static_cast<BYTE>(i * 5));
    header(rle, 10, 0, 0, 0, 6, 2, 32, 0x28);
    rle.insert(rle.end(), {0x83, 1, 2, 3, 4, 0x01, 9, 9, 9, 9, 8, 8, 8, 8, 0x85, 5, 6, 7, 8});
    header(mapped, 9, 1, 4, 16, 4, 2, 8, 0x20);
    for (int i = 0; i < 4; ++i) Put16(mapped, i * 0x1111);
    mapped.insert(mapped.end(), {0x87, 2});
    return {raw, rle, mapped};
}

std::vector<Bytes> PcxSamples() {
    auto header = [](int bits, int planes, int w, int h, int bytesPerLine) {
        Bytes f(128, 0);
        f[0] = 0x0A;
        f[1] = 5;
        f[2] = 1;
        f[3] = static_cast<BYTE>(bits);
        f[8] = static_cast<BYTE>(w - 1);
        f[10] = static_cast<BYTE>(h - 1);
        f[65] = static_cast<BYTE>(planes);
        f[66] = static_cast<BYTE>(bytesPerLine);
        return f;
    };
    Bytes eight = header(8, 1, 5, 3, 6);
    eight.insert(eight.end(), {0xC6, 4, 1, 2, 3, 0xC2, 0xC8, 9, 0xC6, 0});
    eight.push_back(0x0C);
    for (int i = 0; i < 768; ++i) eight.push_back(static_cast<BYTE>(i));
    Bytes rgb = header(8, 3, 3, 2, 4);
    for (int i = 0; i < 24; ++i) rgb.push_back(static_cast<BYTE>(i * 7));
    Bytes ega = header(1, 4, 9, 2, 2);
    for (int i = 0; i < 16; ++i) ega.push_back(static_cast<BYTE>(0x11 * (i % 11)));
    return WithSamples({eight, rgb, ega}, ".pcx");
}

// Recomputes the CRC of every whole chunk so damage inside a chunk reaches the decoder.
void RepairPngChecksums(Bytes& b) {
    size_t at = 8;
    while (at + 12 <= b.size()) {
        std::uint32_t length = (std::uint32_t{b[at]} << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
        if (length > b.size() - at - 12) break;
        std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, b.data() + at + 4, length + 4));
        for (int i = 0; i < 4; ++i) b[at + 8 + length + i] = static_cast<BYTE>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
}

// Wireless bitmaps from our writer: an odd width, and one over 127 (a side of two bytes).
std::vector<Bytes> WbmpSamples() {
    std::vector<Bytes> out;
    for (DWORD w : {13u, 130u}) {
        CxImage p = Pattern(w, 7, 1);
        out.push_back(Encode(p, CXIMAGE_FORMAT_WBMP));
    }
    return out;
}

std::vector<Bytes> AllSamples() {
    std::vector<Bytes> all;
    for (auto make : {BmpSamples, JpegSamples, PngSamples, GifSamples, TiffSamples, IcoSamples, PcxSamples}) {
        auto s = make();
        all.insert(all.end(), s.begin(), s.end());
    }
    return all;
}

const bool registered =
    fuzz::Register(
        {"bmp", BmpSamples, [](const std::uint8_t* d, size_t n) { return Read(d, n, CXIMAGE_FORMAT_BMP); }}) &&
    fuzz::Register(
        {"jpeg", JpegSamples, [](const std::uint8_t* d, size_t n) { return Read(d, n, CXIMAGE_FORMAT_JPG); }}) &&
    fuzz::Register({"png", PngSamples, [](const std::uint8_t* d, size_t n) { return Read(d, n, CXIMAGE_FORMAT_PNG); },
                    RepairPngChecksums}) &&
    fuzz::Register(
        {"gif", GifSamples, [](const std::uint8_t* d, size_t n) { return Read(d, n, CXIMAGE_FORMAT_GIF); }}) &&
    fuzz::Register({"gif-frame2", GifAnimationSamples, ReadGifSecondFrame}) &&
    fuzz::Register({"gif-open", GifSamples, ReadGifAsExtImage}) &&
    fuzz::Register(
        {"tiff", TiffSamples, [](const std::uint8_t* d, size_t n) { return Read(d, n, CXIMAGE_FORMAT_TIF); }}) &&
    fuzz::Register(
        {"ico", IcoSamples, [](const std::uint8_t* d, size_t n) { return Read(d, n, CXIMAGE_FORMAT_ICO); }}) &&
    fuzz::Register(
        {"tga", TgaSamples, [](const std::uint8_t* d, size_t n) { return Read(d, n, CXIMAGE_FORMAT_TGA); }}) &&
    fuzz::Register(
        {"pcx", PcxSamples, [](const std::uint8_t* d, size_t n) { return Read(d, n, CXIMAGE_FORMAT_PCX); }}) &&
    fuzz::Register(
        {"wbmp", WbmpSamples, [](const std::uint8_t* d, size_t n) { return Read(d, n, CXIMAGE_FORMAT_WBMP); }}) &&
    fuzz::Register(
        {"sniffed", AllSamples, [](const std::uint8_t* d, size_t n) { return Read(d, n, CXIMAGE_FORMAT_UNKNOWN); }});

}  // namespace
