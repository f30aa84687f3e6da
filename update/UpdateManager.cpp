#include "update/UpdateManager.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <locale>
#include <sstream>
#include <thread>

#include "platform/win/fileapi.h"
#include "platform/win/profile.h"
#include "platform/win/runfolder.h"
#include "update/AppProfile.h"
#include "update/PelloqResources.h"
#include "update/UrlDownload.h"

namespace {

namespace fs = std::filesystem;

CString ReadEntry(const char* entry) {
    return AppProfile::GetProfileString(CUpdateManager::kSection, entry, "");
}

void WriteEntry(const char* entry, const CString& value) {
    AppProfile::WriteProfileString(CUpdateManager::kSection, entry, value.c_str());
}

// The entry, or the default, which is then written (an empty entry counts as missing).
CString ReadEntryOrDefault(const char* entry, const char* defaultValue) {
    CString value = ReadEntry(entry);
    if (value.empty()) {
        value = defaultValue;
        WriteEntry(entry, value);
    }
    return value;
}

// Dates are written in English whatever the desktop's language: the profile is shared with
// earlier versions, and later runs parse them back.
CString FormatTime(std::time_t when, const char* format) {
    std::tm local{};
    ::localtime_r(&when, &local);
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::put_time(&local, format);
    return out.str();
}

bool ParseNumber(const CString& text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// "%Y,%m,%d" back into a date; false for anything that is not one.
bool ParseCheckDate(CString text, int& year, int& month, int& day) {
    CString y = CUpdateManager::GetNextString(text, ',');
    CString m = CUpdateManager::GetNextString(text, ',');
    CString d = text;
    return ParseNumber(y, year) && ParseNumber(m, month) && ParseNumber(d, day) && year >= 1970 && year <= 9999 &&
           month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// Puts a downloaded file in place of the program's own. The rename replaces the old file in
// one step, so a failure leaves the old one intact (deleting it first could lose it). The new
// file takes the old one's permissions, so a program stays runnable.
bool ReplaceFile(const CString& source, const CString& target) {
    struct stat sourceInfo {};
    if (::stat(source.c_str(), &sourceInfo) != 0 || !S_ISREG(sourceInfo.st_mode)) return false;
    std::error_code ec;
    fs::create_directories(fs::path(target).parent_path(), ec);
    struct stat targetInfo {};
    if (::lstat(target.c_str(), &targetInfo) == 0) {
        if (S_ISDIR(targetInfo.st_mode)) return false;
        if (S_ISREG(targetInfo.st_mode)) ::chmod(source.c_str(), targetInfo.st_mode & 07777);
    }
    if (std::rename(source.c_str(), target.c_str()) == 0) return true;
    if (errno != EXDEV) return false;
    // The download folder is on another file system: copy (the copy appears complete or not at
    // all), then drop the download.
    if (!win::CopyFile(source, target, false)) return false;
    ::unlink(source.c_str());
    return true;
}

bool IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_' || c == ':' || c == '[' || c == ']';
}

}  // namespace

CUpdateManager::CUpdateManager() = default;
CUpdateManager::~CUpdateManager() = default;

CString CUpdateManager::GetNextString(CString& text, char separator) {
    std::size_t cut = text.find(separator);
    CString piece;
    if (cut == CString::npos) {
        piece = text;
        text.clear();
    } else {
        piece = text.substr(0, cut);
        text.erase(0, cut + 1);
    }
    return piece;
}

void CUpdateManager::ParseFileList(CString text, CMapStringToString& map) {
    while (!text.empty()) {
        CString name = GetNextString(text, ',');
        CString version = GetNextString(text, ';');
        map[name] = version;
    }
}

CString CUpdateManager::MakeFileList(const CMapStringToString& map) {
    CString text;
    for (const auto& [name, version] : map) text += name + "," + version + ";";
    return text;
}

CString CUpdateManager::SafeRelativeName(const CString& name) {
    CString path = name;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    if (path.empty() || path.front() == '/') return {};
    for (unsigned char c : path) {
        if (c < 0x20 || c == 0x7F) return {};
    }
    CString result;
    CString rest = path;
    bool first = true;
    bool lastWasName = false;
    while (!rest.empty()) {
        CString part = GetNextString(rest, '/');
        lastWasName = false;
        // A drive ("C:x") makes a Windows name absolute or relative to another folder.
        if (first && part.size() >= 2 && part[1] == ':' && std::isalpha(static_cast<unsigned char>(part[0]))) return {};
        first = false;
        if (part == "..") return {};
        if (part.empty() || part == ".") continue;
        if (!result.empty()) result += "/";
        result += part;
        lastWasName = true;
    }
    // "a/" or "a/." names a folder, not a file.
    if (!lastWasName || path.back() == '/') return {};
    return result;
}

CString CUpdateManager::GetRunDir() { return win::RunFolder(); }

CString CUpdateManager::GetUpdateHost() {
    if (const char* host = std::getenv(kHostVariable); host && *host) {
        CString text = host;
        bool valid = text.size() <= 255;
        for (char c : text) valid = valid && IsHostCharacter(c);
        if (valid) return text;
    }
    return kUpdateServerHost;
}

CString CUpdateManager::ResolveLocalDir(const CString& localDir) {
    CString dir = localDir.empty() ? CString(kDefaultLocalDir) : localDir;
    for (char& c : dir) {
        if (c == '\\') c = '/';
    }
    if (dir.front() != '/') {
        while (dir.compare(0, 2, "./") == 0) dir.erase(0, 2);
        if (dir == ".") dir.clear();
        dir = GetRunDir() + dir;
    }
    if (dir.back() != '/') dir += "/";
    return dir;
}

CString CUpdateManager::LocalFolder() const {
    return ResolveLocalDir(m_strLocalDir);
}

bool CUpdateManager::CheckUpdateIsNow() {
    return CheckUpdateIsNowAt(std::time(nullptr));
}

bool CUpdateManager::CheckUpdateIsNowAt(std::time_t now) {
    CString autoUpgrade = ReadEntry("AutoUpgrade");
    if (autoUpgrade.empty()) {
        WriteEntry("AutoUpgrade", "Y");
        return true;
    }
    if (autoUpgrade == "Y") return true;

    const int interval = static_cast<int>(AppProfile::GetProfileInt(kSection, "UpgradeCheckTime", 1));
    const CString recent = ReadEntry("RecentCheckTime");
    const CString today = FormatTime(now, "%Y,%m,%d");
    if (recent.empty()) {
        WriteEntry("RecentCheckTime", today);
        return true;
    }
    int year = 0, month = 0, day = 0;
    const bool parsed = ParseCheckDate(recent, year, month, day);
    WriteEntry("RecentCheckTime", today);
    // A date that cannot be read cannot say the check was recent.
    if (!parsed) return true;
    // Both ends are taken as local wall-clock times (read as if they were UTC), so a change to
    // or from daylight saving time in between neither shortens nor lengthens a day.
    std::tm midnight{};
    midnight.tm_year = year - 1900;
    midnight.tm_mon = month - 1;
    midnight.tm_mday = day;
    std::tm local{};
    if (!::localtime_r(&now, &local)) return true;
    const long long days = static_cast<long long>(::timegm(&local) - ::timegm(&midnight)) / 86400;
    return days >= interval;
}

void CUpdateManager::GetUpdateInfo() {
    ReadEntryOrDefault("ConnURL", kDefaultConnUrl);
    m_strHost = GetUpdateHost();
    ReadEntryOrDefault("RemoteDir", kDefaultRemoteDir);
    m_strRemoteDir = kRemoteDir;
    m_strLocalDir = ReadEntryOrDefault("LocalDir", kDefaultLocalDir);
    ReadEntryOrDefault("Version", kDefaultVersion);
    m_strVersion = kDefaultVersion;
    ReadEntryOrDefault("VersionFile", kVersionFile);
    m_strVersionFile = kVersionFile;

    m_mapLocalLater.clear();
    m_mapLocalNow.clear();
    CString later = ReadEntry("UpdateList");
    if (later.empty()) WriteEntry("UpdateList", "");
    ParseFileList(later, m_mapLocalLater);
    CString now = ReadEntry("UpdateNowList");
    if (now.empty()) WriteEntry("UpdateNowList", "");
    ParseFileList(now, m_mapLocalNow);
}

bool CUpdateManager::Download(const CString& name, const CString& target, std::int64_t maxBytes) {
    std::error_code ec;
    fs::create_directories(fs::path(target).parent_path(), ec);
    Pelloq::DownloadLimits limits = m_limits;
    limits.maxBytes = std::min(limits.maxBytes, maxBytes);
    const long elapsed = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                               std::chrono::steady_clock::now() - m_checkStarted)
                                               .count());
    const long remaining = limits.wholeCheckMs - elapsed;
    if (remaining <= 0) {
        m_strLastError = "the update check ran out of time";
        return false;
    }
    limits.totalMs = std::min(limits.totalMs, remaining);
    limits.idle = [this] { Idle(); };
    const CString url = "Http://" + m_strHost + m_strRemoteDir + Pelloq::EncodeUrlPath(name);
    m_strLastError.clear();
    return Pelloq::UrlDownloadToFile(url, target, limits, &m_strLastError);
}

