#include "archiver/staged_archive.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "archiver/staging_file.h"
#include "archiver/zip_error_text.h"

namespace archiver {

namespace {

// Reading goes to libzip's own file source; writing goes to a temporary file of ours, so that
// the new archive can be checked between the last byte and the rename.
class StagedArchive {
 public:
  StagedArchive(std::string path, zip_source_t* original, ArchiveAcceptance accept)
      : path_(std::move(path)), original_(original), accept_(std::move(accept)) {
    zip_error_init(&error_);
  }
  ~StagedArchive() {
    Discard();
    zip_source_free(original_);
    zip_error_fini(&error_);
  }
  StagedArchive(const StagedArchive&) = delete;
  StagedArchive& operator=(const StagedArchive&) = delete;

  static zip_int64_t Callback(void* self, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    return static_cast<StagedArchive*>(self)->Handle(data, length, command);
  }

 private:
  zip_int64_t Handle(void* data, zip_uint64_t length, zip_source_cmd_t command) {
    switch (command) {
      case ZIP_SOURCE_OPEN:
        return FromOriginal(zip_source_open(original_));
      case ZIP_SOURCE_READ:
        return FromOriginal(zip_source_read(original_, data, length));
      case ZIP_SOURCE_CLOSE:
        return FromOriginal(zip_source_close(original_));
      case ZIP_SOURCE_SEEK: {
        auto* seek = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &error_);
        if (seek == nullptr) return -1;
        return FromOriginal(zip_source_seek(original_, seek->offset, seek->whence));
      }
      case ZIP_SOURCE_TELL:
        return FromOriginal(zip_source_tell(original_));
      case ZIP_SOURCE_STAT: {
        auto* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &error_);
        if (stat == nullptr) return -1;
        if (FromOriginal(zip_source_stat(original_, stat)) < 0) return -1;
        return sizeof(zip_stat_t);
      }
      case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&error_, data, length);
      case ZIP_SOURCE_FREE:
        delete this;
        return 0;
      case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(
            ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL, ZIP_SOURCE_STAT,
            ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_WRITE,
            ZIP_SOURCE_SEEK_WRITE, ZIP_SOURCE_TELL_WRITE, ZIP_SOURCE_COMMIT_WRITE, ZIP_SOURCE_ROLLBACK_WRITE,
            ZIP_SOURCE_REMOVE, -1);
      case ZIP_SOURCE_BEGIN_WRITE:
        return BeginWrite();
      case ZIP_SOURCE_WRITE:
        return Write(data, length);
      case ZIP_SOURCE_SEEK_WRITE: {
        auto* seek = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &error_);
        if (seek == nullptr) return -1;
        return SeekWrite(seek->offset, seek->whence);
      }
      case ZIP_SOURCE_TELL_WRITE:
        return pending_start_ + static_cast<zip_int64_t>(pending_.size());
      case ZIP_SOURCE_COMMIT_WRITE:
        return Commit();
      case ZIP_SOURCE_ROLLBACK_WRITE:
        Discard();
        return 0;
      case ZIP_SOURCE_REMOVE:  // an archive left without entries
        return RemoveFile(path_) ? 0 : Fail(ZIP_ER_REMOVE);
      default:
        zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
  }

  zip_int64_t FromOriginal(zip_int64_t result) {
    if (result < 0) {
      const zip_error_t* error = zip_source_error(original_);
      zip_error_set(&error_, zip_error_code_zip(error), zip_error_code_system(error));
    }
    return result;
  }

  zip_int64_t Fail(int zip_code) {
    zip_error_set(&error_, zip_code, errno);
    return -1;
  }

  zip_int64_t BeginWrite() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string name = path_ + ".";
      for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
      out_ = CreateNewFile(name);
      if (out_.valid()) {
        temporary_ = std::move(name);
        pending_start_ = 0;
        return 0;
      }
      if (errno != EEXIST) break;
    }
    return Fail(ZIP_ER_TMPOPEN);
  }

  // libzip writes each header field by field: the pieces are gathered, so that an entry costs
  // a write or two instead of a dozen.
  zip_int64_t Write(const void* data, zip_uint64_t length) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (pending_.size() + length > kPendingBytes && !FlushPending()) return Fail(ZIP_ER_WRITE);
    if (length >= kPendingBytes) {
      if (!WriteFully(out_, bytes, static_cast<std::size_t>(length))) return Fail(ZIP_ER_WRITE);
      pending_start_ += static_cast<zip_int64_t>(length);
    } else {
      pending_.insert(pending_.end(), bytes, bytes + length);
    }
    return static_cast<zip_int64_t>(length);
  }

  bool FlushPending() {
    if (pending_.empty()) return true;
    if (!WriteFully(out_, pending_.data(), pending_.size())) return false;
    pending_start_ += static_cast<zip_int64_t>(pending_.size());
    pending_.clear();
    return true;
  }

  zip_int64_t SeekWrite(zip_int64_t offset, int whence) {
    if (!FlushPending()) return Fail(ZIP_ER_WRITE);
    if (!SeekTo(out_, offset, whence)) return Fail(ZIP_ER_SEEK);
    pending_start_ = Position(out_);
    return pending_start_ < 0 ? Fail(ZIP_ER_TELL) : 0;
  }

  // The old archive keeps its permissions; the new data reaches the disk before it takes the
  // name, and the rename reaches it after, so a power cut leaves one archive or the other.
  zip_int64_t Commit() {
    if (!FlushPending()) return FailAndDiscard(ZIP_ER_WRITE);
    if (!TakePermissionsAndFlush(out_, path_)) return FailAndDiscard(ZIP_ER_WRITE);
    if (!accept_(temporary_)) {
      errno = 0;
      return FailAndDiscard(ZIP_ER_CRC);
    }
    out_.Reset();  // Windows renames no file that is open
    if (!RenameOver(temporary_, path_)) return FailAndDiscard(ZIP_ER_RENAME);
    temporary_.clear();
    if (!FlushRenameOf(path_)) return Fail(ZIP_ER_CLOSE);
    return 0;
  }

  zip_int64_t FailAndDiscard(int zip_code) {
    const zip_int64_t result = Fail(zip_code);
    Discard();
    return result;
  }

  void Discard() {
    pending_.clear();
    out_.Reset();
    if (!temporary_.empty()) RemoveFile(temporary_);
    temporary_.clear();
  }

  const std::string path_;
  zip_source_t* const original_;
  const ArchiveAcceptance accept_;
  zip_error_t error_;
  FileHandle out_;
  std::string temporary_;
  static constexpr std::size_t kPendingBytes = 256 * 1024;
  std::vector<std::uint8_t> pending_;  // written after pending_start_, not yet in the file
  zip_int64_t pending_start_ = 0;
};

}  // namespace

zip_t* OpenArchiveForUpdate(const std::string& path, ArchiveAcceptance accept, std::string& error_text) {
  zip_error_t error;
  zip_error_init(&error);
  zip_t* archive = nullptr;
  if (zip_source_t* original = zip_source_file_create(path.c_str(), 0, -1, &error)) {
    auto staged = std::make_unique<StagedArchive>(path, original, std::move(accept));
    if (zip_source_t* source = zip_source_function_create(&StagedArchive::Callback, staged.get(), &error)) {
      staged.release();  // the source owns it now
      archive = zip_open_from_source(source, ZIP_CREATE, &error);
      if (archive == nullptr) zip_source_free(source);
    }
  }
  if (archive == nullptr) error_text = ZipErrorText(error);
  zip_error_fini(&error);
  return archive;
}

}  // namespace archiver
