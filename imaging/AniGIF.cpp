#include "imaging/AniGIF.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "imaging/FrameOverlay.h"
#include "imaging/Quantizer.h"
#include "platform/pavix/ximagif.h"
#include "platform/pavix/xiofile.h"
#include "platform/pavix/xmemfile.h"

namespace {

constexpr long kScreenDescriptorEnd = 13;  // signature, version and logical screen descriptor
constexpr long kGraphicControlLength = 8;
constexpr BYTE kTrailer = 0x3B;
constexpr int kInitialEntries = 10;
constexpr int kSavedLoops = 1024;
constexpr BYTE kSavedDisposal = 2;
constexpr DWORD kGifCodecOption = 2;

// The frame picture of a single-frame GIF, as the picture library decodes it; on failure `error`
// gets the library's reason.
std::unique_ptr<CxImage> DecodeSingleFrame(const BYTE* data, std::size_t size, std::string& error) {
    CxImageGIF decoder;
    CxMemFile memory(const_cast<BYTE*>(data), static_cast<DWORD>(size));
    if (!decoder.Decode(&memory)) {
        error = decoder.GetLastError();
        return nullptr;
    }
    auto picture = std::make_unique<CxImage>();
    picture->Transfer(decoder);
    return picture;
}

std::uint64_t PictureBytes(long width, long height, long bpp = 24) {
    return static_cast<std::uint64_t>((width * bpp + 31) / 32 * 4) * static_cast<std::uint64_t>(height);
}

std::uint64_t PictureBytes(const CxImage& picture) {
    return PictureBytes(static_cast<long>(picture.GetWidth()), static_cast<long>(picture.GetHeight()),
                        static_cast<long>(picture.GetBpp()));
}

}  // namespace

CAniGIF::CAniGIF() = default;

CAniGIF::~CAniGIF() {
    UnInitGIF();
}

void CAniGIF::InitGIF() {
    m_nError = GIFERR_NONE;
    ClearFrames();
    m_pImageAni.assign(kInitialEntries, nullptr);
    m_pFrameImage = nullptr;
}

void CAniGIF::UnInitGIF() {
    ClearFrames();
    m_nError = GIFERR_NONE;
    m_pFrameImage = nullptr;
    UnLoad();
}

void CAniGIF::ClearFrames() {
    for (extImage*& p : m_pImageAni) {
        delete p;
        p = nullptr;
    }
    m_pImageAni.clear();
    m_nValidCount = 0;
}

void CAniGIF::UnLoad() {
    m_pPicture.reset();
    m_arrFrames.clear();
    m_pCanvas.reset();
    m_pRawData = nullptr;
    m_nDataSize = 0;
    m_nCurrOffset = 0;
    m_nGlobalCTSize = 0;
    m_nWidth = 0;
    m_nHeight = 0;
    m_bIsInitialized = false;
    m_bAnimated = true;
    m_clrBack = kBackground;
}

int CAniGIF::Load(const char* path, bool firstOnly) {
    m_strError.clear();
    if (!path) return 0;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        m_strError = "GIF: cannot open the file";
        return 0;
    }
    std::vector<BYTE> data;
    struct stat st {};
    bool ok = ::fstat(::fileno(file), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
              static_cast<std::uint64_t>(st.st_size) <= pavix::GetMemoryLimit();
    if (ok) {
        data.resize(static_cast<std::size_t>(st.st_size));
        ok = std::fread(data.data(), 1, data.size(), file) == data.size();
    }
    std::fclose(file);
    if (!ok) {
        m_strError = "GIF: unreadable file";
        return 0;
    }
    return Load(data.data(), static_cast<unsigned long>(data.size()), firstOnly);
}

