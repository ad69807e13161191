#include "Model3D/CornerFan.h"

#include <algorithm>

#include "Model3D/MeshEdge.h"

CornerFan::Role CornerFan::Take(MeshPolygon& polygon, int corner) {
  position_ = polygon.Corner(corner).position;
  Corner start;
  if (!CornerOf(&polygon, start) || start.corner != corner) return Role::kAlone;
  Gather(start);
  for (const Member& member : members_)
    if (member.polygon->index < polygon.index) return Role::kElsewhere;
  return Role::kGathered;
}

bool CornerFan::Blendable() const {
  return !broken_ && members_.size() <= static_cast<size_t>(kMaxCrossings) + 1;
}

bool CornerFan::CornerOf(MeshPolygon* polygon, Corner& out) const {
  int found = -1;
  for (int i = 0; i < polygon->count; ++i) {
    if (polygon->Corner(i).position != position_) continue;
    if (found >= 0) return false;
    found = i;
  }
  if (found < 0) return false;
  out.polygon = polygon;
  out.corner = found;
  out.arriving = polygon->Corner(polygon->Wrap(found - 1)).edge;
  out.leaving = polygon->Corner(found).edge;
  return out.arriving != nullptr && out.leaving != nullptr && out.arriving != out.leaving;
}

CornerFan::Crossing CornerFan::Cross(const Corner& from, const MeshEdge* edge, Corner& to) const {
  // As a walk sees it: an edge below the threshold or without a second
  // polygon stops it; one of two polygons leads to the other.
  if (edge->smoothness < threshold_ || edge->polygonCount < 2) return Crossing::kEnd;
  if (edge->polygonCount > 2) return Crossing::kBroken;
  MeshPolygon* const first = edge->PolygonAt(0);
  MeshPolygon* const second = edge->PolygonAt(1);
  if (first != from.polygon && second != from.polygon) return Crossing::kBroken;
  MeshPolygon* neighbour = first == from.polygon ? second : first;
  if (!CornerOf(neighbour, to) || (to.arriving != edge && to.leaving != edge)) return Crossing::kBroken;
  return Crossing::kInside;
}

bool CornerFan::Follow(const Corner& start, const MeshEdge* edge, std::vector<Member>& out) {
  Corner from = start;
  for (;;) {
    Corner to;
    const Crossing crossing = Cross(from, edge, to);
    if (crossing == Crossing::kBroken) broken_ = true;
    if (crossing != Crossing::kInside) return false;
    if (to.polygon == start.polygon) return true;
    const MeshEdge* onward = to.Other(edge);
    out.push_back({to.polygon, to.corner, to.arriving == onward});
    from = to;
    edge = onward;
  }
}

void CornerFan::Gather(const Corner& start) {
  members_.clear();
  before_.clear();
  broken_ = false;
  members_.push_back({start.polygon, start.corner, true});
  ring_ = Follow(start, start.arriving, members_);
  if (ring_) return;
  // The other way: in list order these come first, and their next member
  // is the one toward start.
  Follow(start, start.leaving, before_);
  for (Member& member : before_) member.arrivingIsNext = !member.arrivingIsNext;
  members_.insert(members_.begin(), before_.rbegin(), before_.rend());
}

// One member's blend, a contribution at a time, in the order of its walk:
// from `first` through every other member, toward lower list positions when
// `down` (around a ring), else higher. Each contribution is signed as the
// walk meets it: flipped when the edge toward the blend's next member is the
// one arriving at the corner.
class CornerFan::Chain {
 public:
  Chain(const CornerFan& fan, size_t first, bool down)
      : fan_(fan), at_(first), down_(down), blend_(Signed()) {}

  void Next() {
    const size_t count = fan_.members_.size();
    if (down_)
      at_ = at_ == 0 ? count - 1 : at_ - 1;
    else
      at_ = at_ + 1 == count ? 0 : at_ + 1;
    blend_.Add(Signed());
  }
  Vector3 Normal() const { return blend_.Normal(); }

 private:
  Contribution Signed() const {
    const Contribution& c = fan_.contributions_[at_];
    return fan_.members_[at_].arrivingIsNext != down_ ? c.Flipped() : c;
  }

  const CornerFan& fan_;
  size_t at_;
  bool down_;
  NormalBlend blend_;
};

void CornerFan::SetNormals() {
  const size_t count = members_.size();
  contributions_.resize(count);
  for (size_t i = 0; i < count; ++i)
    contributions_[i] = CornerContributionAt(*members_[i].polygon, members_[i].corner);
  // A member's walk first goes the way of its arriving edge, then blends
  // back from where it stopped: in a ring from the member beside it on the
  // other side, in a row from the row's end. So a ring makes a blend for
  // each member, a row one for each way its walks start in.
  chains_.clear();
  for (size_t i = 0; i < count; ++i) {
    const bool made = !ring_ && std::any_of(chains_.begin(), chains_.end(), [&](size_t j) {
      return members_[j].arrivingIsNext == members_[i].arrivingIsNext;
    });
    if (!made) chains_.push_back(i);
  }
  auto chainOf = [&](size_t i) {
    const bool down = members_[i].arrivingIsNext;
    const size_t first = !ring_ ? (down ? count - 1 : 0) : down ? (i + count - 1) % count : (i + 1) % count;
    return Chain(*this, first, down);
  };
  // Up to four blends side by side, each in its own order: their long
  // chains of dependent steps overlap in the processor.
  constexpr size_t kSideBySide = 4;
  for (size_t c = 0; c < chains_.size(); c += kSideBySide) {
    const size_t group = std::min(kSideBySide, chains_.size() - c);
    auto member = [&](size_t k) { return chains_[c + std::min(k, group - 1)]; };
    Chain chain[kSideBySide] = {chainOf(member(0)), chainOf(member(1)), chainOf(member(2)), chainOf(member(3))};
    for (size_t n = 1; n < count; ++n)
      for (size_t k = 0; k < group; ++k) chain[k].Next();
    for (size_t k = 0; k < group; ++k) Assign(chains_[c + k], chain[k].Normal());
  }
}

void CornerFan::Assign(size_t chain, const Vector3& normal) {
  if (ring_) {
    members_[chain].polygon->Corner(members_[chain].corner).normal = normal;
    return;
  }
  for (const Member& member : members_)
    if (member.arrivingIsNext == members_[chain].arrivingIsNext)
      member.polygon->Corner(member.corner).normal = normal;
}
