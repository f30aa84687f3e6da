#include "platform/afx/WndMessage.h"

#include <QCoreApplication>

CWndMessageEvent::CWndMessageEvent(UINT msg, WPARAM w, LPARAM l)
    : QEvent(EventType()), message(msg), wParam(w), lParam(l) {
    setAccepted(false);
}

QEvent::Type CWndMessageEvent::EventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

LRESULT SendWindowMessage(QObject* window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window) return 0;
    CWndMessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(window, &event);
    return event.isAccepted() ? event.result : 0;
}
