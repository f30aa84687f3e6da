// The album strip: its layout and scrolling, choosing and selecting, and renaming and deleting
// albums in a real catalogue, through the logic and through the windows.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QScrollBar>
#include <QTest>

#include "app/AlbumStrip.h"
#include "app/TopFrame.h"
#include "app/TopListAlbum.h"
#include "platform/brelt/Brelt.h"
#include "tests/catalogue/Fixture.h"
#include "views/catalogue/ViewThumb.h"
#include "views/catalogue/vxImage.h"
#include "views/controls/EditNumeric.h"
#include "tests/app/MainFrameFixture.h"

namespace {

using apptest::App;

// With VIMBRO_SHOTS set, a window is saved there as a picture to look at.
void Shot(QWidget* widget, const char* name) {
    const QByteArray folder = qgetenv("VIMBRO_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(QString::fromUtf8(folder));
    widget->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

std::vector<int> Ids(const CAlbumStrip& strip) {
    std::vector<int> ids;
    for (int k = 0; k < strip.Count(); ++k) ids.push_back(strip.At(k).id);
    return ids;
}

// A strip of the all-photos item and albums 1..n, without a catalogue.
CAlbumStrip Plain(int n) {
    CAlbumStrip strip(QSize(72, 48));
    for (int i = 1; i <= n; ++i) strip.AddItem(i, "앨범" + std::to_string(i));
    return strip;
}

TEST(AlbumStripLayout, ItemsStandTwentyApartAfterATenPixelMargin) {
    CAlbumStrip strip = Plain(4);  // 5 items of 72 + 20
    EXPECT_EQ(strip.ContentWidth(), 92 * 5 + 10);
    EXPECT_EQ(strip.ItemRect(0), QRect(10, 0, 72, 48));
    EXPECT_EQ(strip.ItemRect(3), QRect(3 * 92 + 10, 0, 72, 48));
    EXPECT_EQ(strip.HitTest(QPoint(10, 5)), 0);
    EXPECT_EQ(strip.HitTest(QPoint(85, 5)), -1);  // the gap
    EXPECT_EQ(strip.HitTest(QPoint(102, 47)), 1);
    EXPECT_EQ(strip.DropAlbumAt(QPoint(102, 10)), 1);
    EXPECT_EQ(strip.DropAlbumAt(QPoint(20, 10)), 99);
    EXPECT_EQ(strip.DropAlbumAt(QPoint(5, 10)), 0);
}

TEST(AlbumStripLayout, ScrollsByWholeItemsWithinRange) {
    CAlbumStrip strip = Plain(9);  // 10 items: 930 wide
    EXPECT_FALSE(strip.Scrolls(930));
    EXPECT_TRUE(strip.Scrolls(929));
    EXPECT_EQ(strip.ScrollMax(300), 10 - 300 / 92);  // 7
    EXPECT_FALSE(strip.SetScrollPos(8, 300));
    EXPECT_FALSE(strip.SetScrollPos(-1, 300));
    EXPECT_EQ(strip.ScrollPos(), 0);
    ASSERT_TRUE(strip.SetScrollPos(7, 300));
    EXPECT_EQ(strip.ItemRect(7), QRect(10, 0, 72, 48));
    EXPECT_EQ(strip.ItemRect(0).left(), -7 * 92 + 10);
    EXPECT_EQ(strip.HitTest(QPoint(20, 20)), 7);
    strip.ClampScroll(600);  // wider: at most 10 - 6 = 4
    EXPECT_EQ(strip.ScrollPos(), 4);
    strip.ClampScroll(1000);  // everything fits
    EXPECT_EQ(strip.ScrollPos(), 0);
}

TEST(AlbumStripSelection, ChooseCtrlAndShift) {
    CAlbumStrip strip = Plain(5);
    std::vector<int> chosen;
    strip.SetOnChoose([&](int id) { chosen.push_back(id); });
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{99}));
    strip.Press(2);
    EXPECT_EQ(strip.At(2).state, CAlbumStrip::Pressed);
    strip.Release(2, false, false);
    EXPECT_EQ(strip.At(2).state, CAlbumStrip::Normal);
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{2}));
    EXPECT_EQ(strip.CurrentAlbum(), 2);
    strip.Release(4, true, false);  // Ctrl adds
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{2, 4}));
    strip.Release(2, true, false);  // Ctrl again removes
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{4}));
    strip.Release(1, false, true);  // Shift: from the first selected (4) to 1
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{1, 2, 3, 4}));
    strip.Release(5, false, true);  // the first selected is now 1
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(chosen, (std::vector<int>{2}));  // only the plain click chose

    strip.Release(2, true, false);
    strip.Release(1, true, false);
    strip.Release(3, true, false);
    strip.Release(4, true, false);
    strip.Release(5, true, false);
    ASSERT_TRUE(strip.SelectedIds().empty());
    strip.Release(2, false, true);  // nothing selected: the range starts at item 0
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{99, 1, 2}));
}

