// vimbro-tool models and frames against the program folder as the build leaves it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "common/Gandry.h"
#include "platform/lurvane/Lurvane.h"
#include "platform/pavix/ximage.h"
#include "tests/support/TempHome.h"
#include "tests/support/ToolRunner.h"

namespace {

using testsupport::RunCommand;
using testsupport::ShellQuote;
using testsupport::TempHome;

// The tool run on the build's own program folder, whatever VIMBRO_HOME the test has.
testsupport::CommandResult Tool(const std::string& args, const std::string& errFile = "") {
    return RunCommand("env -u VIMBRO_HOME " + ShellQuote(testsupport::ToolPath()) + " " + args, errFile);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (!std::filesystem::exists(folder)) return names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ToolModels, ListsAllSixtySevenModelsOfTheBuild) {
    const auto r = Tool("models");
    EXPECT_EQ(r.code, 0);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 67u);
    EXPECT_EQ(lines.front(), "PM-00");
    EXPECT_EQ(lines[65], "PM-65");
    EXPECT_EQ(lines.back(), "사용자 정의");
}

TEST(ToolFrames, WritesEveryFrameOfTheVariantAsTheReaderGivesIt) {
    TempHome home;
    const std::string out = home.root() + "/frames";
    CLurvane reader;
    int count = 0;
    ASSERT_TRUE(reader.Decode_dat(testsupport::BinDir() + "data/PM-07.dat", count, false));
    for (int variant : {0, 1}) {
        SCOPED_TRACE(variant);
        const auto r = Tool("frames PM-07 " + ShellQuote(out) + (variant ? " --variant 1" : ""));
        ASSERT_EQ(r.code, 0);
        EXPECT_EQ(Lines(r.out).size(), static_cast<std::size_t>(count / 2));
        for (int frame = 0; frame < count / 2; ++frame) {
            const std::string path = out + "/PM-07-v" + std::to_string(variant) + "-" + (frame < 9 ? "0" : "") +
                                     std::to_string(frame + 1) + ".bmp";
            SCOPED_TRACE(path);
            CxImage picture(path.c_str(), CXIMAGE_FORMAT_BMP);
            ASSERT_TRUE(picture.IsValid());
            EXPECT_EQ(picture.GetWidth(), variant ? 400u : 240u);
            EXPECT_EQ(picture.GetHeight(), variant ? 240u : 400u);
            EXPECT_EQ(picture.GetBpp(), 24);
            unsigned char* data = nullptr;
            int size = 0, width = 0, height = 0;
            ASSERT_TRUE(reader.GetImage(2 * frame + variant, data, size, width, height));
            ASSERT_EQ(picture.GetImageSize(), static_cast<DWORD>(size));
            EXPECT_EQ(std::memcmp(picture.GetBits(), data, static_cast<std::size_t>(size)), 0);
            delete[] data;
        }
    }
    EXPECT_EQ(FilesIn(out).size(), static_cast<std::size_t>(count));
}

TEST(ToolFrames, TakesModelIdsAndTheUserDefinedModel) {
    TempHome home;
    const auto r = Tool("frames 67 " + ShellQuote(home.root() + "/user"));
    ASSERT_EQ(r.code, 0);
    ASSERT_FALSE(Lines(r.out).empty());
    EXPECT_EQ(Lines(r.out)[0], home.root() + "/user/default-v0-01.bmp 144x176");
    const auto byId = Tool("frames 10 " + ShellQuote(home.root() + "/ten") + " --variant 1");
    ASSERT_EQ(byId.code, 0);
    EXPECT_EQ(Lines(byId.out)[0], home.root() + "/ten/PM-10-v1-01.bmp 320x240");
}

TEST(ToolFrames, FailsCleanlyAndWritesNothingOnBadRequests) {
    TempHome home;
    const std::string out = home.root() + "/out";
    const std::string err = home.root() + "/err.txt";
    for (const std::string& args : {std::string("frames"), std::string("frames PM-07"), "frames PM-99 " + out,
                                    "frames 66 " + out, "frames PM-07 " + out + " --variant 2",
                                    "frames PM-07 " + out + " --variant", "frames PM-07 " + out + " extra"}) {
        SCOPED_TRACE(args);
        const auto r = Tool(args, err);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(testsupport::ReadAll(err).rfind("vimbro-tool: ", 0), 0u);
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(Tool("frames --help").code, 0);
}

TEST(ToolFrames, MissingOrDamagedDataFileIsAnError) {
    TempHome home;  // VIMBRO_HOME points at a program folder without data
    const std::string out = home.root() + "/out";
    const std::string command =
        ShellQuote(testsupport::ToolPath()) + " frames PM-01 " + ShellQuote(out);  // keeps VIMBRO_HOME
    auto r = RunCommand(command);
    EXPECT_EQ(r.code, 1);
    home.Write(home.runDir() + "data/PM-01.dat", "LURVANE\x1a but not really");
    r = RunCommand(command);
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
