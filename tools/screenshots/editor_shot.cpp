// editor_shot FILE.qrl STAGE OUT.png: the editor's window with a stage set open at one stage,
// grabbed as the window draws itself; run it on Qt's offscreen platform. Boxes the editor would
// show are printed instead, so nothing waits for an answer.
#include <QApplication>
#include <QPixmap>
#include <QSlider>
#include <QStringList>
#include <cstdio>
#include <string>
#include <vector>

#include "common/program_info.h"
#include "editor/core/dialogs.h"
#include "editor/qt/application.h"
#include "editor/qt/main_window.h"
#include "editor/qt/text.h"

namespace {

using namespace quorel::editor;

constexpr const char* kUsage =
    "Usage: editor_shot FILE.qrl STAGE OUT.png\n"
    "Opens FILE.qrl in the editor's window at STAGE and saves the window's picture.\n";

class PrintedDialogs : public Dialogs {
 public:
  Answer message(const Message& message) override {
    std::fprintf(stderr, "editor_shot: %s: %s\n", message.caption.c_str(), message.text.c_str());
    return message.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }
  std::string input(const std::string&, const std::string&, const std::string& defaultText) override { return defaultText; }
  std::optional<std::string> openFileName() override { return std::nullopt; }
  std::optional<std::string> saveFileName(const std::string&) override { return std::nullopt; }
  void showCalculator() override {}
  // A picture of the window needs no search; the check answers as cancelled.
  quorel::solver::Result searchStage(const quorel::solver::Stage&) override {
    quorel::solver::Result cancelled;
    cancelled.stop = quorel::solver::StopReason::Cancelled;
    return cancelled;
  }
};

class NoGame : public GameLauncher {
 public:
  bool start(const std::string&, const std::vector<std::string>&, std::string& error) override {
    error = "no game while taking a picture";
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (const auto status = quorel::answerInfoRequest(quorel::infoRequest(arguments), "editor_shot", kUsage)) return *status;
  if (arguments.size() != 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  QApplication application(argc, argv);
  setUpApplication(application);
  PrintedDialogs dialogs;
  NoGame launcher;
  TForm1 form(dialogs, launcher, "quorel");
  form.openCommandLine({qtFileName(arguments[0])});
  form.TrackBar2->setValue(std::stoi(arguments[1]));
  form.show();
  QApplication::processEvents();
  if (!form.grab().save(qtFileName(arguments[2]), "PNG")) {
    std::fprintf(stderr, "editor_shot: cannot write %s\n", arguments[2].c_str());
    return 1;
  }
  std::printf("editor: %s\n", arguments[2].c_str());
  return 0;
}
