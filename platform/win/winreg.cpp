#include "platform/win/winreg.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/win/fileapi.h"


namespace {

constexpr const char* kRootNames[] = {"HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE",
                                      "HKEY_USERS",            "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG",
                                      "HKEY_DYN_DATA"};
constexpr int kRootCount = 7;
constexpr const char* kHeader = "VimbroSuite registry 1";
// The store holds settings, not documents; a file this large is not ours.
constexpr std::size_t kMaxStoreBytes = 64u << 20;

struct Value {
    std::string name;
    DWORD type = REG_NONE;
    std::string data;
};

struct Key {
    std::string path;  // as first created
    std::vector<Value> values;
};

// Keys by lower-cased path; "" is the root and always exists.
using Hive = std::map<std::string, Key>;

std::string Lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Joins and tidies a key path: empty components (doubled or outer backslashes) are dropped.
std::string JoinPath(const std::string& base, const char* sub) {
    std::string joined = base;
    if (sub && *sub) {
        if (!joined.empty()) joined += "\\";
        joined += sub;
    }
    std::string result;
    std::size_t pos = 0;
    while (pos <= joined.size()) {
        std::size_t end = joined.find('\\', pos);
        if (end == std::string::npos) end = joined.size();
        if (end > pos) {
            if (!result.empty()) result += "\\";
            result += joined.substr(pos, end - pos);
        }
        pos = end + 1;
    }
    return result;
}

std::string ParentPath(const std::string& path) {
    std::size_t cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

bool IsBelow(const std::string& lowerPath, const std::string& lowerBase) {
    if (lowerBase.empty()) return !lowerPath.empty();
    return lowerPath.size() > lowerBase.size() && lowerPath.compare(0, lowerBase.size(), lowerBase) == 0 &&
           lowerPath[lowerBase.size()] == '\\';
}

std::string Escape(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c == '\\') out += "\\\\";
        else if (c == '"') out += "\\\"";
        else if (c < 0x20 || c == 0x7F || c == ']') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else out.push_back(static_cast<char>(c));
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an escaped text that ends at an unescaped '"' (or at stop for key paths); pos moves past it.
std::optional<std::string> Unescape(const std::string& line, std::size_t& pos, char stop) {
    std::string out;
    while (pos < line.size()) {
        char c = line[pos];
        if (c == stop) {
            ++pos;
            return out;
        }
        if (c == '\\') {
            if (pos + 1 >= line.size()) return std::nullopt;
            char e = line[pos + 1];
            if (e == 'x') {
                if (pos + 3 >= line.size()) return std::nullopt;
                int hi = HexDigit(line[pos + 2]), lo = HexDigit(line[pos + 3]);
                if (hi < 0 || lo < 0) return std::nullopt;
                out.push_back(static_cast<char>(hi * 16 + lo));
                pos += 4;
            } else {
                out.push_back(e);
                pos += 2;
            }
            continue;
        }
        out.push_back(c);
        ++pos;
    }
    return std::nullopt;
}

std::string SerializeValue(const Value& v) {
    std::string line = "\"" + Escape(v.name) + "\"=";
    if (v.type == REG_DWORD && v.data.size() == 4) {
        DWORD d = 0;
        for (int i = 3; i >= 0; --i) d = (d << 8) | static_cast<unsigned char>(v.data[static_cast<std::size_t>(i)]);
        char buf[20];
        std::snprintf(buf, sizeof buf, "dword:%08X", d);
        line += buf;
    } else if (v.type == REG_SZ) {
        line += "sz:\"" + Escape(v.data) + "\"";
    } else {
        char buf[32];
        std::snprintf(buf, sizeof buf, "hex(%u):", static_cast<unsigned>(v.type));
        line += buf;
        for (std::size_t i = 0; i < v.data.size(); ++i) {
            char b[4];
            std::snprintf(b, sizeof b, i ? ",%02X" : "%02X", static_cast<unsigned char>(v.data[i]));
            line += b;
        }
    }
    return line;
}

std::optional<Value> ParseValue(const std::string& line) {
    if (line.empty() || line[0] != '"') return std::nullopt;
    std::size_t pos = 1;
    auto name = Unescape(line, pos, '"');
    if (!name || pos >= line.size() || line[pos] != '=') return std::nullopt;
    ++pos;
    Value v;
    v.name = *name;
    if (line.compare(pos, 6, "dword:") == 0) {
        std::string hex = line.substr(pos + 6);
        if (hex.size() != 8) return std::nullopt;
        DWORD d = 0;
        for (char c : hex) {
            int h = HexDigit(c);
            if (h < 0) return std::nullopt;
            d = (d << 4) | static_cast<DWORD>(h);
        }
        v.type = REG_DWORD;
        for (int i = 0; i < 4; ++i) v.data.push_back(static_cast<char>((d >> (8 * i)) & 0xFF));
        return v;
    }
    if (line.compare(pos, 4, "sz:\"") == 0) {
        pos += 4;
        auto text = Unescape(line, pos, '"');
        if (!text) return std::nullopt;
        v.type = REG_SZ;
        v.data = *text;
        return v;
    }
    if (line.compare(pos, 4, "hex(") == 0) {
        pos += 4;
        std::size_t close = line.find("):", pos);
        if (close == std::string::npos || close == pos) return std::nullopt;
        char* end = nullptr;
        unsigned long type = std::strtoul(line.c_str() + pos, &end, 10);
        if (end != line.c_str() + close || type > 0xFFFFFFFFul) return std::nullopt;
        v.type = static_cast<DWORD>(type);
        pos = close + 2;
        while (pos < line.size()) {
            if (pos + 2 > line.size()) return std::nullopt;
            int hi = HexDigit(line[pos]), lo = HexDigit(line[pos + 1]);
            if (hi < 0 || lo < 0) return std::nullopt;
            v.data.push_back(static_cast<char>(hi * 16 + lo));
            pos += 2;
            if (pos < line.size()) {
                if (line[pos] != ',') return std::nullopt;
                ++pos;
            }
        }
        return v;
    }
    return std::nullopt;
}

std::string Serialize(const Hive& hive, const std::string& lowerBase) {
    std::string out = kHeader;
    out += "\n";
    for (const auto& [lowerPath, key] : hive) {
        if (lowerPath != lowerBase && !IsBelow(lowerPath, lowerBase)) continue;
        std::string relative = key.path.substr(lowerBase.empty() ? 0 : std::min(key.path.size(), lowerBase.size() + 1));
        if (lowerPath == lowerBase) relative.clear();
        out += "\n[" + Escape(relative) + "]\n";
        for (const auto& v : key.values) out += SerializeValue(v) + "\n";
    }
    return out;
}

// Parses a store or a saved key; paths are placed below base. Lines that do not parse are
// skipped; a file without the header is refused as a whole.
std::optional<Hive> Parse(const std::string& text, const std::string& base) {
    Hive hive;
    std::size_t pos = 0;
    bool first = true;
    Key* current = nullptr;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (first) {
            if (line != kHeader) return std::nullopt;
            first = false;
            continue;
        }
        if (line.empty()) continue;
        if (line[0] == '[') {
            std::size_t p = 1;
            auto path = Unescape(line, p, ']');
            current = nullptr;
            if (!path) continue;
            std::string full = JoinPath(base, path->c_str());
            // Parents exist whenever a child does.
            for (std::string walk = full;; walk = ParentPath(walk)) {
                auto& k = hive[Lower(walk)];
                if (k.path.empty()) k.path = walk;
                if (walk.empty()) break;
            }
            current = &hive[Lower(full)];
            continue;
        }
        if (!current) continue;
        if (auto v = ParseValue(line)) {
            bool replaced = false;
            for (auto& existing : current->values) {
                if (Lower(existing.name) == Lower(v->name)) {
                    existing = *v;
                    replaced = true;
                }
            }
            if (!replaced) current->values.push_back(*v);
        }
    }
    if (first && !text.empty()) return std::nullopt;
    hive[""];
    return hive;
}

struct OpenKey {
    int root;
    std::string path;  // below the root, components joined by "\\"; "" is the root itself
};

// Handles are numbers that are never given out twice, so a copy of a closed handle can never
// come to mean another key.
std::mutex g_handleMutex;
std::map<std::uintptr_t, OpenKey> g_openHandles;
std::uintptr_t g_nextHandle = 0x1000;

int RootIndex(HKEY h) {
    auto v = reinterpret_cast<std::uintptr_t>(h);
    if (v >= 0x80000000u && v < 0x80000000u + kRootCount) return static_cast<int>(v - 0x80000000u);
    return -1;
}

// The root and path an HKEY stands for; false for a closed or unknown handle.
bool Resolve(HKEY h, int& root, std::string& path) {
    int r = RootIndex(h);
    if (r >= 0) {
        root = r;
        path.clear();
        return true;
    }
    std::lock_guard<std::mutex> lock(g_handleMutex);
    auto it = g_openHandles.find(reinterpret_cast<std::uintptr_t>(h));
    if (it == g_openHandles.end()) return false;
    root = it->second.root;
    path = it->second.path;
    return true;
}

HKEY NewHandle(int root, const std::string& path) {
    std::lock_guard<std::mutex> lock(g_handleMutex);
    std::uintptr_t id = g_nextHandle;
    g_nextHandle += 4;
    g_openHandles[id] = OpenKey{root, path};
    return reinterpret_cast<HKEY>(id);
}

std::string StoreFile(int root) { return win::RegistryFolder() + kRootNames[root] + ".reg"; }

bool EnsureFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return win::DirectoryExists(folder);
}

