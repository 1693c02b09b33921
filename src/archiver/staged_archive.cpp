#include "archiver/staged_archive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <random>

#include "archiver/unique_fd.h"
#include "archiver/zip_error_text.h"

namespace archiver {

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// What a new file gets: 0666 less the umask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

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
        return ::lseek(out_.get(), static_cast<off_t>(seek->offset), seek->whence) < 0 ? Fail(ZIP_ER_SEEK) : 0;
      }
      case ZIP_SOURCE_TELL_WRITE: {
        const off_t position = ::lseek(out_.get(), 0, SEEK_CUR);
        return position < 0 ? Fail(ZIP_ER_TELL) : position;
      }
      case ZIP_SOURCE_COMMIT_WRITE:
        return Commit();
      case ZIP_SOURCE_ROLLBACK_WRITE:
        Discard();
        return 0;
      case ZIP_SOURCE_REMOVE:  // an archive left without entries
        return ::unlink(path_.c_str()) != 0 ? Fail(ZIP_ER_REMOVE) : 0;
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
      out_ = UniqueFd(::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
      if (out_.valid()) {
        temporary_ = std::move(name);
        return 0;
      }
      if (errno != EEXIST) break;
    }
    return Fail(ZIP_ER_TMPOPEN);
  }

  zip_int64_t Write(const void* data, zip_uint64_t length) {
    const auto* bytes = static_cast<const char*>(data);
    zip_uint64_t done = 0;
    while (done < length) {
      const ssize_t n = ::write(out_.get(), bytes + done, length - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Fail(ZIP_ER_WRITE);
      done += static_cast<zip_uint64_t>(n);
    }
    return static_cast<zip_int64_t>(length);
  }

  // The old archive keeps its permissions; the new data reaches the disk before it takes the
  // name, and the rename reaches it after, so a power cut leaves one archive or the other.
  zip_int64_t Commit() {
    struct stat old;
    const mode_t mode = ::stat(path_.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
    if (::fchmod(out_.get(), mode) != 0 || ::fsync(out_.get()) != 0) return FailAndDiscard(ZIP_ER_WRITE);
    if (!accept_(temporary_)) {
      errno = 0;
      return FailAndDiscard(ZIP_ER_CRC);
    }
    if (::rename(temporary_.c_str(), path_.c_str()) != 0) return FailAndDiscard(ZIP_ER_RENAME);
    temporary_.clear();
    out_.Reset();
    const UniqueFd folder(::open(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid() || ::fsync(folder.get()) != 0) return Fail(ZIP_ER_CLOSE);
    return 0;
  }

  zip_int64_t FailAndDiscard(int zip_code) {
    const zip_int64_t result = Fail(zip_code);
    Discard();
    return result;
  }

  void Discard() {
    out_.Reset();
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
  }

  const std::string path_;
  zip_source_t* const original_;
  const ArchiveAcceptance accept_;
  zip_error_t error_;
  UniqueFd out_;
  std::string temporary_;
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
