// Selection, the current item, keys, mouse and the grid geometry.
#include "tests/catalogue/Fixture.h"

using cattest::CatalogueTest;

namespace {

class BrowserTest : public CatalogueTest {
protected:
    // n pictures named p01.png ... shown in the all-photos album.
    void Show(int n) {
        for (int i = 1; i <= n; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "p%02d.png", i);
            Photo(name, 8, 8, i);
        }
        view->SetAlbum(99, 0);
    }
    std::vector<int> Selected() {
        std::vector<int> numbers;
        for (int i = 0; i < view->GetThumbCount(); ++i) {
            if (view->GetVxImage(i)->m_bSelected) numbers.push_back(i + 1);
        }
        return numbers;
    }
    // The centre of item n (1-based) in client coordinates.
    CPoint At(int n) {
        const CRect& r = view->GetVxImage(n - 1)->m_rect;
        return CPoint(r.CenterPoint().x, r.CenterPoint().y - view->GetScrollPos());
    }
};

}  // namespace

TEST_F(BrowserTest, GridGeometry) {
    view->SetClientSize(300, 200);
    view->SetSliderSize(10);
    EXPECT_EQ(view->GetCellSize(), 110);
    EXPECT_EQ(view->GetColumns(), 2);
    view->SetClientSize(100, 200);
    EXPECT_EQ(view->GetColumns(), 1);
    for (auto [value, level] : std::vector<std::pair<int, int>>{{0, 0}, {16, 0}, {17, 1}, {65, 1}, {66, 2}, {100, 2}}) {
        view->SetSliderSize(value);
        EXPECT_EQ(view->GetLevel(), level) << value;
        EXPECT_EQ(view->GetCellSize(), value * 6 + 50);
    }

    Show(7);
    view->SetSliderSize(8);  // cell 98, pitch 132
    view->SetClientSize(5 + 3 * 118, 250);
    ASSERT_EQ(view->GetColumns(), 3);
    const int pitch = 98 + 12 + 2 + 20;
    EXPECT_EQ(view->GetRowPitch(), pitch);
    // Seven items in three columns: two full rows plus one more.
    EXPECT_EQ(view->GetScrollHeight(), 2 * pitch + 5 + pitch);
    EXPECT_EQ(view->GetVxImage(0)->m_rect, CRect(5, 5, 103, 103));
    EXPECT_EQ(view->GetVxImage(4)->m_rect, CRect(123, 5 + pitch, 221, 103 + pitch));
    EXPECT_EQ(view->GetVxImage(6)->m_rect, CRect(5, 5 + 2 * pitch, 103, 103 + 2 * pitch));
    EXPECT_EQ(view->GetLabelRect(view->GetVxImage(0)), CRect(5, 105, 103, 117));
    view->SetClientSize(5 + 7 * 118, 250);
    EXPECT_EQ(view->GetScrollHeight(), pitch + 5);

    // Visible rows follow the scroll position.
    view->SetClientSize(5 + 3 * 118, 250);
    view->UpdateVisibility(0);
    EXPECT_EQ(view->GetFirstVisibleRow(), 0);
    EXPECT_EQ(view->GetVisibleRows(), 2);
    EXPECT_EQ(view->GetVxImage(5)->m_bVisible, 1);
    EXPECT_EQ(view->GetVxImage(6)->m_bVisible, 0);
    view->UpdateVisibility(pitch + 10);
    EXPECT_EQ(view->GetFirstVisibleRow(), 1);
    EXPECT_EQ(view->GetVisibleRows(), 2);
    EXPECT_EQ(view->GetVxImage(0)->m_bVisible, 0);
    EXPECT_EQ(view->GetVxImage(6)->m_bVisible, 1);
    EXPECT_EQ(view->HitTest(CPoint(50, 50)), 0);
    EXPECT_EQ(view->HitTest(CPoint(110, 50)), -1);
    EXPECT_EQ(view->HitTest(CPoint(50, 5 + 2 * pitch + 1)), 6);
}

