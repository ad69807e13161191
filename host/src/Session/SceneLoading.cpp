#include "SceneLoading.h"

#include <filesystem>
#include <fstream>

namespace OmbrixHost {

namespace fs = std::filesystem;

FileRead readWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  if (!in)
    return FileRead::kCannotOpen;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  bytes.assign(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  if (size < 0 || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    return FileRead::kCannotRead;
  return FileRead::kRead;
}

void adoptWorkspace(const std::string& path) {
  if (!scene().workspaceRoot.empty())
    return;
  std::error_code ec;
  const fs::path dir = fs::absolute(fs::u8path(path), ec).parent_path();
  for (const fs::path& candidate : {dir.parent_path(), dir})
    if (fs::is_regular_file(candidate / "workspace.mel", ec)) {
      scene().workspaceRoot = candidate.generic_string();
      return;
    }
}

}  // namespace OmbrixHost
