#pragma once
// The exchange directory and the registry that names it, of one benchmark
// run alone, with the export's formats started: what ExportAllOmbrixPlug
// needs before runExport.
#include "Exchange/ExchangePaths.h"
#include "IO/FormatRegistry.h"
#include "Platform/Process.h"
#include "Platform/Registry.h"

#include <cstdlib>
#include <filesystem>
#include <string>

// The exchange directory and the registry that names it, of this run alone.
class Exchange {
public:
  Exchange() {
    // Named after the process: benchmarks running at once never share it.
    dir_ = std::filesystem::temp_directory_path() /
           ("ombrix-export-bench-" + std::to_string(Platform::CurrentProcessId()));
    std::filesystem::create_directories(dir_);
#ifndef _WIN32
    registry_ = dir_ / "registry";
    setenv("OMBRIX_REGISTRY", registry_.string().c_str(), 1);
#endif
    Platform::RegistryKey key = nullptr;
    Platform::CreateUserKey(kPainterRegistryKey, "", key);
    Platform::SetStringValue(key, "Temp Directory", dir_.string().c_str());
    Platform::CloseKey(key);
    StartupFormats();
  }
  ~Exchange() {
    TeardownModelFormats();
    TeardownSceneReaders();
    Platform::RegistryKey key = nullptr;
    Platform::CreateUserKey(kPainterRegistryKey, "", key);
    Platform::DeleteValue(key, "Temp Directory");
    Platform::CloseKey(key);
    std::filesystem::remove_all(dir_);
  }

  const std::filesystem::path& directory() const { return dir_; }

private:
  std::filesystem::path dir_, registry_;
};
