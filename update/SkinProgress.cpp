#include "update/SkinProgress.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStatusBar>
#include <QTimerEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "update/PelloqResources.h"

namespace {

constexpr int kCellCount = 9;
constexpr QRgb kTransparentKey = 0xFF00FFFF;  // pure cyan
constexpr int kTextRefreshMs = 500;
constexpr int kStatusSpacing = 16;  // the status bar's margins and the gap between text and bar

enum Cell { cShortLeft = 0, cLeft = 2, cMark = 3, cFill = 4, cHead = 5, cAfterHead = 6, cTrack = 7, cRight = 8 };

QImage DefaultSkin() {
    const std::string_view data = Pelloq::BitmapData(Pelloq::IDB_PROGRESS_SKIN);
    QImage skin;
    skin.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()), "BMP");
    return skin;
}

CString Printf(const char* format, auto... values) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

// "%d:" for whole days when there are any, then "%02d:%02d:%02d".
CString Duration(long long seconds) {
    if (seconds < 0) seconds = 0;
    CString text;
    const long long days = seconds / 86400;
    if (days > 0) text += Printf("%lld:", days);
    seconds %= 86400;
    return text + Printf("%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

std::tm Local(std::time_t t) {
    std::tm local{};
    ::localtime_r(&t, &local);
    return local;
}

bool SameDay(const std::tm& a, const std::tm& b) {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday;
}

CString DateOf(const std::tm& t) {
    return Printf("%04d/%02d/%02d/%02d ", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_wday + 1);
}

CString TimeOf(const std::tm& t) {
    return Printf("%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
}

}  // namespace

CSkinProgress::CSkinProgress(QWidget* host, int upper, const QImage* skin, QWidget* textWindow, const char* text,
                             int textMode)
    : QWidget(host ? host->parentWidget() : nullptr), m_pTextWindow(textWindow) {
    if (host) {
        setGeometry(host->geometry());
        m_nSize = host->width();
    }
    setCursor(Qt::ArrowCursor);
    if (text)
        m_strText = text;
    else if (textWindow)
        m_strText = GetWindowText();
    Setup(skin, upper, textMode);
    show();
}

CSkinProgress::CSkinProgress(QStatusBar* statusBar, const char* text, int upper, int size, int textMode,
                             const QImage* skin)
    : QWidget(statusBar) {
    m_strText = text ? text : "";
    m_nSize = size;
    setFixedWidth(size);
    setMinimumHeight(12);
    if (statusBar) {
        m_pStatusText = new QLabel(statusBar);
        statusBar->insertWidget(0, m_pStatusText);
        statusBar->insertWidget(1, this);
    }
    m_pTextWindow = m_pStatusText;
    Setup(skin, upper, textMode);
    show();
}

CSkinProgress::~CSkinProgress() {
    delete m_pStatusText;
}

void CSkinProgress::Setup(const QImage* skin, int upper, int textMode) {
    m_nTextMode = textMode;
    m_imgSkin = skin && !skin->isNull() ? *skin : DefaultSkin();
    PrepareSkin();
    SetRange(0, upper, 1, false, false);
    SetPos(0, false);
    m_tStart = std::time(nullptr);
    m_nTimer = startTimer(kTextRefreshMs);
    RenderBar();
    UpdateTexts();
}

QSize CSkinProgress::GetClientSize() const {
    return QSize(std::max(0, width() - 2), std::max(0, height() - 2));
}

int CSkinProgress::HeadPosition(int width, int cell, int pos, int lower, int upper) {
    const int right = width - cell;
    if (upper <= lower) return cell;
    const long long head =
        cell + static_cast<long long>(pos - lower) * (width - 2 * cell) / static_cast<long long>(upper - lower);
    return static_cast<int>(std::clamp<long long>(head, cell, std::max(cell, right)));
}

int CSkinProgress::GetHeadPosition() const {
    return HeadPosition(GetClientSize().width(), m_nCellWidth, m_nPos, m_nLower, m_nUpper);
}

void CSkinProgress::PrepareSkin() {
    m_imgCells = QImage();
    m_nCellWidth = 0;
    const int cellHeight = GetClientSize().height() - 2;
    if (m_imgSkin.isNull() || m_imgSkin.width() < kCellCount || cellHeight <= 0) return;
    // Cyan becomes transparent before scaling, so no cyan fringe bleeds into the cells.
    QImage strip = m_imgSkin.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < strip.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x) {
            if ((row[x] | 0xFF000000u) == kTransparentKey) row[x] = 0;
        }
    }
    const int sourceCell = strip.width() / kCellCount;
    m_nCellWidth = std::max(1, sourceCell * cellHeight / std::max(1, strip.height()));
    strip =
        strip.copy(0, 0, sourceCell * kCellCount, strip.height()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (strip.height() == cellHeight && sourceCell == m_nCellWidth) {
        m_imgCells = strip;
    } else {
        m_imgCells =
            strip.scaled(m_nCellWidth * kCellCount, cellHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
}

void CSkinProgress::RenderBar() {
    const QSize client = GetClientSize();
    if (client.isEmpty()) {
        m_imgBar = QImage();
        return;
    }
    m_imgBar = QImage(client, QImage::Format_ARGB32_Premultiplied);
    m_imgBar.fill(palette().color(QPalette::Window));
    const int a = m_nCellWidth;
    if (m_imgCells.isNull() || a <= 0) return;
    const int w = client.width();
    const int top = 1;
    QPainter p(&m_imgBar);
    auto draw = [&](int x, int cell) {
        p.drawImage(QPoint(x, top), m_imgCells, QRect(cell * a, 0, a, m_imgCells.height()));
    };

    const int right = std::max(a, w - a);
    const int head = GetHeadPosition();
    // The empty track, from the right end back to the head.
    p.setClipRect(QRect(head, 0, std::max(0, right - head), client.height()));
    for (int x = right - a; x + a > head; x -= a) draw(x, cTrack);
    // The filled bar, from the head back to the left end.
    p.setClipRect(QRect(a, 0, std::max(0, head - a), client.height()));
    for (int x = head - a; x + a > a; x -= a) draw(x, cFill);
    p.setClipping(false);
    const int filled = head - a;
    if (filled >= 3 * a) draw(a + filled / 2 - a / 2, cMark);
    if (head + a <= right) draw(head, cAfterHead);
    draw(right, cRight);
    const bool shortBar = head < 2 * a;
    draw(0, shortBar ? cShortLeft : cLeft);
    if (!shortBar) draw(head - a, cHead);
}

void CSkinProgress::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // A static edge: shadow above and left, light below and right.
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    p.fillRect(QRect(0, 0, width(), 1), shadow);
    p.fillRect(QRect(0, 0, 1, height()), shadow);
    p.fillRect(QRect(0, height() - 1, width(), 1), light);
    p.fillRect(QRect(width() - 1, 0, 1, height()), light);
    if (!m_imgBar.isNull()) p.drawImage(QPoint(1, 1), m_imgBar);
}

void CSkinProgress::resizeEvent(QResizeEvent*) {
    PrepareSkin();
    RenderBar();
    UpdateTexts();
}

void CSkinProgress::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_nTimer) UpdateTexts();
}

