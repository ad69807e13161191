#include "Model3D/HvModel.h"

#include <cstring>

namespace {

// Grows a slot array to index + 1 when asked; the slot at index, or null.
template <typename T>
std::unique_ptr<T>* Slot(std::vector<std::unique_ptr<T>>& slots, int index, bool create) {
  if (index < 0) return nullptr;
  if (static_cast<size_t>(index) >= slots.size()) {
    if (!create) return nullptr;
    slots.resize(static_cast<size_t>(index) + 1);
  }
  return &slots[static_cast<size_t>(index)];
}

// Index of the first element named `name` before the first hole, or -1.
template <typename T, typename Name>
int FindByName(const std::vector<std::unique_ptr<T>>& slots, const char* name, Name nameOf) {
  for (size_t i = 0; i < slots.size() && slots[i]; ++i)
    if (std::strcmp(nameOf(*slots[i]), name != nullptr ? name : "") == 0)
      return static_cast<int>(i);
  return -1;
}

const char* NameOf(const HvMesh& mesh) { return mesh.GetName().Text(); }
template <typename T>
const char* NameOf(const T& item) {
  return item.Name().Text();
}

// Index of the first hole (or the count).
template <typename T>
int FirstHole(const std::vector<std::unique_ptr<T>>& slots) {
  size_t i = 0;
  while (i < slots.size() && slots[i]) ++i;
  return static_cast<int>(i);
}

}  // namespace

template <typename T>
T* HvModel::FindOrCreate(std::vector<std::unique_ptr<T>>& slots, const char* name, bool create,
                         T* (HvModel::*slotAt)(int, bool)) {
  const int found = FindByName(slots, name, [](const T& item) { return NameOf(item); });
  if (found >= 0) return (this->*slotAt)(found, false);
  if (!create) return nullptr;
  T* item = (this->*slotAt)(FirstHole(slots), true);
  item->SetName(name);
  return item;
}

HvModel::HvModel() { ClearAll(); }

HvModel::~HvModel() {
  ClearAll();
  shaders_.clear();
}

HvMesh* HvModel::ExistingGroup(int index) const {
  if (index < 0 || index >= GroupCount()) return nullptr;
  return groups_[static_cast<size_t>(index)].get();
}

HvMesh* HvModel::Group(int index, bool create) {
  if (index == currentIndex_ && index != -2) return current_;
  auto* slot = Slot(groups_, index, create);
  if (slot == nullptr) return nullptr;
  if (groupPolygonCounts_.size() < groups_.size()) groupPolygonCounts_.resize(groups_.size(), 0);
  if (create && !*slot) {
    *slot = std::make_unique<HvMesh>(this);
    groupPolygonCounts_[static_cast<size_t>(index)] = 0;
  }
  return slot->get();
}

bool HvModel::SetCurrentGroup(int index) {
  currentIndex_ = -2;
  current_ = Group(index, true);
  currentIndex_ = index;
  return true;
}

bool HvModel::SetGroupName(int index, const char* name) {
  HvMesh* group = Group(index, true);
  if (group == nullptr) return false;
  group->SetName(HvString(name));
  return true;
}

bool HvModel::GetGroupName(int index, char* buffer, size_t size) {
  HvMesh* group = Group(index, false);
  const HvString name = group != nullptr ? group->GetName() : HvString("Unknown");
  name.CopyTo(buffer, size);
  return true;
}

int HvModel::FindGroup(const char* name) const {
  return FindByName(groups_, name, [](const HvMesh& mesh) { return NameOf(mesh); });
}

bool HvModel::AddPolygon(const PolygonDesc& desc, const VertexLayerList* layers) {
  if (current_ == nullptr) SetCurrentGroup(0);
  if (current_ == nullptr) return false;
  const bool added = current_->AddPolygon(desc, layers);
  groupPolygonCounts_[static_cast<size_t>(currentIndex_)] = current_->PolygonCount();
  return added;
}

int HvModel::CurrentGroupPolygonCount() const {
  return current_ != nullptr ? current_->PolygonCount() : 0;
}

int HvModel::TotalPolygonCount() const {
  int total = 0;
  for (const auto& group : groups_)
    if (group) total += group->PolygonCount();  // a hole counts as an empty group
  return total;
}

bool HvModel::SetPolygonMaterial(int index, void* material) {
  return current_ != nullptr && current_->SetPolygonMaterial(index, material);
}

bool HvModel::SetPolygonAux(int index, void* aux) {
  return current_ != nullptr && current_->SetPolygonAux(index, aux);
}

void HvModel::SetEdgeSmoothness(double threshold, bool twoSided) {
  if (current_ != nullptr) current_->SetEdgeSmoothness(threshold, twoSided);
}

void HvModel::SetEdgeSmoothnessAll(double threshold, bool twoSided) {
  for (int i = 0; i < GroupCount(); ++i) {
    SetCurrentGroup(i);
    SetEdgeSmoothness(threshold, twoSided);
  }
}

