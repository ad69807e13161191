#pragma once
// Text helpers shared by the text model readers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "HvCore/HvIO.h"

class BlockReader;

constexpr size_t kLogicalLineBytes = 2048;

// One line with its line end; a line whose last character before the
// trailing CR, LF, blanks and tabs is '\' continues on the next one (the
// backslash becomes a blank). Limited to `size` bytes with the terminator.
// Returns the bytes read, 0 at the end of the stream.
size_t readLogicalLine(HvIO& stream, char* buffer, size_t size);
// The same from a file read in blocks: a plain line (see PeekLine) that
// does not continue is copied straight from the block.
size_t readLogicalLine(BlockReader& stream, char* buffer, size_t size);
// The same over anything with the stream's ReadLine, Read, Tell, Seek and
// AtEnd (a buffered reader standing in for the stream).
template <typename Source>
size_t readLogicalLineFrom(Source& stream, char* buffer, size_t size) {
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

// Up to `count` numbers read from the text as successive strtof calls read
// them (bit for bit the same values); how many were read.
int readFloats(const char* text, float* values, int count);
// The line's first token (separated by blanks, tabs, CR, LF), lower-cased;
// *rest is set just after it.
std::string firstToken(const char* line, const char** rest);
// Characters other than digits, control characters, '-', '.', ' ' and 'e'
// become '0', in place.
void sanitizeNumberText(char* text);
// The text without leading blanks/tabs and trailing LF, CR, tab and blank
// (a single remaining character is kept).
char* trimBlanks(char* text);
void blanksToUnderscores(char* text);
// The integer after the last "name=" in the options, or the default.
int getIntOption(const char* options, const char* name, int defaultValue);
