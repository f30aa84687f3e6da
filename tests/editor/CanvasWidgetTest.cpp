// The editor canvas window, offscreen: what it paints per mode, how mouse input reaches the
// core, the kept screen copy of the picture, the notices to the main window and printing.
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>

#include "tests/editor/Fixture.h"
#include "views/editor/ViewMain.h"
#include "tests/support/WidgetApp.h"

namespace {

using editortest::Bgr;
using editortest::Put;

QApplication& App() { return testsupport::WidgetApp(); }

class Recorder : public CMsgTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override {
        messages.emplace_back(message, wParam);
        return 0;
    }
    std::vector<std::pair<UINT, WPARAM>> messages;
};

QRgb Rgb(int b, int g, int r) { return qRgb(r, g, b); }

// The application exists before the canvas member is made.
struct WithApp {
    WithApp() { App(); }
};

class CanvasTest : public ::testing::Test, private WithApp {
protected:
    CanvasTest() {
        canvas.SetNotifyTarget(&recorder);
        canvas.resize(kClient, kClient);
        canvas.show();
        QApplication::processEvents();
    }

    // A picture whose pixel (x, y) is blue x, green y, red 7, loaded at factor 1.
    void Load(int w, int h) {
        extImage p(static_cast<DWORD>(w), static_cast<DWORD>(h), 24);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) Put(p, x, y, Bgr(x & 255, y & 255, 7));
        path = dir.File("p" + std::to_string(++files) + ".bmp");
        ASSERT_TRUE(p.Save(path.c_str(), CXIMAGE_FORMAT_BMP));
        int level = -1;
        ASSERT_EQ(canvas.Load(path, 0, level), 1);
    }
    QPoint Client(int x, int y) { return {x, y}; }
    void Press(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::mousePress(canvas.viewport(), Qt::LeftButton, m, p);
    }
    void Move(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QMouseEvent e(QEvent::MouseMove, p, canvas.viewport()->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, m);
        QApplication::sendEvent(canvas.viewport(), &e);
    }
    void Release(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::mouseRelease(canvas.viewport(), Qt::LeftButton, m, p);
    }
    // As the window system delivers a double click: press, release, double click, release.
    void DoubleClick(QPoint p) {
        Press(p);
        Release(p);
        QMouseEvent e(QEvent::MouseButtonDblClick, p, canvas.viewport()->mapToGlobal(p), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas.viewport(), &e);
        Release(p);
    }

    static constexpr int kClient = 300;
    picturetest::TempDir dir;
    std::string path;
    int files = 0;
    Recorder recorder;
    CViewMain canvas;
};

TEST_F(CanvasTest, LoadedPictureIsPaintedCentredAndKeptBetweenPaints) {
    Load(100, 60);
    EXPECT_EQ(canvas.GetClientSize(), CSize(kClient, kClient));
    EXPECT_EQ(canvas.GetOrigin(), CPoint(100, 120));
    QImage shot = canvas.Grab();
    EXPECT_EQ(shot.pixel(99, 119), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(100, 120), Rgb(0, 0, 7));
    EXPECT_EQ(shot.pixel(100 + 37, 120 + 21), Rgb(37, 21, 7));
    EXPECT_EQ(shot.pixel(199, 179), Rgb(99, 59, 7));
    EXPECT_EQ(shot.pixel(200, 180), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.GetConversionCount(), 1u);
    // Painting again, scrolling or zooming keeps the converted picture.
    canvas.Grab();
    canvas.Zoomin(10);
    canvas.Grab();
    canvas.Zoomin(15);
    canvas.Grab();
    EXPECT_EQ(canvas.GetConversionCount(), 1u);
    // An effect changes the pixels: converted once more, and the undo brings the old ones back.
    canvas.ProcessGray();
    shot = canvas.Grab();
    EXPECT_EQ(canvas.GetConversionCount(), 2u);
    const QRgb grey = shot.pixel(137, 141);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_EQ(qGreen(grey), qBlue(grey));
    canvas.Undo();
    EXPECT_EQ(canvas.Grab().pixel(137, 141), Rgb(37, 21, 7));
    EXPECT_EQ(canvas.GetConversionCount(), 3u);
}

