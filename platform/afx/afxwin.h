// MFC application plumbing on Qt Core: window messages to message targets, the message box
// entry point with a scriptable responder, and the main-window pointer.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win/windef.h"

// Message box styles and results (the Windows values).
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The button results of a style, in button order (MB_YESNO gives IDYES, IDNO).
std::vector<int> MessageBoxButtons(UINT style);
// The result of the style's default button.
int MessageBoxDefaultResult(UINT style);

class MessageDispatcher;

// Anything that receives the system's window messages. Messages are handled on the thread that
// created the target.
class CMsgTarget {
public:
    CMsgTarget();
    virtual ~CMsgTarget();
    CMsgTarget(const CMsgTarget&) = delete;
    CMsgTarget& operator=(const CMsgTarget&) = delete;

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Runs the handler now; from another thread it waits until the owning thread has run it.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queues the message for the owning thread's event loop.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

private:
    std::unique_ptr<MessageDispatcher> dispatcher_;
};

// Free forms: a null target takes nothing and returns 0.
LRESULT SendMessage(CMsgTarget* target, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(CMsgTarget* target, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

CMsgTarget* AfxGetMainWnd();
void AfxSetMainWnd(CMsgTarget* wnd);

// The message box every question and message of the system goes through.
using MessageBoxHandler = std::function<int(const std::string& text, UINT style, UINT helpId)>;

int AfxMessageBox(const std::string& text, UINT style = MB_OK, UINT helpId = 0);

// Installs the handler (the application's DoMessageBox, or a responder); returns the previous
// one. Without a handler a box is printed on stderr as "message: <text>" and answered with its
// default button.
MessageBoxHandler AfxSetMessageBoxHandler(MessageBoxHandler handler);

// Records every box and answers from a script; for tests and the command-line tool.
class CMessageBoxResponder {
public:
    struct Shown {
        std::string text;
        UINT style;
    };

    // Installs itself for its lifetime; `answers` are returned in order, after which every box
    // gets `fallback` (0 means the box's default button).
    explicit CMessageBoxResponder(std::vector<int> answers = {}, int fallback = 0);
    ~CMessageBoxResponder();
    CMessageBoxResponder(const CMessageBoxResponder&) = delete;
    CMessageBoxResponder& operator=(const CMessageBoxResponder&) = delete;

    void Script(std::vector<int> answers, int fallback = 0);
    std::vector<Shown> shown() const;
    std::vector<std::string> texts() const;
    void clear();

private:
    int Answer(const std::string& text, UINT style);

    mutable std::mutex mutex_;
    std::vector<Shown> shown_;
    std::vector<int> answers_;
    std::size_t next_ = 0;
    int fallback_ = 0;
    MessageBoxHandler previous_;
};
