#include "reader/stream_filters.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "reader/flate_decode.h"
#include "reader/reading_primitives.h"
#include "support/deflate.h"
#include "support/lzw_codes.h"
#include "support/png_rows.h"

namespace lumenquill {
namespace {

using testing::Deflated;
using testing::LZWLiterals;
using testing::PngUpRows;

struct Decoded {
  std::string output;
  int64_t end_position;  // where the source was left
};

// Decodes the stream of "stream<eol><data><after>", as a caller does after reading "stream".
Decoded DecodeChain(const std::string& data, int32_t length, const FilterChain& filters,
                    const std::string& eol = "\n",
                    const std::string& after = "\nendstream\nendobj\n") {
  MemoryStream source("stream" + eol + data + after);
  std::string token;
  ReadToken(source, token);
  MemoryStream dest;
  DecodeStream(source, dest, length, filters);
  return {std::string(dest.Bytes()), source.Position()};
}

std::string DecodeChain(const std::string& data, const FilterChain& filters) {
  return DecodeChain(data, static_cast<int32_t>(data.size()), filters).output;
}

// The filters named, with the default parameters.
Decoded Decode(const std::string& data, int32_t length, const StringList& filters,
               const std::string& eol = "\n", const std::string& after = "\nendstream\nendobj\n") {
  return DecodeChain(data, length, FilterChain(filters), eol, after);
}

Decoded Decode(const std::string& data, const StringList& filters) {
  return Decode(data, static_cast<int32_t>(data.size()), filters);
}

FilterChain Chain(const StringList& names, const std::vector<FilterParameters>& parameters) {
  FilterChain chain(names);
  chain.parameters = parameters;
  return chain;
}

TEST(DecodeStream, LengthZeroReadsNothing) {
  const Decoded result = Decode("abc", 0, {});
  EXPECT_EQ(result.output, "");
  EXPECT_EQ(result.end_position, 6);  // still on the end of line after the keyword
}

TEST(DecodeStream, UnfilteredDataIsCopied) {
  const Decoded crlf = Decode("0123456789", 10, {}, "\r\n", "\r\nendstream\nendobj\n");
  EXPECT_EQ(crlf.output, "0123456789");
  EXPECT_EQ(crlf.end_position, 18);
  EXPECT_EQ(Decode("0123456789", 10, {}, "\r").output, "0123456789");
  // A length past the end gives what there is.
  EXPECT_EQ(Decode("abc", 100, {}, "\n", "").output, "abc");
}

TEST(DecodeStream, UnsupportedFiltersDecodeNothing) {
  const std::string deflated = Deflated("text");
  EXPECT_EQ(Decode(deflated, {"/Fl"}).output, "");
  EXPECT_EQ(Decode(deflated, {"/FlateDecode", "/DCTDecode"}).output, "");
  EXPECT_EQ(Decode("41", {"/ASCIIHexDecode", "/ASCIIHexDecode", "/ASCIIHexDecode",
                          "/ASCIIHexDecode", "/ASCIIHexDecode"})
                .output,
            "");  // five filters are too many
  EXPECT_FALSE(FiltersSupported(FilterChain({"/FlateDecode", "/JBIG2Decode"})));
  EXPECT_TRUE(FiltersSupported(
      FilterChain({"/LZWDecode", "/RunLengthDecode", "/ASCII85Decode", "/FlateDecode"})));
  EXPECT_TRUE(FiltersSupported(FilterChain()));
  // Every filter needs its parameters.
  EXPECT_FALSE(FiltersSupported(Chain({"/FlateDecode", "/LZWDecode"}, {{}})));
  EXPECT_EQ(DecodeChain(deflated, Chain({"/FlateDecode"}, {})), "");
}

// /Length may or may not count the end of line before "endstream".
TEST(DecodeStream, FlateWithOrWithoutTheEndOfLineCounted) {
  const std::string deflated = Deflated("BT (Hello) Tj ET");
  const auto size = static_cast<int32_t>(deflated.size());
  EXPECT_EQ(Decode(deflated, size, {"/FlateDecode"}).output, "BT (Hello) Tj ET");
  EXPECT_EQ(Decode(deflated + "\n", size + 1, {"/FlateDecode"}, "\n", "endstream\n").output,
            "BT (Hello) Tj ET");
  EXPECT_EQ(Decode(deflated + "\r\n", size + 2, {"/FlateDecode"}, "\n", "endstream\n").output,
            "BT (Hello) Tj ET");
}

TEST(DecodeStream, DataNotFollowedByEndstreamIsNotDecoded) {
  const std::string deflated = Deflated("text");
  const auto size = static_cast<int32_t>(deflated.size());
  EXPECT_EQ(Decode(deflated, size - 1, {"/FlateDecode"}).output, "");
  EXPECT_THROW(Decode(deflated, size + 100, {"/FlateDecode"}, "\n", "\nendstream"), ReadError);
}

std::string Hex(const std::string& data) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (const unsigned char c : data) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex + ">";
}

// ASCII85 of the data, groups of four, with a final partial group.
std::string Base85Encoded(const std::string& data) {
  std::string base85;
  for (size_t i = 0; i < data.size(); i += 4) {
    uint32_t value = 0;
    const size_t count = std::min<size_t>(4, data.size() - i);
    for (size_t j = 0; j < 4; ++j) {
      value = value << 8 | (j < count ? static_cast<unsigned char>(data[i + j]) : 0);
    }
    char group[5];
    for (int k = 4; k >= 0; --k) {
      group[k] = static_cast<char>('!' + value % 85);
      value /= 85;
    }
    base85.append(group, count + 1);
  }
  return base85 + "~>";
}

TEST(DecodeStream, TwoFilterChains) {
  const std::string deflated = Deflated("chained");
  EXPECT_EQ(Decode(Hex(deflated), {"/ASCIIHexDecode", "/FlateDecode"}).output, "chained");
  EXPECT_EQ(Decode(Base85Encoded(deflated), {"/ASCII85Decode", "/FlateDecode"}).output, "chained");
  const std::string lzw = LZWLiterals("BT (lzw) Tj ET");
  EXPECT_EQ(Decode(Base85Encoded(lzw), {"/ASCII85Decode", "/LZWDecode"}).output, "BT (lzw) Tj ET");
  EXPECT_EQ(Decode(Hex(lzw), {"/ASCIIHexDecode", "/LZWDecode"}).output, "BT (lzw) Tj ET");
  EXPECT_EQ(Decode(lzw, {"/LZWDecode"}).output, "BT (lzw) Tj ET");
  EXPECT_EQ(Decode("\x02run\x80", {"/RunLengthDecode"}).output, "run");
}

// Filters apply in the order listed, each to the output of the one before.
TEST(DecodeStream, LongerChainsApplyInOrder) {
  const std::string text = "BT (four filters) Tj ET";
  const std::string run_length = "\x16" + text + "\x80";
  EXPECT_EQ(Decode(Hex(Base85Encoded(Deflated(run_length))),
                   {"/ASCIIHexDecode", "/ASCII85Decode", "/FlateDecode", "/RunLengthDecode"})
                .output,
            text);
  EXPECT_EQ(Decode(Deflated(Deflated("twice")), {"/FlateDecode", "/FlateDecode"}).output, "twice");
  // A failure before the last filter leaves nothing.
  EXPECT_EQ(Decode(Hex("not zlib"), {"/ASCIIHexDecode", "/FlateDecode", "/RunLengthDecode"}).output,
            "");
}

TEST(DecodeStream, PredictorsAreUndoneAfterFlateAndLZW) {
  const std::string text = "BT (rows of six bytes) Tj ET";
  const std::string rows = PngUpRows(text, 6);
  const FilterParameters png{.predictor = 12, .columns = 6};
  EXPECT_EQ(DecodeChain(Deflated(rows), Chain({"/FlateDecode"}, {png})), text);
  EXPECT_EQ(Decode(Deflated(rows), {"/FlateDecode"}).output, rows);  // no parameters, no undoing
  // Only Flate and LZW take a predictor; the parameters of the others are not used.
  EXPECT_EQ(
      DecodeChain(Hex(Deflated(rows)), Chain({"/ASCIIHexDecode", "/FlateDecode"}, {png, png})),
      text);
  EXPECT_EQ(DecodeChain(Hex(rows), Chain({"/ASCIIHexDecode"}, {png})), rows);
  // TIFF differencing of two colours after LZW with /EarlyChange 0 (the literal codes stay at
  // nine bits either way).
  const FilterParameters tiff{.predictor = 2, .colors = 2, .columns = 3, .early_change = 0};
  EXPECT_EQ(DecodeChain(LZWLiterals(std::string("AB\x01\x01\x01\x01"
                                                "CD\x01\x01",
                                                10)),
                        Chain({"/LZWDecode"}, {tiff})),
            "ABBCCDCDDE");
}

// A predictor that fails counts as a decoding failure: what came before it stays.
TEST(DecodeStream, PredictorFailuresKeepTheRowsBefore) {
  std::string rows = PngUpRows("abcdefgh", 4);
  rows[5] = '\x07';  // no such row type
  const FilterParameters png{.predictor = 12, .columns = 4};
  EXPECT_EQ(DecodeChain(Deflated(rows), Chain({"/FlateDecode"}, {png})), "abcd");
  const FilterParameters no_columns{.predictor = 12, .columns = 0};
  EXPECT_EQ(DecodeChain(Deflated(rows), Chain({"/FlateDecode"}, {no_columns})), "");
  // Before the last filter, a failure leaves nothing (the hexadecimal digits "abcd" pass).
  EXPECT_EQ(DecodeChain(Deflated(rows), Chain({"/FlateDecode", "/ASCIIHexDecode"}, {png, {}})), "");

  // A truncated Flate stream gives the rows inflated before the cut.
  std::string text;
  for (int i = 0; i < 20000; ++i) text += std::to_string(i * 7919 % 10007) + " ";
  const std::string deflated = Deflated(PngUpRows(text, 50));
  const std::string truncated =
      DecodeChain(deflated.substr(0, deflated.size() / 2),
                  Chain({"/FlateDecode"}, {{.predictor = 12, .columns = 50}}));
  EXPECT_GT(truncated.size(), text.size() / 4);
  EXPECT_EQ(text.compare(0, truncated.size(), truncated), 0);
}

TEST(ASCIIHexDecode, DigitPairs) {
  const auto hex = [](const std::string& data) {
    return DecodeChain(data, Chain({"/ASCIIHexDecode"}, {{}}));
  };
  EXPECT_EQ(hex("48656C6C6F>"), "Hello");
  EXPECT_EQ(hex("48656c6c6"), "Hell");  // the unpaired last digit is dropped
  EXPECT_EQ(hex("48 6\n5 6C"), "Hel");   // white space may split a byte
  EXPECT_EQ(hex("48>49"), "HI");        // ">" does not end the data
  EXPECT_EQ(hex(" 48\n49 "), "HI");
  EXPECT_EQ(hex(std::string("48\0"
                            "49",
                            5)),
            "H");               // NUL ends it
}

std::string Base85(const std::string& data) {
  MemoryStream dest;
  DecodeASCII85(data, dest);
  return std::string(dest.Bytes());
}

TEST(ASCII85Decode, Groups) {
  EXPECT_EQ(Base85("9jqo^"), "Man ");
  EXPECT_EQ(Base85("9jqo~>"), "Man");
  EXPECT_EQ(Base85("9jn~>"), "Ma");
  EXPECT_EQ(Base85("9~>"), "");
  EXPECT_EQ(Base85("z"), std::string(4, '\0'));
  EXPECT_EQ(Base85("9j qo\n^z~>"), std::string("Man ") + std::string(4, '\0'));
  EXPECT_EQ(Base85("9jqo^9j"), "Man ");  // no end marker: the partial group is dropped
  EXPECT_EQ(Base85("z9jqo^z"), std::string(4, '\0') + "Man " + std::string(4, '\0'));
  EXPECT_EQ(Base85("9jqo^~>9jqo^"), "Man ");  // nothing after the end marker counts
  EXPECT_EQ(Base85(""), "");
  // Groups cut by line breaks, and bytes outside the digits anywhere, are skipped over.
  EXPECT_EQ(Base85("9jqo^9j\nqo^9jq\r\no^"), "Man Man Man ");
  EXPECT_EQ(Base85("9j\x80qo{^\t9jv\x01qo^~>"), "Man Man ");
  // The value of a group wraps at 32 bits: 85^5 - 1 is 0x1'0878'0EC4.
  EXPECT_EQ(Base85("uuuuu"), "\x08\x78\x0E\xC4");
}

// Each "z" gives four bytes: a quarter of the bound in "z"s and one more passes it.
TEST(ASCII85Decode, OutputIsBounded) {
  MemoryStream dest;
  try {
    DecodeASCII85(std::string(kMaxInflatedSize / 4 + 1, 'z'), dest);
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "ASCII85を正常に展開できませんでした。");
  }
  EXPECT_EQ(static_cast<int64_t>(dest.Bytes().size()), kMaxInflatedSize);
  EXPECT_EQ(dest.Bytes().find_first_not_of('\0'), std::string::npos);

