#pragma once
// Scripted answers for the editor's boxes and a game launcher that only records, with a log of
// every call in the order made, for the core and the widget tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "editor/core/dialogs.h"
#include "tests/common/stage_fixtures.h"

namespace quorel {

// What a failed comparison of two sets shows.
inline void PrintTo(const EditorStageSlots& set, std::ostream* out) {
  *out << "{stageLimit " << set.stageLimit << ", designer \"" << set.designer << "\"}";
}

}  // namespace quorel

namespace quorel::editor::test {

class ScriptedDialogs : public Dialogs {
 public:
  // Answers to questions (boxes with Yes and No), used in order. A box with OK alone needs none.
  std::deque<Answer> answers;
  // Texts typed into input boxes, in order; with none left, a box is cancelled, which gives
  // its default text back.
  std::deque<std::string> typed;
  std::deque<std::optional<std::string>> openNames;
  std::deque<std::optional<std::string>> saveNames;

  std::vector<Message> messages;
  std::vector<std::string> inputDefaults;
  std::vector<std::string> saveStarts;
  // "message: TEXT", "input: PROMPT", "open", "save", "calculator", "search", in the order asked.
  std::vector<std::string> log;

  Answer message(const Message& m) override {
    messages.push_back(m);
    log.push_back("message: " + m.text);
    if (m.buttons == Buttons::Ok) return Answer::Ok;
    if (m.buttons == Buttons::OkReplay && answers.empty()) return Answer::Ok;
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << m.text;
      return m.buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }

  std::string input(const std::string& caption, const std::string& prompt, const std::string& defaultText) override {
    EXPECT_EQ(caption, "Quorelステージエディタ");
    log.push_back("input: " + prompt);
    inputDefaults.push_back(defaultText);
    if (typed.empty()) return defaultText;
    std::string text = typed.front();
    typed.pop_front();
    return text;
  }

  std::optional<std::string> openFileName() override {
    log.push_back("open");
    return next(openNames);
  }

  std::optional<std::string> saveFileName(const std::string& current) override {
    log.push_back("save");
    saveStarts.push_back(current);
    return next(saveNames);
  }

  void showCalculator() override { log.push_back("calculator"); }

  // The search runs here and now, without a thread; searched keeps each stage asked about.
  std::vector<solver::Stage> searched;
  solver::Result searchStage(const solver::Stage& stage) override {
    log.push_back("search");
    searched.push_back(stage);
    return solver::solve(stage);
  }

  const Message& lastMessage() const {
    static const Message none;
    return messages.empty() ? none : messages.back();
  }

 private:
  static std::optional<std::string> next(std::deque<std::optional<std::string>>& names) {
    if (names.empty()) return std::nullopt;
    auto name = names.front();
    names.pop_front();
    return name;
  }
};

class RecordingLauncher : public GameLauncher {
 public:
  struct Start {
    std::string program;
    std::vector<std::string> arguments;
  };
  std::vector<Start> starts;
  bool fails = false;

  bool start(const std::string& program, const std::vector<std::string>& arguments, std::string& error) override {
    starts.push_back({program, arguments});
    if (fails) error = "No such file or directory";
    return !fails;
  }
};

// Points TMPDIR at a scratch folder for the test's life, so that test play writes there.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    if (const char* value = std::getenv("TMPDIR")) saved_ = value;
    ::setenv("TMPDIR", folder.file("").c_str(), 1);
  }
  ~TemporaryFolder() {
    if (saved_) {
      ::setenv("TMPDIR", saved_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  quorel::test::ScratchFolder folder;

 private:
  std::optional<std::string> saved_;
};

}  // namespace quorel::editor::test
