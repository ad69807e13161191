#include "Platform/DynamicLibrary.h"

#include <dlfcn.h>

namespace Platform {

bool DynamicLibrary::Open(const std::string& path, std::string& error) {
  Close();
  // A bare name would be searched on the library path; a module is given by its path.
  std::string name = path.find('/') == std::string::npos ? "./" + path : path;
  handle_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* why = dlerror();
    error = why ? why : "cannot load module";
    return false;
  }
  return true;
}

void* DynamicLibrary::Symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

void DynamicLibrary::Close() {
  if (handle_)
    dlclose(handle_);
  handle_ = nullptr;
}

}  // namespace Platform
