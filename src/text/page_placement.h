#pragma once

#include <functional>
#include <string_view>

#include "content/page_resource_reader.h"
#include "content/page_resources.h"
#include "layout/placed_page.h"
#include "text/font_cache.h"
#include "text/page_streams.h"

namespace lumenquill {

// Where one page's streams and fonts come from, for placing its glyphs.
struct PageSources {
  PageResourceReader& resources;
  PageStreams& streams;  // started for the page
  FontCache& fonts;
};

// The glyphs of one page: its content (decoded, all its streams) drawn with its fonts, and the
// forms that Do draws placed where they are drawn, each form's decoded bytes counted against
// the page's bound every time it is drawn. form_done, when set, is called after each form
// opened. Raises the reading errors of the document met in the forms.
PlacedPage PlacePage(const PageResources& page, std::string_view content,
                     const PageSources& sources, const std::function<void()>& form_done);

}  // namespace lumenquill
