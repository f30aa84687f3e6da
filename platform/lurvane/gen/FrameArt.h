// The decorative frames of the model data files, drawn with QPainter.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <vector>

namespace framegen {

// The number of frame designs; every model file holds each of them once.
int DesignCount();

// Design `design` for a screen of `size`: an ARGB picture whose middle is fully transparent.
QImage DrawFrame(int design, QSize size);

// The rows a frame-data file stores: bottom-up, blue-green-red, padded to 4 bytes. Pixels that
// are more transparent than opaque become pure green (0, 255, 0), the frame's key colour; no
// opaque pixel keeps exactly that colour.
std::vector<std::uint8_t> KeyedRows(const QImage& frame);

}  // namespace framegen
