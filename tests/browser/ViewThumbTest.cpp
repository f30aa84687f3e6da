// The browser window: what it paints, and how mouse, keys and the loading worker reach the
// catalogue through it.
#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include "app/Resource.h"
#include "platform/brelt/Brelt.h"
#include "tests/catalogue/Fixture.h"
#include "imaging/extImage.h"
#include "views/catalogue/ViewThumb.h"
#include "views/catalogue/vxImage.h"
#include "tests/support/WidgetApp.h"

using cattest::CatalogueTest;

namespace {

QApplication* App() { return &testsupport::WidgetApp(); }

class ViewThumbTest : public CatalogueTest {
protected:
    ViewThumbTest() {
        App();
        thumb = std::make_unique<CViewThumb>();
        thumb->SetDBConnect(db.get());
        thumb->SetSliderSize(8);  // cell 98, pitch 132, columns of 118
        thumb->resize(5 + 3 * 118, 300);
        thumb->show();
        // The client area (less the scroll bar) holds exactly three columns.
        thumb->resize(5 + 3 * 118 + thumb->width() - thumb->viewport()->width(), 300);
    }
    ~ViewThumbTest() override { thumb.reset(); }

    CThumbCatalogue& C() { return thumb->Catalogue(); }
    // n pictures p01.png ... in the all-photos album; picture i has red i * 37.
    void Show(int n) {
        for (int i = 1; i <= n; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "p%02d.png", i);
            Photo(name, 8, 8, i);
        }
        C().SetAlbum(99, 0);
    }
    std::vector<int> Selected() {
        std::vector<int> numbers;
        for (int i = 0; i < C().GetThumbCount(); ++i) {
            if (C().GetVxImage(i)->m_bSelected) numbers.push_back(i + 1);
        }
        return numbers;
    }
    QPoint At(int n) {
        const CRect& r = C().GetVxImage(n - 1)->m_rect;
        return QPoint(r.CenterPoint().x, r.CenterPoint().y - thumb->verticalScrollBar()->value());
    }
    QImage Paint() {
        QImage image(thumb->viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        thumb->PaintGrid(painter, image.rect());
        return image;
    }

    std::unique_ptr<CViewThumb> thumb;
};

QColor Colour(COLORREF c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace

TEST_F(ViewThumbTest, PaintsBackgroundFramesAndThumbnails) {
    Show(4);
    ASSERT_EQ(C().GetColumns(), 3);
    C().SetCurrent(2);
    const QImage image = Paint();
    const QColor back = Colour(CGandry::GetColorBack());
    // Between the cells and below the last row: the background of the settings.
    EXPECT_EQ(image.pixelColor(110, 50), back);
    EXPECT_EQ(image.pixelColor(300, 200), back);
    // The selected item (2) is framed in the selection colour, the others in the cell colour.
    const CRect second = C().GetVxImage(1)->m_rect;
    EXPECT_EQ(image.pixelColor(second.left, second.CenterPoint().y), Colour(CThumbCatalogue::kSelectColour));
    EXPECT_EQ(image.pixelColor(second.right - 1, second.CenterPoint().y), Colour(CThumbCatalogue::kSelectColour));
    const CRect first = C().GetVxImage(0)->m_rect;
    EXPECT_EQ(image.pixelColor(first.left, first.CenterPoint().y), Colour(CThumbCatalogue::kCellFrameColour));
    EXPECT_EQ(image.pixelColor(first.left + 1, first.CenterPoint().y), back);

    // The thumbnail stands upright in its fitted rectangle: green (the picture's rows) is full
    // at the top and zero at the bottom, blue (its columns) zero at the left; red is the seed.
    const QImage level0 = CViewThumb::LevelImage(C().GetVxImage(0), 0);
    ASSERT_FALSE(level0.isNull());
    const CRect draw = CThumbCatalogue::CalcDrawRect(first, level0.width(), level0.height());
    const QColor topLeft = image.pixelColor(draw.left + 1, draw.top + 1);
    const QColor bottomRight = image.pixelColor(draw.right - 2, draw.bottom - 2);
    EXPECT_EQ(topLeft.red(), 37);
    EXPECT_EQ(topLeft.green(), 255);
    EXPECT_EQ(topLeft.blue(), 0);
    EXPECT_EQ(bottomRight.green(), 0);
    EXPECT_EQ(bottomRight.blue(), 255);
    // A label in the text colour lies under the cell.
    const CRect label = C().GetLabelRect(C().GetVxImage(0));
    int inked = 0;
    for (int y = label.top; y < label.bottom; ++y) {
        for (int x = label.left; x < label.right; ++x) inked += image.pixelColor(x, y) != back ? 1 : 0;
    }
    EXPECT_GT(inked, 10);
}

TEST_F(ViewThumbTest, BusyOrEmptyShowsOnlyBackground) {
    const QImage image = Paint();
    const QColor back = Colour(CGandry::GetColorBack());
    for (QPoint p : {QPoint(0, 0), QPoint(50, 50), QPoint(200, 250)}) EXPECT_EQ(image.pixelColor(p), back);
}

TEST_F(ViewThumbTest, ClicksSelect) {
    Show(5);
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, {}, At(2));
    EXPECT_EQ(Selected(), std::vector<int>({2}));
    EXPECT_EQ(C().GetCurrentNumber(), 2);
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, Qt::ControlModifier, At(4));
    EXPECT_EQ(Selected(), std::vector<int>({2, 4}));
    EXPECT_EQ(C().GetCurrentNumber(), 4);
    // Ctrl again takes it out; no current item then.
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, Qt::ControlModifier, At(4));
    EXPECT_EQ(Selected(), std::vector<int>({2}));
    EXPECT_EQ(C().GetCurrentNumber(), 0);
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, Qt::ShiftModifier, At(5));
    EXPECT_EQ(Selected(), std::vector<int>({2, 3, 4, 5}));
    // A plain click on empty space clears everything.
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, {}, QPoint(300, 280));
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(C().GetCurrentNumber(), 0);
}

