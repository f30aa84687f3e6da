// The keyword dialog against a real catalogue: each of its seven commands, the rows it selects
// on opening, its messages and count texts.
#include <QApplication>

#include "tests/dialogs/DialogsApp.h"

#include "app/DlgKeyword.h"
#include "tests/catalogue/Fixture.h"
#include "views/controls/ReportCtrl.h"
#include "views/controls/StaticEx.h"
#include "views/controls/xSkinButtonEx.h"

namespace {

class KeywordDialogTest : public cattest::CatalogueTest {
protected:
    void SetUp() override {
        DialogsApp();
        for (const char* n : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) Photo(n);
        view->AddKeyword("바다");  // 1
        view->AddKeyword("산");    // 2
        view->AddKeyword("강");    // 3
        view->SetAlbum(99, 0);
        Select({"a.jpg", "b.jpg"});
        std::vector<int> ids{1, 3};
        int count = 0;
        view->InsertKeyword(&ids, count);
        Select({"c.jpg"});
        ids = {2};
        view->InsertKeyword(&ids, count);
        boxes.clear();
    }

    std::vector<std::string> ListNames(CDlgKeyword& dlg) {
        std::vector<std::string> names;
        for (int r = 0; r < dlg.List()->GetRowCount(); ++r) names.push_back(dlg.List()->GetRowItems(r).at(0).text);
        return names;
    }
    void SelectRows(CDlgKeyword& dlg, std::initializer_list<int> rows) {
        dlg.List()->clearSelection();
        for (int r : rows) dlg.List()->SetSelectRow(r);
    }
};

const std::string kSelectFirst = "적용할 키워드를 선택하세요.";

TEST_F(KeywordDialogTest, OpeningSelectsTheKeywordsOfTheSelectedPictures) {
    Select({"a.jpg", "c.jpg", "d.jpg"});
    CDlgKeyword dlg(view.get());
    EXPECT_EQ(ListNames(dlg), (std::vector<std::string>{"바다", "산", "강"}));
    EXPECT_EQ(dlg.List()->GetMultiSelectIndex(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(dlg.CountStatic()->text().toStdString(), "2 / 4");
    // Named for what it shows; the count itself reaches assistive technology as its description.
    EXPECT_EQ(dlg.CountStatic()->accessibleName().toStdString(), "사진 수");
    EXPECT_EQ(dlg.CountStatic()->accessibleDescription().toStdString(), "2 / 4");
    EXPECT_EQ(dlg.Logic().Names(), (std::vector<CString>{"바다", "산", "강"}));
    EXPECT_EQ(dlg.List()->geometry().size(), QSize(200, 260));
    for (int id = 7237; id <= 7243; ++id) EXPECT_FALSE(dlg.Button(id)->accessibleName().isEmpty());
    EXPECT_FALSE(dlg.List()->accessibleName().isEmpty());
    if (const char* dir = std::getenv("DIALOG_SHOTS")) dlg.grab().save(QString("%1/DlgKeyword.png").arg(dir));

    Select({"d.jpg"});
    CDlgKeyword none(view.get());
    EXPECT_TRUE(none.List()->GetMultiSelectIndex().empty());
    EXPECT_EQ(none.CountStatic()->text().toStdString(), "0 / 4");
}

TEST_F(KeywordDialogTest, CommandsWithoutSelectionChangeNothing) {
    Select({"d.jpg"});
    CDlgKeyword dlg(view.get());
    bool asked = false;
    dlg.SetAskers([&](const std::vector<CString>&, CString&) { return asked = true; },
                  [&](const CString&, const std::vector<CString>&, CString&) { return asked = true; });
    const auto before = Rows();
    for (int id : {7238, 7239, 7240, 7242}) dlg.OnButton(id);
    EXPECT_FALSE(asked);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>(4, kSelectFirst)));
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(dlg.CountStatic()->text().toStdString(), "0 / 4");
}

TEST_F(KeywordDialogTest, NewRenameAndDeleteReloadTheList) {
    CDlgKeyword dlg(view.get());
    std::vector<CString> seen;
    dlg.SetAskers(
        [&](const std::vector<CString>& names, CString& name) {
            seen = names;
            name = "들";
            return true;
        },
        [&](const CString& oldName, const std::vector<CString>&, CString& name) {
            EXPECT_EQ(oldName, "산");
            name = "높은 산";
            return true;
        });
    dlg.OnButton(7237);
    EXPECT_EQ(seen, (std::vector<CString>{"바다", "산", "강"}));
    EXPECT_EQ(ListNames(dlg), (std::vector<std::string>{"바다", "산", "강", "들"}));

    SelectRows(dlg, {1, 3});
    dlg.OnButton(7238);  // the first selected row
    EXPECT_EQ(ListNames(dlg), (std::vector<std::string>{"바다", "높은 산", "강", "들"}));
    EXPECT_EQ(Item("c.jpg")->m_strKeyword, "높은 산");

    // Delete asks first; No keeps everything.
    SelectRows(dlg, {0, 2});
    boxes.Script({IDNO});
    dlg.OnButton(7239);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "2 개의 키워드가 삭제됩니다.\r\n해당 키워드를 가진 아이템들이 영향을 받습니다.");
    EXPECT_EQ(boxes.shown()[0].style, static_cast<UINT>(MB_YESNO | MB_ICONSTOP));
    EXPECT_EQ(ListNames(dlg).size(), 4u);
    boxes.Script({IDYES});
    dlg.OnButton(7239);
    EXPECT_EQ(ListNames(dlg), (std::vector<std::string>{"높은 산", "들"}));
    EXPECT_EQ(Column("KeywordID", "a.jpg"), "");
    EXPECT_EQ(Column("KeywordID", "c.jpg"), "?2");
}

TEST_F(KeywordDialogTest, ApplyReplacesAndRemoveClears) {
    Select({"b.jpg", "d.jpg"});
    CDlgKeyword dlg(view.get());
    SelectRows(dlg, {1});
    dlg.OnButton(7240);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"2 개의 아이템이 설정되었습니다."});
    EXPECT_EQ(Column("KeywordID", "b.jpg"), "?2");
    EXPECT_EQ(Column("KeywordID", "d.jpg"), "?2");
    EXPECT_EQ(Column("KeywordID", "a.jpg"), "?1?3");

    boxes.clear();
    dlg.OnButton(7241);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"2 개의 아이템이 해제되었습니다."});
    EXPECT_EQ(Column("KeywordID", "b.jpg"), "");
    EXPECT_EQ(Column("KeywordID", "d.jpg"), "");
}

TEST_F(KeywordDialogTest, SearchesShowFoundOverTotal) {
    CDlgKeyword dlg(view.get());
    SelectRows(dlg, {2});
    dlg.OnButton(7242);
    EXPECT_EQ(dlg.CountStatic()->text().toStdString(), "2 / 4");
    EXPECT_EQ(Names().size(), 2u);
    dlg.OnButton(7243);
    EXPECT_EQ(dlg.CountStatic()->text().toStdString(), "3 / 4");
    EXPECT_EQ(dlg.CountStatic()->accessibleDescription().toStdString(), "3 / 4");
    EXPECT_TRUE(boxes.texts().empty());
}

}  // namespace