TEST(AlbumStripSelection, HoverOnlyOnUnselectedAndRightClickOpensNoMenuOnAllPhotos) {
    CAlbumStrip strip = Plain(3);
    strip.Hover(1, true);
    EXPECT_EQ(strip.At(1).state, CAlbumStrip::Hovered);
    strip.Hover(1, false);
    EXPECT_EQ(strip.At(1).state, CAlbumStrip::Normal);
    strip.Hover(0, true);  // selected
    EXPECT_EQ(strip.At(0).state, CAlbumStrip::Normal);

    EXPECT_FALSE(strip.RightClick(0));
    EXPECT_EQ(strip.CurrentAlbum(), 99);
    strip.Release(2, true, false);  // 99 and 2 selected
    EXPECT_TRUE(strip.RightClick(2));  // selected: kept as it is
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{99, 2}));
    EXPECT_EQ(strip.CurrentAlbum(), 2);
    EXPECT_TRUE(strip.RightClick(3));  // unselected: chosen alone
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{3}));
    EXPECT_EQ(strip.CurrentAlbum(), 3);
}

class AlbumStripCatalogueTest : public cattest::CatalogueTest {
protected:
    AlbumStripCatalogueTest() { App(); }

    // Albums named a..e with identifiers 1..5, loaded into the strip.
    void FiveAlbums() {
        for (const char* name : {"a", "b", "c", "d", "e"}) ASSERT_GT(view->AddAlbum(name), 0);
        strip.SetCatalogue(view.get());
    }

    CAlbumStrip strip;
};

TEST_F(AlbumStripCatalogueTest, WithoutCatalogueOnlyAllPhotosThenTheCataloguesAlbums) {
    EXPECT_EQ(Ids(strip), (std::vector<int>{99}));
    EXPECT_EQ(strip.At(0).name, "전체사진");
    EXPECT_EQ(strip.Rename(0, "x"), CAlbumStrip::RenameResult::Ignored);
    FiveAlbums();
    EXPECT_EQ(Ids(strip), (std::vector<int>{99, 1, 2, 3, 4, 5}));
    EXPECT_EQ(strip.At(3).name, "c");
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{99}));
}

TEST_F(AlbumStripCatalogueTest, ChoosingShowsTheAlbumAndAddingTakesTheLowestFreeIdentifier) {
    Photo("one.jpg");
    FiveAlbums();
    strip.Release(3, false, false);
    EXPECT_EQ(view->GetAlbumID(), 3);
    strip.Release(0, false, false);
    EXPECT_EQ(view->GetAlbumID(), 99);

    strip.DeleteOne(2, 1000);
    EXPECT_EQ(strip.AddAlbum("new"), 2);
    EXPECT_EQ(Ids(strip), (std::vector<int>{99, 1, 3, 4, 5, 2}));
    boxes.clear();
    EXPECT_EQ(strip.AddAlbum("new"), 0);  // the add rules refuse a duplicate
    EXPECT_EQ(boxes.texts().size(), 1u);
    EXPECT_EQ(strip.Count(), 6);
}

