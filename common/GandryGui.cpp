// Window regions from pictures, and the slot of the open-file dialog the program installs.
#include <QImage>
#include <QRect>
#include <QRegion>

#include <mutex>

#include <algorithm>
#include <vector>

#include "common/Gandry.h"

namespace {

// Rectangles are handed to the region in blocks, as a region built one rectangle at a time
// costs more with every rectangle added.
constexpr int kRectsPerBlock = 2000;

void AddBlock(QRegion& region, std::vector<QRect>& block) {
    if (block.empty()) return;
    QRegion part;
    part.setRects(block.data(), static_cast<int>(block.size()));
    region = region.united(part);
    block.clear();
}

}  // namespace

QRegion CGandry::BitmapToRegion(const QImage* bitmap, COLORREF colour, COLORREF tolerance) {
    if (!bitmap || bitmap->isNull()) return QRegion();
    QImage pixels = bitmap->convertToFormat(QImage::Format_RGB32);
    // Channel ranges in memory byte order: blue, green, red against the colour's low, middle
    // and high bytes.
    const int low[3] = {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                        static_cast<int>((colour >> 16) & 0xFF)};
    const int span[3] = {static_cast<int>(tolerance & 0xFF), static_cast<int>((tolerance >> 8) & 0xFF),
                         static_cast<int>((tolerance >> 16) & 0xFF)};
    int high[3];
    for (int c = 0; c < 3; ++c) high[c] = std::min(255, low[c] + span[c]);

    auto transparent = [&](const uchar* px) {
        for (int c = 0; c < 3; ++c) {
            if (px[c] < low[c] || px[c] > high[c]) return false;
        }
        return true;
    };

    QRegion region;
    std::vector<QRect> block;
    block.reserve(kRectsPerBlock);
    const int width = pixels.width();
    for (int y = 0; y < pixels.height(); ++y) {
        const uchar* row = pixels.constScanLine(y);
        int x = 0;
        while (x < width) {
            while (x < width && transparent(row + 4 * x)) ++x;
            int start = x;
            while (x < width && !transparent(row + 4 * x)) ++x;
            if (x > start) {
                block.emplace_back(start, y, x - start, 1);
                if (static_cast<int>(block.size()) == kRectsPerBlock) AddBlock(region, block);
            }
        }
    }
    AddBlock(region, block);
    return region;
}

namespace {

std::mutex g_dialogMutex;
CGandry::FileDialogHandler g_fileDialog;

}  // namespace

int CGandry::ShowFileDialog(CStringList* files, CString filter, int bOpen) {
    FileDialogHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_dialogMutex);
        handler = g_fileDialog;
    }
    if (!handler) {
        if (files) files->clear();
        return 0;
    }
    return handler(files, filter, bOpen);
}

CGandry::FileDialogHandler CGandry::SetFileDialogHandler(FileDialogHandler handler) {
    std::lock_guard<std::mutex> lock(g_dialogMutex);
    std::swap(g_fileDialog, handler);
    return handler;
}
