#include "platform/afx/afxwin.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <atomic>
#include <cstdio>

// Lives in the thread that created its target; queued calls run there.
class MessageDispatcher : public QObject {};

namespace {

std::atomic<CMsgTarget*> g_mainWnd{nullptr};
std::mutex g_boxMutex;
MessageBoxHandler g_boxHandler;

bool CanQueueTo(const QObject* object) {
    // Without an application object there is no event loop to hand messages to; the caller's
    // own thread then runs the handler.
    return QCoreApplication::instance() != nullptr && object->thread() != nullptr &&
           object->thread()->isRunning();
}

}  // namespace

std::vector<int> MessageBoxButtons(UINT style) {
    switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL: return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO: return {IDYES, IDNO};
        case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
        default: return {IDOK};
    }
}

int MessageBoxDefaultResult(UINT style) {
    std::vector<int> buttons = MessageBoxButtons(style);
    std::size_t index = (style & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

CMsgTarget::CMsgTarget() : dispatcher_(std::make_unique<MessageDispatcher>()) {}

CMsgTarget::~CMsgTarget() = default;

LRESULT CMsgTarget::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (QThread::currentThread() == dispatcher_->thread() || !CanQueueTo(dispatcher_.get())) {
        return WindowProc(message, wParam, lParam);
    }
    LRESULT result = 0;
    QMetaObject::invokeMethod(
        dispatcher_.get(), [&] { result = WindowProc(message, wParam, lParam); }, Qt::BlockingQueuedConnection);
    return result;
}

BOOL CMsgTarget::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!CanQueueTo(dispatcher_.get())) {
        WindowProc(message, wParam, lParam);
        return TRUE;
    }
    return QMetaObject::invokeMethod(
               dispatcher_.get(), [this, message, wParam, lParam] { WindowProc(message, wParam, lParam); },
               Qt::QueuedConnection)
               ? TRUE
               : FALSE;
}

LRESULT SendMessage(CMsgTarget* target, UINT message, WPARAM wParam, LPARAM lParam) {
    return target ? target->SendMessage(message, wParam, lParam) : 0;
}

BOOL PostMessage(CMsgTarget* target, UINT message, WPARAM wParam, LPARAM lParam) {
    return target ? target->PostMessage(message, wParam, lParam) : FALSE;
}

CMsgTarget* AfxGetMainWnd() { return g_mainWnd.load(); }

void AfxSetMainWnd(CMsgTarget* wnd) { g_mainWnd.store(wnd); }

int AfxMessageBox(const std::string& text, UINT style, UINT helpId) {
    MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_boxMutex);
        handler = g_boxHandler;
    }
    if (handler) return handler(text, style, helpId);
    std::fprintf(stderr, "message: %s\n", text.c_str());
    return MessageBoxDefaultResult(style);
}

MessageBoxHandler AfxSetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard<std::mutex> lock(g_boxMutex);
    MessageBoxHandler previous = std::move(g_boxHandler);
    g_boxHandler = std::move(handler);
    return previous;
}

CMessageBoxResponder::CMessageBoxResponder(std::vector<int> answers, int fallback)
    : answers_(std::move(answers)), fallback_(fallback) {
    previous_ = AfxSetMessageBoxHandler([this](const std::string& text, UINT style, UINT) { return Answer(text, style); });
}

CMessageBoxResponder::~CMessageBoxResponder() { AfxSetMessageBoxHandler(std::move(previous_)); }

void CMessageBoxResponder::Script(std::vector<int> answers, int fallback) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_ = std::move(answers);
    next_ = 0;
    fallback_ = fallback;
}

std::vector<CMessageBoxResponder::Shown> CMessageBoxResponder::shown() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
}

std::vector<std::string> CMessageBoxResponder::texts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> result;
    for (const auto& s : shown_) result.push_back(s.text);
    return result;
}

void CMessageBoxResponder::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    shown_.clear();
}

int CMessageBoxResponder::Answer(const std::string& text, UINT style) {
    std::lock_guard<std::mutex> lock(mutex_);
    shown_.push_back(Shown{text, style});
    if (next_ < answers_.size()) return answers_[next_++];
    return fallback_ != 0 ? fallback_ : MessageBoxDefaultResult(style);
}
