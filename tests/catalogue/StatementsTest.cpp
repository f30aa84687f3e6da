// Statement texts, quoting, id lists, free identifiers, albums and keywords.
#include "tests/catalogue/Fixture.h"

using cattest::CatalogueTest;

TEST(IdList, ParsesAsASet) {
    EXPECT_EQ(catalogue::ParseIdSet("?3?17"), (std::set<int>{3, 17}));
    EXPECT_EQ(catalogue::ParseIdSet("?17?3?17"), (std::set<int>{3, 17}));
    EXPECT_TRUE(catalogue::ParseIdSet("").empty());
    // Text before the first "?" is not an identifier.
    EXPECT_EQ(catalogue::ParseIdSet("12?4"), (std::set<int>{4}));
    EXPECT_TRUE(catalogue::IsIdInList(17, "?3?17"));
    EXPECT_FALSE(catalogue::IsIdInList(1, "?3?17"));
    EXPECT_FALSE(catalogue::IsIdInList(7, "?17"));
    EXPECT_TRUE(catalogue::IsAnyIdInList({9, 3}, "?3?17"));
    EXPECT_FALSE(catalogue::IsAnyIdInList({9, 4}, "?3?17"));
    EXPECT_FALSE(catalogue::IsAnyIdInList({}, "?3"));
    EXPECT_EQ(catalogue::AppendId("?3", 17), "?3?17");
    EXPECT_EQ(catalogue::AppendId("", 5), "?5");
    EXPECT_EQ(catalogue::MakeIdList({5, 2, 9}), "?5?2?9");
    EXPECT_EQ(catalogue::MakeIdList({}), "");
}

TEST(Statements, FormatAndQuote) {
    EXPECT_EQ(catalogue::FormatSql("insert into %s values(%d, '%s')", "tbl_Album", 3,
                                   catalogue::Quote("Tom's \"trip\"").c_str()),
              "insert into tbl_Album values(3, 'Tom''s \"trip\"')");
    const std::string longText(5000, 'x');
    EXPECT_EQ(catalogue::FormatSql("%s", longText.c_str()), longText);
    EXPECT_EQ(catalogue::Quote("''"), "''''");
}

TEST(Statements, ItemKeyAndCachePath) {
    EXPECT_EQ(catalogue::KeyPrefix(1136073600, 1234), "1136073600?1234?");
    // Only the low 32 bits, printed signed.
    EXPECT_EQ(catalogue::KeyPrefix(0x100000000LL + 5, 0x80000000ULL), "5?-2147483648?");
    EXPECT_EQ(catalogue::ThumbPathFromKey("/r/Thumb", "1136073600?1234?a.jpg"), "/r/Thumb/1136073600_1234_a.jpg.thm");
}

TEST(Statements, AcceptedFilesByExtension) {
    EXPECT_TRUE(catalogue::IsAcceptedFile("/p/a.JPG"));
    EXPECT_TRUE(catalogue::IsAcceptedFile("/p/a.jpeg"));
    EXPECT_TRUE(catalogue::IsAcceptedFile("/p/a.Png"));
    EXPECT_TRUE(catalogue::IsAcceptedFile("/p/a.bmp"));
    EXPECT_TRUE(catalogue::IsAcceptedFile("/p/a.gif"));
    EXPECT_FALSE(catalogue::IsAcceptedFile("/p/a.tif"));
    // Phone files only with a sound header; a missing file has none.
    EXPECT_FALSE(catalogue::IsAcceptedFile("/p/missing.pht"));
    EXPECT_FALSE(catalogue::IsAcceptedFile("/p/missing.eba"));
    EXPECT_FALSE(catalogue::IsAcceptedFile("/p/a.jpg.part.1.2"));
    EXPECT_FALSE(catalogue::IsAcceptedFile("/p.jpg/noext"));
    EXPECT_EQ(catalogue::TypeOfName("x.EBA"), 21);
}

