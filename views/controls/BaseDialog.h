// CBaseDialog: the base of every dialog of the program. A frameless window that paints its own
// caption band (three bitmaps: left, tiled middle, right) with the title, a one-pixel border and
// a close button, over a background colour or image; optionally resizable. Controls sit in the
// client area below the caption (PlaceChild). It also takes the system's window messages
// (WindowProc), so controls such as the bitmap slider can post to it. A layout set on the dialog
// keeps to the client area as well.
#pragma once

#include <QDialog>
#include <QImage>

#include "platform/afx/afxwin.h"
#include "platform/win/windef.h"

class CxSkinButtonEx;

class CBaseDialog : public QDialog, public CMsgTarget {
public:
    static constexpr int kPlainCaption = 24;
    static constexpr int kBorder = 1;

    explicit CBaseDialog(QWidget* parent = nullptr);
    ~CBaseDialog() override;

    // The messages the dialog's controls post; nothing by default.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Caption band pieces by resource identifier (0 for none); the band takes the middle
    // piece's height.
    void SetNcImg(int left, int middle, int right);
    void SetNcImgImages(const QImage& left, const QImage& middle, const QImage& right);
    // Close button from a strip of `count` states (normal, pressed, hover, ...).
    void SetCloseButton(int strip, int count = 3);
    void SetCloseButtonImage(const QImage& strip, int count = 3);
    void SetBackColor(COLORREF color);
    COLORREF GetBackColor() const { return m_crBack; }
    // Background picture, stretched over the client area; 0 removes it.
    void SetBackImg(int id);
    void SetBackImgImage(const QImage& image);
    // Whether the borders resize the window, and the smallest client size it may take.
    void SetResize(bool resizable);
    void Set_Resize(int minWidth, int minHeight);
    bool IsResizable() const { return m_bResize; }

    int CaptionHeight() const;
    // The client area in the dialog's own coordinates.
    QRect ClientRect() const;
    void SetClientSize(int cx, int cy);
    // Places a child at client coordinates.
    void PlaceChild(QWidget* child, int x, int y, int cx, int cy);
    // Centres the window on `over` (its parent, or the screen when none).
    void CenterWindow(QWidget* over = nullptr);
    CxSkinButtonEx* CloseButton() const { return m_pClose; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Qt::Edges EdgesAt(const QPoint& pt) const;
    void PlaceCloseButton();

    QImage m_capLeft, m_capMiddle, m_capRight, m_back;
    COLORREF m_crBack = RGB(0xED, 0xED, 0xED);
    bool m_bResize = false;
    QSize m_minClient;
    CxSkinButtonEx* m_pClose = nullptr;
};
