#pragma once
// The game's built-in stage set as text, for tools that do not carry the game's resources.
#include <string_view>

namespace quorel {

std::string_view builtInStageText();

}  // namespace quorel
