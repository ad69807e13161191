#pragma once
// A texture file name pattern such as "<material>_<channel>.<ext>": literal
// text (ASCII letters in either case, other bytes exactly) and the tokens
// <material>, <shader>, <channel>, <udim> (a tile number 1001-9999) and
// <ext> (an image file extension).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The words a pattern's tokens stand for in one match attempt.
struct PatternWords {
  std::string material;
  std::string shader;
  std::string channel;
};

struct PatternMatch {
  uint32_t tile = 0;       // the <udim> number, 0 when the pattern has none
  size_t tileOffset = 0;   // where its four digits begin in the name
};

class TexturePattern {
 public:
  // False with the reason for an unknown token, an unclosed '<', a folder
  // separator or a pattern longer than any file name.
  bool Parse(const std::string& pattern, std::string& error);
  bool HasTile() const;
  // The same pattern with a tile number before the extension: "NAME.<udim>.<ext>"
  // and "NAME_<udim>.<ext>" for a pattern "NAME.<ext>" without <udim>; none otherwise.
  std::vector<TexturePattern> TiledForms() const;
  // True when the whole file name matches.
  bool Match(const std::string& name, const PatternWords& words, PatternMatch& match) const;

 private:
  enum class Kind { kLiteral, kMaterial, kShader, kChannel, kUdim, kExt };
  struct Piece {
    Kind kind;
    std::string text;  // kLiteral only
  };
  bool MatchFrom(size_t piece, const std::string& name, size_t at, const PatternWords& words,
                 PatternMatch& match) const;

  std::vector<Piece> pieces_;
};

// The image file extensions looked for, lower case, without the dot.
const std::vector<std::string>& textureExtensions();
// `text` at `at` in `name`, ASCII letters compared in either case and every
// other byte exactly.
bool sameTextAt(const std::string& name, size_t at, const std::string& text);
// The last part of a path, after its last '/' or '\'.
std::string fileNameOf(const std::string& path);
