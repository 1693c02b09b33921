// Whatever the writer accepts of generated profiles, the loader must give back as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "platform/text.h"
#include "store/profile_test_helpers.h"

namespace {

using store::ProfileState;

// What a text box takes, pasted control characters too; on Windows only what its code page holds.
const std::string kCharacters = "aZ09_-.,;:!?*'\"()[]{}<>|/\\%&=+~@$^`#  àèéìòùÀÉçß\t\x01\x1F\x7F"
#ifndef _WIN32
                                "€«»\xC2\xA0\xCC\x81ЖΩ漢字😀𝄞"
#endif
    ;
const std::size_t kCharacterCount = platform::text::CharCount(kCharacters);

// A generated profile, and whether the editor would let every field through.
struct Generated {
  ProfileState state;
  bool editor_acceptable = true;
};

struct ProfileGenerator {
  Generated Next(const std::string& data_folder) {
    Generated g;
    g.state.Path_Dati = data_folder;
    g.state.Nome_Copia = "Copia_01.Dat";
    // Descriptions trimmed, as the editor takes them.
    g.state.Descriz_Copia = platform::text::Trim(Text(Length(store::kMaxDescriptionChars), true));
    g.state.Max_Num_Riga = static_cast<std::int16_t>(Below(store::kMaxFolderLines + 1));
    for (int i = 1; i <= g.state.Max_Num_Riga; ++i) {
      g.state.Des_Riga[i] = platform::text::Trim(Text(Length(store::kMaxDescriptionChars), false));
      g.state.Path_Riga[i] = Path();
      if (g.state.Path_Riga[i].size() > store::kMaxPathBytes) g.editor_acceptable = false;
    }
    // One profile in three gets a field the editor would refuse: spaces at an end, or too long.
    if (Below(3) == 0) {
      g.editor_acceptable = false;
      const int line = 1 + static_cast<int>(Below(std::max<int>(g.state.Max_Num_Riga, 1)));
      const std::size_t which = g.state.Max_Num_Riga == 0 ? 0 : Below(3);
      std::string& field = which == 0   ? g.state.Descriz_Copia
                           : which == 1 ? g.state.Des_Riga[line]
                                        : g.state.Path_Riga[line];
      if (Below(2) == 0)  // the loader trims descriptions at both ends, the path at its end
        field = which != 2 && Below(2) == 0 ? " " + field : field + " ";
      else
        field += Text(store::kMaxPathBytes + 1 + Below(4 * store::kMaxPathBytes), which != 1);
    }
    return g;
  }

  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

  // Mostly short, often long, now and then exactly at the bound.
  std::size_t Length(std::size_t bound) {
    const std::size_t pick = Below(20);
    return pick == 0 ? bound : pick < 4 ? 41 + Below(bound - 40) : Below(41);
  }

  std::string Text(std::size_t characters, bool hash_allowed) {
    std::string text;
    while (characters > 0) {
      const std::string c = platform::text::MidChars(kCharacters, Below(kCharacterCount), 1);
      if (c == "#" && !hash_allowed) continue;
      text += c;
      --characters;
    }
    return text;
  }

  // A folder as the editor stores it: ending in "/", with "#" and spaces inside.
  std::string Path() {
    std::string path;
    do path.append("/").append(Text(Length(200), true));
    while (Below(3) != 0);
    return path + "/";
  }

  std::mt19937 random_{20030614};
};

TEST(ProfileRoundTrip, WhateverIsSavedLoadsBackAsItWasAndWhatIsRefusedLeavesTheFile) {
  testing_support::TempFolder folder;
  ProfileGenerator generator;
  int written = 0;
  for (int run = 0; run < 200; ++run) {
    const Generated g = generator.Next(folder.path());
    const std::string before = folder.Read("Copia_01.Dat");
    const std::string refusal = testing_support::SaveRefusal(g.state);
    if (!refusal.empty()) {
      EXPECT_FALSE(g.editor_acceptable) << "run " << run << " refused: " << refusal;
      EXPECT_EQ(folder.Read("Copia_01.Dat"), before) << "run " << run;
      continue;
    }
    ++written;
    const ProfileState loaded = testing_support::LoadedFrom(folder, "Copia_01.Dat");
    ASSERT_EQ(store::FormatProfile(loaded), store::FormatProfile(g.state)) << "run " << run;
  }
  EXPECT_GT(written, 80);  // the property was put to the test, not refused away
}

}  // namespace
