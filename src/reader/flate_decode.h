#pragma once

#include <cstdint>

#include "reader/memory_stream.h"

namespace lumenquill {

// The most one stream may inflate to. Content streams of real documents stay far below it
// (a few megabytes for the densest pages); a stream that would inflate past it (a compression
// bomb) keeps this much and counts as failed. It bounds the memory one stream can take.
constexpr int64_t kMaxInflatedSize = int64_t{64} << 20;

// Inflates the zlib data from data's position to its end and appends the result to dest.
// Inflating stops at the end of the compressed data (bytes after it are ignored) and at the
// end of the input (a truncated stream keeps what it gave). Corrupt data, or output past
// kMaxInflatedSize, raises Error("flate圧縮を正常に展開できませんでした。") after dest has
// received everything inflated before the fault. Returns dest's size.
int64_t DecodeFlate(MemoryStream& data, MemoryStream& dest);

}  // namespace lumenquill
