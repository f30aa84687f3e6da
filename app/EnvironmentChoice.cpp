#include "app/EnvironmentChoice.h"

namespace {

std::array<COLORREF, CEnvironmentChoice::kColorCount> MakeTable() {
    std::array<COLORREF, CEnvironmentChoice::kColorCount> table{};
    table[0] = RGB(255, 255, 255);
    for (int i = 1; i < CEnvironmentChoice::kColorCount; ++i) {
        // i * 12.75 in quarters keeps the truncation exact.
        const int grey = 255 - (i * 51) / 4;
        table[static_cast<size_t>(i)] = RGB(grey, grey, grey);
    }
    return table;
}

}  // namespace

CEnvironmentChoice::CEnvironmentChoice(int show, COLORREF background, int model, BOOL autoUpgrade)
    : m_nShow(show), m_nColor(IndexOfColor(background)), m_nModel(model), m_bAuto(autoUpgrade) {}

const std::array<COLORREF, CEnvironmentChoice::kColorCount>& CEnvironmentChoice::ColorTable() {
    static const auto table = MakeTable();
    return table;
}

int CEnvironmentChoice::IndexOfColor(COLORREF color) {
    const auto& table = ColorTable();
    for (int i = 0; i < kColorCount; ++i) {
        if (table[static_cast<size_t>(i)] == color) return i;
    }
    return 0;
}

CRect CEnvironmentChoice::SwatchRect(const CRect& labelRect, int index) {
    const int left = labelRect.right + kSwatchOffset + index * kSwatchSize;
    return CRect(left, labelRect.top, left + kSwatchSize, labelRect.top + kSwatchSize);
}

int CEnvironmentChoice::SwatchAt(const CRect& labelRect, CPoint point) {
    for (int i = 0; i < kColorCount; ++i) {
        const CRect r = SwatchRect(labelRect, i);
        if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) return i;
    }
    return -1;
}

bool CEnvironmentChoice::SetColorIndex(int index) {
    if (index < 0 || index >= kColorCount) return false;
    m_nColor = index;
    return true;
}

bool CEnvironmentChoice::SetModelByName(const CString& name) {
    const int model = CGandry::GetModelIDByModelname(name);
    if (model < 0 || model == MODEL_NONE) return false;
    m_nModel = model;
    return true;
}

void CEnvironmentChoice::Defaults() {
    m_nShow = 0;
    m_nColor = 0;
    m_bAuto = TRUE;
}
