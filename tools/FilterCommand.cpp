// vimbro-tool filter: the editor's effects, one at a time, on a picture file.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "imaging/Vornic.h"
#include "tools/PictureFiles.h"
#include "tools/Tool.h"

namespace {

// The editor's 3 x 3 kernels, row by row, with their divisor and offset.
struct Kernel {
    long weights[9];
    long factor;
    long offset;
};
constexpr Kernel kBlur = {{1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0};
constexpr Kernel kSharpen = {{-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0};
constexpr Kernel kEdge = {{-1, -1, -1, -1, 8, -1, -1, -1, -1}, -1, 255};
constexpr Kernel kEmboss = {{0, 0, -1, 0, 0, 0, 1, 0, 0}, 0, 127};

void Convolve(extImage& p, const Kernel& k) {
    p.Filter(k.weights, 3, k.factor, k.offset);
}

// Splits "name:a:b" or "name:a,b,c,d" into the name and its numbers.
bool Split(const std::string& request, std::string& name, std::vector<long long>& numbers) {
    size_t colon = request.find(':');
    name = request.substr(0, colon);
    numbers.clear();
    if (colon == std::string::npos) return true;
    std::string rest = request.substr(colon + 1);
    size_t start = 0;
    while (true) {
        size_t end = rest.find_first_of(":,", start);
        long long v = 0;
        if (!tool::ParseInt(rest.substr(start, end == std::string::npos ? std::string::npos : end - start), v))
            return false;
        numbers.push_back(v);
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

// Runs one named effect; false with a message for an unknown name or wrong parameters.
bool Apply(const std::string& request, extImage& p, std::string& error) {
    // The filter list's names map to their effect index, as the editor's ProcessFilter does.
    static const char* const kListEffects[] = {"sepia",  "green", "blue",    "gray",   "threshold",
                                               "mosaic", "blur",  "sharpen", "scatter"};
    std::vector<CString> listNames;
    CVornic().getlist_support_filter(listNames);
    for (size_t i = 0; i < listNames.size(); ++i)
        if (request == listNames[i]) return Apply(kListEffects[i], p, error);

    std::string name;
    std::vector<long long> n;
    if (!Split(request, name, n)) {
        error = "bad parameters in '" + request + "'";
        return false;
    }
    auto params = [&](size_t most, size_t least = 0) {
        if (n.size() < least || n.size() > most) {
            error = "'" + name + "' takes " +
                    (least == most ? std::to_string(most) : "at most " + std::to_string(most)) + " parameter(s)";
            return false;
        }
        return true;
    };
    auto value = [&](size_t i, long long fallback) { return i < n.size() ? n[i] : fallback; };
    auto window = [&](long long k) {
        if (k < 1 || k > 31) {
            error = "'" + name + "' needs a window of 1 to 31";
            return false;
        }
        return true;
    };

    if (name == "sepia" && params(0)) {
        p.GrayScale24();
        p.Concentration(CHANNEL_RED, 50);
        p.Concentration(CHANNEL_BLUE, -50);
    } else if (name == "green" && params(0)) {
        p.GrayScale24();
        p.Concentration(CHANNEL_GREEN, 50);
    } else if (name == "blue" && params(0)) {
        p.GrayScale24();
        p.Concentration(CHANNEL_BLUE, 50);
    } else if (name == "gray" && params(0)) {
        p.GrayScale24();
    } else if (name == "threshold" && params(1)) {
        p.GrayScale24();
        p.Thresold24(static_cast<int>(value(0, 128)));
    } else if (name == "mosaic" && params(1)) {
        long long size = value(0, 5);
        if (size < 1) {
            error = "'mosaic' needs a block size of at least 1";
            return false;
        }
        p.Pixelate(static_cast<int>(std::min<long long>(size, 1 << 30)), false, nullptr);
    } else if (name == "blur" && params(0)) {
        Convolve(p, kBlur);
    } else if (name == "sharpen" && params(0)) {
        Convolve(p, kSharpen);
    } else if (name == "edge" && params(0)) {
        Convolve(p, kEdge);
    } else if (name == "emboss" && params(0)) {
        Convolve(p, kEmboss);
    } else if (name == "scatter" && params(1)) {
        p.Jitter(static_cast<long>(value(0, 2)), nullptr);
    } else if (name == "contour" && params(1)) {
        if (!window(value(0, 3))) return false;
        p.Contour(static_cast<long>(value(0, 3)), nullptr);
    } else if (name == "dilate" && params(1)) {
        if (!window(value(0, 2))) return false;
        p.Dilate(static_cast<long>(value(0, 2)), nullptr);
    } else if (name == "erode" && params(1)) {
        if (!window(value(0, 2))) return false;
        p.Erode(static_cast<long>(value(0, 2)), nullptr);
    } else if (name == "noise" && params(1)) {
        p.Noise(static_cast<long>(value(0, 50)));
    } else if (name == "median" && params(0)) {
        p.Median(3);
    } else if (name == "light" && params(2, 2)) {
        extImage source(p);
        p.Light(static_cast<long>(n[0]), static_cast<long>(n[1]), &source);
    } else if (name == "bright" && params(1, 1)) {
        p.SelectionAddRect(RECT(0, 0, static_cast<LONG>(p.GetWidth()), static_cast<LONG>(p.GetHeight())));
        p.bright(static_cast<int>(n[0]));
        p.SelectionDelete();
    } else if (name == "redeye" && params(4, 4)) {
        p.RedEyeRemove(
            CRect(static_cast<LONG>(n[0]), static_cast<LONG>(n[1]), static_cast<LONG>(n[2]), static_cast<LONG>(n[3])));
    } else if (name == "rotate-left" && params(0)) {
        p.RotateLeft();
    } else if (name == "rotate-right" && params(0)) {
        p.RotateRight();
    } else if (name == "mirror" && params(0)) {
        p.Mirror();
    } else if (name == "flip" && params(0)) {
        p.Flip();
    } else {
        if (error.empty()) error = "unknown filter '" + request + "'";
        return false;
    }
    return true;
}

int RunFilter(const tool::Args& args) {
    if (args.size() != 3) return tool::Fail("filter needs NAME, IN and OUT");
    extImage picture;
    std::string error;
    if (!tool::OpenPicture(args[1], picture, error)) return tool::Fail(error);
    // The editor works on true colour only.
    if (picture.GetBpp() < 24 && !picture.IncreaseBpp(24)) return tool::Fail("cannot widen the picture to 24 bits");
    if (!Apply(args[0], picture, error)) return tool::Fail(error);
    if (!tool::SavePicture(picture, args[2], error)) return tool::Fail(error);
    return 0;
}

const bool registered =
    tool::Register({"filter", "apply one of the editor's effects to a picture",
                    "usage: vimbro-tool filter NAME IN OUT\n\n"
                    "Opens IN, applies the effect NAME exactly as the editor does, and writes OUT by its\n"
                    "extension (as 'convert' does). NAME is one of the filter list's names\n"
                    "  세피아 그린 블루 그레이 Thresold 모자이크 뽀샤시 선명하게 흩뿌리기\n"
                    "or one of\n"
                    "  sepia green blue gray threshold[:L] mosaic[:S] blur sharpen scatter[:R] edge emboss\n"
                    "  contour[:K] dilate[:K] erode[:K] noise[:L] median light:B:C bright:P\n"
                    "  redeye:LEFT,TOP,RIGHT,BOTTOM rotate-left rotate-right mirror flip\n"
                    "Defaults: threshold 128, mosaic 5, scatter 2, contour 3, dilate 2, erode 2, noise 50.\n"
                    "light:B:C is brightness B and contrast C in percent; bright:P scales the whole picture by P\n"
                    "percent; redeye takes a rectangle in picture coordinates (row 0 at the top).\n",
                    RunFilter});

}  // namespace
