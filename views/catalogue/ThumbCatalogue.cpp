// Loading of albums, reconciliation with the photo folder, thumbnails, and the catalogue rows of
// items, albums and keywords.
#include "views/catalogue/ThumbCatalogue.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/afx/afxmsg.h"
#include "platform/afx/afxwin.h"
#include "platform/kordune/DBManagerOper.h"
#include "platform/win/fileapi.h"
#include "views/catalogue/NameRules.h"
#include "views/catalogue/OrderedParallel.h"
#include "views/catalogue/ThumbFile.h"
#include "views/catalogue/vxImage.h"

using catalogue::FormatSql;

int CThumbHost::AskOverwrite(const CString& text) {
    return AfxMessageBox(text, MB_OKCANCEL | MB_ICONQUESTION) == IDOK ? 1 : 0;
}

CThumbCatalogue::CThumbCatalogue() {
    m_vecThumb.reserve(100);
    m_log.CreateFileA("logThumb.txt");
}

CThumbCatalogue::~CThumbCatalogue() {
    ReleaseThumbList();
}

CString CThumbCatalogue::PhotoFolder() const {
    return catalogue::PhotoFolder();
}
CString CThumbCatalogue::ThumbFolder() const {
    return catalogue::ThumbFolder();
}

void CThumbCatalogue::NotifyMainWnd(UINT message, WPARAM wParam) {
    ::SendMessage(AfxGetMainWnd(), message, wParam, 0);
}

void CThumbCatalogue::ReleaseThumbList() {
    for (vxImage* item : m_listThumb) delete item;
    m_listThumb.clear();
    m_vecThumb.clear();
    m_grid.DetachCurrent();
}

// ---- Showing an album ---------------------------------------------------------------------

void CThumbCatalogue::SetAlbum(int album, int bStartup) {
    ReleaseThumbList();
    m_grid.ResetCurrent();
    m_nAlbumID = album;
    if (album == catalogue::kAllPhotosAlbum)
        loading_default(bStartup);
    else
        loading_album(album);
    select_properly();
    FinishLayout();
}

void CThumbCatalogue::FinishLayout() {
    SetScrollSizes();
    LayoutItems();
    Repaint();
}

void CThumbCatalogue::loading_default(int bStartup) {
    if (CGandry::IsEmptySpace()) {
        AfxMessageBox("빔브로 실행할 공간이 부족합니다.\r\n하드디스크 정리후 사용해주십시요.(최소 500MB)");
        return;
    }
    const CString photo = PhotoFolder();
    const bool folderWasThere = win::DirectoryExists(photo);
    if (!folderWasThere) catalogue::MakeFolder(photo);
    if (bStartup) {
        SweepStaleTemporaries(photo);
        // A kill while the first edit's backup was copied leaves one there too.
        if (win::DirectoryExists(catalogue::BackupFolder())) SweepStaleTemporaries(catalogue::BackupFolder());
    }
    m_files.RecoverInterruptedRenames();

    // Every accepted file of the photo folder is an item, in the order the folder lists them.
    std::unordered_map<CString, vxImage*> byKey;
    for (const win::FindData& fd : win::FindFiles(photo, "*.*")) {
        if (fd.isDirectory) continue;
        if (!catalogue::IsAcceptedFile(photo + "/" + fd.name)) continue;
        const CString key = catalogue::KeyPrefix(fd.lastWriteTime, fd.size) + fd.name;
        auto* item = new vxImage(this, key, fd.name, photo + "/" + fd.name);
        m_listThumb.push_back(item);
        m_vecThumb.push_back(item);
        byKey.emplace(key, item);
    }
    if (bStartup) NotifyMainWnd(WM_PROGRESS_BEGIN, m_vecThumb.size());

    // Rows whose key names no file go; the others give their item its values.
    const bool listingComplete = folderWasThere && CCatalogueRows::PhotoFolderIsTrusted(photo, !byKey.empty());
    for (const CCatalogueRows::ItemRow& row : m_rows.ReadAllPhotoRows()) {
        auto it = byKey.find(row.key);
        if (it == byKey.end()) {
            if (listingComplete) m_rows.DeleteRow(row.key);
            continue;
        }
        vxImage* item = it->second;
        item->m_strKeywordID = row.keywords;
        item->m_strTitle = row.title;
        item->m_strOriginalPath = row.original;
        item->m_bNew = 0;
    }
    update_catalogue();
    if (next_loading_thumb(0)) RebuildVectorFromList();
    if (bStartup) {
        NotifyMainWnd(WM_PROGRESS_END, 0);
        SweepThumbFolder();
    }
}

