// CFilterList: the filter panel's list: the current picture shown through each named effect, on
// a 43 × 43 copy, one labelled thumbnail per effect in the effect registry's order.
#pragma once

#include <memory>
#include <vector>

#include "views/catalogue/PictureList.h"

class extImage;

class CFilterList : public CPictureList {
public:
    static constexpr int kItemSize = 43;
    static constexpr int kGap = 18;
    static constexpr int kLabelHeight = 11;

    explicit CFilterList(QWidget* parent = nullptr);
    ~CFilterList() override;

    // One item per effect name, width `width` for centring.
    void Init(int width);
    // Every item gets its own 43 × 43 copy of `picture` with its effect applied.
    void Load(const extImage* picture);
    // Runs the item's named effect on its picture; an unknown name leaves it as it is.
    void ProcessFilter(artPicture* item);
    int SupportText(int height) override;
    void UnInit();

private:
    std::vector<std::unique_ptr<artPicture>> m_pictures;
};
