// CDlgAlbum: the decoration view's picture list: the pictures of the album on show as
// thumbnails under the title "%s(%d장)". Choosing one tells the frame (message 0x0C07, target 3).
#pragma once

#include <vector>

#include "app/PickerPanel.h"
#include "platform/win/windef.h"

class CAlbumList;
class vxImage;

class CDlgAlbum : public CPickerPanel {
public:
    static constexpr int IDD = 1015;
    static constexpr int IDC_TITLE = 7086;
    static constexpr int IDC_SLIDER = 7091;
    static constexpr int IDC_LIST = 7351;

    explicit CDlgAlbum(QWidget* parent = nullptr);

    CAlbumList* GetAlbumList() const { return m_pAlbumList; }
    // Shows the album `name` with the browser's display list (not owned).
    void ShowAlbum(const CString& name, const std::vector<vxImage*>* entries);
    // Scrolls entry n (1-based) into view and makes it current.
    void ShowItem(int number);
    QString GetTitleText() const;

    // The scroll offset that brings entry n into a view of height `visible` with entries
    // `pitch` apart; `current` when the entry's end is exactly the view's end.
    static int ScrollForItem(int number, int pitch, int visible, int current);

protected:
    int SliderRangeMax() const override;

private:
    CAlbumList* m_pAlbumList;
};
