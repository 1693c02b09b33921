#include "platform/fit_text.h"

#include <algorithm>

namespace platform {
namespace {

constexpr double kSmallestPoints = 8.0;
constexpr double kPointsStep = 0.25;

wxSize Extent(const wxWindow& window, const std::string& text, const wxFont& font) {
  int width = 0, height = 0;
  window.GetTextExtent(wxString::FromUTF8(text), &width, &height, nullptr, nullptr, &font);
  return {width, height};
}

// Gives control the width it needs inside room, moving it left only as far as room's right
// edge makes it.
void WidenInto(wxControl& control, int width, const wxRect& room) {
  const wxRect own = control.GetRect();
  const int wide = std::min(width, room.width);
  const int left = std::max(room.x, std::min(own.x, room.GetRight() + 1 - wide));
  control.SetSize(left, own.y, std::max(wide, own.width), own.height);
}

}  // namespace

std::vector<std::string> WrapAtSpaces(const std::string& text, int width,
                                      const std::function<int(const std::string&)>& measure) {
  std::vector<std::string> words;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t word_start = text.find_first_not_of(' ', start);
    if (word_start == std::string::npos) break;
    const std::size_t word_end = std::min(text.find(' ', word_start), text.size());
    words.push_back(text.substr(word_start, word_end - word_start));
    start = word_end;
  }
  std::vector<std::string> lines;
  for (const std::string& word : words) {
    if (!lines.empty() && measure(lines.back() + " " + word) <= width)
      lines.back() += " " + word;
    else
      lines.push_back(word);
  }
  return lines;
}

void FitCaption(wxControl& control, bool wrap, const wxRect& room) {
  const std::string text = control.GetLabelText().utf8_string();
  wxFont font = control.GetFont();
  // What the control draws around its text: frame and padding of a button, nothing for a label.
  const wxSize padding = control.GetBestSize() - Extent(control, text, font);
  const wxSize frame(std::max(0, padding.x), std::max(0, padding.y));
  const wxSize space = control.GetSize() - frame;

  for (;;) {
    auto width_of = [&](const std::string& line) { return Extent(control, line, font).x; };
    const std::vector<std::string> lines =
        wrap ? WrapAtSpaces(text, space.x, width_of) : std::vector<std::string>{text};
    int widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, width_of(line));
    const int height = static_cast<int>(lines.size()) * Extent(control, "Ag", font).y;
    const bool fits = widest <= space.x && (lines.size() == 1 || height <= space.y);
    if (fits || font.GetFractionalPointSize() - kPointsStep < kSmallestPoints) {
      std::string joined;
      for (const std::string& line : lines) joined += (joined.empty() ? "" : "\n") + line;
      control.SetFont(font);
      control.SetLabelText(wxString::FromUTF8(joined));
      if (!fits && lines.size() == 1) WidenInto(control, widest + frame.x, room);
      return;
    }
    font.SetFractionalPointSize(font.GetFractionalPointSize() - kPointsStep);
  }
}

}  // namespace platform
