#include "platform/fit_text.h"

#include <gtest/gtest.h>

namespace {

// Every character 10 units wide.
int TenEach(const std::string& line) { return static_cast<int>(line.size()) * 10; }

TEST(FitText, ButtonCaptionsBreakAtSpacesIntoLinesThatFit) {
  using platform::WrapAtSpaces;
  EXPECT_EQ(WrapAtSpaces("Sfoglia / Ricerca   Cartella/Directory...", 200, TenEach),
            (std::vector<std::string>{"Sfoglia / Ricerca", "Cartella/Directory..."}));
  EXPECT_EQ(WrapAtSpaces("Annulla Fine", 110, TenEach),
            (std::vector<std::string>{"Annulla", "Fine"}));
  // A word too long for any line keeps a line of its own, whole.
  EXPECT_EQ(WrapAtSpaces("a Precipitevolissimevolmente b", 50, TenEach),
            (std::vector<std::string>{"a", "Precipitevolissimevolmente", "b"}));
  EXPECT_TRUE(WrapAtSpaces("   ", 50, TenEach).empty());
}

}  // namespace