TEST_F(CatalogueTest, FreeIdentifiersAreReusedSmallestFirst) {
    std::vector<std::string> trace;
    db->SetTrace([&trace](const CString& sql) { trace.push_back(sql); });
    EXPECT_EQ(view->AddAlbum("one"), 1);
    EXPECT_EQ(trace,
              (std::vector<std::string>{"select AlbumID from tbl_Album", "insert into tbl_Album values(1, 'one')"}));
    EXPECT_EQ(view->AddAlbum("two"), 2);
    EXPECT_EQ(view->AddAlbum("three"), 3);
    EXPECT_EQ(view->AddAlbum("four"), 4);
    trace.clear();
    EXPECT_EQ(view->AddAlbum("five"), 5);
    ASSERT_EQ(trace.size(), 6u);
    EXPECT_EQ(trace[1], "select * from tbl_Album where AlbumID = 1");
    EXPECT_EQ(trace[5], "insert into tbl_Album values(5, 'five')");
    db->SetTrace(nullptr);
    ASSERT_TRUE(view->DeleteAlbum(3, false));
    ASSERT_TRUE(view->DeleteAlbum(5, false));
    // With 1, 2 and 4 present the new album gets 3, then 5.
    EXPECT_EQ(view->AddAlbum("again"), 3);
    EXPECT_EQ(view->AddAlbum("later"), 5);
    EXPECT_EQ(view->GetAlbums(),
              (std::vector<std::pair<int, CString>>{{1, "one"}, {2, "two"}, {3, "again"}, {4, "four"}, {5, "later"}}));

    EXPECT_EQ(view->AddKeyword("k1"), 1);
    EXPECT_EQ(view->AddKeyword("k2"), 2);
    view->DeleteKeyword({1});
    EXPECT_EQ(view->AddKeyword("k3"), 1);
}

TEST_F(CatalogueTest, NamesWithQuotesHangulAndSpacesSurvive) {
    const std::string name = "it's 우리 \"집\"";
    const int id = view->AddAlbum(name);
    EXPECT_EQ(view->GetAlbumName(id), name);
    EXPECT_EQ(view->RenameAlbum(id, "Tom's 앨범 2"), 1);
    EXPECT_EQ(view->GetAlbumName(id), "Tom's 앨범 2");
    const int keyword = view->AddKeyword("바다's");
    ASSERT_EQ(view->GetKeywords().size(), 1u);
    EXPECT_EQ(view->GetKeywords()[0].strKeywordName, "바다's");
    EXPECT_EQ(view->RenameKeyword(keyword, "산 '높은'"), 1);
    EXPECT_EQ(view->GetKeywords()[0].strKeywordName, "산 '높은'");
}

TEST_F(CatalogueTest, AlbumNameChecksAndRenaming) {
    EXPECT_EQ(view->CheckNewAlbumName(""), "입력박스에 입력해주세요");
    EXPECT_EQ(view->CheckNewAlbumName(" trip"), "파일이름 첫문자에 공백은 허용되지 않습니다");
    EXPECT_EQ(view->CheckNewAlbumName("a/b"), "\\/<>\"?*:| 문자는 사용할수 없습니다");
    view->AddAlbum("trip");
    EXPECT_EQ(view->CheckNewAlbumName("trip"), "앨범명이 이미 존재합니다");
    EXPECT_EQ(view->CheckNewAlbumName("Trip"), "");
    const int other = view->AddAlbum("home");
    // Unchanged or empty names do nothing; another album's name is refused with the message.
    EXPECT_EQ(view->RenameAlbum(other, "home"), 0);
    EXPECT_EQ(view->RenameAlbum(other, ""), 0);
    EXPECT_EQ(view->RenameAlbum(other, "trip"), -1);
    EXPECT_EQ(boxes.texts().back(), "앨범명이 이미 존재합니다");
    EXPECT_EQ(view->GetAlbumName(other), "home");
    // A name the strip's edit would not take is refused without a message.
    boxes.clear();
    EXPECT_EQ(view->RenameAlbum(other, std::string(21, 'h')), -1);
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_EQ(view->GetAlbumName(other), "home");
    // The count limit comes first.
    for (int i = 0; i < 96; ++i) view->AddAlbum("a" + std::to_string(i));
    EXPECT_EQ(view->CheckNewAlbumName("new"), "앨범의 최대갯수는 98개입니다");
    EXPECT_FALSE(view->DeleteAlbum(99, false));
    EXPECT_EQ(boxes.texts().back(), "전체사진은 삭제할수 없습니다");
    EXPECT_EQ(view->GetAlbumName(99), "전체사진");
}

