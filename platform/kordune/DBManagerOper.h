// CDBManagerOper: the catalogue database. Runs the SQL text the catalogue formats itself and keeps
// the rows of the last query readable by column and row number.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win/windef.h"

struct sqlite3;

class CDBManagerOper {
public:
    // Opens (and on first use creates) the catalogue file at `path`. The object stays usable when
    // the file cannot be opened: every statement then fails and every query comes back empty.
    explicit CDBManagerOper(const CString& path);
    ~CDBManagerOper();
    CDBManagerOper(const CDBManagerOper&) = delete;
    CDBManagerOper& operator=(const CDBManagerOper&) = delete;

    // Runs a select; afterwards m_nRowCount holds the number of rows (0 on failure) and the rows
    // stay readable until the next query. Returns 1 on success, 0 on failure.
    int ExcuteQry(const char* sql);

    // Value of a column (0-based position in the select list) of a row of the last query, as
    // text; empty for null or out of range.
    CString GetData(long column, long row);
    // Integer value of a column of the last query; returns 1 when the cell exists.
    int GetData(long column, long row, int& value) const;

    // Runs an insert, update or delete, stored at once. Returns 1 on success, 0 on failure.
    int InsUpDel(const char* sql);

    // Every "AlbumName" of "tbl_Album".
    void GetAlbumList(std::vector<CString>* names);

    bool IsOpen() const { return m_pDB != nullptr; }
    // The engine's message for the last failed statement; empty after a success.
    CString GetLastError() const;
    const CString& GetPath() const { return m_strPath; }
    // Sees the text of every statement before it runs (for diagnostics and tests).
    void SetTrace(std::function<void(const CString&)> trace);

    int m_nRowCount = 0;

private:
    void CreateSchema();
    int Execute(const char* sql, bool keepRows);

    sqlite3* m_pDB = nullptr;
    CString m_strPath;
    CString m_strError;
    std::function<void(const CString&)> m_fnTrace;
    std::vector<std::vector<CString>> m_rows;
    mutable std::recursive_mutex m_mutex;
};
