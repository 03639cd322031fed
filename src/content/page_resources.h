#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reader/pdf_value.h"

namespace lumenquill {

// One named resource: the key under which content refers to it (slash included) and the
// object that defines it, or, for a direct dictionary, that dictionary itself.
struct Resource {
  std::string name;
  int32_t object_number = -1;  // -1 for a direct dictionary
  // A direct dictionary; none for a resource given by reference.
  std::optional<PdfDictionary> dictionary;
};

// Resources in the order their keys stand in the dictionary; duplicates are kept.
using ResourceList = std::vector<Resource>;

// One form XObject that a page reaches, with the fonts of its own resources.
struct FormXObject {
  std::string name;  // its key in the /XObject dictionary that lists it
  int32_t object_number = -1;
  ResourceList fonts;
};

// What the text extraction uses of a page's resources: its fonts, and every form XObject it
// reaches, nested forms flattened into one list; and its own XObjects, which Do names.
struct PageResources {
  ResourceList fonts;
  std::vector<FormXObject> forms;
  ResourceList xobjects;
};

}  // namespace lumenquill
