// Pictures of the slide composer as the widgets paint them: a slide as an opaque QImage, a frame
// overlay with its key colour made see-through.
#pragma once

#include <QImage>

#include "imaging/extImage.h"

namespace SlidePicture {

// The picture as drawn; null for a missing or empty picture.
QImage ToImage(const extImage* picture);
// The frame overlay: its transparent colour (pure green when it names none) becomes fully
// transparent so the slide shows through.
QImage ToOverlay(const extImage* frame);

}  // namespace SlidePicture
