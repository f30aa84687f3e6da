#include "update/SplashScreenEx.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <vector>

#include "update/PelloqResources.h"

namespace {

int AlignmentOf(UINT format) {
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & DT_VCENTER)
        flags |= Qt::AlignVCenter;
    else if (format & DT_BOTTOM)
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if (format & DT_SINGLELINE)
        flags |= Qt::TextSingleLine;
    else if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    return flags;
}

}  // namespace

CSplashScreenEx::CSplashScreenEx() : m_bAnimate(CanAnimate()) {
    SetTextDefaultFont();
}

CSplashScreenEx::~CSplashScreenEx() = default;

bool CSplashScreenEx::CanAnimate() {
    // Window opacity works on X11; Wayland and the off-screen platform ignore it, so a fade
    // there would only delay the window.
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows") ||
           platform == QLatin1String("cocoa");
}

bool CSplashScreenEx::Create(QWidget* parent, const char* text, DWORD timeout, DWORD flags) {
    m_pWndParent = parent;
    m_dwTimeout = timeout;
    m_dwStyle = flags;
    if (text) m_strText = text;
    Qt::WindowFlags windowFlags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    // Where the window system draws shadows under tool windows, only the shadow flag keeps it.
    if (!(flags & CSS_SHADOW)) windowFlags |= Qt::NoDropShadowWindowHint;
    setParent(parent, windowFlags);
    setObjectName(QString::fromLatin1(kClassName));
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The picture covers the whole window; there is no background to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    resize(0, 0);
    return true;
}

bool CSplashScreenEx::SetBitmap(UINT resourceId, short red, short green, short blue) {
    const std::string_view data = Pelloq::BitmapData(resourceId);
    QImage image;
    if (!data.empty()) image.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()));
    return TakeBitmap(image, red, green, blue);
}

bool CSplashScreenEx::SetBitmap(const char* fileName, short red, short green, short blue) {
    QImage image;
    if (fileName) image.load(QString::fromUtf8(fileName));
    return TakeBitmap(image, red, green, blue);
}

bool CSplashScreenEx::TakeBitmap(const QImage& image, short red, short green, short blue) {
    if (image.isNull()) {
        m_bitmap = QImage();
        m_nBitmapWidth = m_nBitmapHeight = 0;
        m_rgnWindow = QRegion();
        clearMask();
        return false;
    }
    m_bitmap = image.convertToFormat(QImage::Format_RGB32);
    m_nBitmapWidth = m_bitmap.width();
    m_nBitmapHeight = m_bitmap.height();
    resize(m_nBitmapWidth, m_nBitmapHeight);
    m_rcText = CRect(0, 0, m_nBitmapWidth, m_nBitmapHeight);

    if (m_dwStyle & CSS_CENTERSCREEN) {
        // The whole screen, panels included, as the full-screen metrics measure it.
        QRect screen;
        if (QScreen* primary = QGuiApplication::primaryScreen()) screen = primary->geometry();
        m_nxPos = screen.x() + (screen.width() - m_nBitmapWidth) / 2;
        m_nyPos = screen.y() + (screen.height() - m_nBitmapHeight) / 2;
    } else if ((m_dwStyle & CSS_CENTERAPP) && m_pWndParent) {
        const QRect frame = m_pWndParent->window()->frameGeometry();
        m_nxPos = frame.x() + (frame.width() - m_nBitmapWidth) / 2;
        m_nyPos = frame.y() + (frame.height() - m_nBitmapHeight) / 2;
    }

    if (red != -1 && green != -1 && blue != -1) {
        m_rgnWindow = CreateRgnFromBitmap(m_bitmap, RGB(red, green, blue));
        setMask(m_rgnWindow);
    } else {
        m_rgnWindow = QRegion();
        clearMask();
    }
    return true;
}