int CAniGIF::Load(const void* data, unsigned long length, bool firstOnly) {
    UnLoad();
    m_strError.clear();
    const auto* bytes = static_cast<const BYTE*>(data);
    if (!bytes || length < 6 || length > 0x7FFFFFFFul || std::memcmp(bytes, "GIF", 3) != 0 ||
        (std::memcmp(bytes + 3, "87a", 3) != 0 && std::memcmp(bytes + 3, "89a", 3) != 0)) {
        m_strError = "GIF: not a GIF87a or GIF89a file";
        return 0;
    }

    m_bIsInitialized = true;
    m_pRawData = bytes;
    m_nDataSize = static_cast<long>(length);
    if (m_nDataSize >= kScreenDescriptorEnd) {
        m_nWidth = static_cast<int>(Read16(6));
        m_nHeight = static_cast<int>(Read16(8));
        const BYTE packed = bytes[10];
        m_nGlobalCTSize = (packed & 0x80) ? 3L << ((packed & 7) + 1) : 0;
    }
    // The data belongs to the caller; nothing may point into it after this call.
    auto fail = [this](enumGIFError error, const std::string& why) {
        if (error != GIFERR_NONE) m_nError = error;
        m_strError = why;
        UnLoad();
        return 0;
    };

    ResetDataPointer();
    int count = 0;
    while (SkipNextGraphicBlock()) ++count;
    std::string why;
    if (count == 0) {
        // The block walk only sees that no whole frame is there; the decoder can say what broke.
        if (!DecodeSingleFrame(bytes, length, why)) return fail(GIFERR_NOFRAME, why);
        return fail(GIFERR_NOFRAME, "GIF: no complete frame");
    }
    if (!firstOnly && count > kMaxFrames) return fail(GIFERR_MAXFRAME, "GIF: more than 16 frames");

    if (count == 1) {
        m_bAnimated = false;
        m_pPicture = DecodeSingleFrame(bytes, length, why);
        if (!m_pPicture) return fail(GIFERR_NONE, why);
    } else {
        m_bAnimated = true;
        ResetDataPointer();
        std::uint64_t held = 0;
        for (int i = 0; i < count; ++i) {
            TFrame frame;
            std::vector<BYTE> single =
                GetNextGraphicBlock(frame.m_nDelay, frame.m_frameSize, frame.m_frameOffset, frame.m_nDisposal);
            if (single.empty()) break;
            // Every decoded frame is held until composition, so together they must fit the picture
            // memory limit: a few kilobytes of well-compressed LZW can announce hundreds of megabytes.
            const std::uint64_t announced = PictureBytes(frame.m_frameSize.cx, frame.m_frameSize.cy, 8);
            if (held + announced > pavix::GetMemoryLimit()) return fail(GIFERR_NONE, "GIF: frames too large");
            frame.m_pPicture = DecodeSingleFrame(single.data(), single.size(), why);
            // A frame the picture library refuses is left out; the animation goes on without it.
            if (!frame.m_pPicture) continue;
            held += PictureBytes(*frame.m_pPicture);
            m_arrFrames.push_back(std::move(frame));
            if (firstOnly) break;
        }
        if (m_arrFrames.empty()) return fail(GIFERR_NOFRAME, why.empty() ? "GIF: no readable frame" : why);
    }
    m_pRawData = nullptr;
    if (!MakeCanvas()) {
        m_strError = "GIF: logical screen too large";
        UnLoad();
        return 0;
    }
    return 1;
}

bool CAniGIF::ReadScreenSize(const char* path, CSize& size, std::string& error) {
    size = CSize(0, 0);
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file) {
        error = "GIF: cannot open the file";
        return false;
    }
    BYTE head[kScreenDescriptorEnd] = {};
    const bool whole = std::fread(head, 1, sizeof head, file) == sizeof head;
    if (!whole || std::memcmp(head, "GIF", 3) != 0 ||
        (std::memcmp(head + 3, "87a", 3) != 0 && std::memcmp(head + 3, "89a", 3) != 0)) {
        std::fclose(file);
        error = "GIF: not a GIF87a or GIF89a file";
        return false;
    }
    long width = head[6] | head[7] << 8, height = head[8] | head[9] << 8;
    // A screen of zero size takes the first frame's extent, as the composition of the first frame
    // does; that needs only its image descriptor, found by skipping the blocks before it by their
    // lengths.
    if (width == 0 || height == 0) {
        const long table = (head[10] & 0x80) ? 3L << ((head[10] & 7) + 1) : 0;
        long right = 0, bottom = 0;
        auto skipChain = [file] {
            for (int length = std::fgetc(file); length != EOF; length = std::fgetc(file)) {
                if (length == 0) return true;
                if (std::fseek(file, length, SEEK_CUR) != 0) return false;
            }
            return false;
        };
        bool walking = std::fseek(file, table, SEEK_CUR) == 0;
        while (walking) {
            const int kind = std::fgetc(file);
            if (kind == 0x2C) {
                BYTE d[9];
                if (std::fread(d, 1, sizeof d, file) != sizeof d) break;
                right = (d[0] | d[1] << 8) + (d[4] | d[5] << 8);
                bottom = (d[2] | d[3] << 8) + (d[6] | d[7] << 8);
                break;
            } else if (kind == 0x21) {
                walking = std::fgetc(file) != EOF && skipChain();
            } else {
                walking = false;
            }
        }
        if (width == 0) width = right;
        if (height == 0) height = bottom;
    }
    std::fclose(file);
    if (width <= 0 || height <= 0) {
        error = "GIF: no image";
        return false;
    }
    size = CSize(width, height);
    return true;
}

