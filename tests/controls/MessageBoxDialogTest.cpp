#include <gtest/gtest.h>

#include <QAccessible>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <thread>

#include "tests/controls/ControlsApp.h"
#include "views/controls/MessageBoxDialog.h"
#include "views/controls/StBitmap.h"
#include "views/controls/StaticEx.h"
#include "views/controls/xSkinButtonEx.h"

using L = CMessageBoxLogic;

namespace {

// Shows the box as a window (never exec) and waits until it has the focus.
void Show(CMessageBoxDialog& box) {
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
}

constexpr UINT kQuiet = L::kNoSound;

}  // namespace

TEST(MessageBoxDialog, ButtonsLabelsAndFocusForEveryStyle) {
    ControlsApp();
    for (UINT style = 0; style <= 9; ++style) {
        CMessageBoxDialog box(nullptr, "질문", "ZEL VimbroSuite", style | kQuiet);
        Show(box);
        const L::Buttons want = L::ButtonsOf(style);
        ASSERT_EQ(box.GetButtons(), want.buttons) << style;
        for (const auto& b : want.buttons) {
            CxSkinButtonEx* button = box.ButtonOf(b.id);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), QString::fromStdString(L::DefaultLabel(b.labelId)));
            EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), button->text());
        }
        CxSkinButtonEx* def = box.ButtonOf(want.defaultId);
        EXPECT_TRUE(def->hasFocus()) << style;
        EXPECT_TRUE(def->isDefault()) << style;
        // Enter on the focused default button gives the default.
        QTest::keyClick(def, Qt::Key_Return);
        EXPECT_EQ(box.result(), want.defaultId) << style;
        EXPECT_FALSE(box.isVisible());
    }
}

TEST(MessageBoxDialog, EscapeAndClosingGiveTheCancelResultOfEveryStyle) {
    ControlsApp();
    const int cancel[] = {1, 2, 3, 2, 7, 2, 2, 3, 2, 2};
    for (UINT style = 0; style <= 9; ++style) {
        {
            CMessageBoxDialog box(nullptr, "text", "", style | kQuiet);
            Show(box);
            QTest::keyClick(&box, Qt::Key_Escape);
            EXPECT_EQ(box.result(), cancel[style]) << "Escape, style " << style;
            EXPECT_FALSE(box.isVisible());
        }
        {
            CMessageBoxDialog box(nullptr, "text", "", style | kQuiet);
            Show(box);
            box.close();
            EXPECT_EQ(box.result(), cancel[style]) << "close, style " << style;
        }
        {
            // The caption's close button stays usable and does the same.
            CMessageBoxDialog box(nullptr, "text", "", style | kQuiet);
            Show(box);
            ASSERT_TRUE(box.CloseButton()->isEnabled());
            QTest::mouseClick(box.CloseButton(), Qt::LeftButton);
            EXPECT_EQ(box.result(), cancel[style]) << "close button, style " << style;
        }
    }
}

TEST(MessageBoxDialog, ClicksEnterAndCtrlBreak) {
    ControlsApp();
    {
        CMessageBoxDialog box(nullptr, "저장할까요?", "", MB_YESNOCANCEL | kQuiet);
        Show(box);
        QTest::mouseClick(box.ButtonOf(IDNO), Qt::LeftButton);
        EXPECT_EQ(box.result(), IDNO);
    }
    {
        // Enter with the focus on another button answers with that button.
        CMessageBoxDialog box(nullptr, "text", "", MB_ABORTRETRYIGNORE | kQuiet);
        Show(box);
        box.ButtonOf(IDIGNORE)->setFocus();
        QTest::keyClick(&box, Qt::Key_Enter);
        EXPECT_EQ(box.result(), IDIGNORE);
    }
    {
        // Enter with the focus elsewhere answers with the default.
        CMessageBoxDialog box(nullptr, "text", "", MB_YESNO | MB_DEFBUTTON2 | kQuiet);
        Show(box);
        EXPECT_TRUE(box.ButtonOf(IDNO)->hasFocus());
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_Return);
        EXPECT_EQ(box.result(), IDNO);
    }
    {
        CMessageBoxDialog box(nullptr, "text", "", MB_RETRYCANCEL | kQuiet);
        Show(box);
        QTest::keyClick(&box, Qt::Key_Pause, Qt::ControlModifier);
        EXPECT_EQ(box.result(), IDCANCEL);
    }
    {
        // DEFBUTTON3 on two buttons keeps Yes.
        CMessageBoxDialog box(nullptr, "text", "", MB_YESNO | MB_DEFBUTTON3 | kQuiet);
        Show(box);
        EXPECT_EQ(box.GetDefaultButton(), IDYES);
        EXPECT_TRUE(box.ButtonOf(IDYES)->hasFocus());
    }
}

TEST(MessageBoxDialog, HelpOpensHelpAndKeepsTheBoxOpen) {
    ControlsApp();
    std::vector<UINT> opened;
    CMessageBoxDialog::SetHelpOpener([&](UINT id) { opened.push_back(id); });
    CMessageBoxDialog box(nullptr, "text", "", MB_OK | L::kHelp | kQuiet, 77);
    Show(box);
    ASSERT_EQ(box.GetButtons().size(), 2u);
    EXPECT_EQ(box.ButtonOf(L::kIdHelp)->text(), QStringLiteral("도움말"));
    QTest::mouseClick(box.ButtonOf(L::kIdHelp), Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<UINT>{77});
    EXPECT_TRUE(box.isVisible());
    QTest::mouseClick(box.ButtonOf(IDOK), Qt::LeftButton);
    EXPECT_EQ(box.result(), IDOK);
    CMessageBoxDialog::SetHelpOpener(nullptr);
}

