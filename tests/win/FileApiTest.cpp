#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <filesystem>

#include "platform/win/fileapi.h"
#include "tests/support/TempHome.h"

using namespace win;
using testsupport::ReadAll;
using testsupport::TempHome;

TEST(FileApi, CopyThatFailsWhenTheTargetExists) {
    TempHome t;
    std::string a = t.Write(t.root() + "/a.txt", "first");
    std::string b = t.Write(t.root() + "/b.txt", "second");
    EXPECT_FALSE(CopyFile(a, b, true));
    EXPECT_EQ(ReadAll(b), "second");
    std::string c = t.root() + "/c.txt";
    EXPECT_TRUE(CopyFile(a, c, true));
    EXPECT_EQ(ReadAll(c), "first");
}

TEST(FileApi, CopyThatOverwrites) {
    TempHome t;
    std::string a = t.Write(t.root() + "/a.txt", "first");
    std::string b = t.Write(t.root() + "/b.txt", "second and longer");
    EXPECT_TRUE(CopyFile(a, b, false));
    EXPECT_EQ(ReadAll(b), "first");
    // No temporary file is left beside the target.
    EXPECT_EQ(ListFiles(t.root()), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST(FileApi, CopyOfAMissingFileFailsAndCreatesNothing) {
    TempHome t;
    EXPECT_FALSE(CopyFile(t.root() + "/none", t.root() + "/x", false));
    EXPECT_FALSE(PathExists(t.root() + "/x"));
    EXPECT_TRUE(ListFiles(t.root()).empty());
}

TEST(FileApi, MoveRefusesAnExistingTarget) {
    TempHome t;
    std::string a = t.Write(t.root() + "/a", "A");
    std::string b = t.Write(t.root() + "/b", "B");
    EXPECT_FALSE(MoveFile(a, b));
    EXPECT_EQ(ReadAll(b), "B");
    EXPECT_TRUE(MoveFile(a, t.root() + "/c"));
    EXPECT_FALSE(PathExists(a));
    EXPECT_EQ(ReadAll(t.root() + "/c"), "A");
}

TEST(FileApi, DeleteAndExists) {
    TempHome t;
    std::string a = t.Write(t.root() + "/a", "A");
    EXPECT_TRUE(FileExists(a));
    EXPECT_FALSE(DirectoryExists(a));
    EXPECT_TRUE(DirectoryExists(t.root()));
    EXPECT_FALSE(FileExists(t.root()));
    EXPECT_TRUE(DeleteFile(a));
    EXPECT_FALSE(PathExists(a));
    EXPECT_FALSE(DeleteFile(a));
    EXPECT_FALSE(DeleteFile(t.root()));  // folders are not files
}

TEST(FileApi, FindFilesMatchesPatternsWithoutRegardToCase) {
    TempHome t;
    t.Write(t.root() + "/d/b.JPG", "12");
    t.Write(t.root() + "/d/a.jpg", "1");
    t.Write(t.root() + "/d/c.png", "123");
    std::filesystem::create_directories(t.root() + "/d/sub");
    auto all = FindFiles(t.root() + "/d");
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].name, "a.jpg");
    EXPECT_EQ(all[0].size, 1u);
    EXPECT_EQ(all[3].name, "sub");
    EXPECT_TRUE(all[3].isDirectory);
    EXPECT_EQ(ListFiles(t.root() + "/d", "*.jpg"), (std::vector<std::string>{"a.jpg", "b.JPG"}));
    EXPECT_EQ(ListFiles(t.root() + "/d", "?.p*"), (std::vector<std::string>{"c.png"}));
    EXPECT_TRUE(ListFiles(t.root() + "/missing").empty());
}

TEST(FileApi, WildcardMatch) {
    EXPECT_TRUE(WildcardMatch("*", ""));
    EXPECT_TRUE(WildcardMatch("*.thm", "1_2_a.jpg.thm"));
    EXPECT_FALSE(WildcardMatch("*.thm", "a.thm.bak"));
    EXPECT_TRUE(WildcardMatch("a*b*c", "aXXbYYc"));
    EXPECT_FALSE(WildcardMatch("a?c", "ac"));
}

TEST(FileApi, AClosingDotStarAlsoMatchesNamesWithoutExtension) {
    // "*.*" lists every file, as the Windows file search does, and "x.*" finds "x" as well.
    EXPECT_TRUE(WildcardMatch("*.*", "README"));
    EXPECT_TRUE(WildcardMatch("*.*", "a.jpg"));
    EXPECT_TRUE(WildcardMatch("*.*", ".hidden"));
    EXPECT_TRUE(WildcardMatch("img*.*", "img2"));
    EXPECT_TRUE(WildcardMatch("x.*", "x"));
    EXPECT_FALSE(WildcardMatch("x.*", "xy"));
    EXPECT_FALSE(WildcardMatch("*.jpg", "jpg"));
    TempHome t;
    t.Write(t.root() + "/d/README", "");
    t.Write(t.root() + "/d/a.jpg", "");
    EXPECT_EQ(ListFiles(t.root() + "/d", "*.*"), (std::vector<std::string>{"README", "a.jpg"}));
}

