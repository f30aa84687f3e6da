// CSlideStrip: the window-less core of the slide composer view (CViewSlider).
//
// Sixteen boxes over the slots of a CEBAWrapper, kept filled from slot 0 upward: selection,
// delays, copy and paste, delete, moves, the frame overlay, loading EBA files and animated GIFs,
// saving, copying the last EBA file out, and playback as a state machine driven by timer ticks.
// The widget paints the boxes, turns clicks, keys and menu commands into calls here, and runs a
// real timer (kTimerId) with GetTimerInterval() while IsPlaying(). Messages go to the main window
// (AfxGetMainWnd()) and to the parent set with SetParent.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "imaging/AniGIF.h"
#include "imaging/EBAWrapper.h"
#include "platform/afx/afxwin.h"
#include "views/slides/Slider.h"

class CSlideStrip {
public:
    static constexpr int kSlideCount = 16;
    static constexpr int kDefaultDelay = 100;
    static constexpr UINT kTimerId = 1000;

    // Messages the composer sends.
    static constexpr UINT kMsgExportPht = 3081;      // main window: save the current slide as PHT
    static constexpr UINT kMsgSlidesChanged = 3082;  // main window: slides, selection or playback moved
    static constexpr UINT kMsgPlayEnded = 3083;      // main window: the repeats are over
    static constexpr UINT kMsgFocus = 3091;          // parent: the strip gained the focus
    static constexpr UINT kMsgSlidesDeleted = 3096;  // parent: slides were deleted

    // Commands.
    static constexpr UINT ID_DELAY_FIRST = 32792;  // 100 ms; 32793..32801 the others
    static constexpr UINT ID_DELAY_LAST = 32801;
    static constexpr UINT ID_SLIDE_DELETE = 32803;
    static constexpr UINT ID_SLIDE_COPY = 32804;
    static constexpr UINT ID_SLIDE_PASTE = 32805;
    static constexpr UINT ID_SLIDE_EXPORT_PHT = 32806;
    static constexpr UINT ID_SLIDE_MOVE_FIRST = 32807;  // + target position
    static constexpr UINT ID_SLIDE_MOVE_LAST = 32856;
    static constexpr UINT ID_SLIDE_DELETE_ALL = 33830;
    // Commands the keys send to the main window.
    static constexpr UINT ID_EDIT_COPY = 57634;
    static constexpr UINT ID_EDIT_PASTE = 57637;
    static constexpr UINT ID_KEY_DELETE = 32782;
    static constexpr UINT VK_DELETE_KEY = 0x2E;
    // The key commands reach the main window as WM_COMMAND with the ID in wParam.
    static constexpr UINT kWmCommand = 0x0111;

    // Resources the widget loads.
    static constexpr UINT IDB_STRIP_LEFT = 7361;
    static constexpr UINT IDB_STRIP_MIDDLE = 7360;
    static constexpr UINT IDB_STRIP_RIGHT = 7359;
    static constexpr UINT IDB_SLIDE_BOX = 7358;
    static constexpr UINT IDB_DELAY_BUTTON = 7357;
    static constexpr UINT IDR_MENU = 129;
    static constexpr int kDelaySubMenu = 3;
    static constexpr int kContextSubMenu = 4;

    static constexpr const char* kMsgStopPlay = "진행중인 애니메이션 플레이를 중단하십시요.";
    static constexpr const char* kMsgAskDelete = "삭제하시겠습니까?";

    CSlideStrip();
    ~CSlideStrip();
    CSlideStrip(const CSlideStrip&) = delete;
    CSlideStrip& operator=(const CSlideStrip&) = delete;

    void SetParent(CMsgTarget* parent) { m_pParent = parent; }

    // --- geometry --------------------------------------------------------------------------------
    // The size of one half of the box bitmap; lays out all 16 boxes again.
    void SetSlideBmpSize(CSize size);
    CSize GetSlideBmpSize() const { return m_sizeBmp; }
    // Box i in strip coordinates (unscrolled).
    CRect GetBoxRect(int index) const;
    // Box i as it shows on screen with the strip scrolled by GetPosHor().
    CRect GetVisibleBoxRect(int index) const;
    int GetTotalWidth() const;
    void SetPosHor(int pos) { m_nPosHor = pos; }
    int GetPosHor() const { return m_nPosHor; }
    // The box under a point in screen (scrolled) coordinates, or -1.
    int HitTest(CPoint point) const;

    // --- input -----------------------------------------------------------------------------------
    enum class ClickResult { None, Selected, DelayMenu, Refused };
    // A left click: selects box i when it holds a slide or is the first empty one (3082); on the
    // delay button of that box the widget opens the delay menu, unless playback runs (refused
    // with a message).
    ClickResult OnLButtonDown(CPoint point);

    struct ContextMenu {
        bool refused = false;          // playing: the message was shown, no menu
        int box = -1;                  // the right-clicked box, -1 outside every box
        bool enableCopy = false;       // 32804
        bool enablePaste = false;      // 32805
        bool enableDelete = false;     // 32803
        bool enableDeleteAll = false;  // 33830
        // Item 6 becomes the sub-menu "프레임 이동" with "1", "2", ... when the box holds a picture.
        bool hasMoveMenu = false;
        std::vector<UINT> moveCommands;  // 32807 + position for every filled position
    };
    // What the context menu of the box under `point` offers. The commands act on the current slide.
    ContextMenu GetContextMenu(CPoint point);

