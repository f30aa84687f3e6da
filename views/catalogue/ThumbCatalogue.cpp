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
using catalogue::Quote;

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
    m_pCurrent = nullptr;
}

// ---- Showing an album ---------------------------------------------------------------------

void CThumbCatalogue::SetAlbum(int album, int bStartup) {
    ReleaseThumbList();
    m_nCurrentNumber = 0;
    m_nOldCurrentNumber = 0;
    m_pCurrent = nullptr;
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
    if (bStartup) SweepStaleTemporaries(photo);
    RecoverInterruptedRenames();

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
    const bool listingComplete = folderWasThere && PhotoFolderIsTrusted(photo, !byKey.empty());
    if (m_pDB) {
        m_pDB->ExcuteQry(
            FormatSql("select %s, %s, %s, %s from %s", "ClsID", "KeywordID", "Title", "OriginalPath", "tbl_Itemlist")
                .c_str());
        const int rows = m_pDB->m_nRowCount;
        for (int row = 0; row < rows; ++row) {
            const CString key = m_pDB->GetData(0, row);
            auto it = byKey.find(key);
            if (it == byKey.end()) {
                if (listingComplete) {
                    m_pDB->InsUpDel(
                        FormatSql("delete from %s where %s = '%s'", "tbl_Itemlist", "ClsID", Quote(key).c_str())
                            .c_str());
                }
                continue;
            }
            vxImage* item = it->second;
            item->m_strKeywordID = m_pDB->GetData(1, row);
            item->m_strTitle = m_pDB->GetData(2, row);
            item->m_strOriginalPath = m_pDB->GetData(3, row);
            item->m_bNew = 0;
        }
    }
    update_catalogue();
    if (next_loading_thumb(0)) RebuildVectorFromList();
    if (bStartup) {
        NotifyMainWnd(WM_PROGRESS_END, 0);
        SweepThumbFolder();
    }
}

bool CThumbCatalogue::PhotoFolderIsTrusted(const CString& photo, bool showsPicture) {
    // A photo folder that is missing, cannot be read or shows no picture at all is far more
    // likely a documents folder on a drive that is not there than a catalogue whose every
    // picture was deleted: then no row goes for want of its file until the pictures are seen
    // again.
    return showsPicture && win::DirectoryExists(photo) && ::access(photo.c_str(), R_OK | X_OK) == 0;
}

bool CThumbCatalogue::PhotoFolderShowsPicture(const CString& photo) {
    for (const win::FindData& fd : win::FindFiles(photo, "*.*")) {
        if (!fd.isDirectory && catalogue::IsAcceptedFile(photo + "/" + fd.name)) return true;
    }
    return false;
}

bool CThumbCatalogue::ReconcileAlbumRow(const CString& key, const CString& filename, const CString& fullPath,
                                        CString& newKey, int& trusted) {
    newKey = key;
    CString prefix;
    if (!catalogue::KeyPrefixFromFile(fullPath, prefix)) {
        // The folder is examined once per loading, and only when a file is missing.
        if (trusted < 0) {
            const CString photo = PhotoFolder();
            trusted = PhotoFolderIsTrusted(photo, PhotoFolderShowsPicture(photo)) ? 1 : 0;
        }
        if (!trusted) return false;
        m_pDB->InsUpDel(
            FormatSql("delete from %s where %s = '%s'", "tbl_Itemlist", "ClsID", Quote(key).c_str()).c_str());
        return false;
    }
    newKey = prefix + filename;
    if (newKey != key) {
        m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = '%s'", "tbl_Itemlist", "ClsID",
                                  Quote(newKey).c_str(), "ClsID", Quote(key).c_str())
                            .c_str());
    }
    return true;
}

void CThumbCatalogue::loading_album(int album) {
    if (!m_pDB) return;
    LoadAlbumRows(album, [album](const CString& albums, const CString&) { return catalogue::IsIdInList(album, albums); });
}

