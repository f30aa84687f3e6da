// The filter list's nine previews and the frame list read from a model's frame-data file.
#include <gtest/gtest.h>

#include <QAccessible>

#include <array>
#include <filesystem>
#include <fstream>

#include "common/Gandry.h"
#include "platform/lurvane/Lurvane.h"
#include "platform/lurvane/LurvaneWriter.h"
#include "platform/pavix/ximage.h"
#include "tests/pickers/PickerHelpers.h"
#include "tests/support/TempHome.h"
#include "views/catalogue/artPicture.h"
#include "views/editor/FilterList.h"
#include "views/editor/FrameList.h"

using namespace pickertest;

namespace {

// The named effect as the editor's steps define it, on its own copy.
extImage Expected(const extImage& small, int index) {
    extImage p(small);
    switch (index) {
        case 0:
            p.GrayScale24();
            p.Concentration(CHANNEL_RED, 50);
            p.Concentration(CHANNEL_BLUE, -50);
            break;
        case 1:
            p.GrayScale24();
            p.Concentration(CHANNEL_GREEN, 50);
            break;
        case 2:
            p.GrayScale24();
            p.Concentration(CHANNEL_BLUE, 50);
            break;
        case 3:
            p.GrayScale24();
            break;
        case 4:
            p.GrayScale24();
            p.Thresold24(128);
            break;
        case 5:
            p.Pixelate(3, false);
            break;
        case 6: {
            const long k[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
            p.Filter(k, 3, 9, 0);
        } break;
        case 7: {
            const long k[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
            p.Filter(k, 3, 7, 0);
        } break;
        case 8:
            pavix::SeedRandom(77);
            p.Jitter(2);
            break;
    }
    return p;
}

TEST(FilterList, NineNamedItemsInRegistryOrderWithLabels) {
    App();
    CFilterList list;
    list.Init(66);
    ASSERT_EQ(list.GetCount(), 9);
    const char* names[] = {"세피아",   "그린",   "블루",     "그레이",  "Thresold",
                           "모자이크", "뽀샤시", "선명하게", "흩뿌리기"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(list.GetItem(i)->GetName(), names[i]);
    // 43 × 43 items, 18 apart, with 11-pixel labels, centred in 66.
    EXPECT_EQ(list.get_height_oneItem(), 43 + 18 + 11);
    EXPECT_EQ(list.GetItemRect(2), CRect(11, 144, 54, 187));
    EXPECT_TRUE(list.ShowsText());
    EXPECT_FALSE(list.DimsSelected());
    EXPECT_TRUE(list.IsToolTipOn());
    EXPECT_EQ(list.GetSpecies(), SPECIES_FILTER);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&list)->child(4)->text(QAccessible::Name),
              QStringLiteral("Thresold"));
}

TEST(FilterList, EachThumbnailIsItsEffectOnTheSmallCopy) {
    App();
    CFilterList list;
    list.Init(66);
    const extImage source = Pattern(120, 90, 4);
    extImage small;
    extImage(source).Resample(43, 43, 2, &small);
    ASSERT_EQ(small.GetWidth(), 43u);
    // Only the scatter draws random numbers, and it comes last.
    pavix::SeedRandom(77);
    list.Load(&source);
    std::vector<std::vector<BYTE>> seen;
    for (int i = 0; i < 9; ++i) {
        const extImage* thumb = list.GetItem(i)->GetPtrPic();
        ASSERT_NE(thumb, nullptr) << i;
        EXPECT_EQ(thumb->GetWidth(), 43u);
        EXPECT_EQ(thumb->GetHeight(), 43u);
        EXPECT_EQ(Pixels(*thumb), Pixels(Expected(small, i))) << list.GetItem(i)->GetName();
        seen.push_back(Pixels(*thumb));
    }
    // Every effect shows something different, the source untouched.
    for (int i = 0; i < 9; ++i)
        for (int j = i + 1; j < 9; ++j) EXPECT_NE(seen[i], seen[j]) << i << " " << j;
    EXPECT_EQ(Pixels(source), Pixels(Pattern(120, 90, 4)));

    // A new picture replaces every preview; none at all leaves the items empty.
    list.Load(nullptr);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(list.GetItem(i)->GetPtrPic(), nullptr);
}

TEST(FilterList, UnknownNameLeavesTheThumbnailAsItIs) {
    App();
    CFilterList list;
    artPicture item(new extImage(Pattern(6, 6)), "없는효과");
    list.ProcessFilter(&item);
    EXPECT_EQ(Pixels(*item.GetPtrPic()), Pixels(Pattern(6, 6)));
}

// A model's frame file with `frames` frames of two variants each; picture k is k + 3 wide.
class FrameData : public ::testing::Test {
protected:
    static constexpr MODEL_SELECT kModel = MODEL_PM00;

    void SetUp() override {
        App();
        file = CGandry::GetDatafilenameByModleID(kModel);
        ASSERT_FALSE(file.empty());
        std::filesystem::create_directories(home.runDir() + "data");
        path = home.runDir() + "data/" + file;
    }

    static extImage Picture(int k) {
        extImage p = Pattern(k + 3, 4, k * 10);
        p.SetPixelColor(0, 0, RGBQUAD{0, 255, 0, 0});  // a transparent corner
        return p;
    }

    void Write(int pictures) {
        CLurvaneWriter writer;
        for (int k = 0; k < pictures; ++k) {
            const extImage p = Picture(k);
            ASSERT_TRUE(writer.AddPicture(static_cast<int>(p.GetWidth()), 4, p.GetBits(),
                                          static_cast<std::size_t>(p.GetEffWidth()) * 4));
        }
        ASSERT_TRUE(writer.Save(path));
    }

    testsupport::TempHome home;
    CString file;
    std::string path;
};

TEST_F(FrameData, EachVariantGivesTheEmptyFrameAndOneItemPerFrame) {
    Write(6);
    CMessageBoxResponder answers;
    for (int variant = 0; variant < 2; ++variant) {
        CFrameList list;
        list.Init(66);
        list.Load(kModel, 7415, variant);
        ASSERT_EQ(list.GetCount(), 4) << variant;
        EXPECT_EQ(list.GetItem(0)->GetSelected(), 1);
        ASSERT_NE(list.GetItem(0)->GetPtrPic(), nullptr);
        for (int e = 0; e < 3; ++e) {
            const extImage* frame = list.GetItem(e + 1)->GetPtrPic();
            ASSERT_NE(frame, nullptr);
            EXPECT_EQ(list.GetItem(e + 1)->GetSelected(), 0);
            EXPECT_EQ(Pixels(*frame), Pixels(Picture(2 * e + variant))) << variant << " " << e;
            EXPECT_TRUE(frame->IsTransparent());
            const RGBQUAD key = frame->GetTransColor();
            EXPECT_EQ((std::array<int, 3>{key.rgbRed, key.rgbGreen, key.rgbBlue}), (std::array<int, 3>{0, 255, 0}));
        }
        EXPECT_EQ(list.GetSpecies(), SPECIES_FRAME);
        EXPECT_TRUE(list.DimsSelected());
        EXPECT_FALSE(list.ShowsText());
        EXPECT_EQ(list.get_height_oneItem(), 43 + 20);
    }
    EXPECT_TRUE(answers.texts().empty());
}

TEST_F(FrameData, SetSelectMarksOneItemAndTheDimmedCopyGoesWithIt) {
    Write(4);
    CMessageBoxResponder answers;
    CFrameList list;
    list.Init(66);
    list.Load(kModel, 7415, 0);
    ASSERT_EQ(list.GetCount(), 3);
    list.SetSelect(2);
    EXPECT_EQ(list.GetItem(0)->GetSelected(), 0);
    EXPECT_EQ(list.GetItem(1)->GetSelected(), 0);
    EXPECT_EQ(list.GetItem(2)->GetSelected(), 1);
    EXPECT_EQ(list.GetPtrArtPicture().size(), 3u);
    // Loading again starts over with the empty frame chosen.
    list.Load(kModel, 7415, 1);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetItem(0)->GetSelected(), 1);
}

TEST_F(FrameData, DamagedFileGivesTheMessageAndAnEmptyList) {
    Write(6);
    {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(std::filesystem::file_size(path) / 2));
        const char bad = 0x5A;
        f.write(&bad, 1);
    }
    int count = -1;
    CLurvane().Decode_dat(path, count, false);
    ASSERT_EQ(count, 0);
    CMessageBoxResponder answers;
    CFrameList list;
    list.Init(66);
    list.Load(kModel, 7415, 0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(answers.texts(), std::vector<std::string>{file + " 데이터파일을 찾을수 없습니다"});
}

TEST_F(FrameData, MissingFileGivesTheSameMessageAndEmptiesAnEarlierList) {
    Write(2);
    CMessageBoxResponder answers;
    CFrameList list;
    list.Init(66);
    list.Load(kModel, 7415, 0);
    EXPECT_EQ(list.GetCount(), 2);
    std::filesystem::remove(path);
    list.Load(kModel, 7415, 0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(answers.texts(), std::vector<std::string>{file + " 데이터파일을 찾을수 없습니다"});
}

}  // namespace
