// CReportCtrlHeader: one column of a report list — its title, alignment, width and sub-item.
#pragma once

#include <string>

class CReportCtrlHeader {
public:
    // Alignments, the list-view column format values.
    static constexpr int kLeft = 0;
    static constexpr int kRight = 1;
    static constexpr int kCenter = 2;

    std::string title;
    int format = kLeft;
    int width = -1;  // pixels; negative fits the title
    int subItem = -1;
};