void CThumbCatalogue::loading_album(std::vector<int>* ids, int& total) {
    total = 0;
    ReleaseThumbList();
    m_nCurrentNumber = 0;
    if (!m_pDB || !ids) return;
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
    RecoverInterruptedRenames();
    m_pDB->ExcuteQry(FormatSql("select %s, %s, %s, %s, %s, %s, %s from %s", "AlbumID", "ClsID", "KeywordID", "Title",
                               "Filename", "FullPath", "OriginalPath", "tbl_Itemlist")
                         .c_str());
    const int rows = m_pDB->m_nRowCount;
    int trusted = -1;
    for (int row = 0; row < rows; ++row) {
        const CString keywords = m_pDB->GetData(2, row);
        if (!accept(m_pDB->GetData(0, row), keywords)) continue;
        const CString key = m_pDB->GetData(1, row);
        const CString filename = m_pDB->GetData(4, row);
        const CString fullPath = m_pDB->GetData(5, row);
        CString newKey;
        if (!ReconcileAlbumRow(key, filename, fullPath, newKey, trusted)) continue;
        auto* item = new vxImage(this, newKey, album, keywords, m_pDB->GetData(3, row), filename, fullPath);
        item->m_strOriginalPath = m_pDB->GetData(6, row);
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

int CThumbCatalogue::IndexOf(const vxImage* item) const {
    auto it = std::find(m_vecThumb.begin(), m_vecThumb.end(), item);
    return it == m_vecThumb.end() ? -1 : static_cast<int>(it - m_vecThumb.begin());
}

void CThumbCatalogue::RemoveItem(vxImage* item) {
    if (!item) return;
    m_listThumb.remove(item);
    auto it = std::find(m_vecThumb.begin(), m_vecThumb.end(), item);
    if (it != m_vecThumb.end()) m_vecThumb.erase(it);
    if (m_pCurrent == item) {
        m_pCurrent = nullptr;
        m_nOldCurrentNumber = m_nCurrentNumber;
        m_nCurrentNumber = 0;
    } else if (m_pCurrent) {
        m_nCurrentNumber = IndexOf(m_pCurrent) + 1;
    }
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
    const std::vector<KEYWORD_HEADER> keywords = catalogue::ReadKeywordTable(m_pDB);

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
                if (m_pCurrent == item) ClearCurrent();
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
    if (!m_pDB || item->m_bNew) return;
    m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = '%s'", "tbl_Itemlist", "ClsID",
                              Quote(item->m_strCLSID).c_str(), "ClsID", Quote(oldKey).c_str())
                        .c_str());
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

void CThumbCatalogue::InsertItem(vxImage* item, int album, int bNew) {
    if (!m_pDB || !item) return;
    const CString key = Quote(item->m_strCLSID);
    if (!bNew) {
        m_pDB->ExcuteQry(
            FormatSql("select %s from %s where %s = '%s'", "AlbumID", "tbl_Itemlist", "ClsID", key.c_str()).c_str());
        if (m_pDB->m_nRowCount >= 1) {
            CString list = m_pDB->GetData(0, 0);
            if (!catalogue::IsIdInList(album, list)) {
                list = catalogue::AppendId(list, album);
                m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = '%s'", "tbl_Itemlist", "AlbumID",
                                          Quote(list).c_str(), "ClsID", key.c_str())
                                    .c_str());
            }
            return;
        }
    }
    CString albums;
    if (album >= 1)
        albums = catalogue::AppendId(CString(), album);
    else if (item->m_nAlbumID > 0 && item->m_nAlbumID != catalogue::kAllPhotosAlbum)
        albums = catalogue::AppendId(CString(), item->m_nAlbumID);
    if (albums.empty()) {
        m_pDB->InsUpDel(FormatSql("insert into %s(%s, %s, %s, %s, %s) values('%s', '%s', '%s', '%s', '%s')",
                                  "tbl_Itemlist", "ClsID", "KeywordID", "Title", "Filename", "FullPath", key.c_str(),
                                  Quote(item->m_strKeywordID).c_str(), Quote(item->m_strTitle).c_str(),
                                  Quote(item->m_strFilename).c_str(), Quote(item->m_strFullPath).c_str())
                            .c_str());
    } else {
        m_pDB->InsUpDel(FormatSql("insert into %s(%s, %s, %s, %s, %s, %s) values('%s', '%s', '%s', '%s', '%s', '%s')",
                                  "tbl_Itemlist", "ClsID", "AlbumID", "KeywordID", "Title", "Filename", "FullPath",
                                  key.c_str(), Quote(albums).c_str(), Quote(item->m_strKeywordID).c_str(),
                                  Quote(item->m_strTitle).c_str(), Quote(item->m_strFilename).c_str(),
                                  Quote(item->m_strFullPath).c_str())
                            .c_str());
    }
}

