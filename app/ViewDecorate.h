// CViewDecorate: the decoration view (mode 2): the frame panel and the picture list on the
// left, the slide host with the slides and the decoration canvas in the centre, the LCD preview
// on the right, and a bottom row with the zoom slider, the position and information texts and
// the save and print buttons.
#pragma once

#include <functional>
#include <vector>

#include "app/WorkLayout.h"
#include "app/WorkView.h"

class CDlgAlbum;
class CDlgFrame;
class CDlgPreview;
class CDlgWrapper;
class CViewArea;
class CViewMainCore;
class CViewSlider;
class extImage;
class vxImage;

class CViewDecorate : public CWorkView {
public:
    static constexpr int IDD = 1010;
    static constexpr int IDD_FRAME = 1002;
    static constexpr int IDD_PREVIEW = 1013;
    static constexpr int IDD_PICTURES = 1015;
    static constexpr int IDC_SAVE = 7200;
    static constexpr int IDC_PRINT = 7203;

    explicit CViewDecorate(QWidget* parent);

    void SetZoomPos(int position);
    int GetZoom() const { return m_zoom.Value(); }

    CDlgWrapper* GetSlideHost() const { return m_pSlideHost; }
    // The slides and the decoration canvas.
    CViewSlider* Slides() const;
    CViewMainCore* Canvas() const;

    // The picture list: the album's name and the browser's items, one of them selected
    // (0-based, -1 for none).
    void SetPictureList(const CString& albumName, const std::vector<vxImage*>& items);
    const CString& GetAlbumName() const { return m_strAlbumName; }
    const std::vector<vxImage*>& GetPictureItems() const { return m_pictureItems; }
    void SelectPicture(int index);
    int GetSelectedPicture() const { return m_nPicture; }

    // The frame list: frame pictures by index (0 is no frame) and their reloading for a model.
    using FrameSource = std::function<extImage*(int index)>;
    using FrameLoader = std::function<void(int model, int bitmapId, bool landscape)>;
    void SetFrameList(FrameSource source, FrameLoader loader);
    extImage* GetFrameImage(int index) const;
    void LoadFrames(int model, int bitmapId, bool landscape);
    void SelectFrame(int index);
    int GetSelectedFrame() const { return m_nFrame; }

    // The LCD preview panel: its frame picture, its size text and repainting.
    void SetPreviewFrame(extImage* frame);
    extImage* GetPreviewFrame() const;
    // The size the LCD preview now shows (" : %dx%d" on its size line).
    void ShowPreviewSize(CSize size);
    QString GetPreviewSizeText() const;
    QWidget* GetFramePanel() const;
    QWidget* GetPictureList() const;
    CDlgFrame* GetDlgFrame() const { return m_pFrame; }
    CDlgAlbum* GetDlgAlbum() const { return m_pPictures; }
    QWidget* GetPreviewPanel() const;
    CDlgPreview* GetDlgPreview() const { return m_pPreview; }
    CViewSlider* GetViewSlider() const;

    // The slides changed, were selected or moved on in playback (3082): the preview shows the
    // current slide, and the frame cells and counts follow.
    void RefreshPreview();
    // Play (3083 with 1) or stop (3083 with 0, also when the repeats are over); the preview's
    // play and stop buttons follow what the slides really do.
    void OnSlidesPlay(bool play);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void OnSliderPos(int id, int position) override;

private:
    CDlgFrame* m_pFrame;
    CDlgAlbum* m_pPictures;
    CDlgPreview* m_pPreview;
    CDlgWrapper* m_pSlideHost;
    CString m_strAlbumName;
    std::vector<vxImage*> m_pictureItems;
    int m_nPicture = -1;
    FrameSource m_frameSource;
    FrameLoader m_frameLoader;
    int m_nFrame = 0;
    CZoomTracker m_zoom;
};
