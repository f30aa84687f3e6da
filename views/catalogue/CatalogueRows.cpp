// The statements of the album browser: item rows, albums and keywords, and the check of album
// rows against their files.
#include "views/catalogue/CatalogueRows.h"

#include <unistd.h>

#include <algorithm>

#include "common/Gandry.h"
#include "platform/afx/afxwin.h"
#include "platform/kordune/DBManagerOper.h"
#include "platform/win/fileapi.h"
#include "views/catalogue/vxImage.h"

using catalogue::FormatSql;
using catalogue::Quote;

std::vector<CCatalogueRows::ItemRow> CCatalogueRows::ReadAllPhotoRows() {
    std::vector<ItemRow> rows;
    if (!m_pDB) return rows;
    m_pDB->ExcuteQry(
        FormatSql("select %s, %s, %s, %s from %s", "ClsID", "KeywordID", "Title", "OriginalPath", "tbl_Itemlist")
            .c_str());
    for (int row = 0; row < m_pDB->m_nRowCount; ++row) {
        ItemRow r;
        r.key = m_pDB->GetData(0, row);
        r.keywords = m_pDB->GetData(1, row);
        r.title = m_pDB->GetData(2, row);
        r.original = m_pDB->GetData(3, row);
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<CCatalogueRows::ItemRow> CCatalogueRows::ReadItemRows() {
    std::vector<ItemRow> rows;
    if (!m_pDB) return rows;
    m_pDB->ExcuteQry(FormatSql("select %s, %s, %s, %s, %s, %s, %s from %s", "AlbumID", "ClsID", "KeywordID", "Title",
                               "Filename", "FullPath", "OriginalPath", "tbl_Itemlist")
                         .c_str());
    for (int row = 0; row < m_pDB->m_nRowCount; ++row) {
        ItemRow r;
        r.albums = m_pDB->GetData(0, row);
        r.key = m_pDB->GetData(1, row);
        r.keywords = m_pDB->GetData(2, row);
        r.title = m_pDB->GetData(3, row);
        r.filename = m_pDB->GetData(4, row);
        r.fullPath = m_pDB->GetData(5, row);
        r.original = m_pDB->GetData(6, row);
        rows.push_back(std::move(r));
    }
    return rows;
}

bool CCatalogueRows::ReadAlbumList(const CString& key, CString& list) {
    list.clear();
    if (!m_pDB) return false;
    m_pDB->ExcuteQry(
        FormatSql("select %s from %s where %s = '%s'", "AlbumID", "tbl_Itemlist", "ClsID", Quote(key).c_str()).c_str());
    if (m_pDB->m_nRowCount < 1) return false;
    list = m_pDB->GetData(0, 0);
    return true;
}

CString CCatalogueRows::ReadColumn(const char* column, const CString& key) {
    if (!m_pDB) return CString();
    m_pDB->ExcuteQry(
        FormatSql("select %s from %s where %s = '%s'", column, "tbl_Itemlist", "ClsID", Quote(key).c_str()).c_str());
    return m_pDB->m_nRowCount >= 1 ? m_pDB->GetData(0, 0) : CString();
}

void CCatalogueRows::SetColumn(const char* column, const CString& value, const CString& key) {
    if (!m_pDB) return;
    m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = '%s'", "tbl_Itemlist", column, Quote(value).c_str(),
                              "ClsID", Quote(key).c_str())
                        .c_str());
}

void CCatalogueRows::DeleteRow(const CString& key) {
    if (!m_pDB) return;
    m_pDB->InsUpDel(FormatSql("delete from %s where %s = '%s'", "tbl_Itemlist", "ClsID", Quote(key).c_str()).c_str());
}

void CCatalogueRows::UpdateRenamed(const CString& oldKey, const CString& newKey, const CString& name,
                                   const CString& path) {
    if (!m_pDB) return;
    m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' , %s = '%s' , %s = '%s' where %s = '%s'", "tbl_Itemlist",
                              "ClsID", Quote(newKey).c_str(), "Filename", Quote(name).c_str(), "FullPath",
                              Quote(path).c_str(), "ClsID", Quote(oldKey).c_str())
                        .c_str());
}

void CCatalogueRows::UpdateEdited(const CString& oldKey, const CString& newKey, const CString& backup) {
    if (!m_pDB) return;
    m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' , %s = '%s' where %s = '%s'", "tbl_Itemlist", "OriginalPath",
                              Quote(backup).c_str(), "ClsID", Quote(newKey).c_str(), "ClsID", Quote(oldKey).c_str())
                        .c_str());
}

void CCatalogueRows::UpdateRestored(const CString& oldKey, const CString& newKey, const CString& name,
                                    const CString& path) {
    if (!m_pDB) return;
    m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' , %s = '%s' , %s = '%s' , %s = '%s' where %s = '%s'",
                              "tbl_Itemlist", "ClsID", Quote(newKey).c_str(), "Filename", Quote(name).c_str(),
                              "FullPath", Quote(path).c_str(), "OriginalPath", "", "ClsID", Quote(oldKey).c_str())
                        .c_str());
}