void CThumbCatalogue::DeleteItem(vxImage* item, int album) {
    if (!m_pDB || !item) return;
    const CString key = Quote(item->m_strCLSID);
    m_pDB->ExcuteQry(
        FormatSql("select %s from %s where %s = '%s'", "AlbumID", "tbl_Itemlist", "ClsID", key.c_str()).c_str());
    if (m_pDB->m_nRowCount < 1) return;
    const CString list = CGandry::get_new_stringid_except(album, m_pDB->GetData(0, 0));
    m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = '%s'", "tbl_Itemlist", "AlbumID", Quote(list).c_str(),
                              "ClsID", key.c_str())
                        .c_str());
}

void CThumbCatalogue::DeleteItem(vxImage* item) {
    if (!m_pDB || !item) return;
    const CString key = Quote(item->m_strCLSID);
    m_pDB->ExcuteQry(
        FormatSql("select %s from %s where %s = '%s'", "AlbumID", "tbl_Itemlist", "ClsID", key.c_str()).c_str());
    if (m_pDB->m_nRowCount < 1) return;
    m_pDB->InsUpDel(FormatSql("delete from %s where %s = '%s'", "tbl_Itemlist", "ClsID", key.c_str()).c_str());
}

int CThumbCatalogue::InsertKeyword(vxImage* item, CString list) {
    if (!m_pDB || !item) return 0;
    const CString key = Quote(item->m_strCLSID);
    m_pDB->ExcuteQry(
        FormatSql("select %s from %s where %s = '%s'", "AlbumID", "tbl_Itemlist", "ClsID", key.c_str()).c_str());
    if (m_pDB->m_nRowCount < 1) return 0;
    m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = '%s'", "tbl_Itemlist", "KeywordID",
                              Quote(list).c_str(), "ClsID", key.c_str())
                        .c_str());
    return 1;
}

void CThumbCatalogue::InsertKeyword(std::vector<int>* ids, int& count) {
    count = 0;
    const CString list = catalogue::MakeIdList(ids ? *ids : std::vector<int>());
    for (vxImage* item : GetSelectedItems()) {
        if (InsertKeyword(item, list)) {
            item->m_strKeywordID = list;
            ++count;
        }
    }
    RefreshKeywordTexts(catalogue::ReadKeywordTable(m_pDB), true);
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
    if (m_pDB) {
        for (vxImage* item : m_listThumb) {
            m_pDB->ExcuteQry(FormatSql("select %s from %s where %s = '%s'", "KeywordID", "tbl_Itemlist", "ClsID",
                                       Quote(item->m_strCLSID).c_str())
                                 .c_str());
            item->m_strKeywordID = m_pDB->m_nRowCount >= 1 ? m_pDB->GetData(0, 0) : CString();
        }
    }
    invalid_keyword();
}

void CThumbCatalogue::invalid_keyword() {
    RefreshKeywordTexts(catalogue::ReadKeywordTable(m_pDB), false);
    Repaint();
}

