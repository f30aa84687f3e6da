// CViewMainCore: everything the editor canvas decides without a window. It owns the edited
// picture and its helper copies, the zoom, the origin and scroll arithmetic, the selection
// rectangle, the text box state, the LCD fitting window, the undo stack and every operation that
// changes pixels. The canvas widget sizes it (SetClientSize), feeds it mouse input in client
// pixels, paints what it holds and sends the window messages it reports.
#pragma once

#include <map>
#include <vector>

#include "common/Gandry.h"
#include "platform/afx/afxmsg.h"
#include "platform/win/windef.h"
#include "views/editor/cbRect.h"
#include "views/editor/cbText.h"

class extImage;
class vxImage;

enum CURRENT_MODE { MODE_CROP = 0, MODE_LCD = 1, MODE_TEXT = 2, MODE_EFFECT = 3, MODE_REDEYE = 4, MODE_NORMAL = 5 };

// Messages the canvas sends to the main window.
// WM_CANVAS_MODE (3076): first parameter the new mode (0, 4 or 5).
constexpr UINT WM_CANVAS_BRIGHT = 3077;    // brightness and contrast to apply (received)
constexpr UINT WM_CANVAS_NEWCLIP = 3080;   // LCD mode made a new clip picture

// What a mouse event asks the window to do afterwards.
struct CanvasNotice {
    UINT message = 0;  // 0, WM_CANVAS_MODE or WM_CANVAS_NEWCLIP
    int param = 0;     // the first parameter of the message
    bool repaint = false;
};

// The cursor the window shows over a point.
enum CANVAS_CURSOR {
    CURSOR_CLASS = 0,  // the window class's cursor
    CURSOR_MOVE,       // four-way arrow
    CURSOR_NWSE,       // diagonal, north-west to south-east (handles 1 and 3)
    CURSOR_NESW,       // diagonal, north-east to south-west (handles 2 and 4)
    CURSOR_HAND        // the hand of the program's resources
};

// Scroll sizes for the window's scroll bars (client pixels).
struct CanvasScroll {
    CSize total;
    CSize page;
    CSize line;
    bool showHorz = false;
    bool showVert = false;
};

class CViewMainCore {
public:
    static constexpr int kUndoSlots = 20;
    static constexpr int kMinLevel = 0;
    static constexpr int kMaxLevel = 29;

    CViewMainCore();
    virtual ~CViewMainCore();
    CViewMainCore(const CViewMainCore&) = delete;
    CViewMainCore& operator=(const CViewMainCore&) = delete;

    // --- loading and state ----------------------------------------------------------------------
    int Load(vxImage* item, int fit, int& level);
    // 0 when the file holds no picture (the canvas is then empty), else 1.
    int Load(const CString& path, int fit, int& level);
    void Release();       // picture, preview pair and undo steps
    void Release_Crop();  // dimmed and display copies
    void Release_Clip();  // clip picture
    void Release_Undo();
    extImage* GetMainImage() const { return m_pImage; }
    extImage* GetEffectImage() const { return m_pEffectDst; }
    extImage* GetEffectSource() const { return m_pEffectSrc; }
    extImage* GetClipImage() const { return m_pClip; }
    extImage* GetDimImage() const { return m_pDim; }
    extImage* GetDisplayImage() const { return m_pDisplay; }
    vxImage* GetPtrSelectedVx() const { return m_pSelectedVx; }
    int GetWidth() const;
    int GetHeight() const;
    float GetFactor() const { return m_fFactor; }
    int GetZoomIndex() const { return m_nZoomIndex; }
    CURRENT_MODE GetCurrentMode() const { return m_mode; }
    CSize GetLCDSize() const { return m_sizeLCD; }
    int IsAnimation() const;
    // The type code of the item's extension; 0 without an item.
    int GetCurrentType() const;
    CString GetFullPath() const;
    CString GetTitleName() const;
    // 1 when the item's file exists.
    static int IsExistFile(vxImage* item);
    void SetModel(int model);
    int GetModel() const { return m_nModel; }
    void SetSubExclusive(int exclusive);
    int GetSubExclusive() const { return m_nExclusive; }
    void SetShowText(bool show) { m_bShowHint = show; }
    // The hint under the LCD window is shown only in LCD mode and only while enabled.
    bool IsHintVisible() const { return m_bShowHint && m_mode == MODE_LCD; }
    static const char* GetHintText() { return "더블클릭하세요."; }
    void SetFontState(int state) { m_nFontState = state; }
    int GetFontState() const { return m_nFontState; }
    void SetFrameImage(extImage* frame) {
        m_pFrame = frame;
        Invalidate();
    }
    // The absolute height of the text-box font; a new box starts as a square of this side.
    void SetTextFontHeight(int height) { m_nTextFontHeight = height < 0 ? -height : height; }
    int GetTextFontHeight() const { return m_nTextFontHeight; }
    extImage* GetFrameImage() const { return m_pFrame; }
    // Preview pair of the effect dialogs: the canvas owns both from here on.
    void SetEffectSource(extImage* source);
    void SetEffectImage(extImage* destination);
    void ReleaseEffect();

