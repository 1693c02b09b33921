#include "store/profile_list.h"

#include <algorithm>
#include <cstdio>

#include "platform/files.h"
#include "platform/text.h"
#include "store/numeric.h"
#include "store/profile_file.h"

namespace store {
namespace {

std::string TwoDigits(int n) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d", n % 100);
  return buffer;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return platform::text::ToUpperAscii(a) < platform::text::ToUpperAscii(b);
}

}  // namespace

std::vector<std::string> LEGGI_FILES_COPIA_DAT(ProfileState& state) {
  state.Max_Num_Copia = 0;
  state.Num_Copie = 0;
  state.Max_Num_Riga = 0;
  state.Num_Righe = 0;
  std::vector<std::string> items;
  for (const std::string& name : platform::files::FindFiles(state.Path_Dati, "*.DAT", true)) {
    if (!HasProfileHeader(state.Path_Dati + name)) continue;  // not a profile
    ++state.Num_Copie;
    const std::int16_t number = NumericValue16(platform::text::MidChars(name, 6, 2));
    state.Max_Num_Copia = std::max(state.Max_Num_Copia, number);
    state.Nome_Copia = name;
    LEGGI_COPIA(state);
    items.push_back(ProfileListItem(state));
  }
  std::sort(items.begin(), items.end(), LessIgnoringCase);
  return items;
}

std::string ProfileListItem(const ProfileState& state) {
  const std::string path = state.Num_Righe > 0 ? state.Path_Copia : std::string();
  std::string item = state.Nome_Copia + "  " + state.Descriz_Copia;
  if (!path.empty() && state.Descriz_Copia.find(path) == std::string::npos)
    item += " (" + path + ")";
  return item;
}

std::optional<NameAndDescription> SplitListItem(const std::string& item) {
  const auto p = item.find(' ');
  if (p == std::string::npos) return std::nullopt;
  return NameAndDescription{item.substr(0, p), platform::text::Trim(item.substr(p + 1))};
}

std::optional<NameAndDescription> NewProfile(int max_num_copia, const std::tm& now) {
  const int number = max_num_copia + 1;
  if (number > kMaxProfileNumber) return std::nullopt;
  const std::string nn = TwoDigits(number);
  const std::string date =
      TwoDigits(now.tm_mday) + "/" + TwoDigits(now.tm_mon + 1) + "/" + TwoDigits(now.tm_year);
  const std::string time =
      TwoDigits(now.tm_hour) + ":" + TwoDigits(now.tm_min) + ":" + TwoDigits(now.tm_sec);
  return NameAndDescription{"Copia_" + nn + ".Dat",
                            "Copia " + nn + " (creata il " + date + " alle " + time + ")"};
}

}  // namespace store