bool CAniGIF::MakeCanvas() {
    long width = m_nWidth, height = m_nHeight;
    // A logical screen of zero size takes the frames' extent, so a sloppy writer's file still shows.
    auto widen = [&](const CxImage& picture, CPoint offset) {
        if (m_nWidth == 0) width = std::max<long>(width, offset.x + static_cast<long>(picture.GetWidth()));
        if (m_nHeight == 0) height = std::max<long>(height, offset.y + static_cast<long>(picture.GetHeight()));
    };
    std::uint64_t pictures = 0, decoded = 0;
    if (m_pPicture) {
        long x = 0, y = 0;
        m_pPicture->GetOffset(&x, &y);
        widen(*m_pPicture, CPoint(x, y));
        pictures = 2;
        decoded = PictureBytes(*m_pPicture);
    } else {
        for (const TFrame& f : m_arrFrames) {
            widen(*f.m_pPicture, f.m_frameOffset);
            decoded += PictureBytes(*f.m_pPicture);
        }
        pictures = m_arrFrames.size() + 2;  // the canvas, a snapshot per frame, one saved area
    }
    if (width <= 0 || height <= 0) return false;
    // The composition holds the decoded frames, the canvas and one snapshot per frame at once; all
    // of it must fit the picture memory limit, not just each piece.
    if (decoded + PictureBytes(width, height) * pictures > pavix::GetMemoryLimit()) return false;
    auto canvas = std::make_unique<extImage>();
    if (!canvas->Create(static_cast<DWORD>(width), static_cast<DWORD>(height), 24, CXIMAGE_FORMAT_GIF)) return false;
    m_nWidth = static_cast<int>(width);
    m_nHeight = static_cast<int>(height);
    m_pCanvas = std::move(canvas);
    FillBackground(CRect(0, 0, m_nWidth, m_nHeight));
    return true;
}

extImage* CAniGIF::LoadGIFFirst(const char* path) {
    if (!Load(path, true)) return nullptr;
    extImage* first = nullptr;
    MakingImage(first, true);
    return first;
}

bool CAniGIF::LoadGIF(const char* path) {
    UnInitGIF();
    if (!Load(path, false)) return false;
    extImage* unused = nullptr;
    MakingImage(unused, false);
    return true;
}

int CAniGIF::MakingImage(extImage*& out, bool firstOnly) {
    if (!m_bIsInitialized || !m_pCanvas) return 0;
    if (!m_bAnimated) {
        if (!firstOnly || !m_pPicture) return 0;
        long x = 0, y = 0;
        m_pPicture->GetOffset(&x, &y);
        FillBackground(CRect(0, 0, m_nWidth, m_nHeight));
        if (!Render(*m_pPicture, CPoint(x, y))) return 0;
        out = new extImage(*m_pCanvas);
        out->SetFrameDelay(m_pPicture->GetFrameDelay());
        return 1;
    }
    if (m_arrFrames.empty()) return 0;
    if (!firstOnly) {
        ClearFrames();
        m_pImageAni.assign(m_arrFrames.size(), nullptr);
        m_nValidCount = static_cast<int>(m_arrFrames.size());
    }
    const CRect screen(0, 0, m_nWidth, m_nHeight);
    FillBackground(screen);
    const TFrame& first = m_arrFrames.front();
    if (first.m_nDisposal == 2) FillBackground(CRect(first.m_frameOffset, first.m_frameSize));

    for (std::size_t i = 0; i < m_arrFrames.size(); ++i) {
        const TFrame& frame = m_arrFrames[i];
        if (!frame.m_pPicture) continue;
        const CRect area(frame.m_frameOffset, frame.m_frameSize);
        std::unique_ptr<extImage> saved;
        if (frame.m_nDisposal == 3) saved = std::make_unique<extImage>(*m_pCanvas);
        if (frame.m_nDisposal == 2) FillBackground(screen);
        if (Render(*frame.m_pPicture, frame.m_frameOffset)) {
            auto composed = std::make_unique<extImage>(*m_pCanvas);
            composed->SetFrameDelay(frame.m_nDelay);
            if (firstOnly) {
                out = composed.release();
                break;
            }
            m_pImageAni[i] = composed.release();
        } else if (firstOnly) {
            break;
        }
        if (frame.m_nDisposal == 2) FillBackground(area);
        if (frame.m_nDisposal == 3 && saved && saved->IsValid()) m_pCanvas->CopyPixel(area, saved.get());
    }
    return 1;
}