bool CUpdateManager::GetRemoteVersionFile() {
    std::error_code ec;
    fs::create_directories(LocalFolder(), ec);
    return Download(m_strVersionFile, LocalFolder() + m_strVersionFile, kMaxVersionFileBytes);
}

void CUpdateManager::GetRemoteUpdateInfo() {
    const CString file = LocalFolder() + m_strVersionFile;
    char version[kMaxVersionChars + 1] = {};
    char list[kMaxListChars + 1] = {};
    GetPrivateProfileStringA(kVersionSection, "Version", kDefaultVersion, version, sizeof version, file.c_str());
    m_strRemoteVersion = version;

    m_mapRemoteLater.clear();
    m_mapRemoteNow.clear();
    GetPrivateProfileStringA(kVersionSection, "UpdateList", "", list, sizeof list, file.c_str());
    ParseFileList(list, m_mapRemoteLater);
    GetPrivateProfileStringA(kVersionSection, "UpdateNowList", "", list, sizeof list, file.c_str());
    ParseFileList(list, m_mapRemoteNow);
}

void CUpdateManager::AddChanged(const CMapStringToString& remote, const CMapStringToString& local,
                                CMapStringToString& fetch) {
    for (const auto& [name, version] : remote) {
        auto known = local.find(name);
        if (known != local.end() && known->second == version) continue;
        if (SafeRelativeName(name).empty()) {
            m_listSkipped.push_back(name);
            continue;
        }
        fetch[name] = version;
    }
}

