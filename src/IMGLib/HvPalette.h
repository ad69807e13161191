#pragma once
// Colour table of indexed images: entries are format-100 colours (0xAARRGGBB).
#include <cstddef>
#include <cstdint>
#include <vector>

class HvPalette {
 public:
  static constexpr int kMaxEntries = 65536;

  // Empties the table: count 0, entry format 100, 4 bytes per entry.
  void Reset();
  // Grows the count to index + 1 when needed; false outside [0, 65536).
  bool SetEntry(int index, uint32_t color);
  // 0 for a negative index, 0xFFFFFFFF for one at or beyond the count.
  uint32_t GetEntry(int index) const;

  int Count() const { return static_cast<int>(entries_.size()); }
  int EntryFormat() const { return 100; }
  int BytesPerEntry() const { return 4; }

 private:
  std::vector<uint32_t> entries_;
};
