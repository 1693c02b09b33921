#pragma once

#include <wx/font.h>
#include <wx/gdicmn.h>

// Window geometry is laid out in twips (1/1440 inch) and shown in pixels: 15 twips a pixel at
// 96 DPI, scaled with the screen's DPI.
namespace platform {

// Pure arithmetic, rounded to the nearest pixel.
int TwipsToPixels(int twips, double dpi);
int PixelsToTwips(int pixels, double dpi);

// The screen's dots per inch: what the toolkit reports on Linux; on Windows the system's
// logical DPI, the one its windows are scaled by (96 at 100 %, 144 at 150 %).
double ScreenDpi();

// The same at the screen's DPI.
int Px(int twips);
int Twips(int pixels);
wxRect TwipsRect(int left, int top, int width, int height);
wxSize TwipsSize(int width, int height);

// The faces the windows name: "Courier New" is a monospaced face, "MS Sans Serif" the default
// GUI face, "Arial" a sans face.
wxFont CourierNew(double points, bool bold = false);
wxFont MsSansSerif(double points, bool bold = false);
wxFont Arial(double points, bool bold = false);

}  // namespace platform
