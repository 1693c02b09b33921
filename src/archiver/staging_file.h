#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "archiver/file_handle.h"

// What writing a new archive beside the old one needs from the system. Each call that fails
// leaves the reason in errno, which libzip's error then carries.
namespace archiver {

// Creates path, which must not exist yet (errno EEXIST when it does), to read and write.
FileHandle CreateNewFile(const std::string& path);

bool WriteFully(const FileHandle& file, const void* data, std::size_t size);

// whence is SEEK_SET, SEEK_CUR or SEEK_END.
bool SeekTo(const FileHandle& file, std::int64_t offset, int whence);
std::int64_t Position(const FileHandle& file);  // -1 on failure

// Gives file the permissions of the archive at archive (a new archive: what a new file gets)
// and flushes its data to disk.
bool TakePermissionsAndFlush(const FileHandle& file, const std::string& archive);

// Gives from the name to, replacing what had it.
bool RenameOver(const std::string& from, const std::string& to);

// Flushes a rename into path's folder to disk, so that a power cut leaves one file or the other.
bool FlushRenameOf(const std::string& path);

bool RemoveFile(const std::string& path);

}  // namespace archiver