QRegion CSplashScreenEx::CreateRgnFromBitmap(const QImage& bitmap, COLORREF key) {
    const QImage image = bitmap.convertToFormat(QImage::Format_RGB32);
    const QRgb keyColour = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0xFFFFFF;
    std::vector<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && (row[x] & 0xFFFFFF) == keyColour) ++x;
            const int start = x;
            while (x < image.width() && (row[x] & 0xFFFFFF) != keyColour) ++x;
            if (x > start) runs.emplace_back(start, y, x - start, 1);
        }
    }
    // The runs come row by row, left to right, without overlap: already the banded form a
    // region is made of.
    QRegion region;
    if (!runs.empty()) region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

void CSplashScreenEx::Show() {
    move(m_nxPos, m_nyPos);
    resize(m_nBitmapWidth, m_nBitmapHeight);
    if ((m_dwStyle & CSS_FADEIN) && m_bAnimate) {
        setWindowOpacity(0.0);
        show();
        Fade(0.0, 1.0, kFadeInMs);
    } else {
        show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (m_dwTimeout != 0) m_nTimer = startTimer(static_cast<int>(m_dwTimeout));
}

void CSplashScreenEx::Hide() {
    if (m_bHiding) return;
    m_bHiding = true;
    if (m_nTimer != 0) {
        killTimer(m_nTimer);
        m_nTimer = 0;
    }
    if ((m_dwStyle & CSS_FADEOUT) && m_bAnimate && isVisible()) Fade(windowOpacity(), 0.0, kFadeOutMs);
    hide();
    // The window is gone; the object follows it as soon as control is back in the event loop.
    deleteLater();
}

void CSplashScreenEx::Fade(qreal from, qreal to, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const qreal done = std::min<qreal>(1.0, static_cast<qreal>(clock.elapsed()) / milliseconds);
        setWindowOpacity(from + (to - from) * done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (done >= 1.0) break;
        QThread::msleep(10);
    }
}

void CSplashScreenEx::RepaintNow() {
    if (isVisible()) repaint();
}

void CSplashScreenEx::SetText(const char* text) {
    m_strText = text ? text : "";
    RepaintNow();
}

void CSplashScreenEx::SetTextColor(COLORREF colour) {
    m_crTextColor = colour;
    RepaintNow();
}

void CSplashScreenEx::SetTextRect(CRect& rect) {
    m_rcText = rect;
    RepaintNow();
}

void CSplashScreenEx::SetTextFont(const char* face, int pointSizeTenths, int style) {
    QFont font(QString::fromUtf8(face ? face : ""));
    // The picture is laid out in pixels for a 96-dpi screen, so points convert at 96 dpi too.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSizeTenths / 10.0 * 96.0 / 72.0))));
    font.setWeight(style & CSS_TEXT_BOLD ? QFont::Bold : QFont::Normal);
    font.setItalic(style & CSS_TEXT_ITALIC);
    font.setUnderline(style & CSS_TEXT_UNDERLINE);
    m_fontText = font;
}

void CSplashScreenEx::SetTextDefaultFont() {
    m_fontText = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

void CSplashScreenEx::DrawWindow(QPainter& painter) const {
    if (m_bitmap.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Window));
    else
        painter.drawImage(0, 0, m_bitmap);
    if (m_strText.empty()) return;
    painter.setFont(m_fontText);
    painter.setPen(QColor(GetRValue(m_crTextColor), GetGValue(m_crTextColor), GetBValue(m_crTextColor)));
    const QRect area(m_rcText.left, m_rcText.top, m_rcText.Width(), m_rcText.Height());
    painter.drawText(area, AlignmentOf(m_uTextFormat), QString::fromStdString(m_strText));
}

void CSplashScreenEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawWindow(painter);
}

void CSplashScreenEx::mousePressEvent(QMouseEvent*) {
    if (m_dwStyle & CSS_HIDEONCLICK) Hide();
}

void CSplashScreenEx::keyPressEvent(QKeyEvent*) {
    if (m_dwStyle & CSS_HIDEONCLICK) Hide();
}

void CSplashScreenEx::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_nTimer) Hide();
}

void CSplashScreenEx::closeEvent(QCloseEvent* event) {
    // Only Hide ends the splash: the update check still drives it while it is up.
    event->ignore();
}
