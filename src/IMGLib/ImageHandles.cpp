#include "IMGLib/ImageHandles.h"

#include <map>
#include <mutex>

namespace {

struct HandleTable {
  std::mutex guard;
  std::map<uint32_t, std::unique_ptr<ImageHolder>> holders;
  uint32_t last = 0;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

}  // namespace

uint32_t RegisterImageHolder(std::unique_ptr<ImageHolder> holder) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.guard);
  if (++table.last == 0) ++table.last;
  table.holders[table.last] = std::move(holder);
  return table.last;
}

ImageHolder* ImageHolderFor(uint32_t handle) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.guard);
  const auto found = table.holders.find(handle);
  return found != table.holders.end() ? found->second.get() : nullptr;
}

void ReleaseImageHolder(uint32_t handle) {
  std::unique_ptr<ImageHolder> released;
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.guard);
  const auto found = table.holders.find(handle);
  if (found == table.holders.end()) return;
  released = std::move(found->second);
  table.holders.erase(found);
}

size_t ImageHolderCount() {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.guard);
  return table.holders.size();
}
