// CDlgFrame: the decoration view's frame panel: the empty frame and the current model's
// decorative frames. Choosing one tells the frame (message 0x0C07, target 2).
#pragma once

#include "app/PickerPanel.h"
#include "common/Gandry.h"

class CFrameList;

class CDlgFrame : public CPickerPanel {
public:
    static constexpr int IDD = 1002;
    static constexpr int IDC_TITLE = 7086;
    static constexpr int IDC_SLIDER = 7091;
    static constexpr int IDC_LIST = 7080;
    static constexpr int kWheelStep = 40;
    static constexpr unsigned int kEmptyFrameBitmap = 7415;

    // Loads the current model's frames (variant 0) at once.
    explicit CDlgFrame(QWidget* parent = nullptr);

    CFrameList* GetFrameList() const { return m_pFrameList; }
    void Load(MODEL_SELECT model, unsigned int bitmapId, int variant);
    void SetSelect(int index);

private:
    CFrameList* m_pFrameList;
};
