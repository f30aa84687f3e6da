// The catalogue's statement texts and the id lists kept in the item table: formatting, quoting,
// parsing, the free-identifier search, the keyword table and item keys.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "platform/win/windef.h"

class CDBManagerOper;

// One row of "tbl_Keyword".
struct KEYWORD_HEADER {
    int nKeywordID = 0;
    CString strKeywordName;
};

namespace catalogue {

// The pseudo album that shows every picture of the photo folder; never part of an id list.
inline constexpr int kAllPhotosAlbum = 99;
inline constexpr int kMaxAlbums = 98;
inline constexpr const char* kAllPhotosName = "전체사진";

// printf into a string of any length.
CString FormatSql(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A text value ready to go between single quotes.
CString Quote(const CString& text);

// Identifiers of an id list in parse order: from the last "?" backwards; text before the first
// "?" is not an identifier.
std::vector<int> ParseIdList(const CString& list);
std::set<int> ParseIdSet(const CString& list);
bool IsIdInList(int id, const CString& list);
bool IsAnyIdInList(const std::vector<int>& ids, const CString& list);
// The list with a piece for id appended (callers test membership first).
CString AppendId(const CString& list, int id);
// "?a?b..." of ids in the given order.
CString MakeIdList(const std::vector<int>& ids);

// The smallest free identifier of "tbl_Album" (album) or "tbl_Keyword" (keyword), found by the
// probing statements, then inserted with the name. Returns the identifier.
int InsertWithFreeId(CDBManagerOper* db, bool album, const CString& name);

// Every row of "tbl_Keyword".
std::vector<KEYWORD_HEADER> ReadKeywordTable(CDBManagerOper* db);
// The names of a keyword id list in ascending identifier order, joined by ", "; identifiers
// without a row add nothing.
CString KeywordText(const CString& ids, const std::vector<KEYWORD_HEADER>& table);

// "%ld?%d?" of a file's last-write time and size (each the low 32 bits, signed); false when the
// file cannot be examined.
bool KeyPrefixFromFile(const CString& path, CString& prefix);
CString KeyPrefix(std::int64_t lastWrite, std::uint64_t size);
// The full item key of a file: prefix plus the file name; empty when the file is missing.
CString KeyFromFile(const CString& path, const CString& filename);
// The cache file of a key in a folder (given without trailing "/"): every "?" becomes "_".
CString ThumbPathFromKey(const CString& folder, const CString& key);

// Folders of the catalogue.
CString PhotoFolder();    // documents + "/ZEL/Photo"
CString ThumbFolder();    // program folder + "Thumb"
CString BackupFolder();   // program folder + "Origin"
CString CatalogueFile();  // program folder + "zldb.mdb"

// Creates a folder with every missing parent; true when it exists afterwards.
bool MakeFolder(const CString& path);

// The type code of a file name's extension (lowered, mapped by CGandry::FindType).
int TypeOfName(const CString& name);
CString ToLower(CString text);
// Files that become catalogue items: BMP, GIF, JPEG and PNG by their extension, PHT/IMG and
// EBA when their header is sound.
bool IsAcceptedFile(const CString& path);

}  // namespace catalogue
