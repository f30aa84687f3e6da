// Shared pieces of the animation subcommands (eba, gif): picture arguments with a delay, the
// decorative frame picture, sizes, and writing frames out as numbered BMP files.
#pragma once

#include <string>
#include <vector>

#include "imaging/extImage.h"
#include "platform/win/windef.h"

namespace tool {

// "PICTURE[@DELAY]": the delay follows the last "@" when all of it is digits (so a path may hold
// "@" itself); without one the default. False with a message for a delay over 65535.
bool ParseFramedPicture(const std::string& arg, unsigned defaultDelay, std::string& path, unsigned& delay,
                        std::string& error);

// "WxH" with both sides from 1 to 65535.
bool ParseSize(const std::string& text, CSize& size);

// Opens a decorative frame picture: 24 bits, pure green (0, 255, 0) its transparent colour, as
// for frame pictures everywhere.
bool OpenFramePicture(const std::string& path, extImage& frame, std::string& error);

// Creates dir when needed and writes each picture as dir/frame-NN.bmp (24 bits), printing each
// path on stdout.
bool WriteFrames(const std::string& dir, const std::vector<const extImage*>& frames, std::string& error);

}  // namespace tool