// Holds the root's lock file locked for as long as it lives.
class StoreLock {
public:
    StoreLock(int root, bool exclusive) {
        std::string folder = win::RegistryFolder();
        if (exclusive && !EnsureFolder(folder)) return;
        std::string lockFile = folder + kRootNames[root] + ".lock";
        fd_ = ::open(lockFile.c_str(), (exclusive ? O_RDWR | O_CREAT : O_RDONLY) | O_CLOEXEC, 0644);
        if (fd_ < 0) return;
        while (::flock(fd_, exclusive ? LOCK_EX : LOCK_SH) != 0) {
            if (errno != EINTR) {
                ::close(fd_);
                fd_ = -1;
                return;
            }
        }
    }
    ~StoreLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    bool locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The root's store as it is on disk; a missing file is an empty store. A damaged file reads as
// empty and is set aside (".damaged") before the next write replaces it.
Hive LoadStore(int root, bool* damaged = nullptr) {
    std::string text;
    std::string file = StoreFile(root);
    if (damaged) *damaged = false;
    bool tooLarge = false;
    std::optional<Hive> hive;
    if (win::ReadFile(file, text, kMaxStoreBytes, &tooLarge))
        hive = Parse(text, "");
    else if (!tooLarge)
        return Hive{{"", Key{}}};
    if (!hive) {
        if (damaged) *damaged = true;
        return Hive{{"", Key{}}};
    }
    return *hive;
}

bool SaveStore(int root, const Hive& hive, bool damaged) {
    std::string file = StoreFile(root);
    if (damaged) std::rename(file.c_str(), (file + ".damaged").c_str());
    return win::WriteFileAtomic(file, Serialize(hive, ""));
}

// Runs a change on the root's store under its exclusive lock and writes the result when the
// change reports ERROR_SUCCESS and says it changed something.
template <typename Change>
LSTATUS Modify(int root, Change change) {
    StoreLock lock(root, true);
    if (!lock.locked()) return ERROR_ACCESS_DENIED;
    bool damaged = false;
    Hive hive = LoadStore(root, &damaged);
    bool changed = false;
    LSTATUS status = change(hive, changed);
    if (status != ERROR_SUCCESS || !changed) return status;
    return SaveStore(root, hive, damaged) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

Hive ReadStore(int root) {
    StoreLock lock(root, false);
    return LoadStore(root);
}

void CreatePath(Hive& hive, const std::string& path) {
    for (std::string walk = path;; walk = ParentPath(walk)) {
        auto& k = hive[Lower(walk)];
        if (k.path.empty()) k.path = walk;
        if (walk.empty()) break;
    }
}

Value* FindValue(Key& key, const char* name) {
    std::string wanted = Lower(name ? name : "");
    for (auto& v : key.values) {
        if (Lower(v.name) == wanted) return &v;
    }
    return nullptr;
}

}  // namespace

namespace win {

std::string RegistryFolder() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.config";
    } else {
        base = "/tmp";
    }
    if (base.back() != '/') base += "/";
    return base + "VimbroSuite/";
}

}  // namespace win

