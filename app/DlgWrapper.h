// CDlgWrapper: the slide host of the decoration view: the slides, their horizontal scroller
// and the decoration canvas in one rounded frame.
#pragma once

#include <QWidget>

#include <memory>

#include "platform/afx/afxwin.h"
#include "views/controls/BitmapSliderEx.h"

class CViewArea;
class CViewMain;
class CViewMainCore;
class CViewSlider;

class CDlgWrapper : public QWidget, public CMsgTarget {
public:
    static constexpr int IDD = 1014;
    static constexpr int IDC_SLIDES = 7363;
    static constexpr int IDC_CANVAS = 7365;
    static constexpr int IDC_SCROLLER = 7093;
    // The slide box bitmap (two halves, normal and selected) and its width without resources.
    static constexpr int kSlideBitmap = 7358;
    static constexpr int kPlainSlideWidth = 156;

    explicit CDlgWrapper(QWidget* parent);
    ~CDlgWrapper() override;

    // The slides and the decoration canvas' logic, which the frame's decoration commands drive.
    CViewSlider* GetViewSlider() const { return m_pSlides; }
    CViewMainCore* GetCanvasCore() const;
    CViewMain* GetCanvasView() const { return m_pCanvas; }

    QWidget* GetSlides() const;
    QWidget* GetCanvas() const;
    CBitmapSliderEx* GetScroller() const { return m_pScroller; }
    // The width of all slides side by side; the scroller's range follows it.
    void SetTotalWidth(int width);
    // The scroll position last passed on to the slides.
    int GetScrollPos() const { return m_nLastPos; }

    // The scroller's messages and the slides' focus (3091) and deletion (3096) notices.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Relayout();
    void OnScroll(int position);

    CViewSlider* m_pSlides;
    CViewMain* m_pCanvas;
    CBitmapSliderEx* m_pScroller;
    int m_nTotalWidth = 0;
    int m_nLastPos = 0;
};
