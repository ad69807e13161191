#pragma once
// The object a shader image value refers to: an image it does not own and a
// name (readers of embedded skins name theirs "Internal").
#include <memory>

#include "HvCore/HvObject.h"
#include "HvTL/ByteString.h"
#include "IMGLib/HvImage.h"

class ImageHolder : public HvObject {
 public:
  void SetImage(HvImage* image) {
    image_ = image;
    flag_ = 1;
  }
  // Keeps an image the holder owns (decoded skins) and points at it.
  void AdoptImage(std::unique_ptr<HvImage> image) {
    owned_ = std::move(image);
    SetImage(owned_.get());
  }
  void SetName(const char* name) { name_.AssignFromText(name); }

  HvImage* Image() const { return image_; }
  int Flag() const { return flag_; }
  const char* Name() const { return name_.Text(); }

 private:
  HvImage* image_ = nullptr;
  int flag_ = 1;
  ByteString name_;
  std::unique_ptr<HvImage> owned_;
};
