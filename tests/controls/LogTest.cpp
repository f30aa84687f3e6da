#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "tests/support/TempHome.h"
#include "views/controls/Log.h"

using testsupport::ReadAll;
using testsupport::TempHome;

TEST(CLog, NullNameCreatesLogDotOInTheProgramFolder) {
    TempHome t;
    CLog log;
    log.CreateFileA(nullptr);
    std::string text = ReadAll(t.runDir() + "log.o");
    EXPECT_TRUE(std::regex_match(text, std::regex("Log file started [ 0-9]{2}월 [ 0-9]{2}일 [ 0-9]{2}시 [ 0-9]{2}분 [ 0-9]{2}초\n\n")))
        << text;
    EXPECT_EQ(std::string(log.GetPath()), t.runDir() + "log.o");
}

TEST(CLog, CreatingTruncatesAnOldLog) {
    TempHome t;
    t.Write(t.runDir() + "logThumb.txt", std::string(5000, 'x'));
    CLog log;
    log.CreateFileA("logThumb.txt");
    const std::string text = ReadAll(t.runDir() + "logThumb.txt");
    EXPECT_TRUE(std::regex_match(
        text, std::regex("Log file started [ 0-9]{2}월 [ 0-9]{2}일 [ 0-9]{2}시 [ 0-9]{2}분 [ 0-9]{2}초\n\n")))
        << text;
}

TEST(CLog, LogStringFormatsAndStampsLines) {
    TempHome t;
    CLog log;
    log.CreateFileA("a.log");
    log.LogString("loaded %d of %s", 3, "전체사진");
    log.LogString(" ");
    log.LogString(" leading space drops the text");
    std::string text = ReadAll(t.runDir() + "a.log");
    std::size_t body = text.find("\n\n") + 2;
    EXPECT_TRUE(std::regex_match(text.substr(body), std::regex("-> [ 0-9]{2}시 [ 0-9]{2}분 [ 0-9]{2}초: loaded 3 of 전체사진\n\n\n")))
        << text;
}

TEST(CLog, LongTextsAreCutTo1023Characters) {
    TempHome t;
    CLog log;
    log.CreateFileA("b.log");
    log.LogString("%s", std::string(3000, 'z').c_str());
    std::string text = ReadAll(t.runDir() + "b.log");
    std::size_t first = text.find('z');
    EXPECT_EQ(text.find_last_of('z') - first + 1, 1023u);
}

TEST(CLog, PrintWritesHexSixteenToALine) {
    TempHome t;
    CLog log;
    log.CreateFileA("c.log");
    std::string header = ReadAll(t.runDir() + "c.log");
    unsigned char bytes[17];
    for (int i = 0; i < 17; ++i) bytes[i] = static_cast<unsigned char>(i * 15);
    log.Print(bytes, 17);
    log.Print(bytes, 0);
    log.Print(bytes, 2);
    std::string text = ReadAll(t.runDir() + "c.log").substr(header.size());
    EXPECT_EQ(text,
              " 00 0F 1E 2D 3C 4B 5A 69 78 87 96 A5 B4 C3 D2 E1\n F0\n"
              "\n"
              " 00 0F\n");
}

namespace {

// Every entry below a folder, with the sizes of the files.
std::string Listing(const std::string& folder) {
    std::string listing;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        listing += e.path().string() + (e.is_regular_file() ? " " + std::to_string(e.file_size()) : "") + "\n";
    return listing;
}

}  // namespace

TEST(CLog, NoFileMeansNoWrites) {
    TempHome t;
    const std::string before = Listing(t.root());
    CLog log;
    log.LogString("nothing");  // no file started: the path is the folder itself
    log.Print(reinterpret_cast<const unsigned char*>("ab"), 2);
    EXPECT_EQ(std::string(log.GetPath()), t.runDir().substr(0, t.runDir().size() - 1));
    EXPECT_TRUE(std::filesystem::is_directory(log.GetPath()));
    EXPECT_EQ(Listing(t.root()), before);

    ::setenv("VIMBRO_HOME", (t.root() + "/missing").c_str(), 1);
    CLog other;
    other.CreateFileA("x.log");
    other.LogString("lost");
    EXPECT_FALSE(std::filesystem::exists(t.root() + "/missing"));
    EXPECT_EQ(Listing(t.root()), before);
}

TEST(CLog, PathsBeyond256BytesAreNotCut) {
    TempHome t;
    const std::string before = Listing(t.root());
    CLog log;
    std::string name(300, 'n');
    log.CreateFileA(name.c_str());
    EXPECT_EQ(std::string(log.GetPath()), t.runDir().substr(0, t.runDir().size() - 1));
    EXPECT_EQ(Listing(t.root()), before);  // nothing created under a cut-off name
    log.LogString("text");
    log.Print(reinterpret_cast<const unsigned char*>("ab"), 2);
    EXPECT_EQ(std::string(log.GetPath()), t.runDir().substr(0, t.runDir().size() - 1));
    EXPECT_EQ(Listing(t.root()), before);
    // A name that fits is refused too once one did not: the log stays off.
    log.CreateFileA("late.log");
    EXPECT_FALSE(std::filesystem::exists(t.runDir() + "late.log"));
}
