#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include "platform/kordune/DBManagerOper.h"
#include "tests/support/TempHome.h"

namespace {

std::vector<std::string> Columns(const std::string& path, const std::string& table) {
    CDBManagerOper db(path);
    db.ExcuteQry(("select name from pragma_table_info('" + table + "') order by cid").c_str());
    std::vector<std::string> names;
    for (int row = 0; row < db.m_nRowCount; ++row) names.push_back(db.GetData(0, row));
    return names;
}

}  // namespace

TEST(DBManagerOper, NewFileGetsTheThreeTablesInColumnOrder) {
    testsupport::TempHome home;
    const std::string path = home.runDir() + "zldb.mdb";
    {
        CDBManagerOper db(path);
        ASSERT_TRUE(db.IsOpen());
    }
    EXPECT_EQ(Columns(path, "tbl_Album"), (std::vector<std::string>{"AlbumID", "AlbumName"}));
    EXPECT_EQ(Columns(path, "tbl_Keyword"), (std::vector<std::string>{"KeywordID", "KeywordName"}));
    EXPECT_EQ(Columns(path, "tbl_Itemlist"), (std::vector<std::string>{"ClsID", "AlbumID", "KeywordID", "Title",
                                                                       "Filename", "FullPath", "OriginalPath"}));
    CDBManagerOper db(path);
    db.ExcuteQry("select name from sqlite_master where type = 'index' and tbl_name = 'tbl_Itemlist'");
    ASSERT_EQ(db.m_nRowCount, 1);
    db.ExcuteQry("pragma journal_mode");
    EXPECT_EQ(db.GetData(0, 0), "wal");
}

TEST(DBManagerOper, QueriesKeepRowsUntilTheNextQuery) {
    testsupport::TempHome home;
    CDBManagerOper db(home.runDir() + "zldb.mdb");
    EXPECT_EQ(db.InsUpDel("insert into tbl_Album values(1, 'one')"), 1);
    EXPECT_EQ(db.InsUpDel("insert into tbl_Album values(2, '두 번째')"), 1);
    EXPECT_EQ(db.ExcuteQry("select AlbumID,AlbumName from tbl_Album order by AlbumID"), 1);
    ASSERT_EQ(db.m_nRowCount, 2);
    // A change between reads leaves the rows of the last query readable.
    db.InsUpDel("delete from tbl_Album where AlbumID = 1");
    int id = 0;
    EXPECT_EQ(db.GetData(0, 1, id), 1);
    EXPECT_EQ(id, 2);
    EXPECT_EQ(db.GetData(1, 1), "두 번째");
    EXPECT_EQ(db.GetData(0, 0), "1");
    // Out of range gives empty text and no integer.
    EXPECT_EQ(db.GetData(5, 0), "");
    EXPECT_EQ(db.GetData(0, 2), "");
    EXPECT_EQ(db.GetData(0, -1, id), 0);
    db.ExcuteQry("select * from tbl_Album where AlbumID = 1");
    EXPECT_EQ(db.m_nRowCount, 0);
}

TEST(DBManagerOper, NullAndEmptyTextReadAsEmpty) {
    testsupport::TempHome home;
    CDBManagerOper db(home.runDir() + "zldb.mdb");
    db.InsUpDel(
        "insert into tbl_Itemlist(ClsID, KeywordID, Title, Filename, FullPath) values('k', '', '', 'a.jpg', "
        "'/x/a.jpg')");
    db.ExcuteQry("select AlbumID, KeywordID, OriginalPath, Filename from tbl_Itemlist");
    ASSERT_EQ(db.m_nRowCount, 1);
    EXPECT_EQ(db.GetData(0, 0), "");
    EXPECT_EQ(db.GetData(1, 0), "");
    EXPECT_EQ(db.GetData(2, 0), "");
    EXPECT_EQ(db.GetData(3, 0), "a.jpg");
}

TEST(DBManagerOper, FailedStatementsChangeNothingAndCountNoRows) {
    testsupport::TempHome home;
    CDBManagerOper db(home.runDir() + "zldb.mdb");
    db.InsUpDel("insert into tbl_Album values(1, 'one')");
    db.ExcuteQry("select * from tbl_Album");
    ASSERT_EQ(db.m_nRowCount, 1);
    EXPECT_EQ(db.ExcuteQry("select nothing from nowhere"), 0);
    EXPECT_EQ(db.m_nRowCount, 0);
    EXPECT_FALSE(db.GetLastError().empty());
    EXPECT_EQ(db.InsUpDel("insert into tbl_Album values(2, 'unterminated)"), 0);
    // Only one statement per call: a second one is refused whole.
    EXPECT_EQ(db.InsUpDel("insert into tbl_Album values(3, 'x'); delete from tbl_Album"), 0);
    db.ExcuteQry("select * from tbl_Album");
    EXPECT_EQ(db.m_nRowCount, 1);
    EXPECT_EQ(db.ExcuteQry(nullptr), 0);
}

TEST(DBManagerOper, AlbumListHoldsEveryName) {
    testsupport::TempHome home;
    CDBManagerOper db(home.runDir() + "zldb.mdb");
    std::vector<CString> names{"stale"};
    db.GetAlbumList(&names);
    EXPECT_TRUE(names.empty());
    db.InsUpDel("insert into tbl_Album values(4, 'it''s')");
    db.InsUpDel("insert into tbl_Album values(1, '가족 사진')");
    db.GetAlbumList(&names);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_NE(std::find(names.begin(), names.end(), "it's"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "가족 사진"), names.end());
    db.GetAlbumList(nullptr);
}

TEST(DBManagerOper, UnopenableFileFailsCleanly) {
    testsupport::TempHome home;
    CDBManagerOper db(home.runDir() + "missing/folder/zldb.mdb");
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(db.InsUpDel("insert into tbl_Album values(1, 'x')"), 0);
    EXPECT_EQ(db.ExcuteQry("select * from tbl_Album"), 0);
    EXPECT_EQ(db.m_nRowCount, 0);
    std::vector<CString> names;
    db.GetAlbumList(&names);
    EXPECT_TRUE(names.empty());
}

TEST(DBManagerOper, ReopenedFileKeepsEveryStatementOfAKilledWriter) {
    testsupport::TempHome home;
    const std::string path = home.runDir() + "zldb.mdb";
    { CDBManagerOper db(path); }
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        CDBManagerOper db(path);
        for (int i = 0;; ++i) {
            std::string sql = "insert into tbl_Itemlist(ClsID, KeywordID, Title, Filename, FullPath) values('key" +
                              std::to_string(i) + "', '', '', 'f', 'p')";
            db.InsUpDel(sql.c_str());
            if (i == 200) {
                char c = 1;
                if (::write(pipeFds[1], &c, 1) != 1) ::_exit(2);
            }
        }
    }
    ::close(pipeFds[1]);
    char c = 0;
    ASSERT_EQ(::read(pipeFds[0], &c, 1), 1);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(pipeFds[0]);

    CDBManagerOper db(path);
    db.ExcuteQry("pragma integrity_check");
    EXPECT_EQ(db.GetData(0, 0), "ok");
    db.ExcuteQry("select ClsID from tbl_Itemlist");
    EXPECT_GE(db.m_nRowCount, 201);
    // Every row is whole and the keys run without a gap.
    db.ExcuteQry("select count(*), max(cast(substr(ClsID, 4) as integer)) from tbl_Itemlist");
    int count = 0, highest = -1;
    db.GetData(0, 0, count);
    db.GetData(1, 0, highest);
    EXPECT_EQ(count, highest + 1);
}
