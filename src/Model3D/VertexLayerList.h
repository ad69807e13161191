#pragma once
// Optional per-corner extra data layers. Layers are packed one after another
// in each corner's extra bytes in list order; a disabled layer still takes
// its size there but is not copied.
#include <cstddef>
#include <vector>

class VertexLayerList {
 public:
  static constexpr int kMaxTotalSize = 1024;

  // False when the size is negative or the total would pass kMaxTotalSize.
  bool Add(int size, bool enabled = true);
  void SetEnabled(int layer, bool enabled);

  int Count() const { return static_cast<int>(layers_.size()); }
  int Size(int layer) const { return layers_[static_cast<size_t>(layer)].size; }
  bool IsEnabled(int layer) const { return layers_[static_cast<size_t>(layer)].enabled; }
  // Offset of a layer inside a corner's extra bytes.
  int Offset(int layer) const;
  int TotalSize() const { return total_; }

 private:
  struct Layer {
    int size;
    bool enabled;
  };
  std::vector<Layer> layers_;
  int total_ = 0;
};
