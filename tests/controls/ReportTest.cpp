#include <gtest/gtest.h>

#include <QHeaderView>

#include "tests/controls/ControlsApp.h"
#include "views/controls/ReportCtrl.h"

using Item = CReportCtrlItem;

TEST(CReportCtrlItem, ImagesCompareByIndexAndBeforeText) {
    EXPECT_EQ(Item::Compare(Item("b", 5), Item("a", 2)), 3);
    EXPECT_EQ(Item::Compare(Item("a", 0), Item("a", 7)), -7);
    EXPECT_EQ(Item::Compare(Item("z", 0), Item("a")), -1);
    EXPECT_EQ(Item::Compare(Item("a"), Item("z", 3)), 1);
}

TEST(CReportCtrlItem, SizesCompareByTheirNumbers) {
    EXPECT_GT(Item::Compare(Item("100 KB"), Item("20 KB")), 0);
    EXPECT_LT(Item::Compare(Item("9 KB"), Item("10 KB")), 0);
    EXPECT_EQ(Item::Compare(Item("12 KB"), Item("12 KB")), 0);
    EXPECT_GT(Item::Compare(Item("1,024 KB"), Item("999 KB")), 0);
    EXPECT_EQ(Item::SizeOf("1,024 KB"), 1024);
    EXPECT_EQ(Item::SizeOf("KB"), 0);
    EXPECT_EQ(Item::SizeOf("99999999999999999999999 KB") > 0, true);
    // Text without the unit compares as text: "9" after "10".
    EXPECT_GT(Item::Compare(Item("9"), Item("10")), 0);
}

TEST(CReportCtrlItem, TextComparesByteByByteAndCaseSensitive) {
    EXPECT_LT(Item::Compare(Item("B"), Item("a")), 0);
    EXPECT_LT(Item::Compare(Item("가족"), Item("여행")), 0);
    EXPECT_EQ(Item::Compare(Item("풍경"), Item("풍경")), 0);
    EXPECT_LT(Item::Compare(Item(""), Item("a")), 0);
}

class ReportWidget : public ::testing::Test {
protected:
    void SetUp() override {
        ControlsApp();
        list.InsertColumn(0, "이름", CReportCtrlHeader::kLeft, 120);
        list.InsertColumn(1, "크기", CReportCtrlHeader::kRight, 80);
        list.AddRowItems({Item("여행"), Item("120 KB")}, 11);
        list.AddRowItems({Item("가족"), Item("8 KB")}, 22);
        list.AddRowItems({Item("Zoo"), Item("1,500 KB")}, 33);
        list.AddRowItems({Item("apple"), Item("64 KB")}, 44);
    }

    std::vector<std::string> Column(int c) const {
        std::vector<std::string> out;
        for (int r = 0; r < list.GetRowCount(); ++r)
            out.push_back(list.GetRowItems(r)[static_cast<std::size_t>(c)].text);
        return out;
    }

    CAppFirst app;
    CReportCtrl list;
};

TEST_F(ReportWidget, RowsItemsAndItemData) {
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.columnWidth(0), 120);
    EXPECT_EQ(list.GetRowCount(), 4);
    EXPECT_EQ(list.GetRowItems(1), (std::vector<Item>{Item("가족"), Item("8 KB")}));
    EXPECT_EQ(list.GetRowItemData(2), 33u);
    EXPECT_EQ(list.InsertRowItems(1, {Item("새 키워드")}, 55), 1);
    EXPECT_EQ(list.GetRowItems(1), (std::vector<Item>{Item("새 키워드"), Item("")}));
    EXPECT_EQ(list.GetRowItemData(2), 22u);
    EXPECT_TRUE(list.ModifyRowItems(1, {Item("바뀐 이름", 0), Item("1 KB")}));
    EXPECT_EQ(list.GetRowItemData(1), 55u);  // data survives a change of the items
    EXPECT_EQ(list.GetRowItems(1)[0].image, 0);
    EXPECT_TRUE(list.SetRowItemData(1, 66));
    EXPECT_EQ(list.GetRowItemData(1), 66u);
    EXPECT_TRUE(list.DeleteRow(1));
    EXPECT_EQ(list.GetRowCount(), 4);
    EXPECT_FALSE(list.DeleteRow(4));
    EXPECT_FALSE(list.ModifyRowItems(-1, {}));
    EXPECT_EQ(list.GetRowItemData(9), 0u);
    EXPECT_TRUE(list.GetRowItems(9).empty());
}