bool CCatalogueRows::PhotoFolderIsTrusted(const CString& photo, bool showsPicture) {
    // A photo folder that is missing, cannot be read or shows no picture at all is far more
    // likely a documents folder on a drive that is not there than a catalogue whose every
    // picture was deleted: then no row goes for want of its file until the pictures are seen
    // again.
    return showsPicture && win::DirectoryExists(photo) && ::access(photo.c_str(), R_OK | X_OK) == 0;
}

bool CCatalogueRows::PhotoFolderShowsPicture(const CString& photo) {
    for (const win::FindData& fd : win::FindFiles(photo, "*.*")) {
        if (!fd.isDirectory && catalogue::IsAcceptedFile(photo + "/" + fd.name)) return true;
    }
    return false;
}

bool CCatalogueRows::ReconcileAlbumRow(const CString& key, const CString& filename, const CString& fullPath,
                                        CString& newKey, int& trusted) {
    newKey = key;
    CString prefix;
    if (!catalogue::KeyPrefixFromFile(fullPath, prefix)) {
        // The folder is examined once per loading, and only when a file is missing.
        if (trusted < 0) {
            const CString photo = catalogue::PhotoFolder();
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

void CCatalogueRows::InsertItem(vxImage* item, int album, int bNew) {
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

void CCatalogueRows::DeleteItem(vxImage* item, int album) {
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

void CCatalogueRows::DeleteItem(vxImage* item) {
    if (!m_pDB || !item) return;
    const CString key = Quote(item->m_strCLSID);
    m_pDB->ExcuteQry(
        FormatSql("select %s from %s where %s = '%s'", "AlbumID", "tbl_Itemlist", "ClsID", key.c_str()).c_str());
    if (m_pDB->m_nRowCount < 1) return;
    m_pDB->InsUpDel(FormatSql("delete from %s where %s = '%s'", "tbl_Itemlist", "ClsID", key.c_str()).c_str());
}

int CCatalogueRows::InsertKeyword(vxImage* item, CString list) {
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

void CCatalogueRows::RemoveAlbumInTotal(int album) {
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

CString CCatalogueRows::CheckNewAlbumName(const CString& name) {
    std::vector<CString> names;
    if (m_pDB) m_pDB->GetAlbumList(&names);
    if (static_cast<int>(names.size()) >= catalogue::kMaxAlbums) return "앨범의 최대갯수는 98개입니다";
    return catalogue::CheckAlbumName(name, names);
}

int CCatalogueRows::AddAlbum(const CString& name) {
    if (!m_pDB) return 0;
    return catalogue::InsertWithFreeId(m_pDB, true, name);
}

catalogue::AlbumRenameVerdict CCatalogueRows::CheckAlbumRename(int album, const CString& name) {
    std::vector<CString> names;
    if (m_pDB) m_pDB->GetAlbumList(&names);
    return catalogue::CheckAlbumRename(GetAlbumName(album), name, names);
}

int CCatalogueRows::RenameAlbum(int album, const CString& name) {
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

CString CCatalogueRows::GetAlbumName(int album) {
    if (album == catalogue::kAllPhotosAlbum) return catalogue::kAllPhotosName;
    if (!m_pDB) return CString();
    m_pDB->ExcuteQry(FormatSql("select %s from %s where %s = %d", "AlbumName", "tbl_Album", "AlbumID", album).c_str());
    return m_pDB->m_nRowCount >= 1 ? m_pDB->GetData(0, 0) : CString();
}

std::vector<std::pair<int, CString>> CCatalogueRows::GetAlbums() {
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

CString CCatalogueRows::CheckNewKeywordName(const CString& name) {
    std::vector<CString> names;
    for (const KEYWORD_HEADER& k : GetKeywords()) names.push_back(k.strKeywordName);
    return catalogue::CheckKeywordName(name, names);
}

int CCatalogueRows::AddKeyword(const CString& name) {
    if (!m_pDB) return 0;
    return catalogue::InsertWithFreeId(m_pDB, false, name);
}

int CCatalogueRows::RenameKeyword(int keyword, const CString& name) {
    if (!m_pDB) return 0;
    const CString refusal = CheckNewKeywordName(name);
    if (!refusal.empty()) {
        AfxMessageBox(refusal);
        return -1;
    }
    m_pDB->InsUpDel(FormatSql("update %s set %s = '%s' where %s = %d", "tbl_Keyword", "KeywordName",
                              Quote(name).c_str(), "KeywordID", keyword)
                        .c_str());
    return 1;
}

void CCatalogueRows::DeleteKeyword(const std::vector<int>& ids) {
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
}

std::vector<KEYWORD_HEADER> CCatalogueRows::GetKeywords() {
    return catalogue::ReadKeywordTable(m_pDB);
}

void CCatalogueRows::TakeAlbumOffEveryRow(int album) {
    // Items of the album that are not on show keep their rows but lose the album too: a stale
    // identifier would otherwise put them into the next album that reuses it.
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

void CCatalogueRows::DeleteAlbumRow(int album) {
    m_pDB->InsUpDel(FormatSql("delete from %s where %s = %d", "tbl_Album", "AlbumID", album).c_str());
}
