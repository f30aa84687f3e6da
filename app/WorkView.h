// CWorkView: what the three work views share: the tiled background and the bottom row's logo,
// zoom statics and zoom slider. Each view adds its panels, buttons and texts.
#pragma once

#include <QWidget>

#include "app/WorkLayout.h"

class CWorkBitmap;
class CWorkButton;
class CWorkSlider;

class CWorkView : public QWidget {
public:
    static constexpr int IDC_LOGO = 7087;
    static constexpr int IDC_ZOOM_OUT = 7008;
    static constexpr int IDC_ZOOM_IN = 7009;
    static constexpr int IDC_ZOOM = 7010;
    static constexpr int IDB_BACKGROUND = 7230;
    static constexpr int IDB_BOTTOM_ROW = 7503;

    // The mode the view serves (0, 1, 2).
    int Mode() const { return m_nMode; }
    CWorkSlider* GetZoomSlider() const { return m_pZoom; }
    // A button of the bottom row by its control ID; null when the view has none of that ID.
    CWorkButton* GetButton(int id) const;

protected:
    CWorkView(int mode, QWidget* parent);

    // The zoom slider's bitmaps, range and start; sliderName is its accessible name.
    void CreateBottomRow(int channelId, int min, int max, int page, int pos, const QString& sliderName);
    CWorkButton* AddButton(int id, int skinId, const QString& tooltip);
    CWorkLayout::RowSizes RowSizes() const;
    static void Place(QWidget* widget, const CRect& rect);

    void paintEvent(QPaintEvent* event) override;

    CWorkBitmap* m_pLogo = nullptr;
    CWorkBitmap* m_pZoomOut = nullptr;
    CWorkBitmap* m_pZoomIn = nullptr;
    CWorkSlider* m_pZoom = nullptr;

private:
    int m_nMode;
};
