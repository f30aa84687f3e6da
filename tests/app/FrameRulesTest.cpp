// The main frame's decisions without a window: enabled-when rules, mode-switch refusals and the
// places of the models without decoration.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FrameRules.h"
#include "app/Resource.h"
#include "common/Gandry.h"

namespace {

FrameState Served() {
    FrameState s;
    s.served.insert(CFrameRules::Commands().begin(), CFrameRules::Commands().end());
    return s;
}

std::vector<std::string> AllModels() {
    std::vector<std::string> names;
    for (int id = 0; id < 66; ++id) names.push_back(CGandry::GetModelnameByModelID(id));
    return names;
}

int IndexOf(const std::vector<std::string>& list, const std::string& name) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == name) return static_cast<int>(i);
    return -1;
}

}  // namespace

TEST(FrameRules, CommandsWithoutTheirOperationStayDisabled) {
    FrameState s;  // nothing served
    s.mode = 0;
    s.selection = 3;
    for (int id : CFrameRules::Commands()) EXPECT_FALSE(CFrameRules::IsEnabled(id, s)) << id;
}

TEST(FrameRules, AlwaysEnabledCommands) {
    FrameState s = Served();
    for (int mode = 0; mode < 3; ++mode) {
        s.mode = mode;
        for (int id : {IDC_MODE_COMPOSE, IDC_MODE_EDIT, IDC_ADD_ALBUM, IDC_IMPORT, ID_ALBUM_DELETE, ID_SHOW_MODE_0,
                       ID_SHOW_MODE_1, ID_SHOW_MODE_2, ID_SORT_ORDER_0, ID_SORT_ORDER_1, ID_CHECK_UPDATE, ID_HELP})
            EXPECT_TRUE(CFrameRules::IsEnabled(id, s)) << id << " in mode " << mode;
    }
}

TEST(FrameRules, DecorationButtonFollowsTheModel) {
    FrameState s = Served();
    for (int model = 0; model < 66; ++model) {
        s.model = model;
        const bool without = model == 4 || model == 12 || model == 15 || model == 24;
        EXPECT_EQ(CFrameRules::IsEnabled(IDC_MODE_DECORATE, s), !without) << model;
    }
    s.model = 67;
    EXPECT_TRUE(CFrameRules::IsEnabled(IDC_MODE_DECORATE, s));
}

TEST(FrameRules, AlbumCompositionOnlyCommands) {
    FrameState s = Served();
    // Mode 0 alone.
    for (int id : {ID_ALBUM_ADD, ID_FILE_IMPORT, ID_ENVIRONMENT}) {
        s.mode = 0;
        EXPECT_TRUE(CFrameRules::IsEnabled(id, s)) << id;
        s.mode = 1;
        EXPECT_FALSE(CFrameRules::IsEnabled(id, s)) << id;
        s.mode = 2;
        EXPECT_FALSE(CFrameRules::IsEnabled(id, s)) << id;
    }
    // Mode 0 and a selection.
    for (int id : {ID_ALBUM_FROM_SELECTION, ID_THUMB_DELETE, ID_KEYWORD, ID_BUNDLE_RENAME}) {
        s.mode = 0;
        s.selection = 0;
        EXPECT_FALSE(CFrameRules::IsEnabled(id, s)) << id;
        s.selection = 1;
        EXPECT_TRUE(CFrameRules::IsEnabled(id, s)) << id;
        s.mode = 1;
        EXPECT_FALSE(CFrameRules::IsEnabled(id, s)) << id;
    }
}

TEST(FrameRules, CopyPasteAndAlbumCopyDependOnTheAllPhotosAlbum) {
    FrameState s = Served();
    s.mode = 0;
    s.album = 99;
    s.selection = 2;
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_EDIT_COPY, s));
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_ALBUM_COPY, s));
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_PASTE, s));
    s.copySetEmpty = false;
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_EDIT_PASTE, s));
    s.album = 3;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_COPY, s));
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_PASTE, s));
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_ALBUM_COPY, s));
    s.selection = 0;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_ALBUM_COPY, s));
    s.album = 99;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_COPY, s));
    s.mode = 1;
    s.selection = 2;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_COPY, s));
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_PASTE, s));
}