void CSkinProgress::PositionChanged(int previous, bool redraw) {
    m_nPrevPos = previous;
    if (previous == m_nPos) return;
    const int w = GetClientSize().width();
    const int oldHead = HeadPosition(w, m_nCellWidth, previous, m_nLower, m_nUpper);
    RenderBar();
    UpdateTexts();
    if (!redraw) return;
    // The changed stretch, the pieces around the head and the half-length mark, which sits
    // right of half the head position.
    const int newHead = GetHeadPosition();
    const int from = std::max(0, std::min(oldHead, newHead) / 2 - m_nCellWidth);
    const int to = std::max(oldHead, newHead) + 2 * m_nCellWidth;
    update(QRect(1 + from, 0, to - from, height()));
}

int CSkinProgress::SetRange(int lower, int upper, int step, bool keepProportion, bool redraw) {
    const int previous = m_nPos;
    if (upper < lower) std::swap(lower, upper);
    int pos = m_nPos;
    if (keepProportion && m_nUpper > m_nLower) {
        pos = lower +
              static_cast<int>(static_cast<long long>(m_nPos - m_nLower) * (upper - lower) / (m_nUpper - m_nLower));
    }
    m_nLower = lower;
    m_nUpper = upper;
    m_nStep = step;
    m_nPos = std::clamp(pos, m_nLower, m_nUpper);
    RenderBar();
    UpdateTexts();
    if (redraw) update();
    m_nPrevPos = previous;
    return previous;
}

int CSkinProgress::SetPos(int pos, bool redraw) {
    const int previous = m_nPos;
    m_nPos = std::clamp(pos, m_nLower, m_nUpper);
    PositionChanged(previous, redraw);
    return previous;
}

int CSkinProgress::OffsetPos(int delta, bool redraw) {
    return SetPos(static_cast<int>(std::clamp<long long>(static_cast<long long>(m_nPos) + delta, m_nLower, m_nUpper)),
                  redraw);
}

int CSkinProgress::StepIt(bool redraw) {
    return OffsetPos(m_nStep, redraw);
}

int CSkinProgress::SetStep(int step) {
    const int previous = m_nStep;
    m_nStep = step;
    return previous;
}

int CSkinProgress::SetSize(int size) {
    const int previous = m_nSize;
    m_nSize = size;
    if (m_pStatusText) setFixedWidth(size);
    return previous;
}

void CSkinProgress::SetText(const char* text) {
    m_strText = text ? text : "";
    UpdateTexts();
}

