// Saving the edited picture, exporting the item's file, and the small decisions the window
// asks of the core: cursors, marching ants, the hint line and the printed page.
#include <filesystem>

#include "platform/afx/afxwin.h"
#include "tests/editor/Fixture.h"
#include "tests/support/TempHome.h"
#include "views/catalogue/vxImage.h"

using namespace editortest;
namespace fs = std::filesystem;

class FilesTest : public CoreTest {
protected:
    // A catalogue item for a picture file in the photo folder, loaded into the core.
    void LoadItem(const std::string& name, const extImage& picture, DWORD type, const std::string& title = "") {
        photos_ = home_.root() + "/photos";
        fs::create_directories(photos_);
        path_ = photos_ + "/" + name;
        extImage copy(picture);
        ASSERT_TRUE(copy.Save(path_.c_str(), type));
        item_ = std::make_unique<vxImage>(nullptr, "key", 99, "", title, name, path_);
        core_.SetClientSize(CSize(100, 100));
        int level = 0;
        ASSERT_EQ(core_.Load(item_.get(), 0, level), 1);
        ASSERT_NE(core_.GetMainImage(), nullptr);
    }
    void PlaceText(CPoint at) {
        auto* text = new extImage(4, 2, 24);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) Put(*text, x, y, x < 2 ? Bgr(0, 0, 255) : Bgr(254, 255, 255));
        text->SetTransColor(Bgr(254, 255, 255));
        core_.GetTextBox().SetText("T");
        core_.GetTextBox().SetTextImage(text);
        core_.GetTextBox().SetLeftTop(at);
        core_.GetTextBox().SetTextSize(CSize(4, 2));
        core_.GetTextBox().SetMode(TEXTMODE_PLACED);
    }

    testsupport::TempHome home_;
    std::string photos_, path_;
    std::unique_ptr<vxImage> item_;
};

TEST_F(FilesTest, ItemDetailsComeFromTheItem) {
    LoadItem("Beach.BMP", Gradient(8, 6), CXIMAGE_FORMAT_BMP, "바다");
    EXPECT_EQ(core_.GetPtrSelectedVx(), item_.get());
    EXPECT_EQ(core_.GetCurrentType(), 1);
    EXPECT_EQ(core_.GetFullPath(), path_);
    EXPECT_EQ(core_.GetTitleName(), "바다");
    EXPECT_EQ(CViewMainCore::IsExistFile(item_.get()), 1);
    fs::remove(path_);
    EXPECT_EQ(CViewMainCore::IsExistFile(item_.get()), 0);
    EXPECT_EQ(CViewMainCore::IsExistFile(nullptr), 0);
    // An item whose file cannot be decoded leaves an empty, usable canvas.
    int level = 0;
    EXPECT_EQ(core_.Load(item_.get(), 1, level), 1);
    EXPECT_EQ(core_.GetMainImage(), nullptr);
    core_.ProcessSepia();
    EXPECT_EQ(core_.GetUndoLevel(), 0);
}

TEST_F(FilesTest, SavingInPlaceKeepsABackupAndPastesTheText) {
    extImage original = Gradient(10, 8);
    LoadItem("pic.bmp", original, CXIMAGE_FORMAT_BMP);
    core_.ProcessGray();
    PlaceText(CPoint(3, 2));
    int savedAsNew = -1;
    EXPECT_EQ(core_.Save("", savedAsNew), 1);
    EXPECT_EQ(savedAsNew, 0);
    // The untouched file went to the backup folder.
    extImage backup((home_.runDir() + "Origin/pic.bmp").c_str(), CXIMAGE_FORMAT_BMP);
    EXPECT_TRUE(picturetest::SamePixels(backup, original));
    extImage written(path_.c_str(), CXIMAGE_FORMAT_BMP);
    EXPECT_TRUE(picturetest::SamePixels(written, *core_.GetMainImage()));
    EXPECT_TRUE(SameColour(At(written, 3, 2), Bgr(0, 0, 255)));
    EXPECT_TRUE(SameColour(At(written, 5, 2), Bgr(3, 3, 3)));  // grey of blue 5, green 2, red 7
    // The text is now part of the picture; the box is gone.
    EXPECT_EQ(core_.GetTextBox().GetMode(), TEXTMODE_NONE);
    // A name naming the item's file (any case) also saves in place.
    EXPECT_EQ(core_.Save(photos_ + "/PIC.BMP", savedAsNew), 1);
    EXPECT_EQ(savedAsNew, 0);
}

