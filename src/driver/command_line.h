#pragma once

#include <string>

namespace shootout {

enum class Request { run, help, version };

// What the command line asks for: "--help" or "-h" anywhere asks for the
// usage text, "--version" for the version; every other argument is ignored,
// and a command line without these runs the tool.
Request read_command_line(int argc, const char* const* argv);

// The usage text printed by --help.
std::string usage_text();

// The version printed by --version, such as "shootout 0.1.0\n".
std::string version_text();

}  // namespace shootout
