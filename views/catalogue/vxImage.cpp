#include "views/catalogue/vxImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "common/Gandry.h"
#include "imaging/extImage.h"
#include "platform/pavix/ximaexif.h"
#include "platform/win/fileapi.h"
#include "platform/win/filetype.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/ThumbFile.h"

namespace {

// ---- JPEG at a reduced scale ------------------------------------------------------------------
// A photo of many megapixels is decoded at the smallest DCT scale that still covers the largest
// level, which costs a fraction of a full decode; the levels keep their exact sizes because they
// are computed from the full dimensions.

struct JpegErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

void JpegQuiet(j_common_ptr, int) {}

// The largest picture the thumbnail maker decodes; anything claiming more is refused before a
// byte of pixels is allocated.
constexpr std::uint64_t kMaxPixels = 100'000'000;

struct JpegPicture {
    int fullWidth = 0;
    int fullHeight = 0;
    int components = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bits;  // top-down rows of Stride24(width)
};

enum class JpegOutcome { Decoded, Unsupported, Broken };

// Reads the header only (dims) or, with `decode`, the pixels at the reduced scale.
JpegOutcome ReadJpeg(const CString& path, bool decode, JpegPicture& out) {
    win::FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return JpegOutcome::Broken;
    jpeg_decompress_struct cinfo;
    JpegErrors errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = JpegErrorExit;
    errors.pub.emit_message = JpegQuiet;
    std::vector<JSAMPROW> rows;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return JpegOutcome::Broken;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file.get());
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        return JpegOutcome::Broken;
    }
    // A photo taken upright shows upright: the EXIF orientation turns the decoded rows, and the
    // sides swap for the transposed orientations.
    int orientation = 1;
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m && orientation == 1; m = m->next)
        if (m->marker == JPEG_APP0 + 1) orientation = pavix::ExifOrientation(m->data, m->data_length);
    const bool swapped = pavix::SwapsSides(orientation);
    out.fullWidth = static_cast<int>(swapped ? cinfo.image_height : cinfo.image_width);
    out.fullHeight = static_cast<int>(swapped ? cinfo.image_width : cinfo.image_height);
    out.components = cinfo.num_components;
    if (out.fullWidth < 1 || out.fullHeight < 1 ||
        static_cast<std::uint64_t>(out.fullWidth) * static_cast<std::uint64_t>(out.fullHeight) > kMaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return JpegOutcome::Broken;
    }
    if (!decode) {
        jpeg_destroy_decompress(&cinfo);
        return JpegOutcome::Decoded;
    }
    // CMYK and other rare colour spaces are left to the picture library.
    if (cinfo.jpeg_color_space != JCS_GRAYSCALE && cinfo.jpeg_color_space != JCS_YCbCr &&
        cinfo.jpeg_color_space != JCS_RGB) {
        jpeg_destroy_decompress(&cinfo);
        return JpegOutcome::Unsupported;
    }
    int needWidth = 0, needHeight = 0;
    thumbfile::LevelSize(thumbfile::kLevels - 1, out.fullWidth, out.fullHeight, needWidth, needHeight);
    if (swapped) std::swap(needWidth, needHeight);
    unsigned scale = 8;
    for (unsigned m = 1; m <= 8; ++m) {
        const auto w = (static_cast<std::uint64_t>(cinfo.image_width) * m + 7) / 8;
        const auto h = (static_cast<std::uint64_t>(cinfo.image_height) * m + 7) / 8;
        if (w >= static_cast<std::uint64_t>(needWidth) && h >= static_cast<std::uint64_t>(needHeight)) {
            scale = m;
            break;
        }
    }
    cinfo.scale_num = scale;
    cinfo.scale_denom = 8;
    cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    const std::int64_t stride = thumbfile::Stride24(out.width);
    out.bits.assign(static_cast<std::size_t>(stride * out.height), 0);
    rows.resize(static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y) rows[static_cast<std::size_t>(y)] = out.bits.data() + stride * y;
    while (cinfo.output_scanline < cinfo.output_height) {
        JDIMENSION before = cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, rows.data() + cinfo.output_scanline, cinfo.output_height - cinfo.output_scanline);
        if (cinfo.output_scanline == before) break;
    }
    // A file cut short decodes as far as it goes, as the picture library shows it.
    jpeg_abort_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (orientation != 1) {
        const int width = swapped ? out.height : out.width, height = swapped ? out.width : out.height;
        const std::int64_t turnedStride = thumbfile::Stride24(width);
        std::vector<std::uint8_t> turned(static_cast<std::size_t>(turnedStride * height), 0);
        pavix::OrientPixels(out.bits.data(), stride, out.width, out.height, 3, orientation, turned.data(),
                            turnedStride);
        out.bits.swap(turned);
        out.width = width;
        out.height = height;
    }
    return JpegOutcome::Decoded;
}

