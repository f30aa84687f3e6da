// Pelloq's own resources: the splash picture, the progress skin and the update check's texts.
// They are compiled into the library, so the splash works before (and without) any resource
// file of the program.
#pragma once

#include <string_view>

#include "platform/win/windef.h"

namespace Pelloq {

// Bitmaps, as the bytes of a BMP file.
constexpr UINT IDB_PROGRESS_SKIN = 8003;  // 90 x 16, 8 bits: nine cells, cyan is transparent
constexpr UINT IDB_SPLASH = 8005;         // 402 x 171, 24 bits, corners in the key colour

// The update check's status texts.
constexpr UINT IDS_UPDATE_NO_VERSION = 579;
constexpr UINT IDS_UPDATE_CHECKING = 580;
constexpr UINT IDS_UPDATE_NOW_FAILED = 581;
constexpr UINT IDS_UPDATE_DOWNLOADING_NOW = 582;
constexpr UINT IDS_UPDATE_DOWNLOADING_LATER = 583;
constexpr UINT IDS_UPDATE_LATER_FAILED = 584;
constexpr UINT IDS_UPDATE_APPLYING = 585;
constexpr UINT IDS_UPDATE_NO_VERSION_CLICK = 586;
constexpr UINT IDS_UPDATE_FAILED_CLICK = 587;
constexpr UINT IDS_UPDATE_DONE_CLICK = 588;
constexpr UINT IDS_UPDATE_NOTHING_NEW = 591;

// The text of a string resource, or "" when the table has no such entry.
CString LoadString(UINT id);

// The file bytes of a bitmap resource; empty when there is no such bitmap.
std::string_view BitmapData(UINT id);

}  // namespace Pelloq
