// The default error report's text.
#include <gtest/gtest.h>

#include "base/Error.h"

TEST(ErrorReport, AddsAFullStopAfterCharactersAboveIt) {
  EXPECT_EQ("Access denied.", ErrorReportText("Access denied"));
  EXPECT_EQ("Failed.", ErrorReportText("Failed."));
  EXPECT_EQ("Done!", ErrorReportText("Done!"));  // '!' is below '.'
  EXPECT_EQ("code 5.", ErrorReportText("code 5"));
  EXPECT_EQ("", ErrorReportText(""));
  EXPECT_EQ("\x95\x5C.", ErrorReportText("\x95\x5C"));  // a byte above 127 counts as above
}
