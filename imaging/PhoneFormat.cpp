#include "imaging/PhoneFormat.h"
#include "platform/win/fileapi.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

namespace phone {

namespace {

void Put16(BYTE* p, WORD v) {
    p[0] = static_cast<BYTE>(v & 0xFF);
    p[1] = static_cast<BYTE>(v >> 8);
}

WORD Get16(const BYTE* p) {
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

using win::FilePtr;

// Opens a regular file for reading and tells its size.
FilePtr OpenForReading(const char* path, std::uint64_t& size) {
    if (!path) return nullptr;
    FilePtr file(std::fopen(path, "rb"));
    if (!file) return nullptr;
    struct stat st {};
    if (::fstat(::fileno(file.get()), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    size = static_cast<std::uint64_t>(st.st_size);
    return file;
}

// Whether `frames` frames can be read at once: their stored words and the 24-bit pictures decoded
// from them must fit the picture memory limit together. Checked before anything is allocated, so a
// file announcing gigabytes (which it may even hold) is refused instead of read.
bool FitsMemoryLimit(const Contents& c, std::uint64_t frames) {
    const std::uint64_t stride = (static_cast<std::uint64_t>(c.width) * 3 + 3) / 4 * 4;
    const std::uint64_t picture = stride * static_cast<std::uint64_t>(c.height);
    return (c.FrameBytes() + picture) * frames <= pavix::GetMemoryLimit();
}

}  // namespace

void EncodeBitmapHeader(const tagBITMAP_HEADER& h, BYTE* out) {
    std::memcpy(out, h.szMagic, 4);
    Put16(out + 4, h.wWidth);
    Put16(out + 6, h.wHeight);
    Put16(out + 8, h.wWidthAgain);
    out[10] = h.byBitCount;
    out[11] = h.byReserved1;
    Put16(out + 12, h.wVersion);
    Put16(out + 14, h.wReserved2);
    out[16] = h.byReserved3;
    std::memcpy(out + 17, h.szSignature, 29);
    Put16(out + 46, h.wReserved4);
}

tagBITMAP_HEADER DecodeBitmapHeader(const BYTE* in) {
    tagBITMAP_HEADER h{};
    std::memcpy(h.szMagic, in, 4);
    h.wWidth = Get16(in + 4);
    h.wHeight = Get16(in + 6);
    h.wWidthAgain = Get16(in + 8);
    h.byBitCount = in[10];
    h.byReserved1 = in[11];
    h.wVersion = Get16(in + 12);
    h.wReserved2 = Get16(in + 14);
    h.byReserved3 = in[16];
    std::memcpy(h.szSignature, in + 17, 29);
    h.wReserved4 = Get16(in + 46);
    return h;
}

void EncodeAnimationHeader(const tagANIMATION_HEADER_T& h, BYTE* out) {
    out[0] = h.byFrameCount;
    out[1] = h.byReserved;
    for (int i = 0; i < kDelaySlots; ++i) Put16(out + 2 + 2 * i, h.wDelay[i]);
    Put16(out + 102, h.wReserved);
}

tagANIMATION_HEADER_T DecodeAnimationHeader(const BYTE* in) {
    tagANIMATION_HEADER_T h{};
    h.byFrameCount = in[0];
    h.byReserved = in[1];
    for (int i = 0; i < kDelaySlots; ++i) h.wDelay[i] = Get16(in + 2 + 2 * i);
    h.wReserved = Get16(in + 102);
    return h;
}

FileError ReadStill(const char* path, Contents& c, std::vector<BYTE>* pixels) {
    c = Contents{};
    FilePtr file = OpenForReading(path, c.fileSize);
    if (!file) return FileError::Open;
    BYTE head[kBitmapHeaderSize];
    if (c.fileSize < kBitmapHeaderSize || !win::ReadExact(::fileno(file.get()), head, sizeof head, 0))
        return FileError::ShortHeader;
    c.picture = DecodeBitmapHeader(head);
    c.width = HeaderWidth(c.picture);
    c.height = HeaderHeight(c.picture);
    c.frames = 1;
    if (c.width <= 0 || c.height <= 0) return FileError::BadSize;
    if (c.fileSize - kBitmapHeaderSize < c.FrameBytes()) return FileError::ShortPixels;
    if (pixels) {
        if (!FitsMemoryLimit(c, 1)) return FileError::TooLarge;
        pixels->resize(c.FrameBytes());
        if (!win::ReadExact(::fileno(file.get()), pixels->data(), pixels->size(), kBitmapHeaderSize))
            return FileError::ShortPixels;
    }
    return FileError::None;
}

FileError ReadAnimation(const char* path, Contents& c, int index, std::vector<BYTE>* pixels) {
    c = Contents{};
    FilePtr file = OpenForReading(path, c.fileSize);
    if (!file) return FileError::Open;
    BYTE head[kAnimationPixelOffset];
    if (c.fileSize < kAnimationPixelOffset || !win::ReadExact(::fileno(file.get()), head, sizeof head, 0))
        return FileError::ShortHeader;
    c.picture = DecodeBitmapHeader(head);
    c.animation = DecodeAnimationHeader(head + kBitmapHeaderSize);
    c.width = HeaderWidth(c.picture);
    c.height = HeaderHeight(c.picture);
    c.frames = c.animation.byFrameCount;
    if (c.width <= 0 || c.height <= 0) return FileError::BadSize;
    if (c.frames < 1 || c.frames > kMaxFrames) return FileError::BadCount;
    if (c.fileSize - kAnimationPixelOffset < c.FrameBytes() * static_cast<std::uint64_t>(c.frames))
        return FileError::ShortPixels;
    if (index >= c.frames || index < -1) return FileError::BadIndex;
    if (pixels) {
        const std::uint64_t first = index < 0 ? 0 : static_cast<std::uint64_t>(index);
        const std::uint64_t count = index < 0 ? static_cast<std::uint64_t>(c.frames) : 1;
        if (!FitsMemoryLimit(c, count)) return FileError::TooLarge;
        pixels->resize(c.FrameBytes() * count);
        const auto at = static_cast<std::int64_t>(kAnimationPixelOffset + first * c.FrameBytes());
        if (!win::ReadExact(::fileno(file.get()), pixels->data(), pixels->size(), at))
            return FileError::ShortPixels;
    }
    return FileError::None;
}

const char* ErrorText(FileError error) {
    switch (error) {
        case FileError::None:
            return "no error";
        case FileError::Open:
            return "cannot open the file";
        case FileError::ShortHeader:
            return "the file is shorter than its header";
        case FileError::BadSize:
            return "width or height out of range";
        case FileError::BadCount:
            return "frame count out of range (1 to 16)";
        case FileError::ShortPixels:
            return "the file holds fewer pixel bytes than its header announces";
        case FileError::BadIndex:
            return "no such frame";
        case FileError::TooLarge:
            return "picture too large";
        case FileError::BadMagic:
            return "not a phone picture (wrong magic)";
        case FileError::SideTooLong:
            return "wider or taller than 400 pixels";
    }
    return "unknown error";
}

FileError CheckFile(const char* path, int type, Contents& contents) {
    constexpr int kTypeAnimation = 21;
    const bool animation = type == kTypeAnimation;
    const FileError error = animation ? ReadAnimation(path, contents) : ReadStill(path, contents);
    // The magic comes first: a file of another format is named as such, whatever its bytes at the
    // size fields happen to say.
    if (error != FileError::None && error != FileError::Open && error != FileError::ShortHeader &&
        std::memcmp(contents.picture.szMagic, animation ? kAnimationMagic : kStillMagic, 3) != 0)
        return FileError::BadMagic;
    if (error != FileError::None) return error;
    if (std::memcmp(contents.picture.szMagic, animation ? kAnimationMagic : kStillMagic, 3) != 0)
        return FileError::BadMagic;
    if (contents.width > kMaxPhoneSide || contents.height > kMaxPhoneSide) return FileError::SideTooLong;
    return FileError::None;
}

bool DecodePixels(const BYTE* words, int width, int height, CxImage& out) {
    if (!words || width <= 0 || height <= 0) return false;
    CxImage picture;
    if (!picture.Create(static_cast<DWORD>(width), static_cast<DWORD>(height), 24, out.GetType())) return false;
    BYTE red[32], blue[32], green[64];
    for (unsigned v = 0; v < 32; ++v) red[v] = blue[v] = Expand5(v);
    for (unsigned v = 0; v < 64; ++v) green[v] = Expand6(v);
    const BYTE* src = words;
    for (int row = 0; row < height; ++row) {
        BYTE* dst = picture.GetBits(static_cast<DWORD>(height - 1 - row));
        for (int x = 0; x < width; ++x, src += 2, dst += 3) {
            const unsigned w = src[0] | (src[1] << 8);
            dst[0] = blue[w & 0x1F];
            dst[1] = green[(w >> 5) & 0x3F];
            dst[2] = red[w >> 11];
        }
    }
    out.Transfer(picture);
    return true;
}

std::vector<BYTE> EncodePixels(const CxImage& picture) {
    std::vector<BYTE> words;
    if (!picture.IsValid()) return words;
    const long W = static_cast<long>(picture.GetWidth()), H = static_cast<long>(picture.GetHeight());
    words.resize(static_cast<std::size_t>(W) * static_cast<std::size_t>(H) * 2);
    BYTE* dst = words.data();
    auto put = [&dst](BYTE r, BYTE g, BYTE b) {
        const unsigned w = ((r & 0xF8u) << 8) | ((g & 0xFCu) << 3) | (b >> 3);
        dst[0] = static_cast<BYTE>(w & 0xFF);
        dst[1] = static_cast<BYTE>(w >> 8);
        dst += 2;
    };
    for (long row = 0; row < H; ++row) {
        const long y = H - 1 - row;
        if (picture.GetBpp() == 24) {
            const BYTE* src = picture.GetBits(static_cast<DWORD>(y));
            for (long x = 0; x < W; ++x, src += 3) put(src[2], src[1], src[0]);
        } else {
            for (long x = 0; x < W; ++x) {
                RGBQUAD c = picture.GetPixelColor(x, y, false);
                put(c.rgbRed, c.rgbGreen, c.rgbBlue);
            }
        }
    }
    return words;
}

bool WriteBlocks(const char* path, const std::vector<std::pair<const BYTE*, std::size_t>>& blocks) {
    if (!path) return false;
    std::string contents;
    std::size_t total = 0;
    for (const auto& block : blocks) total += block.second;
    contents.reserve(total);
    for (const auto& [data, size] : blocks) {
        if (size) contents.append(reinterpret_cast<const char*>(data), size);
    }
    // Through a temporary file and a rename: a failed or interrupted save leaves the old file.
    return win::WriteFileAtomic(path, contents);
}

}  // namespace phone