TEST_F(FilesTest, SavingUnderAnotherNameWritesACopy) {
    extImage original = Gradient(10, 8);
    LoadItem("pic.bmp", original, CXIMAGE_FORMAT_BMP);
    PlaceText(CPoint(1, 1));
    int savedAsNew = -1;
    const std::string other = photos_ + "/other.png";
    EXPECT_EQ(core_.Save(other, savedAsNew), 1);
    EXPECT_EQ(savedAsNew, 1);
    extImage copy(other.c_str(), CXIMAGE_FORMAT_PNG);
    EXPECT_TRUE(SameColour(At(copy, 1, 1), Bgr(0, 0, 255)));
    EXPECT_TRUE(SameColour(At(copy, 3, 1), At(original, 3, 1)));
    // The canvas picture, the item's file and the text box stay as they were.
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetMainImage(), original));
    EXPECT_TRUE(picturetest::SamePixels(extImage(path_.c_str(), CXIMAGE_FORMAT_BMP), original));
    EXPECT_EQ(core_.GetTextBox().GetMode(), TEXTMODE_PLACED);
    EXPECT_FALSE(fs::exists(home_.runDir() + "Origin/pic.bmp"));
    // Phone pictures go through the PHT writer; a type the library cannot write is not written.
    EXPECT_EQ(core_.Save(photos_ + "/phone.pht", savedAsNew), 1);
    EXPECT_TRUE(extImage::IsValidFormat(photos_ + "/phone.pht", 20));
    EXPECT_EQ(core_.Save(photos_ + "/anim.eba", savedAsNew), 0);
    EXPECT_FALSE(fs::exists(photos_ + "/anim.eba"));
}

TEST_F(FilesTest, SavingAGifInPlaceLeavesTheCanvasTwentyFourBits) {
    extImage original = Gradient(10, 8);
    LoadItem("pic.gif", original, CXIMAGE_FORMAT_GIF);
    ASSERT_EQ(core_.GetMainImage()->GetBpp(), 24);
    int savedAsNew = -1;
    EXPECT_EQ(core_.Save("", savedAsNew), 1);
    EXPECT_EQ(core_.GetMainImage()->GetBpp(), 24);
    extImage written(path_.c_str(), CXIMAGE_FORMAT_GIF);
    EXPECT_EQ(written.GetWidth(), 10u);
    EXPECT_EQ(written.GetHeight(), 8u);
}

TEST_F(FilesTest, ExportCopiesUnderUniqueOrAskedNames) {
    LoadItem("Pic.Final.JPG", Gradient(10, 8), CXIMAGE_FORMAT_JPG, "여름");
    const std::string out = home_.root() + "/out";
    fs::create_directories(out);
    int count = 0;
    core_.ExportFile(out, 1, 0, count);  // no trailing "/"
    core_.ExportFile(out + "/", 1, 0, count);
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(fs::exists(out + "/Pic.Final000.jpg"));
    EXPECT_TRUE(fs::exists(out + "/Pic.Final001.jpg"));

    // The title as the name; a clash asks, and No keeps the existing file and the count.
    {
        std::ofstream(out + "/여름.jpg") << "old";
    }
    {
        CMessageBoxResponder responder({IDNO});
        core_.ExportFile(out, 0, 1, count);
        ASSERT_EQ(responder.shown().size(), 1u);
        EXPECT_EQ(responder.shown()[0].text, "여름.jpg 파일이 존재합니다. 덮어쓸까요?");
        EXPECT_EQ(responder.shown()[0].style & MB_TYPEMASK, MB_YESNO);
    }
    EXPECT_EQ(count, 2);
    EXPECT_EQ(fs::file_size(out + "/여름.jpg"), 3u);
    {
        CMessageBoxResponder responder({IDYES});
        core_.ExportFile(out, 0, 1, count);
    }
    EXPECT_EQ(count, 3);
    EXPECT_EQ(fs::file_size(out + "/여름.jpg"), fs::file_size(path_));
    // A free name needs no question.
    {
        CMessageBoxResponder responder;
        core_.ExportFile(out, 0, 0, count);
        EXPECT_TRUE(responder.shown().empty());
    }
    EXPECT_EQ(count, 4);
    EXPECT_TRUE(fs::exists(out + "/Pic.Final.jpg"));
}

