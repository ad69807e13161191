#pragma once
// The correspondence file "maya.cor" that the painter writes: triangles given
// by the positions of their three corners and the corners' new texture
// coordinates. The table holds its records in 4096 buckets by
// correspondenceHash, file order within a bucket, and finds the record whose
// three corner positions equal a polygon's first three. Layout in
// docs/FORMATS.md. Nothing here prints; the caller reports.
#include <cstdint>
#include <string>
#include <vector>

#include "IO/FloatKeyIndex.h"

class PolygonDesc;
struct Vector3;

struct CorrespondenceCorner {
  float x, y, z, u, v;
};

// In a table: positions in the Maya frame, v in the model's flipped
// convention. As written to a file: the painter's frame, the file's u, v.
struct CorrespondenceRecord {
  CorrespondenceCorner corner[3];
};

namespace Correspondence {
constexpr char kMagic[4] = {'C', 'O', 'R', 'R'};
constexpr size_t kHeaderBytes = 8;
constexpr size_t kRecordBytes = 60;
constexpr int kBucketCount = 4096;

// The record as the file holds it to the record in a table: (x, -y, -z),
// v = 1 - v in double, and back (the inverse of the first, up to the last
// bit of v).
CorrespondenceRecord FromFileFrame(const CorrespondenceRecord& stored);
// One corner between the two frames, either way.
CorrespondenceCorner OtherFrame(const CorrespondenceCorner& corner);
CorrespondenceRecord ToFileFrame(const CorrespondenceRecord& record);
}  // namespace Correspondence

// What the last load met, for the caller to report.
struct CorrespondenceLoadInfo {
  int32_t announced = 0;     // the file's record count
  uint32_t read = 0;         // records read
  bool truncated = false;    // the file ends before its count: the records read stand
  uint64_t trailingBytes = 0;  // bytes after the announced records (not read)
  std::string error;         // why a load failed, or what was wrong with a loaded file
};

class CorrespondenceTable {
 public:
  CorrespondenceTable();
  ~CorrespondenceTable();
  CorrespondenceTable(const CorrespondenceTable&) = delete;
  CorrespondenceTable& operator=(const CorrespondenceTable&) = delete;

  // Records in file order, and the records of one bucket, in file order.
  const std::vector<CorrespondenceRecord>& Records() const { return records_; }
  std::vector<const CorrespondenceRecord*> Bucket(int bucket) const;
  size_t Size() const { return records_.size(); }

 private:
  friend int loadCorrespondenceFile(CorrespondenceTable&, const char*, CorrespondenceLoadInfo*);
  friend const CorrespondenceRecord* findCorrespondence(const CorrespondenceTable&, const PolygonDesc&);
  friend void prefetchCorrespondence(const CorrespondenceTable&, const Vector3*);
  friend void clearCorrespondences(CorrespondenceTable&);
  // Records are added in runs: the index slots of a whole run are asked
  // for before the first of it goes in.
  static constexpr size_t kAppendRun = 16;
  void Append(const CorrespondenceRecord* records, size_t count);

  std::vector<CorrespondenceRecord> records_;
  std::vector<std::vector<uint32_t>> buckets_;  // record indices, file order
  FloatKeyIndex<9> first_;                       // corner positions -> first record in file order
};

// Bucket of a record (Maya-frame positions): the 32-bit patterns w0..w8 of
// x0 y0 z0 x1 y1 z1 x2 y2 z2, h = 57w0 + w1 + 113w2 - 945w3 + 345w4 - 1625w5
// - 593w6 - 1233w7 + 163w8 wrapping, AND 0xFFF.
int correspondenceHash(const CorrespondenceRecord& record);
// 1 when the file was read (an empty or short table included), 0 when it
// could not be opened or lacks the magic: the table is then unchanged.
// A count the file's size cannot hold reads the records that are there
// (info->truncated); nothing is allocated beyond the file's size.
int loadCorrespondenceFile(CorrespondenceTable& table, const char* path,
                           CorrespondenceLoadInfo* info = nullptr);
// The first record, in file order within its bucket, whose corner positions
// equal desc's corners 0, 1, 2 (floating-point comparison); null when none.
const CorrespondenceRecord* findCorrespondence(const CorrespondenceTable& table,
                                               const PolygonDesc& desc);
// Brings towards the cache what findCorrespondence will first read for a
// polygon with these first three corners; answers nothing.
void prefetchCorrespondence(const CorrespondenceTable& table, const Vector3 corners[3]);
void clearCorrespondences(CorrespondenceTable& table);
