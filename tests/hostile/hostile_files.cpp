#include "hostile_files.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "reader/flate_decode.h"
#include "support/deflate.h"
#include "support/pdf_builder.h"
#include "support/sfnt_builder.h"
#include "support/temp_file.h"

namespace lumenquill::testing {
namespace {

const char* const kFixtures[] = {
    "reportlab-latin",           "ghostscript-identity-h", "reportlab-forms",    "qpdf-nested-tree",
    "reportlab-winansi-ascii85", "incremental-update",     "reportlab-cid-cmaps"};

// Files read only with the newer formats on: object and cross-reference streams, RC4 and AES.
const char* const kNewerFixtures[] = {"object-streams/reportlab-latin", "encrypted/rc4-40",
                                      "encrypted/aes-128", "encrypted/aes-256-r6"};

// A zlib stream of count zero bytes, made in pieces so the input never exists whole.
std::string DeflatedZeros(int64_t count) {
  z_stream z{};
  deflateInit(&z, 9);
  const std::string zeros(1 << 20, '\0');
  std::string out;
  char buffer[1 << 16];
  for (int64_t left = count; left > 0 || z.avail_in > 0;) {
    if (z.avail_in == 0) {
      const int64_t piece = std::min<int64_t>(left, static_cast<int64_t>(zeros.size()));
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
      z.avail_in = static_cast<uInt>(piece);
      left -= piece;
    }
    do {
      z.next_out = reinterpret_cast<Bytef*>(buffer);
      z.avail_out = sizeof buffer;
      deflate(&z, left > 0 ? Z_NO_FLUSH : Z_FINISH);
      out.append(buffer, sizeof buffer - z.avail_out);
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
  return out;
}

template <size_t N>
void AddDamagedCopies(const char* const (&fixtures)[N], std::vector<HostileFile>& files) {
  const char kBytes[] = {'\0', '(', ')', '<', '>', '[', ']', '/', '%', '9', '\xFF', ' ', '\n'};
  uint32_t random = 12345;
  for (const std::string fixture : fixtures) {
    std::string name = fixture;
    std::replace(name.begin(), name.end(), '/', '-');
    const std::string pdf =
        ReadWholeFile(std::string(LUMENQUILL_TEST_DATA_DIR) + "/" + fixture + ".pdf");
    for (int cut = 1; cut <= 40; ++cut) {
      files.push_back({name + "-cut" + std::to_string(cut),
                       pdf.substr(0, pdf.size() * static_cast<size_t>(cut) / 41),
                       Outcome::kEither});
    }
    for (int change = 0; change < 120; ++change) {
      random = random * 1103515245 + 12345;
      std::string changed = pdf;
      changed[(random >> 8) % changed.size()] = kBytes[(random >> 4) % sizeof kBytes];
      files.push_back({name + "-byte" + std::to_string(change), changed, Outcome::kEither});
    }
  }
}

std::string Repeated(const std::string& text, int count) {
  std::string out;
  out.reserve(text.size() * static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) out += text;
  return out;
}

// Cross-reference tables whose counts, numbers and offsets are out of range, and sections
// whose /Prev entries form a loop.
void AddBrokenTables(std::vector<HostileFile>& files) {
  const std::string simple = PagesShowing({"BT /F1 12 Tf (text) Tj ET"}).Build();
  const auto replaced = [&simple](const std::string& from, const std::string& to) {
    std::string bytes = simple;
    return bytes.replace(bytes.find(from), from.size(), to);
  };
  files.push_back(
      {"xref-count-huge", replaced("xref\n0 6", "xref\n0 2000000000"), Outcome::kFails});
  files.push_back(
      {"xref-start-huge", replaced("xref\n0 6", "xref\n2147483000 6"), Outcome::kFails});

  PdfBuilder wild_offsets = PagesShowing({"BT /F1 1 Tf (x) Tj ET", ""});
  wild_offsets.WrongOffset(5, 9999999999).WrongOffset(6, 999999);
  files.push_back({"offsets-out-of-range", wild_offsets.Build(), Outcome::kEither});

  PdfBuilder prev_cycle;
  prev_cycle.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>")
      .Trailer("/Root 1 0 R /Prev 00000000")
      .NewSection()
      .Object(3, "<< >>")
      .Trailer("");
  std::string prev = prev_cycle.Build();
  char newest[16];
  std::snprintf(newest, sizeof newest, "%08lld",
                static_cast<long long>(prev_cycle.SectionOffsets()[1]));
  prev.replace(prev.find("/Prev 00000000") + 6, 8, newest);
  files.push_back({"prev-cycle", prev, Outcome::kConverts});
}

// Stream lengths that do not fit the data, direct or by reference. A stream said to run past
// the end of the file fails the document; the others read as empty.
void AddWrongLengths(std::vector<HostileFile>& files) {
  for (const char* length : {"2000000000", "-100", "-2147483648", "7 0 R"}) {
    PdfBuilder pdf = PagesShowing({""});
    pdf.Replace(5, std::string("<< /Length ") + length +
                       " >>\nstream\nBT /F1 1 Tf (len) Tj ET\nendstream")
        .Object(7, "-9");
    files.push_back({std::string("length-") + length, pdf.Build(),
                     std::string(length) == "2000000000" ? Outcome::kFails : Outcome::kConverts});
  }
}

// Page trees that loop or run deep.
void AddHostilePageTrees(std::vector<HostileFile>& files) {
  files.push_back({"kids-cycle",
                   TreeDocument("<< /Type /Pages /Kids [3 0 R 2 0 R] /Count 1 >>",
                                {{3, "<< /Type /Page /Parent 2 0 R /Kids [2 0 R] >>"}}),
                   Outcome::kConverts});
  files.push_back({"parent-cycle",
                   TreeDocument("<< /Type /Pages /Kids [3 0 R] /Parent 3 0 R >>",
                                {{3, "<< /Type /Page /Parent 2 0 R >>"}}),
                   Outcome::kConverts});

  // A page tree 100,000 levels deep, the page at the bottom inheriting its resources from
  // the top.
  constexpr int kDepth = 100'000;
  std::vector<std::pair<int32_t, std::string>> deep{
      {3, kHelvetica}, {4, StreamBody("", "BT /F1 1 Tf (deep) Tj ET")}};
  for (int n = 10; n < 10 + kDepth; ++n) {
    deep.emplace_back(n, "<< /Kids [" + std::to_string(n + 1) + " 0 R] /Parent " +
                             std::to_string(n == 10 ? 2 : n - 1) + " 0 R >>");
  }
  deep.emplace_back(10 + kDepth, "<< /Type /Page /Parent " + std::to_string(9 + kDepth) +
                                     " 0 R /Contents 4 0 R >>");
  files.push_back(
      {"deep-tree",
       TreeDocument("<< /Type /Pages /Kids [10 0 R] /Resources << /Font << /F1 3 0 R >> >> >>",
                    deep),
       Outcome::kConverts});
}

// Forms that draw themselves or one another, and forms that inflate to the bound of a stream.
void AddFormLoopsAndBombs(std::vector<HostileFile>& files) {
  files.push_back(
      {"forms-reaching-themselves",
       PagesShowing({"/A Do BT /F1 1 Tf (page) Tj ET"},
                    "/Font << /F1 3 0 R >> /XObject << /A 6 0 R >>")
           .Object(6,
                   "<< /Subtype /Form /Resources << /Font << /F1 3 0 R >> /XObject << /A 6 0 R "
                   "/B 7 0 R >> >> /Length 24 >>\nstream\n/A Do /B Do BT (a) Tj ET\nendstream")
           .Object(7,
                   "<< /Subtype /Form /Resources << /XObject << /A 6 0 R >> /Font << /F1 3 0 R "
                   ">> >> /Length 5 >>\nstream\n/A Do\nendstream")
           .Build(),
       Outcome::kConverts});

  // One form that inflates to the bound of a stream, drawn ten thousand times on one page:
  // under ten thousand names of the page's resources, and along every path through forms
  // that each name the next form twice.
  const std::string bomb_form =
      StreamBody("/Subtype /Form /Resources << /Font << /F1 3 0 R >> >> /Filter /FlateDecode",
                 DeflatedZeros(kMaxInflatedSize));
  std::string names;
  for (int i = 0; i < 10'000; ++i) names += "/X" + std::to_string(i) + " 6 0 R ";
  files.push_back({"form-bomb-under-many-names",
                   PagesShowing({"/X0 Do BT /F1 1 Tf (page) Tj ET"},
                                "/Font << /F1 3 0 R >> /XObject << " + names + ">>")
                       .Object(6, bomb_form)
                       .Build(),
                   Outcome::kConverts});

  constexpr int kDoublingForms = 14;  // 2^14 paths, past the walk's bound on forms
  PdfBuilder doubling = PagesShowing({"/A Do BT /F1 1 Tf (page) Tj ET"},
                                     "/Font << /F1 3 0 R >> /XObject << /A 10 0 R >>");
  doubling.Object(6, bomb_form);
  for (int n = 10; n < 10 + kDoublingForms; ++n) {
    const std::string next = n + 1 < 10 + kDoublingForms ? std::to_string(n + 1) : "6";
    doubling.Stream(n,
                    "/Subtype /Form /Resources << /Font << /F1 3 0 R >> /XObject << /A " + next +
                        " 0 R /B " + next + " 0 R >> >>",
                    "/A Do /B Do");
  }
  files.push_back({"form-bomb-along-doubling-paths", doubling.Build(), Outcome::kConverts});
}

// Four gigabytes of zeros in four megabytes of zlib data, then a stream with text.
void AddInflateBomb(std::vector<HostileFile>& files) {
  PdfBuilder bomb = PagesShowing({""});
  bomb.Replace(4,
               "<< /Type /Page /Parent 2 0 R /Contents [5 0 R 6 0 R] /Resources << /Font << /F1 "
               "3 0 R >> >> >>")
      .Replace(5, StreamBody("/Filter /FlateDecode", DeflatedZeros(int64_t{1} << 32)))
      .Stream(6, "/Filter /FlateDecode", Deflated("BT /F1 1 Tf (after the bomb) Tj ET"));
  files.push_back({"inflate-bomb", bomb.Build(), Outcome::kConverts});
}

// Content streams out of all proportion: nesting, graphics states, tokens, font selections.
void AddHugeContent(std::vector<HostileFile>& files) {
  const std::pair<const char*, std::string> contents[] = {
      {"nested-arrays-in-content", "BT /F1 1 Tf " + Repeated("[", 1'000'000) + " (x) Tj ET"},
      {"deep-q", Repeated("q /F1 1 Tf ", 1'000'000) + "BT (x) Tj ET" + Repeated("Q ", 1'000'000)},
      {"nested-dictionary-operands",
       "BT /F1 1 Tf /P " + Repeated("<< /A ", 1'000'000) + " BDC (x) Tj ET"},
      {"inline-image-huge",
       "BI /W 2147483647 /H 2147483647 /BPC 8 /CS /CMYK ID abc EI BT /F1 1 Tf (x) Tj ET"},
      {"long-name", "BT /F1 1 Tf /" + std::string(10'000'000, 'N') + " (x) Tj ET"},
      {"unclosed-string", "BT /F1 1 Tf (" + std::string(5'000'000, 'x')},
      {"many-tf", Repeated("BT /F1 1 Tf /F9 1 Tf (a) Tj ET ", 200'000)}};
  for (const auto& [name, content] : contents) {
    files.push_back({name, PagesShowing({content}).Build(), Outcome::kConverts});
  }
}

// Pages whose glyphs are out of all proportion where they stand: millions of them, matrices
// that overflow or vanish, a form of ten thousand glyphs drawn a hundred thousand times.
void AddHugePlacements(std::vector<HostileFile>& files) {
  const std::string huge = "1" + std::string(30, '0');
  const std::string matrices =
      Repeated(huge + " 0 0 " + huge + " 0 0 cm BT /F1 1 Tf " + huge + " Tz (x) Tj ET ", 1000) +
      "0 0 0 0 0 0 cm BT /F1 0 Tf 0 Tz 0 0 0 0 0 0 Tm (y) Tj ET";
  const std::pair<const char*, std::string> contents[] = {
      {"glyphs-by-the-million", "BT /F1 1 Tf (" + std::string(4'000'000, 'A') + ") Tj ET"},
      {"scales-overflowing-and-vanishing", matrices},
      {"moves-by-the-million", "BT /F1 1 Tf " + Repeated("[(A) -99999999] TJ 0 1 Td ", 500'000) +
                                   "ET"}};
  for (const auto& [name, content] : contents) {
    PdfBuilder pdf = PagesShowing({""});
    pdf.Replace(5, StreamBody("/Filter /FlateDecode", Deflated(content)));
    files.push_back({name, pdf.Build(), Outcome::kConverts});
  }
  const std::string form = "BT /F1 1 Tf (" + std::string(10'000, 'A') + ") Tj ET";
  files.push_back({"form-of-many-glyphs-drawn-many-times",
                   PagesShowing({Repeated("/A Do ", 100'000)},
                                "/Font << /F1 3 0 R >> /XObject << /A 6 0 R >>")
                       .Stream(6, "/Subtype /Form /Matrix [2 0 0 2 0 0]", form)
                       .Build(),
                   Outcome::kConverts});
}

// Values nested deep in dictionaries, resources and the page tree, and references that loop.
void AddDeepObjects(std::vector<HostileFile>& files) {
  files.push_back({"nested-dictionaries",
                   PagesShowing({"BT /F1 1 Tf (x) Tj ET"}, "/Font << /F1 3 0 R >>",
                                "/Nested " + Repeated("<< /A ", 200'000) + Repeated(">> ", 200'000))
                       .Build(),
                   Outcome::kConverts});
  files.push_back(
      {"reference-loops",
       PagesShowing({"BT /F1 1 Tf (x) Tj ET"},
                    "/Font << /F1 8 0 R >> /XObject 6 0 R /ExtGState 6 0 R")
           .Object(6, "7 0 R")
           .Object(7, "6 0 R")
           .Object(8,
                   "<< /Type /Font /Subtype 6 0 R /BaseFont 6 0 R /Encoding 6 0 R /ToUnicode 6 0 "
                   "R /DescendantFonts 6 0 R /FontDescriptor 6 0 R >>")
           .Build(),
       Outcome::kConverts});
  files.push_back(
      {"nested-values-in-resources",
       PagesShowing({"BT /F1 1 Tf (x) Tj ET"}, "/ExtGState << /a " + Repeated("<< /A ", 200'000) +
                                                   Repeated(">> ", 200'000) +
                                                   " >> /Font << /F1 << /Type /Font /Widths " +
                                                   Repeated("[", 500'000) + " >> >>")
           .Build(),
       Outcome::kConverts});
  files.push_back({"nested-kids", TreeDocument("<< /Kids " + Repeated("[", 500'000) + " >>", {}),
                   Outcome::kConverts});
}

// Font maps of sizes out of all proportion.
void AddHugeFontMaps(std::vector<HostileFile>& files) {
  const std::string everything = Repeated("<0000> <FFFF> <0041>\n", 200'000);
  files.push_back(
      {"cmap-ranges-everywhere",
       PagesShowing({"BT /T 1 Tf <00410042> Tj ET"}, "/Font << /T 6 0 R >>")
           .Object(6, "<< /Type /Font /Subtype /Type0 /Encoding /Identity-H /ToUnicode 7 0 R >>")
           .Object(7, "<< /Length " + std::to_string(everything.size() + 40) +
                          " >>\nstream\nbegincmap beginbfrange\n" + everything +
                          "endbfrange endcmap\nendstream")
           .Build(),
       Outcome::kConverts});

  // Two hundred CIDFontType2 fonts of the Identity collection, each with its own TrueType
  // program whose cmap maps every character in groups of sixteen, and its own /CIDToGIDMap of
  // twice the glyphs a map can give.
  std::string groups;
  for (uint32_t start = 0; start < 0x110000; start += 16) {
    groups += U32(start) + U32(start + 15) + U32(start % 0x10000);
  }
  const std::string program =
      Deflated(SfntWithCmap(CmapTable({{3, 10, Format12Subtable({}, 0x11000) + groups}})));
  const std::string map = DeflatedZeros(256 << 10);
  std::string entries;
  std::string content = "BT ";
  for (int32_t f = 0; f < 200; ++f) {
    entries += "/C" + std::to_string(f) + " " + std::to_string(100 + 4 * f) + " 0 R ";
    content += "/C" + std::to_string(f) + " 1 Tf <00410042FFFF> Tj ";
  }
  PdfBuilder cid_fonts = PagesShowing({content + "ET"}, "/Font << " + entries + ">>");
  for (int32_t f = 0; f < 200; ++f) {
    const int32_t n = 100 + 4 * f;
    cid_fonts
        .Object(n,
                "<< /Type /Font /Subtype /Type0 /Encoding /Identity-H /DescendantFonts [<< "
                "/Subtype /CIDFontType2 /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) "
                ">> /FontDescriptor << /FontFile2 " +
                    std::to_string(n + 1) + " 0 R >> /CIDToGIDMap " + std::to_string(n + 2) +
                    " 0 R >>] >>")
        .Stream(n + 1, "/Filter /FlateDecode", program)
        .Stream(n + 2, "/Filter /FlateDecode", map);
  }
  files.push_back({"truetype-cmaps-everywhere", cid_fonts.Build(), Outcome::kConverts});
}

// Fonts shared in numbers out of all proportion.
void AddFontStorms(std::vector<HostileFile>& files) {
  // A thousand fonts sharing one /ToUnicode map, on two hundred pages that share the font
  // dictionary, each page selecting fonts five thousand times.
  std::string font_entries;
  for (int f = 0; f < 1000; ++f) font_entries += "/T" + std::to_string(f) + " 8 0 R ";
  std::string storm;
  for (int i = 0; i < 5'000; ++i) storm += "/T" + std::to_string(i * 7 % 1000) + " 1 Tf <0001> Tj ";
  std::vector<std::pair<int32_t, std::string>> objects{
      {6, "<< " + font_entries + ">>"},
      {8, "<< /Type /Font /Subtype /Type0 /Encoding /Identity-H /ToUnicode 9 0 R >>"},
      {9, StreamBody("", "begincmap 1 beginbfchar <0001> <3042> endbfchar endcmap")},
      {10, StreamBody("/Filter /FlateDecode", Deflated("BT " + storm + "ET"))}};
  std::string kids;
  for (int p = 0; p < 200; ++p) {
    kids += std::to_string(100 + p) + " 0 R ";
    objects.emplace_back(100 + p, "<< /Type /Page /Parent 2 0 R /Contents 10 0 R >>");
  }
  files.push_back(
      {"many-fonts-many-pages",
       TreeDocument("<< /Type /Pages /Kids [" + kids + "] /Resources << /Font 6 0 R >> >>",
                    objects),
       Outcome::kConverts});
}

}  // namespace

std::vector<HostileFile> HostileFiles() {
  std::vector<HostileFile> files;
  AddDamagedCopies(kFixtures, files);
  AddBrokenTables(files);
  AddWrongLengths(files);
  AddHostilePageTrees(files);
  AddFormLoopsAndBombs(files);
  AddInflateBomb(files);
  AddHugeContent(files);
  AddHugePlacements(files);
  AddDeepObjects(files);
  AddHugeFontMaps(files);
  AddFontStorms(files);
  return files;
}

std::vector<HostileFile> NewerHostileFiles() {
  std::vector<HostileFile> files;
  AddDamagedCopies(kNewerFixtures, files);
  return files;
}

}  // namespace lumenquill::testing
