#pragma once
// Polygons added to a model one step after they are described: while a
// caller describes the next polygon, the edge slots it will look up are
// asked for (HvModel::PrefetchEdges) before the one described before it is
// linked, so that the cache misses of the lookups overlap that work.
#include "Model3D/HvModel.h"
#include "Model3D/PolygonDesc.h"

class PolygonPipeline {
 public:
  explicit PolygonPipeline(HvModel& model) : model_(model) {}
  PolygonPipeline(const PolygonPipeline&) = delete;
  PolygonPipeline& operator=(const PolygonPipeline&) = delete;

  // The description to fill next; it may be filled again until Push.
  PolygonDesc& Filling() { return descs_[filling_]; }
  // The filled description is complete: its edges are asked for and the
  // polygon before it is added; it waits in turn.
  void Push() {
    model_.PrefetchEdges(descs_[filling_]);
    Flush();
    pending_ = filling_;
    filling_ ^= 1;
  }
  // Adds the waiting polygon, if any: callers flush before anything the
  // adding depends on changes (the current group) and at the end.
  void Flush() {
    if (pending_ < 0) return;
    model_.AddPolygon(descs_[pending_]);
    pending_ = -1;
  }

 private:
  HvModel& model_;
  PolygonDesc descs_[2];
  int filling_ = 0;
  int pending_ = -1;  // the description waiting to be added, or -1
};
