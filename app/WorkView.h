// CWorkView: what the three work views share: the tiled background and the bottom row's logo,
// zoom statics and zoom slider. Each view adds its panels, buttons and texts.
#pragma once

#include <QWidget>

#include "app/WorkLayout.h"
#include "platform/afx/afxwin.h"
#include "views/controls/BitmapSlider.h"
#include "views/controls/xSkinButtonEx.h"

class CTextBox;
class CWorkBitmap;

class CWorkView : public QWidget, public CMsgTarget {
public:
    static constexpr int IDC_LOGO = 7087;
    static constexpr int IDC_ZOOM_OUT = 7008;
    static constexpr int IDC_ZOOM_IN = 7009;
    static constexpr int IDC_ZOOM = 7010;
    static constexpr int IDB_BACKGROUND = 7230;
    static constexpr int IDB_BOTTOM_ROW = 7503;

    // The mode the view serves (0, 1, 2).
    int Mode() const { return m_nMode; }
    CBitmapSlider* GetZoomSlider() const { return m_pZoom; }
    // A button of the bottom row by its control ID; null when the view has none of that ID.
    CxSkinButtonEx* GetButton(int id) const;

    // The bottom row's "사진 %d/%d장" and information boxes of the editor and decoration
    // views; the album view has neither, and these do nothing there.
    void SetPositionText(int current, int count);
    QString GetPositionText() const;
    void SetInfoText(const QString& text);
    QString GetInfoText() const;

    // The sliders' messages (10449 while dragging, 10450 when moved) reach OnSliderPos.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    CWorkView(int mode, QWidget* parent);

    // The zoom slider's bitmaps, range and start; sliderName is its accessible name.
    void CreateBottomRow(int channelId, int min, int max, int page, int pos, const QString& sliderName);
    CxSkinButtonEx* AddButton(int id, int skinId, const QString& tooltip);
    CWorkLayout::RowSizes RowSizes() const;
    static void Place(QWidget* widget, const CRect& rect);

    void paintEvent(QPaintEvent* event) override;
    // The user moved slider id to position.
    virtual void OnSliderPos(int id, int position) = 0;

    CWorkBitmap* m_pLogo = nullptr;
    CWorkBitmap* m_pZoomOut = nullptr;
    CWorkBitmap* m_pZoomIn = nullptr;
    CBitmapSlider* m_pZoom = nullptr;
    // Made by CreateTextBoxes; they take the mark's place at the left of the row.
    void CreateTextBoxes();
    CTextBox* m_pPosition = nullptr;
    CTextBox* m_pInformation = nullptr;

private:
    int m_nMode;
    CPositionText m_position;
};
