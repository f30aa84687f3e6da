// The album list over catalogue items, the preview information lines, and the three panels that
// host the lists in the editor and decoration views.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <QWheelEvent>

#include <memory>

#include "app/DlgAlbum.h"
#include "app/DlgFilter.h"
#include "app/DlgFrame.h"
#include "app/ViewDecorate.h"
#include "app/ViewEditor.h"
#include "platform/afx/afxmsg.h"
#include "tests/pickers/PickerHelpers.h"
#include "tests/support/TempHome.h"
#include "views/catalogue/AlbumList.h"
#include "views/catalogue/PreviewInfo.h"
#include "views/catalogue/artPicture.h"
#include "views/catalogue/vxImage.h"
#include "views/controls/BitmapSliderEx.h"
#include "views/controls/UserStatic.h"
#include "views/editor/FilterList.h"
#include "views/editor/FrameList.h"

using namespace pickertest;

namespace {

// Catalogue items as the browser holds them, each with its level-0 thumbnail in memory.
struct Items {
    explicit Items(int count) {
        for (int i = 0; i < count; ++i) {
            const CString name = "photo" + std::to_string(i) + ".jpg";
            owned.push_back(std::make_unique<vxImage>(nullptr, "key" + std::to_string(i), 1, name, "/none/" + name));
            owned.back()->m_pThumb[0] = new extImage(Pattern(20, 15, i));
            list.push_back(owned.back().get());
        }
    }
    std::vector<std::unique_ptr<vxImage>> owned;
    std::vector<vxImage*> list;
};

TEST(AlbumList, OneItemPerEntryPointingAtItsThumbnail) {
    App();
    Items items(3);
    CAlbumList list;
    list.Init(98);
    list.Load(&items.list);
    ASSERT_EQ(list.GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.GetItem(i)->GetPtrPic(), items.list[i]->m_pThumb[0]);
        EXPECT_EQ(list.GetItem(i)->GetReference(), 1);
        EXPECT_EQ(list.GetItem(i)->GetName(), items.list[i]->m_strFilename);
    }
    // 89 × 65 items with 18-pixel labels, centred in 98.
    EXPECT_EQ(list.GetItemRect(1), CRect(4, 83, 93, 148));
    EXPECT_EQ(list.GetSpecies(), SPECIES_ALBUM);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&list);
    ASSERT_EQ(a->childCount(), 3);
    EXPECT_EQ(a->child(2)->text(QAccessible::Name), QStringLiteral("photo2.jpg"));

    // Emptying the list leaves the catalogue's thumbnails alive.
    list.UnInit();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(Pixels(*items.list[1]->m_pThumb[0]), Pixels(Pattern(20, 15, 1)));
}

TEST(AlbumList, EmptyAlbumShowsOnlyTheBackground) {
    App();
    Items items(2);
    CAlbumList list;
    list.Init(98);
    list.resize(98, 150);
    list.Load(&items.list);
    std::vector<vxImage*> none;
    list.Load(&none);
    EXPECT_EQ(list.GetCount(), 0);
    const QImage shown = list.grab().toImage();
    for (int y = 0; y < shown.height(); y += 7)
        for (int x = 0; x < shown.width(); x += 7) ASSERT_EQ(shown.pixel(x, y) & 0xFFFFFF, 0xEDEDEDu) << x << "," << y;
}

TEST(AlbumList, DrawingFollowsAThumbnailTheBrowserReplaced) {
    App();
    Items items(1);
    CAlbumList list;
    list.Init(98);
    list.resize(98, 100);
    list.Load(&items.list);
    // The browser frees thumbnails it does not show and reads them again later.
    delete items.list[0]->m_pThumb[0];
    items.list[0]->m_pThumb[0] = new extImage(Pattern(20, 15, 9));
    list.grab();
    EXPECT_EQ(list.GetItem(0)->GetPtrPic(), items.list[0]->m_pThumb[0]);
}