int CSkinProgress::SetProgress(int textMode) {
    const int previous = m_nTextMode;
    m_nTextMode = textMode;
    UpdateTexts();
    return previous;
}

bool CSkinProgress::SetBitmap(const QImage* skin, bool redraw) {
    QImage chosen = skin && !skin->isNull() ? *skin : DefaultSkin();
    if (chosen.isNull()) return false;
    m_imgSkin = chosen;
    PrepareSkin();
    RenderBar();
    if (redraw) update();
    return true;
}

int CSkinProgress::Reset(bool redraw) {
    m_tStart = std::time(nullptr);
    return SetPos(m_nLower, redraw);
}

CString CSkinProgress::FormatPercent(int pos, int lower, int upper) {
    if (upper <= lower) return "0%";
    return Printf("%d%%", static_cast<int>(100LL * (pos - lower) / (upper - lower)));
}

CString CSkinProgress::FormatTimeLine(std::time_t start, std::time_t now, int pos, int lower, int upper) {
    const std::tm begun = Local(start);
    const std::tm today = Local(now);
    CString line;
    if (!SameDay(begun, today)) line += DateOf(begun);
    line += TimeOf(begun) + " - ";
    const long long elapsed = std::max<long long>(0, now - start);
    line += Duration(elapsed) + " - ";
    // Done in 1/256 percent, so the estimate keeps its precision early in a long run.
    const long long done256 = upper > lower ? 25600LL * (pos - lower) / (upper - lower) : 0;
    const int donePercent = static_cast<int>(done256 / 256);
    line += Printf("%d%% / ", donePercent) + Printf("%d%% - ", 100 - donePercent);
    if (done256 <= 0) return line + "--:--:-- - --:--:--";
    const long long total = elapsed * 25600LL / done256;
    line += Duration(total - elapsed) + " - ";
    const std::tm end = Local(start + static_cast<std::time_t>(total));
    if (!SameDay(end, today)) line += DateOf(end);
    return line + TimeOf(end);
}

CString CSkinProgress::Shorten(const CString& text, const std::function<bool(const CString&)>& fits) {
    if (fits(text)) return text;
    QString shown = QString::fromStdString(text);
    while (!shown.isEmpty()) {
        shown.chop(1);
        const CString candidate = (shown + QStringLiteral("...")).toStdString();
        if (fits(candidate)) return candidate;
    }
    return "...";
}

CString CSkinProgress::GetWindowText() const {
    if (!m_pTextWindow) return {};
    if (auto* label = qobject_cast<QLabel*>(m_pTextWindow)) return label->text().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(m_pTextWindow)) return edit->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(m_pTextWindow)) return button->text().toStdString();
    return m_pTextWindow->windowTitle().toStdString();
}

int CSkinProgress::TextWidth() const {
    // In a status bar the text grows to whatever the bar leaves of the status bar's width.
    if (m_pStatusText && parentWidget()) {
        const int width = parentWidget()->width() - m_nSize - kStatusSpacing;
        return width > 0 ? width : -1;
    }
    // A window title, or a control not laid out yet, has no width to keep to.
    if (!m_pTextWindow || m_pTextWindow->isWindow()) return -1;
    const int width = m_pTextWindow->contentsRect().width();
    return width > 0 ? width : -1;
}

bool CSkinProgress::Fits(const CString& text) const {
    const int available = TextWidth();
    if (available < 0) return true;
    return QFontMetrics(m_pTextWindow->font()).horizontalAdvance(QString::fromStdString(text)) <= available;
}

void CSkinProgress::UpdateTexts() {
    if (!m_pTextWindow) return;
    auto compose = [this](const CString& addition) {
        if (addition.empty()) return m_strText;
        const CString shown = m_nTextMode > 0 ? "(" + addition + ")" : addition;
        return m_strText.empty() ? shown : m_strText + " " + shown;
    };
    const int mode = std::abs(m_nTextMode);
    const CString percent = FormatPercent(m_nPos, m_nLower, m_nUpper);
    CString text;
    switch (mode) {
        case cProgressPercent:
            text = compose(percent);
            break;
        case cProgressTime:
        case cProgressTimeOrPercent:
            text = compose(FormatTimeLine(m_tStart, std::time(nullptr), m_nPos, m_nLower, m_nUpper));
            if (mode == cProgressTimeOrPercent && !Fits(text)) text = compose(percent);
            break;
        default:
            text = m_strText;
            break;
    }
    text = Shorten(text, [this](const CString& t) { return Fits(t); });
    const QString shown = QString::fromStdString(text);
    if (auto* label = qobject_cast<QLabel*>(m_pTextWindow))
        label->setText(shown);
    else if (auto* edit = qobject_cast<QLineEdit*>(m_pTextWindow))
        edit->setText(shown);
    else if (auto* button = qobject_cast<QAbstractButton*>(m_pTextWindow))
        button->setText(shown);
    else
        m_pTextWindow->setWindowTitle(shown);
}
