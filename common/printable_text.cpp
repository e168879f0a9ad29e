#include "common/printable_text.h"

#include <cstddef>

namespace quorel {

namespace {

void appendEscaped(std::string& out, unsigned char byte) {
  constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

bool isPrintableAscii(unsigned char byte) { return byte >= 0x20 && byte < 0x7F; }

// The length of the well-formed UTF-8 sequence of two or more bytes starting at `at`; 0 when
// there is none (overlong forms, surrogates and values past U+10FFFF are not well formed).
std::size_t utf8SequenceAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string printableBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (isPrintableAscii(byte)) {
      out += c;
    } else {
      appendEscaped(out, byte);
    }
  }
  return out;
}

std::string printableFileName(std::string_view name) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::string out;
  out.reserve(name.size());
  std::size_t at = 0;
  while (at < name.size()) {
    const auto byte = static_cast<unsigned char>(name[at]);
    if (isPrintableAscii(byte)) {
      out += name[at++];
      continue;
    }
    const std::size_t length = byte >= 0x80 ? utf8SequenceAt(name, at) : 0;
    if (length > 0 && name.substr(at, length) != kByteOrderMark) {
      out.append(name.substr(at, length));
      at += length;
      continue;
    }
    // Escaped byte by byte: the next byte may start a good sequence of its own.
    const std::size_t escaped = length > 0 ? length : 1;
    for (std::size_t i = 0; i < escaped; ++i) appendEscaped(out, static_cast<unsigned char>(name[at + i]));
    at += escaped;
  }
  return out;
}

}  // namespace quorel