TEST_F(BrowserTest, DrawingRectanglesAndColours) {
    // A wide picture is centred vertically in the cell less 2 pixels, a tall one horizontally.
    EXPECT_EQ(CThumbCatalogue::CalcDrawRect(CRect(5, 5, 103, 103), 100, 75), CRect(7, 19, 101, 89));
    EXPECT_EQ(CThumbCatalogue::CalcDrawRect(CRect(5, 5, 103, 103), 62, 100), CRect(25, 7, 83, 101));
    EXPECT_EQ(CThumbCatalogue::GetTextColour(0x000000), 0xCCCCCCu);
    EXPECT_EQ(CThumbCatalogue::GetTextColour(0x7F7F7F), 0xCCCCCCu);
    EXPECT_EQ(CThumbCatalogue::GetTextColour(0x7F7F80), 0x000000u);
    EXPECT_EQ(CThumbCatalogue::GetTextColour(0xFFFFFF), 0x000000u);
}

TEST_F(BrowserTest, KeysMoveTheCurrentItemWithinTheGrid) {
    Show(7);
    view->SetClientSize(5 + 3 * 118, 250);
    ASSERT_EQ(view->GetColumns(), 3);
    EXPECT_EQ(view->GetCurrentNumber(), 1);
    EXPECT_TRUE(view->OnKeyDown(CThumbCatalogue::kKeyLeft));
    EXPECT_EQ(view->GetCurrentNumber(), 1);
    view->OnKeyDown(CThumbCatalogue::kKeyRight);
    EXPECT_EQ(view->GetCurrentNumber(), 2);
    EXPECT_EQ(view->GetOldCurrentNumber(), 1);
    view->OnKeyDown(CThumbCatalogue::kKeyDown);
    EXPECT_EQ(view->GetCurrentNumber(), 5);
    view->OnKeyDown(CThumbCatalogue::kKeyDown);
    // 5 + 3 > 7: the last row cannot go further down.
    EXPECT_EQ(view->GetCurrentNumber(), 5);
    view->OnKeyDown(CThumbCatalogue::kKeyUp);
    view->OnKeyDown(CThumbCatalogue::kKeyUp);
    EXPECT_EQ(view->GetCurrentNumber(), 2);
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    view->SetCurrent(7);
    view->OnKeyDown(CThumbCatalogue::kKeyRight);
    EXPECT_EQ(view->GetCurrentNumber(), 7);
    view->SetCurrent(4);
    view->OnKeyDown(CThumbCatalogue::kKeyDown);
    EXPECT_EQ(view->GetCurrentNumber(), 7);
    EXPECT_EQ(view->GetTransImage(), view->GetVxImage(6));
    // A menu open: keys are not handled.
    view->SetFocusMenu(1);
    EXPECT_FALSE(view->OnKeyDown(CThumbCatalogue::kKeyLeft));
    EXPECT_EQ(view->GetCurrentNumber(), 7);
    view->SetFocusMenu(0);
    EXPECT_FALSE(view->OnKeyDown('A'));
}

TEST_F(BrowserTest, KeysScrollTheCurrentItemIntoView) {
    struct Host : CThumbHost {
        void ScrollTo(int y) override { scrolls.push_back(y); }
        std::vector<int> scrolls;
    } host;
    view->SetHost(&host);
    Show(9);
    view->SetClientSize(5 + 3 * 118, 200);
    const int pitch = view->GetRowPitch();
    view->SetCurrent(7);
    view->select_properly(ARROW_DOWN);
    EXPECT_EQ(view->GetCurrentNumber(), 7);
    view->SetCurrent(4);
    view->select_properly(ARROW_DOWN);
    ASSERT_EQ(host.scrolls.size(), 1u);
    // The cell's bottom plus label and gap meets the client's bottom.
    EXPECT_EQ(host.scrolls[0], 5 + 2 * pitch + 98 + 12 + 2 + 20 - 200);
    view->UpdateVisibility(host.scrolls[0]);
    view->select_properly(ARROW_UP);
    view->select_properly(ARROW_UP);
    EXPECT_EQ(host.scrolls.back(), 5);

    // A cell whose picture is wholly in view does not scroll for its label.
    host.scrolls.clear();
    view->UpdateVisibility(0);
    view->SetClientSize(5 + 3 * 118, 5 + pitch + 98 + 5);
    view->SetCurrent(1);
    view->select_properly(ARROW_DOWN);
    EXPECT_EQ(view->GetCurrentNumber(), 4);
    EXPECT_TRUE(host.scrolls.empty());
    view->SetClientSize(5 + 3 * 118, 5 + pitch + 98 - 1);
    view->SetCurrent(1);
    view->select_properly(ARROW_DOWN);
    ASSERT_EQ(host.scrolls.size(), 1u);
    EXPECT_EQ(host.scrolls[0], 5 + pitch + 98 + 12 + 2 + 20 - (5 + pitch + 98 - 1));
    view->SetHost(nullptr);
}