TEST_F(CatalogueTest, KeywordNameChecks) {
    EXPECT_EQ(view->CheckNewKeywordName(""), "입력해주세요");
    EXPECT_EQ(view->CheckNewKeywordName(" sea"), "파일이름 첫문자에 공백은 허용되지 않습니다");
    EXPECT_EQ(view->CheckNewKeywordName("a*"), "\\/<>\"?*:| 문자는 사용할수 없습니다");
    // Ten Korean syllables are twenty bytes and ten characters: accepted; 21 letters are not.
    EXPECT_EQ(view->CheckNewKeywordName("가나다라마바사아자차"), "");
    EXPECT_EQ(view->CheckNewKeywordName("가나다라마바사아자차카타파하가나다라마바사"),
              "키워드명은 20자로 제한되어 있습니다");
    EXPECT_EQ(view->CheckNewKeywordName(std::string(20, 'a')), "");
    EXPECT_EQ(view->CheckNewKeywordName(std::string(21, 'a')), "키워드명은 20자로 제한되어 있습니다");
    view->AddKeyword("sea");
    EXPECT_EQ(view->CheckNewKeywordName("sea"), "키워드명이 이미 존재합니다");
}

TEST(NameRules, AlbumRenamesFollowTheStrip) {
    using catalogue::AlbumRenameVerdict;
    const std::vector<CString> albums{"trip", "home"};
    EXPECT_EQ(catalogue::CheckAlbumRename("home", "garden", albums), AlbumRenameVerdict::Accept);
    EXPECT_EQ(catalogue::CheckAlbumRename("home", "home", albums), AlbumRenameVerdict::Unchanged);
    EXPECT_EQ(catalogue::CheckAlbumRename("home", "", albums), AlbumRenameVerdict::Empty);
    EXPECT_EQ(catalogue::CheckAlbumRename("home", "trip", albums), AlbumRenameVerdict::Duplicate);
    // Names differing in case are different names.
    EXPECT_EQ(catalogue::CheckAlbumRename("home", "Trip", albums), AlbumRenameVerdict::Accept);
    // Twenty characters fit, Hangul counting once; the 21st does not.
    EXPECT_EQ(catalogue::CheckAlbumRename("home", "가나다라마바사아자차카타파하가나다라마바", albums),
              AlbumRenameVerdict::Accept);
    EXPECT_EQ(catalogue::CheckAlbumRename("home", "가나다라마바사아자차카타파하가나다라마바a", albums),
              AlbumRenameVerdict::TooLong);
    EXPECT_EQ(catalogue::CheckAlbumRename("home", std::string(21, 'a'), albums), AlbumRenameVerdict::TooLong);
    EXPECT_EQ(catalogue::AlbumRenameMessage(AlbumRenameVerdict::Duplicate), "앨범명이 이미 존재합니다");
    EXPECT_EQ(catalogue::AlbumRenameMessage(AlbumRenameVerdict::Empty), "");
    EXPECT_EQ(catalogue::NameLength("가a나"), 3);
}

TEST(NameRules, KeywordNamesInTheDialogsOrder) {
    const std::vector<CString> keywords{"sea", "하늘"};
    // Each test comes before the next: a leading space before a forbidden character, a
    // forbidden character before the length, the length before the duplicate.
    EXPECT_EQ(catalogue::CheckKeywordName(" a*", keywords), "파일이름 첫문자에 공백은 허용되지 않습니다");
    EXPECT_EQ(catalogue::CheckKeywordName(std::string(21, 'a') + "?", keywords),
              "\\/<>\"?*:| 문자는 사용할수 없습니다");
    EXPECT_EQ(catalogue::CheckKeywordName("하늘", keywords), "키워드명이 이미 존재합니다");
    EXPECT_EQ(catalogue::CheckKeywordName("가나다라마바사아자차카타파하가나다라마바", keywords), "");
    EXPECT_EQ(catalogue::CheckKeywordName("가나다라마바사아자차카타파하가나다라마바사", keywords),
              "키워드명은 20자로 제한되어 있습니다");
}

TEST_F(CatalogueTest, KeywordRenamesFollowTheChangeNameDialog) {
    const int sea = view->AddKeyword("sea");
    view->AddKeyword("sky");
    // The dialog's list holds the keyword's own name too.
    for (const std::string& refused : std::vector<std::string>{"sky", "sea", "", " x", "a|b", std::string(21, 'k')}) {
        boxes.clear();
        EXPECT_EQ(view->RenameKeyword(sea, refused), -1) << refused;
        EXPECT_EQ(boxes.texts(), std::vector<std::string>{view->CheckNewKeywordName(refused)}) << refused;
    }
    ASSERT_EQ(view->GetKeywords().size(), 2u);
    EXPECT_EQ(view->GetKeywords()[0].strKeywordName, "sea");
    EXPECT_EQ(view->RenameKeyword(sea, "바다"), 1);
    EXPECT_EQ(view->GetKeywords()[0].strKeywordName, "바다");
}

