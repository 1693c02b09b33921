#include "support/toolkit_message_box.h"

#include <gtk/gtk.h>
#include <wx/dialog.h>

namespace testing_support {

void CloseToolkitMessageBox(wxDialog& dialog) {
  if (GTK_IS_DIALOG(dialog.GetHandle()))
    gtk_dialog_response(GTK_DIALOG(dialog.GetHandle()), GTK_RESPONSE_CANCEL);
}

}  // namespace testing_support
