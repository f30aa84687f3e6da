#include "platform/kordune/DBManagerOper.h"

#include <sqlite3.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// Column order matters: inserts without a column list rely on it.
constexpr const char* kSchema[] = {
    "create table if not exists tbl_Album (AlbumID integer, AlbumName text)",
    "create table if not exists tbl_Keyword (KeywordID integer, KeywordName text)",
    "create table if not exists tbl_Itemlist (ClsID text, AlbumID text, KeywordID text, Title text, "
    "Filename text, FullPath text, OriginalPath text)",
    "create index if not exists idx_Itemlist_ClsID on tbl_Itemlist (ClsID)",
};

bool OnlyBlanks(const char* text) {
    for (; text && *text; ++text) {
        if (!std::isspace(static_cast<unsigned char>(*text)) && *text != ';') return false;
    }
    return true;
}

}  // namespace

CDBManagerOper::CDBManagerOper(const CString& path) : m_strPath(path) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        m_strError = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        return;
    }
    m_pDB = db;
    // Another process (the command-line tool beside the program) may hold the file for a moment.
    sqlite3_busy_timeout(m_pDB, 10000);
    // Write-ahead logging: a statement is either wholly in the file or not at all, even when the
    // process dies in the middle of it. NORMAL keeps commits cheap; the log is synced at each
    // checkpoint, so a crash never corrupts the file.
    sqlite3_exec(m_pDB, "pragma journal_mode=wal", nullptr, nullptr, nullptr);
    sqlite3_exec(m_pDB, "pragma synchronous=normal", nullptr, nullptr, nullptr);
    CreateSchema();
}

CDBManagerOper::~CDBManagerOper() {
    if (m_pDB) sqlite3_close_v2(m_pDB);
}

void CDBManagerOper::CreateSchema() {
    for (const char* sql : kSchema) {
        char* message = nullptr;
        if (sqlite3_exec(m_pDB, sql, nullptr, nullptr, &message) != SQLITE_OK && message) {
            m_strError = message;
        }
        sqlite3_free(message);
    }
}

int CDBManagerOper::Execute(const char* sql, bool keepRows) {
    if (keepRows) {
        m_rows.clear();
        m_nRowCount = 0;
    }
    m_strError.clear();
    if (!m_pDB) {
        m_strError = "catalogue not open";
        return 0;
    }
    if (!sql) {
        m_strError = "no statement";
        return 0;
    }
    if (m_fnTrace) m_fnTrace(sql);
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_pDB, sql, -1, &stmt, &tail) != SQLITE_OK || !stmt) {
        m_strError = sqlite3_errmsg(m_pDB);
        sqlite3_finalize(stmt);
        return 0;
    }
    // One statement per call: text after it would otherwise be silently dropped or, worse, be
    // the second half of a value that escaped its quotes.
    if (!OnlyBlanks(tail)) {
        m_strError = "more than one statement";
        sqlite3_finalize(stmt);
        return 0;
    }
    std::vector<std::vector<CString>> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (!keepRows) continue;
        const int columns = sqlite3_column_count(stmt);
        std::vector<CString> row(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            const unsigned char* text = sqlite3_column_text(stmt, c);
            if (text)
                row[static_cast<std::size_t>(c)].assign(reinterpret_cast<const char*>(text),
                                                        static_cast<std::size_t>(sqlite3_column_bytes(stmt, c)));
        }
        rows.push_back(std::move(row));
    }
    int ok = rc == SQLITE_DONE ? 1 : 0;
    if (!ok) m_strError = sqlite3_errmsg(m_pDB);
    sqlite3_finalize(stmt);
    if (keepRows && ok) {
        m_rows = std::move(rows);
        m_nRowCount = static_cast<int>(m_rows.size());
    }
    return ok;
}

int CDBManagerOper::ExcuteQry(const char* sql) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return Execute(sql, true);
}

CString CDBManagerOper::GetData(long column, long row) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= m_rows.size()) return CString();
    const auto& cells = m_rows[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= cells.size()) return CString();
    return cells[static_cast<std::size_t>(column)];
}

int CDBManagerOper::GetData(long column, long row, int& value) const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= m_rows.size()) return 0;
    const auto& cells = m_rows[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= cells.size()) return 0;
    const CString& text = cells[static_cast<std::size_t>(column)];
    errno = 0;
    char* end = nullptr;
    long number = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || errno == ERANGE || number < INT_MIN || number > INT_MAX) {
        value = 0;
        return 0;
    }
    value = static_cast<int>(number);
    return 1;
}

int CDBManagerOper::InsUpDel(const char* sql) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return Execute(sql, false);
}

void CDBManagerOper::GetAlbumList(std::vector<CString>* names) {
    if (!names) return;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    names->clear();
    if (!m_pDB) return;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_pDB, "select AlbumName from tbl_Album", -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return;
    }
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(stmt, 0);
        names->push_back(
            text ? CString(reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_column_bytes(stmt, 0)))
                 : CString());
    }
    sqlite3_finalize(stmt);
}

void CDBManagerOper::SetTrace(std::function<void(const CString&)> trace) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_fnTrace = std::move(trace);
}

CString CDBManagerOper::GetLastError() const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_strError;
}
