// CxSkinButton: a push button drawn from bitmaps, one per state (normal, pressed, hover, focus,
// disabled), with a text colour and a tooltip. A missing state falls back to the normal
// bitmap; without any bitmap the button draws a plain face, so it works without resources.
#pragma once

#include <QImage>
#include <QPushButton>

#include <array>

#include "platform/win/windef.h"

class CxSkinButton : public QPushButton {
public:
    enum State { kNormal = 0, kPressed = 1, kHover = 2, kFocus = 3, kDisabled = 4, kStateCount = 5 };

    explicit CxSkinButton(QWidget* parent = nullptr);
    CxSkinButton(const QString& text, QWidget* parent = nullptr);

    // Separate bitmaps by resource identifier (0 for none).
    void SetSkin(int normal, int down, int over = 0, int disabled = 0);
    void SetSkin5(int normal, int down, int over, int focus, int disabled);
    // The same from pictures in memory (null for none).
    void SetSkinImages(const QImage& normal, const QImage& down, const QImage& over = {}, const QImage& focus = {},
                       const QImage& disabled = {});

    void SetTextColor(COLORREF normal);
    void SetTextColor(COLORREF normal, COLORREF hover);
    COLORREF GetTextColor() const { return m_crText; }
    // Tooltip; it also names the button for screen readers when it has no caption.
    void SetToolTipText(const QString& text);

    // One state's size (the normal bitmap's); (0, 0) without a skin.
    int GetWidth() const { return m_size.width(); }
    int GetHeight() const { return m_size.height(); }

    // The state the button shows now.
    State CurrentState() const;
    // The bitmap of a state as drawn (after the fallback to normal); null without a skin.
    QImage StateImage(State state) const;
    bool HasSkin() const { return !m_images[kNormal].isNull(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Takes the state pictures and sizes the button to the normal one.
    void ApplyImages(const std::array<QImage, kStateCount>& images);

    std::array<QImage, kStateCount> m_images;
    QSize m_size{0, 0};
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crHover = RGB(0, 0, 0);
    bool m_bHover = false;
};