TEST(MessageBoxDialog, IconsAndCaption) {
    ControlsApp();
    {
        CMessageBoxDialog box(nullptr, "text", "", MB_OK | kQuiet);
        box.Initialise();
        EXPECT_EQ(box.IconStatic(), nullptr);
        EXPECT_EQ(box.windowTitle(), QGuiApplication::applicationDisplayName());
    }
    for (UINT icon : {MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK}) {
        CMessageBoxDialog box(nullptr, "text", "ZEL VimbroSuite", icon | kQuiet);
        box.Initialise();
        ASSERT_NE(box.IconStatic(), nullptr);
        EXPECT_EQ(box.IconStatic()->GetBitmap().size(), QSize(63, 63));
        EXPECT_EQ(box.windowTitle(), QStringLiteral("ZEL VimbroSuite"));
        const CMessageBoxLogic::Layout& l = box.GetLayout();
        const QRect c = box.ClientRect();
        EXPECT_EQ(box.IconStatic()->geometry(), QRect(c.left() + l.icon.left, c.top() + l.icon.top, 63, 63));
    }
}

TEST(MessageBoxDialog, LongTextWrapsAtHalfTheScreenAndButtonsStandRight) {
    ControlsApp();
    std::string text;
    for (int i = 0; i < 12; ++i) text += "선택한 사진을 앨범에서 삭제하면 다시 되돌릴 수 없습니다. ";
    CMessageBoxDialog box(nullptr, text, "ZEL VimbroSuite", MB_YESNO | MB_ICONQUESTION | L::kButtonsRight | kQuiet);
    box.Initialise();
    const CSize scale = box.GetDialogScale();
    const int mx = L::DluX(8, scale);
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    EXPECT_EQ(box.GetWrapWidth(), screenWidth / 2 + 100 - 2 * mx - 63);

    const QRect message = box.MessageStatic()->geometry();
    const QSize measured =
        CStaticEx::MeasureText(box.MessageStatic()->font(), QString::fromStdString(text), box.GetWrapWidth());
    EXPECT_LE(message.width(), box.GetWrapWidth());
    EXPECT_GT(message.width(), box.GetWrapWidth() * 3 / 4);
    EXPECT_EQ(message.size(), measured);
    EXPECT_GT(message.height(), 3 * box.MessageStatic()->fontMetrics().height());

    // The dialog is as high as the layout needs, and the row ends one margin from the right.
    const CMessageBoxLogic::Layout& l = box.GetLayout();
    EXPECT_EQ(box.ClientRect().size(), QSize(l.client.cx, l.client.cy));
    const QRect c = box.ClientRect();
    const QRect no = box.ButtonOf(IDNO)->geometry();
    const QRect yes = box.ButtonOf(IDYES)->geometry();
    EXPECT_EQ(c.right() - no.right(), mx);
    EXPECT_EQ(no.left() - yes.right() - 1, L::DluX(4, scale));
    EXPECT_GE(yes.top(), message.bottom());
    EXPECT_EQ(no.size(), yes.size());
}

TEST(MessageBoxDialog, ShortMessageKeepsTheButtonsCentredWithoutTheBit) {
    ControlsApp();
    CMessageBoxDialog box(nullptr, "완료", "", MB_OKCANCEL | MB_ICONASTERISK | kQuiet);
    box.Initialise();
    const QRect c = box.ClientRect();
    const QRect ok = box.ButtonOf(IDOK)->geometry();
    const QRect cancel = box.ButtonOf(IDCANCEL)->geometry();
    const int leftGap = ok.left() - c.left();
    const int rightGap = c.right() - cancel.right();
    EXPECT_LE(std::abs(leftGap - rightGap), 1);
    // The text beside the icon sits by its middle.
    const QRect icon = box.IconStatic()->geometry();
    EXPECT_GT(box.MessageStatic()->geometry().top(), icon.top());
    EXPECT_LT(box.MessageStatic()->geometry().bottom(), icon.bottom());
}

TEST(MessageBoxDialog, InstalledHandlerShowsTheDialogForAfxMessageBox) {
    ControlsApp();
    // Answer the box from inside its own event loop.
    QTimer::singleShot(0, [] {
        auto* box = dynamic_cast<CMessageBoxDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("ZEL VimbroSuite"));
        EXPECT_NE(box->GetStyle() & L::kButtonsRight, 0u);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    MessageBoxHandler previous =
        InstallMessageBoxDialog("ZEL VimbroSuite", [](UINT s) { return s | L::kButtonsRight | L::kNoSound; });
    const int answer = AfxMessageBox("지울까요?", MB_YESNO);
    AfxSetMessageBoxHandler(previous);
    EXPECT_EQ(answer, IDNO);
}

TEST(MessageBoxDialog, ABoxAskedOnAWorkerThreadIsShownByTheUserInterfaceThread) {
    ControlsApp();
    MessageBoxHandler previous = InstallMessageBoxDialog("ZEL VimbroSuite", [](UINT s) { return s | L::kNoSound; });
    std::atomic<int> answer{0};
    QThread* shownOn = nullptr;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = dynamic_cast<CMessageBoxDialog*>(QApplication::activeModalWidget())) {
            shownOn = box->thread();
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    poll.start();
    std::thread worker([&] { answer = AfxMessageBox("같은 이름의 파일이 있습니다. 바꾸시겠습니까?", MB_YESNOCANCEL); });
    QElapsedTimer waited;
    waited.start();
    while (answer == 0 && waited.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    worker.join();
    poll.stop();
    AfxSetMessageBoxHandler(previous);
    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_EQ(shownOn, QCoreApplication::instance()->thread());
}
