// The browser's file operations: import, paste, duplication, export, renaming and titling by
// pattern under the rename journal, the bookkeeping after an edit, backup and restore.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "platform/afx/afxmsg.h"
#include "platform/afx/afxwin.h"
#include "platform/kordune/DBManagerOper.h"
#include "platform/win/codepage.h"
#include "platform/win/fileapi.h"
#include "views/catalogue/CatalogueFiles.h"
#include "views/catalogue/ThumbCatalogue.h"
#include "views/catalogue/vxImage.h"

using catalogue::FormatSql;

namespace {

CString LeafName(const CString& path) {
    return CGandry::FindFilename(path, 1);
}

// Clears the read-only attribute: the owner may write.
void MakeWritable(const CString& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR)) ::chmod(path.c_str(), st.st_mode | S_IWUSR);
}

std::tm LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

CCatalogueFiles::CCatalogueFiles(CThumbCatalogue& browser, std::list<vxImage*>& list,
                                 std::vector<vxImage*>& vector, CCatalogueRows& rows, CThumbGrid& grid)
    : m_browser(browser), m_listThumb(list), m_vecThumb(vector), m_rows(rows), m_grid(grid) {}

std::vector<vxImage*> CCatalogueFiles::GetSelectedItems() const {
    return m_grid.GetSelectedItems();
}

bool CCatalogueFiles::get_clsid_fromfile(CString& path, CString& out) {
    return catalogue::KeyPrefixFromFile(path, out);
}

// ---- Registration -----------------------------------------------------------------------------

int CCatalogueFiles::loading_string_list(CStringList* paths) {
    const int first = static_cast<int>(m_listThumb.size());
    if (!paths) return first;
    const bool all = m_browser.m_nAlbumID == catalogue::kAllPhotosAlbum;
    for (const CString& path : *paths) {
        if (!win::FileExists(path) || !catalogue::IsAcceptedFile(path)) continue;
        const CString name = LeafName(path);
        CString key = catalogue::KeyFromFile(path, name);
        if (key.empty()) continue;
        vxImage* item = nullptr;
        if (all) {
            // A file already on show (a paste whose copy failed hands in the existing name) must
            // not become a second item with a second row.
            if (m_browser.is_exist_clsid(key)) continue;
            item = new vxImage(&m_browser, key, name, path);
        } else {
            CString list;
            const bool hasRow = m_rows.ReadAlbumList(key, list);
            if (hasRow && catalogue::IsIdInList(m_browser.m_nAlbumID, list)) {
                AfxMessageBox(FormatSql("%s 파일이 이미 추가되어있습니다", name.c_str()));
                continue;
            }
            if (hasRow) {
                m_rows.SetColumn("AlbumID", catalogue::AppendId(list, m_browser.m_nAlbumID), key);
                item = new vxImage(&m_browser, key, m_browser.m_nAlbumID, name, path);
                // The row already carries the picture's title, keywords and backup; the item
                // shows them at once instead of after the next opening of the album.
                item->m_strKeywordID = m_rows.ReadColumn("KeywordID", key);
                item->m_strTitle = m_rows.ReadColumn("Title", key);
                item->m_strOriginalPath = m_rows.ReadColumn("OriginalPath", key);
            } else {
                item = new vxImage(&m_browser, key, m_browser.m_nAlbumID, name, path);
                item->m_bNew = 1;
            }
        }
        m_listThumb.push_back(item);
        m_vecThumb.push_back(item);
    }
    return first;
}

