#include "game/shell/ini_file.h"

#include <charconv>
#include <cstdint>
#include <utility>

#include "common/regular_file.h"
#include "common/safe_file.h"

namespace quorel {

namespace {

// A settings file is a few hundred bytes; the cap keeps a wrong file from eating memory.
constexpr std::size_t kMaxFileBytes = std::size_t{16} << 20;

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

// The name of a "[name]" line; an unclosed bracket names the rest of the line.
std::optional<std::string_view> sectionNameOf(std::string_view line) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  return trim(line.substr(0, line.find(']')));
}

// A value in a matching pair of single or double quotes is read without them; the quotes may
// keep spaces at its ends.
std::string_view withoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

struct KeyValue {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyValue> keyValueOf(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyValue{trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
}

std::string withoutLineBreaks(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c != '\r' && c != '\n') result += c;
  }
  return result;
}

std::optional<int> parseHexadecimal(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
  return static_cast<std::int32_t>(value);  // "0xFFFFFFFF" is -1, as a 32-bit register holds it
}

std::optional<int> parseDecimal(std::string_view text) {
  // from_chars takes a minus sign but not a plus sign.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> parseIniInteger(std::string_view value) {
  value = trim(value);
  if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
    return parseHexadecimal(value.substr(2));
  }
  return parseDecimal(value);
}

IniFile IniFile::load(const std::string& path) {
  const RegularFileRead read = readRegularFile(path, kMaxFileBytes);
  return read ? parse(read.contents) : IniFile{};
}

IniFile IniFile::parse(std::string_view text) {
  // A byte order mark left by a text editor must not hide the first section.
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  while (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  IniFile ini;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      ini.lines_.emplace_back(text.substr(start));
      break;
    }
    ini.lines_.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return ini;
}

std::optional<std::size_t> IniFile::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = sectionNameOf(lines_[i]);
    if (name && equalsIgnoringCase(*name, section)) return i;
  }
  return std::nullopt;
}

std::optional<IniFile::Entry> IniFile::findKey(std::size_t sectionLine,
                                               std::string_view key) const {
  for (std::size_t i = sectionLine + 1; i < lines_.size() && !sectionNameOf(lines_[i]); ++i) {
    const auto entry = keyValueOf(lines_[i]);
    if (entry && equalsIgnoringCase(entry->key, key)) return Entry{i, entry->value};
  }
  return std::nullopt;
}

std::optional<std::string> IniFile::readString(std::string_view section,
                                               std::string_view key) const {
  const auto sectionLine = findSection(trim(section));
  if (!sectionLine) return std::nullopt;
  const auto entry = findKey(*sectionLine, trim(key));
  if (!entry) return std::nullopt;
  return std::string(withoutQuotes(entry->value));
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
  const auto text = readString(section, key);
  if (!text) return defaultValue;
  return parseIniInteger(*text).value_or(defaultValue);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string sectionName = withoutLineBreaks(trim(section));
  const std::string keyName = withoutLineBreaks(trim(key));
  std::string line = keyName + "=" + withoutLineBreaks(trim(value));

  const auto sectionLine = findSection(sectionName);
  if (!sectionLine) {
    lines_.push_back("[" + sectionName + "]");
    lines_.push_back(std::move(line));
    return;
  }
  if (const auto entry = findKey(*sectionLine, keyName)) {
    lines_[entry->line] = std::move(line);
    return;
  }
  // After the section's last non-blank line, so blank lines that part it from the next stay.
  std::size_t insertAt = *sectionLine + 1;
  for (std::size_t i = insertAt; i < lines_.size() && !sectionNameOf(lines_[i]); ++i) {
    if (!trim(lines_[i]).empty()) insertAt = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
  writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
  writeString(section, key, value ? "1" : "0");
}

std::string IniFile::text() const {
  std::string result;
  for (const auto& line : lines_) {
    result += line;
    result += "\r\n";
  }
  return result;
}

bool IniFile::save(const std::string& path, std::string* error) const { return replaceFile(path, text(), error); }

}  // namespace quorel
