#include "IO/CorrespondenceTable.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "HvTL/LittleEndian.h"
#include "Math/PainterFrame.h"
#include "Model3D/PolygonDesc.h"
#include "HvCore/HvIO.h"
#include "IO/BinaryReader.h"

namespace {

uint32_t Bits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The nine positions of corners 0, 1, 2: the key of the hash and the match.
void PositionKey(const CorrespondenceRecord& record, float key[9]) {
  for (int c = 0; c < 3; ++c) {
    key[3 * c] = record.corner[c].x;
    key[3 * c + 1] = record.corner[c].y;
    key[3 * c + 2] = record.corner[c].z;
  }
}

// The same key from a polygon's first three corners.
void CornerKey(const Vector3* corners, float key[9]) {
  for (int c = 0; c < 3; ++c) {
    key[3 * c] = corners[c].x;
    key[3 * c + 1] = corners[c].y;
    key[3 * c + 2] = corners[c].z;
  }
}

int HashKey(const float key[9]) {
  static const uint32_t kFactors[9] = {57u,
                                       1u,
                                       113u,
                                       static_cast<uint32_t>(-945),
                                       345u,
                                       static_cast<uint32_t>(-1625),
                                       static_cast<uint32_t>(-593),
                                       static_cast<uint32_t>(-1233),
                                       163u};
  uint32_t h = 0;
  for (int i = 0; i < 9; ++i) h += kFactors[i] * Bits(key[i]);
  return static_cast<int>(h & 0xFFFu);
}

CorrespondenceRecord DecodeRecord(const uint8_t* bytes) {
  CorrespondenceRecord stored;
  for (int c = 0; c < 3; ++c) {
    const uint8_t* p = bytes + 20 * c;
    stored.corner[c] = {LoadF32LE(p), LoadF32LE(p + 4), LoadF32LE(p + 8), LoadF32LE(p + 12),
                        LoadF32LE(p + 16)};
  }
  return Correspondence::FromFileFrame(stored);
}

// "offset N: REASON", as the caller puts it after the file name.
std::string Located(const ReadFailure& failure) {
  return "offset " + std::to_string(failure.offset) + ": " + failure.reason;
}

int Refuse(CorrespondenceLoadInfo* info, const char* reason) {
  if (info != nullptr) info->error = reason;
  return 0;
}

}  // namespace

namespace Correspondence {

CorrespondenceRecord FromFileFrame(const CorrespondenceRecord& stored) {
  CorrespondenceRecord record;
  for (int c = 0; c < 3; ++c) record.corner[c] = OtherFrame(stored.corner[c]);
  return record;
}

CorrespondenceCorner OtherFrame(const CorrespondenceCorner& c) { return {c.x, -c.y, -c.z, c.u, flipVf(c.v)}; }

CorrespondenceRecord ToFileFrame(const CorrespondenceRecord& record) {
  // Both maps negate y and z and take v to 1 - v.
  return FromFileFrame(record);
}

}  // namespace Correspondence

CorrespondenceTable::CorrespondenceTable() : buckets_(Correspondence::kBucketCount) {}

CorrespondenceTable::~CorrespondenceTable() { clearCorrespondences(*this); }

std::vector<const CorrespondenceRecord*> CorrespondenceTable::Bucket(int bucket) const {
  std::vector<const CorrespondenceRecord*> out;
  if (bucket < 0 || bucket >= Correspondence::kBucketCount) return out;
  for (uint32_t index : buckets_[static_cast<size_t>(bucket)]) out.push_back(&records_[index]);
  return out;
}

void CorrespondenceTable::Append(const CorrespondenceRecord* records, size_t count) {
  float keys[kAppendRun][9];
  uint64_t hashes[kAppendRun];
  for (size_t r = 0; r < count; ++r) {
    PositionKey(records[r], keys[r]);
    hashes[r] = FloatKeyIndex<9>::Hash(keys[r]);
    first_.Prefetch(hashes[r]);
  }
  for (size_t r = 0; r < count; ++r) {
    const uint32_t index = static_cast<uint32_t>(records_.size());
    records_.push_back(records[r]);
    buckets_[static_cast<size_t>(HashKey(keys[r]))].push_back(index);
    first_.FindOrInsert(keys[r], static_cast<int32_t>(index), hashes[r]);
  }
}

