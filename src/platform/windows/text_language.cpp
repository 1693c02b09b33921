#include "platform/text_language.h"

#include <wx/intl.h>
#include <wx/translation.h>

namespace platform {

bool UseItalianTexts() {
  // The toolkit's Italian catalog travels inside the program as a resource (see
  // src/app/windows/faldone.rc), so the program folder needs no locale tree beside it.
  auto* translations = new wxTranslations;
  translations->SetLoader(new wxResourceTranslationsLoader);
  translations->SetLanguage(wxLANGUAGE_ITALIAN);
  const bool loaded = translations->AddStdCatalog();
  wxTranslations::Set(translations);  // takes ownership
  return loaded;
}

}  // namespace platform
