#include "app/ViewEditor.h"

#include "app/DlgEffect.h"
#include "app/DlgFilter.h"
#include "app/ViewWrapper2.h"
#include "app/WorkControls.h"
#include "views/editor/ViewMain.h"

// What the effect panel reaches of the canvas.
class CEditorCanvasLink final : public CEffectCanvas {
public:
    explicit CEditorCanvasLink(CViewMain* canvas) : m_pCanvas(canvas) {}
    CViewMainCore* GetCore() override { return m_pCanvas; }
    cbTextWnd* GetTextWnd() override { return m_pCanvas->GetTextWnd(); }
    void SetFont(const LOGFONTA& font) override { m_pCanvas->SetFont(font); }
    void CopyIntoClipboard(const CString* text) override { m_pCanvas->CopyIntoClipboard(text); }
    void PasteFromClipboard() override { m_pCanvas->PasteFromClipboard(); }
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        return m_pCanvas->SendMessage(message, wParam, lParam);
    }
    void RepaintNow() override { m_pCanvas->viewport()->repaint(); }

private:
    CViewMain* m_pCanvas;
};

CViewEditor::CViewEditor(QWidget* parent) : CWorkView(1, parent) {
    m_pFilter = new CDlgFilter(this);
    m_pEffect = new CViewArea(IDD_EFFECT, QStringLiteral("효과"), WorkLook::kPanelBack, true, this);
    m_pDlgEffect = new CDlgEffect(m_pEffect);
    m_pWrapper = new CViewWrapper2(this);
    m_pLink = std::make_unique<CEditorCanvasLink>(m_pWrapper->GetView());
    m_pDlgEffect->SetCanvas(m_pLink.get());
    CreateBottomRow(7233, 0, 29, 1, CZoomTracker::kInitial, QStringLiteral("화면 배율"));
    AddButton(IDC_PREVIOUS, 7318, QStringLiteral("이전 그림"));
    AddButton(IDC_NEXT, 7317, QStringLiteral("다음 그림"));
    AddButton(IDC_SAVE, 7320, QStringLiteral("저장"));
    AddButton(IDC_PRINT, 7319, QStringLiteral("프린트"));
    CreateTextBoxes();
    for (int id : {IDC_PREVIOUS, IDC_NEXT, IDC_SAVE, IDC_PRINT})
        connect(GetButton(id), &QPushButton::clicked, this, [this, id] {
            if (m_onButton) m_onButton(id);
        });
    ApplyStates();
}

CViewEditor::~CViewEditor() {
    // The panel lets go of the canvas before the link goes.
    m_pDlgEffect->SetCanvas(nullptr);
}

void CViewEditor::RefreshEffectPanel() {
    m_pDlgEffect->FillScreenSizes();
    m_pDlgEffect->SetMode(GetCanvas()->GetCurrentMode());
}

CViewMain* CViewEditor::GetCanvas() const {
    return m_pWrapper->GetView();
}

void CViewEditor::OnSliderPos(int id, int position) {
    if (id != IDC_ZOOM) return;
    // The canvas zooms by the direction of the move.
    switch (m_zoom.Move(position)) {
        case CZoomTracker::Step::Out:
            GetCanvas()->Zoomout(position);
            break;
        case CZoomTracker::Step::In:
            GetCanvas()->Zoomin(position);
            break;
        default:
            break;
    }
}

void CViewEditor::SetZoomPos(int position) {
    m_pZoom->SetPos(position);
    m_zoom.Reset(m_pZoom->GetPos());
}





void CViewEditor::EnablePrevious(bool on) {
    m_state.EnablePrevious(on);
    ApplyStates();
}

void CViewEditor::EnableNext(bool on) {
    m_state.EnableNext(on);
    ApplyStates();
}

void CViewEditor::EnableSave(bool on) {
    m_state.saveEnabled = on;
    ApplyStates();
}

void CViewEditor::OnToolMode(int mode) {
    m_pDlgEffect->SetMode(mode);
    if (!m_state.ToolMode(mode)) return;
    m_pFilter->setEnabled(m_state.filterEnabled);
    ApplyStates();
}

void CViewEditor::SetStillPicture(bool on) {
    if (!m_state.StillPicture(on)) return;
    m_pFilter->setEnabled(on);
    m_pWrapper->setEnabled(on);
    m_pEffect->setEnabled(on);
}

void CViewEditor::ApplyStates() {
    GetButton(IDC_PREVIOUS)->setEnabled(m_state.previousEnabled);
    GetButton(IDC_NEXT)->setEnabled(m_state.nextEnabled);
    GetButton(IDC_SAVE)->setEnabled(m_state.saveEnabled);
    GetButton(IDC_PRINT)->setEnabled(m_state.printEnabled);
}

QWidget* CViewEditor::GetFilterPanel() const {
    return m_pFilter;
}
QWidget* CViewEditor::GetEffectPanel() const {
    return m_pEffect;
}

void CViewEditor::resizeEvent(QResizeEvent*) {
    const auto l = CWorkLayout::EditorLayout(width(), height(), RowSizes());
    Place(m_pFilter, l.filter);
    Place(m_pEffect, l.effect);
    m_pDlgEffect->setGeometry(m_pEffect->rect());
    Place(m_pWrapper, l.canvas);
    Place(m_pZoomOut, l.zoomOut);
    Place(m_pZoom, l.slider);
    Place(m_pZoomIn, l.zoomIn);
    Place(GetButton(IDC_PREVIOUS), l.previous);
    Place(GetButton(IDC_NEXT), l.next);
    Place(GetButton(IDC_SAVE), l.save);
    Place(GetButton(IDC_PRINT), l.print);
    Place(m_pPosition, l.position);
    Place(m_pInformation, l.information);
}
