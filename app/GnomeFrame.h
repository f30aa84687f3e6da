// CGnomeFrame: the main window's own caption, caption buttons and borders drawn from the skin
// bitmaps, with rounded corners. A frameless window; the caption band moves it and the borders
// resize it through the window system, so snapping and keyboard moves keep working.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QRect>

#include <array>

// The caption buttons without the window: their places and the hover / press / release rules.
class CCaptionButtons {
public:
    enum Button { None = 0, Minimize = 1, Maximize = 2, Close = 3 };
    enum Command { NoCommand = 0, SC_MINIMIZE = 0xF020, SC_MAXIMIZE = 0xF030, SC_CLOSE = 0xF060, SC_RESTORE = 0xF120 };

    static constexpr int kWidth = 16;
    static constexpr int kHeight = 17;
    static constexpr int kGap = 4;
    static constexpr int kTop = 7;

    // Right to left, the last ending before the caption's right piece.
    void Place(int windowWidth, int rightPieceWidth);
    const std::array<QRect, 3>& Rects() const { return m_rects; }
    // 1..3 for the button under the point, 0 for none.
    int HitTest(const QPoint& point) const;

    // A press over a button marks it pressed (the caller captures the mouse); true when one is.
    bool Press(const QPoint& point);
    // True when the hovered button changed (the frame repaints).
    bool Move(const QPoint& point);
    // The mouse left the caption: true when a hovered button is cleared.
    bool Leave();
    // The system command of a release over the pressed button; nothing elsewhere.
    Command Release(const QPoint& point, bool maximized);
    // Capture lost: the press is forgotten.
    void CaptureLost() { m_pressed = None; }

    int Pressed() const { return m_pressed; }
    int Hovered() const { return m_hovered; }
    // Source x in the button's strip: 32 pressed, 16 hovered while nothing is pressed, else 0.
    int StateOffset(int button) const;

private:
    std::array<QRect, 3> m_rects;
    int m_pressed = None;
    int m_hovered = None;
};

class CGnomeFrame : public QMainWindow {
public:
    static constexpr int kCaptionBand = 30;
    static constexpr int kMargin = 4;
    static constexpr int kCorner = 11;
    static constexpr const char* kCaptionText = "ZEL VimbroSuite";

    explicit CGnomeFrame(QWidget* parent = nullptr);

    const CCaptionButtons& CaptionButtons() const { return m_buttons; }
    // Where a point of the window grabs it: caption band, a border (Qt::Edges), or nothing.
    Qt::Edges BorderAt(const QPoint& point) const;
    bool InCaptionBand(const QPoint& point) const;
    // Carries out a caption button's system command.
    void SysCommand(CCaptionButtons::Command command);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void LoadSkin();
    void UpdateShape();
    void PaintButton(class QPainter& p, int button) const;

    QImage m_captionLeft, m_captionMiddle, m_captionRight;
    std::array<QImage, 4> m_buttonStrips;  // minimise, maximise, restore, close
    QImage m_borderLeft, m_borderRight, m_cornerLeft, m_cornerRight, m_borderBottom, m_band;
    int m_captionHeight = kCaptionBand;
    QFont m_captionFont;
    CCaptionButtons m_buttons;
};