    // Key-down: Ctrl+C, Ctrl+V and Delete send their commands to the main window when they apply.
    // Returns the command sent, or 0.
    UINT OnKeyDown(UINT key, bool ctrl);
    // Every key but Tab belongs to the strip.
    static bool WantsKey(UINT key) { return key != 0x09; }
    void OnSetFocus();

    // The menu commands; false when the ID is not one of the strip's.
    bool OnCommand(UINT id);
    static int DelayForCommand(UINT id);
    static const std::array<int, 10>& DelayMenuValues();

    // --- slides ----------------------------------------------------------------------------------
    void SetCropImage(extImage* image);
    void OnDelay(int delay);
    void OnSliderCopy();
    void OnSliderPaste();
    // Asks "삭제하시겠습니까?" and on OK deletes the current slide.
    void OnSliderDelete();
    // Deletes slide `index` and moves the later ones left.
    void DeleteSlider(int index);
    // Asks (with at least one slide) and on OK empties everything.
    void OnSliderDeleteAll();
    void OnSliderMove(UINT id);
    // The working picture size changed: drops the overlay, then either deletes all slides (OK) or
    // resamples them to `size`.
    void OnSlideAllDelete2(CSize size);
    void SetCurrentSize(CSize size) { m_sizeCurrent = size; }
    CSize GetCurrentSize() const { return m_sizeCurrent; }

    void SetSliderFrame(extImage* frame);
    extImage* GetSliderFrame() const { return m_pFrameImage; }

    // --- files -----------------------------------------------------------------------------------
    bool LoadEBA(const char* path);
    // Imports the frames of an animated GIF as slides (delays in hundredths become milliseconds).
    bool LoadGIF(const char* path);
    bool SaveEBA(const char* path);
    bool SaveGIF(const char* path);
    // Copies the last EBA file loaded or saved into `folder`; `copied` counts the files copied.
    void ExportFile(CString folder, int unique, int useName, CString name, int& copied);
    const std::string& GetEBAPath() const { return m_strEBAPath; }

    // --- playback --------------------------------------------------------------------------------
    void Play();
    void Stop();
    bool IsPlaying() const { return m_bPlaying; }
    void SetRepeatCount(int count) { m_nRepeatCount = count; }
    int GetRepeatCount() const { return m_nRepeatCount; }
    int GetRemainRepeat() const { return m_nRemainRepeat; }
    // The interval the timer runs with, in milliseconds.
    int GetTimerInterval() const { return m_nTimerInterval; }
    // One tick of timer 1000.
    void OnTimer();
    // Lets `elapsedMs` pass on the playback clock, firing every tick that falls due; returns the
    // number of ticks.
    int Advance(int elapsedMs);

    // --- state -----------------------------------------------------------------------------------
    int GetValidCount() const { return m_eba.GetValidCount(); }
    int GetSelect() const { return m_nCurrent; }
    int GetSelectedIndex() const { return m_nCurrent; }
    extImage* GetPtrImage();
    CEBAWrapper* GetPtrEBA() { return &m_eba; }
    CAniGIF* GetAniGIF() { return &m_gif; }
    std::array<CSlider, kSlideCount>& GetPtrSliderList() { return m_boxes; }
    CSlider* GetPtrSlider(int index);
    int GetTotalSelect() const;
    extImage* GetClipboardImage() const { return m_pClipboard.get(); }
    int GetClipboardDelay() const { return m_nClipboardDelay; }
    bool IsEnablePaste() const { return m_pClipboard != nullptr; }
    bool IsEnableFromSelected() const;
    bool IsEnableNew() const { return GetValidCount() < kSlideCount; }
    int GetModify() const { return m_nModify; }
    void SetModify(int modify) { m_nModify = modify; }
    // The delay of slot `index` in milliseconds (100 for an empty or unknown slot).
    int GetDelay(int index);

private:
    bool IsSlot(int index) const { return index >= 0 && index < kSlideCount; }
    bool IsFilledSlot(int index);
    void Select(int index);
    void RefreshBox(int index);
    void RefreshAll();
    void ClearBoxes();
    void DeleteAll();
    void NotifyMain(UINT message, WPARAM wParam = 0);
    void NotifyParent(UINT message);
    void LayoutBoxes();

    std::array<CSlider, kSlideCount> m_boxes;
    CEBAWrapper m_eba;
    CAniGIF m_gif;
    int m_nCurrent = 0;
    CSize m_sizeCurrent{0, 0};
    std::unique_ptr<extImage> m_pClipboard;
    int m_nClipboardDelay = kDefaultDelay;
    extImage* m_pFrameImage = nullptr;  // not owned
    int m_nRepeatCount = 1;
    int m_nRemainRepeat = 0;
    bool m_bPlaying = false;
    int m_nTimerInterval = 0;
    int m_nElapsed = 0;  // time since the last tick
    int m_nModify = 0;
    std::string m_strEBAPath;
    int m_nPosHor = 0;
    CSize m_sizeBmp{CSlider::kDefaultBmpWidth, CSlider::kDefaultBmpHeight};
    CMsgTarget* m_pParent = nullptr;
};
