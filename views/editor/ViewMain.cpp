#include "views/editor/ViewMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>

#include <algorithm>
#include <cstring>

#include "imaging/extImage.h"

namespace {

QRect ToQ(const CRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

int Scale(int v, float factor) { return static_cast<int>(static_cast<float>(v) * factor); }

}  // namespace

CViewMain::CViewMain(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("7281"));
    setAccessibleName(QStringLiteral("편집 화면"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAccessibleName(accessibleName());
    // The scroll bars and their holders are named for assistive technology too.
    horizontalScrollBar()->setAccessibleName(QStringLiteral("가로 스크롤"));
    verticalScrollBar()->setAccessibleName(QStringLiteral("세로 스크롤"));
    for (QWidget* child : findChildren<QWidget*>()) {
        if (!child->accessibleName().isEmpty()) continue;
        const bool horizontal = child->objectName().contains(QStringLiteral("hcontainer"));
        child->setAccessibleName(horizontal ? QStringLiteral("가로 스크롤") : QStringLiteral("세로 스크롤"));
    }
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    // The text-box font starts at 15 pixels; the hint is bold 12.
    LOGFONTA font{};
    font.lfHeight = -15;
    std::strncpy(font.lfFaceName, "굴림", sizeof font.lfFaceName - 1);
    m_textWnd.SetCurrentFont(&font);
    SetTextFontHeight(font.lfHeight);
    // Escape in the edit control drops the whole box.
    m_textWnd.SetOnEscape([this] {
        m_textWnd.Release();
        SyncTimers();
        viewport()->update();
    });
    m_fontHint = QFont(QStringLiteral("굴림"));
    m_fontHint.setPixelSize(12);
    m_fontHint.setBold(true);
    m_smooth.setSingleShot(true);
    m_smooth.setInterval(kSmoothDelay);
    QObject::connect(&m_smooth, &QTimer::timeout, viewport(), [this] { SmoothScale(); });
    SyncScrollBars();
}

CViewMain::~CViewMain() {
    m_timerRedeye.stop();
    m_timerText.stop();
}

LRESULT CViewMain::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CANVAS_BRIGHT) {
        OnSetBrightContrast(static_cast<unsigned int>(wParam), static_cast<long>(lParam));
        return 1;
    }
    return 0;
}

// ---- core hook, scroll bars and timers ---------------------------------------------------------

void CViewMain::Invalidate() {
    CViewMainCore::Invalidate();
    SyncText();
    SyncScrollBars();
    SyncTimers();
    viewport()->update();
}

void CViewMain::SyncScrollBars() {
    if (m_bSyncing) return;
    const bool lcd = GetCurrentMode() == MODE_LCD;
    // In LCD mode the picture moves under the window; there is nothing to scroll. Showing or
    // hiding a bar resizes the client, which comes back here with the new sizes first.
    setHorizontalScrollBarPolicy(!lcd && GetScroll().showHorz ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(!lcd && GetScroll().showVert ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_bSyncing = true;
    const CanvasScroll& s = GetScroll();
    const CSize client = GetClientSize();
    const CPoint pos = GetScrollPos();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, lcd ? 0 : std::max<int>(0, s.total.cx - client.cx));
    v->setRange(0, lcd ? 0 : std::max<int>(0, s.total.cy - client.cy));
    h->setPageStep(std::max<int>(1, s.page.cx));
    v->setPageStep(std::max<int>(1, s.page.cy));
    h->setSingleStep(std::max<int>(1, s.line.cx));
    v->setSingleStep(std::max<int>(1, s.line.cy));
    h->setValue(pos.x);
    v->setValue(pos.y);
    m_bSyncing = false;
}

void CViewMain::SyncTimers() {
    auto sync = [this](QBasicTimer& timer, bool on) {
        if (on && !timer.isActive()) timer.start(kTimerInterval, this);
        if (!on && timer.isActive()) timer.stop();
    };
    sync(m_timerRedeye, IsRedeyeTimerOn());
    sync(m_timerText, IsTextTimerOn());
}

void CViewMain::timerEvent(QTimerEvent* event) {
    const int id = event->timerId() == m_timerRedeye.timerId() ? kTimerRedeye
                   : event->timerId() == m_timerText.timerId() ? kTimerText
                                                                : 0;
    if (id == 0) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    if (OnTimer(id)) {
        // Only the outline changes.
        const CRect ants = GetAntsRect();
        viewport()->update(ToQ(ants).adjusted(-1, -1, 1, 1));
    }
    SyncTimers();
}

void CViewMain::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const QSize size = viewport()->size();
    SetClientSize(CSize(size.width(), size.height()));
}

