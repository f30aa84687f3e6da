// PHT still pictures: the 48-byte header and RGB565 pixels.
#include <cstring>
#include <string>

#include "imaging/PhoneFormat.h"
#include "imaging/extImage.h"

void extImage::SetBitmapHeader(tagBITMAP_HEADER* header, CSize size, int still) {
    if (!header) return;
    *header = tagBITMAP_HEADER{};
    std::memcpy(header->szMagic, still ? phone::kStillMagic : phone::kAnimationMagic, 4);
    header->wWidth = static_cast<WORD>(size.cx & 0xFFFF);
    header->wHeight = static_cast<WORD>(size.cy & 0xFFFF);
    header->wWidthAgain = header->wWidth;
    header->byBitCount = 16;
    header->wVersion = 256;
    std::memcpy(header->szSignature, phone::kSignature, sizeof header->szSignature);
}

BYTE* extImage::GetData16bit(int& length) const {
    length = 0;
    std::vector<BYTE> words = phone::EncodePixels(*this);
    if (words.empty() || words.size() > 0x7FFFFFFFu) return nullptr;
    BYTE* data = new BYTE[words.size()];
    std::memcpy(data, words.data(), words.size());
    length = static_cast<int>(words.size());
    return data;
}

bool extImage::SavePHT(const char* path) const {
    if (!IsValid() || GetWidth() > phone::kMaxStoredSide || GetHeight() > phone::kMaxStoredSide) return false;
    tagBITMAP_HEADER header;
    SetBitmapHeader(&header, CSize(static_cast<LONG>(GetWidth()), static_cast<LONG>(GetHeight())), 1);
    BYTE head[phone::kBitmapHeaderSize];
    phone::EncodeBitmapHeader(header, head);
    const std::vector<BYTE> words = phone::EncodePixels(*this);
    return phone::WriteBlocks(path, {{head, sizeof head}, {words.data(), words.size()}});
}

bool extImage::LoadPHT(const char* path) {
    // Only what keeps the read safe is tested here (the announced pixels are all there and fit in
    // memory); the magic and the phone's size limit are IsValidFormat's.
    phone::Contents contents;
    std::vector<BYTE> words;
    const phone::FileError error = phone::ReadStill(path, contents, &words);
    if (error != phone::FileError::None) {
        SetLastError((std::string("PHT: ") + phone::ErrorText(error)).c_str());
        return false;
    }
    return phone::DecodePixels(words.data(), contents.width, contents.height, *this);
}

bool extImage::IsValidFormat(const CString& path, int type) {
    phone::Contents contents;
    return phone::CheckFile(path.c_str(), type, contents) == phone::FileError::None;
}
