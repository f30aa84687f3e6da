// CDlgFilter: the editor's filter panel: the current picture through each named effect. The main
// frame fills it; choosing a thumbnail tells the frame (message 0x0C07, target 1).
#pragma once

#include "app/PickerPanel.h"

class CFilterList;
class extImage;

class CDlgFilter : public CPickerPanel {
public:
    static constexpr int IDD = 1011;
    static constexpr int IDC_TITLE = 7086;
    static constexpr int IDC_SLIDER = 7091;
    static constexpr int IDC_LIST = 7247;
    static constexpr int kWheelStep = 15;

    explicit CDlgFilter(QWidget* parent = nullptr);

    CFilterList* GetFilterList() const { return m_pFilterList; }
    // New previews of `picture` (the current picture's smallest thumbnail).
    void Load(const extImage* picture);

private:
    CFilterList* m_pFilterList;
};