TEST_F(CatalogueTest, ItemRowStatementsUseTheFixedTexts) {
    Photo("a.jpg");
    view->SetAlbum(99, 0);
    vxImage* item = Item("a.jpg");
    ASSERT_NE(item, nullptr);
    const std::string key = item->m_strCLSID;
    std::vector<std::string> trace;
    db->SetTrace([&trace](const CString& sql) { trace.push_back(sql); });
    view->InsertItem(item, 4, 0);
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0], "select AlbumID from tbl_Itemlist where ClsID = '" + key + "'");
    EXPECT_EQ(trace[1], "update tbl_Itemlist set AlbumID = '?4' where ClsID = '" + key + "'");
    trace.clear();
    view->DeleteItem(item);
    view->InsertItem(item, 0, 1);
    EXPECT_EQ(trace.back(), "insert into tbl_Itemlist(ClsID, KeywordID, Title, Filename, FullPath) values('" + key +
                                "', '', '', 'a.jpg', '" + photo + "/a.jpg')");
    view->DeleteItem(item);
    trace.clear();
    view->InsertItem(item, 7, 1);
    EXPECT_EQ(trace.back(), "insert into tbl_Itemlist(ClsID, AlbumID, KeywordID, Title, Filename, FullPath) values('" +
                                key + "', '?7', '', '', 'a.jpg', '" + photo + "/a.jpg')");
    trace.clear();
    view->DeleteItem(item, 7);
    EXPECT_EQ(trace.back(), "update tbl_Itemlist set AlbumID = '' where ClsID = '" + key + "'");
    db->SetTrace(nullptr);
    // The row stays with an empty list.
    EXPECT_EQ(Column("AlbumID", "a.jpg"), "");
}

TEST_F(CatalogueTest, AddingToAnAlbumNeverRepeatsIt) {
    Photo("a.jpg");
    view->SetAlbum(99, 0);
    vxImage* item = Item("a.jpg");
    view->InsertItem(item, 3, 0);
    view->InsertItem(item, 3, 0);
    view->InsertItem(item, 5, 0);
    EXPECT_EQ(Column("AlbumID", "a.jpg"), "?3?5");
    view->DeleteItem(item, 3);
    EXPECT_EQ(Column("AlbumID", "a.jpg"), "?5");
    // A row that does not exist is left alone by removal and keyword setting.
    view->DeleteItem(item);
    view->DeleteItem(item, 5);
    EXPECT_EQ(view->InsertKeyword(item, "?1"), 0);
    EXPECT_EQ(RowCount(), 0);
}

TEST_F(CatalogueTest, KeywordDeletionReachesEveryRow) {
    Photo("a.jpg");
    Photo("b.jpg");
    Photo("c.jpg");
    view->AddKeyword("two");   // 1
    view->AddKeyword("five");  // 2
    view->AddKeyword("nine");  // 3
    view->SetAlbum(99, 0);
    Select({"a.jpg", "b.jpg"});
    std::vector<int> ids{3, 2, 1};
    int count = 0;
    view->InsertKeyword(&ids, count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Column("KeywordID", "a.jpg"), "?3?2?1");
    EXPECT_EQ(Item("a.jpg")->m_strKeyword, "two, five, nine");
    Select({"c.jpg"});
    ids = {2};
    view->InsertKeyword(&ids, count);

    view->DeleteKeyword({2});
    EXPECT_EQ(Column("KeywordID", "a.jpg"), "?3?1");
    EXPECT_EQ(Column("KeywordID", "b.jpg"), "?3?1");
    EXPECT_EQ(Column("KeywordID", "c.jpg"), "");
    // The browser re-read the lists and names: ascending identifier order, ", " between.
    EXPECT_EQ(Item("a.jpg")->m_strKeywordID, "?3?1");
    EXPECT_EQ(Item("a.jpg")->m_strKeyword, "two, nine");
    EXPECT_EQ(Item("c.jpg")->m_strKeyword, "");
    EXPECT_EQ(view->GetKeywords().size(), 2u);

    // Keywords are replaced, not merged; an empty list removes them all.
    Select({"a.jpg"});
    ids = {};
    view->InsertKeyword(&ids, count);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Column("KeywordID", "a.jpg"), "");

    // Renaming a keyword renames it on the items on show.
    view->RenameKeyword(3, "nueve");
    EXPECT_EQ(Item("b.jpg")->m_strKeyword, "two, nueve");
}