class CanvasHelpersTest : public CoreTest {};

TEST_F(CanvasHelpersTest, CursorsFollowModeAndPlace) {
    LoadGradient(200, 150, CSize(200, 150));
    EXPECT_EQ(core_.GetCursorKind(CPoint(10, 10)), CURSOR_HAND);
    EXPECT_EQ(core_.GetCursorKind(CPoint(-1, 10)), CURSOR_CLASS);
    core_.Crop();
    EXPECT_EQ(core_.GetCursorKind(CPoint(10, 10)), CURSOR_CLASS);  // no selection yet
    Drag(CPoint(50, 50), CPoint(150, 120));
    EXPECT_EQ(core_.GetCursorKind(CPoint(45, 45)), CURSOR_NWSE);
    EXPECT_EQ(core_.GetCursorKind(CPoint(155, 125)), CURSOR_NWSE);
    EXPECT_EQ(core_.GetCursorKind(CPoint(150, 50)), CURSOR_NESW);
    EXPECT_EQ(core_.GetCursorKind(CPoint(50, 120)), CURSOR_NESW);
    EXPECT_EQ(core_.GetCursorKind(CPoint(100, 80)), CURSOR_MOVE);
    EXPECT_EQ(core_.GetCursorKind(CPoint(180, 10)), CURSOR_CLASS);
    core_.SetModeChange(MODE_LCD);
    EXPECT_EQ(core_.GetCursorKind(CPoint(180, 10)), CURSOR_HAND);
    core_.SetModeChange(MODE_TEXT);
    core_.GetTextBox().SetLeftTop(CPoint(20, 20));
    core_.GetTextBox().SetTextSize(CSize(30, 10));
    EXPECT_EQ(core_.GetCursorKind(CPoint(25, 25)), CURSOR_CLASS);  // no box yet
    core_.GetTextBox().SetMode(TEXTMODE_PLACED);
    EXPECT_EQ(core_.GetCursorKind(CPoint(25, 25)), CURSOR_MOVE);
    EXPECT_EQ(core_.GetCursorKind(CPoint(55, 25)), CURSOR_CLASS);
    core_.SetRealMode(MODE_EFFECT);
    EXPECT_EQ(core_.GetCursorKind(CPoint(25, 25)), CURSOR_CLASS);
}

TEST_F(CanvasHelpersTest, TextBoxPressesOpenCloseAndMoveIt) {
    LoadGradient(200, 150, CSize(200, 150));
    core_.Text(2);
    core_.OnLButtonDown(CPoint(30, 40), false);
    core_.OnLButtonUp(CPoint(30, 40), false);
    cbText& box = core_.GetTextBox();
    EXPECT_EQ(box.GetMode(), TEXTMODE_EDIT);
    EXPECT_EQ(box.GetLeftTop(), CPoint(30, 40));
    EXPECT_EQ(box.GetTextSize(), CSize(15, 15));
    // A bigger font makes the next new box bigger.
    core_.SetTextFontHeight(-24);
    EXPECT_EQ(core_.GetTextFontHeight(), 24);
    // A press with nothing typed removes the box.
    Drag(CPoint(100, 100), CPoint(100, 100));
    EXPECT_EQ(box.GetMode(), TEXTMODE_NONE);
    // Typed text is placed by the next press, with the ants running; a press inside moves it.
    Drag(CPoint(30, 40), CPoint(30, 40));
    EXPECT_EQ(box.GetTextSize(), CSize(24, 24));
    box.SetText("안녕");
    box.SetTextSize(CSize(40, 20));
    Drag(CPoint(150, 100), CPoint(150, 100));
    EXPECT_EQ(box.GetMode(), TEXTMODE_PLACED);
    EXPECT_TRUE(core_.IsTextTimerOn());
    Drag(CPoint(35, 45), CPoint(45, 40));
    EXPECT_EQ(box.GetLeftTop(), CPoint(40, 35));
    // Double-click inside reopens the editing and stops the ants.
    core_.OnLButtonDblClk(CPoint(50, 40));
    EXPECT_EQ(box.GetMode(), TEXTMODE_REEDIT);
    EXPECT_FALSE(core_.IsTextTimerOn());
    // Placed again, Escape removes it.
    Drag(CPoint(150, 100), CPoint(150, 100));
    EXPECT_TRUE(core_.OnEscape());
    EXPECT_EQ(box.GetMode(), TEXTMODE_NONE);
    EXPECT_FALSE(core_.OnEscape());
}

