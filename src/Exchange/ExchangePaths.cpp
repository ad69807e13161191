#include "Exchange/ExchangePaths.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "Platform/FileSystem.h"
#include "Platform/Registry.h"

const char kPainterRegistryKey[] = "Software\\Halvera\\Ombrix Vael\\Directories";

namespace {

const char kTempDirectoryValue[] = "Temp Directory";
const char kDefaultProject[] = "c:\\temp\\maya.obv";
const char kDefaultCorrespondence[] = "c:\\temp\\maya.cor";
const char kTemporarySuffix[] = ".tmp";

// Writes the artist's text for a failure; returns the failure.
ExchangeFailure SetError(ExchangeFailure failure, char* error, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

ExchangeFailure SetError(ExchangeFailure failure, char* error, const char* format, ...) {
  if (error == nullptr) return failure;
  va_list args;
  va_start(args, format);
  std::vsnprintf(error, kExchangeBufferSize, format, args);
  va_end(args);
  return failure;
}

// Formats into a path buffer; refuses (with an error text) what does not fit.
ExchangeFailure FormatPath(char* out, char* error, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

ExchangeFailure FormatPath(char* out, char* error, const char* format, ...) {
  char path[kExchangeBufferSize];
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(path, sizeof path, format, args);
  va_end(args);
  if (written < 0 || static_cast<size_t>(written) >= sizeof path)
    return SetError(ExchangeFailure::kPathTooLong, error, "Exchange path too long: %.900s", path);
  std::memcpy(out, path, static_cast<size_t>(written) + 1);
  return ExchangeFailure::kNone;
}

void CopyText(char* out, const char* text) {
  std::snprintf(out, kExchangeBufferSize, "%s", text);
}

}  // namespace

void trimTrailingSeparators(char* text) {
  if (text == nullptr) return;
  size_t length = std::strlen(text);
  while (length > 0 && (text[length - 1] == '\\' || text[length - 1] == '\n')) text[--length] = '\0';
}

ExchangeFailure getTempDirectory(char* out, char* error) {
  Platform::RegistryKey key = nullptr;
  bool read = false;
  try {
    read = Platform::OpenUserKey(kPainterRegistryKey, key) &&
           Platform::QueryStringValue(key, kTempDirectoryValue, out, kExchangeBufferSize);
  } catch (...) {
    Platform::CloseKey(key);  // the key is closed however the query ends
    throw;
  }
  Platform::CloseKey(key);
  if (!read) {
    out[0] = '\0';
    return SetError(ExchangeFailure::kNoTempDirectory, error, "Unable to open temp directory key under <%s> at <%s>",
                    "HKEY_CURRENT_USER", kTempDirectoryValue);
  }
  trimTrailingSeparators(out);
  return ExchangeFailure::kNone;
}

bool setTempDirectory(const char* directory) {
  Platform::RegistryKey key = nullptr;
  if (Platform::CreateUserKey(kPainterRegistryKey, "", key) == Platform::KeyDisposition::kFailed) return false;
  const bool written = directory[0] != '\0' ? Platform::SetStringValue(key, kTempDirectoryValue, directory)
                                             : Platform::DeleteValue(key, kTempDirectoryValue);
  Platform::CloseKey(key);
  return written;
}

namespace {

// DIR + separator + name + suffix; `out` is left as it was on failure.
ExchangeFailure PathInTempDirectory(const char* name, const char* suffix, char* out, char* error) {
  char directory[kExchangeBufferSize];
  ExchangeFailure failure = getTempDirectory(directory, error);
  if (failure != ExchangeFailure::kNone) return failure;
  char path[kExchangeBufferSize];
  failure = FormatPath(path, error, "%s%c%s%s", directory, Platform::PathSeparator(), name, suffix);
  if (failure != ExchangeFailure::kNone) return failure;
  CopyText(out, path);
  return ExchangeFailure::kNone;
}

}  // namespace

ExchangeFailure getLogDirectory(char* out, char* error) {
  char directory[kExchangeBufferSize];
  const ExchangeFailure failure = getTempDirectory(directory, error);
  if (failure != ExchangeFailure::kNone) return failure;
  const char separator[2] = {Platform::PathSeparator(), '\0'};
  return FormatPath(out, error, "%s%s%s", directory, separator, "OBVLLOG");
}

ExchangeFailure getExchangeFilePath(const char* name, char* out, char* error) {
  CopyText(out, kDefaultProject);
  if (name == nullptr || name[0] == '\0') return ExchangeFailure::kNone;
  return PathInTempDirectory(name, "", out, error);
}

ExchangeFailure getCorrespondenceFilePath(const char* name, char* out, char* error) {
  CopyText(out, kDefaultCorrespondence);
  if (name == nullptr || name[0] == '\0') return ExchangeFailure::kNone;
  char renamed[kExchangeBufferSize];
  CopyText(renamed, name);
  if (char* dot = std::strrchr(renamed, '.')) *dot = '\0';
  return PathInTempDirectory(renamed, ".cor", out, error);
}

uint32_t hashFileName(const char* text) {
  uint32_t h = 0;
  for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
    const auto c = static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(*p)));
    h ^= c;
    h = (h >> 9) | (h << 23);
  }
  return h;
}

