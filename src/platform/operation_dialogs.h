#pragma once

#include <memory>
#include <string>

#include "platform/backend_slot.h"

// What long file operations ask and show: whether to replace an item that is already there,
// and a progress window with a cancel button. Like the small dialogs, these reach whichever
// backend is installed: the toolkit's in the program, a scripted double in the tests.
namespace platform {

enum class ReplaceAnswer { Yes, YesToAll, No, Cancel };

class ProgressReport {
 public:
  virtual ~ProgressReport() = default;
  // How far the work is (0..100) and what it is doing now; false once the user cancelled.
  [[nodiscard]] virtual bool Update(int percent, const std::string& text) = 0;
};

class OperationDialogBackend {
 public:
  virtual ~OperationDialogBackend() = default;
  virtual ReplaceAnswer AskReplace(const std::string& text, const std::string& title) = 0;
  // The progress of one operation for as long as the object lives.
  virtual std::unique_ptr<ProgressReport> StartProgress(const std::string& title) = 0;
};

[[nodiscard]] ReplaceAnswer AskReplace(const std::string& text, const std::string& title);
// A window appears only when the work lasts more than a moment.
[[nodiscard]] std::unique_ptr<ProgressReport> StartProgress(const std::string& title);

using ScopedOperationDialogBackend = ScopedBackend<OperationDialogBackend>;

OperationDialogBackend& WxOperationDialogBackend();

}  // namespace platform