TEST_F(BrowserTest, EmptyViewIgnoresMoves) {
    view->SetAlbum(99, 0);
    EXPECT_EQ(view->GetCurrentNumber(), 0);
    for (UINT key :
         {CThumbCatalogue::kKeyLeft, CThumbCatalogue::kKeyRight, CThumbCatalogue::kKeyUp, CThumbCatalogue::kKeyDown}) {
        view->OnKeyDown(key);
        EXPECT_EQ(view->GetCurrentNumber(), 0);
    }
    EXPECT_FALSE(view->OnKeyDown(CThumbCatalogue::kKeyDelete));
    EXPECT_EQ(view->IsNextMove(), 0);
    EXPECT_EQ(view->IsPrevMove(), 0);
    view->set_select_all(1);
    EXPECT_EQ(view->GetCurrentNumber(), 0);
    EXPECT_EQ(view->GetVxImage(0), nullptr);
    EXPECT_EQ(view->GetFullPath(3), "");
    EXPECT_EQ(view->GetType(0), 0);
    EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(BrowserTest, NextPreviousAndSelectAll) {
    Show(3);
    EXPECT_EQ(view->IsPrevMove(), 0);
    EXPECT_EQ(view->IsNextMove(), 1);
    view->Next();
    view->Next();
    EXPECT_EQ(view->GetCurrentNumber(), 3);
    EXPECT_EQ(view->IsNextMove(), 0);
    EXPECT_EQ(view->IsPrevMove(), 1);
    view->Prev();
    EXPECT_EQ(view->GetCurrentNumber(), 2);
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    view->set_select_all(1);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(view->GetCurrentNumber(), 1);
    EXPECT_EQ(view->get_count_selected(), 3);
    view->set_select_all(0);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(view->GetCurrentNumber(), 0);
    EXPECT_EQ(view->GetTransImage(), nullptr);
    // select_properly: the first item becomes current when none is selected.
    view->select_properly();
    EXPECT_EQ(view->GetCurrentNumber(), 1);
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
    // With a selection and no current number, the first selected item is current; the number stays 0.
    view->set_select_all(0);
    view->GetVxImage(2)->m_bSelected = 1;
    view->select_properly();
    EXPECT_EQ(view->GetCurrentNumber(), 0);
    EXPECT_EQ(view->GetTransImage(), view->GetVxImage(2));
    view->Loading(photo + "/p02.png");
    EXPECT_EQ(view->GetCurrentNumber(), 2);
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    view->Loading(3);
    EXPECT_EQ(Selected(), (std::vector<int>{3}));
    EXPECT_EQ(view->GetType(2), 4);
    CStringList stack;
    view->PushStack(&stack);
    EXPECT_EQ(stack, (CStringList{photo + "/p03.png"}));
    CString key = view->GetVxImage(0)->m_strCLSID;
    EXPECT_EQ(view->is_exist_clsid(key), 1);
    CString other = "nothing";
    EXPECT_EQ(view->is_exist_clsid(other), 0);
    CThumbCatalogue::ItemList::iterator it;
    EXPECT_EQ(view->GetVxImage(photo + "/p01.png", it), view->GetVxImage(0));
}

TEST_F(BrowserTest, MouseSelection) {
    Show(9);
    view->SetClientSize(5 + 3 * 118, 600);
    // Plain click: only the hit item.
    view->OnLButtonDown(At(2), false, false);
    view->OnLButtonUp();
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    EXPECT_EQ(view->GetCurrentNumber(), 2);
    // Ctrl+click toggles; deselecting leaves no current item.
    view->OnLButtonDown(At(8), true, false);
    EXPECT_EQ(Selected(), (std::vector<int>{2, 8}));
    EXPECT_EQ(view->GetCurrentNumber(), 8);
    view->OnLButtonDown(At(8), true, false);
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    EXPECT_EQ(view->GetCurrentNumber(), 0);
    EXPECT_EQ(view->GetAttrLabel(), "");
    view->OnLButtonDown(At(8), true, false);
    // Shift+click on 5 with 2 and 8 selected: 2 to 5, and 8 stays.
    view->OnLButtonDown(At(5), false, true);
    EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4, 5, 8}));
    EXPECT_EQ(view->GetCurrentNumber(), 5);
    EXPECT_EQ(view->GetOldCurrentNumber(), 8);
    // A plain click on a selected item keeps the selection for a drag.
    view->OnLButtonDown(At(3), false, false);
    EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4, 5, 8}));
    EXPECT_EQ(view->GetCurrentNumber(), 3);
    EXPECT_FALSE(view->OnMouseMove(CPoint(At(3).x + 7, At(3).y)));
    EXPECT_TRUE(view->OnMouseMove(CPoint(At(3).x, At(3).y - 8)));
    view->OnLButtonUp();
    // Ctrl+click on empty space changes nothing; a plain click there clears everything.
    view->OnLButtonDown(CPoint(3, 3), true, false);
    EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4, 5, 8}));
    view->OnLButtonDown(CPoint(3, 3), false, false);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(view->GetCurrentNumber(), 0);
    // Shift+click with nothing selected: current without selection.
    view->OnLButtonDown(At(6), false, true);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(view->GetCurrentNumber(), 6);
    view->OnLButtonUp();
    EXPECT_FALSE(view->OnMouseMove(CPoint(0, 0)));
}