TEST_F(ReportWidget, FindStringExactSearchesAfterTheStartAndWraps) {
    list.AddRowItems({Item("가족"), Item("1 KB")}, 77);
    EXPECT_EQ(list.FindStringExact(-1, "가족"), 1);
    EXPECT_EQ(list.FindStringExact(1, "가족"), 4);
    EXPECT_EQ(list.FindStringExact(4, "가족"), 1);
    EXPECT_EQ(list.FindStringExact(-1, "Apple"), -1);  // exact: case counts
    EXPECT_EQ(list.FindStringExact(-1, "64 KB", 1), 3);
    EXPECT_EQ(list.FindStringExact(-1, "가족", 5), -1);
}

TEST_F(ReportWidget, SortByTextAndBySize) {
    list.SortList(0, CReportCtrl::kSortAscending);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Zoo", "apple", "가족", "여행"}));
    EXPECT_EQ(list.GetRowItemData(0), 33u);  // data moves with its row
    list.SortList(1, CReportCtrl::kSortAscending);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"8 KB", "64 KB", "120 KB", "1,500 KB"}));
    list.SortList(1, CReportCtrl::kSortDescending);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"1,500 KB", "120 KB", "64 KB", "8 KB"}));
    EXPECT_EQ(list.GetSortColumn(), 1);
}

TEST_F(ReportWidget, ImagesSortBeforeTextAndByIndex) {
    list.ModifyRowItems(0, {Item("여행", 2), Item("120 KB")});
    list.ModifyRowItems(3, {Item("apple", 0), Item("64 KB")});
    list.SortList(0, CReportCtrl::kSortAscending);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"apple", "여행", "Zoo", "가족"}));
}

TEST_F(ReportWidget, HeaderClicksSortAndReverse) {
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QHeaderView* h = list.header();
    const QPoint size(h->sectionPosition(1) + 10, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, size);
    EXPECT_EQ(Column(1).front(), "8 KB");
    EXPECT_EQ(list.GetSortMethod(), CReportCtrl::kSortAscending);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, size);
    EXPECT_EQ(Column(1).front(), "1,500 KB");
    EXPECT_EQ(list.GetSortMethod(), CReportCtrl::kSortDescending);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(10, h->height() / 2));
    EXPECT_EQ(Column(0).front(), "Zoo");
}

TEST_F(ReportWidget, SelectionSingleAndMultipleSurvivesSorting) {
    list.SetSelectRow(1);
    list.SetSelectRow(3);
    EXPECT_EQ(list.GetMultiSelectIndex(), std::vector<int>{3});
    list.SetMultiSelect(true);
    list.SetSelectRow(0);
    EXPECT_EQ(list.GetMultiSelectIndex(), (std::vector<int>{0, 3}));
    EXPECT_EQ(list.GetMultiSelectData(), (std::vector<CReportCtrl::ItemData>{11, 44}));
    EXPECT_EQ(list.GetSelectRowIndex(), 0);
    list.SortList(0, CReportCtrl::kSortAscending);  // Zoo, apple, 가족, 여행
    EXPECT_EQ(list.GetMultiSelectIndex(), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.GetMultiSelectData(), (std::vector<CReportCtrl::ItemData>{44, 11}));
    list.clearSelection();
    EXPECT_EQ(list.GetSelectRowIndex(), -1);
}

TEST_F(ReportWidget, RowHeightAndImageList) {
    list.SetRowHeight(18);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    EXPECT_EQ(list.visualItemRect(list.topLevelItem(0)).height(), 18);
    list.SetRowHeight(30);
    EXPECT_EQ(list.visualItemRect(list.topLevelItem(1)).height(), 30);
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(Qt::red);
    list.SetImageList(strip, 16);
    list.ModifyRowItems(0, {Item("여행", 1), Item("120 KB")});
    EXPECT_FALSE(list.topLevelItem(0)->icon(0).isNull());
    // An index beyond the list shows no picture but still sorts as an image.
    list.ModifyRowItems(1, {Item("가족", 9), Item("8 KB")});
    EXPECT_TRUE(list.topLevelItem(1)->icon(0).isNull());
    EXPECT_EQ(list.GetRowItems(1)[0].image, 9);
}