void CCatalogueFiles::ImportFile(CStringList* paths, int bRecompose) {
    if (!paths) return;
    const CString photo = m_browser.PhotoFolder();
    if (!win::DirectoryExists(photo)) catalogue::MakeFolder(photo);
    const bool all = m_browser.m_nAlbumID == catalogue::kAllPhotosAlbum;
    CStringList noted;
    for (const CString& path : *paths) {
        const CString name = LeafName(path);
        if (win::Cp949Length(name) > static_cast<std::size_t>(CThumbCatalogue::kMaxNameBytes)) {
            AfxMessageBox("파일의 이름이 빔브로에서 지원하는 길이보다 길어\r\n파일을 가져오는데 실패하였습니다.");
            return;
        }
        const CString target = photo + "/" + name;
        if (win::CopyFile(path, target, true)) {
            MakeWritable(target);
            if (all) noted.push_back(target);
            continue;
        }
        // Only a name clash is a question; any other failed copy is skipped.
        if (!win::PathExists(target)) continue;
        if (AfxMessageBox(FormatSql("%s 파일이 존재합니다. 덮어쓸까요?", name.c_str()), MB_YESNO) != IDYES) continue;
        CThumbCatalogue::ItemList::iterator it;
        vxImage* old = m_browser.GetVxImage(target, it);
        if (!old) continue;
        // The new file replaces the old one in a single step; the old picture goes only when
        // its replacement is in place.
        if (!win::CopyFile(path, target, false)) continue;
        MakeWritable(target);
        m_browser.DeleteItem(old);
        win::DeleteFile(old->m_strThumbPath.empty() ? catalogue::ThumbPathFromKey(m_browser.ThumbFolder(), old->m_strCLSID)
                                                    : old->m_strThumbPath);
        m_browser.RemoveItem(old);
        if (all) noted.push_back(target);
    }
    if (all && noted.empty()) {
        AfxMessageBox(FormatSql("%d개의 파일이 이미 추가되어있습니다", static_cast<int>(paths->size())));
        return;
    }
    if (!all) {
        for (const CString& path : *paths) noted.push_back(photo + "/" + LeafName(path));
    }
    const int first = loading_string_list(&noted);
    m_browser.update_catalogue();
    m_browser.NotifyMainWnd(WM_PROGRESS_BEGIN, static_cast<WPARAM>(m_browser.GetThumbCount() - first));
    const bool dropped = m_browser.next_loading_thumb(first);
    m_browser.NotifyMainWnd(WM_PROGRESS_END, 0);
    if (dropped) m_browser.RebuildVectorFromList();
    if (bRecompose) m_browser.re_composition();
    m_grid.RenumberCurrent();
    m_browser.FinishLayout();
}

void CCatalogueFiles::PasteFile(CStringList* paths, int bRecompose) {
    const int first = loading_string_list(paths);
    m_browser.update_catalogue();
    if (m_browser.next_loading_thumb(first)) m_browser.RebuildVectorFromList();
    if (bRecompose) m_browser.re_composition();
    m_grid.RenumberCurrent();
    m_browser.FinishLayout();
}

void CCatalogueFiles::AlbumCopy() {
    std::set<CString> sources;
    for (vxImage* item : GetSelectedItems()) sources.insert(item->m_strFullPath);
    CStringList copies;
    for (const CString& source : sources) {
        const CString copy = CGandry::GetNextFileName(source);
        if (win::CopyFile(source, copy, true)) copies.push_back(copy);
    }
    const int first = loading_string_list(&copies);
    m_browser.NotifyMainWnd(WM_PROGRESS_BEGIN, static_cast<WPARAM>(m_browser.GetThumbCount() - first));
    const bool dropped = m_browser.next_loading_thumb(first);
    m_browser.update_catalogue();
    m_browser.NotifyMainWnd(WM_PROGRESS_END, 0);
    if (dropped) m_browser.RebuildVectorFromList();
    m_browser.re_composition();
    m_grid.RenumberCurrent();
    m_browser.FinishLayout();
}

// ---- Export ----------------------------------------------------------------------------------