int correspondenceHash(const CorrespondenceRecord& record) {
  float key[9];
  PositionKey(record, key);
  return HashKey(key);
}

int loadCorrespondenceFile(CorrespondenceTable& table, const char* path, CorrespondenceLoadInfo* info) {
  CorrespondenceLoadInfo scratch;
  CorrespondenceLoadInfo& out = info != nullptr ? *info : scratch;
  out = CorrespondenceLoadInfo();
  HvIO stream(path != nullptr ? path : "", HvIO::kRead);
  if (!stream.IsOpen()) return Refuse(&out, "cannot open the file");
  BinaryReader in(stream, 0, BinaryReader::kLittleEndian);
  char magic[4] = {};
  if (!in.Bytes(magic, 4, "the magic") || std::memcmp(magic, Correspondence::kMagic, 4) != 0)
    return Refuse(&out, "not a correspondence file (no \"CORR\" at its start)");
  clearCorrespondences(table);
  if (!in.I32(out.announced, "the record count")) {
    out.truncated = true;
    out.error = Located(in.Failure());
    return 1;
  }
  if (out.announced <= 0) {
    out.trailingBytes = in.Left();
    return 1;
  }
  // Never more than the file's size holds, whatever the count says.
  const uint64_t fits = in.Left() / Correspondence::kRecordBytes;
  const auto announced = static_cast<uint64_t>(out.announced);
  const uint64_t announcedBytes = announced * Correspondence::kRecordBytes;
  if (in.Left() > announcedBytes) out.trailingBytes = in.Left() - announcedBytes;
  const uint64_t wanted = std::min(announced, fits);
  table.records_.reserve(static_cast<size_t>(wanted));
  table.first_.Reserve(static_cast<size_t>(wanted));
  uint8_t bytes[Correspondence::kRecordBytes];
  CorrespondenceRecord run[CorrespondenceTable::kAppendRun];
  size_t held = 0;
  for (uint64_t done = 0; done < announced; ++done) {
    if (!in.Bytes(bytes, sizeof bytes, "a record")) break;
    run[held++] = DecodeRecord(bytes);
    if (held == CorrespondenceTable::kAppendRun) {
      table.Append(run, held);
      held = 0;
    }
  }
  table.Append(run, held);
  out.read = static_cast<uint32_t>(table.records_.size());
  if (out.read < static_cast<uint32_t>(out.announced)) {
    out.truncated = true;
    out.error = "offset " + std::to_string(in.Failure().offset) + ": the file ends after " +
                std::to_string(out.read) + " of " + std::to_string(out.announced) + " records";
  }
  return 1;
}

const CorrespondenceRecord* findCorrespondence(const CorrespondenceTable& table, const PolygonDesc& desc) {
  if (desc.count < 3) return nullptr;
  float key[9];
  CornerKey(desc.positions, key);
  // Equal positions differ at most in the sign bits of zeros, which leave
  // the low 12 bits of the hash alone: the first equal record in file order
  // is the first equal record of desc's bucket.
  const int32_t index = table.first_.Find(key);
  return index < 0 ? nullptr : &table.records_[static_cast<size_t>(index)];
}

void prefetchCorrespondence(const CorrespondenceTable& table, const Vector3 corners[3]) {
  float key[9];
  CornerKey(corners, key);
  table.first_.Prefetch(FloatKeyIndex<9>::Hash(key));
}

void clearCorrespondences(CorrespondenceTable& table) {
  table.records_.clear();
  for (std::vector<uint32_t>& bucket : table.buckets_) bucket.clear();
  table.first_.Clear();
}