void CUpdateManager::CompareAndMakeDownLoadList() {
    m_mapNowFetch.clear();
    m_mapLaterFetch.clear();
    m_listSkipped.clear();
    AddChanged(m_mapRemoteNow, m_mapLocalNow, m_mapNowFetch);
    AddChanged(m_mapRemoteLater, m_mapLocalLater, m_mapLaterFetch);
}

bool CUpdateManager::DownloadList(const CMapStringToString& files) {
    for (const auto& entry : files) {
        const CString relative = SafeRelativeName(entry.first);
        if (relative.empty()) return false;
        if (!Download(relative, LocalFolder() + relative, m_limits.maxBytes)) return false;
    }
    return true;
}

bool CUpdateManager::DownloadNowList() {
    return DownloadList(m_mapNowFetch);
}

bool CUpdateManager::DownloadLaterList() {
    return DownloadList(m_mapLaterFetch);
}

void CUpdateManager::ApplyUpdateInfo() {
    const CString today = FormatTime(std::time(nullptr), "%A, %B %d, %Y");
    if (!m_mapNowFetch.empty()) {
        for (const auto& entry : m_mapNowFetch) {
            const CString relative = SafeRelativeName(entry.first);
            if (relative.empty()) continue;
            // A file that cannot be put in place is skipped; the rest still go.
            ReplaceFile(LocalFolder() + relative, GetRunDir() + relative);
        }
        WriteEntry("UpdateNowList", MakeFileList(m_mapRemoteNow));
        WriteEntry("RecentUpdateTime", today);
    }
    if (!m_mapLaterFetch.empty()) {
        WriteEntry("RecentUpdateList", MakeFileList(m_mapLaterFetch));
        WriteEntry("RecentUpdateTime", today);
        WriteEntry("UpdateFlag", "Y");
        WriteEntry("UpdateList", MakeFileList(m_mapRemoteLater));
    }
    WriteEntry("Version", m_strRemoteVersion);
    ::unlink((LocalFolder() + m_strVersionFile).c_str());
}