void CCatalogueFiles::ExportFile(CString folder, int bUnique, int bUseTitle, int bAll, int& copied) {
    copied = 0;
    if (folder.empty() || folder.back() != '/') folder += "/";
    int counter = 0;
    bool overwriteAll = false;
    std::vector<vxImage*> items =
        bAll ? std::vector<vxImage*>(m_listThumb.begin(), m_listThumb.end()) : GetSelectedItems();
    for (vxImage* item : items) {
        const CString ext = catalogue::ToLower(CGandry::FindExtension(item->m_strFilename));
        CString base = bUseTitle && !item->m_strTitle.empty() ? item->m_strTitle : item->m_strFilename;
        if (std::size_t dot = base.rfind('.'); dot != CString::npos) base.erase(dot);
        // A title is free text: a "/" in it must not lead the copy out of the chosen folder.
        std::replace(base.begin(), base.end(), '/', '_');
        CString name;
        if (bUnique) {
            name = CGandry::GetUniqueName(folder, base, ext, counter);
        } else {
            name = base + "." + ext;
            if (win::PathExists(folder + name) && !overwriteAll) {
                const int answer = m_browser.m_pHost->AskOverwrite("파일이 존재합니다. 덮어쓸까요?");
                if (answer == 0) continue;
                if (answer == 2) overwriteAll = true;
            }
        }
        if (win::CopyFile(item->m_strFullPath, folder + name, false)) ++copied;
    }
}

// ---- Renaming under a journal -----------------------------------------------------------------
//
// A rename is two steps, moving the picture and updating its row; a process killed between them
// would leave a row for a file that no longer exists (dropped at the next loading, with the
// picture's title, keywords and albums). Each rename is therefore written to a journal first, and
// the next loading finishes a rename whose process is gone.

namespace {

constexpr char kJournalHeader[] = "VimbroRename 1";
constexpr char kJournalPrefix[] = "rename-";
constexpr char kJournalSuffix[] = ".journal";

struct RenameJournal {
    long owner = 0;
    CString oldKey, oldPath, newPath;
};

CString JournalPath() {
    return CGandry::GetRunDir() + kJournalPrefix + std::to_string(::getpid()) + kJournalSuffix;
}

// Fields are separated by zero bytes, which no path or key can hold.
CString EncodeJournal(const RenameJournal& j) {
    CString text = kJournalHeader;
    for (const CString& field : {std::to_string(j.owner), j.oldKey, j.oldPath, j.newPath}) {
        text.push_back('\0');
        text += field;
    }
    return text;
}

bool DecodeJournal(const CString& text, RenameJournal& j) {
    std::vector<CString> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\0', start);
        fields.push_back(text.substr(start, end == CString::npos ? CString::npos : end - start));
        if (end == CString::npos) break;
        start = end + 1;
    }
    if (fields.size() != 5 || fields[0] != kJournalHeader) return false;
    if (fields[1].empty() || fields[1].find_first_not_of("0123456789") != CString::npos || fields[1].size() > 9)
        return false;
    j.owner = std::atol(fields[1].c_str());
    j.oldKey = fields[2];
    j.oldPath = fields[3];
    j.newPath = fields[4];
    return !j.oldKey.empty() && !j.oldPath.empty() && !j.newPath.empty();
}

// A path directly inside the folder (no deeper, no way out).
bool DirectlyInside(const CString& path, const CString& folder) {
    if (path.size() <= folder.size() + 1 || path.compare(0, folder.size(), folder) != 0 || path[folder.size()] != '/')
        return false;
    const CString leaf = path.substr(folder.size() + 1);
    return leaf.find('/') == CString::npos && leaf != "." && leaf != "..";
}

}  // namespace

bool CCatalogueFiles::RenameItem(vxImage* item, const CString& name, const CString& path) {
    const CString thumbs = m_browser.ThumbFolder();
    const CString journal = JournalPath();
    const RenameJournal entry{static_cast<long>(::getpid()), item->m_strCLSID, item->m_strFullPath, path};
    if (!win::WriteFileAtomic(journal, EncodeJournal(entry))) return false;
    // A picture that cannot be moved keeps its name, key and row.
    if (!win::MoveFile(item->m_strFullPath, path)) {
        win::DeleteFile(journal);
        return false;
    }
    const CString oldKey = item->m_strCLSID;
    const CString oldThumb =
        item->m_strThumbPath.empty() ? catalogue::ThumbPathFromKey(thumbs, oldKey) : item->m_strThumbPath;
    item->m_strFilename = name;
    item->m_strFullPath = path;
    item->m_strCLSID = catalogue::KeyFromFile(path, name);
    m_rows.UpdateRenamed(oldKey, item->m_strCLSID, name, path);
    item->m_strThumbPath = catalogue::ThumbPathFromKey(thumbs, item->m_strCLSID);
    win::MoveFile(oldThumb, item->m_strThumbPath);
    win::DeleteFile(journal);
    return true;
}