  const std::string bound_of_zeros(kMaxInflatedSize / 4, 'z');
  EXPECT_EQ(static_cast<int64_t>(Base85(bound_of_zeros).size()), kMaxInflatedSize);
  // A partial group past the bound fails too, after the bound's worth.
  MemoryStream partial;
  EXPECT_THROW(DecodeASCII85(bound_of_zeros + "9jqo~>", partial), Error);
  EXPECT_EQ(static_cast<int64_t>(partial.Bytes().size()), kMaxInflatedSize);
  // An error after the bound still writes nothing, and raises nothing.
  EXPECT_EQ(Base85(bound_of_zeros + "z9z~>"), "");
}

TEST(ASCII85Decode, ErrorsWriteNothingAtAll) {
  EXPECT_EQ(Base85("9jqo^9zj~>"), "");  // z inside a group
  EXPECT_EQ(Base85("9jqo^~x"), "");     // ~ without >
  EXPECT_EQ(Base85("<~9jqo^~>"), "");   // the <~ prefix is not recognised
}

std::string Inflate(const std::string& data, bool* failed = nullptr) {
  MemoryStream dest;
  try {
    DecodeFlate(data, dest);
    if (failed) *failed = false;
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "flate圧縮を正常に展開できませんでした。");
    if (failed) *failed = true;
  }
  return std::string(dest.Bytes());
}