void CUpdateManager::StatusChanged(const CString&, bool) {}

void CUpdateManager::Wait(DWORD milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void CUpdateManager::ShowStatus(UINT textId) {
    m_nLastStatus = textId;
    StatusChanged(Pelloq::LoadString(textId), m_bFailed);
}

void CUpdateManager::ShowFailure(UINT textId) {
    m_bFailed = true;
    ShowStatus(textId);
}

void CUpdateManager::StartUpgrade() {
    m_checkStarted = std::chrono::steady_clock::now();
    m_bFailed = false;
    m_nLastStatus = 0;

    ProgressStep();
    ShowStatus(Pelloq::IDS_UPDATE_CHECKING);
    Wait(100);
    GetUpdateInfo();
    Pelloq::RemoveStaleDownloads(LocalFolder());
    ProgressStep();
    ShowStatus(Pelloq::IDS_UPDATE_CHECKING);
    Wait(100);

    if (!GetRemoteVersionFile()) {
        ProgressStep();
        ShowFailure(Pelloq::IDS_UPDATE_NO_VERSION);
        Wait(2000);
        RestoreArrowCursor();
        if (m_bFromUserClick) {
            ProgressStep();
            ShowStatus(Pelloq::IDS_UPDATE_NO_VERSION_CLICK);
            WaitUntilUserConfirm();
        }
        return;
    }

    ProgressStep();
    Wait(100);
    GetRemoteUpdateInfo();
    ProgressStep();
    Wait(100);
    CompareAndMakeDownLoadList();
    ProgressStep();
    Wait(100);

    if (!m_mapNowFetch.empty()) {
        ProgressStep();
        ShowStatus(Pelloq::IDS_UPDATE_DOWNLOADING_NOW);
        Wait(500);
        if (!DownloadNowList()) {
            ShowFailure(Pelloq::IDS_UPDATE_NOW_FAILED);
            ProgressStep();
            Wait(2000);
            RestoreArrowCursor();
            if (m_bFromUserClick) {
                ShowStatus(Pelloq::IDS_UPDATE_FAILED_CLICK);
                WaitUntilUserConfirm();
            }
            return;
        }
    }

    if (!m_mapLaterFetch.empty()) {
        ProgressStep();
        ShowStatus(Pelloq::IDS_UPDATE_DOWNLOADING_LATER);
        Wait(500);
        if (!DownloadLaterList()) {
            ProgressStep();
            ShowFailure(Pelloq::IDS_UPDATE_LATER_FAILED);
            Wait(3000);
            RestoreArrowCursor();
            if (m_bFromUserClick) {
                ShowStatus(Pelloq::IDS_UPDATE_FAILED_CLICK);
                WaitUntilUserConfirm();
            }
            return;
        }
    }

    ProgressComplete();

    if (!m_mapNowFetch.empty() || !m_mapLaterFetch.empty()) {
        ShowStatus(Pelloq::IDS_UPDATE_APPLYING);
        Wait(1000);
        ApplyUpdateInfo();
        RestoreArrowCursor();
        if (m_bFromUserClick) {
            ShowStatus(Pelloq::IDS_UPDATE_DONE_CLICK);
            WaitUntilUserConfirm();
        }
    } else {
        ShowStatus(Pelloq::IDS_UPDATE_NOTHING_NEW);
        Wait(1000);
    }
}