bool CAniGIF::Render(const CxImage& picture, CPoint offset) {
    if (!picture.IsValid() || !m_pCanvas) return false;
    const long W = m_nWidth, H = m_nHeight;
    const long pw = static_cast<long>(picture.GetWidth()), ph = static_cast<long>(picture.GetHeight());
    const long x0 = std::max<long>(0, -offset.x), x1 = std::min<long>(pw, W - offset.x);
    if (x1 <= x0) return true;
    if (picture.GetBpp() == 8) {
        RGBQUAD palette[256];
        for (int i = 0; i < 256; ++i) palette[i] = picture.GetPaletteColor(static_cast<BYTE>(i));
        const long trans = picture.GetTransIndex();
        for (long y = 0; y < ph; ++y) {
            const long cy = offset.y + y;
            if (cy < 0 || cy >= H) continue;
            const BYTE* src = picture.GetBits(static_cast<DWORD>(ph - 1 - y));
            BYTE* dst = m_pCanvas->GetBits(static_cast<DWORD>(H - 1 - cy)) + 3 * (offset.x + x0);
            for (long x = x0; x < x1; ++x, dst += 3) {
                const BYTE index = src[x];
                if (index == trans) continue;
                dst[0] = palette[index].rgbBlue;
                dst[1] = palette[index].rgbGreen;
                dst[2] = palette[index].rgbRed;
            }
        }
        return true;
    }
    const bool keyed = picture.IsTransparent();
    const RGBQUAD key = picture.GetTransColor();
    for (long y = 0; y < ph; ++y) {
        const long cy = offset.y + y;
        if (cy < 0 || cy >= H) continue;
        BYTE* dst = m_pCanvas->GetBits(static_cast<DWORD>(H - 1 - cy)) + 3 * (offset.x + x0);
        for (long x = x0; x < x1; ++x, dst += 3) {
            const RGBQUAD c = picture.GetPixelColor(x, ph - 1 - y, false);
            if (keyed && c.rgbRed == key.rgbRed && c.rgbGreen == key.rgbGreen && c.rgbBlue == key.rgbBlue) continue;
            dst[0] = c.rgbBlue;
            dst[1] = c.rgbGreen;
            dst[2] = c.rgbRed;
        }
    }
    return true;
}

void CAniGIF::FillBackground(const CRect& rect) {
    if (!m_pCanvas) return;
    CRect area;
    if (!area.IntersectRect(rect, CRect(0, 0, m_nWidth, m_nHeight))) return;
    const BYTE r = GetRValue(m_clrBack), g = GetGValue(m_clrBack), b = GetBValue(m_clrBack);
    for (long y = area.top; y < area.bottom; ++y) {
        BYTE* p = m_pCanvas->GetBits(static_cast<DWORD>(m_nHeight - 1 - y)) + 3 * area.left;
        for (long x = area.left; x < area.right; ++x, p += 3) {
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
    }
}

int CAniGIF::IsAnimatedGIF() const {
    return m_bIsInitialized && m_arrFrames.size() >= 2 ? 1 : 0;
}

void CAniGIF::SetPicture(int index, extImage* image) {
    if (index < 0) return;
    if (static_cast<std::size_t>(index) >= m_pImageAni.size()) m_pImageAni.resize(index + 1, nullptr);
    // Copied before the old picture goes, so an entry can be given its own picture.
    extImage* copy = image && image->IsValid() ? new extImage(*image, true, true, true) : nullptr;
    delete m_pImageAni[index];
    m_pImageAni[index] = copy;
    m_nValidCount = std::max(m_nValidCount, index + 1);
}

void CAniGIF::SetDelay(int index, unsigned delay) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_pImageAni.size() || !m_pImageAni[index]) return;
    m_pImageAni[index]->SetFrameDelay(delay & 0xFFFF);
}

void CAniGIF::AddPicture() {
    m_pImageAni.push_back(nullptr);
}

void CAniGIF::DeletePicture(int index, int newLength) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_pImageAni.size()) return;
    delete m_pImageAni[index];
    m_pImageAni[index] = nullptr;
    std::vector<extImage*> packed;
    for (extImage* p : m_pImageAni)
        if (p) packed.push_back(p);
    // A length too short for the remaining pictures would lose them.
    packed.resize(std::max<std::size_t>(packed.size(), static_cast<std::size_t>(std::max(newLength, 0))), nullptr);
    m_pImageAni = std::move(packed);
    m_nValidCount = std::max(0, m_nValidCount - 1);
}

