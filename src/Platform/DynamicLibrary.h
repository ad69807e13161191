#pragma once
// Loading a module (shared object or DLL) and finding its symbols.
#include <string>

namespace Platform {

class DynamicLibrary {
public:
  DynamicLibrary() = default;
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;
  ~DynamicLibrary() { Close(); }

  // False with the system's reason in `error`.
  bool Open(const std::string& path, std::string& error);
  // Null when the module does not export `name`.
  void* Symbol(const char* name) const;
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }

private:
  void* handle_ = nullptr;
};

}  // namespace Platform
