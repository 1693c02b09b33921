#pragma once

#include <wx/string.h>

#include <string>
#include <string_view>

// Program text is UTF-8; the toolkit's strings convert at the window boundary only.
namespace platform {

inline wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }
inline std::string Utf8(const wxString& s) { return s.utf8_string(); }

}  // namespace platform
