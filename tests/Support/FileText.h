#pragma once
// Whole files as text, for tests that check what a writer produced.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}
