// The model data files the build draws into bin/data/, read back through CLurvane, and the model
// catalogue that lists models by those files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/Gandry.h"
#include "platform/lurvane/Lurvane.h"
#include "platform/lurvane/LurvaneFormat.h"
#include "tests/support/ToolRunner.h"

namespace {

const std::string& DataFolder() {
    static const std::string folder = testsupport::BinDir() + "data/";
    return folder;
}

struct Pixel {
    int b, g, r;
    bool Key() const { return b == 0 && g == 255 && r == 0; }
};

Pixel At(const unsigned char* rows, int width, int height, int x, int y) {
    const std::size_t stride = lurvane::RowBytes(static_cast<std::uint64_t>(width));
    const unsigned char* p = rows + stride * static_cast<std::size_t>(height - 1 - y) + 3 * static_cast<std::size_t>(x);
    return {p[0], p[1], p[2]};
}

// The model's first screen size, upright (variant 0) and turned (variant 1).
void ExpectedSizes(int id, CSize& upright, CSize& turned) {
    CSize screen{0, 0};
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(id), 0, screen);
    upright = {std::min(screen.cx, screen.cy), std::max(screen.cx, screen.cy)};
    turned = {upright.cy, upright.cx};
}

TEST(ModelData, EveryModelHasFramesForItsScreenInBothVariants) {
    std::vector<int> ids;
    for (int id = 0; id < CGandry::kTableModelCount; ++id) ids.push_back(id);
    ids.push_back(MODEL_USER_DEFINED);
    for (int id : ids) {
        const std::string file = CGandry::GetDatafilenameByModleID(static_cast<MODEL_SELECT>(id));
        SCOPED_TRACE(file);
        CLurvane reader;
        int count = 0;
        ASSERT_TRUE(reader.Decode_dat(DataFolder() + file, count, false));
        ASSERT_GE(count, 12);
        ASSERT_EQ(count % 2, 0);
        CSize upright, turned;
        ExpectedSizes(id, upright, turned);
        for (int i = 0; i < count; ++i) {
            unsigned char* data = nullptr;
            int size = 0, width = 0, height = 0;
            ASSERT_TRUE(reader.GetImage(i, data, size, width, height));
            const CSize expected = i % 2 == 0 ? upright : turned;
            EXPECT_EQ(width, expected.cx) << "picture " << i;
            EXPECT_EQ(height, expected.cy) << "picture " << i;
            delete[] data;
        }
    }
}

TEST(ModelData, FramesAreOpaqueAtTheEdgesAndLetThePictureThroughInTheMiddle) {
    CLurvane reader;
    int count = 0;
    ASSERT_TRUE(reader.Decode_dat(DataFolder() + "PM-07.dat", count, false));
    std::set<std::vector<unsigned char>> distinct;
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        unsigned char* data = nullptr;
        int size = 0, w = 0, h = 0;
        ASSERT_TRUE(reader.GetImage(i, data, size, w, h));
        distinct.emplace(data, data + size);
        // The middle (the central half in each direction) is transparent.
        long middle = 0, middleKey = 0;
        for (int y = h / 4; y < 3 * h / 4; ++y)
            for (int x = w / 4; x < 3 * w / 4; ++x, ++middle) middleKey += At(data, w, h, x, y).Key();
        EXPECT_EQ(middleKey, middle);
        // Every design shows something along the edges: at least a fifth of the outermost
        // five-pixel ring is frame.
        long ring = 0, ringFrame = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (x >= 5 && y >= 5 && x < w - 5 && y < h - 5) continue;
                ++ring;
                ringFrame += !At(data, w, h, x, y).Key();
            }
        EXPECT_GT(ringFrame * 5, ring);
        // Only the key itself is transparent: no greenish fringe pixels around the drawing.
        long nearKey = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Pixel p = At(data, w, h, x, y);
                nearKey += !p.Key() && p.r < 8 && p.b < 8 && p.g > 240;
            }
        EXPECT_EQ(nearKey, 0);
        delete[] data;
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(count)) << "every picture is its own drawing";
}

class SupportModelWithData : public ::testing::Test {
protected:
    void SetUp() override {
        const char* home = std::getenv("VIMBRO_HOME");
        hadHome_ = home != nullptr;
        savedHome_ = home ? home : "";
        ::setenv("VIMBRO_HOME", testsupport::BinDir().c_str(), 1);
        savedModel_ = CGandry::m_enumModel;
    }
    void TearDown() override {
        if (hadHome_)
            ::setenv("VIMBRO_HOME", savedHome_.c_str(), 1);
        else
            ::unsetenv("VIMBRO_HOME");
        CGandry::m_enumModel = savedModel_;
    }

private:
    bool hadHome_ = false;
    std::string savedHome_;
    MODEL_SELECT savedModel_{};
};

TEST_F(SupportModelWithData, ListsEveryModelAndTheUserDefinedOneAndKeepsTheStoredModel) {
    for (MODEL_SELECT stored : {MODEL_PM00, static_cast<MODEL_SELECT>(45), MODEL_PM65, MODEL_USER_DEFINED}) {
        SCOPED_TRACE(static_cast<int>(stored));
        CGandry::m_enumModel = stored;
        CStringList list;
        CGandry::GetSupportModel(&list);
        ASSERT_EQ(list.size(), 67u);
        auto it = list.begin();
        for (int id = 0; id < CGandry::kTableModelCount; ++id, ++it) EXPECT_EQ(*it, CGandry::GetModelnameByModelID(id));
        EXPECT_EQ(list.back(), "사용자 정의");
        EXPECT_EQ(CGandry::m_enumModel, stored);
    }
}

}  // namespace
