// Writes small GIF files block by block with giflib, so tests can put any extension anywhere.
#pragma once

#include <gif_lib.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win/windef.h"

namespace giftest {

struct Colour {
    BYTE r, g, b;
};

// Global palette of the built files: 0 red, 1 green, 2 blue, 3 black.
inline std::vector<Colour> BasicPalette() {
    return {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 0, 0}};
}

struct Frame {
    int left = 0, top = 0, width = 1, height = 1;
    std::vector<BYTE> indices;  // width x height, rows top first; empty: all `fill`
    BYTE fill = 0;
    bool control = true;  // graphic control extension before the image
    int delay = 10;
    int disposal = 0;
    int trans = -1;
    bool commentAfterControl = false;
    std::vector<Colour> local;  // a local colour table when not empty
};

class Builder {
public:
    Builder(int width, int height, std::vector<Colour> global = BasicPalette())
        : width_(width), height_(height), global_(std::move(global)) {}

    Builder& Add(const Frame& f) {
        frames_.push_back(f);
        return *this;
    }
    Builder& Loop(bool on) {
        loop_ = on;
        return *this;
    }
    Builder& PlainText(bool on) {
        plainText_ = on;
        return *this;
    }

    std::vector<BYTE> Bytes() const {
        std::vector<BYTE> out;
        int error = 0;
        GifFileType* gif = EGifOpen(&out, Write, &error);
        EGifSetGifVersion(gif, true);
        ColorMapObject* global = Map(global_);
        EGifPutScreenDesc(gif, width_, height_, 8, 0, global);
        GifFreeMapObject(global);
        if (loop_) {
            static const GifByteType kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
            static const GifByteType kLoops[] = {1, 0, 0};
            EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
            EGifPutExtensionBlock(gif, sizeof kNetscape, kNetscape);
            EGifPutExtensionBlock(gif, sizeof kLoops, kLoops);
            EGifPutExtensionTrailer(gif);
        }
        EGifPutComment(gif, "made by a test");
        for (const Frame& f : frames_) {
            if (f.control) {
                GifByteType gce[4] = {static_cast<GifByteType>(((f.disposal & 7) << 2) | (f.trans >= 0 ? 1 : 0)),
                                      static_cast<GifByteType>(f.delay & 0xFF),
                                      static_cast<GifByteType>((f.delay >> 8) & 0xFF),
                                      static_cast<GifByteType>(f.trans >= 0 ? f.trans : 0)};
                EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gce);
            }
            if (f.commentAfterControl) EGifPutComment(gif, "between the control and the image");
            ColorMapObject* local = f.local.empty() ? nullptr : Map(f.local);
            EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, false, local);
            if (local) GifFreeMapObject(local);
            std::vector<GifPixelType> line(f.width);
            for (int y = 0; y < f.height; ++y) {
                for (int x = 0; x < f.width; ++x)
                    line[x] = f.indices.empty() ? f.fill : f.indices[static_cast<size_t>(y) * f.width + x];
                EGifPutLine(gif, line.data(), f.width);
            }
            // giflib forgets (without freeing) its copy of a local table when the next frame has none.
            if (gif->Image.ColorMap) {
                GifFreeMapObject(gif->Image.ColorMap);
                gif->Image.ColorMap = nullptr;
            }
        }
        if (plainText_) {
            // A plain-text extension is a graphic block of its own that the picture loader cannot show.
            GifByteType head[12] = {0, 0, 0, 0, 8, 0, 8, 0, 8, 8, 1, 0};
            EGifPutExtensionLeader(gif, PLAINTEXT_EXT_FUNC_CODE);
            EGifPutExtensionBlock(gif, sizeof head, head);
            GifByteType text[2] = {'h', 'i'};
            EGifPutExtensionBlock(gif, sizeof text, text);
            EGifPutExtensionTrailer(gif);
        }
        EGifCloseFile(gif, &error);
        return out;
    }

private:
    static int Write(GifFileType* gif, const GifByteType* data, int length) {
        auto* out = static_cast<std::vector<BYTE>*>(gif->UserData);
        out->insert(out->end(), data, data + length);
        return length;
    }
    static ColorMapObject* Map(const std::vector<Colour>& colours) {
        int size = 2;
        while (size < static_cast<int>(colours.size())) size *= 2;
        std::vector<GifColorType> c(size, GifColorType{0, 0, 0});
        for (size_t i = 0; i < colours.size(); ++i) c[i] = GifColorType{colours[i].r, colours[i].g, colours[i].b};
        return GifMakeMapObject(size, c.data());
    }

    int width_, height_;
    std::vector<Colour> global_;
    std::vector<Frame> frames_;
    bool loop_ = true;
    bool plainText_ = false;
};

}  // namespace giftest
