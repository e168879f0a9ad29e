#include "common/printable_text.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(PrintableText, FileTextShowsOnlyPrintableAscii) {
  const struct {
    std::string_view text, shown;
  } cases[] = {
      {"TEAM QUOREL", "TEAM QUOREL"},
      {"\x1b[2J\t\x7f", "\\x1B[2J\\x09\\x7F"},
      {"\xEF\xBB\xBF" "21", "\\xEF\\xBB\\xBF21"},                   // a byte order mark
      {"\x83\x4E\x83\x49", "\\x83N\\x83I"},                         // Shift-JIS
      {"\xE3\x81\x82", "\\xE3\\x81\\x82"},                          // UTF-8 too: file text has no encoding
      {std::string_view("a\0b", 3), "a\\x00b"},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(printableBytes(text), shown) << shown;
}

TEST(PrintableText, FileNamesKeepTheirUtf8Characters) {
  const struct {
    std::string_view name, shown;
  } cases[] = {
      {"/home/player/castle.qrl", "/home/player/castle.qrl"},
      {"/home/\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86/x.qrl", "/home/\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86/x.qrl"},
      {"\xF0\x9F\x8E\xAE.qrl", "\xF0\x9F\x8E\xAE.qrl"},
      {"\xEF\xBB\xBF" "a.qrl", "\\xEF\\xBB\\xBFa.qrl"},  // valid, but invisible
      {"\x83\x4E.qrl", "\\x83N.qrl"},                  // Shift-JIS is no UTF-8
      {"\xE3\x81.qrl", "\\xE3\\x81.qrl"},              // cut short
      {"\xC0\xAF", "\\xC0\\xAF"},                      // overlong "/"
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},              // a surrogate
      {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},      // past U+10FFFF
      {"\xE3\xE3\x81\x82", "\\xE3\xE3\x81\x82"},       // a bad byte, then a good character
      {"a\nb\x1b", "a\\x0Ab\\x1B"},
  };
  for (const auto& [name, shown] : cases) EXPECT_EQ(printableFileName(name), shown) << shown;
}

}  // namespace
}  // namespace quorel
