#pragma once
// The HV3 writer's code table: a Huffman code for every distinct f32 value
// by its number of occurrences. Codes are kept as 64-bit values, so trees
// up to 64 deep are written exactly (the reader takes codes shorter than 50).
#include <cstdint>
#include <map>
#include <string>

class ValueCodeTable {
 public:
  void Add(double value);
  // Assigns the codes (a table with one value gives it the empty code).
  void Build();
  int Count() const { return static_cast<int>(entries_.size()); }
  // The code of a value as '0'/'1' characters, most significant first.
  std::string Code(double value) const;

  struct Entry {
    int count = 0;
    uint64_t code = 0;
    int length = 0;
  };
  const std::map<float, Entry>& Entries() const { return entries_; }
  static std::string CodeText(uint64_t code, int length);

 private:
  std::map<float, Entry> entries_;  // ascending value
};