// What zlib's one-call inflation gives for data: the output up to the end of the stream, or
// up to a fault or the end of the input.
std::string ZlibInflated(const std::string& data, size_t capacity) {
  std::string out(capacity, '\0');
  uLongf size = capacity;
  uLong used = data.size();
  uncompress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(data.data()), &used);
  out.resize(size);
  return out;
}

// Bytes after the end of the compressed data are ignored; the output is kept.
TEST(DecodeFlate, StopsAtTheEndOfTheCompressedData) {
  const std::string text(100'000, 'x');
  bool failed = true;
  EXPECT_EQ(Inflate(Deflated(text) + "  garbage", &failed), text);
  EXPECT_FALSE(failed);
  EXPECT_EQ(Inflate(Deflated(text) + Deflated("second stream"), &failed), text);
  EXPECT_FALSE(failed);
}

// Streams that inflate to far more than their size, and nothing at all, inflate whole.
TEST(DecodeFlate, OutputOfAnySize) {
  bool failed = true;
  EXPECT_EQ(Inflate("", &failed), "");
  EXPECT_FALSE(failed);
  EXPECT_EQ(Inflate(Deflated(""), &failed), "");
  EXPECT_FALSE(failed);
  std::string pattern;
  for (int i = 0; pattern.size() < 5'000'000; ++i)
    pattern += "BT (" + std::to_string(i % 97) + ") Tj ET\n";
  const std::string deflated = Deflated(pattern);
  ASSERT_LT(deflated.size() * 100, pattern.size());  // many times the first guess
  EXPECT_EQ(Inflate(deflated, &failed), pattern);
  EXPECT_FALSE(failed);
}

// Every damaged stream gives what zlib gives: the output before the fault. A stream cut off
// anywhere counts as decoded; damaged data or a wrong checksum counts as failed.
TEST(DecodeFlate, DamagedStreamsGiveZlibsOutput) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += std::to_string(i * 7919 % 10007) + " ";
  const std::string deflated = Deflated(text);
  bool failed = true;
  for (const size_t cut : {size_t{1}, size_t{2}, size_t{3}, deflated.size() / 3,
                           deflated.size() - 5, deflated.size() - 4, deflated.size() - 1}) {
    const std::string truncated = deflated.substr(0, cut);
    const std::string inflated = Inflate(truncated, &failed);
    EXPECT_EQ(inflated, ZlibInflated(truncated, text.size())) << cut;
    EXPECT_EQ(text.compare(0, inflated.size(), inflated), 0) << cut;
    EXPECT_FALSE(failed) << cut;
  }
  EXPECT_GT(Inflate(deflated.substr(0, deflated.size() / 3)).size(), text.size() / 4);
  // The checksum missing or partly there: the whole text, as no check was made.
  EXPECT_EQ(Inflate(deflated.substr(0, deflated.size() - 2), &failed), text);
  EXPECT_FALSE(failed);

  std::string bad_checksum = deflated;
  bad_checksum.back() ^= 1;
  EXPECT_EQ(Inflate(bad_checksum, &failed), text);
  EXPECT_TRUE(failed);

  std::string bad_header = deflated;
  bad_header[1] ^= 1;
  EXPECT_EQ(Inflate(bad_header, &failed), "");
  EXPECT_TRUE(failed);

  for (const size_t at : {size_t{2}, deflated.size() / 4, deflated.size() / 2}) {
    std::string corrupt = deflated;
    corrupt[at] ^= 0x55;
    corrupt[at + 1] ^= 0x55;
    const std::string expected = ZlibInflated(corrupt, text.size() * 2);
    EXPECT_EQ(Inflate(corrupt, &failed), expected) << at;
    EXPECT_TRUE(failed) << at;
  }
}

