// CAlbumList: the picture list of the album panel: the level-0 thumbnails of the album browser's
// items on show, one item per picture, labelled with the file name.
#pragma once

#include <memory>
#include <vector>

#include "views/catalogue/PictureList.h"

class vxImage;

class CAlbumList : public CPictureList {
public:
    static constexpr int kItemWidth = 89;
    static constexpr int kItemHeight = 65;
    static constexpr int kTextHeight = 18;

    explicit CAlbumList(QWidget* parent = nullptr);
    ~CAlbumList() override;

    void Init(int width);
    // Replaces the items with one per entry, in order. The entries stay the browser's: the
    // items only point at their thumbnails.
    void Load(const std::vector<vxImage*>* entries);
    void UnInit();
    int SupportText(int height) override;

    const std::vector<vxImage*>& GetEntries() const { return m_entries; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The items' pictures are read again from the entries before drawing: the browser frees
    // the thumbnails of items it does not show, and a kept pointer would outlive them.
    void RefreshPicture(int index);

    std::vector<vxImage*> m_entries;
    std::vector<std::unique_ptr<artPicture>> m_pictures;
};
