#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "common/Gandry.h"
#include "tests/support/TempHome.h"

using testsupport::TempHome;

namespace {

class ModelCatalogue : public ::testing::Test {
protected:
    void SetUp() override { savedModel_ = CGandry::m_enumModel; }
    void TearDown() override { CGandry::m_enumModel = savedModel_; }

    void InstallData(const TempHome& t, const std::string& file) const { t.Write(t.runDir() + "data/" + file, "x"); }

private:
    MODEL_SELECT savedModel_{};
};

}  // namespace

TEST_F(ModelCatalogue, TableHas66UniqueRowsInIdOrder) {
    ModelAttribute_t* rows = nullptr;
    CGandry::GetModelAttribute(&rows);
    ASSERT_NE(rows, nullptr);
    std::set<std::string> names;
    for (int i = 0; i < 66; ++i) {
        EXPECT_EQ(rows[i].nModelID, i);
        char expected[12];
        std::snprintf(expected, sizeof expected, "PM-%02d", i);
        EXPECT_STREQ(rows[i].szModelName, expected);
        names.insert(rows[i].szModelName);
        // Filled pairs come first.
        bool seenEmpty = false;
        for (const CSize& s : rows[i].sizePhonebook) {
            if (s == CSize(0, 0)) seenEmpty = true;
            else EXPECT_FALSE(seenEmpty) << i;
        }
    }
    EXPECT_EQ(names.size(), 66u);
    std::free(rows);
}

TEST_F(ModelCatalogue, SpotChecksOfTheTable) {
    ModelAttribute_t m = CGandry::GetModelInfoByModelndex(45);
    EXPECT_EQ(m.sizePhonebook[2], CSize(240, 320));
    EXPECT_EQ(m.sizePicture[3], CSize(320, 240));
    m = CGandry::GetModelInfoByModelndex(22);
    EXPECT_EQ(m.sizePhonebook[0], CSize(176, 220));
    EXPECT_EQ(m.sizePicture[2], CSize(240, 180));
    m = CGandry::GetModelInfoByModelndex(41);
    EXPECT_EQ(m.sizePhonebook[2], CSize(240, 180));
    EXPECT_EQ(m.sizePicture[2], CSize(240, 180));
    m = CGandry::GetModelInfoByModelndex(59);
    EXPECT_EQ(m.sizePicture[2], CSize(480, 800));
    m = CGandry::GetModelInfoByModelndex(3);
    EXPECT_EQ(m.sizePicture[0], CSize(128, 128));
}

TEST_F(ModelCatalogue, NameAndFileLookups) {
    EXPECT_EQ(CGandry::GetModelIDByModelname("PM-04"), 4);
    EXPECT_EQ(CGandry::GetModelIDByModelname("pm-04"), MODEL_NONE);  // table names are case-sensitive
    EXPECT_EQ(CGandry::GetModelIDByModelname("사용자 정의"), 67);
    EXPECT_EQ(CGandry::GetModelIDByModelname("nothing"), MODEL_NONE);
    EXPECT_EQ(CGandry::GetModelnameByModelID(67), "사용자 정의");
    EXPECT_EQ(CGandry::GetModelnameByModelID(65), "PM-65");
    EXPECT_EQ(CGandry::GetModelnameByModelID(66), "");
    EXPECT_EQ(CGandry::GetModelnameByModelID(-1), "");
    EXPECT_EQ(CGandry::GetDatafilenameByModleID(static_cast<MODEL_SELECT>(67)), "default.dat");
    EXPECT_EQ(CGandry::GetDatafilenameByModleID(static_cast<MODEL_SELECT>(7)), "PM-07.dat");
    EXPECT_EQ(CGandry::GetDatafilenameByModleID(static_cast<MODEL_SELECT>(66)), "");
}

TEST_F(ModelCatalogue, UserDefinedModelLists) {
    ModelAttribute_QVP4_t rec;
    rec.listPictureSize.push_back(CSize(1, 1));
    rec.nModelID = 3;
    CGandry::GetQVP4Attribute(rec);
    EXPECT_EQ(rec.nModelID, 67);
    EXPECT_EQ(rec.strModelName, "사용자 정의");
    const std::list<CSize> expected{{176, 144}, {240, 180}, {240, 320}, {240, 400}, {480, 800}};
    EXPECT_EQ(rec.listPhonebookSize, expected);
    EXPECT_EQ(rec.listPictureSize, expected);
}

