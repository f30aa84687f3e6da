// A window message sent to one window (a widget) rather than to a message target: the drag of
// the album browser asks the window under the cursor which album it stands for this way. The
// receiving widget takes the event in its event() handler, writes `result` and accepts it;
// a widget that does not know the message leaves it unaccepted and the answer is 0.
#pragma once

#include <QEvent>

#include "platform/win/windef.h"

class QObject;

class CWndMessageEvent : public QEvent {
public:
    CWndMessageEvent(UINT message, WPARAM wParam, LPARAM lParam);
    static QEvent::Type EventType();

    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
};

// Delivers the message now on the calling thread (the window's own); null takes nothing.
LRESULT SendWindowMessage(QObject* window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
