#include "platform/text_language.h"

#include <wx/intl.h>
#include <wx/translation.h>

#include <clocale>
#include <cstdlib>
#include <cstring>

namespace platform {

bool UseItalianTexts() {
  // GTK and the system libraries look their texts up through LANGUAGE, which the plain "C"
  // locale ignores; its UTF-8 twin keeps the same behaviour for everything but messages.
  const char* messages = std::setlocale(LC_MESSAGES, nullptr);
  if (!messages || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0)
    std::setlocale(LC_MESSAGES, "C.UTF-8");
  ::setenv("LANGUAGE", "it", 1);

  auto* translations = new wxTranslations;
  translations->SetLanguage(wxLANGUAGE_ITALIAN);
  const bool loaded = translations->AddStdCatalog();
  wxTranslations::Set(translations);  // takes ownership
  return loaded;
}

}  // namespace platform
