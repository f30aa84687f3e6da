// The picture list and its items: where items land, what a click marks and tells the main
// window and the parent in each click mode, the dimmed copy, and what screen readers see.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QPainter>
#include <QTest>

#include <memory>

#include "platform/afx/afxmsg.h"
#include "tests/pickers/PickerHelpers.h"
#include "views/catalogue/PictureList.h"
#include "views/catalogue/artPicture.h"

using namespace pickertest;

namespace {

class TestList : public CPictureList {
public:
    explicit TestList(QWidget* parent = nullptr) : CPictureList(parent) {}
    using CPictureList::SetControlWidth;
    using CPictureList::SetDimSelected;
    using CPictureList::SetItemGeometry;
};

// A parent that takes window messages, as the panels do.
class Parent : public QWidget, public Recorder {
public:
    Parent() : Recorder(false) {}
};

struct ListWithItems {
    explicit ListWithItems(int count, int mode, QWidget* parent = nullptr) : list(parent) {
        list.SetControlWidth(70);
        list.SetItemGeometry(40, 30, 10, 5);  // pitch 45
        list.SetClickMode(mode);
        list.SetSpecies(SPECIES_FRAME);
        list.resize(70, 200);
        for (int i = 0; i < count; ++i) {
            items.push_back(
                std::make_unique<artPicture>(new extImage(Pattern(4, 4, i)), CString("item") + std::to_string(i)));
            list.AddTail(items.back().get());
        }
    }
    std::vector<int> Marked() const {
        std::vector<int> out;
        for (int i = 0; i < list.GetCount(); ++i) {
            if (list.GetItem(i)->GetSelected()) out.push_back(i);
        }
        return out;
    }
    TestList list;
    std::vector<std::unique_ptr<artPicture>> items;
};

TEST(PictureList, LaysItemsOutInOneCentredColumn) {
    App();
    ListWithItems l(3, 0);
    EXPECT_EQ(l.list.get_height_oneItem(), 45);
    EXPECT_EQ(l.list.get_height_totalItem(), 135);
    EXPECT_EQ(l.list.GetItemRect(0), CRect(15, 0, 55, 30));
    EXPECT_EQ(l.list.GetItemRect(2), CRect(15, 90, 55, 120));
    EXPECT_EQ(l.items[1]->GetPicRect(), CRect(15, 45, 55, 75));
    EXPECT_EQ(l.items[1]->GetOwner(), &l.list);
    EXPECT_EQ(l.list.HitTest(CPoint(15, 45)), 1);
    EXPECT_EQ(l.list.HitTest(CPoint(14, 45)), -1);
    EXPECT_EQ(l.list.HitTest(CPoint(30, 80)), -1);  // the label and gap below item 1
    EXPECT_EQ(l.list.GetBackColor(), 0xEDEDEDu);
    EXPECT_EQ(l.list.GetPickerValue(), 255);
}

TEST(PictureList, ModeZeroPostsTheChoiceAndKeepsItOnAMiss) {
    App();
    Recorder main;
    Parent parent;
    ListWithItems l(3, 0, &parent);
    l.list.OnLButtonDown(CPoint(30, 50));  // item 1
    EXPECT_TRUE(main.messages.empty());    // posted, not sent
    QCoreApplication::processEvents();
    ASSERT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(main.messages[0], (Message{WM_PICTURE_LIST_CLICK, 1, SPECIES_FRAME}));
    EXPECT_EQ(l.Marked(), std::vector<int>{1});
    EXPECT_EQ(l.list.GetCurrent(), 1);

    // Between items 1 and 2: the old choice stays marked and nothing is posted.
    l.list.OnLButtonDown(CPoint(30, 80));
    QCoreApplication::processEvents();
    EXPECT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(l.Marked(), std::vector<int>{1});
    // Every click reaches the parent.
    EXPECT_EQ(parent.messages,
              (std::vector<Message>{{CPictureList::kMsgClicked, 0, 0}, {CPictureList::kMsgClicked, 0, 0}}));
}

TEST(PictureList, ScrollOffsetMovesTheClickedPoint) {
    App();
    Recorder main;
    ListWithItems l(4, 1);
    l.list.SetPosVer(90);
    l.list.OnLButtonDown(CPoint(30, 5));  // content y 95: item 2
    ASSERT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(main.messages[0].wParam, 2u);
}

TEST(PictureList, ModeOneSendsAndAMissClearsTheMarks) {
    App();
    Recorder main;
    ListWithItems l(3, 1);
    l.list.OnLButtonDown(CPoint(30, 95));  // item 2, sent at once
    ASSERT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(main.messages[0], (Message{WM_PICTURE_LIST_CLICK, 2, SPECIES_FRAME}));
    EXPECT_EQ(l.Marked(), std::vector<int>{2});
    l.list.OnLButtonDown(CPoint(2, 95));  // beside the item
    ASSERT_EQ(main.messages.size(), 2u);
    EXPECT_EQ(static_cast<int>(main.messages[1].wParam), -1);
    EXPECT_TRUE(l.Marked().empty());
}

TEST(PictureList, ModeTwoMovesTheCurrentItemWithoutMarks) {
    App();
    Recorder main;
    ListWithItems l(3, 2);
    l.list.SetSpecies(SPECIES_ALBUM);
    l.list.SetCurrent(1);
    l.list.OnLButtonDown(CPoint(30, 100));
    ASSERT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(main.messages[0], (Message{WM_PICTURE_LIST_CLICK, 2, SPECIES_ALBUM}));
    EXPECT_EQ(l.list.GetCurrent(), 2);
    EXPECT_EQ(l.Marked(), std::vector<int>{0});
    l.list.OnLButtonDown(CPoint(30, 190));  // no item: nothing at all
    EXPECT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(l.list.GetCurrent(), 2);
}

TEST(PictureList, SetCurrentCountsFromOneAndMarksThatItemAlone) {
    App();
    ListWithItems l(3, 0);
    l.list.SetCurrent(3);
    EXPECT_EQ(l.list.GetCurrent(), 2);
    EXPECT_EQ(l.Marked(), std::vector<int>{2});
    l.list.SetCurrent(1);
    EXPECT_EQ(l.Marked(), std::vector<int>{0});
    l.list.SetCurrent(4);  // beyond the list: unchanged
    EXPECT_EQ(l.list.GetCurrent(), 0);
}

TEST(PictureList, MouseClickGoesThroughTheSameProtocol) {
    App();
    Recorder main;
    ListWithItems l(2, 1);
    l.list.show();
    QTest::mouseClick(&l.list, Qt::LeftButton, {}, QPoint(30, 10));
    ASSERT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(main.messages[0].wParam, 0u);
}

TEST(PictureList, AccessibleListNamesItemsAndShowsTheChoice) {
    App();
    Recorder main;
    ListWithItems l(3, 1);
    l.list.SetCurrent(2);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&l.list);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), 3);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), QStringLiteral("item0"));
    EXPECT_EQ(list->child(2)->role(), QAccessible::ListItem);
    EXPECT_FALSE(list->child(0)->state().selected);
    EXPECT_TRUE(list->child(1)->state().selected);
    // The default action clicks the item.
    QAccessibleActionInterface* action = list->child(2)->actionInterface();
    ASSERT_NE(action, nullptr);
    action->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(main.messages[0].wParam, 2u);
    EXPECT_TRUE(list->child(2)->state().selected);
}

