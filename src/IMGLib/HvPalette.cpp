#include "IMGLib/HvPalette.h"

void HvPalette::Reset() { entries_.clear(); }

bool HvPalette::SetEntry(int index, uint32_t color) {
  if (index < 0 || index >= kMaxEntries) return false;
  if (index >= Count()) entries_.resize(static_cast<size_t>(index) + 1, 0);
  entries_[static_cast<size_t>(index)] = color;
  return true;
}

uint32_t HvPalette::GetEntry(int index) const {
  if (index < 0) return 0;
  if (index >= Count()) return 0xFFFFFFFFu;
  return entries_[static_cast<size_t>(index)];
}