    // --- modes --------------------------------------------------------------------------------
    void SetModeChange(CURRENT_MODE mode);
    void SetRealMode(CURRENT_MODE mode);
    void Crop();
    void Text(int state);
    void Redeye();
    // Timer 1 (red-eye ants) and timer 2 (text box ants) as the mode rules want them.
    bool IsRedeyeTimerOn() const { return m_bTimer1; }
    bool IsTextTimerOn() const { return m_bTimer2; }

    // --- screen, zoom and scrolling -------------------------------------------------------------
    void SetClientSize(CSize client);
    CSize GetClientSize() const { return m_sizeClient; }
    void SetLCDSize(CSize lcd);
    void Setscreen(CSize lcd) { SetLCDSize(lcd); }
    void Setscreen1();
    void Setscreen2();
    // Zoom levels 0-29 of the zoom control.
    static int LevelToIndex(int level);
    static float IndexToFactor(int index);
    static float LevelToFactor(int level) { return IndexToFactor(LevelToIndex(level)); }
    void CalcZoomVariable(int level, int& oldIndex, float& oldFactor, int& newIndex, float& newFactor) const;
    void Zoomin(int level);
    void Zoomout(int level) { Zoomin(level); }
    void FitWindow(int& level);
    void CalcCropZoom(float oldFactor, float newFactor, int oldIndex, int newIndex);
    void SetScroll();
    void SetOrigin();
    void InitScroll();
    void UnInitScroll();
    void CreateDirect();
    CPoint GetOrigin() const { return m_ptOrigin; }
    const CanvasScroll& GetScroll() const { return m_scroll; }
    CPoint GetScrollPos() const { return m_ptScroll; }
    // Moves the scroll position, kept inside what the scroll sizes allow.
    void SetScrollPos(CPoint pos);
    CPoint GetScrollTarget() const { return m_ptTarget; }
    // The logical centre of the client area in picture pixels; the paint calls this each time.
    void UpdateLogicalCentre();
    CPoint GetLogicalCentre() const { return m_ptCentre; }
    void CalcLogic(CPoint* p) const;
    void CalcScreen(CPoint* p) const;
    // Where the picture's top-left corner is drawn in LCD mode (origin plus the drag offset).
    CPoint GetLCDPicturePos() const { return m_ptOrigin + m_ptDrag; }
    CPoint GetLCDWindowPos() const { return m_ptLCD; }
    CRect GetLCDWindowRect() const { return CRect(m_ptLCD, m_sizeLCD); }
    CPoint GetClipOffset() const { return m_ptClipOffset; }
    CRect GetCropResult() const { return m_rcCrop; }
    CRect CalcCropImage(int picLeft, int picTop, int lcdLeft, int lcdTop);
    // Recomputes the crop result from the current placement (the paint does this in LCD mode).
    void UpdateCropResult();
    bool HasZoomMemory(int index) const { return m_mapZoomPos.count(index) != 0; }
    CPoint GetZoomMemory(int index) const;
    size_t GetZoomMemoryCount() const { return m_mapZoomPos.size(); }

