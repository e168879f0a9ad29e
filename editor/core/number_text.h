#pragma once
// Whole numbers typed into the editor's boxes, and the remainder calculator's sum.
#include <optional>
#include <string>
#include <string_view>

namespace quorel::editor {

// A signed 32-bit decimal integer: an optional sign and digits, blanks around them allowed.
// Nothing for any other text, an empty one included.
std::optional<int> integerOf(std::string_view text);
// The message for text that is no integer: "'abc' is not a valid integer value".
std::string notAnIntegerMessage(std::string_view text);

// The remainder of a divided by b, truncating towards zero, so it takes the sign of a. Either
// the value or, when a text is no integer or b is 0, the message to show.
struct Remainder {
  std::optional<int> value;
  std::string error;
};
Remainder remainderOf(std::string_view dividend, std::string_view divisor);

}  // namespace quorel::editor