TEST(PreviewInfo, LinesAreCentredInLookZeroAndFourFromTheTopInLookOne) {
    const auto round = CPreviewInfo::LayoutLines(186, 100, 12, CPreviewInfo::LOOK_ROUND);
    // (100 - 36 - 21) / 2 + 4 = 25; 12 high, 7 apart, from 10 to w - 20.
    EXPECT_EQ(round[0], CRect(10, 25, 166, 37));
    EXPECT_EQ(round[1], CRect(10, 44, 166, 56));
    EXPECT_EQ(round[2], CRect(10, 63, 166, 75));
    EXPECT_EQ(round[3], CRect());
    const auto plain = CPreviewInfo::LayoutLines(186, 100, 12, CPreviewInfo::LOOK_PLAIN);
    EXPECT_EQ(plain[0], CRect(10, 10, 166, 22));
    EXPECT_EQ(plain[3], CRect(10, 67, 166, 79));
    // With the value column at half a 200-pixel line, values start 100 pixels in.
    EXPECT_EQ(CPreviewInfo::ValueRect(CRect(10, 0, 210, 12), 0.5f), CRect(110, 0, 210, 12));
    EXPECT_EQ(CPreviewInfo::ValueRect(CRect(10, 0, 113, 12), 0.3f).left, 10 + 30);
}

TEST(PreviewInfo, LabelsValuesAndColours) {
    App();
    CPreviewInfo info;
    EXPECT_EQ(info.GetFrameColor(), 0u);
    EXPECT_EQ(info.GetBackColor(), 0xFFFFFFu);
    EXPECT_FLOAT_EQ(info.GetAmount(), 0.5f);
    info.resize(220, 90);
    info.SetLeftString("사이즈 크기", "데이터 크기", "프레임 수");
    info.SetInfo1(" : 128x160");
    info.SetInfo2(" : 120KB");
    info.SetInfo3(" : 3프레임");
    info.SetColorVar(RGB(237, 237, 237), RGB(255, 255, 255));
    EXPECT_EQ(info.GetLineCount(), 3);
    EXPECT_EQ(info.GetLabel(0), QStringLiteral("사이즈 크기"));
    EXPECT_EQ(info.GetValue(2), QStringLiteral(" : 3프레임"));
    // (90 - 36 - 21) / 2 + 4 = 20.
    EXPECT_EQ(info.GetLineRect(0), CRect(10, 20, 200, 32));
    EXPECT_EQ(info.GetValueRect(0), CRect(105, 20, 200, 32));
    EXPECT_EQ(info.accessibleDescription(),
              QStringLiteral("사이즈 크기 : 128x160\n데이터 크기 : 120KB\n프레임 수 : 3프레임"));
    info.SetLook(CPreviewInfo::LOOK_PLAIN);
    info.SetInfo4("4");
    EXPECT_EQ(info.GetLineCount(), 4);
    EXPECT_EQ(info.GetLineRect(3), CRect(10, 67, 200, 79));
    EXPECT_EQ(info.GetLineRect(0), CRect(10, 10, 200, 22));
    EXPECT_EQ(info.GetFrameColor(), RGB(237, 237, 237));
}

TEST(DlgAlbum, ScrollBringsTheEntryIntoViewAndKeepsItWhenItEndsTheView) {
    // Entries 83 apart in a view 300 high.
    EXPECT_EQ(CDlgAlbum::ScrollForItem(1, 83, 300, 40), 0);
    EXPECT_EQ(CDlgAlbum::ScrollForItem(5, 83, 300, 0), 415 - 300);
    EXPECT_EQ(CDlgAlbum::ScrollForItem(3, 100, 300, 25), 25);
}

TEST(DlgAlbum, TitleCountsThePicturesAndTheSliderScrollsTheList) {
    App();
    Items items(6);
    CDlgAlbum panel;
    panel.resize(114, 300);
    panel.show();
    EXPECT_EQ(panel.GetTitleText(), QStringLiteral("앨  범"));
    panel.ShowAlbum("여행", &items.list);
    EXPECT_EQ(panel.GetTitleText(), QStringLiteral("여행(6장)"));
    CAlbumList* list = panel.GetAlbumList();
    EXPECT_EQ(list->GetCount(), 6);
    // The list fills the panel below the title, beside the slider.
    const int title = panel.GetTitleHeight();
    const int slider = panel.GetSliderWidth();
    EXPECT_EQ(list->geometry(), QRect(2, title + 5, 114 - slider - 4, 300 - title - 7));
    EXPECT_EQ(panel.GetSlider()->geometry(), QRect(114 - slider - 2, title + 5, slider, 300 - title - 7));
    EXPECT_EQ(list->GetControlWidth(), 110 - slider);
    EXPECT_EQ(panel.GetSlider()->GetRangeMax(), 6 * 83 - list->height());

    panel.ShowItem(5);
    EXPECT_EQ(list->GetCurrent(), 4);
    EXPECT_EQ(list->GetPosVer(), 5 * 83 - list->height());
    EXPECT_EQ(panel.GetSlider()->GetPos(), list->GetPosVer());

    // The slider's message moves the list; a click in the list focuses the slider.
    panel.SendMessage(CBitmapSlider::kMsgMoving, CDlgAlbum::IDC_SLIDER, 30);
    EXPECT_EQ(list->GetPosVer(), 30);
}

