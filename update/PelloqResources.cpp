#include "update/PelloqResources.h"

#include <cstddef>

// Written at build time by pelloq-art (update/art/PelloqArt.cpp).
namespace PelloqArt {
extern const unsigned char kSplash[];
extern const std::size_t kSplashSize;
extern const unsigned char kProgressSkin[];
extern const std::size_t kProgressSkinSize;
}  // namespace PelloqArt

namespace Pelloq {

namespace {

struct StringEntry {
    UINT id;
    const char* text;
};

// The leading blanks of 581 and 584 are part of the texts.
constexpr StringEntry kStrings[] = {
    {IDS_UPDATE_NO_VERSION, "서버의 버전정보를 가져올 수 없습니다"},
    {IDS_UPDATE_CHECKING, "사용자 버전을 확인중 입니다"},
    {IDS_UPDATE_NOW_FAILED, " 다운로드에 실패 했습니다(1)"},
    {IDS_UPDATE_DOWNLOADING_NOW, "업데이트할 파일을 다운로드 중입니다."},
    {IDS_UPDATE_DOWNLOADING_LATER, "업데이트할 파일을 다운로드 중입니다."},
    {IDS_UPDATE_LATER_FAILED, " 다운로드에 실패 했습니다(2)"},
    {IDS_UPDATE_APPLYING, "업데이트를 적용중 입니다."},
    {IDS_UPDATE_NO_VERSION_CLICK, "서버의 버전정보를 가져올 수 없습니다(클릭 하세요)"},
    {IDS_UPDATE_FAILED_CLICK, "다운로드에 실패 했습니다(클릭 하세요)"},
    {IDS_UPDATE_DONE_CLICK, "업데이트를 완료 했습니다(클릭 하세요)"},
    {IDS_UPDATE_NOTHING_NEW, "이미 모든 파일이 업데이트되어 있습니다."},
};

}  // namespace

CString LoadString(UINT id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id) return entry.text;
    }
    return {};
}

std::string_view BitmapData(UINT id) {
    switch (id) {
        case IDB_SPLASH:
            return {reinterpret_cast<const char*>(PelloqArt::kSplash), PelloqArt::kSplashSize};
        case IDB_PROGRESS_SKIN:
            return {reinterpret_cast<const char*>(PelloqArt::kProgressSkin), PelloqArt::kProgressSkinSize};
        default:
            return {};
    }
}

}  // namespace Pelloq
