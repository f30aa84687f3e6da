// CToggleButton: a two-state bitmap button. A click does not flip it by itself; its owner calls
// SetToggle or SetCheckState (the frame toggles the mode buttons on every mode switch).
#pragma once

#include <QImage>
#include <QPushButton>

class CToggleButton : public QPushButton {
public:
    explicit CToggleButton(QWidget* parent = nullptr);
    CToggleButton(const QString& text, QWidget* parent = nullptr);

    // Bitmaps of the released and the pressed state (resource identifiers; 0 for none), and
    // optionally their hover forms. The button takes the released bitmap's size.
    void SetBitmaps(int off, int on, int offHover = 0, int onHover = 0);
    void SetBitmapImages(const QImage& off, const QImage& on, const QImage& offHover = {}, const QImage& onHover = {});

    // Flips the state and repaints.
    void SetToggle();
    void SetCheckState(bool on);
    bool GetCheckState() const { return m_bOn; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // A click leaves the state alone.
    void nextCheckState() override {}

private:
    QImage m_off, m_on, m_offHover, m_onHover;
    bool m_bOn = false;
    bool m_bHover = false;
};
