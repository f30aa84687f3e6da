// CLCDPreview: a picture shown inside the bitmap of a phone, as it would look on the phone's
// screen, with the decorative frame laid over it.
#pragma once

#include <QImage>
#include <QWidget>

#include "imaging/extImage.h"
#include "platform/win/windef.h"

class CLCDPreview : public QWidget {
public:
    // The screen inside the phone bitmap.
    static constexpr LONG kScreenLeft = 22;
    static constexpr LONG kScreenTop = 50;
    static constexpr LONG kScreenRight = 139;
    static constexpr LONG kScreenBottom = 161;
    // The control's size when the phone bitmap is missing.
    static constexpr int kPlainWidth = 161;
    static constexpr int kPlainHeight = 250;

    explicit CLCDPreview(QWidget* parent = nullptr);

    // Loads the phone bitmap and sizes the control to it; false when it is missing (a plain
    // phone is drawn instead, of the same size).
    bool LoadBitmapA(int id);
    // Fits a screen of `lcd` into the phone's screen area, keeping its aspect, centred.
    void SetSize(CSize lcd);
    CRect GetScreenRect() const { return m_rcScreen; }
    // The picture and the frame overlay (neither owned); both repaint at once.
    void SetPtrImage(extImage* image);
    void SetPtrFrameImage(extImage* frame);
    extImage* GetPtrImage() const { return m_pImage; }
    extImage* GetPtrFrameImage() const { return m_pFrame; }
    // The size of the phone bitmap.
    CSize GetSize() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_phone;
    CRect m_rcScreen{kScreenLeft, kScreenTop, kScreenRight, kScreenBottom};
    extImage* m_pImage = nullptr;
    extImage* m_pFrame = nullptr;
    QImage m_picture;
    QImage m_overlay;
};