TEST_F(AlbumStripCatalogueTest, RenameRules) {
    FiveAlbums();
    boxes.clear();
    EXPECT_EQ(strip.Rename(1, ""), CAlbumStrip::RenameResult::Ignored);
    EXPECT_EQ(strip.Rename(1, "a"), CAlbumStrip::RenameResult::Ignored);
    EXPECT_TRUE(boxes.texts().empty());

    EXPECT_EQ(strip.Rename(1, "b"), CAlbumStrip::RenameResult::Refused);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"앨범명이 이미 존재합니다"}));
    EXPECT_EQ(strip.At(1).name, "a");
    EXPECT_EQ(view->GetAlbumName(1), "a");

    EXPECT_EQ(strip.Rename(1, std::string(21, 'x')), CAlbumStrip::RenameResult::Refused);
    EXPECT_EQ(view->GetAlbumName(1), "a");

    EXPECT_EQ(strip.Rename(1, std::string(20, 'x')), CAlbumStrip::RenameResult::Renamed);
    EXPECT_EQ(view->GetAlbumName(1), std::string(20, 'x'));
    EXPECT_EQ(strip.Rename(2, "여름 '휴가'"), CAlbumStrip::RenameResult::Renamed);
    EXPECT_EQ(view->GetAlbumName(2), "여름 '휴가'");
    EXPECT_EQ(strip.At(2).name, "여름 '휴가'");
}

TEST_F(AlbumStripCatalogueTest, DeleteOneChoosesThePrecedingAlbum) {
    FiveAlbums();
    strip.DeleteOne(3, 1000);
    EXPECT_EQ(Ids(strip), (std::vector<int>{99, 1, 2, 4, 5}));
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{2}));
    EXPECT_EQ(view->GetAlbumID(), 2);
    EXPECT_EQ(view->GetAlbumName(3), "");
    strip.DeleteOne(1, 1000);  // the first real album: the all-photos album is chosen
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{99}));
    EXPECT_EQ(view->GetAlbumID(), 99);
    strip.DeleteOne(99, 1000);  // refused by the catalogue, the item stays
    EXPECT_EQ(Ids(strip), (std::vector<int>{99, 2, 4, 5}));
}

TEST_F(AlbumStripCatalogueTest, DeleteSeveralKeepsAllPhotosAndChoosesTheLastItem) {
    FiveAlbums();
    ASSERT_TRUE(strip.SetScrollPos(3, 200));
    strip.DeleteSeveral({99, 1, 3, 5}, 1000);
    EXPECT_EQ(Ids(strip), (std::vector<int>{99, 2, 4}));
    EXPECT_EQ(strip.ScrollPos(), 0);
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{4}));
    EXPECT_EQ(view->GetAlbumID(), 4);
    std::vector<int> left;
    for (const auto& [id, name] : view->GetAlbums()) left.push_back(id);
    EXPECT_EQ(left, (std::vector<int>{2, 4}));
}

TEST_F(AlbumStripCatalogueTest, DeleteCommandAsksAndActsOnCurrentOrSelected) {
    FiveAlbums();
    EXPECT_FALSE(strip.DeleteCommand(1000));  // the all-photos album is selected
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"전체사진은 삭제할수 없습니다"}));

    strip.Release(2, false, false);
    boxes.clear();
    boxes.Script({IDNO});
    EXPECT_FALSE(strip.DeleteCommand(1000));
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"정말 삭제하시겠습니까?"}));
    EXPECT_EQ(strip.Count(), 6);

    boxes.Script({IDYES, IDYES});
    EXPECT_TRUE(strip.DeleteCommand(1000));
    EXPECT_EQ(Ids(strip), (std::vector<int>{99, 1, 3, 4, 5}));
    strip.Release(2, false, false);  // albums 3..5
    strip.Release(4, false, true);
    EXPECT_TRUE(strip.DeleteCommand(1000));
    EXPECT_EQ(Ids(strip), (std::vector<int>{99, 1}));
    EXPECT_EQ(strip.SelectedIds(), (std::vector<int>{1}));
}