TEST_F(ViewThumbTest, KeysMoveAndScrollTheBar) {
    Show(12);  // four rows of three; 300 pixels show two of them
    const int pitch = C().GetRowPitch();
    QScrollBar* bar = thumb->verticalScrollBar();
    EXPECT_EQ(C().GetScrollHeight(), 4 * pitch + 5);
    EXPECT_EQ(bar->maximum(), 4 * pitch + 5 - thumb->viewport()->height());
    EXPECT_EQ(bar->singleStep(), pitch);

    thumb->setFocus();
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, {}, At(1));
    QTest::keyClick(thumb.get(), Qt::Key_Right);
    EXPECT_EQ(C().GetCurrentNumber(), 2);
    EXPECT_EQ(Selected(), std::vector<int>({2}));
    QTest::keyClick(thumb.get(), Qt::Key_Down);
    QTest::keyClick(thumb.get(), Qt::Key_Down);
    EXPECT_EQ(C().GetCurrentNumber(), 8);
    EXPECT_EQ(Selected(), std::vector<int>({8}));
    // Item 8 sits in the third row: the bar moved so that its label shows.
    const CRect cell = C().GetVxImage(7)->m_rect;
    EXPECT_EQ(bar->value(), cell.bottom + 12 + 2 + 20 - thumb->viewport()->height());
    // A click now hits by the scrolled position.
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, {}, At(9));
    EXPECT_EQ(Selected(), std::vector<int>({9}));

    // A larger size leaves one column, and the range follows.
    thumb->SetSliderSize(20);
    EXPECT_EQ(C().GetColumns(), 1);
    EXPECT_EQ(bar->maximum(), C().GetScrollHeight() - thumb->viewport()->height());
}

TEST_F(ViewThumbTest, DoubleClickAsksTheFrameToOpen) {
    Show(2);
    QTest::mouseDClick(thumb->viewport(), Qt::LeftButton, {}, At(2));
    QCoreApplication::processEvents();
    EXPECT_EQ(C().GetCurrentNumber(), 2);
    EXPECT_EQ(window.Only(WM_SWITCH_EDIT).size(), 1u);
    EXPECT_TRUE(window.Only(WM_SWITCH_DECORATE).empty());
}

TEST_F(ViewThumbTest, LoadingRunsOnTheWorkerAndReportsProgress) {
    for (int i = 1; i <= 3; ++i) Photo("w" + std::to_string(i) + ".jpg", 16, 12, i);
    bool done = false;
    thumb->StartLoading([&] { done = true; });
    EXPECT_TRUE(thumb->IsLoading());
    // Input waits meanwhile.
    QTest::keyClick(thumb.get(), Qt::Key_Right);
    for (int i = 0; i < 1000 && !done; ++i) QTest::qWait(10);
    ASSERT_TRUE(done);
    EXPECT_FALSE(thumb->IsLoading());
    EXPECT_EQ(C().GetThumbCount(), 3);
    ASSERT_EQ(window.Only(0x0C0D).size(), 1u);
    EXPECT_EQ(window.Only(0x0C0D)[0].second, 3u);
    EXPECT_EQ(window.Only(0x0C0F).size(), 1u);
    EXPECT_EQ(thumb->verticalScrollBar()->maximum(), 0);
}

