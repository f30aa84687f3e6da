#include "views/controls/ReportCtrlItem.h"

#include <cctype>
#include <cstring>

long long CReportCtrlItem::SizeOf(const std::string& text) {
    long long value = 0;
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != ' '; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ',') continue;  // thousands separators
        if (!std::isdigit(c)) break;
        // Saturate instead of overflowing on an absurdly long number.
        if (value > (1LL << 58)) break;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

int CReportCtrlItem::Compare(const CReportCtrlItem& a, const CReportCtrlItem& b) {
    const bool ia = a.image >= 0;
    const bool ib = b.image >= 0;
    if (ia && ib) return a.image - b.image;
    if (ia != ib) return ia ? -1 : 1;
    if (a.text.find(" KB") != std::string::npos && b.text.find(" KB") != std::string::npos) {
        const long long sa = SizeOf(a.text);
        const long long sb = SizeOf(b.text);
        return sa < sb ? -1 : (sa > sb ? 1 : 0);
    }
    const int c = std::strcmp(a.text.c_str(), b.text.c_str());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
