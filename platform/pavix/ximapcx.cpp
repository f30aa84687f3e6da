// PCX reader.
#include "platform/pavix/ximapcx.h"

#include <cstring>
#include <vector>

#include "platform/pavix/ximaio.h"

using pavix::ByteReader;

bool CxImagePCX::Decode(CxFile* hFile) {
    std::vector<BYTE> file;
    if (!pavix::ReadAll(hFile, file)) return false;
    ByteReader in(file.data(), file.size());
    BYTE maker = in.U8(), version = in.U8(), encoding = in.U8(), bits = in.U8();
    WORD xmin = in.U16(), ymin = in.U16(), xmax = in.U16(), ymax = in.U16();
    WORD hdpi = in.U16(), vdpi = in.U16();
    const BYTE* egaPalette = in.here();
    in.Skip(48);
    in.U8();
    BYTE planes = in.U8();
    WORD bytesPerLine = in.U16();
    in.Seek(128);
    if (!in.ok || maker != 0x0A || version > 5 || encoding > 1 || xmax < xmin || ymax < ymin) {
        SetLastError("PCX: not a PCX file");
        return false;
    }
    const long width = xmax - xmin + 1, height = ymax - ymin + 1;
    // Known layouts: 1, 4 or 8 bits in one plane; 1 bit in four planes (EGA); 8 bits in three planes.
    DWORD outBpp;
    if (planes == 1 && (bits == 1 || bits == 4 || bits == 8))
        outBpp = bits;
    else if (planes == 4 && bits == 1)
        outBpp = 4;
    else if (planes == 3 && bits == 8)
        outBpp = 24;
    else {
        SetLastError("PCX: unsupported layout");
        return false;
    }
    if (static_cast<std::uint64_t>(bytesPerLine) * 8 < static_cast<std::uint64_t>(width) * bits || bytesPerLine == 0) {
        SetLastError("PCX: row length too short");
        return false;
    }
    const size_t lineBytes = static_cast<size_t>(bytesPerLine) * planes;
    const std::uint64_t total = static_cast<std::uint64_t>(lineBytes) * height;
    // A run byte pair gives at most 63 bytes, so the file bounds what the header may claim.
    if (!FitsMemoryLimit(width, height, outBpp) || total > pavix::GetMemoryLimit() ||
        (encoding == 1 && total > in.remaining() * 32ull) || (encoding == 0 && total > in.remaining())) {
        SetLastError("PCX: pixel data cut short");
        return false;
    }
    std::vector<BYTE> data(static_cast<size_t>(total));
    size_t filled = 0;
    while (filled < data.size()) {
        BYTE b = in.U8();
        if (!in.ok) {
            SetLastError("PCX: pixel data cut short");
            return false;
        }
        if (encoding == 1 && (b & 0xC0) == 0xC0) {
            size_t count = b & 0x3F;
            BYTE value = in.U8();
            if (!in.ok) return false;
            count = std::min(count, data.size() - filled);
            std::memset(&data[filled], value, count);
            filled += count;
        } else {
            data[filled++] = b;
        }
    }
    if (!Create(width, height, outBpp, CXIMAGE_FORMAT_PCX)) return false;
    if (hdpi > 0 && hdpi < 10000) SetXDPI(hdpi);
    if (vdpi > 0 && vdpi < 10000) SetYDPI(vdpi);
    if (outBpp == 8) {
        // The 256-colour palette follows the pixels behind a 0x0C marker at the file's end.
        if (file.size() >= 128 + 769 && file[file.size() - 769] == 0x0C) {
            const BYTE* p = file.data() + file.size() - 768;
            for (int i = 0; i < 256; ++i) SetPaletteColor(static_cast<BYTE>(i), p[3 * i], p[3 * i + 1], p[3 * i + 2]);
        } else {
            SetGrayPalette();
        }
    } else if (outBpp == 4 || (outBpp == 1 && version != 5)) {
        for (int i = 0; i < (1 << outBpp); ++i)
            SetPaletteColor(static_cast<BYTE>(i), egaPalette[3 * i], egaPalette[3 * i + 1], egaPalette[3 * i + 2]);
    } else if (outBpp == 1) {
        SetPaletteColor(0, 0, 0, 0);
        SetPaletteColor(1, 255, 255, 255);
    }
    for (long i = 0; i < height; ++i) {
        const BYTE* line = &data[static_cast<size_t>(i) * lineBytes];
        long row = height - 1 - i;
        BYTE* dst = GetBits(row);
        if (outBpp == 24) {
            for (long x = 0; x < width; ++x) {
                dst[3 * x + 2] = line[x];
                dst[3 * x + 1] = line[bytesPerLine + x];
                dst[3 * x] = line[2 * bytesPerLine + x];
            }
        } else if (planes == 4) {
            for (long x = 0; x < width; ++x) {
                BYTE index = 0;
                for (int p = 0; p < 4; ++p)
                    if (line[p * bytesPerLine + (x >> 3)] & (0x80 >> (x & 7))) index |= static_cast<BYTE>(1 << p);
                SetPixelIndex(x, row, index);
            }
        } else {
            std::memcpy(dst, line, std::min<size_t>(GetEffWidth(), (static_cast<size_t>(width) * bits + 7) / 8));
        }
    }
    return true;
}
