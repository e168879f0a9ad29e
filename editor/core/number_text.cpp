#include "editor/core/number_text.h"

#include <charconv>
#include <limits>

#include "editor/core/texts.h"

namespace quorel::editor {

namespace {

std::string_view trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::optional<int> integerOf(std::string_view text) {
  text = trimmed(text);
  // from_chars reads a minus but no plus; either sign is followed by digits only.
  const bool plus = !text.empty() && text.front() == '+';
  if (plus) text.remove_prefix(1);
  const std::size_t digitsFrom = !plus && !text.empty() && text.front() == '-' ? 1 : 0;
  if (text.size() == digitsFrom || text[digitsFrom] < '0' || text[digitsFrom] > '9') return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string notAnIntegerMessage(std::string_view text) {
  return "'" + std::string(text) + "'" + std::string(texts::kNotAnInteger);
}

Remainder remainderOf(std::string_view dividend, std::string_view divisor) {
  const auto a = integerOf(dividend);
  if (!a) return {std::nullopt, notAnIntegerMessage(dividend)};
  const auto b = integerOf(divisor);
  if (!b) return {std::nullopt, notAnIntegerMessage(divisor)};
  if (*b == 0) return {std::nullopt, std::string(texts::kDivisionByZero)};
  // The one quotient that does not fit in 32 bits divides evenly: its remainder is 0.
  if (*a == std::numeric_limits<int>::min() && *b == -1) return {0, {}};
  return {*a % *b, {}};
}

}  // namespace quorel::editor
