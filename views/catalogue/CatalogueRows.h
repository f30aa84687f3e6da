// CCatalogueRows: the catalogue rows behind the album browser: the item rows (keys, album and
// keyword id lists, titles, names, backups), the albums and the keywords, every statement the
// browser runs, and the check of an album's rows against their files. It keeps no item of its
// own; the browser hands it the items a statement is about.
#pragma once

#include <utility>
#include <vector>

#include "platform/win/windef.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/NameRules.h"

class CDBManagerOper;
class vxImage;

class CCatalogueRows {
public:
    void SetDBConnect(CDBManagerOper* db) { m_pDB = db; }
    CDBManagerOper* GetDBConnect() const { return m_pDB; }

    // ---- Item rows ------------------------------------------------------------------------
    // One row of the item table, as far as a loading selects it.
    struct ItemRow {
        CString albums, key, keywords, title, filename, fullPath, original;
    };
    // Key, keywords, title and backup of every row (the all-photos loading).
    std::vector<ItemRow> ReadAllPhotoRows();
    // Every column of every row (the loading of one album and the keyword search).
    std::vector<ItemRow> ReadItemRows();
    void InsertItem(vxImage* item, int album, int bNew);
    void DeleteItem(vxImage* item, int album);
    void DeleteItem(vxImage* item);
    // 1 when the item has a row and its keywords were replaced by the list.
    int InsertKeyword(vxImage* item, CString list);
    // The album id list of the row of a key; false when there is no row.
    bool ReadAlbumList(const CString& key, CString& list);
    // One text column of the row of a key; empty without a row.
    CString ReadColumn(const char* column, const CString& key);
    void SetColumn(const char* column, const CString& value, const CString& key);
    void DeleteRow(const CString& key);
    // The row follows a picture that moved to a new name (and key).
    void UpdateRenamed(const CString& oldKey, const CString& newKey, const CString& name, const CString& path);
    // The row of a picture the editor rewrote, keeping its backup.
    void UpdateEdited(const CString& oldKey, const CString& newKey, const CString& backup);
    // The row of a picture whose backup was brought back.
    void UpdateRestored(const CString& oldKey, const CString& newKey, const CString& name, const CString& path);
    void RemoveAlbumInTotal(int album);
    // Every row loses the album, keeping the row.
    void TakeAlbumOffEveryRow(int album);

    // Whether a photo folder's listing may take rows away: it exists, can be read and shows at
    // least one picture.
    static bool PhotoFolderIsTrusted(const CString& photo, bool showsPicture);
    static bool PhotoFolderShowsPicture(const CString& photo);
    // Checks and repairs of an album row against its file; false when its file is missing (the
    // row then goes, unless the photo folder is not trusted). `trusted` is -1 until the folder
    // was examined.
    bool ReconcileAlbumRow(const CString& key, const CString& filename, const CString& fullPath, CString& newKey,
                           int& trusted);

    // ---- Albums -----------------------------------------------------------------------------
    CString CheckNewAlbumName(const CString& name);
    int AddAlbum(const CString& name);
    catalogue::AlbumRenameVerdict CheckAlbumRename(int album, const CString& name);
    int RenameAlbum(int album, const CString& name);
    void DeleteAlbumRow(int album);
    CString GetAlbumName(int album);
    std::vector<std::pair<int, CString>> GetAlbums();

    // ---- Keywords ---------------------------------------------------------------------------
    CString CheckNewKeywordName(const CString& name);
    int AddKeyword(const CString& name);
    // 1 renamed; -1 refused (message shown); 0 without a catalogue.
    int RenameKeyword(int keyword, const CString& name);
    // Takes the keywords off every row, then deletes them.
    void DeleteKeyword(const std::vector<int>& ids);
    std::vector<KEYWORD_HEADER> GetKeywords();

private:
    CDBManagerOper* m_pDB = nullptr;
};
