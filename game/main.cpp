// The game's entry: the real platform, the main form, start-up, the scene loop.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "game/platform/sdl_platform.h"
#include "game/scenes/game_scenes.h"
#include "game/shell/form.h"

namespace {

// The game folder is found from the executable's own place, wherever it was started from.
std::string executablePath(const char* argv0) {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self.string();
  const auto absolute = std::filesystem::absolute(argv0 != nullptr ? argv0 : "quorel", error);
  return error ? std::string(argv0 != nullptr ? argv0 : "quorel") : absolute.string();
}

}  // namespace

int main(int argc, char** argv) {
  const auto platform = quorel::platform::createSdlPlatform();
  const std::vector<std::string> parameters(argv + (argc > 0 ? 1 : 0), argv + argc);
  int status = 0;
  {
    quorel::TForm1 form(*platform, executablePath(argc > 0 ? argv[0] : nullptr));
    quorel::registerGameScenes(form);
    status = form.FormCreate(parameters) ? form.run() : form.exitStatus;
  }
  return status;
}
