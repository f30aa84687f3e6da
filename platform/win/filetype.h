// File type codes, as CGandry::FindType gives them for a file's extension. The first ten are the
// picture library's format codes (CXIMAGE_FORMAT_*), so a code can be handed to Load and Save as it
// is; the phone formats are this system's own and never reach the library.
#pragma once

constexpr int FILETYPE_UNKNOWN = 0;
constexpr int FILETYPE_BMP = 1;
constexpr int FILETYPE_GIF = 2;
constexpr int FILETYPE_JPG = 3;
constexpr int FILETYPE_PNG = 4;
constexpr int FILETYPE_ICO = 5;
constexpr int FILETYPE_TIF = 6;
constexpr int FILETYPE_TGA = 7;
constexpr int FILETYPE_PCX = 8;
constexpr int FILETYPE_WBMP = 9;
constexpr int FILETYPE_WMF = 10;  // also EMF
constexpr int FILETYPE_PHT = 20;  // PHT still picture, also ".img"
constexpr int FILETYPE_EBA = 21;  // EBA animation
