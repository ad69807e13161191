// Every input the fuzzers keep (fuzz/corpus, the coverage found so far, and
// tests/data/fuzz, inputs that once crashed a reader) is read again here,
// on both builds: refused or read, never a crash or a hang. Each reader's
// kept corpus must hold inputs, so a corpus that goes missing is noticed.
// (The Maya ASCII reader's corpus is read again by the host's tests.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "IMGLib/HvImage.h"
#include "IO/CorrespondenceTable.h"
#include "IO/ModelFileReader.h"
#include "IO/TgaImageFormat.h"
#include "Support/FormatsFixture.h"
#include "Support/SampleFiles.h"
#include "Support/TempPath.h"

namespace {

namespace fs = std::filesystem;

enum class Kind { kModel, kCorrespondence, kImage };

struct Reader {
  const char* corpus;     // the fuzzer's folder name
  const char* extension;  // the file name the reader is given
  bool variantByte;       // the fuzzer's first byte chooses a variant
  Kind kind;
};

const Reader kReaders[] = {
    {"fuzz_3ds_reader", "3ds", false, Kind::kModel},
    {"fuzz_mdl_reader", "mdl", false, Kind::kModel},
    {"fuzz_lwo_reader", "lwo", false, Kind::kModel},
    {"fuzz_obv_reader", "obv", false, Kind::kModel},
    {"fuzz_obj_reader", "obj", true, Kind::kModel},
    {"fuzz_hv3_reader", "hv3", false, Kind::kModel},
    {"fuzz_cor_reader", "cor", false, Kind::kCorrespondence},
    {"fuzz_tga_reader", "tga", false, Kind::kImage},
};

void ReadOne(const Reader& reader, SampleFiles::Bytes bytes, const TempPath& path) {
  if (reader.variantByte && !bytes.empty()) bytes.erase(bytes.begin());
  if (reader.kind == Kind::kImage) {
    HvImage image;
    TgaImageFormat().Decode(bytes.data(), bytes.size(), image);
    return;
  }
  SampleFiles::Write(path.str(), bytes);
  if (reader.kind == Kind::kCorrespondence) {
    CorrespondenceTable table;
    loadCorrespondenceFile(table, path.c_str());
    return;
  }
  LoadedModel loaded;
  std::string message;
  ReadModelFile(path.c_str(), loaded, message, nullptr, true);
}

int ReadAll(const fs::path& folder, const Reader& reader) {
  std::error_code error;
  int read = 0;
  TempPath path(std::string("corpus.") + reader.extension);
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    SCOPED_TRACE(entry.path().string());
    ReadOne(reader, SampleFiles::Read(entry.path().string()), path);
    ++read;
  }
  return read;
}

class FuzzCorpus : public FormatsFixture {};

}  // namespace

TEST_F(FuzzCorpus, EveryKeptInputOfEveryReaderIsReadWithoutHarm) {
  for (const Reader& reader : kReaders) {
    SCOPED_TRACE(reader.corpus);
    const int kept = ReadAll(fs::path(OMBRIX_FUZZ_CORPUS) / reader.corpus, reader);
    EXPECT_GT(kept, 0) << "no kept inputs for " << reader.corpus;
    ReadAll(fs::path(OMBRIX_TEST_DATA) / "fuzz" / reader.corpus, reader);
  }
}
