#pragma once
// The main menu as a table: the window builds its menu bar from it and hands each command back
// to the editor.
#include <span>
#include <string_view>

namespace quorel::editor {

enum class Command {
  None,  // a separator
  Open,
  NewSet,
  Save,
  SaveAs,
  StartGame,
  TestPlay,
  ResetStage,
  Exit,
  Undo,
  Redo,
  SwapStages,
  NgNumber,
  StageCount,
  Designer,
  Calculator,
  CheckStage,
  Version,
};

struct MenuItem {
  std::string_view name;      // the item's short name
  std::string_view caption;   // "&" marks the access key; "-" is a separator
  std::string_view shortcut;  // as Qt's portable key text ("Ctrl+F5"); empty for none
  Command command = Command::None;
};

struct Menu {
  std::string_view name;
  std::string_view caption;
  std::span<const MenuItem> items;
};

std::span<const Menu> mainMenu();

}  // namespace quorel::editor
