// CReportCtrlItem: one cell of a report row — its text and image index — and the rule by which
// two cells of the sort column compare.
#pragma once

#include <string>

class CReportCtrlItem {
public:
    std::string text;
    int image = -1;  // index into the image list; negative for none

    CReportCtrlItem() = default;
    CReportCtrlItem(std::string t, int img = -1) : text(std::move(t)), image(img) {}
    CReportCtrlItem(const char* t, int img = -1) : text(t ? t : ""), image(img) {}
    bool operator==(const CReportCtrlItem&) const = default;

    // Negative, zero or positive as a sorts before, with or after b: two images by the
    // difference of their indexes, an image before no image, two " KB" sizes by their numbers,
    // else the texts byte by byte.
    static int Compare(const CReportCtrlItem& a, const CReportCtrlItem& b);
    // The whole number before the first blank of a size text ("1,024 KB" gives 1024).
    static long long SizeOf(const std::string& text);
};
