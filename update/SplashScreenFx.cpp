#include "update/SplashScreenFx.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QThread>

#include <algorithm>

#include "update/PelloqResources.h"
#include "update/SkinProgress.h"

namespace {

// Notes a left button or key that went down anywhere in the application.
class ConfirmWatcher : public QObject {
public:
    bool confirmed = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) confirmed = true;
        if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            confirmed = true;
        return false;
    }
};

}  // namespace

CSplashScreenFx::CSplashScreenFx() = default;
CSplashScreenFx::~CSplashScreenFx() = default;

void CSplashScreenFx::Initialize() {
    SetBitmap(Pelloq::IDB_SPLASH, GetRValue(kKeyColour), GetGValue(kKeyColour), GetBValue(kKeyColour));
    SetTextFont("Arial", 90, CSS_TEXT_NORMAL);
    CRect textRect(110, 135, 390, 175);
    SetTextRect(textRect);
    CRect barRect(15, 215, 390, 230);
    CSize range(0, 8);
    CreateProgressBar(barRect, range, Pelloq::IDB_PROGRESS_SKIN);
    SetTextColor(RGB(0, 0, 0));
    SetTextFormat(kStatusFormat);
    Show();
    activateWindow();
}

bool CSplashScreenFx::CreateProgressBar(CRect& rect, CSize& range, DWORD skinId) {
    delete m_pProgress;
    delete m_pProgressHost;
    m_pProgressHost = new QWidget(this);
    m_pProgressHost->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    m_pProgressHost->hide();
    const std::string_view data = Pelloq::BitmapData(skinId);
    QImage skin;
    if (!data.empty()) skin.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()));
    m_pProgress = new CSkinProgress(m_pProgressHost, range.cy, skin.isNull() ? nullptr : &skin, nullptr, nullptr,
                                    CSkinProgress::cProgressNone);
    m_pProgress->SetRange(range.cx, range.cy, 1, false, false);
    return !skin.isNull();
}

void CSplashScreenFx::ProgressStep() {
    if (m_pProgress) m_pProgress->StepIt();
}

void CSplashScreenFx::ProgressComplete() {
    if (m_pProgress) m_pProgress->SetPos(m_pProgress->GetUpper());
}

void CSplashScreenFx::StatusChanged(const CString& text, bool failed) {
    if (failed) SetTextColor(kFailureColour);
    SetText(text.c_str());
}

void CSplashScreenFx::Wait(DWORD milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < static_cast<qint64>(milliseconds)) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const qint64 left = static_cast<qint64>(milliseconds) - clock.elapsed();
        if (left > 0) QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
    }
}

void CSplashScreenFx::RestoreArrowCursor() {
    setCursor(Qt::ArrowCursor);
    if (QGuiApplication::overrideCursor()) QGuiApplication::changeOverrideCursor(Qt::ArrowCursor);
}

void CSplashScreenFx::Idle() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CSplashScreenFx::WaitUntilUserConfirm() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) return;
    ConfirmWatcher watcher;
    application->installEventFilter(&watcher);
    while (!watcher.confirmed) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    application->removeEventFilter(&watcher);
}
