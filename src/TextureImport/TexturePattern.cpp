#include "TextureImport/TexturePattern.h"

namespace {

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const std::vector<std::string>& textureExtensions() {
  // What the module reads (TGA, and PNG, JPEG, BMP, GIF, PSD, HDR, PNM
  // through stb_image) and what Maya's file node reads beside them.
  static const std::vector<std::string> extensions = {"png", "jpg", "jpeg", "tga", "tif", "tiff", "exr",
                                                      "bmp", "gif", "psd", "hdr", "pnm", "ppm", "pgm"};
  return extensions;
}

bool sameTextAt(const std::string& name, size_t at, const std::string& text) {
  if (at > name.size() || name.size() - at < text.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (asciiLower(name[at + i]) != asciiLower(text[i])) return false;
  }
  return true;
}

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool TexturePattern::Parse(const std::string& pattern, std::string& error) {
  static const struct {
    const char* name;
    Kind kind;
  } kTokens[] = {{"<material>", Kind::kMaterial}, {"<shader>", Kind::kShader}, {"<channel>", Kind::kChannel},
                 {"<udim>", Kind::kUdim},         {"<ext>", Kind::kExt}};
  pieces_.clear();
  // A file name is at most a few hundred bytes; a longer pattern matches
  // nothing and would only deepen the match's recursion.
  constexpr size_t kMaxPatternBytes = 1024;
  if (pattern.size() > kMaxPatternBytes) {
    error = "the pattern is longer than " + std::to_string(kMaxPatternBytes) + " bytes";
    return false;
  }
  size_t at = 0;
  while (at < pattern.size()) {
    const char c = pattern[at];
    if (c == '/' || c == '\\') {
      error = "the pattern \"" + pattern + "\" names a folder; it is for file names only";
      return false;
    }
    if (c != '<') {
      if (pieces_.empty() || pieces_.back().kind != Kind::kLiteral) pieces_.push_back({Kind::kLiteral, ""});
      pieces_.back().text += c;
      ++at;
      continue;
    }
    bool known = false;
    for (const auto& token : kTokens) {
      if (sameTextAt(pattern, at, token.name)) {
        pieces_.push_back({token.kind, ""});
        at += std::string(token.name).size();
        known = true;
        break;
      }
    }
    if (!known) {
      const size_t close = pattern.find('>', at);
      error = "unknown token \"" + pattern.substr(at, close == std::string::npos ? std::string::npos : close - at + 1) +
              "\" in the pattern (tokens: <material>, <shader>, <channel>, <udim>, <ext>)";
      return false;
    }
  }
  return true;
}

bool TexturePattern::HasTile() const {
  for (const Piece& piece : pieces_) {
    if (piece.kind == Kind::kUdim) return true;
  }
  return false;
}

std::vector<TexturePattern> TexturePattern::TiledForms() const {
  std::vector<TexturePattern> forms;
  const size_t n = pieces_.size();
  if (HasTile() || n < 2 || pieces_[n - 1].kind != Kind::kExt || pieces_[n - 2].kind != Kind::kLiteral ||
      pieces_[n - 2].text.back() != '.')
    return forms;
  for (const char* separator : {".", "_"}) {
    TexturePattern form = *this;
    Piece& before = form.pieces_[n - 2];
    before.text.back() = separator[0];
    form.pieces_.insert(form.pieces_.end() - 1, {{Kind::kUdim, ""}, {Kind::kLiteral, "."}});
    forms.push_back(form);
  }
  return forms;
}

bool TexturePattern::Match(const std::string& name, const PatternWords& words, PatternMatch& match) const {
  match = PatternMatch();
  return MatchFrom(0, name, 0, words, match);
}

bool TexturePattern::MatchFrom(size_t piece, const std::string& name, size_t at, const PatternWords& words,
                               PatternMatch& match) const {
  if (piece == pieces_.size()) return at == name.size();
  const Piece& p = pieces_[piece];
  const auto word = [&](const std::string& text) {
    return sameTextAt(name, at, text) && MatchFrom(piece + 1, name, at + text.size(), words, match);
  };
  switch (p.kind) {
    case Kind::kLiteral: return word(p.text);
    case Kind::kMaterial: return word(words.material);
    case Kind::kShader: return word(words.shader);
    case Kind::kChannel: return word(words.channel);
    case Kind::kUdim: {
      if (name.size() - at < 4) return false;
      uint32_t tile = 0;
      for (size_t i = at; i < at + 4; ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
        tile = tile * 10 + static_cast<uint32_t>(name[i] - '0');
      }
      if (tile < 1001) return false;
      const PatternMatch before = match;
      match.tile = tile;
      match.tileOffset = at;
      if (MatchFrom(piece + 1, name, at + 4, words, match)) return true;
      match = before;
      return false;
    }
    case Kind::kExt:
      for (const std::string& extension : textureExtensions()) {
        if (word(extension)) return true;
      }
      return false;
  }
  return false;
}
