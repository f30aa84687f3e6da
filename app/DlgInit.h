// CDlgInit: the progress window the frame shows while the browser runs a long operation. It
// lives as long as the frame, hidden between operations, centred on the screen.
#pragma once

#include <QDialog>
#include <QImage>

#include "views/controls/ProgressEx.h"

class QLabel;

class CDlgInit : public QDialog {
public:
    static constexpr int IDD = 7410;
    static constexpr int IDB_BACKGROUND = 7412;
    static constexpr int IDB_BAR = 7411;
    static constexpr int IDC_TEXT = 7075;
    static constexpr int IDC_PROGRESS = 7074;
    // Without its background bitmap the window keeps room for the text and the bar.
    static constexpr int kPlainWidth = 340;
    static constexpr int kPlainHeight = 240;

    explicit CDlgInit(QWidget* parent = nullptr);

    // The two bitmaps (background and bar); the window takes the background's size.
    void SetBitmaps(int backgroundId, int barId);

    // Progress begins: the bar at 0, the window shown, the range 0..total.
    void BeginProgress(int total);
    void SetProgressPos(int position);
    // Progress ends: the window hidden and the bar back at 0.
    void EndProgress();
    void SetText(const QString& text);

    CProgressEx* GetProgress() const { return m_pProgress; }
    QLabel* GetText() const { return m_pText; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CenterOnScreen();

    QImage m_background;
    QLabel* m_pText;
    CProgressEx* m_pProgress;
};