TEST_F(ViewThumbTest, ItemsAreAnAccessibleList) {
    Show(3);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(thumb.get());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), 3);
    QAccessibleInterface* second = list->child(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->role(), QAccessible::ListItem);
    EXPECT_EQ(second->text(QAccessible::Name), QStringLiteral("p02.png"));
    EXPECT_EQ(list->indexOfChild(second), 1);
    EXPECT_EQ(second->parent(), list);
    // Loading selected the first item.
    EXPECT_TRUE(list->child(0)->state().selected);
    EXPECT_FALSE(second->state().selected);
    // The default action selects only this item and makes it current.
    QAccessibleActionInterface* action = second->actionInterface();
    ASSERT_NE(action, nullptr);
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Selected(), std::vector<int>({2}));
    EXPECT_EQ(C().GetCurrentNumber(), 2);
    EXPECT_TRUE(second->state().selected);
    EXPECT_FALSE(list->child(0)->state().selected);
    // The item's place on the screen leads back to it.
    EXPECT_EQ(list->childAt(second->rect().center().x(), second->rect().center().y()), second);
    EXPECT_EQ(list->child(3), nullptr);
}

TEST_F(ViewThumbTest, ContextMenuFollowsTheSelectionAndRunsThroughTheFrame) {
    ASSERT_TRUE(CBrelt::Load(QStringLiteral(BRELT_RCC)));
    Show(2);
    std::vector<int> run;
    thumb->SetCommandHandler([&](int id) { run.push_back(id); },
                             [](int id, QAction* action) { action->setEnabled(id != ID_EDIT_PASTE); });
    auto ids = [](QMenu* menu) {
        std::vector<int> found;
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator() && !a->menu()) found.push_back(a->data().toInt());
        }
        return found;
    };
    // With a selection: the picture commands, editing first.
    std::unique_ptr<QMenu> selected(thumb->BuildContextMenu(nullptr));
    ASSERT_NE(selected, nullptr);
    const std::vector<int> withSelection = ids(selected.get());
    ASSERT_GE(withSelection.size(), 3u);
    EXPECT_EQ(withSelection[0], 7021);
    EXPECT_EQ(withSelection[1], 7022);
    for (QAction* a : selected->actions()) {
        if (a->data().toInt() == ID_EDIT_PASTE) {
            EXPECT_FALSE(a->isEnabled());
        }
        if (a->data().toInt() == ID_EDIT_COPY) {
            EXPECT_TRUE(a->isEnabled());
            a->trigger();
        }
    }
    EXPECT_EQ(run, std::vector<int>({ID_EDIT_COPY}));
    // Without: import first, select-all among them.
    C().set_select_all(0);
    std::unique_ptr<QMenu> empty(thumb->BuildContextMenu(nullptr));
    ASSERT_NE(empty, nullptr);
    const std::vector<int> without = ids(empty.get());
    ASSERT_FALSE(without.empty());
    EXPECT_EQ(without[0], 33826);
    EXPECT_NE(std::find(without.begin(), without.end(), ID_EDIT_SELECT_ALL), without.end());
    CBrelt::Unload();
}

TEST_F(ViewThumbTest, HeldForAWorkerItWaitsThenCatchesUp) {
    Show(4);
    const CRect first = C().GetVxImage(0)->m_rect;
    thumb->HoldForWorker(true);
    thumb->HoldForWorker(true);
    EXPECT_EQ(Paint().pixelColor(first.left, first.CenterPoint().y), Colour(CGandry::GetColorBack()));
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, {}, At(3));
    EXPECT_EQ(Selected(), std::vector<int>({1}));
    thumb->SetSliderSize(20);
    EXPECT_EQ(C().GetCellSize(), 98);
    thumb->HoldForWorker(false);
    EXPECT_TRUE(thumb->IsLoading());
    thumb->HoldForWorker(false);
    EXPECT_FALSE(thumb->IsLoading());
    EXPECT_EQ(C().GetCellSize(), 20 * 6 + 50);
    EXPECT_EQ(Paint().pixelColor(first.left, first.CenterPoint().y), Colour(CThumbCatalogue::kSelectColour));
}

