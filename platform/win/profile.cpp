#include "platform/win/profile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/win/fileapi.h"

namespace {

// INI files are small; anything bigger than this is not one of ours and is not parsed.
constexpr std::size_t kMaxIniBytes = 16u << 20;

struct IniEntry {
    std::string key;
    std::string value;
};

struct IniSection {
    std::string name;
    std::vector<IniEntry> entries;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::vector<IniSection> ParseIni(const std::string& text) {
    std::vector<IniSection> sections;
    IniSection* current = nullptr;
    std::size_t pos = 0;
    // A UTF-8 byte order mark before the first line is not part of it.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            std::size_t close = line.find(']');
            std::string name = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            sections.push_back(IniSection{name, {}});
            current = &sections.back();
            continue;
        }
        if (!current) continue;
        std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = Trim(line.substr(0, eq));
        std::string value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        current->entries.push_back(IniEntry{key, value});
    }
    return sections;
}

std::optional<std::vector<IniSection>> LoadIni(const char* file) {
    if (!file) return std::nullopt;
    std::string text;
    if (!win::ReadFile(file, text, kMaxIniBytes)) return std::nullopt;
    return ParseIni(text);
}

const IniSection* FindSection(const std::vector<IniSection>& sections, const std::string& name) {
    for (const auto& s : sections) {
        if (SameName(s.name, name)) return &s;
    }
    return nullptr;
}

DWORD CopyValue(const std::string& value, char* buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    std::size_t n = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

DWORD CopyList(const std::vector<std::string>& names, char* buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    std::string joined;
    for (const auto& n : names) {
        joined += n;
        joined.push_back('\0');
    }
    if (joined.size() + 1 <= size) {
        std::memcpy(buffer, joined.data(), joined.size());
        buffer[joined.size()] = '\0';
        return static_cast<DWORD>(joined.empty() ? 0 : joined.size());
    }
    std::memcpy(buffer, joined.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

std::optional<std::string> LookUp(const std::vector<IniSection>& sections, const char* section, const char* key) {
    const IniSection* s = FindSection(sections, section);
    if (!s) return std::nullopt;
    for (const auto& e : s->entries) {
        if (SameName(e.key, key)) return e.value;
    }
    return std::nullopt;
}

}  // namespace

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue, char* buffer,
                               DWORD size, const char* file) {
    auto sections = LoadIni(file);
    if (!section) {
        std::vector<std::string> names;
        if (sections) {
            for (const auto& s : *sections) names.push_back(s.name);
        }
        return CopyList(names, buffer, size);
    }
    if (!key) {
        std::vector<std::string> names;
        if (sections) {
            if (const IniSection* s = FindSection(*sections, section)) {
                for (const auto& e : s->entries) names.push_back(e.key);
            }
        }
        return CopyList(names, buffer, size);
    }
    if (sections) {
        if (auto value = LookUp(*sections, section, key)) return CopyValue(*value, buffer, size);
    }
    std::string def = defaultValue ? defaultValue : "";
    while (!def.empty() && IsBlank(def.back())) def.pop_back();
    return CopyValue(def, buffer, size);
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* file) {
    auto sections = LoadIni(file);
    if (!sections || !section || !key) return static_cast<UINT>(defaultValue);
    auto value = LookUp(*sections, section, key);
    if (!value) return static_cast<UINT>(defaultValue);
    return static_cast<UINT>(std::strtol(value->c_str(), nullptr, 10));
}

namespace win {

std::string GetProfileText(const std::string& section, const std::string& key, const std::string& defaultValue,
                           const std::string& file) {
    auto sections = LoadIni(file.c_str());
    if (sections) {
        if (auto value = LookUp(*sections, section.c_str(), key.c_str())) return *value;
    }
    std::string def = defaultValue;
    while (!def.empty() && IsBlank(def.back())) def.pop_back();
    return def;
}

}  // namespace win