TEST(FrameRules, SelectAllNeedsItemsAndInformationExactlyOneSelected) {
    FrameState s = Served();
    s.albumItems = 0;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_SELECT_ALL, s));
    s.albumItems = 5;
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_EDIT_SELECT_ALL, s));
    s.mode = 2;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_SELECT_ALL, s));
    // Information is not limited to a mode.
    for (int sel : {0, 1, 2}) {
        s.selection = sel;
        EXPECT_EQ(CFrameRules::IsEnabled(ID_PICTURE_INFO, s), sel == 1) << sel;
    }
}

TEST(FrameRules, RestoreAndExport) {
    FrameState s = Served();
    s.canRestore = true;
    s.mode = 0;
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_RESTORE, s));
    s.mode = 1;
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_RESTORE, s));
    s.mode = 2;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_RESTORE, s));
    s.mode = 0;
    s.canRestore = false;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_RESTORE, s));

    s.selection = 0;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_FILE_EXPORT, s));
    s.selection = 1;
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_FILE_EXPORT, s));
    s.selection = 0;
    s.mode = 1;
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_FILE_EXPORT, s));
    s.mode = 2;
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_FILE_EXPORT, s));
}

TEST(FrameRules, SaveAndPrintPreviewFollowTheCanvasMode) {
    FrameState s = Served();
    s.mode = 0;
    s.canvasMode = 5;
    for (int id : {ID_FILE_SAVE_PICTURE, ID_FILE_SAVE_PICTURE_AS, ID_PRINT_PREVIEW})
        EXPECT_FALSE(CFrameRules::IsEnabled(id, s)) << id;
    s.mode = 2;
    s.canvasMode = -1;
    for (int id : {ID_FILE_SAVE_PICTURE, ID_FILE_SAVE_PICTURE_AS, ID_PRINT_PREVIEW})
        EXPECT_TRUE(CFrameRules::IsEnabled(id, s)) << id;
    s.mode = 1;
    const bool saveIn[6] = {false, false, false, false, false, true};
    const bool previewIn[6] = {false, false, false, true, true, true};
    for (int canvas = 0; canvas < 6; ++canvas) {
        s.canvasMode = canvas;
        EXPECT_EQ(CFrameRules::IsEnabled(ID_FILE_SAVE_PICTURE, s), saveIn[canvas]) << canvas;
        EXPECT_EQ(CFrameRules::IsEnabled(ID_FILE_SAVE_PICTURE_AS, s), saveIn[canvas]) << canvas;
        EXPECT_EQ(CFrameRules::IsEnabled(ID_PRINT_PREVIEW, s), previewIn[canvas]) << canvas;
    }
    // No canvas: nothing to save or print.
    s.canvasMode = -1;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_FILE_SAVE_PICTURE, s));
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_PRINT_PREVIEW, s));
}

TEST(FrameRules, UndoRedoOnlyInPhotoEditing) {
    FrameState s = Served();
    s.canUndo = true;
    s.canRedo = false;
    s.mode = 1;
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_EDIT_UNDO, s));
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_REDO, s));
    s.canRedo = true;
    EXPECT_TRUE(CFrameRules::IsEnabled(ID_EDIT_REDO, s));
    s.mode = 2;
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_UNDO, s));
    EXPECT_FALSE(CFrameRules::IsEnabled(ID_EDIT_REDO, s));
}

TEST(FrameRules, RadioCommandsAreCheckedBySetting) {
    FrameState s = Served();
    s.showMode = 1;
    s.order = 1;
    EXPECT_FALSE(CFrameRules::IsChecked(ID_SHOW_MODE_0, s));
    EXPECT_TRUE(CFrameRules::IsChecked(ID_SHOW_MODE_1, s));
    EXPECT_FALSE(CFrameRules::IsChecked(ID_SHOW_MODE_2, s));
    EXPECT_FALSE(CFrameRules::IsChecked(ID_SORT_ORDER_0, s));
    EXPECT_TRUE(CFrameRules::IsChecked(ID_SORT_ORDER_1, s));
    EXPECT_FALSE(CFrameRules::IsChecked(ID_HELP, s));
}