TEST_F(ViewThumbTest, DragPictureAndDropIntoAnAlbum) {
    Show(4);
    C().set_select_all(0);
    EXPECT_TRUE(thumb->BuildDragImage(QPoint(10, 10), nullptr).isNull());
    C().GetVxImage(1)->m_bSelected = 1;
    C().GetVxImage(3)->m_bSelected = 1;
    Paint();  // marks the visible rows
    // Items 2 and 4 span columns 1-2 of row 0 and column 0 of row 1: the union of the cells.
    const CRect a = C().GetVxImage(1)->m_rect, b = C().GetVxImage(3)->m_rect;
    QPoint hotspot;
    const QImage picture = thumb->BuildDragImage(QPoint(a.left + 7, a.top + 9), &hotspot);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(a.right - b.left, b.bottom - a.top));
    EXPECT_EQ(hotspot, QPoint(a.left + 7 - b.left, 9));
    // Outside the cells: the transparent green; inside a thumbnail: the picture (red 2 * 37).
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(0, 255, 0));
    const QPoint inSecond(a.CenterPoint().x - b.left, a.CenterPoint().y - a.top);
    EXPECT_EQ(picture.pixelColor(inSecond).red(), 74);

    const int album = C().AddAlbum("여행");
    thumb->SetDropAlbum(99);
    thumb->FinishDrag();
    EXPECT_EQ(Column("AlbumID", "p02.png"), "");
    thumb->SetDropAlbum(album);
    thumb->FinishDrag();
    EXPECT_EQ(Column("AlbumID", "p02.png"), "?" + std::to_string(album));
    EXPECT_EQ(Column("AlbumID", "p04.png"), "?" + std::to_string(album));
    EXPECT_EQ(Column("AlbumID", "p01.png"), "");
    // The name lasts for one drag only.
    thumb->FinishDrag();
    EXPECT_EQ(Column("AlbumID", "p03.png"), "");
}

TEST_F(ViewThumbTest, ShiftExtendsFromTheFirstSelectedAndKeepsTheRest) {
    Show(9);
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, {}, At(2));
    thumb->verticalScrollBar()->setValue(thumb->verticalScrollBar()->maximum());
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, Qt::ControlModifier, At(8));
    ASSERT_EQ(Selected(), std::vector<int>({2, 8}));
    thumb->verticalScrollBar()->setValue(0);
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, Qt::ShiftModifier, At(5));
    EXPECT_EQ(Selected(), std::vector<int>({2, 3, 4, 5, 8}));
    EXPECT_EQ(C().GetCurrentNumber(), 5);
    EXPECT_EQ(C().GetOldCurrentNumber(), 8);
    // Ctrl takes one out again and leaves no current item; a plain click on a selected item
    // keeps the selection for a drag.
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, Qt::ControlModifier, At(3));
    EXPECT_EQ(Selected(), std::vector<int>({2, 4, 5, 8}));
    EXPECT_EQ(C().GetCurrentNumber(), 0);
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, {}, At(4));
    EXPECT_EQ(Selected(), std::vector<int>({2, 4, 5, 8}));
    EXPECT_EQ(C().GetCurrentNumber(), 4);
}

TEST_F(ViewThumbTest, KeysStopAtTheEdgesOfTheGrid) {
    Show(8);  // rows 1-3, 4-6, 7-8
    thumb->setFocus();
    QTest::mouseClick(thumb->viewport(), Qt::LeftButton, {}, At(1));
    QTest::keyClick(thumb.get(), Qt::Key_Left);
    QTest::keyClick(thumb.get(), Qt::Key_Up);
    EXPECT_EQ(C().GetCurrentNumber(), 1);
    C().SetCurrent(8);
    QTest::keyClick(thumb.get(), Qt::Key_Right);
    EXPECT_EQ(C().GetCurrentNumber(), 8);
    QTest::keyClick(thumb.get(), Qt::Key_Down);
    EXPECT_EQ(C().GetCurrentNumber(), 8);
    EXPECT_EQ(Selected(), std::vector<int>({8}));
    // Item 6 ends the second row; below it there is no item 9.
    C().SetCurrent(6);
    QTest::keyClick(thumb.get(), Qt::Key_Down);
    EXPECT_EQ(C().GetCurrentNumber(), 6);
    C().SetCurrent(5);
    QTest::keyClick(thumb.get(), Qt::Key_Down);
    EXPECT_EQ(C().GetCurrentNumber(), 8);
    QTest::keyClick(thumb.get(), Qt::Key_Left);
    EXPECT_EQ(C().GetCurrentNumber(), 7);
    EXPECT_EQ(Selected(), std::vector<int>({7}));
}