    // --- selection and text box -----------------------------------------------------------------
    cbRect& GetSelection() { return m_rcSel; }
    const cbRect& GetSelection() const { return m_rcSel; }
    cbText& GetTextBox() { return m_text; }
    const cbText& GetTextBox() const { return m_text; }
    // The rectangle being drawn, moved or resized while the button is down (picture pixels).
    CRect GetTrackRect() const { return m_rcTrack; }
    int GetDragState() const { return m_nDrag; }
    int GetGrabbedHandle() const { return m_nHandle; }

    // --- mouse (client pixels) ------------------------------------------------------------------
    CanvasNotice OnLButtonDown(CPoint client, bool shift);
    CanvasNotice OnMouseMove(CPoint client, bool shift);
    CanvasNotice OnLButtonUp(CPoint client, bool shift);
    CanvasNotice OnLButtonDblClk(CPoint client);
    // Escape while a placed text box shows its ants: it is removed.
    bool OnEscape();
    CANVAS_CURSOR GetCursorKind(CPoint client) const;

    // --- marching ants (timers 1 and 2) ---------------------------------------------------------
    // Advances the ants of a running timer; false when that timer is not running.
    bool OnTimer(int id);
    int GetAntsPhase() const { return m_nAntsPhase; }
    // The outline the ants walk, in client pixels: the selection in red-eye mode, the text box in
    // text mode; empty otherwise.
    CRect GetAntsRect() const;
    // The outline's pixels in walking order: top edge left to right, right edge downwards,
    // bottom edge right to left, left edge upwards.
    static std::vector<CPoint> AntsPath(const CRect& r);
    // Pixel `step` of the walk is black for counts 0-3 of the 12-count cycle, white for 4-11.
    static bool AntsBlack(int step, int phase) { return (phase + step) % 12 < 4; }

    // --- painting helpers -----------------------------------------------------------------------
    // The part of the client area the scaled picture covers (client pixels); the effect preview
    // is made from it.
    CRect GetVisiblePictureRect() const;
    // The phone bitmap's screen area of the LCD preview control, (22, 50)-(139, 161), and where a
    // picture of the LCD size goes in it: fitted in its proportion and centred.
    static CRect CalcPreviewScreen(CSize lcd);
    // The 100-pixel line under the LCD window where the hint is centred.
    CRect GetHintRect() const;
    // Where the printed copy goes on the page: the picture fitted to the page in its proportion
    // (both axes' dots per inch), stretched to (fitted - 100) at (100, 100).
    static CRect CalcPrintRect(CSize picture, long pictureDpiX, long printerDpiX, long printerDpiY, CSize page);

    // --- output ---------------------------------------------------------------------------------
    // Writes the picture: in place (the item's own file, after its backup; savedAsNew 0) when
    // `name` is empty or names the item's file, else a copy to `name` (savedAsNew 1). 1 when a
    // file was written.
    int Save(CString name, int& savedAsNew);
    // Copies the item's file into `folder`; count grows by one for each copy allowed.
    void ExportFile(CString folder, int unique, int useTitle, int& count);

    // --- operations and undo --------------------------------------------------------------------
    void SubmitUndo(int x, int y);
    void Undo();
    void Redo();
    int CanUndo() const { return m_nUndoLevel > 0 ? 1 : 0; }
    int CanRedo() const;
    int GetUndoLevel() const { return m_nUndoLevel; }
    extImage* GetUndoImage(int slot) const;
    CPoint GetUndoPosition(int slot) const;