TEST_F(ModelCatalogue, PhonebookSelectors) {
    CSize s;
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(1), 1, s);
    EXPECT_EQ(s, CSize(176, 220));
    s = CSize();
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(45), 4, s);
    EXPECT_EQ(s, CSize(320, 240));
    s = CSize();
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(45), 3, s);
    EXPECT_EQ(s, CSize(240, 320));
    // Selector 2 writes nothing; a (0, 0) output then takes the first pair...
    s = CSize();
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(1), 2, s);
    EXPECT_EQ(s, CSize(176, 144));
    // ...but any other preset value stays.
    s = CSize(5, 6);
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(1), 2, s);
    EXPECT_EQ(s, CSize(5, 6));
    // An empty third pair falls back to the first.
    s = CSize(9, 9);
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(1), 3, s);
    EXPECT_EQ(s, CSize(176, 144));
    s = CSize();
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(67), 4, s);
    EXPECT_EQ(s, CSize(480, 800));
    s = CSize();
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(67), 5, s);
    EXPECT_EQ(s, CSize(176, 144));
    s = CSize(3, 4);
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(66), 0, s);
    EXPECT_EQ(s, CSize(3, 4));
}

TEST_F(ModelCatalogue, PictureSizeByIndexAndIndexBySize) {
    EXPECT_EQ(CGandry::GetSizeByModelID_Index(0, 3), CSize(176, 144));
    EXPECT_EQ(CGandry::GetSizeByModelID_Index(0, 2), CSize(240, 320));
    EXPECT_EQ(CGandry::GetSizeByModelID_Index(0, -1), CSize(176, 144));
    EXPECT_EQ(CGandry::GetSizeByModelID_Index(47, 3), CSize(320, 240));
    EXPECT_EQ(CGandry::GetSizeByModelID_Index(67, 9), CSize(176, 144));
    EXPECT_EQ(CGandry::GetSizeByModelID_Index(67, 3), CSize(240, 400));
    EXPECT_EQ(CGandry::GetSizeByModelID_Index(66, 0), CSize(0, 0));
    EXPECT_EQ(CGandry::GetIndexByModelID_Size(59, CSize(480, 800)), 2);
    EXPECT_EQ(CGandry::GetIndexByModelID_Size(59, CSize(100, 100)), 0);
    EXPECT_EQ(CGandry::GetIndexByModelID_Size(67, CSize(480, 800)), 4);
    EXPECT_EQ(CGandry::GetIndexByModelID_Size(67, CSize(1, 1)), 0);
    // The empty fourth pair of model 0 is not a size of the model... but (0, 0) matches it.
    EXPECT_EQ(CGandry::GetIndexByModelID_Size(0, CSize(0, 0)), 3);
}

TEST_F(ModelCatalogue, SupportedModelsFollowTheDataFiles) {
    TempHome t;
    InstallData(t, "PM-00.dat");
    InstallData(t, "PM-03.dat");
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(1);
    CStringList list{"kept"};
    CGandry::GetSupportModel(&list);
    EXPECT_EQ(list, (CStringList{"kept", "PM-00", "PM-03"}));
    EXPECT_EQ(CGandry::m_enumModel, 3);

    InstallData(t, "default.dat");
    list.clear();
    CGandry::GetSupportModel(&list);
    EXPECT_EQ(list, (CStringList{"PM-00", "PM-03", "사용자 정의"}));
}

TEST_F(ModelCatalogue, SupportedModelsWithAPresentModelLeaveItAlone) {
    TempHome t;
    for (int i = 0; i < 66; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "PM-%02d.dat", i);
        InstallData(t, name);
    }
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(24);
    CStringList list;
    CGandry::GetSupportModel(&list);
    ASSERT_EQ(list.size(), 66u);
    EXPECT_EQ(*std::next(list.begin(), 24), "PM-24");
    EXPECT_EQ(CGandry::m_enumModel, 24);
}

TEST_F(ModelCatalogue, SupportedModelsWhenEveryLaterModelIsMissing) {
    TempHome t;
    InstallData(t, "PM-02.dat");
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(10);
    CStringList list;
    CGandry::GetSupportModel(&list);
    EXPECT_EQ(list, (CStringList{"PM-02"}));
    EXPECT_EQ(CGandry::m_enumModel, 2);

    InstallData(t, "default.dat");
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(10);
    list.clear();
    CGandry::GetSupportModel(&list);
    EXPECT_EQ(CGandry::m_enumModel, 67);
}

TEST_F(ModelCatalogue, NoDataFilesKeepTheChosenModel) {
    TempHome t;
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(5);
    CStringList list;
    CGandry::GetSupportModel(&list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(CGandry::m_enumModel, 5);
}
