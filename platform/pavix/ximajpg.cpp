// JPEG through libjpeg-turbo. Its default error handler ends the process, so every call runs
// under a handler that jumps back here instead.
#include "platform/pavix/ximajpg.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "platform/pavix/ximaexif.h"
#include "platform/pavix/ximaio.h"

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool cutShort;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
    // Warnings are not printed; the one that means missing scan data marks the picture broken.
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<ErrorManager*>(cinfo->err)->cutShort = true;
}

void InstallErrors(ErrorManager& err, jpeg_common_struct* cinfo) {
    cinfo->err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.emit_message = EmitMessage;
    err.cutShort = false;
    err.message[0] = 0;
}

// Adobe writes CMYK inverted; either way the result is C, M, Y, K -> B, G, R.
void CmykRow(const BYTE* src, BYTE* dst, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, src += 4, dst += 3) {
        int c = src[0], m = src[1], y = src[2], k = src[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        dst[0] = static_cast<BYTE>(y * k / 255);
        dst[1] = static_cast<BYTE>(m * k / 255);
        dst[2] = static_cast<BYTE>(c * k / 255);
    }
}

}  // namespace

bool CxImageJPG::Decode(CxFile* hFile) {
    std::vector<BYTE> file;
    if (!pavix::ReadAll(hFile, file) || file.size() < 4) {
        SetLastError("JPEG: unreadable file");
        return false;
    }
    std::vector<BYTE> cmykRow;
    std::vector<JSAMPROW> rows;

    jpeg_decompress_struct cinfo;
    ErrorManager err;
    InstallErrors(err, reinterpret_cast<jpeg_common_struct*>(&cinfo));
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        Destroy();
        SetLastError(err.message[0] ? err.message : "JPEG: broken data");
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = static_cast<long>(std::min<std::uint64_t>(pavix::GetMemoryLimit(), LONG_MAX));
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    int orientation = 1;
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1 || m->data_length < 6 || std::memcmp(m->data, "Exif\0\0", 6) != 0) continue;
        orientation = pavix::ExifOrientation(m->data, m->data_length);
        break;
    }

    bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (grey)
        cinfo.out_color_space = JCS_GRAYSCALE;
    else if (cmyk)
        cinfo.out_color_space = JCS_CMYK;
    else
        cinfo.out_color_space = JCS_EXT_BGR;

    if (!FitsMemoryLimit(cinfo.image_width, cinfo.image_height, grey ? 8 : 24)) {
        jpeg_destroy_decompress(&cinfo);
        SetLastError("JPEG: picture too large");
        return false;
    }
    jpeg_start_decompress(&cinfo);
    if (!Create(cinfo.output_width, cinfo.output_height, grey ? 8 : 24, CXIMAGE_FORMAT_JPG)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    if (grey) SetGrayPalette();
    if (cinfo.density_unit == 1 && cinfo.X_density && cinfo.Y_density) {
        SetXDPI(cinfo.X_density);
        SetYDPI(cinfo.Y_density);
    } else if (cinfo.density_unit == 2 && cinfo.X_density && cinfo.Y_density) {
        SetXDPI(static_cast<long>(cinfo.X_density * 254 / 100));
        SetYDPI(static_cast<long>(cinfo.Y_density * 254 / 100));
    }

    const JDIMENSION height = cinfo.output_height;
    if (cmyk) {
        cmykRow.resize(static_cast<size_t>(cinfo.output_width) * 4);
        bool inverted = cinfo.saw_Adobe_marker;
        while (cinfo.output_scanline < height) {
            JSAMPROW row = cmykRow.data();
            JDIMENSION line = cinfo.output_scanline;
            if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) break;
            CmykRow(cmykRow.data(), GetBits(height - 1 - line), cinfo.output_width, inverted);
        }
    } else {
        // Straight into the bottom-up rows: the first scanline is the top row.
        rows.resize(height);
        for (JDIMENSION i = 0; i < height; ++i) rows[i] = GetBits(height - 1 - i);
        while (cinfo.output_scanline < height) {
            JDIMENSION line = cinfo.output_scanline;
            if (jpeg_read_scanlines(&cinfo, rows.data() + line, height - line) == 0) break;
        }
    }
    if (err.cutShort || cinfo.output_scanline < height) {
        jpeg_destroy_decompress(&cinfo);
        Destroy();
        SetLastError("JPEG: data cut short");
        return false;
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (!pavix::ApplyOrientation(*this, orientation)) {
        Destroy();
        SetLastError("JPEG: picture too large to turn upright");
        return false;
    }
    return true;
}

