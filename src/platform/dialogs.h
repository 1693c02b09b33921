#pragma once

#include <memory>
#include <string>

// The small dialogs every window uses: beep, message box, input box and the hourglass.
// Windows call the free functions; they reach whichever backend is installed, the real one in
// the program and a scripted double in the window tests.
namespace platform {

inline constexpr const char* kAppTitle = "Faldone";

enum class MessageIcon { None, Information, Critical };

class DialogBackend {
 public:
  virtual ~DialogBackend() = default;
  virtual void Beep() = 0;
  virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
  // A short headline over a long text the user scrolls through. Backends without a details area
  // show the two as one message.
  virtual void ShowDetailedMessage(const std::string& headline, const std::string& details,
                                   const std::string& title) {
    ShowMessage(headline + "\r\r" + details, title, MessageIcon::None);
  }
  // Returns the text typed, or "" when the box was cancelled.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& default_text) = 0;
  virtual void SetBusy(bool busy) = 0;
};

void Beep();
// OK button only; the title defaults to the application's.
void ShowMessage(const std::string& text, const std::string& title = kAppTitle,
                MessageIcon icon = MessageIcon::None);
// OK button only: headline on top, details in a scrolling read-only box below it, so that a
// long list never makes the message taller than the screen.
void ShowDetailedMessage(const std::string& headline, const std::string& details,
                         const std::string& title = kAppTitle);
// The beep then the message: how every command reports a check that failed.
void BeepAndMessage(const std::string& text);
[[nodiscard]] std::string InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& default_text);

// Hourglass pointer over the whole application for as long as the object lives.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// Installs backend for as long as the returned object lives; the previous one comes back after.
class ScopedDialogBackend {
 public:
  explicit ScopedDialogBackend(DialogBackend& backend);
  ~ScopedDialogBackend();
  ScopedDialogBackend(const ScopedDialogBackend&) = delete;
  ScopedDialogBackend& operator=(const ScopedDialogBackend&) = delete;

 private:
  DialogBackend* previous_;
};

// The backend built on the toolkit's own dialogs.
DialogBackend& WxDialogBackend();

}  // namespace platform
