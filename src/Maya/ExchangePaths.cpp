#include "Maya/ExchangePaths.h"

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

void SetError(char* error, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

void SetError(char* error, const char* format, ...) {
  if (error == nullptr) return;
  va_list args;
  va_start(args, format);
  std::vsnprintf(error, kExchangeBufferSize, format, args);
  va_end(args);
}

// Formats into a path buffer; refuses (with an error text) what does not fit.
bool FormatPath(char* out, char* error, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

bool FormatPath(char* out, char* error, const char* format, ...) {
  char path[kExchangeBufferSize];
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(path, sizeof path, format, args);
  va_end(args);
  if (written < 0 || static_cast<size_t>(written) >= sizeof path) {
    SetError(error, "Exchange path too long: %.900s", path);
    return false;
  }
  std::memcpy(out, path, static_cast<size_t>(written) + 1);
  return true;
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

int getTempDirectory(char* out, char* error) {
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
    SetError(error, "Unable to open temp directory key under <%s> at <%s>", "HKEY_CURRENT_USER",
             kTempDirectoryValue);
    return 0;
  }
  trimTrailingSeparators(out);
  return 1;
}

int getLogDirectory(char* out, char* error) {
  char directory[kExchangeBufferSize];
  if (!getTempDirectory(directory, error)) return 0;
  const char separator[2] = {Platform::PathSeparator(), '\0'};
  return FormatPath(out, error, "%s%s%s", directory, separator, "OBVLLOG") ? 1 : 0;
}

int getExchangeFilePath(const char* name, char* out, char* error) {
  CopyText(out, kDefaultProject);
  if (name == nullptr || name[0] == '\0') return 1;
  char directory[kExchangeBufferSize];
  if (!getTempDirectory(directory, error)) return 0;
  char path[kExchangeBufferSize];
  if (!FormatPath(path, error, "%s%c%s", directory, Platform::PathSeparator(), name)) return 0;
  CopyText(out, path);
  return 1;
}

int getCorrespondenceFilePath(const char* name, char* out, char* error) {
  CopyText(out, kDefaultCorrespondence);
  if (name == nullptr || name[0] == '\0') return 1;
  char renamed[kExchangeBufferSize];
  CopyText(renamed, name);
  if (char* dot = std::strrchr(renamed, '.')) *dot = '\0';
  char directory[kExchangeBufferSize];
  if (!getTempDirectory(directory, error)) return 0;
  char path[kExchangeBufferSize];
  if (!FormatPath(path, error, "%s%c%s.cor", directory, Platform::PathSeparator(), renamed))
    return 0;
  CopyText(out, path);
  return 1;
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

int writeLogFile(uint32_t* token, const char* name, char* error) {
  char directory[kExchangeBufferSize];
  if (!getLogDirectory(directory, error)) return 0;
  const uint32_t hash = hashFileName(name);
  if (token != nullptr) *token = hash;
  if (Platform::MakeDirectory(directory) == Platform::MakeDirectoryResult::kFailed) {
    SetError(error, "Unable to create log file directory: %s", directory);
    return 0;
  }
  char path[kExchangeBufferSize];
  if (!FormatPath(path, error, "%s%c%u.log", directory, Platform::PathSeparator(),
                  static_cast<unsigned>(hash)))
    return 0;
  std::FILE* file = Platform::OpenFile(path, "w+t");
  if (file == nullptr) {
    SetError(error, "Failed to open log file: %s", path);
    return 0;
  }
  // The write and the close both count: a full disk shows at either.
  const bool written = std::fprintf(file, "%s\n", name != nullptr ? name : "") >= 0;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    SetError(error, "Failed to write log file: %s", path);
    return 0;
  }
  return 1;
}

int getTemporaryProjectPath(const char* projectPath, char* out, char* error) {
  return FormatPath(out, error, "%s%s", projectPath != nullptr ? projectPath : "",
                    kTemporarySuffix)
             ? 1
             : 0;
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

int removePathsFile(const char* projectPath, char* error) {
  char path[kExchangeBufferSize];
  getPathsFilePath(projectPath, path);
  if (std::remove(path) != 0 && errno != ENOENT) {
    SetError(error, "failed remove of: [%s], possibly read-only", path);
    return 0;
  }
  return 1;
}
