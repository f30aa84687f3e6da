// The phones' own picture formats: the 48-byte picture header that opens PHT still pictures and
// EBA animations, the 104-byte animation header that follows it in EBA files, and the RGB565
// pixel layout both use (rows top first, no row padding).
//
// Everything on disk is little-endian; the structs hold the fields and the Encode/Decode helpers
// convert them byte by byte, so the host's layout never matters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/pavix/ximage.h"
#include "platform/win/windef.h"

struct tagBITMAP_HEADER {
    char szMagic[4];       // "IMG" (still picture) or "ANI" (animation), then a zero byte
    WORD wWidth;           // low 16 bits of the width; readers take it as a signed value
    WORD wHeight;          // low 16 bits of the height, signed for readers
    WORD wWidthAgain;      // the width once more
    BYTE byBitCount;       // 16
    BYTE byReserved1;      // 0
    WORD wVersion;         // 256
    WORD wReserved2;       // 0
    BYTE byReserved3;      // 0
    char szSignature[29];  // "You must come back home! zub" and a zero byte
    WORD wReserved4;       // 0
};

struct tagANIMATION_HEADER_T {
    BYTE byFrameCount;  // 1 to 16
    BYTE byReserved;    // 0
    WORD wDelay[50];    // display time of frame i in milliseconds; unused slots 0
    WORD wReserved;     // 0
};

namespace phone {

constexpr std::size_t kBitmapHeaderSize = 48;
constexpr std::size_t kAnimationHeaderSize = 104;
// Offset of the first EBA frame.
constexpr std::size_t kAnimationPixelOffset = kBitmapHeaderSize + kAnimationHeaderSize;
constexpr int kMaxFrames = 16;
constexpr int kDelaySlots = 50;
// Largest side the phones show; IsValidFormat refuses bigger pictures.
constexpr int kMaxPhoneSide = 400;
// Largest side a header can carry so that readers, which take the fields as signed 16-bit
// values, see the same size again.
constexpr long kMaxStoredSide = 32767;

constexpr char kStillMagic[4] = {'I', 'M', 'G', 0};
constexpr char kAnimationMagic[4] = {'A', 'N', 'I', 0};
constexpr char kSignature[29] = "You must come back home! zub";

void EncodeBitmapHeader(const tagBITMAP_HEADER& header, BYTE* out);  // 48 bytes
tagBITMAP_HEADER DecodeBitmapHeader(const BYTE* in);
void EncodeAnimationHeader(const tagANIMATION_HEADER_T& header, BYTE* out);  // 104 bytes
tagANIMATION_HEADER_T DecodeAnimationHeader(const BYTE* in);

// The size fields as readers take them: signed 16-bit values.
inline int HeaderWidth(const tagBITMAP_HEADER& h) {
    return static_cast<std::int16_t>(h.wWidth);
}
inline int HeaderHeight(const tagBITMAP_HEADER& h) {
    return static_cast<std::int16_t>(h.wHeight);
}

// What a phone file's headers announce, checked against the bytes the file really holds.
struct Contents {
    tagBITMAP_HEADER picture{};
    tagANIMATION_HEADER_T animation{};  // EBA files only
    int width = 0;
    int height = 0;
    int frames = 0;  // 1 for a still picture
    std::uint64_t fileSize = 0;
    std::uint64_t FrameBytes() const {
        return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 2;
    }
};

// Why a file was not read; the readers report only success or failure, the tool and the tests
// can say more.
enum class FileError {
    None,
    Open,
    ShortHeader,
    BadSize,
    BadCount,
    ShortPixels,
    BadIndex,
    TooLarge,
    BadMagic,     // not "IMG" (still picture) or "ANI" (animation) as the type wants
    SideTooLong,  // wider or taller than a phone shows
};

// The reason in words, as the tool prints it.
const char* ErrorText(FileError error);

// The one check of a phone file the catalogue and the tool run before opening it (IsValidFormat):
// the magic of the type (21: "ANI", any other: "IMG"), width and height of 1 to 400, for an
// animation a frame count of 1 to 16, and every pixel byte the headers announce present in the
// file. No pixel is read.
FileError CheckFile(const char* path, int type, Contents& contents);

// Reads and checks a PHT file's header: the file must open, hold the 48 header bytes, announce a
// width and height of at least 1 and hold all width x height x 2 pixel bytes after the header.
// With `pixels` those bytes are read too, unless they and the picture made of them would not fit the
// picture memory limit (TooLarge).
FileError ReadStill(const char* path, Contents& contents, std::vector<BYTE>* pixels = nullptr);

// The same for an EBA file: both headers, a frame count of 1 to 16, and every announced frame
// present. With `pixels` the bytes of frame `index` are read (-1: of all frames in order), unless
// they and the pictures made of them would not fit the picture memory limit (TooLarge).
FileError ReadAnimation(const char* path, Contents& contents, int index = -1, std::vector<BYTE>* pixels = nullptr);

// Makes `out` a 24-bit width x height picture from RGB565 words (first stored row on top); full
// channels come back as 255, every other level with its low bits zero. False when the picture
// cannot be made (size over the picture memory limit).
bool DecodePixels(const BYTE* words, int width, int height, CxImage& out);

// RGB565 words of a picture in the file layout; palette pictures give their palette colours and
// alpha is ignored. Empty for an empty picture.
std::vector<BYTE> EncodePixels(const CxImage& picture);

// A decoded RGB565 channel.
inline BYTE Expand5(unsigned v) {
    return v == 31 ? 255 : static_cast<BYTE>(v << 3);
}
inline BYTE Expand6(unsigned v) {
    return v == 63 ? 255 : static_cast<BYTE>(v << 2);
}

// Writes the blocks one after the other into a new file that then replaces any file of that name
// in one step: a write that fails part way leaves the old file as it was and no partial one.
bool WriteBlocks(const char* path, const std::vector<std::pair<const BYTE*, std::size_t>>& blocks);

}  // namespace phone
