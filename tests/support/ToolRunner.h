// Runs the programs of build/bin/ from a test program in build/bin/tests/ and captures what they
// print.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

// build/bin/ with a trailing "/": the folder above the running test program's.
inline std::string BinDir() {
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string dir = self.substr(0, self.rfind('/'));
    return dir.substr(0, dir.rfind('/') + 1);
}

inline std::string ToolPath() { return BinDir() + "vimbro-tool"; }

// The text in single quotes for the shell.
inline std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct CommandResult {
    int code = -1;  // the exit status, -1 when the command did not exit normally
    std::string out;
    std::string err;  // empty unless errFile was given
};

// Runs a shell command line with stdout captured; stderr goes to errFile (read back into err)
// or is discarded.
inline CommandResult RunCommand(const std::string& command, const std::string& errFile = "") {
    CommandResult r;
    const std::string line = command + " 2>" + (errFile.empty() ? std::string("/dev/null") : ShellQuote(errFile));
    FILE* pipe = ::popen(line.c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
    const int status = ::pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (!errFile.empty()) {
        std::ifstream in(errFile, std::ios::binary);
        r.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return r;
}

// vimbro-tool with the given (already quoted) arguments.
inline CommandResult RunTool(const std::string& args, const std::string& errFile = "") {
    return RunCommand(ShellQuote(ToolPath()) + " " + args, errFile);
}

}  // namespace testsupport