TEST_F(ViewThumbTest, SliderSetsLevelCellAndColumnsFromTheClientWidth) {
    Show(1);
    const int bar = thumb->width() - thumb->viewport()->width();
    struct Case {
        int value, width, cell, level, columns;
    };
    for (const Case& c : {Case{10, 300, 110, 0, 2}, Case{10, 100, 110, 0, 1}, Case{16, 300, 146, 0, 1},
                          Case{17, 400, 152, 1, 2}, Case{65, 1000, 440, 1, 2}, Case{66, 900, 446, 2, 1},
                          Case{0, 300, 50, 0, 4}, Case{100, 300, 650, 2, 1}}) {
        thumb->resize(c.width + bar, 300);
        thumb->SetSliderSize(c.value);
        EXPECT_EQ(C().GetCellSize(), c.cell) << c.value;
        EXPECT_EQ(C().GetLevel(), c.level) << c.value;
        EXPECT_EQ(C().GetColumns(), c.columns) << c.value << " at " << c.width;
    }
    // The columns follow a later resize too.
    thumb->resize(700 + bar, 300);
    EXPECT_EQ(C().GetColumns(), (700 - 5) / (650 + 20));
    thumb->resize(2000 + bar, 300);
    EXPECT_EQ(C().GetColumns(), (2000 - 5) / 670);
}

TEST_F(ViewThumbTest, ConvertedThumbnailsAreKeptForTheItemsOnShowOnly) {
    Show(12);  // four rows of three; 300 pixels touch three of them
    Paint();
    EXPECT_EQ(thumb->KeptImageCount(), 9);
    const CRect first = C().GetVxImage(0)->m_rect;
    const QPoint inside(first.CenterPoint().x, first.CenterPoint().y);
    const QColor before = Paint().pixelColor(inside);
    // The kept picture is drawn again, not converted anew from the thumbnail.
    extImage* level0 = C().GetVxImage(0)->m_pThumb[0];
    ASSERT_NE(level0, nullptr);
    for (long y = 0; y < static_cast<long>(level0->GetHeight()); ++y)
        for (long x = 0; x < static_cast<long>(level0->GetWidth()); ++x) level0->SetPixelColor(x, y, RGB(1, 2, 3));
    EXPECT_EQ(Paint().pixelColor(inside), before);

    // Scrolled to the end, the first row is out of view: its pictures go.
    thumb->verticalScrollBar()->setValue(thumb->verticalScrollBar()->maximum());
    Paint();
    EXPECT_EQ(thumb->KeptImageCount(), 9);  // rows 2 to 4
    thumb->verticalScrollBar()->setValue(0);
    EXPECT_EQ(Paint().pixelColor(inside), QColor(1, 2, 3));

    // Another level: the pictures of that level (a new size) replace them.
    thumb->SetSliderSize(20);
    Paint();
    const QImage level1 = CViewThumb::LevelImage(C().GetVxImage(0), 1);
    EXPECT_EQ(thumb->ShownImage(C().GetVxImage(0), 1).size(), level1.size());
    EXPECT_EQ(level1.width(), 300);

    // Another album drops everything kept.
    C().SetAlbum(99, 0);
    EXPECT_EQ(thumb->KeptImageCount(), 0);
}

TEST_F(ViewThumbTest, AJumpFreesTheLargerPicturesOfEveryRowLeftBehind) {
    Show(12);
    thumb->SetSliderSize(20);  // level 1, one column of rows 204 pixels apart: two rows in view
    ASSERT_EQ(C().GetLevel(), 1);
    ASSERT_EQ(C().GetColumns(), 1);
    Paint();
    EXPECT_NE(C().GetVxImage(0)->m_pThumb[1], nullptr);
    EXPECT_NE(C().GetVxImage(1)->m_pThumb[1], nullptr);
    EXPECT_EQ(C().GetVxImage(5)->m_pThumb[1], nullptr);
    // The thumb dragged to the end in one move: both rows left behind lose their level 1.
    thumb->verticalScrollBar()->setValue(thumb->verticalScrollBar()->maximum());
    Paint();
    EXPECT_EQ(C().GetVxImage(0)->m_pThumb[1], nullptr);
    EXPECT_EQ(C().GetVxImage(1)->m_pThumb[1], nullptr);
    EXPECT_NE(C().GetVxImage(11)->m_pThumb[1], nullptr);
    EXPECT_EQ(C().GetVxImage(0)->m_bVisible, 0);
    EXPECT_EQ(C().GetVxImage(11)->m_bVisible, 1);
    // Level 0 always stays.
    EXPECT_NE(C().GetVxImage(0)->m_pThumb[0], nullptr);
}
