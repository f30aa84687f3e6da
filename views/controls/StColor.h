// CStColor: a colour swatch. A double-click (or Enter/Space when it has the focus) asks for a
// new colour; the owner hears of a change through the callback.
#pragma once

#include <QWidget>

#include <functional>

#include "platform/win/windef.h"

class CStColor : public QWidget {
public:
    // Asks the user for a colour starting from the current one; false when cancelled.
    using Chooser = std::function<bool(COLORREF& color, QWidget* parent)>;

    explicit CStColor(QWidget* parent = nullptr);

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_crColor; }
    void SetOnChange(std::function<void(COLORREF)> onChange) { m_onChange = std::move(onChange); }
    // The colour dialog by default; tests put a scripted one in its place.
    static Chooser SetChooser(Chooser chooser);

    // What a double-click does: ask, and on a new colour set it and tell the owner.
    bool ChooseColor();

    QSize sizeHint() const override { return {40, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    COLORREF m_crColor = RGB(0, 0, 0);
    std::function<void(COLORREF)> m_onChange;
};