// ---- The windows ---------------------------------------------------------------------------

TEST_F(AlbumStripCatalogueTest, WindowsFollowTheStripAndTheMouse) {
    for (const char* name : {"a", "b", "c", "d", "e"}) ASSERT_GT(view->AddAlbum(name), 0);
    CTopListAlbum list;
    list.resize(300, 68);
    list.show();
    ASSERT_EQ(list.Items().size(), 1u);
    EXPECT_FALSE(list.ScrollBar()->isVisible());
    list.SetBrowser(view.get());
    ASSERT_EQ(list.Items().size(), 6u);
    EXPECT_TRUE(list.ScrollBar()->isVisible());
    EXPECT_EQ(list.ScrollBar()->maximum(), 6 - 300 / 92);
    EXPECT_EQ(list.ItemWindow(2)->geometry(), QRect(2 * 92 + 10, 0, 72, 48));
    EXPECT_EQ(list.ItemWindow(3)->toolTip(), QStringLiteral("c"));

    list.ScrollBar()->setValue(2);
    EXPECT_EQ(list.Strip().ScrollPos(), 2);
    EXPECT_EQ(list.ItemWindow(2)->geometry().left(), 10);

    QTest::mouseClick(list.ItemWindow(2), Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    EXPECT_EQ(view->GetAlbumID(), 2);
    QTest::mouseClick(list.ItemWindow(4), Qt::LeftButton, Qt::ControlModifier, QPoint(30, 10));
    EXPECT_EQ(list.Strip().SelectedIds(), (std::vector<int>{2, 4}));
    EXPECT_EQ(view->GetAlbumID(), 2);
    list.ItemHovered(4, true);  // album 3 (index 3) stays unselected; index 4 is album 4
    list.ItemHovered(3, true);
    EXPECT_EQ(list.Strip().At(3).state, CAlbumStrip::Hovered);
    Shot(&list, "album-strip-scrolled");

    // Screen readers see a list of the albums, named and selected as on the strip.
    QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(&list);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->role(), QAccessible::List);
    QAccessibleInterface* album4 = QAccessible::queryAccessibleInterface(list.ItemWindow(4));
    QAccessibleInterface* album3 = QAccessible::queryAccessibleInterface(list.ItemWindow(3));
    ASSERT_NE(album4, nullptr);
    EXPECT_EQ(album4->role(), QAccessible::ListItem);
    EXPECT_EQ(album4->text(QAccessible::Name), QStringLiteral("d"));
    EXPECT_TRUE(album4->state().selected);
    EXPECT_FALSE(album3->state().selected);
    EXPECT_TRUE(album3->state().selectable);
    EXPECT_EQ(strip->indexOfChild(album4), strip->indexOfChild(album3) + 1);

    // A drag over the strip asks the widget under the cursor for its album.
    int drop = -1;
    EXPECT_FALSE(CTopListAlbum::QueryDropAlbum(&list, &drop));
    EXPECT_FALSE(CTopListAlbum::QueryDropAlbum(list.ScrollBar(), &drop));
    EXPECT_FALSE(CTopListAlbum::QueryDropAlbum(nullptr, &drop));
    EXPECT_EQ(drop, -1);
    EXPECT_TRUE(CTopListAlbum::QueryDropAlbum(list.ItemWindow(3), &drop));
    EXPECT_EQ(drop, 3);
    EXPECT_TRUE(CTopListAlbum::QueryDropAlbum(list.ItemWindow(99), &drop));
    EXPECT_EQ(drop, 99);

    list.resize(700, 56);
    EXPECT_FALSE(list.ScrollBar()->isVisible());
    EXPECT_EQ(list.Strip().ScrollPos(), 0);
}

