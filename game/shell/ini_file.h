#pragma once
// An INI file ("[section]" lines, then "key=value" lines) with the semantics of the classic
// profile-file functions the settings and record files were made with:
// - section and key names compare case-insensitively (ASCII), the first match wins;
// - whitespace around section names, keys and values is ignored, and a value in matching single
//   or double quotes is read without them;
// - writing an existing key replaces its line in place; a new key goes after the last entry of
//   its section, a new section at the end of the file; every other line is kept as it was;
// - lines may end in CR LF, LF or CR; the file is written with CR LF.
// The whole file is held in memory: open it, read or write a sequence of keys, then save once,
// which replaces the file on disk safely.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

class IniFile {
 public:
  IniFile() = default;
  // A missing or unreadable file, or anything but a regular file (a FIFO is never waited on),
  // gives an empty INI file.
  static IniFile load(const std::string& path);
  static IniFile parse(std::string_view text);

  std::optional<std::string> readString(std::string_view section, std::string_view key) const;
  // A value of more than two characters beginning with "0x" or "0X" is hexadecimal (up to 8
  // digits, taken as a signed 32-bit pattern); anything else is decimal with an optional sign.
  // The whole value must be a number: "12abc", an empty value or one out of range reads as
  // `defaultValue`, like a missing key, so a damaged entry never passes for a setting.
  int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // Read as an integer; any non-zero value is on.
  bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Line breaks in a name or value would split the entry, so they are dropped.
  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInteger(std::string_view section, std::string_view key, int value);
  void writeBool(std::string_view section, std::string_view key, bool value);  // "1" / "0"

  // The file's text, every line ended with CR LF.
  std::string text() const;
  // Replaces the file at `path` safely (see replaceFile). False on failure, with the reason in
  // `error` when given.
  bool save(const std::string& path, std::string* error = nullptr) const;

 private:
  struct Entry {
    std::size_t line;
    std::string_view value;
  };
  std::optional<std::size_t> findSection(std::string_view section) const;
  std::optional<Entry> findKey(std::size_t sectionLine, std::string_view key) const;

  std::vector<std::string> lines_;
};

// Parses an INI integer value by the rules of IniFile::readInteger; nullopt when it is none.
std::optional<int> parseIniInteger(std::string_view value);

}  // namespace quorel
