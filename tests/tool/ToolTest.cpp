#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempHome.h"
#include "tests/support/ToolRunner.h"

using testsupport::TempHome;

using Result = testsupport::CommandResult;
using testsupport::RunTool;

TEST(ToolModels, ListsTheInstalledModelsInOrder) {
    TempHome t;
    t.Write(t.runDir() + "data/PM-07.dat", "x");
    t.Write(t.runDir() + "data/PM-01.dat", "x");
    t.Write(t.runDir() + "data/default.dat", "x");
    Result r = RunTool("models");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "PM-01\nPM-07\n사용자 정의\n");
}

TEST(ToolModels, OneModelByIdOrName) {
    EXPECT_EQ(RunTool("model 1").out,
              "id=1 name=PM-01 phonebook=176x144,176x220 picture=128x160,176x144,176x220 data=PM-01.dat\n");
    EXPECT_EQ(RunTool("model PM-45").out,
              "id=45 name=PM-45 phonebook=240x400,400x240,240x320,320x240 picture=240x400,400x240,240x320,320x240 "
              "data=PM-45.dat\n");
    const char* user =
        "id=67 name=사용자 정의 phonebook=176x144,240x180,240x320,240x400,480x800 "
        "picture=176x144,240x180,240x320,240x400,480x800 data=default.dat\n";
    EXPECT_EQ(RunTool("model 67").out, user);
    EXPECT_EQ(RunTool("model '사용자 정의'").out, user);
}

TEST(ToolModels, UnknownModelsAndBadArgumentsFail) {
    TempHome t;
    std::string err = t.root() + "/err";
    Result r = RunTool("model 66", err);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(testsupport::ReadAll(err), "vimbro-tool: no model '66'\n");
    EXPECT_EQ(RunTool("model PM-99").code, 1);
    EXPECT_EQ(RunTool("model").code, 1);
    EXPECT_EQ(RunTool("models extra").code, 1);
    EXPECT_NE(RunTool("no-such-command").code, 0);
}

TEST(ToolModels, HelpEverywhere) {
    Result r = RunTool("--help");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("models"), std::string::npos);
    r = RunTool("model --help");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("usage: vimbro-tool model ", 0), 0u);
    EXPECT_EQ(RunTool("models -h").code, 0);
}
