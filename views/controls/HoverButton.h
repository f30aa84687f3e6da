// CHoverButton: a bitmap button that changes when the mouse is over it, with a tooltip and its
// own cursor. Its bitmap is one strip of three states: normal, hover, pressed.
#pragma once

#include <QImage>
#include <QPushButton>

class CHoverButton : public QPushButton {
public:
    static constexpr int kStates = 3;

    explicit CHoverButton(QWidget* parent = nullptr);

    // Loads the strip and sizes the button to one state; false when the bitmap is missing.
    bool LoadBitmap(int id);
    bool LoadBitmap(const QImage& strip);
    // Tooltip, also the button's name for screen readers.
    void SetToolTipText(const QString& text);
    void SetBtnCursor(Qt::CursorShape shape = Qt::PointingHandCursor);

    // 0 normal, 1 hover, 2 pressed.
    int CurrentState() const;
    bool IsHover() const { return m_bHover; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage m_states[kStates];
    bool m_bHover = false;
};