void CThumbCatalogue::loading_album(int album) {
    if (!DB()) return;
    LoadAlbumRows(album, [album](const CString& albums, const CString&) { return catalogue::IsIdInList(album, albums); });
}

void CThumbCatalogue::loading_album(std::vector<int>* ids, int& total) {
    total = 0;
    ReleaseThumbList();
    m_grid.ZeroCurrentNumber();
    if (!DB() || !ids) return;
    const bool all = m_nAlbumID == catalogue::kAllPhotosAlbum;
    LoadAlbumRows(m_nAlbumID, [&](const CString& albums, const CString& keywords) {
        if (!all && !catalogue::IsIdInList(m_nAlbumID, albums)) return false;
        ++total;
        return catalogue::IsAnyIdInList(*ids, keywords);
    });
}

void CThumbCatalogue::LoadAlbumRows(int album, const std::function<bool(const CString&, const CString&)>& accept) {
    // A rename cut short must be finished before the rows are checked against the files, or
    // the moved picture's row would be taken for a deleted file and dropped.
    m_files.RecoverInterruptedRenames();
    int trusted = -1;
    for (const CCatalogueRows::ItemRow& row : m_rows.ReadItemRows()) {
        if (!accept(row.albums, row.keywords)) continue;
        CString newKey;
        if (!m_rows.ReconcileAlbumRow(row.key, row.filename, row.fullPath, newKey, trusted)) continue;
        auto* item = new vxImage(this, newKey, album, row.keywords, row.title, row.filename, row.fullPath);
        item->m_strOriginalPath = row.original;
        m_vecThumb.push_back(item);
    }
    re_composition();
    if (next_loading_thumb(0)) RebuildVectorFromList();
    FinishLayout();
}

void CThumbCatalogue::re_composition() {
    auto byName = [](const vxImage* a, const vxImage* b) {
        return std::strcmp(a->m_strFilename.c_str(), b->m_strFilename.c_str()) < 0;
    };
    auto byTitle = [](const vxImage* a, const vxImage* b) {
        return std::strcmp(a->m_strTitle.c_str(), b->m_strTitle.c_str()) < 0;
    };
    if (m_enumOrder == SORT_ORDER_1)
        std::stable_sort(m_vecThumb.begin(), m_vecThumb.end(), byTitle);
    else
        std::stable_sort(m_vecThumb.begin(), m_vecThumb.end(), byName);
    RebuildListFromVector();
}

void CThumbCatalogue::RebuildVectorFromList() {
    m_vecThumb.assign(m_listThumb.begin(), m_listThumb.end());
}

void CThumbCatalogue::RebuildListFromVector() {
    m_listThumb.assign(m_vecThumb.begin(), m_vecThumb.end());
}

void CThumbCatalogue::RemoveItem(vxImage* item) {
    if (!item) return;
    m_listThumb.remove(item);
    auto it = std::find(m_vecThumb.begin(), m_vecThumb.end(), item);
    if (it != m_vecThumb.end()) m_vecThumb.erase(it);
    m_grid.Forget(item);
    delete item;
}

void CThumbCatalogue::DeleteItemCompletely(vxImage* item) {
    DeleteItem(item);
    win::DeleteFile(item->m_strThumbPath.empty() ? catalogue::ThumbPathFromKey(ThumbFolder(), item->m_strCLSID)
                                                 : item->m_strThumbPath);
    win::DeleteFile(item->m_strFullPath);
    RemoveItem(item);
}

void CThumbCatalogue::update_catalogue() {
    for (vxImage* item : m_listThumb) {
        if (!item->m_bNew) continue;
        InsertItem(item, 0, 1);
        item->m_bNew = 0;
    }
}

// ---- Thumbnails ---------------------------------------------------------------------------

namespace {

// Outcome of one item's thumbnail work, made on any thread and handled in display order.
enum class ThumbResult : unsigned char { Done, CacheFailed, Undecodable };

}  // namespace