TEST_F(CanvasTest, ZoomStepsScaleThePictureAndTheScrollBarsFollow) {
    Load(200, 100);
    canvas.Zoomin(10);  // 1/2
    EXPECT_FLOAT_EQ(canvas.GetFactor(), 0.5f);
    QImage shot = canvas.Grab();
    // 100 x 50 centred: (100, 125).
    EXPECT_EQ(canvas.GetOrigin(), CPoint(100, 125));
    EXPECT_EQ(shot.pixel(99, 125), qRgb(255, 255, 255));
    EXPECT_NE(shot.pixel(199, 174), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(200, 175), qRgb(255, 255, 255));
    EXPECT_FALSE(canvas.horizontalScrollBar()->isVisible());
    const unsigned scales = canvas.GetScaleCount();
    canvas.Grab();
    EXPECT_EQ(canvas.GetScaleCount(), scales);  // kept between paints

    canvas.Zoomin(29);  // 3.8: 760 x 380, larger than the client
    EXPECT_FLOAT_EQ(canvas.GetFactor(), 3.8f);
    QApplication::processEvents();
    EXPECT_TRUE(canvas.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(canvas.verticalScrollBar()->isVisible());
    const CSize client = canvas.GetClientSize();
    EXPECT_EQ(canvas.horizontalScrollBar()->maximum(), 760 - client.cx);
    EXPECT_EQ(canvas.verticalScrollBar()->maximum(), 380 - client.cy);
    // The centre stays in the middle: the scroll target was (760 - 300) / 2 by (380 - 300) / 2
    // for the client the zoom found.
    EXPECT_EQ(canvas.GetScrollPos(), CPoint(230, 40));
    EXPECT_EQ(canvas.horizontalScrollBar()->value(), 230);
    EXPECT_EQ(canvas.verticalScrollBar()->value(), 40);
    // A scroll bar move scrolls the picture: the pixel at the left edge is picture column
    // trunc(scroll / 3.8).
    canvas.horizontalScrollBar()->setValue(380);
    EXPECT_EQ(canvas.GetScrollPos().x, 380);
    shot = canvas.Grab();
    EXPECT_EQ(qBlue(shot.pixel(0, 0)), 100);

    // Panning in normal mode moves the scroll position by the drag.
    Press(Client(100, 100));
    Move(Client(60, 80));
    Release(Client(60, 80));
    EXPECT_EQ(canvas.GetScrollPos(), CPoint(420, 60));
    EXPECT_EQ(canvas.horizontalScrollBar()->value(), 420);
}

TEST_F(CanvasTest, CropDragWithShiftIsSquareAndDoubleClickCropsAndNotifies) {
    Load(400, 400);
    ASSERT_EQ(canvas.GetOrigin(), CPoint(0, 0));
    canvas.SetModeChange(MODE_CROP);
    auto square = [this] {
        Press(Client(10, 10), Qt::ShiftModifier);
        Move(Client(40, 25), Qt::ShiftModifier);
        Release(Client(40, 25), Qt::ShiftModifier);
    };
    square();
    EXPECT_EQ(canvas.GetSelection().GetRect(), CRect(10, 10, 40, 40));
    // Outside the selection the picture shows dimmed, inside at full brightness.
    const QImage shot = canvas.Grab();
    EXPECT_EQ(shot.pixel(25, 30), Rgb(25, 30, 7));
    EXPECT_NEAR(qBlue(shot.pixel(100, 100)), 50, 1);
    Move(Client(25, 25));
    EXPECT_EQ(canvas.viewport()->cursor().shape(), Qt::SizeAllCursor);
    Move(Client(12, 12));
    EXPECT_EQ(canvas.viewport()->cursor().shape(), Qt::SizeFDiagCursor);
    // Outside: nothing is cropped.
    DoubleClick(Client(200, 200));
    EXPECT_EQ(canvas.GetWidth(), 400);
    EXPECT_TRUE(recorder.messages.empty());
    square();
    DoubleClick(Client(20, 20));
    EXPECT_EQ(canvas.GetWidth(), 30);
    EXPECT_EQ(canvas.GetHeight(), 30);
    EXPECT_EQ(canvas.GetCurrentMode(), MODE_NORMAL);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], std::make_pair(WM_CANVAS_MODE, WPARAM{5}));
    EXPECT_EQ(canvas.CanUndo(), 1);
}

TEST_F(CanvasTest, LcdDoubleClickCropsThePictureOrOnlyMakesTheClip) {
    for (int exclusive : {1, 2}) {
        SCOPED_TRACE(exclusive);
        recorder.messages.clear();
        Load(400, 400);
        canvas.SetSubExclusive(exclusive);
        canvas.SetLCDSize(CSize(176, 144));
        canvas.SetModeChange(MODE_LCD);
        canvas.InitScroll();
        // The picture moves under the fixed window by the drag.
        const CPoint before = canvas.GetLCDPicturePos();
        Press(Client(150, 150));
        Move(Client(170, 160));
        Release(Client(170, 160));
        EXPECT_EQ(canvas.GetLCDPicturePos(), CPoint(before.x + 20, before.y + 10));
        const CRect lcd = canvas.GetLCDWindowRect();
        const CPoint pos = canvas.GetLCDPicturePos();
        const QImage shot = canvas.Grab();
        // Inside the window the picture at full brightness, outside dimmed.
        const int px = lcd.left + 5, py = lcd.top + 5;
        EXPECT_EQ(shot.pixel(px, py), Rgb(px - pos.x, py - pos.y, 7));
        const int ox = lcd.left - 10;
        EXPECT_NEAR(qBlue(shot.pixel(ox, py)), (ox - pos.x) / 2, 1);
        EXPECT_EQ(canvas.viewport()->cursor().shape(), Qt::OpenHandCursor);
        DoubleClick(Client(150, 150));
        const CPoint cropAt(lcd.left - pos.x, lcd.top - pos.y);
        if (exclusive == 1) {
            EXPECT_EQ(canvas.GetWidth(), 176);
            EXPECT_EQ(canvas.GetHeight(), 144);
            EXPECT_TRUE(editortest::SameColour(editortest::At(*canvas.GetMainImage(), 0, 0),
                                               Bgr(cropAt.x, cropAt.y, 7)));
            ASSERT_EQ(recorder.messages.size(), 1u);
            EXPECT_EQ(recorder.messages[0], std::make_pair(WM_CANVAS_MODE, WPARAM{5}));
        } else {
            EXPECT_EQ(canvas.GetWidth(), 400);
            ASSERT_NE(canvas.GetClipImage(), nullptr);
            EXPECT_EQ(canvas.GetClipImage()->GetWidth(), 176u);
            EXPECT_TRUE(editortest::SameColour(editortest::At(*canvas.GetClipImage(), 0, 0),
                                               Bgr(cropAt.x, cropAt.y, 7)));
            ASSERT_EQ(recorder.messages.size(), 1u);
            EXPECT_EQ(recorder.messages[0].first, WM_CANVAS_NEWCLIP);
            EXPECT_EQ(canvas.GetCurrentMode(), MODE_LCD);
        }
        canvas.SetSubExclusive(1);
        canvas.SetModeChange(MODE_NORMAL);
    }
}

