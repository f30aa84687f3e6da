// CFrameList: the frame panel's list: the empty-frame item, then the decorative frames of a phone
// model read from its frame-data file, in one of the two variants each frame comes in.
#pragma once

#include <memory>
#include <vector>

#include "common/Gandry.h"
#include "views/catalogue/PictureList.h"

class CFrameList : public CPictureList {
public:
    static constexpr int kItemSize = 43;
    static constexpr int kGap = 20;
    static constexpr const char* kMissingData = "%s 데이터파일을 찾을수 없습니다";

    explicit CFrameList(QWidget* parent = nullptr);
    ~CFrameList() override;

    void Init(int width);
    // Reads the model's frames: item 0 is the empty frame (bitmap `bitmapId`), then one item per
    // frame in `variant` (0 or 1). A missing or damaged file is reported and leaves the list
    // empty.
    void Load(MODEL_SELECT model, unsigned int bitmapId, int variant);
    // Marks item `index` alone.
    void SetSelect(int index);
    // Frame items have no labels.
    int SupportText(int height) override;
    std::vector<artPicture*> GetPtrArtPicture() const { return Items(); }
    void UnInit();

private:
    std::vector<std::unique_ptr<artPicture>> m_pictures;
};
