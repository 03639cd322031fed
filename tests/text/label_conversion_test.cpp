#include "text/label_conversion.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lumenquill {
namespace {

// tests/data/adobe_japan1_cmaps.list names every CMap of poppler-data's Adobe-Japan1 folder
// that maps codes to Adobe-Japan1 CIDs (tools/make_predefined_cmaps.py writes it).
TEST(LabelConversion, EveryAdobeJapan1CMapConverts) {
  std::ifstream list(LUMENQUILL_TEST_DATA_DIR "/adobe_japan1_cmaps.list");
  int labels = 0;
  for (std::string label; std::getline(list, label);) {
    if (label.empty() || label[0] == '#') continue;
    EXPECT_NE(ConverterForLabel(label), nullptr) << label;
    ++labels;
  }
  EXPECT_EQ(labels, 67);  // the list is there, whole
}

// CMaps of other collections, and the CMaps from CIDs to Unicode, convert nothing.
TEST(LabelConversion, OtherCMapsHaveNone) {
  for (const char* label : {"Hojo-H", "UniHojo-UCS2-H", "GBK-EUC-H", "Adobe-Japan1-UCS2"}) {
    EXPECT_EQ(ConverterForLabel(label), nullptr) << label;
  }
}

}  // namespace
}  // namespace lumenquill