bool CThumbCatalogue::next_loading_thumb(int first) {
    m_bBusy = true;
    const CString folder = ThumbFolder();
    bool folderIsNew = false;
    if (!win::DirectoryExists(folder)) {
        folderIsNew = true;
        catalogue::MakeFolder(folder);
    }
    const std::vector<KEYWORD_HEADER> keywords = catalogue::ReadKeywordTable(DB());

    std::vector<vxImage*> items;
    {
        int position = 0;
        for (vxImage* item : m_listThumb) {
            if (position++ < first) continue;
            item->m_strKeyword = catalogue::KeywordText(item->m_strKeywordID, keywords);
            item->m_strThumbPath = catalogue::ThumbPathFromKey(folder, item->m_strCLSID);
            items.push_back(item);
        }
    }

    // The pictures are decoded and scaled on every core; the results come in display order.
    std::vector<CString> oldKeys(items.size());
    bool dropped = false;
    catalogue::OrderedParallelMap<ThumbResult>(
        items.size(),
        [&](std::size_t index) {
            vxImage* item = items[index];
            oldKeys[index] = item->m_strCLSID;
            bool loaded = false;
            if (!folderIsNew && thumbfile::HasMarker(item->m_strThumbPath)) loaded = item->LoadingThumb();
            if (loaded || item->MakingThumb()) return ThumbResult::Done;
            return item->IsUndecodable() ? ThumbResult::Undecodable : ThumbResult::CacheFailed;
        },
        [&](std::size_t index, ThumbResult result) {
            vxImage* item = items[index];
            if (result != ThumbResult::Undecodable && item->m_strCLSID != oldKeys[index]) {
                FollowKeyChange(oldKeys[index], item);
            }
            NotifyMainWnd(WM_PROGRESS_POS, index + 1);
            if (result == ThumbResult::CacheFailed) {
                m_log.LogString("thumbnail cache not written: %s", item->m_strThumbPath.c_str());
            } else if (result == ThumbResult::Undecodable) {
                AfxMessageBox(FormatSql("%s 유효하지 않은 포맷입니다.", item->m_strFilename.c_str()));
                SetAsideUndecodable(item->m_strFullPath);
                m_listThumb.remove(item);
                if (m_grid.GetCurrent() == item) m_grid.ClearCurrent();
                delete item;
                items[index] = nullptr;
                dropped = true;
            }
        });
    m_bBusy = false;
    return dropped;
}

void CThumbCatalogue::FollowKeyChange(const CString& oldKey, vxImage* item) {
    // The picture was rewritten at 24 bits: its row must carry the new key, or the next loading of
    // the all-photos album would take it for a stranger and drop its albums, title and keywords.
    if (!DB() || item->m_bNew) return;
    m_rows.SetColumn("ClsID", item->m_strCLSID, oldKey);
}

void CThumbCatalogue::SetAsideUndecodable(const CString& path) {
    // The picture leaves the photo folder, as the catalogue cannot show it, but it is moved
    // rather than deleted: a file we cannot decode may still be the user's only copy.
    const CString folder = CGandry::GetRunDir() + "Invalid";
    catalogue::MakeFolder(folder);
    CString target = folder + "/" + CGandry::FindFilename(path, 1);
    if (win::PathExists(target)) target = CGandry::GetNextFileName(target);
    if (!win::MoveFile(path, target)) win::DeleteFile(path);
}

namespace {

// The process id in a temporary name: "<name>.part.<pid>.<n>" of a copy in progress, or
// ".<name>.vimbro<pid>_<n>" of a picture being rewritten; 0 when the name is neither.
long TemporaryOwner(const CString& name) {
    auto digits = [](const CString& text) {
        return !text.empty() && text.find_first_not_of("0123456789") == CString::npos;
    };
    std::size_t part = name.rfind(".part.");
    if (part != CString::npos) {
        const CString rest = name.substr(part + 6);
        const std::size_t dot = rest.find('.');
        if (dot != CString::npos && digits(rest.substr(0, dot)) && digits(rest.substr(dot + 1))) {
            return std::atol(rest.substr(0, dot).c_str());
        }
    }
    std::size_t mark = name.rfind(".vimbro");
    if (!name.empty() && name[0] == '.' && mark != CString::npos) {
        const CString rest = name.substr(mark + 7);
        const std::size_t bar = rest.find('_');
        if (bar != CString::npos && digits(rest.substr(0, bar)) && digits(rest.substr(bar + 1))) {
            return std::atol(rest.substr(0, bar).c_str());
        }
    }
    return 0;
}

}  // namespace