// Bits packed into bytes from the least significant bit, as deflate packs them.
class BitWriter {
 public:
  // The count low bits of value, least significant first (header fields, extra bits).
  void Put(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
      if (used_ == 0) bytes_.push_back('\0');
      bytes_.back() = static_cast<char>(bytes_.back() | ((value >> i) & 1) << used_);
      used_ = (used_ + 1) % 8;
    }
  }
  // A Huffman code of length bits, most significant first.
  void PutCode(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Put(code >> i, 1);
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  int used_ = 0;
};

// zlib rejects the reserved length codes 286 and 287 of the fixed codes; libdeflate reads them
// as 258, like 285. A stream using one inflates whole when the checksum of that output holds
// (a 285 damaged by one bit, say), where zlib stops before it.
TEST(DecodeFlate, ReservedLengthCodeWithAGoodChecksumInflatesWhole) {
  const std::string text(259, 'a');
  // "a", then a copy of 258 bytes from one back, in one block of the fixed codes.
  const auto stream = [&text](uint32_t length_symbol) {
    BitWriter bits;
    bits.Put(1, 1);                               // the last block
    bits.Put(1, 2);                               // fixed codes
    bits.PutCode(0x30 + 'a', 8);                  // literal 'a'
    bits.PutCode(0xC0 + length_symbol - 280, 8);  // length
    bits.PutCode(0, 5);                           // distance 1
    bits.PutCode(0, 7);                           // end of block
    const auto check = static_cast<uint32_t>(
        adler32(1, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size())));
    std::string zlib = "\x78\x01" + bits.Bytes();
    for (int shift = 24; shift >= 0; shift -= 8) zlib += static_cast<char>(check >> shift);
    return zlib;
  };
  bool failed = true;
  EXPECT_EQ(Inflate(stream(285), &failed), text);
  EXPECT_FALSE(failed);
  EXPECT_EQ(ZlibInflated(stream(286), text.size()), "a");
  failed = true;
  EXPECT_EQ(Inflate(stream(286), &failed), text);
  EXPECT_FALSE(failed);
}