void CViewMain::scrollContentsBy(int, int) {
    if (m_bSyncing) return;
    SetScrollPos(CPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
    viewport()->update();
}

// ---- mouse and keys ------------------------------------------------------------------------------

void CViewMain::Deliver(const CanvasNotice& notice) {
    if (notice.repaint) viewport()->update();
    SyncText();
    SyncScrollBars();
    SyncTimers();
    if (notice.message == 0) return;
    CMsgTarget* target = m_pNotify ? m_pNotify : AfxGetMainWnd();
    if (notice.message == WM_CANVAS_NEWCLIP)
        ::SendMessage(target, notice.message);
    else
        ::SendMessage(target, notice.message, static_cast<WPARAM>(notice.param));
}

void CViewMain::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    const TEXTMODE before = GetTextBox().GetMode();
    Deliver(OnLButtonDown(CPoint(p.x(), p.y()), event->modifiers() & Qt::ShiftModifier));
    if (GetCurrentMode() == MODE_TEXT && before == TEXTMODE_NONE && GetTextBox().GetMode() == TEXTMODE_EDIT)
        OpenTextEdit();
    if (GetDragState() != 0 && (GetCurrentMode() == MODE_LCD || GetCurrentMode() == MODE_NORMAL))
        viewport()->setCursor(Qt::ClosedHandCursor);
}

void CViewMain::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (GetDragState() != 0) Deliver(OnMouseMove(CPoint(p.x(), p.y()), event->modifiers() & Qt::ShiftModifier));
    else UpdateCursor(p);
}

void CViewMain::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    Deliver(OnLButtonUp(CPoint(p.x(), p.y()), event->modifiers() & Qt::ShiftModifier));
    UpdateCursor(p);
}

void CViewMain::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    Deliver(OnLButtonDblClk(CPoint(p.x(), p.y())));
    if (GetCurrentMode() == MODE_TEXT && GetTextBox().GetMode() == TEXTMODE_REEDIT) OpenTextEdit();
}

void CViewMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && OnEscape()) {
        SyncText();
        SyncTimers();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CViewMain::UpdateCursor(QPoint client) {
    switch (GetCursorKind(CPoint(client.x(), client.y()))) {
        case CURSOR_MOVE:
            viewport()->setCursor(Qt::SizeAllCursor);
            break;
        case CURSOR_NWSE:
            viewport()->setCursor(Qt::SizeFDiagCursor);
            break;
        case CURSOR_NESW:
            viewport()->setCursor(Qt::SizeBDiagCursor);
            break;
        case CURSOR_HAND:
            viewport()->setCursor(Qt::OpenHandCursor);
            break;
        default:
            viewport()->unsetCursor();
            break;
    }
}

// ---- text box hooks ----------------------------------------------------------------------------

QRect CViewMain::GetTextScreenRect() const {
    CRect r = GetTextBox().GetScreenRect();
    const CPoint scroll = GetScrollPos();
    r.OffsetRect(-scroll.x, -scroll.y);
    return ToQ(r);
}

void CViewMain::SetFont(const LOGFONTA& font) {
    const bool repaint = m_textWnd.ApplyFont(font);
    SetTextFontHeight(m_textWnd.GetFontHeight());
    if (repaint) viewport()->update();
}

void CViewMain::CopyIntoClipboard(const CString* text) {
    if (text) cbTextWnd::CopyIntoClipboard(*text);
}

void CViewMain::PasteFromClipboard() {
    m_textWnd.PasteFromClipboard();
}

void CViewMain::SyncText() {
    if (m_textWnd.SyncWithState()) viewport()->update();
}

void CViewMain::OpenTextEdit() {
    const cbText& text = GetTextBox();
    const QRect screen = GetTextScreenRect();
    const CPoint pos = text.GetLeftTop();
    const CSize size = text.GetTextSize();
    m_textWnd.CreateEdit(viewport(), screen.x(), screen.y(), pos.x, pos.y, std::max<int>(size.cx, screen.width()),
                         std::max<int>(size.cy, screen.height()));
}

// ---- screen images -----------------------------------------------------------------------------

QImage CViewMain::ToQImage(const CxImage* picture, const QRgb* key) {
    if (!picture || !picture->IsValid()) return {};
    const int w = static_cast<int>(picture->GetWidth());
    const int h = static_cast<int>(picture->GetHeight());
    QImage image(w, h, key ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) return {};
    const int bpp = picture->GetBpp();
    for (int y = 0; y < h; ++y) {
        // The library keeps rows bottom-up.
        const BYTE* src = picture->GetBits(static_cast<DWORD>(h - 1 - y));
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (bpp == 24 && src) {
            for (int x = 0; x < w; ++x, src += 3) dst[x] = qRgb(src[2], src[1], src[0]);
        } else {
            for (int x = 0; x < w; ++x) {
                const RGBQUAD c = picture->GetPixelColor(x, h - 1 - y, false);
                dst[x] = qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
            }
        }
        if (key)
            for (int x = 0; x < w; ++x)
                if (dst[x] == *key) dst[x] = 0;
    }
    return image;
}

extImage* CViewMain::FromQImage(const QImage& image) {
    if (image.isNull()) return nullptr;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    auto* picture = new extImage(static_cast<DWORD>(rgb.width()), static_cast<DWORD>(rgb.height()), 24);
    if (!picture->IsValid()) {
        delete picture;
        return nullptr;
    }
    const int h = rgb.height();
    for (int y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        BYTE* dst = picture->GetBits(static_cast<DWORD>(h - 1 - y));
        for (int x = 0; x < rgb.width(); ++x, dst += 3) {
            dst[0] = static_cast<BYTE>(qBlue(src[x]));
            dst[1] = static_cast<BYTE>(qGreen(src[x]));
            dst[2] = static_cast<BYTE>(qRed(src[x]));
        }
    }
    return picture;
}

const QImage& CViewMain::Source() {
    const extImage* picture = GetMainImage();
    if (picture != m_pSourceOf || GetPictureGeneration() != m_nSourceGen) {
        m_pSourceOf = picture;
        m_nSourceGen = GetPictureGeneration();
        m_source = ToQImage(picture);
        m_scaled = QImage();
        ++m_nConversions;
    }
    return m_source;
}

bool CViewMain::HasScaled() const {
    return !m_scaled.isNull() && m_fScaledFactor == GetFactor() && m_pSourceOf == GetMainImage() &&
           m_nSourceGen == GetPictureGeneration();
}

void CViewMain::SmoothScale() {
    const float f = GetFactor();
    if (f >= 1.0f || HasScaled() || !GetMainImage()) return;
    const QImage& source = Source();
    if (source.isNull()) return;
    const int w = std::max(1, Scale(source.width(), f));
    const int h = std::max(1, Scale(source.height(), f));
    m_scaled = source.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_fScaledFactor = f;
    ++m_nScales;
    viewport()->update();
}

// ---- painting ----------------------------------------------------------------------------------

void CViewMain::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    Paint(painter, viewport()->rect());
}

QImage CViewMain::Grab() {
    QImage image(viewport()->size(), QImage::Format_RGB32);
    m_bGrabbing = true;
    {
        QPainter painter(&image);
        Paint(painter, image.rect());
    }
    // The smooth copy a real paint would wait for.
    if (GetFactor() < 1.0f && !HasScaled() && GetMainImage()) {
        SmoothScale();
        QPainter painter(&image);
        Paint(painter, image.rect());
    }
    m_bGrabbing = false;
    return image;
}

void CViewMain::DrawPicture(QPainter& painter, const QRect& client, QPoint topLeft) {
    if (!GetMainImage()) return;
    const float f = GetFactor();
    const QRect whole(topLeft, QSize(Scale(GetWidth(), f), Scale(GetHeight(), f)));
    const QRect visible = whole.intersected(client);
    if (visible.isEmpty()) return;
    if (f < 1.0f && HasScaled()) {
        // Only the visible part of the kept copy is copied to the screen.
        painter.drawImage(visible.topLeft(), m_scaled, visible.translated(-topLeft));
    } else if (f == 1.0f) {
        painter.drawImage(visible.topLeft(), Source(), visible.translated(-topLeft));
    } else {
        // Enlarged, or reduced before the smooth copy exists: only the source pixels under the
        // visible part are scaled, so a zoom step costs what the screen shows. The smooth copy
        // follows once the zoom rests.
        if (f < 1.0f && !m_bGrabbing) m_smooth.start();
        const QRectF part(QPointF(visible.left() - topLeft.x(), visible.top() - topLeft.y()) / f,
                          QSizeF(visible.width(), visible.height()) / f);
        painter.drawImage(QRectF(visible), Source(), part);
    }
}

