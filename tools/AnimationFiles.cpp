#include "tools/AnimationFiles.h"

#include <cstdio>
#include <filesystem>

#include "tools/PictureFiles.h"
#include "tools/Tool.h"

namespace tool {

bool ParseFramedPicture(const std::string& arg, unsigned defaultDelay, std::string& path, unsigned& delay,
                        std::string& error) {
    path = arg;
    delay = defaultDelay;
    const size_t at = arg.rfind('@');
    if (at == std::string::npos || at + 1 == arg.size()) return true;
    const std::string digits = arg.substr(at + 1);
    if (digits.find_first_not_of("0123456789") != std::string::npos) return true;
    long long value = 0;
    if (!ParseInt(digits, value) || value > 65535) {
        error = "delay '" + digits + "' is over 65535";
        return false;
    }
    path = arg.substr(0, at);
    delay = static_cast<unsigned>(value);
    return true;
}

bool ParseSize(const std::string& text, CSize& size) {
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    long long w = 0, h = 0;
    if (!ParseInt(text.substr(0, x), w) || !ParseInt(text.substr(x + 1), h)) return false;
    if (w < 1 || h < 1 || w > 65535 || h > 65535) return false;
    size = CSize(static_cast<LONG>(w), static_cast<LONG>(h));
    return true;
}

bool OpenFramePicture(const std::string& path, extImage& frame, std::string& error) {
    if (!OpenPicture(path, frame, error)) return false;
    if (frame.GetBpp() != 24 && !frame.IncreaseBpp(24)) {
        error = "cannot use '" + path + "' as a frame picture";
        return false;
    }
    frame.SetTransColor(RGBQUAD{0, 255, 0, 0});
    return true;
}

bool WriteFrames(const std::string& dir, const std::vector<const extImage*>& frames, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir)) {
        error = "cannot make the folder '" + dir + "'";
        return false;
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%02zu.bmp", i);
        const std::string path = dir + (dir.empty() || dir.back() == '/' ? "" : "/") + name;
        extImage empty;
        if (!SavePicture(frames[i] ? *frames[i] : empty, path, error)) return false;
        std::printf("%s\n", path.c_str());
    }
    return true;
}

}  // namespace tool
