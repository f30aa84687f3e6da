// CViewMain: the editor canvas window. The decisions live in CViewMainCore; this widget gives it
// the client size, turns mouse, keys and timers into its calls, paints what it holds per mode,
// keeps the scroll bars in step, sends the notices to the main window and prints the picture.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>
#include <QImage>
#include <QTimer>

#include <functional>

#include "platform/afx/afxwin.h"
#include "platform/win/wingdi.h"
#include "views/editor/ViewMainCore.h"
#include "views/editor/cbTextWnd.h"

class QDialog;
class CxImage;
class QPrinter;

class CViewMain : public QAbstractScrollArea, public CViewMainCore, public CMsgTarget {
public:
    static constexpr int kTimerRedeye = 1;
    static constexpr int kTimerText = 2;
    static constexpr int kTimerInterval = 200;  // ms, both marching-ants timers
    // A scaled-down copy is first made fast, then smoothly once the zoom has rested this long.
    static constexpr int kSmoothDelay = 150;    // ms
    // Key colour: frame pictures are transparent where they hold it.
    static constexpr QRgb kFrameKey = 0xFF00FF00;

    explicit CViewMain(QWidget* parent = nullptr);
    ~CViewMain() override;

    // Where the notices (3076, 3080) go; the main window when none is set.
    void SetNotifyTarget(CMsgTarget* target) { m_pNotify = target; }
    // Message 3077 (brightness and contrast).
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- text box ------------------------------------------------------------------------------
    // The text box's window side: its edit control floats over the canvas while typing.
    cbTextWnd* GetTextWnd() { return &m_textWnd; }
    QRect GetTextScreenRect() const;
    // The text tools' font: the box's text picture is made again (at once when placed).
    void SetFont(const LOGFONTA& font);
    // Symbol insertion through the clipboard while the box is being typed in.
    void CopyIntoClipboard(const CString* text);
    void PasteFromClipboard();

    // ---- printing ------------------------------------------------------------------------------
    // Runs a modal dialog (print, print preview); exec() unless tests answer in its place.
    using DialogRunner = std::function<int(QDialog& dialog)>;
    void SetDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    // The print dialog, then one page. False when cancelled or nothing is loaded.
    bool OnPrint();
    // The print preview of the page, from which the user may print.
    bool OnPrintPreview();
    // Prints the one page on an already set-up printer.
    bool Print(QPrinter& printer);
    // Renders the page: the picture (transparent colour white, no alpha) fitted to the paper.
    void RenderPage(QPainter& painter, QPrinter& printer);

    // ---- looks, for tests and benchmarks --------------------------------------------------------
    // Paints the canvas as the window would into an image of the client size.
    QImage Grab();
    // How often the picture was turned into a screen image, and rescaled.
    unsigned GetConversionCount() const { return m_nConversions; }
    unsigned GetScaleCount() const { return m_nScales; }
    // The picture, or any 24-bit library picture, as a screen image; a transparent key colour
    // becomes see-through when `key` is given.
    static QImage ToQImage(const CxImage* picture, const QRgb* key = nullptr);
    // A 24-bit library picture of a screen image.
    static extImage* FromQImage(const QImage& image);

protected:
    void Invalidate() override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void Paint(QPainter& painter, const QRect& client);
    void DrawPicture(QPainter& painter, const QRect& client, QPoint topLeft);
    void DrawTextBox(QPainter& painter);
    void DrawSelection(QPainter& painter);
    void DrawTrack(QPainter& painter);
    void DrawAnts(QPainter& painter);
    void DrawLCD(QPainter& painter, const QRect& client);
    void MakeEffectImage(const QRect& client);
    // The picture's screen image, converted again only when the pixels changed.
    const QImage& Source();
    // The picture smoothly scaled to the current factor (below 1 only), kept until the zoom or
    // the pixels change; made when the zoom has rested.
    bool HasScaled() const;
    void SmoothScale();
    void SyncScrollBars();
    void SyncTimers();
    void UpdateCursor(QPoint client);
    void Deliver(const CanvasNotice& notice);
    void OpenTextEdit();
    void SyncText();
    int RunDialog(QDialog& dialog);

    CMsgTarget* m_pNotify = nullptr;
    DialogRunner m_runDialog;
    QFont m_fontHint;
    cbTextWnd m_textWnd{GetTextBox()};

    // Screen image of the picture and its scaled copy.
    const extImage* m_pSourceOf = nullptr;
    unsigned m_nSourceGen = ~0u;
    QImage m_source;
    QImage m_scaled;
    float m_fScaledFactor = 0.0f;
    QTimer m_smooth;
    // Frame overlay with its green made see-through.
    const extImage* m_pFrameOf = nullptr;
    QImage m_frame;

    QBasicTimer m_timerRedeye;
    QBasicTimer m_timerText;
    bool m_bSyncing = false;
    bool m_bGrabbing = false;
    unsigned m_nConversions = 0;
    unsigned m_nScales = 0;
};
