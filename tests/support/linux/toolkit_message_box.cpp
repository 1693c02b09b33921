#include "support/toolkit_message_box.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <wx/dialog.h>

namespace testing_support {
namespace {

// Whether the X window is one of this program's own or lies inside one.
bool OursOrInsideOurs(GdkDisplay* display, Window window) {
  Display* x = GDK_DISPLAY_XDISPLAY(display);
  while (window != None) {
    if (gdk_x11_window_lookup_for_display(display, window)) return true;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(x, window, &root, &parent, &children, &count)) return false;
    if (children) XFree(children);
    if (window == root) return false;
    window = parent;
  }
  return false;
}

}  // namespace

void CloseToolkitMessageBox(wxDialog& dialog) {
  if (GTK_IS_DIALOG(dialog.GetHandle()))
    gtk_dialog_response(GTK_DIALOG(dialog.GetHandle()), GTK_RESPONSE_CANCEL);
}

// GTK hands every key to the modal window holding its grab: the dialog has the keyboard once it
// is viewable, holds the grab, and the X focus (or the window under the pointer) is one of ours.
bool DialogHasTheKeyboard(const wxDialog& dialog) {
  GtkWidget* widget = dialog.GetHandle();
  GdkWindow* window = widget && gtk_widget_get_mapped(widget) ? gtk_widget_get_window(widget) : nullptr;
  GtkWidget* grab = gtk_grab_get_current();
  if (!window || !GDK_IS_X11_WINDOW(window) || !grab || gtk_widget_get_toplevel(grab) != widget)
    return false;
  GdkDisplay* display = gdk_window_get_display(window);
  Display* x = GDK_DISPLAY_XDISPLAY(display);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(x, GDK_WINDOW_XID(window), &attributes) || attributes.map_state != IsViewable)
    return false;
  Window focus = None;
  int revert = 0;
  XGetInputFocus(x, &focus, &revert);
  if (focus == PointerRoot) {
    Window root = None;
    int root_x = 0, root_y = 0, x_in = 0, y_in = 0;
    unsigned buttons = 0;
    XQueryPointer(x, DefaultRootWindow(x), &root, &focus, &root_x, &root_y, &x_in, &y_in, &buttons);
  }
  return OursOrInsideOurs(display, focus);
}

}  // namespace testing_support
