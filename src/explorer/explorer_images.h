#pragma once

#include <wx/bitmap.h>
#include <wx/imaglist.h>

#include <memory>

// The pictures of the tree, the list and the toolbar. Both image lists give a file the same
// index, so that an item keeps its picture in every view.
namespace explorer {

enum ImageIndex : int {
  kFileImage = 0,
  kGhostFileImage,  // a hidden file, dimmed
  kDriveImage,
  kFolderImage,
  kSelectedFolderImage,
};

// imgGrosse: the file pictures at 32 pixels.
std::unique_ptr<wxImageList> MakeLargeImages();
// imgIcons: every picture at 16 pixels.
std::unique_ptr<wxImageList> MakeSmallImages();
// The toolbar button of view index 0..3.
wxBitmap ViewButtonBitmap(int index);

}  // namespace explorer
