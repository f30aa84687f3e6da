// vimbro-tool update: the update check of the start-up splash, as lines of text.
#include <cstdio>
#include <string>

#include "tools/Tool.h"
#include "update/UpdateManager.h"

namespace {

// Each status line goes to stdout, a failure to stderr with the reason; nothing waits.
class ConsoleUpdate : public CUpdateManager {
protected:
    void StatusChanged(const CString& text, bool failed) override {
        if (!failed) {
            std::printf("%s\n", text.c_str());
            return;
        }
        std::string line = text;
        if (!GetLastError().empty()) line += " (" + GetLastError() + ")";
        tool::Fail(line);
    }
    void Wait(DWORD) override {}
};

int RunUpdate(const tool::Args& args) {
    bool force = false;
    for (const auto& a : args) {
        if (a == "--force")
            force = true;
        else
            return tool::Fail("update: unknown argument '" + a + "'");
    }
    ConsoleUpdate update;
    update.SetFromUserClick(false);
    if (!update.CheckUpdateIsNow() && !force) {
        std::printf("not due\n");
        return 0;
    }
    update.StartUpgrade();
    for (const CString& name : update.GetSkippedNames())
        std::fprintf(stderr, "vimbro-tool: skipped '%s'\n", name.c_str());
    if (update.HasFailed()) return 1;
    for (const auto& [name, version] : update.GetNowFetchList())
        std::printf("now %s %s\n", name.c_str(), version.c_str());
    for (const auto& [name, version] : update.GetLaterFetchList())
        std::printf("later %s %s\n", name.c_str(), version.c_str());
    return 0;
}

const bool registered = tool::Register({
    "update",
    "check the update server and fetch changed program files",
    "usage: vimbro-tool update [--force]\n"
    "\n"
    "Runs the program's update check: reads the version file from the update server\n"
    "(VIMBRO_UPDATE_HOST=host[:port] names another server), downloads the files whose\n"
    "versions differ from those recorded, puts the urgent ones into the program folder\n"
    "and leaves the others in the local update folder. Prints each status line, then\n"
    "'now NAME VERSION' and 'later NAME VERSION' for the files fetched. When the periodic\n"
    "check is not due it prints 'not due'; --force checks anyway. Exits 1 when the\n"
    "server or a file cannot be fetched.\n",
    RunUpdate,
});

}  // namespace
