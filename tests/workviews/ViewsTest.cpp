// The work views, their host windows and the progress window as widgets: where the children
// land, what the texts and sliders show, and what the frame's calls change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTest>

#include "app/DlgEnvironment.h"
#include "app/DlgInit.h"
#include "app/DlgWrapper.h"
#include "app/ViewComposer.h"
#include "app/ViewWrapper.h"
#include "views/catalogue/ViewThumb.h"
#include "app/ViewDecorate.h"
#include "views/slides/ViewSlider.h"
#include "app/ViewEditor.h"
#include "app/ViewWrapper.h"
#include "app/ViewWrapper2.h"
#include "app/WorkControls.h"
#include "app/WorkViews.h"
#include "common/Gandry.h"
#include "tests/workviews/WidgetHelpers.h"

namespace {

QRect Q(const CRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

TEST(WorkViews, EachModeGetsItsView) {
    App();
    QWidget frame;
    EXPECT_NE(dynamic_cast<CViewComposer*>(CreateWorkView(WORKMODE_COMPOSE, &frame)), nullptr);
    EXPECT_NE(dynamic_cast<CViewEditor*>(CreateWorkView(WORKMODE_EDIT, &frame)), nullptr);
    EXPECT_NE(dynamic_cast<CViewDecorate*>(CreateWorkView(WORKMODE_DECORATE, &frame)), nullptr);
    EXPECT_EQ(frame.children().size(), 3);
}

TEST(ViewComposer, BrowserHostAndBottomRowFollowTheSize) {
    App();
    CViewComposer view(nullptr);
    view.resize(1200, 700);
    view.show();
    auto size = [&](int id) { return CSize(Child(&view, id)->width(), Child(&view, id)->height()); };
    const auto l = CWorkLayout::ComposerLayout(1200, 700,
                                               {size(CWorkView::IDC_LOGO),
                                                size(CWorkView::IDC_ZOOM_OUT),
                                                size(CWorkView::IDC_ZOOM_IN),
                                                size(CWorkView::IDC_ZOOM),
                                                {},
                                                {},
                                                {},
                                                {}});
    EXPECT_EQ(Child(&view, CViewWrapper::IDC_WRAPPER)->geometry(), QRect(10, 0, 1180, 650));
    EXPECT_EQ(Child(&view, CWorkView::IDC_ZOOM)->geometry(), Q(l.slider));
    EXPECT_EQ(Child(&view, CWorkView::IDC_ZOOM_IN)->geometry(), Q(l.zoomIn));
    // The browser sits 10 pixels inside its host.
    EXPECT_EQ(Child(&view, CViewWrapper::IDC_THUMB)->geometry(), QRect(10, 10, 1160, 630));
    auto* slider = view.GetZoomSlider();
    EXPECT_EQ(slider->GetRangeMin(), 0);
    EXPECT_EQ(slider->GetRangeMax(), 100);
    EXPECT_EQ(slider->GetPos(), 8);
    // Setting the slider from code tells nobody; the user's moves size the thumbnails.
    CThumbCatalogue& browser = view.GetWrapper()->GetThumb()->Catalogue();
    EXPECT_EQ(browser.GetCellSize(), 8 * 6 + 50);
    slider->SetPos(40);
    EXPECT_EQ(view.GetThumbSize(), 8);
    EXPECT_EQ(browser.GetCellSize(), 8 * 6 + 50);
    Key(slider, Qt::Key_Right);
    EXPECT_EQ(view.GetThumbSize(), 41);
    EXPECT_EQ(browser.GetCellSize(), 41 * 6 + 50);
    EXPECT_EQ(browser.GetLevel(), 1);
    Key(slider, Qt::Key_End);
    EXPECT_EQ(view.GetThumbSize(), 100);
    EXPECT_EQ(browser.GetLevel(), 2);
    Shot(&view, "composer");
}

TEST(ViewComposer, InfoTextsFollowTheShowMode) {
    App();
    const CViewComposer::ItemInfo info{"a.jpg", "바다", "여름", "2024-07-01", "12 KB", "640 x 480"};
    EXPECT_EQ(CViewComposer::InfoLines(info, 0),
              (QStringList{"파일이름 : a.jpg", "날     짜 : 2024-07-01", "크기 : 12 KB", "Pixel : 640 x 480"}));
    EXPECT_EQ(CViewComposer::InfoLines(info, 1).first(), QStringLiteral("제     목 : 바다"));
    EXPECT_EQ(CViewComposer::InfoLines(info, 2).first(), QStringLiteral("키 워 드 : 여름"));
    CViewComposer view(nullptr);
    view.SetItemInfo(info, 1);
    EXPECT_TRUE(view.GetInfoText().startsWith(QStringLiteral("제     목 : 바다")));
}

TEST(ViewEditor, LayoutTextsAndZoom) {
    App();
    CViewEditor view(nullptr);
    view.resize(1200, 700);
    view.show();
    EXPECT_EQ(Child(&view, CViewEditor::IDD_FILTER)->geometry(), QRect(10, 0, 82, 650));
    EXPECT_EQ(Child(&view, CViewEditor::IDD_EFFECT)->geometry(), QRect(1062, 0, 128, 650));
    EXPECT_EQ(Child(&view, CViewWrapper2::IDC_WRAPPER)->geometry(), QRect(97, 0, 960, 650));
    EXPECT_EQ(Child(&view, CViewWrapper2::IDC_CANVAS)->geometry(), QRect(5, 5, 950, 640));
    EXPECT_EQ(Child(&view, CViewEditor::IDC_SAVE)->x(), 1082);
    auto* print = Child(&view, CViewEditor::IDC_PRINT);
    EXPECT_EQ(print->x(), 1082 + Child(&view, CViewEditor::IDC_SAVE)->width());
    auto* next = Child(&view, CViewEditor::IDC_NEXT);
    EXPECT_EQ(next->x(), 1200 - next->width() - 143);
    EXPECT_EQ(Child(&view, CViewEditor::IDC_PREVIOUS)->geometry().right() + 1, next->x());

    EXPECT_EQ(view.GetPositionText(), QStringLiteral("사진 0/0장"));
    view.SetPositionText(4, 17);
    EXPECT_EQ(view.GetPositionText(), QStringLiteral("사진 4/17장"));
    view.SetInfoText(QStringLiteral("a.jpg 640x480"));
    EXPECT_EQ(view.GetInfoText(), QStringLiteral("a.jpg 640x480"));

    auto* slider = view.GetZoomSlider();
    EXPECT_EQ(slider->GetRangeMax(), 29);
    EXPECT_EQ(slider->GetPageSize(), 1);
    EXPECT_EQ(slider->GetPos(), 15);
    Key(slider, Qt::Key_Right);
    EXPECT_EQ(view.GetZoom(), 16);
    Key(slider, Qt::Key_Home);
    EXPECT_EQ(view.GetZoom(), 0);
    // The frame sets the slider after loading a picture: no zoom step, the stored value follows.
    view.SetZoomPos(15);
    EXPECT_EQ(slider->GetPos(), 15);
    EXPECT_EQ(view.GetZoom(), 15);
    Shot(&view, "editor");
}

TEST(ViewEditor, ToolModeDisablesAndNormalModeRestores) {
    App();
    CViewEditor view(nullptr);
    auto* previous = Child(&view, CViewEditor::IDC_PREVIOUS);
    auto* next = Child(&view, CViewEditor::IDC_NEXT);
    auto* save = Child(&view, CViewEditor::IDC_SAVE);
    EXPECT_FALSE(previous->isEnabled());
    view.EnablePrevious(true);
    view.EnableNext(true);
    EXPECT_TRUE(previous->isEnabled());
    view.OnToolMode(0);
    EXPECT_FALSE(previous->isEnabled());
    EXPECT_FALSE(next->isEnabled());
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(Child(&view, CViewEditor::IDC_PRINT)->isEnabled());
    EXPECT_FALSE(view.GetFilterPanel()->isEnabled());
    view.OnToolMode(5);
    EXPECT_TRUE(previous->isEnabled());
    EXPECT_TRUE(next->isEnabled());
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(view.GetFilterPanel()->isEnabled());
}

TEST(ViewEditor, StillPictureSwitchTakesPanelsAndCanvas) {
    App();
    CViewEditor view(nullptr);
    view.SetStillPicture(false);
    EXPECT_FALSE(view.GetFilterPanel()->isEnabled());
    EXPECT_FALSE(view.GetEffectPanel()->isEnabled());
    EXPECT_FALSE(view.GetWrapper()->isEnabled());
    // Enabling a button does not bring the filter panel back for an animation.
    view.EnableNext(true);
    EXPECT_FALSE(view.GetFilterPanel()->isEnabled());
    view.SetStillPicture(true);
    EXPECT_TRUE(view.GetFilterPanel()->isEnabled());
    EXPECT_TRUE(view.GetWrapper()->isEnabled());
}

TEST(ViewDecorate, LayoutTextsAndZoomRange) {
    App();
    CViewDecorate view(nullptr);
    view.resize(1200, 700);
    view.show();
    EXPECT_EQ(Child(&view, CViewDecorate::IDD_FRAME)->geometry(), QRect(10, 0, 82, 650));
    EXPECT_EQ(Child(&view, CViewDecorate::IDD_PICTURES)->geometry(), QRect(97, 0, 114, 650));
    EXPECT_EQ(Child(&view, CDlgWrapper::IDD)->geometry(), QRect(216, 0, 783, 650));
    EXPECT_EQ(Child(&view, CViewDecorate::IDD_PREVIEW)->geometry(), QRect(1004, 0, 186, 650));
    EXPECT_EQ(Child(&view, CViewDecorate::IDC_SAVE)->x(), 1019);
    EXPECT_EQ(view.GetZoomSlider()->GetRangeMax(), 30);
    EXPECT_EQ(view.GetZoomSlider()->GetPos(), 15);
    Key(view.GetZoomSlider(), Qt::Key_Left);
    EXPECT_EQ(view.GetZoom(), 14);
    view.SetZoomPos(15);
    EXPECT_EQ(view.GetZoom(), 15);
    view.SetPositionText(1, 1);
    EXPECT_EQ(view.GetPositionText(), QStringLiteral("사진 1/1장"));
    // The slide host: slides, scroller and canvas.
    auto* host = view.GetSlideHost();
    EXPECT_EQ(Child(host, CDlgWrapper::IDC_SLIDES)->geometry(), QRect(10, 15, 763, 110));
    EXPECT_EQ(Child(host, CDlgWrapper::IDC_SCROLLER)->geometry(), QRect(10, 128, 763, 11));
    EXPECT_EQ(Child(host, CDlgWrapper::IDC_CANVAS)->geometry(), QRect(10, 154, 763, 491));
    // Sixteen boxes of 78 pixels, 4 apart, after a margin of 5.
    EXPECT_EQ(host->GetViewSlider()->GetTotalWidth(), 1317);
    EXPECT_EQ(host->GetScroller()->GetRangeMax(), 1317 - 783 + 20);
    host->SetTotalWidth(2000);
    EXPECT_EQ(host->GetScroller()->GetRangeMax(), 2000 - 783 + 20);
    Key(host->GetScroller(), Qt::Key_End);
    EXPECT_EQ(host->GetScrollPos(), 1237);
    // Fewer slides pull the thumb back, and the slides follow.
    host->SetTotalWidth(900);
    EXPECT_EQ(host->GetScroller()->GetRangeMax(), 137);
    EXPECT_EQ(host->GetScrollPos(), 137);
    EXPECT_EQ(host->GetViewSlider()->Strip().GetPosHor(), 137);
    Shot(&view, "decorate");
}

TEST(WorkViews, EveryControlHasAnAccessibleName) {
    App();
    QWidget frame;
    for (int mode = 0; mode < 3; ++mode) {
        QWidget* view = CreateWorkView(mode, &frame);
        for (QWidget* child : view->findChildren<QWidget*>()) {
            // Host windows only frame what they hold.
            if (dynamic_cast<CViewWrapper*>(child) || dynamic_cast<CViewWrapper2*>(child) ||
                dynamic_cast<CDlgWrapper*>(child))
                continue;
            EXPECT_FALSE(child->accessibleName().isEmpty())
                << "mode " << mode << " " << child->objectName().toStdString();
        }
    }
    CViewEditor editor(nullptr);
    EXPECT_EQ(Child(&editor, CViewEditor::IDC_PREVIOUS)->accessibleName(), QStringLiteral("이전 그림"));
    EXPECT_EQ(Child(&editor, CViewEditor::IDC_NEXT)->accessibleName(), QStringLiteral("다음 그림"));
    EXPECT_EQ(Child(&editor, CViewEditor::IDC_SAVE)->toolTip(), QStringLiteral("저장"));
    EXPECT_EQ(Child(&editor, CViewEditor::IDC_PRINT)->toolTip(), QStringLiteral("프린트"));
}

TEST(DlgInit, SizedForItsContentsWithTextAndBarInPlace) {
    App();
    CDlgInit dialog;
    EXPECT_EQ(dialog.size(), QSize(CDlgInit::kPlainWidth, CDlgInit::kPlainHeight));
    EXPECT_FALSE(dialog.isVisible());
    dialog.BeginProgress(40);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Child(&dialog, CDlgInit::IDC_TEXT)->geometry(), QRect(20, 185, 200, 15));
    EXPECT_EQ(Child(&dialog, CDlgInit::IDC_PROGRESS)->geometry(), QRect(20, 205, 300, 20));
    Shot(&dialog, "init");
}

TEST(DlgInit, ProgressRunsFromBeginToEnd) {
    App();
    CDlgInit dialog;
    auto* bar = dialog.GetProgress();
    dialog.BeginProgress(40);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 40);
    EXPECT_EQ(bar->value(), 0);
    dialog.SetProgressPos(25);
    EXPECT_EQ(bar->value(), 25);
    dialog.SetProgressPos(41);
    EXPECT_EQ(bar->value(), 40);
    dialog.EndProgress();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(bar->value(), 0);
    // The next run starts again from 0 with its own range.
    dialog.BeginProgress(3);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->maximum(), 3);
    dialog.SetText(QStringLiteral("가져오는 중"));
    EXPECT_EQ(dialog.GetText()->text(), QStringLiteral("가져오는 중"));
}

}  // namespace
