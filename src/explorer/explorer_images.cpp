#include "explorer/explorer_images.h"

#include <wx/artprov.h>
#include <wx/dcmemory.h>

namespace explorer {
namespace {

// The theme's picture, or a plain framed square when the theme has none of that size.
wxBitmap Picture(const wxArtID& id, int size) {
  wxBitmap art = wxArtProvider::GetBitmap(id, wxART_OTHER, wxSize(size, size));
  if (art.IsOk() && art.GetWidth() == size && art.GetHeight() == size) return art;
  wxBitmap drawn(size, size);
  wxMemoryDC dc(drawn);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  dc.SetPen(*wxBLACK_PEN);
  dc.SetBrush(*wxLIGHT_GREY_BRUSH);
  dc.DrawRectangle(size / 8, size / 8, size - size / 4, size - size / 4);
  dc.SelectObject(wxNullBitmap);
  return drawn;
}

std::unique_ptr<wxImageList> FileImages(int size) {
  auto images = std::make_unique<wxImageList>(size, size, true);
  const wxBitmap file = Picture(wxART_NORMAL_FILE, size);
  images->Add(file);
  images->Add(file.ConvertToDisabled());
  return images;
}

}  // namespace

std::unique_ptr<wxImageList> MakeLargeImages() { return FileImages(32); }

std::unique_ptr<wxImageList> MakeSmallImages() {
  std::unique_ptr<wxImageList> images = FileImages(16);
  images->Add(Picture(wxART_HARDDISK, 16));
  images->Add(Picture(wxART_FOLDER, 16));
  images->Add(Picture(wxART_FOLDER_OPEN, 16));
  return images;
}

wxBitmap ViewButtonBitmap(int index) {
  static const wxArtID kArt[] = {wxART_NORMAL_FILE, wxART_NORMAL_FILE, wxART_LIST_VIEW,
                                 wxART_REPORT_VIEW};
  return Picture(kArt[index], 16);
}

}  // namespace explorer
