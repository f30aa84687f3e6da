// vimbro-tool: the core of VimbroSuite without a display.
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <string>

#include "tools/Tool.h"

namespace tool {

std::vector<Command>& Table() {
    static std::vector<Command> commands;
    return commands;
}

bool Register(const Command& command) {
    Table().push_back(command);
    return true;
}

const std::vector<Command>& Commands() { return Table(); }

bool WantsHelp(const Args& args) {
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") return true;
    }
    return false;
}

int Fail(const std::string& message, int code) {
    std::fprintf(stderr, "vimbro-tool: %s\n", message.c_str());
    return code;
}

bool ParseInt(const std::string& text, long long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

}  // namespace tool

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: vimbro-tool <command> [arguments]\n\ncommands:\n");
    for (const auto& c : tool::Commands()) std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
    std::fprintf(out, "\n'vimbro-tool <command> --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    tool::Args args(argv + 2, argv + argc);
    for (const auto& c : tool::Commands()) {
        if (name != c.name) continue;
        if (tool::WantsHelp(args)) {
            std::fputs(c.usage, stdout);
            return 0;
        }
        return c.run(args);
    }
    tool::Fail("unknown command '" + name + "'");
    PrintUsage(stderr);
    return 2;
}
