#include "IO/ModelIOUtil.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "HvCore/HvIO.h"

size_t readLogicalLine(HvIO& stream, char* buffer, size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  buffer[0] = '\0';
  size_t used = 0, total = 0;
  while (used + 1 < size) {
    const int got = stream.ReadLine(buffer + used, static_cast<int>(size - used));
    if (got <= 0) break;
    total += static_cast<size_t>(got);
    size_t length = used + std::strlen(buffer + used);
    // A line that filled the buffer without its end goes on being read.
    const bool ended = length > used && (buffer[length - 1] == '\n' || buffer[length - 1] == '\r');
    if (!ended && length + 1 < size && got > 0 && !stream.AtEnd()) {
      used = length;
      continue;
    }
    if (ended && buffer[length - 1] == '\r') {
      // CR LF: take the LF too.
      uint8_t next = 0;
      const int64_t at = stream.Tell();
      if (stream.Read(&next, 1) == 1) {
        if (next == '\n' && length + 1 < size) {
          buffer[length++] = '\n';
          buffer[length] = '\0';
          ++total;
        } else if (next != '\n') {
          stream.Seek(at, HvIO::kFromStart);
        } else {
          ++total;
        }
      }
    }
    size_t end = length;
    while (end > 0 && std::strchr("\r\n \t", buffer[end - 1]) != nullptr) --end;
    if (end > 0 && buffer[end - 1] == '\\') {
      buffer[end - 1] = ' ';
      buffer[end] = '\0';
      used = end;
      continue;
    }
    break;
  }
  return total;
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
    if (!std::isdigit(c) && !std::iscntrl(c) && c != '-' && c != '.' && c != ' ' && c != 'e')
      *p = '0';
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
