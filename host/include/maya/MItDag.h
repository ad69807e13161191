#pragma once
#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <vector>

class OPENMAYA_EXPORT MItDag {
public:
  enum TraversalType { kInvalidType = 0, kDepthFirst, kBreadthFirst };
  MItDag(TraversalType type = kDepthFirst, MFn::Type filter = MFn::kInvalid,
         MStatus* ReturnStatus = nullptr);
  ~MItDag();
  MStatus reset();
  MStatus reset(const MObject& object, TraversalType type = kDepthFirst,
                MFn::Type filter = MFn::kInvalid);
  MStatus reset(const MDagPath& path, TraversalType type = kDepthFirst,
                MFn::Type filter = MFn::kInvalid);
  MObject currentItem(MStatus* ReturnStatus = nullptr);
  MStatus next();
  MStatus prune();
  bool isDone(MStatus* ReturnStatus = nullptr) const;
  MObject root(MStatus* ReturnStatus = nullptr);
  unsigned int depth(MStatus* ReturnStatus = nullptr) const;
  MStatus getPath(MDagPath& path) const;
  MString fullPathName(MStatus* ReturnStatus = nullptr) const;
  MString partialPathName(MStatus* ReturnStatus = nullptr) const;
  TraversalType getType(MStatus* ReturnStatus = nullptr) const;

private:
  void start(const MDagPath& root);
  void expand(const MDagPath& path);
  void skipFiltered();
  TraversalType type_;
  MFn::Type filter_;
  MDagPath root_;
  std::vector<MDagPath> pending_;
  std::size_t cursor_ = 0;
  bool pruneNext_ = false;
};