TEST_F(AlbumStripCatalogueTest, DoubleClickRenamesInPlace) {
    for (const char* name : {"a", "b"}) ASSERT_GT(view->AddAlbum(name), 0);
    CTopListAlbum list;
    list.resize(400, 56);
    list.show();
    list.SetBrowser(view.get());
    QTest::mouseDClick(list.ItemWindow(99), Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    EXPECT_EQ(list.ItemWindow(99)->Editor(), nullptr);

    CWndAlbum* item = list.ItemWindow(1);
    QTest::mouseDClick(item, Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    ASSERT_NE(item->Editor(), nullptr);
    EXPECT_EQ(item->Editor()->text(), QStringLiteral("a"));
    EXPECT_EQ(item->Editor()->maxLength(), 20);
    EXPECT_EQ(item->Editor()->geometry(), QRect(0, 27, 72, 21));
    item->Editor()->setText(QStringLiteral("b"));
    QTest::keyClick(item->Editor(), Qt::Key_Return);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"앨범명이 이미 존재합니다"}));
    QApplication::processEvents();
    ASSERT_NE(item->Editor(), nullptr);  // reopened with the old name
    EXPECT_EQ(item->Editor()->text(), QStringLiteral("a"));

    item->Editor()->setText(QStringLiteral("봄"));
    QTest::keyClick(item->Editor(), Qt::Key_Return);
    EXPECT_EQ(item->Editor(), nullptr);
    EXPECT_EQ(view->GetAlbumName(1), "봄");
    EXPECT_EQ(item->toolTip(), QStringLiteral("봄"));

    // A box still open when the strip is rebuilt hands its text back into nothing: the item
    // it belonged to may now stand for another album.
    ASSERT_EQ(view->AddAlbum("c"), 3);
    list.SetBrowser(view.get());
    QTest::mouseDClick(list.ItemWindow(2), Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    CEditNumeric* open = list.ItemWindow(2)->Editor();
    ASSERT_NE(open, nullptr);
    open->setText(QStringLiteral("여름"));
    list.Strip().DeleteOne(1, list.width());  // album 3 moves into the box's place
    QTest::keyClick(open, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(view->GetAlbumName(2), "b");
    EXPECT_EQ(view->GetAlbumName(3), "c");
}

TEST_F(AlbumStripCatalogueTest, TopFrameGrowsTheStripWhenItScrolls) {
    for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"}) ASSERT_GT(view->AddAlbum(name), 0);
    TopFrame bar;
    bar.resize(1000, 140);
    bar.show();
    ASSERT_NE(bar.AlbumStrip(), nullptr);
    bar.resize(1000 + 700 - bar.StripRect().width(), 140);  // the strip 700 wide
    ASSERT_EQ(bar.StripRect().width(), 700);
    const int plain = bar.StripRect().height();
    EXPECT_EQ(bar.AlbumStrip()->geometry(), bar.StripRect());
    bar.AlbumStrip()->SetBrowser(view.get());  // 9 items: 838 wide
    EXPECT_EQ(bar.StripRect().height(), plain + 12);
    EXPECT_EQ(bar.AlbumStrip()->geometry(), bar.StripRect());
    Shot(&bar, "top-bar-strip-scrolls");
    bar.resize(bar.width() + 200, 140);
    EXPECT_EQ(bar.StripRect().height(), plain);
    Shot(&bar, "top-bar-strip");
}

}  // namespace

// ---- Dragging pictures from the browser onto the strip -------------------------------------

