#include "IO/ModelIOUtil.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "HvCore/HvIO.h"
#include "IO/BlockReader.h"

size_t readLogicalLine(HvIO& stream, char* buffer, size_t size) {
  return readLogicalLineFrom(stream, buffer, size);
}

size_t readLogicalLine(BlockReader& stream, char* buffer, size_t size) {
  size_t length = 0;
  const char* text = buffer != nullptr && size > 0 ? stream.PeekLine(size - 1, length) : nullptr;
  if (text == nullptr) return readLogicalLineFrom(stream, buffer, size);
  size_t end = length;
  while (end > 0 && (text[end - 1] == '\n' || text[end - 1] == '\r' || text[end - 1] == ' ' ||
                     text[end - 1] == '\t'))
    --end;
  if (end > 0 && text[end - 1] == '\\') return readLogicalLineFrom(stream, buffer, size);
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  stream.Skip(length);
  return length;
}

namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// One number as strtof reads it from `text`: from_chars where the two agree
// by construction (a plain decimal that converts in range; both round
// correctly), strtof itself for everything else.
float ReadFloat(const char* text, const char* last, const char** end) {
  const char* start = text;
  while (IsCSpace(*start)) ++start;
  const char* digits = start + (*start == '-' ? 1 : 0);
  const bool decimal = (*digits >= '0' && *digits <= '9') || *digits == '.';
  const bool hex = digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
  if (decimal && !hex) {
    float value = 0.0f;
    const std::from_chars_result result = std::from_chars(start, last, value);
    if (result.ec == std::errc()) {
      *end = result.ptr;
      return value;
    }
  }
  char* stop = nullptr;
  const float value = std::strtof(text, &stop);
  *end = stop;
  return value;
}

}  // namespace

int readFloats(const char* text, float* values, int count) {
  const char* const last = text + std::strlen(text);
  int read = 0;
  for (const char* end = nullptr; read < count; ++read, text = end) {
    values[read] = ReadFloat(text, last, &end);
    if (end == text) break;
  }
  return read;
}

std::string firstToken(const char* line, const char** rest) {
  const char* p = line;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
  const char* start = p;
  while (*p != '\0' && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') ++p;
  std::string token(start, static_cast<size_t>(p - start));
  for (char& c : token) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  *rest = p;
  return token;
}

void sanitizeNumberText(char* text) {
  for (char* p = text; p != nullptr && *p != '\0'; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    // ASCII as every locale has it; the locale decides about other bytes.
    const bool kept = c < 0x80 ? (c >= '0' && c <= '9') || c < 0x20 || c == 0x7F || c == '-' ||
                                     c == '.' || c == ' ' || c == 'e'
                               : std::iscntrl(c) != 0;
    if (!kept) *p = '0';
  }
}

char* trimBlanks(char* text) {
  if (text == nullptr) return text;
  while (*text == ' ' || *text == '\t') ++text;
  size_t length = std::strlen(text);
  while (length > 1 && std::strchr("\n\r\t ", text[length - 1]) != nullptr) text[--length] = '\0';
  return text;
}

void blanksToUnderscores(char* text) {
  for (char* p = text; p != nullptr && *p != '\0'; ++p)
    if (*p == ' ' || *p == '\t') *p = '_';
}

int getIntOption(const char* options, const char* name, int defaultValue) {
  if (options == nullptr || name == nullptr) return defaultValue;
  const size_t length = std::strlen(name);
  int value = defaultValue;
  for (const char* equals = std::strchr(options, '='); equals != nullptr;
       equals = std::strchr(equals + 1, '=')) {
    if (static_cast<size_t>(equals - options) < length) continue;
    if (std::strncmp(equals - length, name, length) != 0) continue;
    int parsed = 0;
    if (std::sscanf(equals + 1, "%d", &parsed) == 1) value = parsed;
  }
  return value;
}