TEST(DlgAlbum, ChoosingAPictureTellsTheFrameWithTargetThree) {
    App();
    Recorder main;
    Items items(3);
    CDlgAlbum panel;
    panel.resize(114, 400);
    panel.show();
    panel.ShowAlbum("전체사진", &items.list);
    CAlbumList* list = panel.GetAlbumList();
    list->OnLButtonDown(CPoint(list->width() / 2, 83 + 10));
    QCoreApplication::processEvents();
    ASSERT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(main.messages[0], (Message{WM_PICTURE_LIST_CLICK, 1, 3}));
}

TEST(DlgFilter, FilterPanelCarriesItsTitleListAndTarget) {
    App();
    Recorder main;
    CDlgFilter panel;
    panel.resize(82, 300);
    panel.show();
    EXPECT_EQ(panel.GetTitle()->text(), QStringLiteral("필  터"));
    EXPECT_EQ(panel.GetSlider()->GetWheelRange(), 15);
    CFilterList* list = panel.GetFilterList();
    EXPECT_EQ(list->objectName(), QStringLiteral("7247"));
    EXPECT_EQ(list->GetControlWidth(), 78 - panel.GetSliderWidth());
    // Range: the items and the title beyond the panel's height.
    EXPECT_EQ(panel.GetSlider()->GetRangeMax(), 9 * 72 + panel.GetTitleHeight() - 300);
    const extImage picture = Pattern(30, 30);
    panel.Load(&picture);
    EXPECT_NE(list->GetItem(0)->GetPtrPic(), nullptr);
    list->OnLButtonDown(CPoint(list->width() / 2, 72 * 7 + 5));
    QCoreApplication::processEvents();
    ASSERT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(main.messages[0], (Message{WM_PICTURE_LIST_CLICK, 7, 1}));
    // A wheel notch over the list scrolls it by the panel's step, through the slider.
    QWheelEvent wheel(QPointF(10, 10), list->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list, &wheel);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel.GetSlider()->GetPos(), 15);
    EXPECT_EQ(list->GetPosVer(), 15);
    // Disabling the panel disables its list.
    panel.setEnabled(false);
    EXPECT_EQ(list->GetEnableWindow(), 0);
}

TEST(DlgFrame, FramePanelLoadsTheCurrentModelAtOnce) {
    App();
    testsupport::TempHome home;
    CMessageBoxResponder answers;
    const MODEL_SELECT before = CGandry::m_enumModel;
    CGandry::m_enumModel = MODEL_PM00;
    {
        CDlgFrame panel;
        // No data folder here: the message names the model's file and the list stays empty.
        EXPECT_EQ(panel.GetFrameList()->GetCount(), 0);
        EXPECT_EQ(answers.texts(), std::vector<std::string>{CGandry::GetDatafilenameByModleID(MODEL_PM00) +
                                                            " 데이터파일을 찾을수 없습니다"});
        EXPECT_EQ(panel.GetTitle()->text(), QStringLiteral("액  자"));
        EXPECT_EQ(panel.GetSlider()->GetWheelRange(), 40);
        EXPECT_EQ(panel.GetFrameList()->objectName(), QStringLiteral("7080"));
    }
    CGandry::m_enumModel = before;
}

TEST(WorkViewPanels, EditorAndDecorationHostThePickers) {
    App();
    testsupport::TempHome home;
    CMessageBoxResponder answers;
    CViewEditor editor(nullptr);
    editor.resize(900, 600);
    editor.show();
    ASSERT_NE(editor.GetDlgFilter(), nullptr);
    EXPECT_EQ(editor.GetFilterPanel(), editor.GetDlgFilter());
    EXPECT_EQ(editor.GetDlgFilter()->geometry(), QRect(10, 0, 82, 550));
    CViewDecorate decorate(nullptr);
    decorate.resize(900, 600);
    decorate.show();
    EXPECT_EQ(decorate.GetFramePanel(), decorate.GetDlgFrame());
    EXPECT_EQ(decorate.GetPictureList(), decorate.GetDlgAlbum());
    EXPECT_EQ(decorate.GetDlgFrame()->geometry(), QRect(10, 0, 82, 550));
    EXPECT_EQ(decorate.GetDlgAlbum()->geometry(), QRect(97, 0, 114, 550));
}

}  // namespace