void HvModel::ComputeCornerNormals(double threshold) {
  if (current_ != nullptr) current_->ComputeCornerNormals(threshold);
}

void HvModel::ComputeCornerNormalsAll(double threshold) {
  for (int i = 0; i < GroupCount(); ++i) {
    SetCurrentGroup(i);
    ComputeCornerNormals(threshold);
  }
}

bool HvModel::IsGroupDefective(int index) const {
  const HvMesh* group = ExistingGroup(index);
  if (group == nullptr || group->PolygonCount() < 3) return false;
  const int defective = 0;  // no polygon counts as defective in this system
  return defective > 10 || defective * 10 > group->PolygonCount();
}

void HvModel::ClearGroups() {
  const int holeAt = FirstHole(groups_);
  for (int i = 0; i < holeAt; ++i) groups_[static_cast<size_t>(i)]->Clear();
  groups_.clear();
  groupPolygonCounts_.clear();
  currentIndex_ = -1;
  current_ = nullptr;
  cachedBounds_.reset();
}

void HvModel::ClearAll() {
  materials_.clear();
  ClearGroups();
}

::Material* HvModel::Material(int index, bool create) {
  auto* slot = Slot(materials_, index, create);
  if (slot == nullptr) return nullptr;
  if (create && !*slot) *slot = std::make_unique<::Material>();
  if (*slot) (*slot)->SetIndex(index);
  return slot->get();
}

::Material* HvModel::FindMaterial(const char* name, bool create) {
  return FindOrCreate(materials_, name, create, &HvModel::Material);
}

int HvModel::IndexOfMaterial(const ::Material* material) const {
  for (size_t i = 0; i < materials_.size(); ++i)
    if (materials_[i].get() == material && material != nullptr) return static_cast<int>(i);
  return -1;
}

::Shader* HvModel::Shader(int index, bool create) {
  auto* slot = Slot(shaders_, index, create);
  if (slot == nullptr) return nullptr;
  if (create && !*slot) *slot = std::make_unique<::Shader>("Unnamed");
  return slot->get();
}

::Shader* HvModel::FindShader(const char* name, bool create) {
  return FindOrCreate(shaders_, name, create, &HvModel::Shader);
}

bool HvModel::First(PolygonId& id) const {
  if (TotalPolygonCount() > 0) {
    id = {0, 0, 1};
    return true;
  }
  id = {-1, -1, -1};
  return false;
}

bool HvModel::Next(const PolygonId& in, PolygonId& out) const {
  const PolygonId from = in;
  out.Reset();
  if (!from.IsValid() || from.group >= GroupCount()) return false;
  if (from.polygon >= groupPolygonCounts_[static_cast<size_t>(from.group)])
    out = {from.group + 1, -1, 1};
  else
    out = {from.group, from.polygon + 1, 1};
  return true;
}

bool HvModel::NextInGroup(int group, const PolygonId& in, PolygonId& out) const {
  const PolygonId from = in;
  out.Reset();
  if (!from.IsValid() || group >= GroupCount() || group < 0) return false;
  if (from.polygon < groupPolygonCounts_[static_cast<size_t>(group)])
    out = {from.group, from.polygon + 1, 1};
  return true;
}

bool HvModel::PolygonInRange(const PolygonId& id) const {
  return id.IsValid() && id.group < GroupCount() && id.polygon >= 0 &&
         id.polygon < groupPolygonCounts_[static_cast<size_t>(id.group)] &&
         ExistingGroup(id.group) != nullptr;
}

bool HvModel::GetPolygon(const PolygonId& id, PolygonData& data,
                         const VertexLayerList* layers) const {
  data.count = 0;
  if (!PolygonInRange(id)) return false;
  return ExistingGroup(id.group)->GetPolygon(id.polygon, data, layers);
}

bool HvModel::GetPolygonFull(const PolygonId& id, PolygonDesc& desc,
                             const VertexLayerList* layers) const {
  desc.Resize(0);
  if (!PolygonInRange(id)) return false;
  if (!ExistingGroup(id.group)->GetPolygonFull(id.polygon, desc, layers)) return false;
  for (int i = 0; i < desc.count; ++i)
    desc.adjacency[i].group = desc.adjacency[i].polygon == -1 ? -1 : id.group;
  return true;
}

bool HvModel::Bounds(BoundingBox& box) const {
  if (cachedBounds_) {
    box = *cachedBounds_;
    return true;
  }
  box = BoundingBox();
  PolygonData data;
  PolygonId id;
  for (bool more = First(id); more && id.IsValid(); more = Next(id, id)) {
    if (!GetPolygon(id, data)) continue;
    for (int i = 0; i < data.count; ++i) box.Extend(data.positions[i]);
  }
  return true;
}