TEST(FrameRules, SwitchRefusalsInTheirOrder) {
    SwitchFacts f;
    f.mode = 0;
    // The current mode: nothing happens, not even a message.
    EXPECT_EQ(CFrameRules::CheckSwitch(0, f).verdict, SwitchVerdict::Stay);
    f.mode = 1;
    EXPECT_EQ(CFrameRules::CheckSwitch(1, f).verdict, SwitchVerdict::Stay);
    f.mode = 0;

    auto d = CFrameRules::CheckSwitch(1, f);
    EXPECT_EQ(d.verdict, SwitchVerdict::Refuse);
    EXPECT_EQ(d.message, "사진편집 실행할수 없습니다");
    d = CFrameRules::CheckSwitch(2, f);
    EXPECT_EQ(d.verdict, SwitchVerdict::Refuse);
    EXPECT_EQ(d.message, "사진을 선택해 주세요");

    f.hasCurrentItem = true;
    f.currentIndex = 1;
    f.fileExists = false;
    for (int target : {1, 2}) {
        d = CFrameRules::CheckSwitch(target, f);
        EXPECT_EQ(d.verdict, SwitchVerdict::Refuse);
        EXPECT_EQ(d.message, "파일의 링크가 깨져있거나, 실제파일이 삭제되어졌습니다.");
    }
    f.fileExists = true;
    EXPECT_EQ(CFrameRules::CheckSwitch(1, f).verdict, SwitchVerdict::Switch);
    EXPECT_EQ(CFrameRules::CheckSwitch(2, f).verdict, SwitchVerdict::Switch);
    f.mode = 2;
    EXPECT_EQ(CFrameRules::CheckSwitch(0, f).verdict, SwitchVerdict::Switch);
}

TEST(FrameRules, DoubleClickChecksTheModelFirst) {
    SwitchFacts f;
    f.mode = 2;  // even in mode 2 the message comes first
    f.hasCurrentItem = true;
    f.currentIndex = 1;
    f.fileExists = true;
    for (int model : {4, 12, 15, 24}) {
        f.model = model;
        auto d = CFrameRules::CheckSwitch(2, f, true);
        EXPECT_EQ(d.verdict, SwitchVerdict::Refuse) << model;
        EXPECT_EQ(d.message, "해당모델은 ZEL꾸미기를 지원하지 않습니다");
        // The button's switch makes no model test (the button is disabled instead).
        EXPECT_EQ(CFrameRules::CheckSwitch(2, f, false).verdict, SwitchVerdict::Stay);
    }
    f.model = 5;
    EXPECT_EQ(CFrameRules::CheckSwitch(2, f, true).verdict, SwitchVerdict::Stay);
}

TEST(FrameRules, UndecoratedModelsReturnInModelOrderWithEveryModelInstalled) {
    const auto all = AllModels();
    auto list = all;
    CFrameRules::RemoveUndecorated(list);
    EXPECT_EQ(list.size(), 62u);
    for (const char* gone : {"PM-04", "PM-12", "PM-15", "PM-24"}) EXPECT_EQ(IndexOf(list, gone), -1) << gone;
    CFrameRules::RestoreUndecorated(list, all);
    EXPECT_EQ(list, all);
    EXPECT_EQ(IndexOf(list, "PM-24"), 24);
    EXPECT_EQ(IndexOf(list, "PM-22"), 22);
    // Removing twice and restoring twice changes nothing more.
    CFrameRules::RestoreUndecorated(list, all);
    EXPECT_EQ(list, all);
}

TEST(FrameRules, UndecoratedModelsReturnAtTheOriginalsPositionsWithItsInstallation) {
    // An installation where the four land at 4, 11, 13 and 19, as the design lists them.
    std::vector<std::string> installed;
    for (int id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 15, 16, 17, 18, 19, 20, 24, 25, 30})
        installed.push_back(CGandry::GetModelnameByModelID(id));
    installed.push_back("사용자 정의");
    auto list = installed;
    CFrameRules::RemoveUndecorated(list);
    CFrameRules::RestoreUndecorated(list, installed);
    EXPECT_EQ(list, installed);
    EXPECT_EQ(IndexOf(list, "PM-04"), 4);
    EXPECT_EQ(IndexOf(list, "PM-12"), 11);
    EXPECT_EQ(IndexOf(list, "PM-15"), 13);
    EXPECT_EQ(IndexOf(list, "PM-24"), 19);
    EXPECT_EQ(list.back(), "사용자 정의");
}

TEST(FrameRules, ModelsMissingFromTheInstallationDoNotComeBack) {
    const std::vector<std::string> installed = {"PM-00", "PM-12", "PM-30"};
    std::vector<std::string> list = {"PM-00", "PM-30"};
    CFrameRules::RestoreUndecorated(list, installed);
    EXPECT_EQ(list, installed);
    EXPECT_EQ(CFrameRules::RestorePosition({}, 4), 0);
    EXPECT_EQ(CFrameRules::RestorePosition({"PM-00", "사용자 정의"}, 24), 1);
}