void CCatalogueFiles::RecoverInterruptedRenames() {
    const CString runDir = CGandry::GetRunDir();
    const CString photo = m_browser.PhotoFolder();
    const CString thumbs = m_browser.ThumbFolder();
    for (const CString& file : win::ListFiles(runDir, CString(kJournalPrefix) + "*" + kJournalSuffix)) {
        const CString journal = runDir + file;
        CString text;
        RenameJournal entry;
        // Journals are a few hundred bytes; anything else is not one of ours.
        if (!win::ReadFile(journal, text) || text.size() > 65536 || !DecodeJournal(text, entry)) {
            win::DeleteFile(journal);
            continue;
        }
        // A rename still running in another process is that process's business.
        if (entry.owner != static_cast<long>(::getpid()) &&
            (::kill(static_cast<pid_t>(entry.owner), 0) == 0 || errno != ESRCH))
            continue;
        if (DirectlyInside(entry.oldPath, photo) && DirectlyInside(entry.newPath, photo) &&
            !win::PathExists(entry.oldPath) && win::FileExists(entry.newPath)) {
            const CString name = LeafName(entry.newPath);
            const CString newKey = catalogue::KeyFromFile(entry.newPath, name);
            if (!newKey.empty()) m_rows.UpdateRenamed(entry.oldKey, newKey, name, entry.newPath);
            const CString oldThumb = catalogue::ThumbPathFromKey(thumbs, entry.oldKey);
            if (!newKey.empty() && win::FileExists(oldThumb))
                win::MoveFile(oldThumb, catalogue::ThumbPathFromKey(thumbs, newKey));
        }
        // Otherwise the picture never moved (its row is still right) or both names are gone.
        win::DeleteFile(journal);
    }
}

// ---- Names and titles --------------------------------------------------------------------------

CString CCatalogueFiles::MakeStamp(const std::tm& now, int bDate, int bCompactDate, int bTime, int bAmPm) {
    CString date, time;
    if (bDate) {
        date = bCompactDate ? FormatSql("%02d%02d%02d", now.tm_year + 1900, now.tm_mon + 1, now.tm_mday)
                            : FormatSql("%04d_%02d_%02d", now.tm_year + 1900, now.tm_mon + 1, now.tm_mday);
    }
    if (bTime) {
        if (bAmPm) {
            time = now.tm_hour >= 13 ? FormatSql("PM %02d%02d%02d", now.tm_hour - 12, now.tm_min, now.tm_sec)
                                     : FormatSql("AM %02d%02d%02d", now.tm_hour, now.tm_min, now.tm_sec);
        } else {
            time = FormatSql("%02d%02d%02d", now.tm_hour, now.tm_min, now.tm_sec);
        }
    }
    if (!date.empty() && !time.empty()) return date + "-" + time;
    return date + time;
}

void CCatalogueFiles::SetFilename(CString base) {
    // A base is a plain name; one with a folder separator would move pictures out of the folder.
    if (base.find('/') != CString::npos) return;
    const CString photo = m_browser.PhotoFolder();
    const CString thumbs = m_browser.ThumbFolder();
    int counter = 0;
    for (vxImage* item : GetSelectedItems()) {
        const CString ext = catalogue::ToLower(CGandry::FindExtension(item->m_strFilename));
        const CString name = CGandry::GetUniqueName(photo + "/", base, ext, counter);
        const CString path = photo + "/" + name;
        RenameItem(item, name, path);
    }
    m_browser.Repaint();
}

void CCatalogueFiles::SetFilename(int bDate, int bCompactDate, int bTime, int bAmPm) {
    SetFilename(MakeStamp(LocalNow(), bDate, bCompactDate, bTime, bAmPm));
}

void CCatalogueFiles::SetTitle(CString base, int bNumbered) {
    int counter = 0;
    for (vxImage* item : GetSelectedItems()) {
        const CString title = bNumbered ? FormatSql("%s%03d", base.c_str(), counter++) : base;
        m_rows.SetColumn("Title", title, item->m_strCLSID);
        item->m_strTitle = title;
    }
    m_browser.Repaint();
}

