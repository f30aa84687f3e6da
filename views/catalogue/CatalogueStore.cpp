#include "views/catalogue/CatalogueStore.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/Gandry.h"
#include "imaging/extImage.h"
#include "platform/kordune/DBManagerOper.h"
#include "platform/kordune/SqlText.h"
#include "platform/win/fileapi.h"
#include "platform/win/filetype.h"

namespace catalogue {

CString FormatSql(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    CString text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(again);
    return text;
}

CString Quote(const CString& text) {
    return kordune::QuoteText(text);
}

std::vector<int> ParseIdList(const CString& list) {
    std::vector<int> ids;
    CString rest = list;
    for (std::size_t cut = rest.rfind('?'); cut != CString::npos; cut = rest.rfind('?')) {
        ids.push_back(std::atoi(rest.c_str() + cut + 1));
        rest.erase(cut);
    }
    return ids;
}

std::set<int> ParseIdSet(const CString& list) {
    std::vector<int> ids = ParseIdList(list);
    return std::set<int>(ids.begin(), ids.end());
}

bool IsIdInList(int id, const CString& list) {
    std::vector<int> ids = ParseIdList(list);
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool IsAnyIdInList(const std::vector<int>& ids, const CString& list) {
    std::set<int> held = ParseIdSet(list);
    for (int id : ids) {
        if (held.count(id)) return true;
    }
    return false;
}

CString AppendId(const CString& list, int id) {
    return list + "?" + std::to_string(id);
}

CString MakeIdList(const std::vector<int>& ids) {
    CString list;
    for (int id : ids) list = AppendId(list, id);
    return list;
}

int InsertWithFreeId(CDBManagerOper* db, bool album, const CString& name) {
    const char* table = album ? "tbl_Album" : "tbl_Keyword";
    const char* column = album ? "AlbumID" : "KeywordID";
    db->ExcuteQry(FormatSql("select %s from %s", column, table).c_str());
    const int n = db->m_nRowCount;
    int id = n + 1;
    for (int i = 1; i <= n; ++i) {
        db->ExcuteQry(FormatSql("select * from %s where %s = %d", table, column, i).c_str());
        if (db->m_nRowCount < 1) {
            id = i;
            break;
        }
    }
    db->InsUpDel(FormatSql("insert into %s values(%d, '%s')", table, id, Quote(name).c_str()).c_str());
    return id;
}

std::vector<KEYWORD_HEADER> ReadKeywordTable(CDBManagerOper* db) {
    std::vector<KEYWORD_HEADER> table;
    if (!db) return table;
    db->ExcuteQry(FormatSql("select %s, %s from %s", "KeywordID", "KeywordName", "tbl_Keyword").c_str());
    table.reserve(static_cast<std::size_t>(std::max(0, db->m_nRowCount)));
    for (int row = 0; row < db->m_nRowCount; ++row) {
        KEYWORD_HEADER header;
        db->GetData(0, row, header.nKeywordID);
        header.strKeywordName = db->GetData(1, row);
        table.push_back(std::move(header));
    }
    return table;
}

CString KeywordText(const CString& ids, const std::vector<KEYWORD_HEADER>& table) {
    CString text;
    for (int id : ParseIdSet(ids)) {
        auto it =
            std::find_if(table.begin(), table.end(), [id](const KEYWORD_HEADER& k) { return k.nKeywordID == id; });
        if (it == table.end()) continue;
        if (!text.empty()) text += ", ";
        text += it->strKeywordName;
    }
    return text;
}

CString KeyPrefix(std::int64_t lastWrite, std::uint64_t size) {
    const auto time32 = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(lastWrite)));
    const auto size32 = static_cast<std::int32_t>(static_cast<std::uint32_t>(size));
    return FormatSql("%ld?%d?", static_cast<long>(time32), size32);
}

bool KeyPrefixFromFile(const CString& path, CString& prefix) {
    std::int32_t lastWrite = 0, size = 0;
    if (!win::GetFileTimeAndSize(path, lastWrite, size)) return false;
    prefix = FormatSql("%ld?%d?", static_cast<long>(lastWrite), size);
    return true;
}

CString KeyFromFile(const CString& path, const CString& filename) {
    CString prefix;
    if (!KeyPrefixFromFile(path, prefix)) return CString();
    return prefix + filename;
}

CString ThumbPathFromKey(const CString& folder, const CString& key) {
    CString name = key;
    std::replace(name.begin(), name.end(), '?', '_');
    return folder + "/" + name + ".thm";
}

CString PhotoFolder() {
    return CGandry::GetDocumentPath() + "/ZEL/Photo";
}
CString ThumbFolder() {
    return CGandry::GetRunDir() + "Thumb";
}
CString BackupFolder() {
    return CGandry::GetRunDir() + "Origin";
}
CString CatalogueFile() {
    return CGandry::GetRunDir() + "zldb.mdb";
}

bool MakeFolder(const CString& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return win::DirectoryExists(path);
}

CString ToLower(CString text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

int TypeOfName(const CString& name) {
    std::size_t slash = name.rfind('/');
    CString leaf = slash == CString::npos ? name : name.substr(slash + 1);
    if (leaf.find('.') == CString::npos) return 0;
    return CGandry::FindType(ToLower(CGandry::FindExtension(leaf)));
}

bool IsAcceptedFile(const CString& path) {
    const int type = TypeOfName(path);
    if (type == FILETYPE_BMP || type == FILETYPE_GIF || type == FILETYPE_JPG || type == FILETYPE_PNG) return true;
    // A phone file must carry a sound header; its pixels are not decoded here.
    if (type == FILETYPE_PHT || type == FILETYPE_EBA) return extImage::IsValidFormat(path, type);
    return false;
}

}  // namespace catalogue
