// CViewEditor: the photo editing view (mode 1): the filter panel, the editor canvas in its
// rounded host, the effect panel, and a bottom row with the zoom slider, the position and
// information texts and the previous, next, save and print buttons.
#pragma once

#include <functional>
#include <memory>

#include "app/WorkLayout.h"
#include "app/WorkView.h"

class CDlgEffect;
class CDlgFilter;
class CEditorCanvasLink;
class CViewMain;
class CViewArea;
class CViewWrapper2;

class CViewEditor : public CWorkView {
public:
    static constexpr int IDD = 1009;
    static constexpr int IDD_FILTER = 1011;
    static constexpr int IDD_EFFECT = 1012;
    static constexpr int IDC_PREVIOUS = 7055;
    static constexpr int IDC_NEXT = 7056;
    static constexpr int IDC_SAVE = 7059;
    static constexpr int IDC_PRINT = 7081;

    explicit CViewEditor(QWidget* parent);
    ~CViewEditor() override;

    // "사진 %d/%d장", formatted again only when a number changed.
    // Sets the slider (and the stored zoom) without zooming the canvas.
    void SetZoomPos(int position);
    int GetZoom() const { return m_zoom.Value(); }

    void EnablePrevious(bool on);
    void EnableNext(bool on);
    void EnableSave(bool on);
    // The canvas entered tool mode m (message 0x0C04).
    void OnToolMode(int mode);
    // Still pictures can be filtered and edited; an animated GIF cannot.
    void SetStillPicture(bool on);

    CViewWrapper2* GetWrapper() const { return m_pWrapper; }
    // The editor canvas in the host.
    CViewMain* GetCanvas() const;
    // The bottom row's previous, next, save and print buttons go to the frame's handler.
    using ButtonHandler = std::function<void(int id)>;
    void SetButtonHandler(ButtonHandler handler) { m_onButton = std::move(handler); }
    QWidget* GetFilterPanel() const;
    CDlgFilter* GetDlgFilter() const { return m_pFilter; }
    QWidget* GetEffectPanel() const;
    // The effect panel's tools, filling the effect panel area.
    CDlgEffect* GetDlgEffect() const { return m_pDlgEffect; }
    // After a new picture: the effect panel follows the canvas's mode, undo and model.
    void RefreshEffectPanel();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void OnSliderPos(int id, int position) override;

private:
    void ApplyStates();

    CDlgFilter* m_pFilter;
    CViewArea* m_pEffect;
    CDlgEffect* m_pDlgEffect;
    CViewWrapper2* m_pWrapper;
    CZoomTracker m_zoom;
    CEditorControlState m_state;
    ButtonHandler m_onButton;
    // The effect panel's way to the canvas.
    std::unique_ptr<CEditorCanvasLink> m_pLink;
};
