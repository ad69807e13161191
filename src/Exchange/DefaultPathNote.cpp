#include "Exchange/DefaultPathNote.h"

std::string defaultPathNote(ExchangeFailure lookup, const char* error) {
  if (lookup == ExchangeFailure::kNone) return std::string();
  return std::string(" (default path: ") + (error != nullptr ? error : "") + ")";
}
