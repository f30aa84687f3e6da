// CSkinProgress: a progress bar drawn from a strip of nine skin cells, which can also write the
// percentage done and a time estimate after a text in another window.
//
// The skin strip is cut into nine cells of equal width and scaled to the bar's height - 2;
// pure cyan is transparent. Cells: 0 the left end while the bar is shorter than two cells,
// 1 unused, 2 the left end, 3 a mark at half the filled length, 4 the filled bar (tiled), 5 the
// head of the filled bar, 6 the piece just after the head, 7 the empty track (tiled), 8 the
// right end.
#pragma once

#include <QImage>
#include <QWidget>

#include <ctime>
#include <functional>

#include "platform/win/windef.h"

class QLabel;
class QStatusBar;

class CSkinProgress : public QWidget {
public:
    // What follows the text: 0 nothing, 1 the percentage, 2 the time line, 3 the time line or,
    // when it does not fit, the percentage. Positive modes put it in parentheses.
    enum TextMode { cProgressNone = 0, cProgressPercent = 1, cProgressTime = 2, cProgressTimeOrPercent = 3 };

    // Dialog form: a child window over the host control's rectangle in the host's parent. The
    // text window (optional) shows text followed by the progress. skin null takes Pelloq's own.
    CSkinProgress(QWidget* host, int upper = 100, const QImage* skin = nullptr, QWidget* textWindow = nullptr,
                  const char* text = nullptr, int textMode = cProgressPercent);
    // Status bar form: the text, then a bar of `size` pixels, at the front of the status bar.
    CSkinProgress(QStatusBar* statusBar, const char* text, int upper = 100, int size = 200,
                  int textMode = cProgressPercent, const QImage* skin = nullptr);
    ~CSkinProgress() override;
    CSkinProgress(const CSkinProgress&) = delete;
    CSkinProgress& operator=(const CSkinProgress&) = delete;

    // Every position change clamps to lower..upper and returns the previous position. With
    // keepProportion the position is carried into the new range at the same proportion.
    int SetRange(int lower, int upper, int step = 1, bool keepProportion = true, bool redraw = true);
    int SetPos(int pos, bool redraw = true);
    int OffsetPos(int delta, bool redraw = true);
    int StepIt(bool redraw = true);
    int SetStep(int step);
    int SetSize(int size);
    void SetText(const char* text);
    int SetProgress(int textMode);
    bool SetBitmap(const QImage* skin, bool redraw = true);
    // Start time now, position to lower; returns the previous position.
    int Reset(bool redraw = true);

    int GetPos() const { return m_nPos; }
    int GetStep() const { return m_nStep; }
    int GetLower() const { return m_nLower; }
    int GetUpper() const { return m_nUpper; }
    int GetProgress() const { return m_nTextMode; }
    int GetSize() const { return m_nSize; }
    const CString& GetText() const { return m_strText; }

    // Geometry inside the static edge: client width W, cell width a; the right end sits at
    // W - a and the head at a + (pos - lower) * (W - 2a) / (upper - lower), never beyond W - a.
    QSize GetClientSize() const;
    int GetCellWidth() const { return m_nCellWidth; }
    int GetHeadPosition() const;
    static int HeadPosition(int width, int cell, int pos, int lower, int upper);
    // The bar as last drawn off-screen (client size).
    const QImage& GetBarImage() const { return m_imgBar; }

    // The text the text window shows now.
    CString GetWindowText() const;
    // 100 * (pos - lower) / (upper - lower) as "%d%%".
    static CString FormatPercent(int pos, int lower, int upper);
    // Start, elapsed, done and remaining percentages, remaining time and the estimated end.
    static CString FormatTimeLine(std::time_t start, std::time_t now, int pos, int lower, int upper);
    // The text cut from the end with "..." appended until fits() accepts it.
    static CString Shorten(const CString& text, const std::function<bool(const CString&)>& fits);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void Setup(const QImage* skin, int upper, int textMode);
    void PrepareSkin();
    void RenderBar();
    void PositionChanged(int previous, bool redraw);
    void UpdateTexts();
    int TextWidth() const;
    bool Fits(const CString& text) const;

    QWidget* m_pTextWindow = nullptr;
    QLabel* m_pStatusText = nullptr;  // the status bar form's own text
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 1;
    int m_nPos = 0;
    int m_nPrevPos = 0;
    int m_nSize = 0;
    int m_nTextMode = cProgressPercent;
    CString m_strText;
    std::time_t m_tStart = 0;
    int m_nTimer = 0;

    QImage m_imgSkin;   // the strip as given
    QImage m_imgCells;  // scaled to the bar, cyan made transparent
    int m_nCellWidth = 0;
    QImage m_imgBar;  // off-screen bar
};