ExchangeFailure writeLogFile(uint32_t* token, const char* name, char* error) {
  char directory[kExchangeBufferSize];
  ExchangeFailure failure = getLogDirectory(directory, error);
  if (failure != ExchangeFailure::kNone) return failure;
  const uint32_t hash = hashFileName(name);
  if (token != nullptr) *token = hash;
  if (Platform::MakeDirectory(directory) == Platform::MakeDirectoryResult::kFailed)
    return SetError(ExchangeFailure::kLogDirectory, error, "Unable to create log file directory: %s", directory);
  char path[kExchangeBufferSize];
  failure = FormatPath(path, error, "%s%c%u.log", directory, Platform::PathSeparator(), static_cast<unsigned>(hash));
  if (failure != ExchangeFailure::kNone) return failure;
  std::FILE* file = Platform::OpenFile(path, "w+t");
  if (file == nullptr) return SetError(ExchangeFailure::kLogOpen, error, "Failed to open log file: %s", path);
  // The write and the close both count: a full disk shows at either.
  const bool written = std::fprintf(file, "%s\n", name != nullptr ? name : "") >= 0;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) return SetError(ExchangeFailure::kLogWrite, error, "Failed to write log file: %s", path);
  return ExchangeFailure::kNone;
}

ExchangeFailure getTemporaryProjectPath(const char* projectPath, char* out, char* error) {
  return FormatPath(out, error, "%s%s", projectPath != nullptr ? projectPath : "", kTemporarySuffix);
}

namespace {

// The project path with its extension (what follows the last '.' of the
// file name itself) replaced by `extension`.
void replaceExtension(const char* projectPath, const char* extension, char* out) {
  char path[kExchangeBufferSize];
  CopyText(path, projectPath != nullptr ? projectPath : "");
  char* dot = std::strrchr(path, '.');
  const char* separator = std::strrchr(path, '\\');
  const char* slash = std::strrchr(path, '/');
  if (slash > separator) separator = slash;
  if (dot != nullptr && (separator == nullptr || dot > separator)) *dot = '\0';
  const int room = static_cast<int>(kExchangeBufferSize - std::strlen(extension) - 2);
  std::snprintf(out, kExchangeBufferSize, "%.*s.%s", room, path, extension);
}

}  // namespace

int getPathsFilePath(const char* projectPath, char* out) {
  replaceExtension(projectPath, "obvpaths", out);
  return 1;
}

int getRecordFilePath(const char* projectPath, char* out) {
  replaceExtension(projectPath, "obvrecord.json", out);
  return 1;
}

ExchangeFailure removePathsFile(const char* projectPath, char* error) {
  char path[kExchangeBufferSize];
  getPathsFilePath(projectPath, path);
  if (std::remove(path) != 0 && errno != ENOENT)
    return SetError(ExchangeFailure::kPathsFileKept, error, "failed remove of: [%s], possibly read-only", path);
  return ExchangeFailure::kNone;
}
