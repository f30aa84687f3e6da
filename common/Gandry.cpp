// Folders, names, texts, geometry and file versions.
#include "common/Gandry.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/kordune/SqlText.h"
#include "platform/win/fileapi.h"
#include "platform/win/runfolder.h"

namespace {

CString ExpandHome(const CString& value, const CString& home) {
    CString result = value;
    for (const char* token : {"${HOME}", "$HOME"}) {
        std::size_t pos = result.find(token);
        if (pos != CString::npos) result.replace(pos, std::strlen(token), home);
    }
    return result;
}

// XDG_DOCUMENTS_DIR of user-dirs.dirs: a shell assignment with a quoted value.
CString XdgDocumentsEntry(const CString& home) {
    CString configHome;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') configHome = xdg;
    else configHome = home + "/.config";
    CString text;
    if (!win::ReadFile(configHome + "/user-dirs.dirs", text)) return CString();
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == CString::npos) end = text.size();
        CString line = text.substr(pos, end - pos);
        pos = end + 1;
        std::size_t start = line.find_first_not_of(" \t");
        if (start == CString::npos || line.compare(start, 18, "XDG_DOCUMENTS_DIR=") != 0) continue;
        CString value = line.substr(start + 18);
        while (!value.empty() && (value.back() == '\r' || value.back() == ' ' || value.back() == '\t')) value.pop_back();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        value = ExpandHome(value, home);
        // Only absolute folders count; "$HOME/" alone means the feature is switched off.
        if (value.empty() || value[0] != '/') return CString();
        while (value.size() > 1 && value.back() == '/') value.pop_back();
        if (value == home) return CString();
        return value;
    }
    return CString();
}

CString ParentFolder(const CString& path) {
    std::size_t cut = path.rfind('/');
    return cut == CString::npos ? CString() : path.substr(0, cut);
}

}  // namespace

CString CGandry::GetRunDir() { return win::RunFolder(); }

CString CGandry::GetDocumentPath() {
    CString home;
    if (const char* h = std::getenv("HOME"); h && *h) home = h;
    while (home.size() > 1 && home.back() == '/') home.pop_back();
    CString documents = XdgDocumentsEntry(home);
    if (!documents.empty()) return documents;
    return home + "/Documents";
}

CString CGandry::FindExtension(const CString& name) {
    std::size_t dot = name.rfind('.');
    return dot == CString::npos ? CString() : name.substr(dot + 1);
}

CString CGandry::FindFilename(const CString& path, int bName) {
    if (bName) {
        std::size_t slash = path.rfind('/');
        return slash == CString::npos ? path : path.substr(slash + 1);
    }
    std::size_t dot = path.rfind('.');
    return dot == CString::npos ? path : path.substr(0, dot);
}

int CGandry::FindType(const CString& ext) {
    struct Entry {
        const char* ext;
        int code;
    };
    static constexpr Entry kTypes[] = {
        {"bmp", FILETYPE_BMP},   {"gif", FILETYPE_GIF}, {"jpg", FILETYPE_JPG},  {"jpeg", FILETYPE_JPG},
        {"png", FILETYPE_PNG},   {"ico", FILETYPE_ICO}, {"tiff", FILETYPE_TIF}, {"tif", FILETYPE_TIF},
        {"tga", FILETYPE_TGA},   {"pcx", FILETYPE_PCX}, {"wbmp", FILETYPE_WBMP}, {"wmf", FILETYPE_WMF},
        {"emf", FILETYPE_WMF},   {"pht", FILETYPE_PHT}, {"img", FILETYPE_PHT},  {"eba", FILETYPE_EBA},
    };
    for (const auto& e : kTypes) {
        if (ext == e.ext) return e.code;
    }
    return FILETYPE_UNKNOWN;
}

int CGandry::CheckFileSpecialChar(CString text) {
    return text.find_first_of("\\/:*?\"<>|") == CString::npos ? 0 : 1;
}

int CGandry::IsExistFileName(const CString& folder, const CString& base, const CString& ext) {
    return win::PathExists(folder + base + "." + ext) ? 1 : 0;
}

CString CGandry::GetUniqueName(const CString& folder, const CString& base, const CString& ext, int& counter) {
    CString name;
    do {
        char number[16];
        std::snprintf(number, sizeof number, "%03d", counter);
        name = base + number + "." + ext;
        ++counter;
    } while (win::PathExists(folder + name));
    return name;
}

CString CGandry::GetNextFileName(CString path) {
    std::size_t slash = path.rfind('/');
    CString folder = slash == CString::npos ? CString() : path.substr(0, slash + 1);
    CString name = slash == CString::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    CString base = dot == CString::npos ? name : name.substr(0, dot);
    // Windows drops a trailing dot from a name; here a name without extension keeps none.
    CString ext = dot == CString::npos ? CString() : name.substr(dot);
    for (int n = 1;; ++n) {
        CString candidate = folder + base + "(" + std::to_string(n) + ")" + ext;
        if (!win::PathExists(candidate)) return candidate;
    }
}

