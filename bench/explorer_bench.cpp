// Times the explorer in a real window: the tree of "/" and fills of folders holding 10,000 and
// 100,000 files. Run by scripts/bench_explorer.sh under Xvfb; prints one line per figure.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "explorer/explorer_window.h"

namespace {

class BenchApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

constexpr int kRuns = 5;

// Best and median of kRuns timings of work, in milliseconds.
void Report(const std::string& what, const std::function<void()>& work) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  std::printf("%-34s best %8.1f ms   median %8.1f ms\n", what.c_str(), times.front(), times[kRuns / 2]);
  std::fflush(stdout);
}

explorer::frmDir* OpenOn(store::ProfileState& state, const std::string& drive) {
  explorer::ExplorerHooks hooks = explorer::DesktopHooks();
  hooks.listDrives = [drive] { return std::vector<platform::drives::Drive>{{drive, drive}}; };
  auto* window = new explorer::frmDir(state, std::move(hooks));
  window->Show();
  return window;
}

std::string FolderOfFiles(int count) {
  std::string pattern = (std::filesystem::temp_directory_path() / "faldone-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return {};
  for (int i = 0; i < count; ++i) {
    const std::string name = pattern + "/documento_" + std::to_string(i) + (i % 10 == 0 ? ".pdf" : ".txt");
    const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd < 0) return {};
    if (i % 7 == 0 && ::ftruncate(fd, 1536 * (i % 100)) != 0) std::perror("ftruncate");
    ::close(fd);
  }
  return pattern;
}

void Run() {
  store::ProfileState state;
  for (const char* drive : {"/", "/usr"}) {
    explorer::frmDir* window = OpenOn(state, drive);
    Report(std::string("tree of ") + drive + " (with its list)", [&] { window->BuildTree(); });
    window->Destroy();
  }

  for (const int count : {10000, 100000}) {
    const std::string folder = FolderOfFiles(count);
    if (folder.empty()) {
      std::printf("cannot make a folder of %d files\n", count);
      continue;
    }
    explorer::frmDir* window = OpenOn(state, folder);
    const wxTreeItemId root = window->trvDir->GetRootItem();
    Report("fill of " + std::to_string(count) + " files (details)", [&] { window->ShowFiles(root); });
    window->SwitchView("icons");
    Report("fill of " + std::to_string(count) + " files (big icons)", [&] { window->ShowFiles(root); });
    window->Destroy();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
}

}  // namespace

int main(int argc, char** argv) {
  wxApp::SetInstance(new BenchApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "no display\n");
    return 1;
  }
  wxTheApp->CallOnInit();
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    Run();
    wxTheApp->ProcessPendingEvents();
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
