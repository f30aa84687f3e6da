// CStBitmap: a static that shows one bitmap, at its own size or stretched over the control,
// optionally with a colour that is left out (transparent key).
#pragma once

#include <QImage>
#include <QWidget>

#include "platform/win/windef.h"

class CStBitmap : public QWidget {
public:
    explicit CStBitmap(QWidget* parent = nullptr);

    // By resource identifier; false when it is missing. The control takes the bitmap's size.
    bool SetBitmap(int id);
    bool SetBitmapImage(const QImage& image);
    const QImage& GetBitmap() const { return m_image; }
    void SetStretch(bool stretch);
    void SetTransparentColor(COLORREF key);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    bool m_bStretch = false;
};
