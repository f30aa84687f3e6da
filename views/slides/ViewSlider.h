// CViewSlider: the slide strip window of the decoration mode. CSlideStrip decides everything
// (boxes, selection, delays, slides, playback); this widget paints the strip and its boxes from
// the skin bitmaps, turns clicks, keys and menu commands into the strip's calls, runs the
// playback timer and exposes the sixteen boxes to assistive technology as a list.
//
// The frame and the work views use the operations below; each repaints what it changed.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>

#include "views/controls/ItemListAccessible.h"
#include "views/slides/SlideStrip.h"

class QMenu;

class CViewSlider : public CAccessibleItems, public QWidget {
public:
    static constexpr int IDC_SLIDES = 7363;

    explicit CViewSlider(QWidget* parent = nullptr);
    ~CViewSlider() override;

    CSlideStrip& Strip() { return m_strip; }
    const CSlideStrip& Strip() const { return m_strip; }
    // Who hears the focus notice (3091) and the deletion notice (3096): the slide host.
    void SetParentTarget(CMsgTarget* parent) { m_strip.SetParent(parent); }

    // --- operations of the composer ---------------------------------------------------------------
    void SetCropImage(extImage* image);
    bool LoadEBA(const char* path);
    bool LoadGIF(const char* path);
    bool SaveEBA(const char* path);
    bool SaveGIF(const char* path);
    void ExportFile(CString folder, int unique, int useName, CString name, int& copied);
    void Play();
    void Stop();
    bool IsPlaying() const { return m_strip.IsPlaying(); }
    void SetRepeatCount(int count) { m_strip.SetRepeatCount(count); }
    void SetSliderFrame(extImage* frame);
    extImage* GetSliderFrame() const { return m_strip.GetSliderFrame(); }
    void SetCurrentSize(CSize size) { m_strip.SetCurrentSize(size); }
    void OnSlideAllDelete2(CSize size);
    void SetPosHor(int pos);
    int GetTotalWidth() const { return m_strip.GetTotalWidth(); }
    CSize GetSlideBmpSize() const { return m_strip.GetSlideBmpSize(); }
    int GetValidCount() const { return m_strip.GetValidCount(); }
    int GetSelect() const { return m_strip.GetSelect(); }
    int GetSelectedIndex() const { return m_strip.GetSelectedIndex(); }
    extImage* GetPtrImage() { return m_strip.GetPtrImage(); }
    CEBAWrapper* GetPtrEBA() { return m_strip.GetPtrEBA(); }
    CAniGIF* GetAniGIF() { return m_strip.GetAniGIF(); }
    std::array<CSlider, CSlideStrip::kSlideCount>& GetPtrSliderList() { return m_strip.GetPtrSliderList(); }
    CSlider* GetPtrSlider(int index) { return m_strip.GetPtrSlider(index); }
    int GetTotalSelect() const { return m_strip.GetTotalSelect(); }
    extImage* GetClipboardImage() const { return m_strip.GetClipboardImage(); }
    bool IsEnablePaste() const { return m_strip.IsEnablePaste(); }
    bool IsEnableFromSelected() const { return m_strip.IsEnableFromSelected(); }
    bool IsEnableNew() const { return m_strip.IsEnableNew(); }
    int GetModify() const { return m_strip.GetModify(); }
    void SetModify(int modify) { m_strip.SetModify(modify); }

    // A command of the delay menu, the context menu or the frame (32792-32856, 33830); false when
    // it is not one of the strip's.
    bool OnCommand(UINT id);

    // The playback timer (id 1000 of the strip): running, and the delay in force in milliseconds.
    bool IsTimerRunning() const { return m_timer.isActive(); }
    int TimerInterval() const { return m_nInterval; }
    // One tick of the playback timer, as the running timer delivers it.
    void OnTimer();

    // The delay menu (sub-menu 3 of menu 129) and the context menu of `box` (sub-menu 4) as they
    // would show; their actions run OnCommand. Null when the resources hold none.
    QMenu* BuildDelayMenu(QWidget* parent);
    QMenu* BuildContextMenu(const CSlideStrip::ContextMenu& state, QWidget* parent);
    // Shows a built menu; the default pops it up at `globalPos`. Tests replace it.
    using MenuRunner = std::function<void(QMenu* menu, QPoint globalPos)>;
    void SetMenuRunner(MenuRunner runner) { m_runMenu = std::move(runner); }

    // The accessible name of box i: its number from 1 and its delay, or that it is empty.
    QString BoxName(int index) const;
    // The default action of box i's list item: selects it as a click on it would.
    void ActivateBox(int index);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The boxes as list items, always all sixteen.
    int AccessibleItemCount() override { return CSlideStrip::kSlideCount; }
    QString AccessibleItemName(int index) override { return BoxName(index); }
    QRect AccessibleItemRect(int index) override;
    QAccessible::State AccessibleItemState(int index) override;
    int AccessibleItemAt(QPoint global) override;
    void AccessibleItemActivate(int index) override { ActivateBox(index); }

    // After any change: forget the cached pictures, repaint, tell assistive technology.
    void Changed();
    // Starts or stops the timer to match the strip's playback state.
    void SyncTimer();
    // Arms the timer for the next slide, `interval` after the moment the last one was due.
    void ArmNext();
    void NotifySelection(int previous);
    const QImage& CachedPicture(const extImage* picture);
    const QImage& CachedOverlay(const extImage* frame);
    void PaintBox(QPainter& painter, int index);
    void RunMenu(QMenu* menu, QPoint globalPos);

    CSlideStrip m_strip;
    QTimer m_timer;
    // Each slide is due a delay after the previous one was due, not after the work of showing it:
    // repaints and messages then do not add to the time on screen.
    QElapsedTimer m_clock;
    qint64 m_nDue = 0;
    int m_nInterval = 0;
    QImage m_left, m_middle, m_right, m_box, m_button;
    std::map<const extImage*, QImage> m_pictures;
    std::map<const extImage*, QImage> m_overlays;
    MenuRunner m_runMenu;
};
