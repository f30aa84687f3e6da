#include "tools/PictureFiles.h"

#include <algorithm>
#include <cctype>

#include "common/Gandry.h"
#include "imaging/Quantizer.h"
#include "platform/win/filetype.h"

namespace tool {

int PictureType(const std::string& path) {
    std::string ext = CGandry::FindExtension(CGandry::FindFilename(path, 1));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return CGandry::FindType(ext);
}

bool OpenPicture(const std::string& path, extImage& picture, std::string& error) {
    int type = PictureType(path);
    if (type == FILETYPE_UNKNOWN) {
        error = "'" + path + "': unknown picture type";
        return false;
    }
    // A phone file is checked as the catalogue checks it before it is opened: a file of another
    // format under a phone extension is refused, not read as pixels.
    if (type == FILETYPE_PHT || type == FILETYPE_EBA) {
        phone::Contents contents;
        const phone::FileError refused = phone::CheckFile(path.c_str(), type, contents);
        if (refused != phone::FileError::None) {
            error = "cannot read '" + path + "': " + (type == FILETYPE_EBA ? "EBA: " : "PHT: ") + phone::ErrorText(refused);
            return false;
        }
    }
    extImage opened(path.c_str(), static_cast<unsigned long>(type));
    if (!opened.IsValid()) {
        error = "cannot read '" + path + "'";
        if (opened.GetLastError()[0]) error += std::string(": ") + opened.GetLastError();
        return false;
    }
    picture.Transfer(opened);
    return true;
}

bool SavePicture(const extImage& picture, const std::string& path, std::string& error) {
    int type = PictureType(path);
    if (type == FILETYPE_PHT) {
        if (!picture.SavePHT(path.c_str())) {
            error = "cannot write '" + path + "'";
            return false;
        }
        return true;
    }
    if (!CxImage::IsKnownFileType(static_cast<DWORD>(type))) {
        error = "'" + path + "': cannot write this picture type";
        return false;
    }
    extImage out(picture);
    if (type == FILETYPE_GIF) {
        if (out.GetBpp() < 24) out.IncreaseBpp(24);
        CQuantizer quantizer(256, 7);
        quantizer.ProcessImage(out.GetDIB());
        RGBQUAD palette[256] = {};
        quantizer.SetColorTable(palette);
        out.DecreaseBpp(8, true, palette, 256);
    } else if (type == FILETYPE_BMP && out.GetBpp() < 24) {
        out.IncreaseBpp(24);
    }
    if (!out.Save(path.c_str(), static_cast<DWORD>(type))) {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}

}  // namespace tool