// Saves a picture over its file in one step: written beside it, flushed, then renamed over it, so
// the user's photo is never left half written.
bool SaveReplacing(extImage& image, const CString& path, int type) {
    return win::ReplaceFileAtomic(
        path, [&](const std::string& temp) { return image.Save(temp.c_str(), static_cast<DWORD>(type)); });
}

// A new 24-bit picture holding one level's pixels.
extImage* ImageFromLevel(const thumbfile::Level& level) {
    auto image = std::make_unique<extImage>();
    if (!image->Create(static_cast<DWORD>(level.width), static_cast<DWORD>(level.height), 24, CXIMAGE_FORMAT_BMP)) {
        return nullptr;
    }
    const std::int64_t stride = thumbfile::Stride24(level.width);
    for (int y = 0; y < level.height; ++y) {
        BYTE* dst = image->GetBits(static_cast<DWORD>(y));
        if (!dst) return nullptr;
        std::memcpy(dst, level.bits.data() + stride * y, static_cast<std::size_t>(level.width) * 3);
    }
    return image.release();
}

// Reads one level of a cache file into a new picture.
extImage* ReadLevelImage(const CString& path, int level) {
    std::unique_ptr<extImage> image;
    std::vector<std::uint8_t> staging;
    int width = 0, height = 0;
    bool ok = thumbfile::ReadLevelInto(path, level, [&](int w, int h) -> std::uint8_t* {
        width = w;
        height = h;
        image = std::make_unique<extImage>();
        if (!image->Create(static_cast<DWORD>(w), static_cast<DWORD>(h), 24, CXIMAGE_FORMAT_BMP)) return nullptr;
        if (static_cast<std::int64_t>(image->GetEffWidth()) == thumbfile::Stride24(w)) return image->GetBits(0);
        staging.resize(static_cast<std::size_t>(thumbfile::Stride24(w) * h));
        return staging.data();
    });
    if (!ok || !image) return nullptr;
    if (!staging.empty()) {
        const std::int64_t stride = thumbfile::Stride24(width);
        for (int y = 0; y < height; ++y) {
            std::memcpy(image->GetBits(static_cast<DWORD>(y)), staging.data() + stride * y,
                        static_cast<std::size_t>(width) * 3);
        }
    }
    return image.release();
}

}  // namespace

vxImage::vxImage(CThumbCatalogue*, const CString& key, const CString& filename, const CString& fullPath)
    : m_bNew(1),
      m_strCLSID(key),
      m_nAlbumID(catalogue::kAllPhotosAlbum),
      m_strFilename(filename),
      m_strFullPath(fullPath) {}

vxImage::vxImage(CThumbCatalogue*, const CString& key, int album, const CString& filename, const CString& fullPath)
    : m_bNew(0), m_strCLSID(key), m_nAlbumID(album), m_strFilename(filename), m_strFullPath(fullPath) {}

vxImage::vxImage(CThumbCatalogue*, const CString& key, int album, const CString& keywordIds, const CString& title,
                 const CString& filename, const CString& fullPath)
    : m_bNew(0),
      m_strCLSID(key),
      m_nAlbumID(album),
      m_strKeywordID(keywordIds),
      m_strFilename(filename),
      m_strTitle(title),
      m_strFullPath(fullPath) {}

vxImage::~vxImage() {
    ReleaseAll();
}