void CAniGIF::DeleteAllOnlyImage() {
    for (extImage*& p : m_pImageAni) {
        delete p;
        p = nullptr;
    }
    m_nValidCount = 0;
}

void CAniGIF::AdjustImage(CSize size) {
    if (size.cx <= 0 || size.cy <= 0 || m_pImageAni.empty()) return;
    const extImage* first = m_pImageAni.front();
    if (first && static_cast<LONG>(first->GetWidth()) == size.cx && static_cast<LONG>(first->GetHeight()) == size.cy)
        return;
    for (extImage* p : m_pImageAni)
        if (p) p->Resample(size.cx, size.cy, 1);
}

void CAniGIF::AdjustFrameImage(extImage** frames) {
    LayOverlay(frames, std::min<int>(m_nValidCount, static_cast<int>(m_pImageAni.size())));
}

void CAniGIF::LayOverlay(extImage** frames, int count) const {
    if (!m_pFrameImage || !frames || count <= 0) return;
    const extImage* first = nullptr;
    for (int i = 0; i < count && !first; ++i) first = frames[i];
    if (!first) return;
    const CFrameOverlay overlay(m_pFrameImage,
                                CSize(static_cast<LONG>(first->GetWidth()), static_cast<LONG>(first->GetHeight())));
    for (int i = 0; i < count; ++i)
        if (frames[i]) overlay.LayOver(*frames[i]);
}

bool CAniGIF::SaveGIF(const char* path) {
    if (!path) return false;
    std::vector<std::unique_ptr<extImage>> copies;
    const int count = std::min<int>(m_nValidCount, static_cast<int>(m_pImageAni.size()));
    for (int i = 0; i < count; ++i)
        if (m_pImageAni[i]) copies.push_back(std::make_unique<extImage>(*m_pImageAni[i], true, true, true));
    if (copies.empty()) return false;
    std::vector<extImage*> frames;
    for (auto& c : copies) frames.push_back(c.get());
    LayOverlay(frames.data(), static_cast<int>(frames.size()));

    std::vector<CxImage*> pages;
    for (extImage* frame : frames) {
        if (frame->GetBpp() != 24 && !frame->IncreaseBpp(24)) return false;
        // A fresh quantizer per frame: each frame gets the palette of its own colours.
        CQuantizer quantizer(256, 7);
        quantizer.ProcessImage(frame->GetDIB());
        RGBQUAD palette[256] = {};
        quantizer.SetColorTable(palette);
        if (!frame->DecreaseBpp(8, true, palette, 256)) return false;
        frame->SetCodecOption(kGifCodecOption, CXIMAGE_FORMAT_GIF);
        pages.push_back(frame);
    }

    CxIOFile file;
    if (!file.Open(path, "wb")) return false;
    CxImageGIF encoder;
    encoder.SetLoops(kSavedLoops);
    encoder.SetDisposalMethod(kSavedDisposal);
    bool ok = encoder.Encode(&file, pages.data(), static_cast<int>(pages.size()), true);
    if (!file.Close()) ok = false;
    if (!ok) std::remove(path);
    return ok;
}

// ---------------------------------------------------------------------------------------------------
// Walking the blocks

UINT CAniGIF::Read16(long position) const {
    return static_cast<UINT>(m_pRawData[position] | (m_pRawData[position + 1] << 8));
}

void CAniGIF::ResetDataPointer() {
    m_nCurrOffset = kScreenDescriptorEnd + m_nGlobalCTSize;
}

GIFBlockTypes CAniGIF::GetNextBlock() const {
    if (!m_pRawData || m_nCurrOffset < 0 || m_nCurrOffset >= m_nDataSize) return BLOCK_UNKNOWN;
    switch (m_pRawData[m_nCurrOffset]) {
        case 0x21:
            if (m_nCurrOffset + 1 >= m_nDataSize) return BLOCK_UNKNOWN;
            switch (m_pRawData[m_nCurrOffset + 1]) {
                case 0xFF:
                    return BLOCK_APPEXT;
                case 0xFE:
                    return BLOCK_COMMEXT;
                case 0xF9:
                    return BLOCK_CONTROLEXT;
                case 0x01:
                    return BLOCK_PLAINTEXT;
                default:
                    return BLOCK_UNKNOWN;
            }
        case 0x2C:
            return BLOCK_IMAGE;
        case 0x3B:
            return BLOCK_TRAILER;
        default:
            return BLOCK_UNKNOWN;
    }
}

