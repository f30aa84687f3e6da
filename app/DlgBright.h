// CDlgBright: brightness and contrast (template 1020). Two sliders from -100 to 100; every move
// recomputes the canvas's preview picture from the copy taken at construction and repaints the
// canvas. The chosen values are read after OK.
#pragma once

#include <functional>

#include "views/controls/BaseDialog.h"

class CBitmapSlider;
class CxSkinButtonEx;
class extImage;

class CDlgBright : public CBaseDialog {
public:
    static constexpr int IDD = 1020;
    static constexpr int IDC_BRIGHTNESS = 7082;
    static constexpr int IDC_CONTRAST = 7095;

    // `preview` is the canvas's preview picture (not owned; may be null); `repaint` shows it.
    CDlgBright(extImage* preview, std::function<void()> repaint, QWidget* parent = nullptr);
    ~CDlgBright() override;

    int GetBrightness() const { return m_nBrightness; }
    int GetContrast() const { return m_nContrast; }
    CBitmapSlider* BrightnessSlider() const { return m_pBright; }
    CBitmapSlider* ContrastSlider() const { return m_pContrast; }
    CxSkinButtonEx* OkButton() const { return m_pOk; }
    CxSkinButtonEx* CancelButton() const { return m_pCancel; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdatePreview();

    extImage* m_pPreview;
    extImage* m_pCopy = nullptr;
    std::function<void()> m_repaint;
    int m_nBrightness = 0;
    int m_nContrast = 0;
    CBitmapSlider* m_pBright;
    CBitmapSlider* m_pContrast;
    CxSkinButtonEx* m_pOk;
    CxSkinButtonEx* m_pCancel;
};
