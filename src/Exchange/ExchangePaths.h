#pragma once
// The exchange directory that the painter's installation records in the
// user's registry, the paths of the files exchanged there, the load token
// and the log file it names. Every helper works on caller buffers of
// kExchangeBufferSize bytes and returns why it failed (kNone on success),
// with a one-line text for the artist in `error` (when `error` is not null).
#include <cstddef>
#include <cstdint>

constexpr size_t kExchangeBufferSize = 1000;

enum class ExchangeFailure {
  kNone,
  kNoTempDirectory,    // the registry names no exchange directory
  kPathTooLong,        // a path did not fit kExchangeBufferSize bytes
  kLogDirectory,       // the log file's directory could not be made
  kLogOpen,            // the log file could not be opened
  kLogWrite,           // its write or close failed
  kPathsFileKept,      // the paths file is there and could not be removed
};

extern const char kPainterRegistryKey[];  // "Software\Halvera\Ombrix Vael\Directories"

// Removes trailing '\' and line feeds, in place.
void trimTrailingSeparators(char* text);
ExchangeFailure getTempDirectory(char* out, char* error);
// Records `directory` as the exchange directory, where the painter's
// installation records it (an empty one removes the record); false when the
// registry cannot be written.
bool setTempDirectory(const char* directory);
ExchangeFailure getLogDirectory(char* out, char* error);
// DIR + separator + name; with an empty name, or on failure, out holds the
// default "c:\temp\maya.obv".
ExchangeFailure getExchangeFilePath(const char* name, char* out, char* error);
// As getExchangeFilePath with the name's extension replaced by ".cor";
// default "c:\temp\maya.cor".
ExchangeFailure getCorrespondenceFilePath(const char* name, char* out, char* error);
uint32_t hashFileName(const char* text);
// Writes DIR\OBVLLOG\TOKEN.log holding the name, TOKEN = hashFileName(name).
// A failed write or close is a failure ("Failed to write log file: PATH").
ExchangeFailure writeLogFile(uint32_t* token, const char* name, char* error);
// Where the export writes the project file before it replaces the last
// one: beside it, the project path followed by ".tmp".
ExchangeFailure getTemporaryProjectPath(const char* projectPath, char* out, char* error);
// The project path with its extension replaced by "obvpaths"; always 1.
int getPathsFilePath(const char* projectPath, char* out);
// The project path with its extension replaced by "obvrecord.json": the
// export record, which no exchange file shares a name with; always 1.
int getRecordFilePath(const char* projectPath, char* out);
// Deletes the paths file when there is one.
ExchangeFailure removePathsFile(const char* projectPath, char* error);