long CAniGIF::GetSubBlocksLen(long position) const {
    if (!m_pRawData) return 0;
    long length = 0;
    for (long p = position;;) {
        if (p < 0 || p >= m_nDataSize) return 0;
        const long n = m_pRawData[p];
        length += n + 1;
        p += n + 1;
        if (n == 0) return length;
    }
}

long CAniGIF::GetNextBlockLen() const {
    const long at = m_nCurrOffset;
    auto withChain = [this](long head, long chainAt) {
        const long chain = GetSubBlocksLen(chainAt);
        return chain ? head + chain : 0;
    };
    switch (GetNextBlock()) {
        case BLOCK_APPEXT:
            return withChain(14, at + 14);
        case BLOCK_COMMEXT:
            return withChain(2, at + 2);
        case BLOCK_CONTROLEXT:
            return kGraphicControlLength;
        case BLOCK_PLAINTEXT:
            return withChain(15, at + 15);
        case BLOCK_IMAGE: {
            if (at + 9 >= m_nDataSize) return 0;
            const BYTE packed = m_pRawData[at + 9];
            const long table = (packed & 0x80) ? 3L << ((packed & 7) + 1) : 0;
            return withChain(11 + table, at + 11 + table);
        }
        case BLOCK_TRAILER:
            return 1;
        default:
            return 0;
    }
}

bool CAniGIF::SkipNextBlock() {
    if (!m_pRawData) return false;
    const long length = GetNextBlockLen();
    if (length <= 0 || length > m_nDataSize - m_nCurrOffset) return false;
    m_nCurrOffset += length;
    return true;
}

bool CAniGIF::WalkFrame(long& start, UINT& delay, CSize& frameSize, CPoint& frameOffset, UINT& disposal) {
    delay = kNoDelay;
    disposal = 0;
    frameSize = CSize();
    frameOffset = CPoint();
    if (!m_pRawData) return false;
    GIFBlockTypes kind = GetNextBlock();
    while (kind == BLOCK_APPEXT || kind == BLOCK_COMMEXT) {
        if (!SkipNextBlock()) return false;
        kind = GetNextBlock();
    }
    if (kind == BLOCK_UNKNOWN || kind == BLOCK_TRAILER) return false;
    start = m_nCurrOffset;
    if (kind == BLOCK_CONTROLEXT) {
        if (!SkipNextBlock()) return false;  // also proves its 8 bytes are there
        disposal = (m_pRawData[start + 3] >> 2) & 7;
        delay = Read16(start + 4);
        kind = GetNextBlock();
        while (kind != BLOCK_IMAGE && kind != BLOCK_PLAINTEXT) {
            if (kind == BLOCK_UNKNOWN || kind == BLOCK_TRAILER || !SkipNextBlock()) return false;
            kind = GetNextBlock();
        }
    }
    const long graphic = m_nCurrOffset;
    if (!SkipNextBlock()) return false;
    if (kind == BLOCK_IMAGE) {  // the skip proved the whole descriptor is there
        frameOffset = CPoint(static_cast<LONG>(Read16(graphic + 1)), static_cast<LONG>(Read16(graphic + 3)));
        frameSize = CSize(static_cast<LONG>(Read16(graphic + 5)), static_cast<LONG>(Read16(graphic + 7)));
    }
    return true;
}

bool CAniGIF::SkipNextGraphicBlock() {
    long start = 0;
    UINT delay = 0, disposal = 0;
    CSize size;
    CPoint offset;
    return WalkFrame(start, delay, size, offset, disposal);
}

std::vector<BYTE> CAniGIF::GetNextGraphicBlock(UINT& delay, CSize& frameSize, CPoint& frameOffset, UINT& disposal) {
    std::vector<BYTE> single;
    long start = 0;
    if (!WalkFrame(start, delay, frameSize, frameOffset, disposal)) return single;
    const long head = kScreenDescriptorEnd + m_nGlobalCTSize;
    if (head > start) return single;
    const long end = m_nCurrOffset;
    single.reserve(static_cast<std::size_t>(head + (end - start) + 1));
    single.insert(single.end(), m_pRawData, m_pRawData + head);
    single.insert(single.end(), m_pRawData + start, m_pRawData + end);
    single.push_back(kTrailer);
    return single;
}