TEST_F(CanvasTest, HintShowsOnlyInLcdModeWhileEnabled) {
    Load(100, 100);
    canvas.SetShowText(true);
    canvas.SetLCDSize(CSize(128, 128));
    auto darkInHint = [this] {
        const QImage shot = canvas.Grab();
        const CRect hint = canvas.GetHintRect();
        int dark = 0;
        for (int y = hint.top; y < hint.bottom; ++y)
            for (int x = hint.left; x < hint.right; ++x) dark += qGray(shot.pixel(x, y)) < 100;
        return dark;
    };
    canvas.SetModeChange(MODE_LCD);
    canvas.InitScroll();
    EXPECT_GT(darkInHint(), 10);
    canvas.SetShowText(false);
    EXPECT_EQ(darkInHint(), 0);
}

TEST_F(CanvasTest, RedeyeSelectionMarchesAndDoubleClickNotifiesFour) {
    Load(400, 400);
    canvas.SetModeChange(MODE_REDEYE);
    Press(Client(50, 50));
    Move(Client(90, 80));
    Release(Client(90, 80));
    EXPECT_EQ(canvas.GetSelection().GetRect(), CRect(50, 50, 90, 80));
    EXPECT_TRUE(canvas.IsRedeyeTimerOn());
    const int phase = canvas.GetAntsPhase();
    QTest::qWait(CViewMain::kTimerInterval * 2 + 100);
    EXPECT_NE(canvas.GetAntsPhase(), phase);
    // The outline's first pixels are walked black, then white.
    const QImage shot = canvas.Grab();
    const int p = canvas.GetAntsPhase();
    EXPECT_EQ(shot.pixel(50, 50), CViewMainCore::AntsBlack(0, p) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    DoubleClick(Client(60, 60));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], std::make_pair(WM_CANVAS_MODE, WPARAM{4}));
    EXPECT_EQ(canvas.CanUndo(), 1);
}

TEST_F(CanvasTest, EffectModeMakesThePreviewFromWhatIsOnScreen) {
    Load(100, 60);
    canvas.SetRealMode(MODE_EFFECT);
    canvas.Grab();
    extImage* preview = canvas.GetEffectImage();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetWidth(), 100u);
    EXPECT_EQ(preview->GetHeight(), 60u);
    EXPECT_EQ(preview->GetBpp(), 24);
    EXPECT_TRUE(editortest::SameColour(editortest::At(*preview, 37, 21), Bgr(37, 21, 7)));
    // A changed preview is what the canvas shows, unscaled at the origin.
    preview->Clear(0);
    EXPECT_EQ(canvas.Grab().pixel(110, 130), qRgb(0, 0, 0));
    canvas.SetRealMode(MODE_NORMAL);
    EXPECT_EQ(canvas.GetEffectImage(), nullptr);
    EXPECT_EQ(canvas.Grab().pixel(110, 130), Rgb(10, 10, 7));
}

TEST_F(CanvasTest, BrightnessMessageRecordsAStep) {
    Load(10, 10);
    EXPECT_EQ(canvas.SendMessage(WM_CANVAS_BRIGHT, 40, 0), 1);
    EXPECT_EQ(canvas.CanUndo(), 1);
    EXPECT_GT(editortest::At(*canvas.GetMainImage(), 3, 3).rgbRed, 7);
}

TEST_F(CanvasTest, PrintsThePictureOnAPdfPage) {
    Load(64, 48);
    const std::string pdf = dir.File("page.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    ASSERT_TRUE(canvas.Print(printer));
    QFile file(QString::fromStdString(pdf));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1) << "one page";
    // The picture is on the page as an image of its own size.
    EXPECT_TRUE(bytes.contains("/Subtype /Image"));
    EXPECT_TRUE(bytes.contains("/Width 64"));
    EXPECT_TRUE(bytes.contains("/Height 48"));
    // Without a picture nothing is printed.
    CViewMain empty;
    EXPECT_FALSE(empty.Print(printer));
}

}  // namespace