TEST_F(AlbumStripCatalogueTest, DraggedPicturesJoinTheAlbumUnderTheCursorButNeverAllPhotos) {
    for (int i = 1; i <= 3; ++i) Photo("d" + std::to_string(i) + ".png", 8, 8, i);
    QWidget window;
    window.resize(600, 420);
    auto* list = new CTopListAlbum(&window);
    list->setGeometry(0, 0, 600, 68);
    auto* thumb = new CViewThumb(&window);
    thumb->setGeometry(0, 100, 600, 300);
    thumb->SetDBConnect(db.get());
    thumb->SetSliderSize(8);
    window.show();
    thumb->Catalogue().SetAlbum(99, 0);
    list->SetBrowser(&thumb->Catalogue());
    const int album = list->Strip().AddAlbum("여행");
    ASSERT_EQ(album, 1);

    QWidget* viewport = thumb->viewport();
    auto item = [&](int n) {
        const CRect& r = thumb->Catalogue().GetVxImage(n - 1)->m_rect;
        return QPoint(r.CenterPoint().x, r.CenterPoint().y);
    };
    // Points of the strip, in the browser's coordinates: the drag keeps the mouse.
    auto onAlbum = [&](int id) {
        CWndAlbum* w = list->ItemWindow(id);
        return viewport->mapFrom(&window, w->mapTo(&window, QPoint(w->width() / 2, 10)));
    };
    const QPoint between = viewport->mapFrom(&window, QPoint(590, 20));  // the strip past its items
    const QPoint outside = viewport->mapFrom(&window, QPoint(300, 85));  // the window between the two
    auto cursor = [] {
        const QCursor* c = QGuiApplication::overrideCursor();
        return c ? c->shape() : Qt::BitmapCursor;
    };

    // Pressing picks item 2 alone; short moves start nothing.
    QTest::mousePress(viewport, Qt::LeftButton, {}, item(2));
    QTest::mouseMove(viewport, item(2) + QPoint(7, 7));
    EXPECT_FALSE(thumb->IsDragging());
    QTest::mouseMove(viewport, item(2) + QPoint(8, 0));
    ASSERT_TRUE(thumb->IsDragging());
    ASSERT_NE(thumb->DragImageWindow(), nullptr);
    EXPECT_TRUE(thumb->DragImageWindow()->isVisible());
    EXPECT_EQ(cursor(), Qt::ForbiddenCursor);  // over the browser itself
    EXPECT_EQ(thumb->GetDropAlbum(), 0);

    QTest::mouseMove(viewport, onAlbum(album));
    EXPECT_EQ(thumb->GetDropAlbum(), album);
    EXPECT_EQ(cursor(), Qt::ArrowCursor);
    // The picture follows the cursor.
    EXPECT_EQ(thumb->DragImageWindow()->geometry().contains(viewport->mapToGlobal(onAlbum(album))), true);
    QTest::mouseMove(viewport, between);
    EXPECT_EQ(thumb->GetDropAlbum(), 0);
    EXPECT_EQ(cursor(), Qt::ForbiddenCursor);
    QTest::mouseMove(viewport, outside);
    EXPECT_EQ(thumb->GetDropAlbum(), 0);
    // Over the all-photos album: its identifier, but the "no" cursor, and a release does nothing.
    QTest::mouseMove(viewport, onAlbum(99));
    EXPECT_EQ(thumb->GetDropAlbum(), 99);
    EXPECT_EQ(cursor(), Qt::ForbiddenCursor);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, onAlbum(99));
    EXPECT_FALSE(thumb->IsDragging());
    EXPECT_EQ(thumb->DragImageWindow(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Column("AlbumID", "d2.png"), "");
    EXPECT_EQ(thumb->Catalogue().GetAlbumID(), 99);

    // Items 2 and 3 onto the album: both join it and stay on show.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, item(3));
    QTest::mousePress(viewport, Qt::LeftButton, {}, item(3));
    QTest::mouseMove(viewport, item(3) + QPoint(0, 20));
    QTest::mouseMove(viewport, onAlbum(album));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, onAlbum(album));
    EXPECT_EQ(Column("AlbumID", "d1.png"), "");
    EXPECT_EQ(Column("AlbumID", "d2.png"), "?1");
    EXPECT_EQ(Column("AlbumID", "d3.png"), "?1");
    EXPECT_EQ(thumb->Catalogue().GetThumbCount(), 3);

    // Released off the strip: nothing more.
    QTest::mousePress(viewport, Qt::LeftButton, {}, item(1));
    QTest::mouseMove(viewport, item(1) + QPoint(20, 0));
    QTest::mouseMove(viewport, onAlbum(album));
    QTest::mouseMove(viewport, outside);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, outside);
    EXPECT_EQ(Column("AlbumID", "d1.png"), "");
}