TEST(ArtPicture, DimmedCopyIsMadeOnceAtSeventyPercentWithADimmedKey) {
    extImage* picture = new extImage(Pattern(5, 3));
    artPicture item(picture, "x");
    item.MakeReverseImage();
    extImage* dimmed = item.GetPtrReverse();
    ASSERT_NE(dimmed, nullptr);
    item.MakeReverseImage();
    EXPECT_EQ(item.GetPtrReverse(), dimmed);
    extImage expected(*picture);
    expected.bright(70);
    EXPECT_EQ(Pixels(*dimmed), Pixels(expected));
    const RGBQUAD key = dimmed->GetTransColor();
    EXPECT_EQ(key.rgbRed, 0);
    EXPECT_EQ(key.rgbGreen, 178);
    EXPECT_EQ(key.rgbBlue, 0);
    EXPECT_EQ(Pixels(*picture), Pixels(Pattern(5, 3)));  // the picture itself is untouched
}

TEST(ArtPicture, SelectedItemOfADimmingListIsDrawnDimmedWithoutOutline) {
    App();
    TestList list;
    list.SetControlWidth(20);
    list.SetItemGeometry(10, 10, 0, 0);
    list.SetDimSelected(true);
    extImage* picture = new extImage(10, 10, 24);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) picture->SetPixelColor(x, y, RGBQUAD{200, 100, 50, 0});
    artPicture item(picture, "x");
    list.AddTail(&item);
    item.SetSelected(1);
    QImage canvas(20, 10, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        item.Draw(&p, 0);
    }
    ASSERT_NE(item.GetPtrReverse(), nullptr);
    extImage dimmed(*picture);
    dimmed.bright(70);
    const RGBQUAD d = dimmed.GetPixelColor(0, 0);
    // Every pixel, the edge included, is the dimmed colour.
    EXPECT_EQ(canvas.pixel(10, 0), qRgb(d.rgbRed, d.rgbGreen, d.rgbBlue));
    EXPECT_EQ(canvas.pixel(10, 5), qRgb(d.rgbRed, d.rgbGreen, d.rgbBlue));
    EXPECT_NE(canvas.pixel(10, 5), qRgb(50, 100, 200));
    EXPECT_EQ(canvas.pixel(2, 5), qRgb(255, 255, 255));  // the item sits at 5..14

    list.SetDimSelected(false);
    QImage plain(20, 10, QImage::Format_RGB32);
    plain.fill(Qt::white);
    {
        QPainter p(&plain);
        item.Draw(&p, 0);
    }
    // Not dimmed: the picture with the selection colour's outline (blue 0xFF, green 0x72).
    EXPECT_EQ(plain.pixel(10, 5), qRgb(50, 100, 200));
    EXPECT_EQ(plain.pixel(10, 0), qRgb(0, 0x72, 0xFF));
    EXPECT_EQ(plain.pixel(5, 5), qRgb(0, 0x72, 0xFF));
}

TEST(ArtPicture, ReferencedPictureOutlivesTheItem) {
    extImage picture = Pattern(3, 3);
    {
        artPicture item(&picture, "kept", 1);
        item.MakeReverseImage();
    }
    EXPECT_EQ(Pixels(picture), Pixels(Pattern(3, 3)));
}

}  // namespace
