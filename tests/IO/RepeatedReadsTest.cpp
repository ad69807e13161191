// Reading the same file again and again in one process (a long Maya
// session, a batch converter) keeps memory flat, in every format.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "IMGLib/ImageHandles.h"
#include "IO/Hv3Format.h"
#include "IO/ModelFileReader.h"
#include "IO/SceneLWO.h"
#include "Support/FormatsFixture.h"
#include "Support/HeapInUse.h"
#include "Support/SampleFiles.h"
#include "Support/TempPath.h"

namespace {

constexpr int kReads = 1000;

class RepeatedReads : public FormatsFixture {
 protected:
  // Reads the file kReads times and answers the heap's growth in bytes
  // after a few warm-up reads.
  static int64_t Growth(const std::string& path) {
    auto readOnce = [&] {
      LoadedModel loaded;
      std::string error;
      EXPECT_TRUE(ReadModelFile(path.c_str(), loaded, error)) << error;
    };
    for (int i = 0; i < 5; ++i) readOnce();
    const size_t holders = ImageHolderCount();
    const uint64_t before = HeapInUse();
    for (int i = 0; i < kReads; ++i) readOnce();
    EXPECT_EQ(ImageHolderCount(), holders) << path;
    const int64_t growth = static_cast<int64_t>(HeapInUse()) - static_cast<int64_t>(before);
    std::printf("%s: %d reads, heap in use %llu bytes, then %+lld\n", path.c_str(), kReads,
                static_cast<unsigned long long>(before), static_cast<long long>(growth));
    return growth;
  }
};

// A thousand reads may leave a few allocator crumbs, never a read's worth each.
constexpr int64_t kFlat = 16 * 1024;

}  // namespace

TEST_F(RepeatedReads, MdlSkinsAreFreedWithTheirModel) {
  TempPath path("again.mdl");
  SampleFiles::Write(path.str(), SampleFiles::FileMdl());
  EXPECT_LT(Growth(path.str()), kFlat);
}

TEST_F(RepeatedReads, EveryOtherFormatStaysFlat) {
  TempPath obv("again.obv"), obj("again.obj"), hv3("again.hv3"), lwo("again.lwo"), tds("again.3ds");
  SampleFiles::SaveProject(obv.str(), 20);
  const std::string text = SampleFiles::ObjText(20);
  SampleFiles::Write(obj.str(), SampleFiles::Bytes(text.begin(), text.end()));
  SampleFiles::SaveScene<Hv3Format>(hv3.str(), 20);
  SampleFiles::SaveScene<SceneLWO>(lwo.str(), 20);
  SampleFiles::Write(tds.str(), SampleFiles::File3ds({SampleFiles::Object3ds("box")}));
  for (const TempPath* path : {&obv, &obj, &hv3, &lwo, &tds}) {
    SCOPED_TRACE(path->str());
    EXPECT_LT(Growth(path->str()), kFlat);
  }
}
