#include "common/program_info.h"

#include <algorithm>
#include <cstdio>

#ifndef QUOREL_VERSION
#error "the build names the project's version in QUOREL_VERSION"
#endif

namespace quorel {

std::string_view projectVersion() { return QUOREL_VERSION; }

InfoRequest infoRequest(const std::vector<std::string>& arguments) {
  const auto end = std::find(arguments.begin(), arguments.end(), "--");
  for (auto argument = arguments.begin(); argument != end; ++argument) {
    if (*argument == "--help") return InfoRequest::Help;
    if (*argument == "--version") return InfoRequest::Version;
  }
  return InfoRequest::None;
}

std::optional<int> answerInfoRequest(InfoRequest request, std::string_view program, std::string_view usage) {
  switch (request) {
    case InfoRequest::None:
      return std::nullopt;
    case InfoRequest::Help:
      std::fwrite(usage.data(), 1, usage.size(), stdout);
      break;
    case InfoRequest::Version:
      std::printf("%.*s (quorel) %.*s\nWritten by TEAM QUOREL.\n", static_cast<int>(program.size()), program.data(),
                  static_cast<int>(projectVersion().size()), projectVersion().data());
      break;
  }
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
}

}  // namespace quorel
