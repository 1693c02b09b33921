#include "archiver/entry_sources.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

#include "archiver/deflater.h"
#include "archiver/item_error.h"
#include "archiver/progress_report.h"
#include "archiver/source_file.h"

namespace archiver {

namespace {

// libzip's callback interface, turned into virtual calls, for a file's data. An ItemError is
// recorded in failures (when there are any) and reported to libzip as a read error. The file
// counts as done for progress once libzip has closed it.
class Source {
 public:
  Source(std::size_t item, SourceFailures* failures, ProgressReport& progress)
      : item_(item), failures_(failures), progress_(progress) {
    zip_error_init(&error_);
  }
  virtual ~Source() { zip_error_fini(&error_); }

  static zip_int64_t Callback(void* self, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    return static_cast<Source*>(self)->Handle(data, length, command);
  }

  // Hands this source to libzip, which frees it; throws when libzip cannot take it.
  static zip_source_t* Create(zip_t* archive, std::unique_ptr<Source> source) {
    zip_source_t* created = zip_source_function(archive, &Source::Callback, source.get());
    if (created == nullptr) throw std::bad_alloc();
    source.release();
    return created;
  }

 protected:
  virtual void Open() = 0;
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t size) = 0;
  virtual void Close() = 0;
  virtual void Stat(zip_stat_t& stat) = 0;
  // Bytes of the file itself (not of its packed data) handed to libzip.
  void Counted(std::uint64_t bytes) { progress_.AddBytes(bytes); }

 private:
  zip_int64_t Handle(void* data, zip_uint64_t length, zip_source_cmd_t command) {
    try {
      switch (command) {
        case ZIP_SOURCE_OPEN:
          Open();
          return 0;
        case ZIP_SOURCE_READ:
          return static_cast<zip_int64_t>(Read(static_cast<std::uint8_t*>(data), length));
        case ZIP_SOURCE_CLOSE:
          Close();
          progress_.AddFile();
          return 0;
        case ZIP_SOURCE_STAT: {
          auto* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &error_);
          if (stat == nullptr) return -1;
          zip_stat_init(stat);
          Stat(*stat);
          return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
          return zip_error_to_data(&error_, data, length);
        case ZIP_SOURCE_FREE:
          delete this;
          return 0;
        case ZIP_SOURCE_SUPPORTS:
          return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
          zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0);
          return -1;
      }
    } catch (const FileChanged&) {
      if (failures_ != nullptr) failures_->AddChanged(item_);
      zip_error_set(&error_, ZIP_ER_READ, 0);
    } catch (const ItemError& failure) {
      if (failures_ != nullptr) failures_->AddUnreadable(item_, failure.what());
      zip_error_set(&error_, ZIP_ER_READ, 0);
    } catch (const std::bad_alloc&) {
      zip_error_set(&error_, ZIP_ER_MEMORY, 0);
    } catch (...) {
      // Nothing may unwind through libzip's C code; the writer reports the failed close.
      zip_error_set(&error_, ZIP_ER_INTERNAL, 0);
    }
    return -1;
  }

  const std::size_t item_;
  SourceFailures* const failures_;
  ProgressReport& progress_;
  zip_error_t error_;
};

// Serves bytes packed by the probe; the memory goes as soon as libzip has copied them.
class AlreadyPacked : public Source {
 public:
  AlreadyPacked(PackedData packed, Method method, ProgressReport& progress)
      : Source(0, nullptr, progress), packed_(std::move(packed)), packed_size_(packed_.bytes.size()), method_(method) {}

 protected:
  void Open() override { offset_ = 0; }

  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, packed_.bytes.size() - offset_);
    if (count > 0) std::memcpy(buffer, packed_.bytes.data() + offset_, count);  // an empty file has no buffer
    offset_ += count;
    return count;
  }

  void Close() override {
    std::vector<std::uint8_t>().swap(packed_.bytes);
    Counted(packed_.size);
  }

  void Stat(zip_stat_t& stat) override {
    stat.valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD;
    stat.size = packed_.size;
    stat.crc = packed_.crc;
    stat.comp_method = method_ == Method::kDeflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE;
    stat.comp_size = packed_size_;
  }

 private:
  PackedData packed_;
  const std::size_t packed_size_;  // outlives the bytes
  const Method method_;
  std::size_t offset_ = 0;
};