bool vxImage::MakingThumb() {
    m_bUndecodable = false;
    const int type = catalogue::TypeOfName(m_strFullPath);
    std::unique_ptr<extImage> picture;
    JpegPicture jpeg;
    thumbfile::Source source;
    int fullWidth = 0, fullHeight = 0;

    bool viaJpeg = false;
    if (type == FILETYPE_JPG) {
        JpegOutcome outcome = ReadJpeg(m_strFullPath, true, jpeg);
        if (outcome == JpegOutcome::Decoded) viaJpeg = true;
    }
    if (viaJpeg) {
        // A grey JPEG comes out at 24 bits here; the file itself is never re-encoded.
        fullWidth = jpeg.fullWidth;
        fullHeight = jpeg.fullHeight;
        source = {jpeg.bits.data(), jpeg.width, jpeg.height, thumbfile::Stride24(jpeg.width), false};
    } else {
        picture = std::make_unique<extImage>(m_strFullPath.c_str(), static_cast<DWORD>(type));
        if (!picture->IsValid() || picture->GetWidth() == 0 || picture->GetHeight() == 0) {
            m_bUndecodable = true;
            return false;
        }
        fullWidth = static_cast<int>(picture->GetWidth());
        fullHeight = static_cast<int>(picture->GetHeight());
        if (picture->GetBpp() < 24) {
            if (!picture->IncreaseBpp(24)) {
                m_bUndecodable = true;
                return false;
            }
            // Lossless formats are rewritten at 24 bits, so later edits start from true colour;
            // a JPEG would lose quality by re-encoding and a GIF cannot hold 24 bits, so those
            // are converted in memory only.
            if (type == FILETYPE_BMP || type == FILETYPE_PNG) {
                if (SaveReplacing(*picture, m_strFullPath, type)) {
                    CString key = catalogue::KeyFromFile(m_strFullPath, m_strFilename);
                    if (!key.empty()) {
                        m_strCLSID = key;
                        const std::size_t slash = m_strThumbPath.rfind('/');
                        const CString folder =
                            slash == CString::npos ? catalogue::ThumbFolder() : m_strThumbPath.substr(0, slash);
                        m_strThumbPath = catalogue::ThumbPathFromKey(folder, key);
                    }
                }
            }
        }
        if (picture->GetBpp() != 24) {
            m_bUndecodable = true;
            return false;
        }
        source = {picture->GetBits(0), fullWidth, fullHeight, static_cast<std::int64_t>(picture->GetEffWidth()), true};
    }
    m_strDimension = catalogue::FormatSql("%d x %d", fullWidth, fullHeight);

    thumbfile::Level levels[thumbfile::kLevels];
    for (int level = 0; level < thumbfile::kLevels; ++level) {
        int w = 0, h = 0;
        thumbfile::LevelSize(level, fullWidth, fullHeight, w, h);
        thumbfile::ResampleNearest(source, w, h, levels[level]);
    }
    ReleaseAll();
    m_pThumb[0] = ImageFromLevel(levels[0]);
    if (m_strThumbPath.empty()) m_strThumbPath = catalogue::ThumbPathFromKey(catalogue::ThumbFolder(), m_strCLSID);
    return thumbfile::Write(m_strThumbPath, levels);
}

bool vxImage::LoadingThumb() {
    if (m_pThumb[0]) return true;
    m_pThumb[0] = ReadLevelImage(m_strThumbPath, 0);
    return m_pThumb[0] != nullptr;
}

bool vxImage::load_thumb_num(int level) {
    if (level < 0 || level >= thumbfile::kLevels) return false;
    if (m_pThumb[level]) return true;
    m_pThumb[level] = ReadLevelImage(m_strThumbPath, level);
    return m_pThumb[level] != nullptr;
}

void vxImage::unload_thumb_num(int level) {
    if (level < 0 || level >= thumbfile::kLevels) return;
    delete m_pThumb[level];
    m_pThumb[level] = nullptr;
}

void vxImage::ReleaseAll() {
    for (int level = 0; level < thumbfile::kLevels; ++level) unload_thumb_num(level);
}

extImage* vxImage::GetLevelImage(int level) {
    if (level < 0 || level >= thumbfile::kLevels) return nullptr;
    return m_pThumb[level];
}

void vxImage::MakingOriginal(int) {
    if (!m_strOriginalPath.empty()) return;
    const CString folder = catalogue::BackupFolder();
    catalogue::MakeFolder(folder);
    CString target = folder + "/" + m_strFilename;
    // An older backup of the same name belongs to another picture: keep both.
    if (win::PathExists(target)) target = CGandry::GetNextFileName(target);
    if (win::CopyFile(m_strFullPath, target, true)) m_strOriginalPath = CGandry::FindFilename(target, 1);
}

CString vxImage::ReadDimension(const CString& path) {
    // From the header alone: a catalogue scan must not decode whole pictures.
    CSize size;
    CString error;
    if (!extImage::ReadPictureSize(path, static_cast<unsigned long>(catalogue::TypeOfName(path)), size, error))
        return CString();
    return catalogue::FormatSql("%d x %d", static_cast<int>(size.cx), static_cast<int>(size.cy));
}
