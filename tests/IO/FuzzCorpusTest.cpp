// Every input the fuzzers keep (fuzz/corpus, the coverage found so far, and
// tests/data/fuzz, inputs that once crashed a reader) is read again here,
// on both builds: refused or read, never a crash or a hang.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "IO/CorrespondenceTable.h"
#include "IO/ModelFileReader.h"
#include "Support/FormatsFixture.h"
#include "Support/SampleFiles.h"
#include "Support/TempPath.h"

namespace {

namespace fs = std::filesystem;

struct Reader {
  const char* corpus;     // the fuzzer's folder name
  const char* extension;  // the file name the reader is given
  bool variantByte;       // the fuzzer's first byte chooses a variant
};

const Reader kReaders[] = {
    {"fuzz_3ds_reader", "3ds", false}, {"fuzz_mdl_reader", "mdl", false},
    {"fuzz_lwo_reader", "lwo", false}, {"fuzz_obv_reader", "obv", false},
    {"fuzz_obj_reader", "obj", true},  {"fuzz_hv3_reader", "hv3", false},
    {"fuzz_cor_reader", "cor", false},
};

int ReadAll(const fs::path& folder, const Reader& reader) {
  std::error_code error;
  int read = 0;
  TempPath path(std::string("corpus.") + reader.extension);
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    SampleFiles::Bytes bytes = SampleFiles::Read(entry.path().string());
    if (reader.variantByte && !bytes.empty()) bytes.erase(bytes.begin());
    SampleFiles::Write(path.str(), bytes);
    SCOPED_TRACE(entry.path().string());
    if (std::string(reader.extension) == "cor") {
      CorrespondenceTable table;
      loadCorrespondenceFile(table, path.c_str());
    } else {
      LoadedModel loaded;
      std::string message;
      ReadModelFile(path.c_str(), loaded, message, nullptr, true);
    }
    ++read;
  }
  return read;
}

class FuzzCorpus : public FormatsFixture {};

}  // namespace

TEST_F(FuzzCorpus, EveryKeptInputIsReadWithoutHarm) {
  int read = 0;
  for (const Reader& reader : kReaders) {
    read += ReadAll(fs::path(OMBRIX_FUZZ_CORPUS) / reader.corpus, reader);
    read += ReadAll(fs::path(OMBRIX_TEST_DATA) / "fuzz" / reader.corpus, reader);
  }
  EXPECT_GT(read, 0);
}
