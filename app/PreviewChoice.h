// CPreviewChoice: the decisions of the preview panel (CDlgPreview) without a window: the picture
// sizes a model offers, the three size buttons by model, and the texts of the information box.
#pragma once

#include <string>
#include <vector>

#include "platform/win/windef.h"

class CPreviewChoice {
public:
    static constexpr int kButtonCount = 3;

    // What a size button chose: the size and the flag sent with the size message (1: the frames
    // are loaded again for the new size).
    struct Choice {
        CSize size;
        int flag = 0;
    };

    // Button `button` (0..2) of model `model`, with `current` the preview size before the click.
    // Models without buttons of their own keep the current size (flag 0).
    static Choice SizeButton(int model, int button, CSize current);
    // The caption of a size button: the size it chooses for the model, or the plain captions
    // "128x160", "176x144", "176x220" for models without sizes of their own.
    static std::string ButtonCaption(int model, int button);

    // The model's picture sizes in order, leaving out pairs with a non-positive side.
    static std::vector<CSize> PictureSizes(int model);
    // "%3dx%3d" of a size, and its reading back; false (size untouched) when the text does not
    // hold two numbers in that form.
    static std::string FormatSize(CSize size);
    static bool ParseSize(const std::string& text, CSize& size);

    // The values of the information box: " : %dx%d"; " : " and the kilobytes of an EBA file of
    // `frames` slides of `size`; " : %d프레임".
    static std::string SizeLine(CSize size);
    static std::string DataLine(CSize size, int frames);
    static std::string FrameLine(int frames);
    // Bytes of an EBA file of `frames` slides of `size`: 2 bytes a pixel and 152 of header.
    static long long EbaBytes(CSize size, int frames);
};