bool CxImageJPG::ReadSize(CxFile* hFile, long& width, long& height, std::string& error) {
    width = height = 0;
    BYTE head[4];
    if (!hFile || hFile->Read(head, 1, 2) != 2 || head[0] != 0xFF || head[1] != 0xD8) {
        error = "JPEG: not a JPEG file";
        return false;
    }
    int orientation = 1;
    bool sized = false;
    std::vector<BYTE> segment;
    // Segment by segment up to the first scan: the frame header gives the size, an EXIF segment
    // the orientation (which may come before or after it).
    while (true) {
        if (hFile->Read(head, 1, 2) != 2 || head[0] != 0xFF) break;
        const BYTE marker = head[1];
        if (marker == 0xFF) {
            hFile->Seek(-1, SEEK_CUR);
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) break;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        if (hFile->Read(head, 1, 2) != 2) break;
        const size_t length = static_cast<size_t>(head[0] << 8 | head[1]);
        if (length < 2) break;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        const bool exif = marker == 0xE1;
        if (frame || exif) {
            segment.resize(length - 2);
            if (hFile->Read(segment.data(), 1, segment.size()) != segment.size()) break;
            if (frame && segment.size() >= 5) {
                height = segment[1] << 8 | segment[2];
                width = segment[3] << 8 | segment[4];
                sized = true;
            } else if (exif && orientation == 1) {
                orientation = pavix::ExifOrientation(segment.data(), segment.size());
            }
        } else if (!hFile->Seek(static_cast<long>(length - 2), SEEK_CUR)) {
            break;
        }
    }
    if (!sized || width <= 0 || height <= 0) {
        error = sized ? "JPEG: width or height out of range" : "JPEG: no frame header before the image data";
        width = height = 0;
        return false;
    }
    if (pavix::SwapsSides(orientation)) std::swap(width, height);
    return true;
}

bool CxImageJPG::Encode(CxFile* hFile) {
    if (!IsValid() || !hFile) return false;
    const bool grey = head.biBitCount == 8 && IsGrayScale();
    const JDIMENSION width = head.biWidth, height = head.biHeight;
    std::vector<BYTE> row(static_cast<size_t>(width) * 3);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;

    jpeg_compress_struct cinfo;
    ErrorManager err;
    InstallErrors(err, reinterpret_cast<jpeg_common_struct*>(&cinfo));
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        SetLastError(err.message[0] ? err.message : "JPEG: cannot encode");
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, info.nQuality, TRUE);
    cinfo.density_unit = 1;
    cinfo.X_density = static_cast<UINT16>(info.xDPI);
    cinfo.Y_density = static_cast<UINT16>(info.yDPI);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < height) {
        JDIMENSION line = height - 1 - cinfo.next_scanline;
        JSAMPROW src = GetBits(line);
        if (head.biClrUsed && !grey) {
            for (JDIMENSION x = 0; x < width; ++x) {
                RGBQUAD c = GetPaletteColor(BlindGetPixelIndex(x, line));
                row[3 * x] = c.rgbBlue;
                row[3 * x + 1] = c.rgbGreen;
                row[3 * x + 2] = c.rgbRed;
            }
            src = row.data();
        }
        jpeg_write_scanlines(&cinfo, &src, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    bool ok = hFile->Write(buffer, 1, size) == size;
    std::free(buffer);
    return ok;
}