void CThumbCatalogue::RemoveAlbum(int album) {
    for (vxImage* item : m_listThumb) DeleteItem(item, album);
}

void CThumbCatalogue::RemoveAlbumInTotal(int album) {
    if (!m_pDB) return;
    m_pDB->ExcuteQry(FormatSql("select %s, %s from %s", "AlbumID", "ClsID", "tbl_Itemlist").c_str());
    const int rows = m_pDB->m_nRowCount;
    for (int row = 0; row < rows; ++row) {
        const CString list = m_pDB->GetData(0, row);
        std::set<int> held = catalogue::ParseIdSet(list);
        if (!held.count(album)) continue;
        const CString key = Quote(m_pDB->GetData(1, row));
        if (held.size() == 1) {
            m_pDB->InsUpDel(FormatSql("delete from %s where %s = '%s'", "tbl_Itemlist", "ClsID", key.c_str()).c_str());
        } else {
            m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = '%s'", "tbl_Itemlist", "AlbumID",
                                      Quote(CGandry::get_new_stringid_except(album, list)).c_str(), "ClsID",
                                      key.c_str())
                                .c_str());
        }
    }
}

void CThumbCatalogue::MoveToAlbum(int from, int to) {
    if (to == catalogue::kAllPhotosAlbum || to == from) return;
    for (vxImage* item : GetSelectedItems()) InsertItem(item, to, 0);
}

// ---- Albums and keywords ------------------------------------------------------------------

CString CThumbCatalogue::CheckNewAlbumName(const CString& name) {
    std::vector<CString> names;
    if (m_pDB) m_pDB->GetAlbumList(&names);
    if (static_cast<int>(names.size()) >= catalogue::kMaxAlbums) return "앨범의 최대갯수는 98개입니다";
    return catalogue::CheckAlbumName(name, names);
}

int CThumbCatalogue::AddAlbum(const CString& name) {
    if (!m_pDB) return 0;
    return catalogue::InsertWithFreeId(m_pDB, true, name);
}

catalogue::AlbumRenameVerdict CThumbCatalogue::CheckAlbumRename(int album, const CString& name) {
    std::vector<CString> names;
    if (m_pDB) m_pDB->GetAlbumList(&names);
    return catalogue::CheckAlbumRename(GetAlbumName(album), name, names);
}

int CThumbCatalogue::RenameAlbum(int album, const CString& name) {
    if (!m_pDB || album == catalogue::kAllPhotosAlbum) return 0;
    const catalogue::AlbumRenameVerdict verdict = CheckAlbumRename(album, name);
    if (verdict == catalogue::AlbumRenameVerdict::Unchanged || verdict == catalogue::AlbumRenameVerdict::Empty)
        return 0;
    if (verdict != catalogue::AlbumRenameVerdict::Accept) {
        const CString message = catalogue::AlbumRenameMessage(verdict);
        if (!message.empty()) AfxMessageBox(message);
        return -1;
    }
    m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = %d", "tbl_Album", "AlbumName", Quote(name).c_str(),
                              "AlbumID", album)
                        .c_str());
    return 1;
}

bool CThumbCatalogue::DeleteAlbum(int album, bool bMultiple) {
    if (album == catalogue::kAllPhotosAlbum) {
        AfxMessageBox("전체사진은 삭제할수 없습니다");
        return false;
    }
    if (!m_pDB) return false;
    if (bMultiple) {
        RemoveAlbumInTotal(album);
    } else {
        RemoveAlbum(album);
        // Items of the album that are not on show keep their rows but lose the album too: a
        // stale identifier would otherwise put them into the next album that reuses it.
        m_pDB->ExcuteQry(FormatSql("select %s, %s from %s", "AlbumID", "ClsID", "tbl_Itemlist").c_str());
        const int rows = m_pDB->m_nRowCount;
        for (int row = 0; row < rows; ++row) {
            const CString list = m_pDB->GetData(0, row);
            if (!catalogue::IsIdInList(album, list)) continue;
            CString rest = list;
            while (catalogue::IsIdInList(album, rest)) rest = CGandry::get_new_stringid_except(album, rest);
            m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = '%s'", "tbl_Itemlist", "AlbumID",
                                      Quote(rest).c_str(), "ClsID", Quote(m_pDB->GetData(1, row)).c_str())
                                .c_str());
        }
    }
    m_pDB->InsUpDel(FormatSql("delete from %s where %s = %d", "tbl_Album", "AlbumID", album).c_str());
    return true;
}

