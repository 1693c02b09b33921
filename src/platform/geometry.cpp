#include "platform/geometry.h"

#include <wx/settings.h>

#include <cmath>

namespace platform {
namespace {

wxFont Face(wxFontFamily family, double points, bool bold) {
  wxFontInfo info(points);
  info.Family(family);
  if (bold) info.Bold();
  return wxFont(info);
}

}  // namespace

int TwipsToPixels(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

int PixelsToTwips(int pixels, double dpi) {
  return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}

int Px(int twips) { return TwipsToPixels(twips, ScreenDpi()); }
int Twips(int pixels) { return PixelsToTwips(pixels, ScreenDpi()); }

wxRect TwipsRect(int left, int top, int width, int height) {
  return wxRect(Px(left), Px(top), Px(width), Px(height));
}

wxSize TwipsSize(int width, int height) { return wxSize(Px(width), Px(height)); }

wxFont CourierNew(double points, bool bold) { return Face(wxFONTFAMILY_TELETYPE, points, bold); }

wxFont MsSansSerif(double points, bool bold) {
  wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  font.SetFractionalPointSize(points);
  if (bold) font.SetWeight(wxFONTWEIGHT_BOLD);
  return font;
}

wxFont Arial(double points, bool bold) { return Face(wxFONTFAMILY_SWISS, points, bold); }

}  // namespace platform
