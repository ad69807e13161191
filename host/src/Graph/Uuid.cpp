#include "Uuid.h"

#include <cstdio>
#include <random>

namespace OmbrixHost {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isDashAt(std::size_t i) { return i == 8 || i == 13 || i == 18 || i == 23; }

}  // namespace

bool parseUuid(const std::string& text, UuidBytes& bytes) {
  if (text.size() != 36) return false;
  std::size_t nibble = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isDashAt(i)) {
      if (text[i] != '-') return false;
      continue;
    }
    const int digit = hexDigit(text[i]);
    if (digit < 0) return false;
    std::uint8_t& byte = bytes[nibble / 2];
    byte = static_cast<std::uint8_t>(nibble % 2 == 0 ? digit << 4 : (byte | digit));
    ++nibble;
  }
  return true;
}

std::string formatUuid(const UuidBytes& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(bytes[i]));
    text += pair;
  }
  return text;
}

UuidBytes newUuid() {
  std::random_device device;
  UuidBytes bytes{};
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(device() & 0xffu);
  bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0fu) | 0x40u);  // version 4
  bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3fu) | 0x80u);  // RFC 4122 variant
  return bytes;
}

}  // namespace OmbrixHost
