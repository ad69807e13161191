#pragma once
// Text helpers shared by the text model readers.
#include <cstddef>
#include <string>

class HvIO;

constexpr size_t kLogicalLineBytes = 2048;

// One line with its line end; a line whose last character before the
// trailing CR, LF, blanks and tabs is '\' continues on the next one (the
// backslash becomes a blank). Limited to `size` bytes with the terminator.
// Returns the bytes read, 0 at the end of the stream.
size_t readLogicalLine(HvIO& stream, char* buffer, size_t size);
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
