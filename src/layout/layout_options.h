#pragma once

namespace lumenquill {

// What becomes of ruby (small reading aids set beside their base characters) when the text is
// read in layout order.
enum class RubyHandling {
  kDrop,     // left out: the base text reads on
  kBracket,  // after its base characters in 《》: 権利《けんり》
  kAsDrawn,  // kept where it stands, like any other text
};

}  // namespace lumenquill
