// The command-line tool's subcommands register themselves here, one source file each.
#pragma once

#include <string>
#include <vector>

namespace tool {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* summary;  // one line for the tool's own --help
    const char* usage;    // the subcommand's --help text
    int (*run)(const Args& args);  // args after the subcommand's name
};

// Adds a command at start; returns true so it can initialise a static.
bool Register(const Command& command);

const std::vector<Command>& Commands();

// True when args ask for help ("--help" or "-h" anywhere).
bool WantsHelp(const Args& args);

// Prints "vimbro-tool: <message>" on stderr and returns 1 (or the given code).
int Fail(const std::string& message, int code = 1);

// Parses a whole decimal integer; false on anything else.
bool ParseInt(const std::string& text, long long& value);

}  // namespace tool