TEST_F(BrowserTest, DoubleClickOpensByType) {
    Photo("a.gif", 8, 8);
    Photo("b.png", 8, 8);
    view->SetAlbum(99, 0);
    window.messages.clear();
    view->OnLButtonDblClk(At(1));
    view->OnLButtonDblClk(At(2));
    EXPECT_EQ(window.Only(WM_SWITCH_DECORATE).size(), 1u);
    EXPECT_EQ(window.Only(WM_SWITCH_EDIT).size(), 1u);
    EXPECT_EQ(view->GetCurrentNumber(), 2);
    view->OnLButtonDblClk(CPoint(2, 2));
    EXPECT_EQ(view->GetCurrentNumber(), 0);
}

TEST_F(BrowserTest, DropsAddToAlbumsButNotToAllPhotos) {
    Show(2);
    const int album = view->AddAlbum("x");
    view->set_select_all(1);
    view->OnDrop(99);
    view->OnDrop(0);
    EXPECT_EQ(Column("AlbumID", "p01.png"), "");
    view->OnDrop(album);
    EXPECT_EQ(Column("AlbumID", "p01.png"), "?" + std::to_string(album));
    EXPECT_EQ(Column("AlbumID", "p02.png"), "?" + std::to_string(album));
    // Dropping an album's items onto the same album does nothing either.
    view->SetAlbum(album, 0);
    view->set_select_all(1);
    view->MoveToAlbum(album, album);
    EXPECT_EQ(Column("AlbumID", "p01.png"), "?" + std::to_string(album));
}

TEST_F(BrowserTest, DeleteKeyAsksFirst) {
    Show(2);
    boxes.Script({IDNO});
    EXPECT_TRUE(view->OnKeyDown(CThumbCatalogue::kKeyDelete));
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"정말 삭제하시겠습니까?"}));
    EXPECT_EQ(view->GetThumbCount(), 2);
}

TEST_F(BrowserTest, ShowModeAndLabels) {
    Show(1);
    vxImage* item = view->GetVxImage(0);
    item->m_strTitle = "t";
    item->m_strKeyword = "k";
    EXPECT_EQ(view->SetShowMode(SHOW_MODE_0), 0);
    EXPECT_EQ(view->GetLabel(item), "p01.png");
    EXPECT_EQ(view->SetShowMode(SHOW_MODE_1), 1);
    EXPECT_EQ(view->GetLabel(item), "t");
    EXPECT_EQ(view->SetShowMode(SHOW_MODE_2), 1);
    EXPECT_EQ(view->GetLabel(item), "k");
}

TEST_F(BrowserTest, LevelsAboveZeroFollowTheVisibleRows) {
    Show(9);
    view->SetSliderSize(20);  // level 1, cell 170, pitch 204
    view->SetClientSize(5 + 3 * 190, 300);
    ASSERT_EQ(view->GetLevel(), 1);
    view->UpdateVisibility(0);
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(view->GetVxImage(i)->load_thumb_num(1));
    // Scrolling down past the first row frees that row's level-1 pictures.
    view->UpdateVisibility(210);
    view->ReleaseScrolledOut();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(view->GetVxImage(i)->GetLevelImage(1), nullptr);
    for (int i = 3; i < 6; ++i) EXPECT_NE(view->GetVxImage(i)->GetLevelImage(1), nullptr);
    for (int i = 0; i < 9; ++i) EXPECT_NE(view->GetVxImage(i)->GetLevelImage(0), nullptr);
}