LSTATUS RegOpenKeyExA(HKEY hKey, const char* subKey, DWORD, REGSAM, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    int root;
    std::string base;
    if (!Resolve(hKey, root, base)) return ERROR_INVALID_HANDLE;
    std::string path = JoinPath(base, subKey);
    Hive hive = ReadStore(root);
    if (hive.count(Lower(path)) == 0) return ERROR_FILE_NOT_FOUND;
    *result = NewHandle(root, hive[Lower(path)].path);
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyExA(HKEY hKey, const char* subKey, DWORD, char*, DWORD, REGSAM, void*, HKEY* result,
                        DWORD* disposition) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    int root;
    std::string base;
    if (!Resolve(hKey, root, base)) return ERROR_INVALID_HANDLE;
    std::string path = JoinPath(base, subKey);
    bool existed = false;
    std::string stored = path;
    LSTATUS status = Modify(root, [&](Hive& hive, bool& changed) {
        auto it = hive.find(Lower(path));
        existed = it != hive.end();
        if (!existed) {
            CreatePath(hive, path);
            changed = true;
        } else {
            stored = it->second.path;
        }
        return ERROR_SUCCESS;
    });
    if (status != ERROR_SUCCESS) return status;
    if (disposition) *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = NewHandle(root, stored);
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY hKey) {
    if (RootIndex(hKey) >= 0) return ERROR_SUCCESS;
    std::lock_guard<std::mutex> lock(g_handleMutex);
    auto it = g_openHandles.find(reinterpret_cast<std::uintptr_t>(hKey));
    if (it == g_openHandles.end()) return ERROR_INVALID_HANDLE;
    g_openHandles.erase(it);
    return ERROR_SUCCESS;
}

