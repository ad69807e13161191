#pragma once
// Format objects: one per file format, each knowing its name and able to
// identify, load or save on a byte stream attached to it for one use.
#include <cstdint>

#include "HvCore/HvIO.h"
#include "IO/ReadFailure.h"

class HvModel;
class ProgressSink;
class Scene;

// What both kinds of format object share.
class FormatObject {
 public:
  virtual ~FormatObject() = default;
  // Stores the stream (not owned) and where the format's data begins.
  int Attach(HvIO* stream, int64_t offset) {
    stream_ = stream;
    start_ = offset;
    return 1;
  }
  const char* Name() const { return name_; }
  // Where and why the last load or save failed (no reason after a sound one).
  const ReadFailure& LastFailure() const { return failure_; }
  const char* LastError() const { return failure_.reason.c_str(); }

 protected:
  explicit FormatObject(const char* name) : name_(name) {}
  HvIO* Stream() const { return stream_; }
  int64_t Start() const { return start_; }
  void ClearFailure() { failure_ = ReadFailure(); }
  void SetFailure(const ReadFailure& failure) { failure_ = failure; }
  // A failure without a place; answers 0 for the load to return.
  int Refuse(const char* reason) {
    failure_ = ReadFailure();
    failure_.reason = reason;
    return 0;
  }

 private:
  const char* name_;
  ReadFailure failure_;
  HvIO* stream_ = nullptr;
  int64_t start_ = 0;
};

// A model format: saves a model, and may read one back.
class ModelFormat : public FormatObject {
 public:
  // 1 when the data at the start offset is of this format.
  virtual int Identify() { return 0; }
  // Reads the attached stream into `model`; 1 on success.
  virtual int Load(HvModel* model, const char* options, ProgressSink* progress, void* reserved) {
    (void)model, (void)options, (void)progress, (void)reserved;
    return 0;
  }
  virtual int Save(HvModel* model, const char* options, ProgressSink* progress, void* reserved) {
    (void)model, (void)options, (void)progress, (void)reserved;
    return 0;
  }
  // Attaches `stream`, saves through Save() and closes the stream; 1 when
  // both succeed. A failure leaves why in LastFailure(): the reason Save()
  // gave, else the system's text for the stream's last failed operation
  // (no reason when there was none).
  int SaveTo(HvIO& stream, HvModel* model, const char* options, ProgressSink* progress, void* reserved);

 protected:
  explicit ModelFormat(const char* name = "Unknown") : FormatObject(name) {}
};

// A scene reader: reads foreign model files into scene nodes.
class SceneReader : public FormatObject {
 public:
  virtual int Identify() { return 0; }
  virtual int Query(void* argument) {
    (void)argument;
    return 0;
  }
  virtual int Load(Scene* scene, const char* options, ProgressSink* progress) {
    (void)scene, (void)options, (void)progress;
    return 0;
  }
  virtual int Save(Scene* scene, uint32_t word, ProgressSink* progress) {
    (void)scene, (void)word, (void)progress;
    return 0;
  }

 protected:
  explicit SceneReader(const char* name = "Unknown") : FormatObject(name) {}
};
