#pragma once
// A scratch folder of texture files for the plan's tests, removed when the
// holder goes. Names are UTF-8 on every platform.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "Platform/Process.h"

class TextureFolder {
 public:
  explicit TextureFolder(const std::string& name)
      : dir_("ombrix-test-" + std::to_string(Platform::CurrentProcessId()) + "-" + name) {
    std::error_code ignored;
    std::filesystem::remove_all(Path(""), ignored);
    std::filesystem::create_directories(Path(""));
  }
  ~TextureFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path(""), ignored);
  }
  TextureFolder(const TextureFolder&) = delete;
  TextureFolder& operator=(const TextureFolder&) = delete;

  // The folder as the plan takes it.
  const std::string& dir() const { return dir_; }
  // A file (or with a trailing '/', a folder) in it; its path for the plan.
  std::string Add(const std::string& name) {
    if (!name.empty() && name.back() == '/') std::filesystem::create_directories(Path(name));
    else std::ofstream(Path(name), std::ios::binary) << "image bytes";
    return dir_ + "/" + name;
  }
  // Moves the file's modification time by `seconds`.
  void Touch(const std::string& name, int seconds) {
    const auto when = std::filesystem::last_write_time(Path(name));
    std::filesystem::last_write_time(Path(name), when + std::chrono::seconds(seconds));
  }

 private:
  std::filesystem::path Path(const std::string& name) const {
    return std::filesystem::u8path(name.empty() ? dir_ : dir_ + "/" + name);
  }
  std::string dir_;
};
