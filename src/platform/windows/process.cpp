#include "platform/process.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "platform/line_splitter.h"
#include "platform/windows/unique_handle.h"
#include "platform/windows/wide.h"

namespace platform::process {
namespace {

using windows::UniqueHandle;

HANDLE AsHandle(std::intptr_t native) { return reinterpret_cast<HANDLE>(native); }

// A handle the child may inherit, to the null device, for the standard streams it has no use for.
UniqueHandle OpenNullDevice(DWORD access) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  return UniqueHandle(::CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// A temporary file that goes when its last handle closes, inheritable by the child.
HANDLE CreateDeleteOnCloseFile() {
  wchar_t folder[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH || ::GetTempFileNameW(folder, L"fal", 0, name) == 0)
    return INVALID_HANDLE_VALUE;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  const HANDLE file = ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    &inheritable, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) ::DeleteFileW(name);
  return file;
}

// The start-up record that hands the child exactly these handles and no others of ours.
class InheritedHandles {
 public:
  explicit InheritedHandles(std::vector<HANDLE> handles) : handles_(std::move(handles)) {
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_ = std::make_unique<char[]>(size);
    list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.get());
    ready_ = ::InitializeProcThreadAttributeList(list_, 1, 0, &size) &&
             ::UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                         handles_.size() * sizeof(HANDLE), nullptr, nullptr);
  }
  ~InheritedHandles() {
    if (list_) ::DeleteProcThreadAttributeList(list_);
  }
  InheritedHandles(const InheritedHandles&) = delete;
  InheritedHandles& operator=(const InheritedHandles&) = delete;

  bool ready() const { return ready_; }
  LPPROC_THREAD_ATTRIBUTE_LIST list() const { return list_; }

 private:
  std::vector<HANDLE> handles_;
  std::unique_ptr<char[]> storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
  bool ready_ = false;
};

}  // namespace

CapturedOutput::CapturedOutput() : native_(reinterpret_cast<std::intptr_t>(CreateDeleteOnCloseFile())) {
  if (AsHandle(native_) == INVALID_HANDLE_VALUE) native_ = -1;
}

CapturedOutput::~CapturedOutput() {
  if (native_ != -1) ::CloseHandle(AsHandle(native_));
}

std::vector<std::string> CapturedOutput::FirstLines(std::size_t max_lines) const {
  files::LinesRead read;
  if (native_ == -1) return {};
  ULONGLONG offset = 0;
  const HANDLE file = AsHandle(native_);
  files::SplitLines(
      [file, &offset](char* buffer, std::size_t size) -> std::ptrdiff_t {
        // At an offset of its own: the child moved the shared file position to the end.
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        if (!::ReadFile(file, buffer, static_cast<DWORD>(size), &got, &at))
          return ::GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
        offset += got;
        return static_cast<std::ptrdiff_t>(got);
      },
      max_lines, files::kMaxMessageLineBytes, read);
  return read.lines;
}

OutputPipe::OutputPipe() {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!::CreatePipe(&read_end, &write_end, &inheritable, 64 * 1024)) return;
  // Only the child's end is handed on.
  ::SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  read_ = reinterpret_cast<std::intptr_t>(read_end);
  write_ = reinterpret_cast<std::intptr_t>(write_end);
}

OutputPipe::~OutputPipe() {
  if (read_ != -1) ::CloseHandle(AsHandle(read_));
  CloseWriteEnd();
}

void OutputPipe::CloseWriteEnd() {
  if (write_ != -1) ::CloseHandle(AsHandle(write_));
  write_ = -1;
}

std::string OutputPipe::ReadAvailable(std::size_t max_bytes) {
  std::string text;
  if (read_ == -1) return text;
  // An anonymous pipe has no waitless reads: only what it is known to hold is read.
  DWORD available = 0;
  if (!::PeekNamedPipe(AsHandle(read_), nullptr, 0, nullptr, &available, nullptr) || available == 0) return text;
  text.resize(std::min<std::size_t>(available, max_bytes));
  DWORD got = 0;
  if (!::ReadFile(AsHandle(read_), text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) got = 0;
  text.resize(got);
  return text;
}

void Child::Release() {
  if (native_ != 0) ::CloseHandle(AsHandle(native_));
  native_ = 0;
}

Child Child::Spawn(const std::vector<std::string>& argv, const CapturedOutput* errors, OutputPipe* output) {
  const std::optional<std::string> command_line = WindowsCommandLine(argv);
  if (!command_line) return Child();
  std::wstring writable_line = windows::Widen(*command_line);

  const UniqueHandle input = OpenNullDevice(GENERIC_READ);
  const UniqueHandle null_output = OpenNullDevice(GENERIC_WRITE);
  if (!input.valid() || !null_output.valid()) return Child();
  const HANDLE output_handle = output && output->write_ != -1 ? AsHandle(output->write_) : null_output.get();
  const HANDLE error_handle = errors && errors->native_ != -1 ? AsHandle(errors->native_) : null_output.get();
  std::vector<HANDLE> handed = {input.get(), null_output.get()};
  for (const HANDLE handle : {output_handle, error_handle})
    if (handle != null_output.get()) handed.push_back(handle);
  const InheritedHandles inherited(handed);
  if (!inherited.ready()) return Child();

  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = input.get();
  startup.StartupInfo.hStdOutput = output_handle;
  startup.StartupInfo.hStdError = error_handle;
  startup.lpAttributeList = inherited.list();
  PROCESS_INFORMATION created{};
  // No console window flashes up for the archiver, which reports through its exit code, its
  // standard output and its standard error.
  const DWORD flags = NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT;
  const bool created_ok = ::CreateProcessW(nullptr, writable_line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                                           nullptr, &startup.StartupInfo, &created);
  // The child holds the only writing end, so its end is the pipe's end.
  if (output) output->CloseWriteEnd();
  if (!created_ok) return Child();
  ::CloseHandle(created.hThread);
  return Child(reinterpret_cast<std::intptr_t>(created.hProcess));
}

std::optional<int> Child::PollExit() {
  if (native_ == 0) return std::nullopt;
  const DWORD waited = ::WaitForSingleObject(AsHandle(native_), 0);
  if (waited == WAIT_TIMEOUT) return std::nullopt;
  DWORD exit_code = 0;
  const bool known = waited == WAIT_OBJECT_0 && ::GetExitCodeProcess(AsHandle(native_), &exit_code);
  Release();
  return known ? static_cast<int>(exit_code) : -1;
}

}  // namespace platform::process