LSTATUS RegFlushKey(HKEY hKey) {
    int root;
    std::string path;
    // Every change is already on disk when its call returns.
    return Resolve(hKey, root, path) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS RegSetValueExA(HKEY hKey, const char* name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    int root;
    std::string path;
    if (!Resolve(hKey, root, path)) return ERROR_INVALID_HANDLE;
    if (!data && size > 0) return ERROR_INVALID_PARAMETER;
    std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
    return Modify(root, [&](Hive& hive, bool& changed) {
        auto it = hive.find(Lower(path));
        if (it == hive.end()) return ERROR_KEY_DELETED;
        Value* v = FindValue(it->second, name);
        if (!v) {
            it->second.values.push_back(Value{name ? name : "", type, bytes});
        } else {
            v->type = type;
            v->data = bytes;
        }
        changed = true;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegQueryValueExA(HKEY hKey, const char* name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
    int root;
    std::string path;
    if (!Resolve(hKey, root, path)) return ERROR_INVALID_HANDLE;
    if (data && !size) return ERROR_INVALID_PARAMETER;
    Hive hive = ReadStore(root);
    auto it = hive.find(Lower(path));
    if (it == hive.end()) return ERROR_KEY_DELETED;
    Value* v = FindValue(it->second, name);
    if (!v) return ERROR_FILE_NOT_FOUND;
    if (type) *type = v->type;
    DWORD needed = static_cast<DWORD>(v->data.size());
    if (data) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, v->data.data(), needed);
    }
    if (size) *size = needed;
    return ERROR_SUCCESS;
}

LSTATUS RegDeleteValueA(HKEY hKey, const char* name) {
    int root;
    std::string path;
    if (!Resolve(hKey, root, path)) return ERROR_INVALID_HANDLE;
    return Modify(root, [&](Hive& hive, bool& changed) {
        auto it = hive.find(Lower(path));
        if (it == hive.end()) return ERROR_KEY_DELETED;
        auto& values = it->second.values;
        std::string wanted = Lower(name ? name : "");
        for (auto v = values.begin(); v != values.end(); ++v) {
            if (Lower(v->name) == wanted) {
                values.erase(v);
                changed = true;
                return ERROR_SUCCESS;
            }
        }
        return ERROR_FILE_NOT_FOUND;
    });
}

LSTATUS RegDeleteKeyA(HKEY hKey, const char* subKey) {
    int root;
    std::string base;
    if (!Resolve(hKey, root, base)) return ERROR_INVALID_HANDLE;
    if (!subKey || !*subKey) return ERROR_INVALID_PARAMETER;
    std::string lower = Lower(JoinPath(base, subKey));
    if (lower.empty()) return ERROR_ACCESS_DENIED;
    return Modify(root, [&](Hive& hive, bool& changed) {
        auto it = hive.find(lower);
        if (it == hive.end()) return ERROR_FILE_NOT_FOUND;
        auto next = std::next(it);
        if (next != hive.end() && IsBelow(next->first, lower)) return ERROR_ACCESS_DENIED;
        hive.erase(it);
        changed = true;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegSaveKeyA(HKEY hKey, const char* file, void*) {
    int root;
    std::string path;
    if (!Resolve(hKey, root, path)) return ERROR_INVALID_HANDLE;
    if (!file || !*file) return ERROR_INVALID_PARAMETER;
    if (win::PathExists(file)) return ERROR_ALREADY_EXISTS;
    Hive hive = ReadStore(root);
    std::string lower = Lower(path);
    if (hive.count(lower) == 0) return ERROR_KEY_DELETED;
    return win::WriteFileAtomic(file, Serialize(hive, lower)) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

LSTATUS RegRestoreKeyA(HKEY hKey, const char* file, DWORD) {
    int root;
    std::string path;
    if (!Resolve(hKey, root, path)) return ERROR_INVALID_HANDLE;
    std::string text;
    bool tooLarge = false;
    if (!file || !win::ReadFile(file, text, kMaxStoreBytes, &tooLarge))
        return tooLarge ? ERROR_BADDB : ERROR_FILE_NOT_FOUND;
    auto saved = Parse(text, path);
    if (!saved) return ERROR_BADDB;
    std::string lower = Lower(path);
    return Modify(root, [&](Hive& hive, bool& changed) {
        auto it = hive.find(lower);
        if (it == hive.end()) return ERROR_KEY_DELETED;
        for (auto k = hive.begin(); k != hive.end();) {
            k = IsBelow(k->first, lower) ? hive.erase(k) : std::next(k);
        }
        it->second.values.clear();
        for (auto& [p, k] : *saved) {
            if (p != lower && !IsBelow(p, lower)) continue;
            if (p == lower) it->second.values = k.values;
            else hive[p] = k;
        }
        changed = true;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegLoadKeyA(HKEY hKey, const char* subKey, const char* file) {
    int root;
    std::string base;
    if (!Resolve(hKey, root, base)) return ERROR_INVALID_HANDLE;
    if (!subKey || !*subKey) return ERROR_INVALID_PARAMETER;
    std::string path = JoinPath(base, subKey);
    std::string text;
    bool tooLarge = false;
    if (!file || !win::ReadFile(file, text, kMaxStoreBytes, &tooLarge))
        return tooLarge ? ERROR_BADDB : ERROR_FILE_NOT_FOUND;
    auto saved = Parse(text, path);
    if (!saved) return ERROR_BADDB;
    std::string lower = Lower(path);
    return Modify(root, [&](Hive& hive, bool& changed) {
        if (hive.count(lower)) return ERROR_ALREADY_EXISTS;
        CreatePath(hive, path);
        for (auto& [p, k] : *saved) {
            if (p == lower || IsBelow(p, lower)) hive[p] = k;
        }
        hive[lower].path = path;
        changed = true;
        return ERROR_SUCCESS;
    });
}
