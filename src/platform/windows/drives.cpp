#include "platform/drives.h"

#include <windows.h>

#include "platform/windows/drive_letters.h"
#include "platform/windows/wide.h"

namespace platform::drives {
namespace {

const char* KindText(unsigned kind) {
  switch (kind) {
    case DRIVE_REMOVABLE: return "rimovibile";
    case DRIVE_FIXED: return "disco fisso";
    case DRIVE_REMOTE: return "rete";
    case DRIVE_CDROM: return "CD-ROM";
    case DRIVE_RAMDISK: return "disco RAM";
    default: return "sconosciuto";
  }
}

// path with one closing separator.
std::string AsFolder(const std::string& path) {
  return path.ends_with('\\') ? path : path + '\\';
}

}  // namespace

std::vector<Drive> DrivesFromLetters(unsigned long letters,
                                     const std::function<unsigned(const std::string& root)>& kind_of) {
  std::vector<Drive> drives;
  for (int i = 0; i < 26; ++i) {
    if ((letters & (1UL << i)) == 0) continue;
    const std::string root = std::string(1, static_cast<char>('A' + i)) + ":\\";
    const unsigned kind = kind_of(root);
    if (kind == DRIVE_NO_ROOT_DIR) continue;
    drives.push_back({root, root + "  [" + KindText(kind) + "]"});
  }
  return drives;
}

std::string SystemDriveRoot(const std::string& variable) {
  const bool letter = variable.size() == 2 && variable[1] == ':' &&
                      ((variable[0] >= 'A' && variable[0] <= 'Z') || (variable[0] >= 'a' && variable[0] <= 'z'));
  return letter ? variable + '\\' : "C:\\";
}

std::string SystemDrive() {
  wchar_t value[8] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"SystemDrive", value, 8);
  return SystemDriveRoot(length < 8 ? windows::Narrow(std::wstring_view(value, length)) : std::string());
}

std::vector<Drive> ListDrives() {
  return DrivesFromLetters(::GetLogicalDrives(), [](const std::string& root) {
    return ::GetDriveTypeW(windows::Widen(root).c_str());
  });
}

bool IsReady(const std::string& mount_point) {
  // An empty card reader or CD drive has a root but no volume to read.
  const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS);
  const bool ready = ::GetVolumeInformationW(windows::Widen(AsFolder(mount_point)).c_str(), nullptr, 0,
                                             nullptr, nullptr, nullptr, nullptr, 0) != 0;
  ::SetErrorMode(previous);
  return ready;
}

std::set<std::string> MountPoints() {
  std::set<std::string> points;
  for (const Drive& drive : ListDrives()) points.insert(drive.mount_point);
  return points;
}

bool IsMountPoint(const std::string& path) { return IsMountPoint(path, MountPoints()); }

bool IsMountPoint(const std::string& path, const std::set<std::string>& mount_points) {
  const std::string folder = AsFolder(path);
  const std::wstring wide = windows::Widen(folder);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
  if (mount_points.count(folder) > 0) return true;
  // A volume mounted on a folder of another one is a mount point too.
  wchar_t volume[MAX_PATH + 1];
  if (!::GetVolumePathNameW(wide.c_str(), volume, MAX_PATH + 1)) return false;
  return _wcsicmp(volume, wide.c_str()) == 0;
}

}  // namespace platform::drives
