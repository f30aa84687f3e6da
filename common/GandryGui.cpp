// The helpers that need a display: window regions from pictures and the open-file dialog.
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QStringList>
#include <QWidget>

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

// "Images (*.bmp;*.jpg)|*.bmp;*.jpg|All (*.*)|*.*||" -> "Images (*.bmp *.jpg);;All (*.*)"
QString QtFilter(const CString& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (description.isEmpty() && patterns.isEmpty()) break;
        patterns.replace(';', ' ');
        // Qt reads the patterns from the last parentheses of an entry.
        int open = description.lastIndexOf('(');
        if (open >= 0) description = description.left(open).trimmed();
        entries << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return entries.join(QStringLiteral(";;"));
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

int CGandry::ShowFileDialog(CStringList* files, CString filter, int bOpen) {
    // The save form was never used; it prepares nothing and reports cancel.
    if (!bOpen || !files) return 0;
    files->clear();
    QWidget* owner = QApplication::activeWindow();
    QStringList chosen = QFileDialog::getOpenFileNames(owner, QStringLiteral("파일 가져오기"), QString(), QtFilter(filter));
    if (chosen.isEmpty()) return 0;
    for (const QString& path : chosen) files->push_back(path.toStdString());
    return 1;
}
