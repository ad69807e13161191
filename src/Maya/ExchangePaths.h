#pragma once
// The exchange directory that the painter's installation records in the
// user's registry, the paths of the files exchanged there, the load token
// and the log file it names. Every helper works on caller buffers of
// kExchangeBufferSize bytes and returns 1 on success, 0 on failure with a
// one-line text in `error` (when `error` is not null).
#include <cstddef>
#include <cstdint>

constexpr size_t kExchangeBufferSize = 1000;

extern const char kPainterRegistryKey[];  // "Software\Halvera\Ombrix Vael\Directories"

// Removes trailing '\' and line feeds, in place.
void trimTrailingSeparators(char* text);
int getTempDirectory(char* out, char* error);
int getLogDirectory(char* out, char* error);
// DIR + separator + name; with an empty name, or on failure, out holds the
// default "c:\temp\maya.obv".
int getExchangeFilePath(const char* name, char* out, char* error);
// As getExchangeFilePath with the name's extension replaced by ".cor";
// default "c:\temp\maya.cor".
int getCorrespondenceFilePath(const char* name, char* out, char* error);
uint32_t hashFileName(const char* text);
// Writes DIR\OBVLLOG\TOKEN.log holding the name, TOKEN = hashFileName(name).
// A failed write or close is a failure ("Failed to write log file: PATH").
int writeLogFile(uint32_t* token, const char* name, char* error);
// Where the export writes the project file before it replaces the last
// one: beside it, the project path followed by ".tmp".
int getTemporaryProjectPath(const char* projectPath, char* out, char* error);
// The project path with its extension replaced by "obvpaths"; always 1.
int getPathsFilePath(const char* projectPath, char* out);
// The project path with its extension replaced by "obvrecord.json": the
// export record, which no exchange file shares a name with; always 1.
int getRecordFilePath(const char* projectPath, char* out);
// Deletes the paths file when there is one.
int removePathsFile(const char* projectPath, char* error);
