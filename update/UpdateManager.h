// CUpdateManager: the update check without its window. It compares the file lists of the update
// server's version file with those recorded in the application profile, downloads what differs
// and puts the urgent files in place. How each step shows (the splash window, or lines of text
// in the command-line tool) is left to the class that derives from it.
#pragma once

#include <chrono>
#include <ctime>
#include <map>
#include <vector>

#include "platform/win/windef.h"
#include "update/UrlDownload.h"

using CMapStringToString = std::map<CString, CString>;

class CUpdateManager {
public:
    static constexpr const char* kSection = "UpdateInfo";

    // The update server. VIMBRO_UPDATE_HOST (host[:port]) points the program at another one, a
    // mirror or a test server; "ConnURL" in the profile is kept for earlier versions but unused.
    // The release build's server name goes here; ".invalid" never resolves, so a build without
    // it contacts nobody.
    static constexpr const char* kUpdateServerHost = "liveupdate.quorvel.invalid";
    static constexpr const char* kHostVariable = "VIMBRO_UPDATE_HOST";

    // Defaults written to the profile when an entry is empty, and the values actually used.
    static constexpr const char* kDefaultConnUrl = "www.quorvel.invalid";
    static constexpr const char* kDefaultRemoteDir = "/customersupport/quorvel/Vimbro/Update/";
    static constexpr const char* kRemoteDir = "/ATT01/2005/Data/QV/Vimbro/LiveUpdate/";
    static constexpr const char* kDefaultLocalDir = ".\\Update\\";
    static constexpr const char* kDefaultVersion = "1.0";
    static constexpr const char* kVersionFile = "UpdateInfo.ini";
    static constexpr const char* kVersionSection = "VERSIONINFO";

    // How much of the version file's values is read.
    static constexpr int kMaxVersionChars = 9;
    static constexpr int kMaxListChars = 1023;

    // The version file is a few lines; the program's files may be large.
    static constexpr std::int64_t kMaxVersionFileBytes = 64 << 10;

    CUpdateManager();
    virtual ~CUpdateManager();
    CUpdateManager(const CUpdateManager&) = delete;
    CUpdateManager& operator=(const CUpdateManager&) = delete;

    void SetFromUserClick(bool fromUserClick) { m_bFromUserClick = fromUserClick; }
    bool IsFromUserClick() const { return m_bFromUserClick; }

    // True when the update check is due now ("AutoUpgrade", "UpgradeCheckTime",
    // "RecentCheckTime"); the At form takes the current time from the caller.
    bool CheckUpdateIsNow();
    bool CheckUpdateIsNowAt(std::time_t now);

    // The whole check: every step below in order, each shown through the status hooks.
    void StartUpgrade();

    void GetUpdateInfo();
    bool GetRemoteVersionFile();
    void GetRemoteUpdateInfo();
    void CompareAndMakeDownLoadList();
    bool DownloadNowList();
    bool DownloadLaterList();
    void ApplyUpdateInfo();

    // One step of the progress, the progress to full, and waiting for a click or key; the base
    // class shows no progress and waits for nobody.
    virtual void ProgressStep() {}
    virtual void ProgressComplete() {}
    virtual void WaitUntilUserConfirm() {}

    // Cuts text up to the separator off the front of text, dropping the separator; without a
    // separator returns all of it and empties text.
    static CString GetNextString(CString& text, char separator);
    // "name,version;" entries into map (a later entry of the same name wins).
    static void ParseFileList(CString text, CMapStringToString& map);
    static CString MakeFileList(const CMapStringToString& map);

    // A server's file name as a path below the program folder ("\\" becomes "/"), or "" when it
    // would leave it: empty, absolute, a drive, a ".." component, a control character, or no
    // file name at the end.
    static CString SafeRelativeName(const CString& name);

    // The run folder with a trailing "/", the same answer as CGandry::GetRunDir (Pelloq does
    // not link Gandry; both ask the platform layer).
    static CString GetRunDir();
    // The update server's host[:port]: VIMBRO_UPDATE_HOST when it holds a host name, else the
    // fixed host.
    static CString GetUpdateHost();
    // "LocalDir" as a folder path with a trailing "/": relative folders are taken from the
    // program folder, not the working folder.
    static CString ResolveLocalDir(const CString& localDir);

    // What the last run found (for the tool and tests).
    const CString& GetHost() const { return m_strHost; }
    const CString& GetRemoteDir() const { return m_strRemoteDir; }
    const CString& GetLocalDir() const { return m_strLocalDir; }
    const CString& GetLocalVersion() const { return m_strVersion; }
    const CString& GetVersionFileName() const { return m_strVersionFile; }
    const CString& GetRemoteVersion() const { return m_strRemoteVersion; }
    const CMapStringToString& GetLocalLaterList() const { return m_mapLocalLater; }
    const CMapStringToString& GetRemoteLaterList() const { return m_mapRemoteLater; }
    const CMapStringToString& GetLocalNowList() const { return m_mapLocalNow; }
    const CMapStringToString& GetRemoteNowList() const { return m_mapRemoteNow; }
    const CMapStringToString& GetLaterFetchList() const { return m_mapLaterFetch; }
    const CMapStringToString& GetNowFetchList() const { return m_mapNowFetch; }
    // Server names left out because they would leave the program folder.
    const std::vector<CString>& GetSkippedNames() const { return m_listSkipped; }
    // The string ID of the last status text, 0 before the first; whether it showed a failure.
    UINT GetLastStatus() const { return m_nLastStatus; }
    bool HasFailed() const { return m_bFailed; }
    // Why the last download failed.
    const CString& GetLastError() const { return m_strLastError; }

    // Time-outs and size bounds of the file downloads (the version file keeps its own size
    // bound).
    void SetDownloadLimits(const Pelloq::DownloadLimits& limits) { m_limits = limits; }
    const Pelloq::DownloadLimits& GetDownloadLimits() const { return m_limits; }

protected:
    // A status line: its text and whether it is shown as a failure (red from then on).
    virtual void StatusChanged(const CString& text, bool failed);
    // A pause between steps; the base class sleeps.
    virtual void Wait(DWORD milliseconds);
    // The mouse pointer goes back to the arrow.
    virtual void RestoreArrowCursor() {}
    // Called while a download runs.
    virtual void Idle() {}

private:
    void ShowStatus(UINT textId);
    void ShowFailure(UINT textId);
    CString LocalFolder() const;
    bool Download(const CString& name, const CString& target, std::int64_t maxBytes);
    bool DownloadList(const CMapStringToString& files);
    void AddChanged(const CMapStringToString& remote, const CMapStringToString& local, CMapStringToString& fetch);

    // Settings of the run.
    CString m_strHost;
    CString m_strRemoteDir;
    CString m_strLocalDir;
    CString m_strVersion;
    CString m_strVersionFile;
    CString m_strRemoteVersion;

    CMapStringToString m_mapLocalLater;
    CMapStringToString m_mapRemoteLater;
    CMapStringToString m_mapLocalNow;
    CMapStringToString m_mapRemoteNow;
    CMapStringToString m_mapLaterFetch;
    CMapStringToString m_mapNowFetch;
    std::vector<CString> m_listSkipped;

    bool m_bFromUserClick = false;
    bool m_bFailed = false;
    UINT m_nLastStatus = 0;
    CString m_strLastError;
    Pelloq::DownloadLimits m_limits;
    // When the running check began; its downloads share DownloadLimits::wholeCheckMs.
    std::chrono::steady_clock::time_point m_checkStarted = std::chrono::steady_clock::now();
};