TEST(FileApi, TimeAndSizeInTheirLow32Bits) {
    TempHome t;
    std::string a = t.Write(t.root() + "/a", std::string(1234, 'x'));
    struct utimbuf times {1136073600, 1136073600};
    ASSERT_EQ(::utime(a.c_str(), &times), 0);
    std::int32_t when = 0, size = 0;
    ASSERT_TRUE(GetFileTimeAndSize(a, when, size));
    EXPECT_EQ(when, 1136073600);
    EXPECT_EQ(size, 1234);
    // A time past 2038 keeps its low 32 bits, printed signed.
    struct utimbuf late {0x100000005LL, 0x100000005LL};
    ASSERT_EQ(::utime(a.c_str(), &late), 0);
    ASSERT_TRUE(GetFileTimeAndSize(a, when, size));
    EXPECT_EQ(when, 5);
    EXPECT_FALSE(GetFileTimeAndSize(t.root() + "/none", when, size));
}

TEST(FileApi, FreeBytesOfAFileSystem) {
    TempHome t;
    EXPECT_GT(GetDiskFreeBytes(t.root()), 0u);
    EXPECT_EQ(GetDiskFreeBytes(t.root() + "/does/not/exist"), 0u);
}

TEST(FileApi, AtomicWriteReplacesWholeFiles) {
    TempHome t;
    std::string p = t.root() + "/f";
    ASSERT_TRUE(WriteFileAtomic(p, "one"));
    ASSERT_TRUE(WriteFileAtomic(p, "two!"));
    std::string back;
    ASSERT_TRUE(ReadFile(p, back));
    EXPECT_EQ(back, "two!");
    EXPECT_EQ(ListFiles(t.root()).size(), 1u);
    EXPECT_FALSE(WriteFileAtomic(t.root() + "/no/such/folder/f", "x"));
}

TEST(FileApi, ReplacingLeavesTheOldFileWhenTheWriterFails) {
    TempHome t;
    const std::string p = t.Write(t.root() + "/photo.jpg", "old picture");
    std::string seen;
    // The writer gets a name beside the target, not the target; a failure after a partial write
    // removes it and keeps the old file.
    EXPECT_FALSE(ReplaceFileAtomic(p, [&](const std::string& temp) {
        seen = temp;
        t.Write(temp, "half");
        return false;
    }));
    EXPECT_EQ(std::filesystem::path(seen).parent_path(), std::filesystem::path(p).parent_path());
    EXPECT_NE(seen, p);
    EXPECT_EQ(ReadAll(p), "old picture");
    EXPECT_EQ(ListFiles(t.root()), std::vector<std::string>{"photo.jpg"});
    // A writer that reports success without making the file: nothing to rename, the old file stays.
    EXPECT_FALSE(ReplaceFileAtomic(p, [](const std::string&) { return true; }));
    EXPECT_EQ(ReadAll(p), "old picture");
    for (bool flush : {true, false}) {
        ASSERT_TRUE(ReplaceFileAtomic(
            p, [&](const std::string& temp) { return !t.Write(temp, flush ? "flushed" : "cache").empty(); }, flush));
        EXPECT_EQ(ReadAll(p), flush ? "flushed" : "cache");
        EXPECT_EQ(ListFiles(t.root()).size(), 1u);
    }
}

TEST(FileApi, WholeWritesAndExactReads) {
    TempHome t;
    const std::string p = t.root() + "/bytes";
    const int out = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(out, 0);
    const std::string data(200000, 'q');
    EXPECT_TRUE(WriteAll(out, data.data(), data.size()));
    EXPECT_TRUE(WriteAll(out, "end", 3));
    ::close(out);
    EXPECT_FALSE(WriteAll(-1, "x", 1));

    const int in = ::open(p.c_str(), O_RDONLY);
    ASSERT_GE(in, 0);
    char tail[4] = {};
    EXPECT_TRUE(ReadExact(in, tail, 3, 200000));
    EXPECT_STREQ(tail, "end");
    EXPECT_TRUE(ReadExact(in, tail, 0, 500000));   // nothing asked, nothing needed
    EXPECT_FALSE(ReadExact(in, tail, 4, 200000));  // the file ends one byte short
    EXPECT_FALSE(ReadExact(in, tail, 1, 200003));  // at the very end
    ::close(in);

    FilePtr file(std::fopen(p.c_str(), "rb"));
    ASSERT_TRUE(file);
    EXPECT_EQ(std::fgetc(file.get()), 'q');
    FilePtr none(std::fopen((t.root() + "/missing").c_str(), "rb"));
    EXPECT_FALSE(none);  // an empty holder is let go without a close
}

TEST(FileApi, BoundedReadRefusesLargerFilesBeforeReadingThem) {
    TempHome t;
    std::string path = t.Write(t.root() + "/eleven", "hello world");
    std::string contents = "old";
    bool tooLarge = false;
    EXPECT_FALSE(ReadFile(path, contents, 10, &tooLarge));
    EXPECT_TRUE(tooLarge);
    EXPECT_EQ(contents, "");
    EXPECT_TRUE(ReadFile(path, contents, 11, &tooLarge));
    EXPECT_FALSE(tooLarge);
    EXPECT_EQ(contents, "hello world");
    EXPECT_FALSE(ReadFile(t.root() + "/missing", contents, 11, &tooLarge));
    EXPECT_FALSE(tooLarge);
    // A sparse file far larger than memory is refused at once.
    std::string huge = t.Write(t.root() + "/huge", "x");
    if (::truncate(huge.c_str(), 64LL << 30) != 0) GTEST_SKIP() << "no sparse files here";
    EXPECT_FALSE(ReadFile(huge, contents, 1 << 20, &tooLarge));
    EXPECT_TRUE(tooLarge);
}