TEST_F(CanvasHelpersTest, MarchingAntsWalkTheOutline) {
    const std::vector<CPoint> path = CViewMainCore::AntsPath(CRect(10, 20, 13, 22));
    const std::vector<CPoint> want = {{10, 20}, {11, 20}, {12, 20}, {12, 21}, {11, 21}, {10, 21}};
    EXPECT_EQ(path, want);
    EXPECT_EQ(CViewMainCore::AntsPath(CRect(0, 0, 4, 4)).size(), 12u);
    EXPECT_TRUE(CViewMainCore::AntsPath(CRect(0, 0, 0, 4)).empty());
    // Four black, eight white, and each tick shifts the start by one.
    std::string cycle;
    for (int i = 0; i < 13; ++i) cycle += CViewMainCore::AntsBlack(i, 0) ? 'B' : 'w';
    EXPECT_EQ(cycle, "BBBBwwwwwwwwB");
    EXPECT_FALSE(CViewMainCore::AntsBlack(0, 4));
    EXPECT_FALSE(CViewMainCore::AntsBlack(0, 11));
    EXPECT_TRUE(CViewMainCore::AntsBlack(1, 11));

    LoadGradient(200, 150, CSize(200, 150));
    EXPECT_FALSE(core_.OnTimer(1));
    core_.Redeye();
    Drag(CPoint(10, 10), CPoint(30, 20));
    EXPECT_EQ(core_.GetAntsRect(), CRect(10, 10, 30, 20));
    EXPECT_TRUE(core_.OnTimer(1));
    EXPECT_EQ(core_.GetAntsPhase(), 1);
    EXPECT_FALSE(core_.OnTimer(2));
    EXPECT_EQ(core_.GetAntsPhase(), 1);
}

TEST_F(CanvasHelpersTest, HintLineAndPrintedPage) {
    LoadGradient(400, 300, CSize(600, 500));
    core_.SetLCDSize(CSize(176, 144));
    core_.SetModeChange(MODE_LCD);
    core_.InitScroll();
    EXPECT_EQ(core_.GetHintRect(), CRect(250, 327, 350, 347));

    // 1000 pixels at 100 dpi on a 600 dpi printer: 6000 dots, wider than the page.
    EXPECT_EQ(CViewMainCore::CalcPrintRect(CSize(1000, 500), 100, 600, 600, CSize(4800, 6600)),
              CRect(100, 100, 4800, 2400));
    // Narrow enough: the page height decides.
    EXPECT_EQ(CViewMainCore::CalcPrintRect(CSize(300, 600), 96, 600, 600, CSize(4800, 6600)),
              CRect(100, 100, 3300, 6600));
    EXPECT_EQ(CViewMainCore::CalcPrintRect(CSize(0, 600), 96, 600, 600, CSize(4800, 6600)), CRect());
    // A small landscape picture: the page height would make it wider than the paper, so the
    // page width decides.
    EXPECT_EQ(CViewMainCore::CalcPrintRect(CSize(64, 48), 96, 600, 600, CSize(4800, 6600)),
              CRect(100, 100, 4800, 3600));
}
