#include "SceneLoading.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace OmbrixHost {

namespace fs = std::filesystem;

FileRead readWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  if (!in)
    return FileRead::kCannotOpen;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 0)
    return FileRead::kCannotRead;
  // In pieces, appended: a string sized first would be filled with zeros
  // only to be overwritten, a cost as large as the read's for a big scene.
  bytes.clear();
  bytes.reserve(static_cast<std::size_t>(size));
  std::vector<char> piece(std::min<std::streamoff>(size, 1 << 20));
  while (bytes.size() < static_cast<std::size_t>(size)) {
    const std::size_t want = std::min(piece.size(), static_cast<std::size_t>(size) - bytes.size());
    if (!in.read(piece.data(), static_cast<std::streamsize>(want)))
      return FileRead::kCannotRead;
    bytes.append(piece.data(), want);
  }
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