// Takes the ticket's jobs one after the other as libzip reads, so a large file never sits in
// memory whole; its CRC and deflated size are known once the last piece has been read, which is
// when libzip asks for them again.
class DeflatedByPipeline : public Source {
 public:
  DeflatedByPipeline(const PipelineTicket& ticket, std::uint64_t size, std::size_t item, SourceFailures& failures,
                     ProgressReport& progress)
      : Source(item, &failures, progress), ticket_(ticket), listed_size_(size) {}

 protected:
  void Open() override {
    taken_ = 0;
    offset_ = 0;
    current_ = {};
    crc_ = size_ = packed_size_ = 0;
  }

  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    while (offset_ == current_.bytes.size()) {
      if (taken_ == ticket_.jobs) return 0;
      current_ = ticket_.pipeline->Take(ticket_.first_job + taken_++);
      offset_ = 0;
      crc_ = CombineCrc32(crc_, current_.crc, current_.size);
      size_ += current_.size;
      packed_size_ += current_.bytes.size();
      Counted(current_.size);
    }
    const std::size_t count = std::min(size, current_.bytes.size() - offset_);
    std::memcpy(buffer, current_.bytes.data() + offset_, count);
    offset_ += count;
    return count;
  }

  void Close() override { current_ = {}; }

  void Stat(zip_stat_t& stat) override {
    stat.valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_METHOD;
    stat.comp_method = ZIP_CM_DEFLATE;
    stat.size = listed_size_;
    if (taken_ == ticket_.jobs) {
      stat.valid |= ZIP_STAT_CRC | ZIP_STAT_COMP_SIZE;
      stat.size = size_;
      stat.crc = crc_;
      stat.comp_size = packed_size_;
    }
  }

 private:
  const PipelineTicket& ticket_;
  const std::uint64_t listed_size_;
  std::size_t taken_ = 0;
  PackedData current_;
  std::size_t offset_ = 0;
  std::uint32_t crc_ = 0;
  std::uint64_t size_ = 0;
  std::uint64_t packed_size_ = 0;
};

class StreamedFile : public Source {
 public:
  StreamedFile(const SourceItem& source, std::size_t item, SourceFailures& failures, ProgressReport& progress)
      : Source(item, &failures, progress), source_(source) {}

 protected:
  void Open() override {
    file_.emplace(source_);
    offset_ = 0;
  }

  // The end of the file is where it is judged: libzip has the data by then, but a failed read
  // makes it drop the whole archive it is writing.
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    const std::size_t read = file_->ReadAt(buffer, size, offset_);
    offset_ += read;
    Counted(read);
    if (read < size) {
      file_->CheckUnchanged();
      if (offset_ != source_.size) throw FileChanged(source_.path);
    }
    return read;
  }

  void Close() override { file_.reset(); }

  void Stat(zip_stat_t& stat) override {
    // The listed size lets libzip choose ZIP64 before the data comes; it records the real size after.
    stat.valid = ZIP_STAT_SIZE;
    stat.size = source_.size;
  }

 private:
  const SourceItem& source_;
  std::optional<SourceFile> file_;
  std::uint64_t offset_ = 0;
};

}  // namespace

void SourceFailures::AddUnreadable(std::size_t item, const std::string& text) {
  std::lock_guard lock(mutex_);
  unreadable_.emplace_back(item, text);
}

void SourceFailures::AddChanged(std::size_t item) {
  std::lock_guard lock(mutex_);
  changed_.push_back(item);
}

std::vector<std::pair<std::size_t, std::string>> SourceFailures::TakeUnreadable() {
  std::lock_guard lock(mutex_);
  return std::exchange(unreadable_, {});
}

std::vector<std::size_t> SourceFailures::TakeChanged() {
  std::lock_guard lock(mutex_);
  return std::exchange(changed_, {});
}

zip_source_t* PackedSource(zip_t* archive, PackedData packed, Method method, ProgressReport& progress) {
  return Source::Create(archive, std::make_unique<AlreadyPacked>(std::move(packed), method, progress));
}

zip_source_t* PipelineSource(zip_t* archive, const PipelineTicket& ticket, std::uint64_t size, std::size_t item,
                             SourceFailures& failures, ProgressReport& progress) {
  return Source::Create(archive, std::make_unique<DeflatedByPipeline>(ticket, size, item, failures, progress));
}

zip_source_t* StreamedFileSource(zip_t* archive, const SourceItem& source, std::size_t item, SourceFailures& failures,
                                 ProgressReport& progress) {
  return Source::Create(archive, std::make_unique<StreamedFile>(source, item, failures, progress));
}

}  // namespace archiver