void CGandry::CreateParentPath(CString path, int levels) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    std::vector<CString> chain{path};
    for (int i = 0; i < levels; ++i) {
        CString parent = ParentFolder(chain.back());
        if (parent.empty()) break;
        chain.push_back(parent);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) win::CreateDirectory(*it);
}

int CGandry::IsEmptySpace() { return IsEmptySpaceFor(win::GetDiskFreeBytes(GetRunDir())); }

int CGandry::IsEmptySpaceFor(std::uint64_t freeBytes) { return freeBytes > 499999999ull ? 0 : 1; }

CString CGandry::GetKBFromStr(int bytes) {
    long long kb = 0;
    if (bytes >= 1024) kb = (static_cast<long long>(bytes) + 1023) / 1024;
    else if (bytes > 0) kb = 1;
    CString digits = std::to_string(kb);
    CString grouped;
    int count = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (count > 0 && count % 3 == 0) grouped.insert(grouped.begin(), ',');
        grouped.insert(grouped.begin(), *it);
        ++count;
    }
    return grouped + " KB";
}

CString CGandry::GetFixedQoute(CString& text) {
    return kordune::QuoteText(text);
}

namespace {

// Identifiers of an id list in the order they are parsed: from the last "?" backwards.
std::vector<int> ParseIdList(CString list) {
    std::vector<int> ids;
    for (std::size_t cut = list.rfind('?'); cut != CString::npos; cut = list.rfind('?')) {
        ids.push_back(std::atoi(list.c_str() + cut + 1));
        list.erase(cut);
    }
    return ids;
}

}  // namespace

int CGandry::get_id_count_fromstr(CString list) { return static_cast<int>(ParseIdList(list).size()); }

CString CGandry::get_new_stringid_except(int id, CString list) {
    std::vector<int> ids = ParseIdList(list);
    for (auto it = ids.begin(); it != ids.end(); ++it) {
        if (*it == id) {
            ids.erase(it);
            break;
        }
    }
    CString result;
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) result += "?" + std::to_string(*it);
    return result;
}

void CGandry::GetHanguleCount(const unsigned char* text, int length, int& count) {
    count = 0;
    if (!text) return;
    int i = 0;
    while (i < length) {
        if (text[i] > 128) {
            if (i + 1 >= length) break;
            if (text[i + 1] > 128) ++count;
            i += 2;
        } else {
            ++i;
        }
    }
}

void CGandry::CalcThumbSize(int* size, int* box, int* out) {
    const int w = size[0], h = size[1], bw = box[0], bh = box[1];
    if (w <= 0 || h <= 0) {
        // A picture without area has no shape to keep; give the box's smallest cell.
        out[0] = 1;
        out[1] = 1;
        return;
    }
    if (w < h) {
        if (h == bh) {
            out[0] = w;
            out[1] = h;
        } else {
            int width = static_cast<int>(w * (static_cast<double>(bh) / h));
            out[0] = width < 1 ? 1 : width;
            out[1] = bh;
        }
    } else {
        if (w == bw) {
            out[0] = w;
            out[1] = h;
        } else {
            int height = static_cast<int>((static_cast<double>(bw) / w) * h);
            out[0] = bw;
            out[1] = height < 1 ? 1 : height;
        }
    }
}

CSize CGandry::CalcDesired(CSize& box, CSize& size) {
    const int w = size.cx, h = size.cy;
    if (w <= 0 || h <= 0) return CSize(0, 0);
    const float bw = static_cast<float>(box.cx);
    const float bh = static_cast<float>(box.cy);
    CSize result;
    if (static_cast<float>(w) / static_cast<float>(h) >= bw / bh) {
        result.cy = static_cast<LONG>((bw / static_cast<float>(w)) * static_cast<float>(h));
        result.cx = w * result.cy / h;
    } else {
        result.cx = static_cast<LONG>(static_cast<float>(w) * (bh / static_cast<float>(h)));
        result.cy = h * result.cx / w;
    }
    return result;
}

int CGandry::GetFileVersion(const char* path, VS_FIXEDFILEINFO* info) {
    if (!path || !info) return 0;
    CString contents;
    if (!win::ReadFile(path, contents)) return 0;
    // The marker is assembled here rather than written as one literal, so this library's own
    // code does not carry a copy of it.
    CString marker = "VIMBRO-";
    marker += "VERSION";
    marker.append(2, '\0');
    const std::size_t blockSize = sizeof(VS_FIXEDFILEINFO);
    for (std::size_t pos = contents.find(marker); pos != CString::npos; pos = contents.find(marker, pos + 1)) {
        std::size_t start = pos + 16;
        if (start + blockSize > contents.size()) break;
        VS_FIXEDFILEINFO block;
        std::memcpy(&block, contents.data() + start, blockSize);
        if (block.dwSignature == VS_FFI_SIGNATURE && block.dwStrucVersion == VS_FFI_STRUCVERSION) {
            *info = block;
            return 1;
        }
    }
    return 0;
}
