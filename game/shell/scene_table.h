#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "game/shell/form.h"

namespace quorel {

// Every scene of the game with its Scene number.
std::vector<std::pair<int, std::unique_ptr<Scene>>> createScenes();

}  // namespace quorel
