// The game's entry: the real platform, the main form, start-up, the scene loop.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "common/program_info.h"
#include "game/platform/sdl_platform.h"
#include "game/scenes/game_scenes.h"
#include "game/shell/form.h"

namespace {

constexpr const char* kUsage =
    "Usage: quorel [w] [b] [STAGE]\n"
    "Plays quorel, a puzzle of numbered blocks pushed into each other.\n"
    "\n"
    "Parameters, in any case; one parameter may hold several letters:\n"
    "  w          play in a window (any parameter holding a w), else full screen\n"
    "  b          beeps in place of the sound effects (any parameter holding a b)\n"
    "  STAGE      test play of stage STAGE of the stage editor's temporary stage\n"
    "             file ($TMPDIR/$$$qrl$$$.tmp); the game ends when the stage is left.\n"
    "             Not with w; 0 starts normally\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Keys: arrows move; Space or Z decides; Enter or X goes back; Esc pauses or\n"
    "leaves; F5 returns to the title; F9 quits; Shift runs at full speed.\n"
    "A joystick or gamepad plays too (the JOY STICK option).\n"
    "\n"
    "Settings and records (quorel.dat, and NAME.dat for a stage set NAME.qrl) are\n"
    "kept in $XDG_DATA_HOME/quorel (~/.local/share/quorel) by an installed game,\n"
    "and beside the program in a build or portable folder that can be written.\n"
    "Stage sets (*.qrl) are listed from the working folder.\n";

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
  const std::vector<std::string> parameters(argv + (argc > 0 ? 1 : 0), argv + argc);
  // Answered before the game's own rules: neither option holds a "w" or a "b", and neither is
  // a stage number, so no game parameter changes its meaning.
  if (const auto status = quorel::answerInfoRequest(quorel::infoRequest(parameters), "quorel", kUsage)) return *status;
  const auto platform = quorel::platform::createSdlPlatform();
  int status = 0;
  {
    quorel::TForm1 form(*platform, executablePath(argc > 0 ? argv[0] : nullptr));
    quorel::registerGameScenes(form);
    status = form.FormCreate(parameters) ? form.run() : form.exitStatus;
  }
  return status;
}