void CViewMain::Paint(QPainter& painter, const QRect& client) {
    UpdateLogicalCentre();
    painter.fillRect(client, Qt::white);
    const CPoint scroll = GetScrollPos();
    const CPoint origin = GetOrigin();
    const QPoint topLeft(origin.x - scroll.x, origin.y - scroll.y);
    switch (GetCurrentMode()) {
        case MODE_EFFECT:
            if (extImage* preview = GetEffectImage(); preview && preview->IsValid()) {
                painter.drawImage(QPoint(origin.x, origin.y), ToQImage(preview));
            } else {
                DrawPicture(painter, client, topLeft);
                MakeEffectImage(client);
            }
            DrawTextBox(painter);
            break;
        case MODE_LCD:
            DrawLCD(painter, client);
            DrawTextBox(painter);
            break;
        case MODE_CROP:
            DrawPicture(painter, client, topLeft);
            DrawSelection(painter);
            DrawTextBox(painter);
            DrawTrack(painter);
            break;
        case MODE_REDEYE:
            DrawPicture(painter, client, topLeft);
            DrawTextBox(painter);
            DrawTrack(painter);
            DrawAnts(painter);
            break;
        default:
            DrawPicture(painter, client, topLeft);
            DrawTextBox(painter);
            if (GetCurrentMode() == MODE_TEXT) DrawAnts(painter);
            break;
    }
}

void CViewMain::MakeEffectImage(const QRect& client) {
    const QRect visible = ToQ(GetVisiblePictureRect()).intersected(client);
    if (visible.isEmpty()) return;
    QImage part(visible.size(), QImage::Format_RGB32);
    part.fill(Qt::white);
    {
        QPainter painter(&part);
        const CPoint scroll = GetScrollPos();
        const CPoint origin = GetOrigin();
        painter.translate(-visible.topLeft());
        DrawPicture(painter, visible, QPoint(origin.x - scroll.x, origin.y - scroll.y));
    }
    SetEffectImage(FromQImage(part));
}

void CViewMain::DrawTextBox(QPainter& painter) {
    if (GetTextBox().GetMode() != TEXTMODE_PLACED) return;
    m_textWnd.RemakeTextImage();
    // The box knows its place in the scrolled area.
    const CPoint scroll = GetScrollPos();
    painter.save();
    painter.translate(-scroll.x, -scroll.y);
    m_textWnd.Draw(painter);
    painter.restore();
}

void CViewMain::DrawSelection(QPainter& painter) {
    const cbRect& sel = GetSelection();
    const CPoint scroll = GetScrollPos();
    CRect screen = sel.GetScreenRect();
    screen.OffsetRect(-scroll.x, -scroll.y);
    const QRect r = ToQ(screen);
    // Outside the selection the picture shows at half brightness, as the dimmed copy holds it.
    const CPoint origin = GetOrigin();
    const QRect picture(QPoint(origin.x - scroll.x, origin.y - scroll.y),
                        QSize(Scale(GetWidth(), GetFactor()), Scale(GetHeight(), GetFactor())));
    QRegion dim(picture);
    if (!sel.IsEmpty()) dim -= QRegion(r.adjusted(0, 0, 1, 1));
    painter.save();
    painter.setClipRegion(dim);
    painter.fillRect(picture, QColor(0, 0, 0, 128));
    painter.restore();
    if (sel.IsEmpty() || GetDragState() != 0) return;
    QPen pen(QColor(0, 255, 0));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r);
    // The corners that take a drag.
    pen.setStyle(Qt::SolidLine);
    painter.setPen(pen);
    for (int handle = 1; handle <= 4; ++handle) {
        const CPoint c = sel.ToScreen(CRect(sel.GetCorner(handle), CSize(0, 0))).TopLeft();
        painter.drawRect(QRect(c.x - scroll.x - 3, c.y - scroll.y - 3, 6, 6));
    }
    if (sel.GetStyle() == cbRect::kStyleLabel) {
        painter.setPen(QColor(255, 0, 0));
        painter.drawText(r, Qt::AlignCenter | Qt::TextDontClip, QString::fromStdString(sel.GetSizeLabel()));
    }
}

void CViewMain::DrawTrack(QPainter& painter) {
    if (GetDragState() == 0) return;
    const CRect track = GetTrackRect();
    cbRect band;
    band.SetOrigin(GetSelection().GetOrigin());
    band.SetZoom(GetSelection().GetZoom());
    CRect screen = band.ToScreen(track);
    const CPoint scroll = GetScrollPos();
    screen.OffsetRect(-scroll.x, -scroll.y);
    // The rubber band inverts what lies under it.
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(Qt::white);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToQ(screen));
    painter.restore();
}

