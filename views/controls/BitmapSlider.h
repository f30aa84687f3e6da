// CBitmapSlider: a slider drawn from a channel bitmap and a thumb bitmap. Dragging posts
// kMsgMoving (10449) to the parent while the position changes and kMsgMoved (10450) when the
// button is released; keys and the wheel post kMsgMoved. Both carry the control identifier
// (wParam) and the position (lParam). The arithmetic lives in CBitmapSliderLogic.
#pragma once

#include <QAbstractSlider>
#include <QImage>

#include "platform/afx/afxwin.h"
#include "views/controls/BitmapSliderLogic.h"

class CBitmapSlider : public QAbstractSlider {
public:
    static constexpr UINT kMsgMoving = 10449;
    static constexpr UINT kMsgMoved = 10450;
    // The thumb's length along the channel when there is no thumb bitmap.
    static constexpr int kPlainThumb = 11;

    explicit CBitmapSlider(QWidget* parent = nullptr, int id = 0);

    void SetDlgCtrlID(int id) { m_nID = id; }
    int GetDlgCtrlID() const { return m_nID; }
    // Where the messages go; by default the nearest ancestor that takes window messages.
    void SetNotifyTarget(CMsgTarget* target) { m_pTarget = target; }

    // Channel and its filled ("active") form, by resource identifier (0 for none); false when
    // the channel bitmap is missing.
    bool SetBitmapChannel(int channel, int active = 0);
    bool SetBitmapChannelImages(const QImage& channel, const QImage& active = {});
    // Thumb and its pressed form; the thumb's length along the channel is T of the formulas.
    bool SetBitmapThumb(int thumb, int active = 0);
    bool SetBitmapThumbImages(const QImage& thumb, const QImage& active = {});

    void SetRange(int min, int max, bool redraw = true);
    void SetRangeMin(int min, bool redraw = true) { SetRange(min, m_logic.max, redraw); }
    void SetRangeMax(int max, bool redraw = true) { SetRange(m_logic.min, max, redraw); }
    void GetRange(int& min, int& max) const { min = m_logic.min, max = m_logic.max; }
    int GetRangeMin() const { return m_logic.min; }
    int GetRangeMax() const { return m_logic.max; }
    // Clamped to the range; repaints.
    void SetPos(int pos);
    int GetPos() const { return m_logic.pos; }
    void SetPageSize(int size);
    int GetPageSize() const { return m_logic.page; }
    void SetMargin(int left, int top, int right, int bottom);
    void SetMarginLeft(int m) { SetMargin(m, m_nMarginTop, m_nMarginRight, m_nMarginBottom); }
    void SetMarginTop(int m) { SetMargin(m_nMarginLeft, m, m_nMarginRight, m_nMarginBottom); }
    void SetMarginRight(int m) { SetMargin(m_nMarginLeft, m_nMarginTop, m, m_nMarginBottom); }
    void SetMarginBottom(int m) { SetMargin(m_nMarginLeft, m_nMarginTop, m_nMarginRight, m); }
    void SetVertical(bool vertical);
    bool IsVertical() const { return m_bVertical; }
    void SetWheelRange(int range) { m_logic.wheelRange = range; }
    int GetWheelRange() const { return m_logic.wheelRange; }

    // The arithmetic as it stands for the current size, margins and thumb.
    CBitmapSliderLogic Logic() const;
    // Where the thumb's centre is now, along the channel.
    int ThumbCentre() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    // The channel across `r`; CBitmapSliderEx draws it from three pieces.
    virtual void DrawChannel(QPainter& p, const QRect& r, int centre);
    void DrawThumb(QPainter& p, int centre);
    int Along(const QPoint& pt) const { return m_bVertical ? pt.y() : pt.x(); }
    int ThumbLength() const;
    int ThumbCross() const;
    QRect ChannelRect() const;

    QImage m_channel, m_channelActive, m_thumb, m_thumbActive;

private:
    void Post(UINT message);
    void ApplyPos(int pos);

    CBitmapSliderLogic m_logic;
    int m_nID = 0;
    CMsgTarget* m_pTarget = nullptr;
    bool m_bVertical = false;
    bool m_bPressed = false;
    int m_nGrabOffset = 0;
    int m_nMarginLeft = 0, m_nMarginTop = 0, m_nMarginRight = 0, m_nMarginBottom = 0;
};
