#pragma once
// What every program of the project answers to --help and --version, in the GNU manner: the
// text on standard output and status 0, before the program looks at its other arguments.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

// The project's version, as the build names it ("1.0.0").
std::string_view projectVersion();

enum class InfoRequest { None, Help, Version };

// The first "--help" or "--version" among the arguments (without the program's name), up to a
// "--" that ends the options. Any other argument is left to the program's own rules.
InfoRequest infoRequest(const std::vector<std::string>& arguments);

// Prints `usage` for Help, or "PROGRAM (quorel) VERSION" and the authors for Version, on
// standard output, and gives the program's exit status: 0, or 1 when the text could not be
// written. Nothing for None: the program goes on.
std::optional<int> answerInfoRequest(InfoRequest request, std::string_view program, std::string_view usage);

}  // namespace quorel