CString CThumbCatalogue::GetAlbumName(int album) {
    if (album == catalogue::kAllPhotosAlbum) return catalogue::kAllPhotosName;
    if (!m_pDB) return CString();
    m_pDB->ExcuteQry(FormatSql("select %s from %s where %s = %d", "AlbumName", "tbl_Album", "AlbumID", album).c_str());
    return m_pDB->m_nRowCount >= 1 ? m_pDB->GetData(0, 0) : CString();
}

std::vector<std::pair<int, CString>> CThumbCatalogue::GetAlbums() {
    std::vector<std::pair<int, CString>> albums;
    if (!m_pDB) return albums;
    m_pDB->ExcuteQry(FormatSql("select %s,%s from %s", "AlbumID", "AlbumName", "tbl_Album").c_str());
    for (int row = 0; row < m_pDB->m_nRowCount; ++row) {
        int id = 0;
        m_pDB->GetData(0, row, id);
        albums.emplace_back(id, m_pDB->GetData(1, row));
    }
    std::stable_sort(albums.begin(), albums.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return albums;
}

CString CThumbCatalogue::CheckNewKeywordName(const CString& name) {
    std::vector<CString> names;
    for (const KEYWORD_HEADER& k : GetKeywords()) names.push_back(k.strKeywordName);
    return catalogue::CheckKeywordName(name, names);
}

int CThumbCatalogue::AddKeyword(const CString& name) {
    if (!m_pDB) return 0;
    return catalogue::InsertWithFreeId(m_pDB, false, name);
}

int CThumbCatalogue::RenameKeyword(int keyword, const CString& name) {
    if (!m_pDB) return 0;
    const CString refusal = CheckNewKeywordName(name);
    if (!refusal.empty()) {
        AfxMessageBox(refusal);
        return -1;
    }
    m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = %d", "tbl_Keyword", "KeywordName",
                              Quote(name).c_str(), "KeywordID", keyword)
                        .c_str());
    invalid_keyword();
    return 1;
}

void CThumbCatalogue::DeleteKeyword(const std::vector<int>& ids) {
    if (!m_pDB || ids.empty()) return;
    m_pDB->ExcuteQry(FormatSql("select %s, %s from %s", "KeywordID", "Filename", "tbl_Itemlist").c_str());
    const int rows = m_pDB->m_nRowCount;
    for (int row = 0; row < rows; ++row) {
        const CString list = m_pDB->GetData(0, row);
        if (list.empty()) continue;
        CString rest = list;
        for (int id : ids) {
            while (catalogue::IsIdInList(id, rest)) rest = CGandry::get_new_stringid_except(id, rest);
        }
        if (rest == list) continue;
        m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = '%s'", "tbl_Itemlist", "KeywordID",
                                  Quote(rest).c_str(), "KeywordID", Quote(list).c_str())
                            .c_str());
    }
    for (int id : ids) {
        m_pDB->InsUpDel(FormatSql("delete from %s where %s = %d", "tbl_Keyword", "KeywordID", id).c_str());
    }
    reload_keyword();
}

std::vector<KEYWORD_HEADER> CThumbCatalogue::GetKeywords() {
    return catalogue::ReadKeywordTable(m_pDB);
}
