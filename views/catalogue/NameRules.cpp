#include "views/catalogue/NameRules.h"

#include <algorithm>

#include "common/Gandry.h"
#include "platform/win/codepage.h"

namespace catalogue {
namespace {

bool Contains(const std::vector<CString>& names, const CString& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The tests every name edit shares after its own empty test.
CString PlainNameRefusal(const CString& name) {
    if (name[0] == ' ') return "파일이름 첫문자에 공백은 허용되지 않습니다";
    if (CGandry::CheckFileSpecialChar(name)) return "\\/<>\"?*:| 문자는 사용할수 없습니다";
    return CString();
}

}  // namespace

int NameLength(const CString& name) {
    const CString bytes = win::Utf8ToCp949(name);
    int pairs = 0;
    CGandry::GetHanguleCount(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()),
                             pairs);
    return static_cast<int>(bytes.size()) - pairs;
}

bool FitsNameEdit(const CString& name) {
    return NameLength(name) <= kMaxNameChars;
}

CString CheckAlbumName(const CString& name, const std::vector<CString>& albums) {
    if (name.empty()) return "입력박스에 입력해주세요";
    CString refusal = PlainNameRefusal(name);
    if (!refusal.empty()) return refusal;
    if (Contains(albums, name)) return "앨범명이 이미 존재합니다";
    return CString();
}

AlbumRenameVerdict CheckAlbumRename(const CString& oldName, const CString& newName,
                                    const std::vector<CString>& albums) {
    if (newName.empty()) return AlbumRenameVerdict::Empty;
    if (!FitsNameEdit(newName)) return AlbumRenameVerdict::TooLong;
    if (newName == oldName) return AlbumRenameVerdict::Unchanged;
    if (Contains(albums, newName)) return AlbumRenameVerdict::Duplicate;
    return AlbumRenameVerdict::Accept;
}

CString AlbumRenameMessage(AlbumRenameVerdict verdict) {
    return verdict == AlbumRenameVerdict::Duplicate ? CString("앨범명이 이미 존재합니다") : CString();
}

CString CheckKeywordName(const CString& name, const std::vector<CString>& keywords) {
    if (name.empty()) return "입력해주세요";
    CString refusal = PlainNameRefusal(name);
    if (!refusal.empty()) return refusal;
    if (!FitsNameEdit(name)) return "키워드명은 20자로 제한되어 있습니다";
    if (Contains(keywords, name)) return "키워드명이 이미 존재합니다";
    return CString();
}

}  // namespace catalogue
