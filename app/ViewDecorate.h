// CViewDecorate: the decoration view (mode 2): the frame panel and the picture list on the
// left, the slide host with the slides and the decoration canvas in the centre, the LCD preview
// on the right, and a bottom row with the zoom slider, the position and information texts and
// the save and print buttons.
#pragma once

#include "app/WorkLayout.h"
#include "app/WorkView.h"

class CDlgAlbum;
class CDlgFrame;
class CDlgWrapper;
class CTextBox;
class CViewArea;

class CViewDecorate : public CWorkView {
public:
    static constexpr int IDD = 1010;
    static constexpr int IDD_FRAME = 1002;
    static constexpr int IDD_PREVIEW = 1013;
    static constexpr int IDD_PICTURES = 1015;
    static constexpr int IDC_SAVE = 7200;
    static constexpr int IDC_PRINT = 7203;

    explicit CViewDecorate(QWidget* parent);

    void SetPositionText(int current, int count);
    QString GetPositionText() const;
    void SetInfoText(const QString& text);
    QString GetInfoText() const;
    void SetZoomPos(int position);
    int GetZoom() const { return m_zoom.Value(); }

    CDlgWrapper* GetSlideHost() const { return m_pSlideHost; }
    QWidget* GetFramePanel() const;
    QWidget* GetPictureList() const;
    CDlgFrame* GetDlgFrame() const { return m_pFrame; }
    CDlgAlbum* GetDlgAlbum() const { return m_pPictures; }
    QWidget* GetPreviewPanel() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void OnSliderPos(int id, int position) override;

private:
    CDlgFrame* m_pFrame;
    CDlgAlbum* m_pPictures;
    CViewArea* m_pPreview;
    CDlgWrapper* m_pSlideHost;
    CTextBox* m_pPosition;
    CTextBox* m_pInformation;
    CPositionText m_position;
    CZoomTracker m_zoom;
};