void CCatalogueFiles::SetTitle(int bDate, int bCompactDate, int bTime, int bAmPm, int bNumbered) {
    SetTitle(MakeStamp(LocalNow(), bDate, bCompactDate, bTime, bAmPm), bNumbered);
}

void CCatalogueFiles::SetTitleFromFilename() {
    for (vxImage* item : GetSelectedItems()) {
        m_rows.SetColumn("Title", item->m_strFilename, item->m_strCLSID);
        item->m_strTitle = item->m_strFilename;
    }
    m_browser.Repaint();
}

// ---- After an edit, and restore ---------------------------------------------------------------

void CCatalogueFiles::UpdateCLSID(vxImage* item) {
    if (!item) return;
    const CString oldKey = item->m_strCLSID;
    const CString newKey = catalogue::KeyFromFile(item->m_strFullPath, item->m_strFilename);
    if (newKey.empty()) return;
    if (item->m_strOriginalPath.empty())
        m_rows.SetColumn("ClsID", newKey, oldKey);
    else
        m_rows.UpdateEdited(oldKey, newKey, item->m_strOriginalPath);
    item->m_strCLSID = newKey;
    win::DeleteFile(item->m_strThumbPath.empty() ? catalogue::ThumbPathFromKey(m_browser.ThumbFolder(), oldKey)
                                                 : item->m_strThumbPath);
    item->m_strThumbPath = catalogue::ThumbPathFromKey(m_browser.ThumbFolder(), newKey);
    item->ReleaseAll();
    item->MakingThumb();
    if (item->m_strCLSID != newKey) m_browser.FollowKeyChange(newKey, item);
}

void CCatalogueFiles::Restore() {
    const CString photo = m_browser.PhotoFolder();
    const CString backups = catalogue::BackupFolder();
    for (vxImage* item : GetSelectedItems()) {
        if (item->m_strOriginalPath.empty()) continue;
        // The backup name comes from the catalogue file: one with a folder in it would copy
        // from and delete outside the backup and photo folders.
        const CString& name = item->m_strOriginalPath;
        if (name.find('/') != CString::npos || name == "." || name == "..") continue;
        const CString backup = backups + "/" + item->m_strOriginalPath;
        CString path = photo + "/" + item->m_strOriginalPath;
        // The backup's name may meanwhile belong to another picture: that one is left alone.
        if (path != item->m_strFullPath && win::PathExists(path)) path = CGandry::GetNextFileName(path);
        // The edited picture is replaced only once the unedited one is in place; a backup that
        // cannot be copied stays where it is, and so does the item.
        if (!win::CopyFile(backup, path, false)) continue;
        if (path != item->m_strFullPath) win::DeleteFile(item->m_strFullPath);
        const CString oldKey = item->m_strCLSID;
        const CString oldThumb =
            item->m_strThumbPath.empty() ? catalogue::ThumbPathFromKey(m_browser.ThumbFolder(), oldKey) : item->m_strThumbPath;
        item->m_strFilename = LeafName(path);
        item->m_strFullPath = path;
        item->m_strCLSID = catalogue::KeyFromFile(path, item->m_strFilename);
        item->m_strOriginalPath.clear();
        m_rows.UpdateRestored(oldKey, item->m_strCLSID, item->m_strFilename, path);
        win::DeleteFile(backup);
        win::DeleteFile(oldThumb);
        const CString restoredKey = item->m_strCLSID;
        item->m_strThumbPath = catalogue::ThumbPathFromKey(m_browser.ThumbFolder(), restoredKey);
        item->ReleaseAll();
        item->MakingThumb();
        if (item->m_strCLSID != restoredKey) m_browser.FollowKeyChange(restoredKey, item);
    }
    m_browser.Repaint();
}

int CCatalogueFiles::is_restore() {
    for (vxImage* item : GetSelectedItems()) {
        if (!item->m_strOriginalPath.empty()) return 1;
    }
    return 0;
}
