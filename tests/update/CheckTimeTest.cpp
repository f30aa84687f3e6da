#include <gtest/gtest.h>

#include <ctime>

#include "tests/support/TempHome.h"
#include "update/AppProfile.h"
#include "update/UpdateManager.h"

using testsupport::TempHome;

namespace {

std::time_t LocalTime(int year, int month, int day, int hour = 0, int minute = 0) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

CString Entry(const char* name) {
    return AppProfile::GetProfileString("UpdateInfo", name, "<none>");
}
void SetEntry(const char* name, const char* value) {
    AppProfile::WriteProfileString("UpdateInfo", name, value);
}

}  // namespace

TEST(CheckUpdateIsNow, AbsentAutoUpgradeBecomesYAndChecks) {
    TempHome t;
    CUpdateManager update;
    EXPECT_TRUE(update.CheckUpdateIsNowAt(LocalTime(2024, 5, 10, 9)));
    EXPECT_EQ(Entry("AutoUpgrade"), "Y");
    EXPECT_EQ(Entry("RecentCheckTime"), "<none>");
    // "Y" checks at every start and leaves the dates alone.
    EXPECT_TRUE(update.CheckUpdateIsNowAt(LocalTime(2024, 5, 10, 9)));
    EXPECT_EQ(Entry("RecentCheckTime"), "<none>");
}

TEST(CheckUpdateIsNow, PeriodicModeWithoutADateChecksAndRecordsToday) {
    TempHome t;
    SetEntry("AutoUpgrade", "N");
    CUpdateManager update;
    EXPECT_TRUE(update.CheckUpdateIsNowAt(LocalTime(2024, 3, 7, 15, 30)));
    EXPECT_EQ(Entry("RecentCheckTime"), "2024,03,07");
}

TEST(CheckUpdateIsNow, TwoDaysOfThreeDoNotCheckAndTheDateMovesOn) {
    TempHome t;
    SetEntry("AutoUpgrade", "N");
    SetEntry("UpgradeCheckTime", "3");
    SetEntry("RecentCheckTime", "2024,05,08");
    CUpdateManager update;
    EXPECT_FALSE(update.CheckUpdateIsNowAt(LocalTime(2024, 5, 10, 18)));
    EXPECT_EQ(Entry("RecentCheckTime"), "2024,05,10");
    // The next day the difference is one day: again no check.
    EXPECT_FALSE(update.CheckUpdateIsNowAt(LocalTime(2024, 5, 11, 8)));
    EXPECT_EQ(Entry("RecentCheckTime"), "2024,05,11");
    // Three days after the last start the check is due.
    EXPECT_TRUE(update.CheckUpdateIsNowAt(LocalTime(2024, 5, 14, 0, 1)));
    EXPECT_EQ(Entry("RecentCheckTime"), "2024,05,14");
}

TEST(CheckUpdateIsNow, DaysAreCountedAcrossMonthAndYearEnds) {
    TempHome t;
    SetEntry("AutoUpgrade", "N");
    CUpdateManager update;
    struct Case {
        const char* recent;
        std::time_t now;
        const char* interval;
        bool due;
        const char* today;
    } cases[] = {
        {"2024,1,30", LocalTime(2024, 2, 1, 10), "2", true, "2024,02,01"},
        {"2024,1,30", LocalTime(2024, 2, 1, 10), "3", false, "2024,02,01"},
        {"2024,2,28", LocalTime(2024, 3, 1, 12), "2", true, "2024,03,01"},   // leap year: 29 Feb between
        {"2023,2,28", LocalTime(2023, 3, 1, 12), "2", false, "2023,03,01"},  // one day only
        {"2023,12,31", LocalTime(2024, 1, 2, 23, 59), "2", true, "2024,01,02"},
        {"2024,4,30", LocalTime(2024, 5, 30, 1), "30", true, "2024,05,30"},
        {"2024,4,30", LocalTime(2024, 5, 29, 23), "30", false, "2024,05,29"},
    };
    for (const Case& c : cases) {
        SetEntry("RecentCheckTime", c.recent);
        SetEntry("UpgradeCheckTime", c.interval);
        EXPECT_EQ(update.CheckUpdateIsNowAt(c.now), c.due) << c.recent << " every " << c.interval;
        EXPECT_EQ(Entry("RecentCheckTime"), c.today);
    }
}

TEST(CheckUpdateIsNow, IntervalDefaultsToOneDayAndSameDayDoesNotCheck) {
    TempHome t;
    SetEntry("AutoUpgrade", "n");
    SetEntry("RecentCheckTime", "2024,06,01");
    CUpdateManager update;
    EXPECT_FALSE(update.CheckUpdateIsNowAt(LocalTime(2024, 6, 1, 23, 59)));
    EXPECT_TRUE(update.CheckUpdateIsNowAt(LocalTime(2024, 6, 2, 0, 0)));
}

TEST(CheckUpdateIsNow, AnUnreadableDateChecksAndIsReplaced) {
    TempHome t;
    SetEntry("AutoUpgrade", "N");
    SetEntry("UpgradeCheckTime", "5");
    CUpdateManager update;
    for (const char* bad : {"yesterday", "2024,13,01", "2024,,01", "-1,2,3", "2024,02"}) {
        SetEntry("RecentCheckTime", bad);
        EXPECT_TRUE(update.CheckUpdateIsNowAt(LocalTime(2024, 6, 2, 10))) << bad;
        EXPECT_EQ(Entry("RecentCheckTime"), "2024,06,02");
    }
}

TEST(CheckUpdateIsNow, DaysAreCalendarDaysAcrossDaylightSavingChanges) {
    TempHome t;
    const char* oldZone = std::getenv("TZ");
    const std::string saved = oldZone ? oldZone : "";
    // Central European time: clocks go forward on 31 March 2024 and back on 27 October 2024.
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    ::tzset();
    SetEntry("AutoUpgrade", "N");
    SetEntry("UpgradeCheckTime", "2");
    CUpdateManager update;
    // Two calendar days, though only 47.5 hours went by.
    SetEntry("RecentCheckTime", "2024,03,30");
    EXPECT_TRUE(update.CheckUpdateIsNowAt(LocalTime(2024, 4, 1, 0, 30)));
    // One calendar day and 23.5 hours, though 48.5 hours went by.
    SetEntry("RecentCheckTime", "2024,10,26");
    EXPECT_FALSE(update.CheckUpdateIsNowAt(LocalTime(2024, 10, 27, 23, 30)));
    EXPECT_EQ(Entry("RecentCheckTime"), "2024,10,27");
    if (oldZone)
        ::setenv("TZ", saved.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}