void CThumbCatalogue::SweepStaleTemporaries(const CString& folder) {
    // A process killed while copying or rewriting a picture leaves its unfinished temporary
    // behind; the finished file never appeared, so only the temporary goes, and only when its
    // process is gone.
    for (const win::FindData& fd : win::FindFiles(folder, "*")) {
        if (fd.isDirectory) continue;
        const long owner = TemporaryOwner(fd.name);
        if (owner <= 0 || owner == static_cast<long>(::getpid())) continue;
        if (::kill(static_cast<pid_t>(owner), 0) == 0 || errno != ESRCH) continue;
        win::DeleteFile(folder + "/" + fd.name);
    }
}

void CThumbCatalogue::SweepThumbFolder() {
    const CString folder = ThumbFolder();
    std::set<CString> keep;
    for (vxImage* item : m_listThumb) keep.insert(item->m_strThumbPath);
    for (const win::FindData& fd : win::FindFiles(folder, "*")) {
        if (fd.isDirectory) continue;
        const CString path = folder + "/" + fd.name;
        if (!keep.count(path)) win::DeleteFile(path);
    }
}

// ---- Item rows ------------------------------------------------------------------------------

void CThumbCatalogue::InsertKeyword(std::vector<int>* ids, int& count) {
    count = 0;
    const CString list = catalogue::MakeIdList(ids ? *ids : std::vector<int>());
    for (vxImage* item : GetSelectedItems()) {
        if (InsertKeyword(item, list)) {
            item->m_strKeywordID = list;
            ++count;
        }
    }
    RefreshKeywordTexts(catalogue::ReadKeywordTable(DB()), true);
    if (count != 0) Repaint();
}

void CThumbCatalogue::get_keywordlist_fromselected(std::set<int>* ids, int& withKeywords, int& total) {
    withKeywords = 0;
    total = GetThumbCount();
    for (vxImage* item : GetSelectedItems()) {
        std::set<int> held = catalogue::ParseIdSet(item->m_strKeywordID);
        if (!held.empty()) ++withKeywords;
        if (ids) ids->insert(held.begin(), held.end());
    }
}

void CThumbCatalogue::RefreshKeywordTexts(const std::vector<KEYWORD_HEADER>& table, bool selectedOnly) {
    for (vxImage* item : m_listThumb) {
        if (selectedOnly && !item->m_bSelected) continue;
        item->m_strKeyword = catalogue::KeywordText(item->m_strKeywordID, table);
    }
}

void CThumbCatalogue::reload_keyword() {
    if (DB()) {
        for (vxImage* item : m_listThumb) {
            item->m_strKeywordID = m_rows.ReadColumn("KeywordID", item->m_strCLSID);
        }
    }
    invalid_keyword();
}

void CThumbCatalogue::invalid_keyword() {
    RefreshKeywordTexts(catalogue::ReadKeywordTable(DB()), false);
    Repaint();
}

void CThumbCatalogue::RemoveAlbum(int album) {
    for (vxImage* item : m_listThumb) DeleteItem(item, album);
}

void CThumbCatalogue::MoveToAlbum(int from, int to) {
    if (to == catalogue::kAllPhotosAlbum || to == from) return;
    for (vxImage* item : GetSelectedItems()) InsertItem(item, to, 0);
}

// ---- Albums and keywords ------------------------------------------------------------------

bool CThumbCatalogue::DeleteAlbum(int album, bool bMultiple) {
    if (album == catalogue::kAllPhotosAlbum) {
        AfxMessageBox("전체사진은 삭제할수 없습니다");
        return false;
    }
    if (!DB()) return false;
    if (bMultiple) {
        m_rows.RemoveAlbumInTotal(album);
    } else {
        RemoveAlbum(album);
        m_rows.TakeAlbumOffEveryRow(album);
    }
    m_rows.DeleteAlbumRow(album);
    return true;
}

int CThumbCatalogue::RenameKeyword(int keyword, const CString& name) {
    const int result = m_rows.RenameKeyword(keyword, name);
    if (result == 1) invalid_keyword();
    return result;
}

void CThumbCatalogue::DeleteKeyword(const std::vector<int>& ids) {
    if (!DB() || ids.empty()) return;
    m_rows.DeleteKeyword(ids);
    reload_keyword();
}