// size zero bytes in the zlib format, compressed a megabyte at a time.
std::string DeflatedZeros(int64_t size) {
  z_stream z{};
  deflateInit(&z, 9);
  const std::string zeros(1 << 20, '\0');
  std::string deflated(1 << 20, '\0');
  size_t used = 0;
  for (int64_t left = size; left >= 0; left -= static_cast<int64_t>(zeros.size())) {
    const auto slice =
        static_cast<uInt>(std::min<int64_t>(left, static_cast<int64_t>(zeros.size())));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
    z.avail_in = slice;
    const int flush = slice == left ? Z_FINISH : Z_NO_FLUSH;
    do {
      if (used == deflated.size()) deflated.resize(deflated.size() * 2);
      z.next_out = reinterpret_cast<Bytef*>(deflated.data() + used);
      z.avail_out = static_cast<uInt>(deflated.size() - used);
      deflate(&z, flush);
      used = deflated.size() - z.avail_out;
    } while (z.avail_in > 0 || (flush == Z_FINISH && z.avail_out == 0));
    if (flush == Z_FINISH) break;
  }
  deflateEnd(&z);
  deflated.resize(used);
  return deflated;
}

// A stream that would inflate past the bound keeps the bound's worth and counts as failed; one
// that reaches the bound exactly is whole.
TEST(DecodeFlate, OutputIsBounded) {
  bool failed = false;
  const std::string whole = Inflate(DeflatedZeros(kMaxInflatedSize), &failed);
  EXPECT_EQ(static_cast<int64_t>(whole.size()), kMaxInflatedSize);
  EXPECT_EQ(whole.find_first_not_of('\0'), std::string::npos);
  EXPECT_FALSE(failed);
  for (const int64_t size : {kMaxInflatedSize + 1, kMaxInflatedSize + (8 << 20)}) {
    EXPECT_EQ(static_cast<int64_t>(Inflate(DeflatedZeros(size), &failed).size()), kMaxInflatedSize);
    EXPECT_TRUE(failed) << size;
  }
}

}  // namespace
}  // namespace lumenquill