void CViewMain::DrawAnts(QPainter& painter) {
    const CRect r = GetAntsRect();
    if (r.IsRectEmpty()) return;
    if (GetCurrentMode() == MODE_TEXT && !IsTextTimerOn()) return;
    const std::vector<CPoint> path = AntsPath(r);
    QPolygon black, white;
    for (size_t i = 0; i < path.size(); ++i)
        (AntsBlack(static_cast<int>(i), GetAntsPhase()) ? black : white) << QPoint(path[i].x, path[i].y);
    painter.save();
    painter.setPen(Qt::black);
    painter.drawPoints(black);
    painter.setPen(Qt::white);
    painter.drawPoints(white);
    painter.restore();
}

void CViewMain::DrawLCD(QPainter& painter, const QRect& client) {
    const CPoint pos = GetLCDPicturePos();
    const QPoint topLeft(pos.x, pos.y);
    DrawPicture(painter, client, topLeft);
    const QRect lcd = ToQ(GetLCDWindowRect());
    if (GetMainImage()) {
        // What falls outside the phone screen shows dimmed.
        const QRect picture(topLeft, QSize(Scale(GetWidth(), GetFactor()), Scale(GetHeight(), GetFactor())));
        painter.save();
        painter.setClipRegion(QRegion(picture) - QRegion(lcd));
        painter.fillRect(picture, QColor(0, 0, 0, 128));
        painter.restore();
    }
    if (const extImage* frame = GetFrameImage(); frame && frame->IsValid()) {
        if (frame != m_pFrameOf) {
            m_pFrameOf = frame;
            const QRgb key = kFrameKey;
            m_frame = ToQImage(frame, &key);
        }
        painter.drawImage(lcd, m_frame);
    }
    if (IsHintVisible()) {
        painter.setFont(m_fontHint);
        painter.setPen(Qt::black);
        painter.drawText(ToQ(GetHintRect()), Qt::AlignCenter | Qt::TextDontClip, QString::fromUtf8(GetHintText()));
    }
    // The window's outline inverts the pixels under it.
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::white);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(lcd.adjusted(-1, -1, 0, 0));
    painter.restore();
}

// ---- printing ----------------------------------------------------------------------------------

int CViewMain::RunDialog(QDialog& dialog) {
    if (m_runDialog) return m_runDialog(dialog);
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CViewMain::RenderPage(QPainter& painter, QPrinter& printer) {
    const extImage* picture = GetMainImage();
    if (!picture || !picture->IsValid()) return;
    // A copy with its transparent colour white and no alpha channel.
    extImage copy(*picture, true, false, false);
    if (copy.IsTransparent()) {
        RGBQUAD white{255, 255, 255, 0};
        copy.SetTransColor(white);
    }
    copy.AlphaDelete();
    const QImage image = ToQImage(&copy);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const long pictureDpi = copy.GetXDPI() > 0 ? copy.GetXDPI() : 96;
    const CRect r = CalcPrintRect(CSize(image.width(), image.height()), pictureDpi, printer.logicalDpiX(),
                                  printer.logicalDpiY(), CSize(page.width(), page.height()));
    if (r.right - r.left <= 0 || r.bottom - r.top <= 0) return;
    painter.drawImage(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), image);
}

bool CViewMain::Print(QPrinter& printer) {
    if (!GetMainImage()) return false;
    printer.setDocName(QApplication::applicationDisplayName());
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    RenderPage(painter, printer);
    painter.end();
    return true;
}

bool CViewMain::OnPrint() {
    if (!GetMainImage()) return false;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (RunDialog(dialog) != IDOK) return false;
    return Print(printer);
}

bool CViewMain::OnPrintPreview() {
    if (!GetMainImage()) return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QApplication::applicationDisplayName());
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("인쇄 미리보기"));
    dialog.setAccessibleName(dialog.windowTitle());
    // Large enough to judge the page.
    if (const QWidget* top = window(); top && top != this)
        dialog.resize(top->width() * 4 / 5, top->height() * 4 / 5);
    else
        dialog.resize(900, 700);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* target) {
        QPainter painter(target);
        RenderPage(painter, *target);
    });
    return RunDialog(dialog) == IDOK;
}
