// CPickerPanel: what the filter, frame and album panels share: a title bar, a picture list under
// it with a vertical bitmap slider as its scroll bar, and painted frame edges. The slider's
// messages scroll the list; a click in the list gives the slider the keyboard focus.
#pragma once

#include <QImage>
#include <QWidget>

#include "platform/afx/afxwin.h"

class CBitmapSliderEx;
class CPictureList;
class CUserStatic;

class CPickerPanel : public QWidget, public CMsgTarget {
public:
    static constexpr int kTitleLeft = 7053;
    static constexpr int kTitleMiddle = 7054;
    static constexpr int kTitleRight = 7052;
    static constexpr int kChannelTop = 7261;
    static constexpr int kChannelMiddle = 7262;
    static constexpr int kChannelBottom = 7264;
    static constexpr int kThumb = 7263;
    static constexpr int kEdgeLeft = 7266;
    static constexpr int kEdgeRight = 7267;
    static constexpr int kEdgeBottom = 7268;
    static constexpr UINT kMsgFocusSlider = 3089;
    // Slider width when its bitmaps are missing.
    static constexpr int kPlainSliderWidth = 12;
    // Title height when its bitmap is missing.
    static constexpr int kPlainTitleHeight = 26;

    CPickerPanel(int id, const QString& title, int titleId, int sliderId, QWidget* parent);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CBitmapSliderEx* GetSlider() const { return m_pSlider; }
    CUserStatic* GetTitle() const { return m_pTitle; }
    CPictureList* GetList() const { return m_pList; }
    int GetTitleHeight() const;
    int GetSliderWidth() const;
    // Lays the parts out again and recomputes the slider's range.
    void Relayout();

protected:
    // The list the subclass made, placed and scrolled by the panel.
    void SetList(CPictureList* list);
    // The slider's range end for the current sizes.
    virtual int SliderRangeMax() const;
    void ApplySliderRange();

    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ForwardWheel(QWheelEvent* event);

    CUserStatic* m_pTitle;
    CBitmapSliderEx* m_pSlider;
    CPictureList* m_pList = nullptr;
    QImage m_edgeLeft, m_edgeRight, m_edgeBottom;
};
