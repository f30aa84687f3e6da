#include "imaging/EBAWrapper.h"

#include <memory>
#include <vector>

#include "imaging/FrameOverlay.h"
#include "platform/afx/afxwin.h"

namespace {

constexpr const char* kMixedSizesMessage = "이 상황을 개발자에게 코멘트해주세요.";

bool HasSize(const CxImage& picture, LONG width, LONG height) {
    return static_cast<LONG>(picture.GetWidth()) == width && static_cast<LONG>(picture.GetHeight()) == height;
}

extImage* DecodeFrame(const std::vector<BYTE>& words, std::size_t offset, const phone::Contents& contents) {
    auto picture = std::make_unique<extImage>();
    if (!phone::DecodePixels(words.data() + offset, contents.width, contents.height, *picture)) return nullptr;
    return picture.release();
}

}  // namespace

CEBAWrapper::CEBAWrapper() {
    for (auto& slot : m_pFrameList) slot = new EBA_FRAME;
}

CEBAWrapper::~CEBAWrapper() {
    UnInit();
    for (auto& slot : m_pFrameList) {
        delete slot;
        slot = nullptr;
    }
}

void CEBAWrapper::UnInit() {
    for (EBA_FRAME* slot : m_pFrameList) {
        delete slot->pImage;
        slot->pImage = nullptr;
        slot->nDelay = kDefaultDelay;
    }
    m_nValidCount = 0;
    m_pFrameImage = nullptr;
}

void CEBAWrapper::Recount() {
    m_nValidCount = 0;
    for (const EBA_FRAME* slot : m_pFrameList)
        if (slot->pImage) ++m_nValidCount;
}

void CEBAWrapper::SetPicture(int index, extImage* image) {
    if (!IsSlot(index)) return;
    EBA_FRAME* slot = m_pFrameList[index];
    // Copied before the old picture goes, so a slot can be given its own picture.
    extImage* copy = image && image->IsValid() ? new extImage(*image, true, true, true) : nullptr;
    delete slot->pImage;
    slot->pImage = copy;
    Recount();
}

void CEBAWrapper::SetDelay(int index, unsigned short delay) {
    if (IsSlot(index)) m_pFrameList[index]->nDelay = delay;
}

void CEBAWrapper::DeletePicture(int index) {
    if (!IsSlot(index)) return;
    EBA_FRAME* slot = m_pFrameList[index];
    delete slot->pImage;
    slot->pImage = nullptr;
    slot->nDelay = kDefaultDelay;
    Recount();
}

void CEBAWrapper::SetAnimationHeader(tagANIMATION_HEADER_T* header) const {
    if (!header) return;
    *header = tagANIMATION_HEADER_T{};
    // The filled slots in order: the composer keeps them without gaps, so these are slots
    // 0..count-1, and a gap can never pair a delay with the wrong frame.
    int n = 0;
    for (const EBA_FRAME* slot : m_pFrameList) {
        if (!slot->pImage) continue;
        header->wDelay[n++] = slot->nDelay;
    }
    header->byFrameCount = static_cast<BYTE>(n);
}

bool CEBAWrapper::LoadEBA(const char* path) {
    UnInit();
    phone::Contents contents;
    std::vector<BYTE> words;
    if (phone::ReadAnimation(path, contents, -1, &words) != phone::FileError::None) return false;
    for (int i = 0; i < contents.frames; ++i) {
        extImage* frame = DecodeFrame(words, static_cast<std::size_t>(i) * contents.FrameBytes(), contents);
        if (!frame) {
            UnInit();
            return false;
        }
        m_pFrameList[i]->pImage = frame;
        m_pFrameList[i]->nDelay = contents.animation.wDelay[i];
    }
    Recount();
    return true;
}

extImage* CEBAWrapper::LoadEBAFirst(const char* path) {
    return GetEBAFrame(path, 0);
}

extImage* CEBAWrapper::GetEBAFrame(const char* path, int index) {
    if (index < 0) return nullptr;
    phone::Contents contents;
    std::vector<BYTE> words;
    if (phone::ReadAnimation(path, contents, index, &words) != phone::FileError::None) return nullptr;
    return DecodeFrame(words, 0, contents);
}

bool CEBAWrapper::SaveEBA(const char* path, CSize size) {
    std::vector<extImage*> slides;
    for (EBA_FRAME* slot : m_pFrameList)
        if (slot->pImage) slides.push_back(slot->pImage);
    if (slides.empty()) return false;

    auto allAlike = [&slides] {
        for (const extImage* s : slides)
            if (!HasSize(*s, static_cast<LONG>(slides[0]->GetWidth()), static_cast<LONG>(slides[0]->GetHeight())))
                return false;
        return true;
    };
    if (!allAlike()) {
        if (size.cx == 0 || size.cy == 0) {
            AfxMessageBox(kMixedSizesMessage, MB_OK);
            return false;
        }
        for (extImage* s : slides)
            if (!HasSize(*s, size.cx, size.cy)) s->Resample(size.cx, size.cy, 1);
        if (!allAlike()) return false;
    }
    const LONG W = static_cast<LONG>(slides[0]->GetWidth()), H = static_cast<LONG>(slides[0]->GetHeight());
    if (W > phone::kMaxStoredSide || H > phone::kMaxStoredSide) return false;

    tagBITMAP_HEADER picture;
    extImage::SetBitmapHeader(&picture, CSize(W, H), 0);
    tagANIMATION_HEADER_T animation;
    SetAnimationHeader(&animation);
    BYTE head[phone::kAnimationPixelOffset];
    phone::EncodeBitmapHeader(picture, head);
    phone::EncodeAnimationHeader(animation, head + phone::kBitmapHeaderSize);

    const CFrameOverlay overlay(m_pFrameImage, CSize(W, H));
    std::vector<std::vector<BYTE>> frames;
    frames.reserve(slides.size());
    for (extImage* s : slides) {
        if (overlay.IsActive()) {
            extImage framed(*s);
            overlay.LayOver(framed);
            frames.push_back(phone::EncodePixels(framed));
        } else {
            frames.push_back(phone::EncodePixels(*s));
        }
    }
    std::vector<std::pair<const BYTE*, std::size_t>> blocks = {{head, sizeof head}};
    for (const auto& f : frames) blocks.emplace_back(f.data(), f.size());
    return phone::WriteBlocks(path, blocks);
}

bool CEBAWrapper::SavePHT(const char* path, int index) {
    if (!IsSlot(index) || !m_pFrameList[index]->pImage) return false;
    const extImage* slide = m_pFrameList[index]->pImage;
    if (!m_pFrameImage) return slide->SavePHT(path);
    extImage framed(*slide);
    const CFrameOverlay overlay(m_pFrameImage,
                                CSize(static_cast<LONG>(framed.GetWidth()), static_cast<LONG>(framed.GetHeight())));
    overlay.LayOver(framed);
    return framed.SavePHT(path);
}
