#include "IMGLib/ImageHandles.h"

#include <mutex>
#include <vector>

namespace {

struct HandleTable {
  std::mutex guard;
  std::vector<std::unique_ptr<ImageHolder>> holders;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

}  // namespace

uint32_t RegisterImageHolder(std::unique_ptr<ImageHolder> holder) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.guard);
  table.holders.push_back(std::move(holder));
  return static_cast<uint32_t>(table.holders.size());
}

ImageHolder* ImageHolderFor(uint32_t handle) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.guard);
  if (handle == 0 || handle > table.holders.size()) return nullptr;
  return table.holders[handle - 1].get();
}