TEST_F(CatalogueTest, KeywordsOfTheSelection) {
    Photo("a.jpg");
    Photo("b.jpg");
    Photo("c.jpg");
    view->AddKeyword("x");
    view->AddKeyword("y");
    view->SetAlbum(99, 0);
    Select({"a.jpg"});
    std::vector<int> ids{1};
    int count = 0;
    view->InsertKeyword(&ids, count);
    Select({"b.jpg"});
    ids = {2, 1};
    view->InsertKeyword(&ids, count);
    Select({"a.jpg", "b.jpg", "c.jpg"});
    std::set<int> found;
    int with = 0, total = 0;
    view->get_keywordlist_fromselected(&found, with, total);
    EXPECT_EQ(found, (std::set<int>{1, 2}));
    EXPECT_EQ(with, 2);
    EXPECT_EQ(total, 3);

    // Search by keyword: items holding any of them, counted against the album.
    int all = 0;
    std::vector<int> wanted{2};
    view->loading_album(&wanted, all);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.jpg"}));
    EXPECT_EQ(all, 3);
    wanted = {1, 2};
    view->loading_album(&wanted, all);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

TEST_F(CatalogueTest, DeletingAnAlbumFromSeveral) {
    Photo("only.jpg");
    Photo("both.jpg");
    Photo("none.jpg");
    const int a = view->AddAlbum("a");
    const int b = view->AddAlbum("b");
    view->SetAlbum(99, 0);
    Select({"only.jpg", "both.jpg"});
    view->MoveToAlbum(99, a);
    Select({"both.jpg"});
    view->MoveToAlbum(99, b);
    Select({"only.jpg"});
    view->SetTitle("kept?", 0);

    ASSERT_TRUE(view->DeleteAlbum(a, true));
    // The row of the item that was only in that album is gone; the other loses the album.
    EXPECT_EQ(Column("AlbumID", "only.jpg"), "<no row>");
    EXPECT_EQ(Column("AlbumID", "both.jpg"), "?" + std::to_string(b));
    EXPECT_TRUE(win::FileExists(photo + "/only.jpg"));
    // At the next all-photos loading the picture is back, without album or title.
    view->SetAlbum(99, 0);
    EXPECT_EQ(Column("AlbumID", "only.jpg"), "");
    EXPECT_EQ(Column("Title", "only.jpg"), "");
    EXPECT_EQ(view->GetAlbums(), (std::vector<std::pair<int, CString>>{{b, "b"}}));
}

TEST_F(CatalogueTest, DeletingOneAlbumLeavesNoStaleIdentifier) {
    Photo("a.jpg");
    Photo("b.jpg");
    const int a = view->AddAlbum("a");
    view->SetAlbum(99, 0);
    Select({"a.jpg", "b.jpg"});
    view->MoveToAlbum(99, a);
    view->SetTitle("t", 0);
    // The browser shows another album while album a is deleted alone.
    const int other = view->AddAlbum("other");
    view->SetAlbum(other, 0);
    ASSERT_TRUE(view->DeleteAlbum(a, false));
    EXPECT_EQ(Column("AlbumID", "a.jpg"), "");
    EXPECT_EQ(Column("AlbumID", "b.jpg"), "");
    EXPECT_EQ(Column("Title", "b.jpg"), "t");
    // A new album reusing the identifier starts empty.
    EXPECT_EQ(view->AddAlbum("fresh"), a);
    view->SetAlbum(a, 0);
    EXPECT_EQ(view->GetThumbCount(), 0);
}

TEST_F(CatalogueTest, RemoveAlbumTakesTheAlbumOffTheItemsOnShow) {
    Photo("a.jpg");
    Photo("b.jpg");
    const int a = view->AddAlbum("a");
    view->SetAlbum(99, 0);
    view->set_select_all(1);
    view->MoveToAlbum(99, a);
    view->SetAlbum(a, 0);
    ASSERT_EQ(view->GetThumbCount(), 2);
    view->RemoveAlbum(a);
    EXPECT_EQ(Column("AlbumID", "a.jpg"), "");
    EXPECT_EQ(RowCount(), 2);
}