    void LeftRotate();
    void RightRotate();
    void Mirror();
    void Flip();
    void ProcessSepia();
    void ProcessGreen();
    void ProcessBlue();
    void ProcessGray();
    void ProcessThresold();
    void ProcessPixelate();
    void ProcessBlur();
    void ProcessSharpen();
    void ProcessEdge();
    void ProcessEmboss();
    void ProcessJitter();
    void ProcessContour();
    void ProcessDilate();
    void ProcessErode();
    void ProcessNoise();
    void ProcessMedian();
    void ProcessThresold(int level, int apply);
    void ProcessPixelate(int size, int apply);
    void ProcessJitter(int radius, int apply);
    void ProcessContour(int size, int apply);
    void ProcessDilate(int size, int apply);
    void ProcessErode(int size, int apply);
    void ProcessNoise(int level, int apply);
    void ProcessFilter(int index);
    void OnSetBrightContrast(unsigned int brightness, long contrast);
    void ApplyRedeye();

    // Counts the repaints the operations asked for; the widget repaints when it changes.
    unsigned GetRepaintCount() const { return m_nRepaints; }
    // Grows whenever the pixels on show may have changed (picture, preview, text merged in);
    // zooming, scrolling and dragging leave it alone, so the widget keeps its scaled copy.
    unsigned GetPictureGeneration() const { return m_nPictureGen; }

protected:
    // The widget's hook: called whenever the core wants the window repainted.
    virtual void Invalidate() { ++m_nRepaints; }

    // A repaint after the pixels changed.
    void Changed() {
        ++m_nPictureGen;
        Invalidate();
    }

private:
    int LoadPicture(const CString& path);
    void AfterLoad(int fit, int& level);
    void ApplyZoom(int index, float factor);
    void MakeCropCopies();
    // Fresh crop copies after the picture changed, in the modes that show them.
    void RefreshCopies();
    // Keeps the crop display copy in step: old rectangle dimmed again, new one at full brightness.
    void UpdateDisplay(const CRect& oldRect, const CRect& newRect);
    void LeaveMode(CURRENT_MODE old);
    void PassGeometry();
    CRect PictureRect() const;
    CRect ClipToPicture(const CRect& r) const;
    CPoint ToLogic(CPoint client) const;
    void AfterGeometryChange();
    // Records a step and runs fn on the picture (nothing without a picture).
    template <class Fn> void Apply(Fn fn);
    template <class Fn> void ApplyOrPreview(int apply, Fn fn);
    void ConvolveEffect(const long* kernel, long factor, long offset);
    CanvasNotice LCDDoubleClick();
    CanvasNotice TextButtonDown(CPoint pt);

    extImage* m_pImage = nullptr;
    extImage* m_pDim = nullptr;
    extImage* m_pDisplay = nullptr;
    extImage* m_pEffectSrc = nullptr;
    extImage* m_pEffectDst = nullptr;
    extImage* m_pClip = nullptr;
    extImage* m_pFrame = nullptr;  // not owned
    vxImage* m_pSelectedVx = nullptr;

    struct UndoSlot {
        extImage* image = nullptr;
        CPoint pos;
    };
    UndoSlot m_undo[kUndoSlots];
    int m_nUndoLevel = 0;

    int m_nZoomIndex = 1;
    float m_fFactor = 1.0f;
    CPoint m_ptOrigin;
    CPoint m_ptScroll;
    CPoint m_ptTarget;
    CPoint m_ptCentre;
    CSize m_sizeClient;
    CanvasScroll m_scroll;

    CPoint m_ptPress;
    CPoint m_ptCurrent;
    int m_nDrag = 0;
    int m_nHandle = 0;
    CRect m_rcTrack;

    cbRect m_rcSel;
    cbText m_text;

    CSize m_sizeLCD;
    bool m_bLCDSizeByHost = false;
    CPoint m_ptLCD;
    CPoint m_ptDrag;
    CPoint m_ptClipOffset;
    CRect m_rcCrop;
    std::map<int, CPoint> m_mapZoomPos;

    CURRENT_MODE m_mode = MODE_NORMAL;
    int m_nExclusive = 1;
    int m_nModel = 0;
    int m_nFontState = 0;
    bool m_bShowHint = false;
    bool m_bTimer1 = false;
    bool m_bTimer2 = false;
    int m_nAntsPhase = 0;
    int m_nTextFontHeight = 15;
    unsigned m_nRepaints = 0;
    unsigned m_nPictureGen = 0;
};
