// The whole conversion on files built to hurt: none may crash, each must end in the
// message expected for it or a quiet stop within two seconds, and the whole run must stay under a
// memory bound.

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>

#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "app/conversion.h"
#include "hostile_files.h"
#include "recording_interface.h"
#include "support/document_bytes.h"
#include "text/text_extractor.h"
#include "settings_file.h"

namespace lumenquill {
namespace {

namespace fs = std::filesystem;

// Processor seconds one file may take, sanitizers included: a bound that a hang or a blow-up far
// exceeds. Processor time rather than wall time, so that other tests running beside this one
// count less; they still count some (the slowest file, many-fonts-many-pages, takes 1.7 seconds
// alone and 2.2 with both cores busy), hence the margin.
constexpr double kSecondsPerFile = 5.0;

// The peak resident memory of the whole run, in MiB. It includes the sanitizers' shadow memory
// and their quarantine of freed blocks (256 MiB), one inflated stream at its bound (64 MiB)
// with the content buffer that holds it, and the layout order's buffers for a page of a million
// glyphs (placed glyphs, units, lines and their sort keys, all under the sanitizers' redzones).
// The same build peaks anywhere from some 1,020 to 1,100 MiB from one run to the next, as the
// sanitizers' allocator reuses memory or not; the bound leaves room above that spread.
constexpr long kPeakMemoryMiB = 1152;

// Converts each file with the settings given; each must end in a failure message or a whole
// text file, as its outcome says, within kSecondsPerFile.
void ConvertEach(const std::vector<testing::HostileFile>& files, const std::string& settings_text) {
  testing::SettingsFile settings(settings_text);
  const fs::path folder = fs::path(settings.path()).parent_path();
  testing::RecordingInterface ui;
  Conversion conversion(ui);
  for (const testing::HostileFile& file : files) {
    SCOPED_TRACE(file.name);
    const fs::path pdf = folder / (file.name + ".pdf");
    const fs::path txt = folder / (file.name + ".txt");
    std::ofstream(pdf, std::ios::binary) << file.bytes;
    ui.events.clear();

    const std::clock_t start = std::clock();
    conversion.ConvertFile(pdf.string());
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_LT(seconds, kSecondsPerFile);

    const bool failed = std::any_of(
        ui.events.begin(), ui.events.end(),
        [](const std::string& event) { return event.starts_with("message Lumenquill error: "); });
    const bool converted = fs::exists(txt);
    EXPECT_NE(failed, converted);
    if (file.outcome == testing::Outcome::kFails) {
      EXPECT_TRUE(failed);
    } else if (file.outcome == testing::Outcome::kConverts) {
      EXPECT_TRUE(converted);
    }
    fs::remove(pdf);
    fs::remove(txt);
  }
}

// The most memory this process has held.
long PeakMemoryMiB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<long>(counters.PeakWorkingSetSize >> 20);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
#endif
}

TEST(HostileFiles, EndInTheirMessageOrAQuietStop) {
  const std::vector<testing::HostileFile> files = testing::HostileFiles();
  ASSERT_GT(files.size(), 1000u);
  ConvertEach(files, "[GroupBox3]\nCheckBox5=0\nCheckBox7=0\n");
  // The same damage to files of the newer formats, read with them on.
  ConvertEach(testing::NewerHostileFiles(),
              "[GroupBox3]\nCheckBox5=0\nCheckBox7=0\n[GroupBox4]\nCheckBox9=1\n");

  EXPECT_LT(PeakMemoryMiB(), kPeakMemoryMiB);
}

// The same files read in layout order, where every glyph is placed and arranged: each ends
// within the same time, and the whole run within the same memory.
TEST(HostileFiles, LayoutOrderStaysBounded) {
  ExtractionOptions options;
  options.layout_order = true;
  const bool cancel = false;
  for (const testing::HostileFile& file : testing::HostileFiles()) {
    SCOPED_TRACE(file.name);
    const std::clock_t start = std::clock();
    int64_t bytes = 0;
    try {
      const std::unique_ptr<Document> document = testing::OpenDocumentBytes(file.bytes);
      Extract(*document, options, [&bytes](std::string_view text) { bytes += text.size(); },
              cancel);
    } catch (const Error&) {
      // A damaged file ends in its message, as in the conversion.
    }
    EXPECT_LT(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, kSecondsPerFile);
  }
  EXPECT_LT(PeakMemoryMiB(), kPeakMemoryMiB);
}

}  // namespace
}  // namespace lumenquill
