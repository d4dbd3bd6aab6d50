#include "list_stream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "list_record.h"
#include "platform_io.h"

namespace toric {

namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kLongestLine = 1 << 20;
constexpr std::size_t kBatchesInFlight = 4;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Lines that stand on their own, combined together by a worker.
struct Batch {
  struct Line {
    std::size_t offset, size;
    int number;
    bool crlf;
  };
  std::string text;
  std::vector<Line> lines;
  std::string out;
  std::string errors;
  int unread = 0;
  bool done = false;
};

// Threads that combine batches, each with its own copy of the settled
// combiner; batches come back in the order they went in.
class Workers {
 public:
  Workers(const ListCombiner& settled, unsigned count) {
    for (unsigned i = 0; i < count; ++i) {
      threads_.emplace_back([this, settled] { work(settled); });
    }
  }

  ~Workers() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    for (auto& t : threads_) t.join();
  }

  void submit(std::unique_ptr<Batch> batch) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      waiting_.push_back(batch.get());
      in_flight_.push_back(std::move(batch));
    }
    changed_.notify_all();
  }

  // The oldest batch once it is done; with `wait`, waits for it. Null when
  // none is in flight, or (without `wait`) the oldest is not done yet.
  std::unique_ptr<Batch> take_oldest(bool wait) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (wait) {
      changed_.wait(
          lock, [&] { return in_flight_.empty() || in_flight_.front()->done; });
    }
    if (in_flight_.empty() || !in_flight_.front()->done) return nullptr;
    std::unique_ptr<Batch> batch = std::move(in_flight_.front());
    in_flight_.pop_front();
    return batch;
  }

  std::size_t in_flight() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return in_flight_.size();
  }

 private:
  void work(ListCombiner combiner) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
      changed_.wait(lock, [&] { return stopping_ || !waiting_.empty(); });
      if (waiting_.empty()) return;
      Batch* batch = waiting_.front();
      waiting_.pop_front();
      lock.unlock();
      const int unread_before = combiner.unread();
      for (const Batch::Line& line : batch->lines) {
        combiner.take_settled_line(
            std::string_view(batch->text).substr(line.offset, line.size),
            line.number, line.crlf ? "\r\n" : "\n", batch->out, batch->errors);
      }
      batch->unread = combiner.unread() - unread_before;
      lock.lock();
      batch->done = true;
      changed_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Batch*> waiting_;                    // not yet started
  std::deque<std::unique_ptr<Batch>> in_flight_;  // in order, until taken
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

class Output {
 public:
  Output(std::FILE* out, std::FILE* err, const std::string& name)
      : out_(out), err_(err), prefix_("toric-combine: " + name + ": ") {}

  std::string text;
  std::string errors;  // lines, each without the program's and list's name

  // Writes what has gathered; false when the results cannot be written.
  bool flush() {
    std::string named;  // each reason as a line of its own, named
    std::string_view rest = errors;
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n') + 1;
      (named += prefix_) += rest.substr(0, end);
      rest.remove_prefix(end);
    }
    errors.clear();
    write_text(err_, named);
    const bool written = write_text(out_, text) && std::fflush(out_) == 0;
    text.clear();
    return written;
  }

  int fail(const std::string& why) {
    write_text(err_, prefix_ + why + "\n");
    return 2;
  }

 private:
  std::FILE* out_;
  std::FILE* err_;
  std::string prefix_;
};

// The whole list's way through: lines in order, taken by the combiner
// itself until the list's layout is settled, then by workers in batches.
class Stream {
 public:
  Stream(const ListOptions& options, Output& output)
      : combiner_(options), output_(output) {}

  void take(std::string_view line) {
    const bool crlf = line.ends_with('\r');
    if (crlf) line.remove_suffix(1);
    if (!combiner_.settled() ||
        ends_inside_quotes(line, combiner_.separator())) {
      // In order, by the combiner itself: everything before goes first.
      if (workers_) {
        submit();
        drain(true);
      }
      combiner_.take_line(line, crlf ? "\r\n" : "\n", output_.text,
                          output_.errors);
      return;
    }
    if (!workers_) {
      const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
      workers_ = std::make_unique<Workers>(combiner_, std::min(cores, 4u));
    }
    combiner_.skip_line();
    if (!batch_) batch_ = std::make_unique<Batch>();
    batch_->lines.push_back(
        {batch_->text.size(), line.size(), combiner_.line(), crlf});
    batch_->text += line;
  }

  // Before the next read: what has been read goes to the workers, and what
  // they have done goes out; all of it when the read may wait.
  bool before_read(bool may_wait) {
    if (workers_) {
      submit();
      if (!drain(may_wait)) return false;
      while (workers_->in_flight() > kBatchesInFlight && drain_one(true)) {
      }
    }
    return written_ && output_.flush();
  }

  bool finish() {
    if (workers_) {
      submit();
      if (!drain(true)) return false;
    }
    combiner_.finish(output_.text, output_.errors);
    return output_.flush();
  }

  int unread() const { return combiner_.unread() + unread_in_batches_; }
  int lines() const { return combiner_.line(); }

 private:
  void submit() {
    if (batch_ && !batch_->lines.empty()) workers_->submit(std::move(batch_));
    batch_.reset();
  }

  // Writes the oldest batch if it is done (or, with `wait`, once it is);
  // false when there was none to write.
  bool drain_one(bool wait) {
    std::unique_ptr<Batch> batch = workers_->take_oldest(wait);
    if (!batch) return false;
    unread_in_batches_ += batch->unread;
    output_.text += batch->out;
    output_.errors += batch->errors;
    written_ = output_.flush();
    return true;
  }

  bool drain(bool wait) {
    while (drain_one(wait)) {
      if (!written_) return false;
    }
    return written_;
  }

  ListCombiner combiner_;
  Output& output_;
  std::unique_ptr<Workers> workers_;
  std::unique_ptr<Batch> batch_;
  int unread_in_batches_ = 0;
  bool written_ = true;
};

}  // namespace

int stream_list(int in, const std::string& name, const ListOptions& options,
                std::FILE* out, std::FILE* err) {
  Output output(out, err, name);
  Stream stream(options, output);
  std::string partial;  // a line whose end has not come yet
  std::vector<char> chunk(kChunk);
  bool first = true;
  const auto cannot_write = [&] {
    return output.fail(std::string("cannot write the results: ") +
                       std::strerror(errno));
  };
  while (true) {
    // What has been read goes out before the next read may wait.
    if (!stream.before_read(!input_waiting(in))) return cannot_write();
    const auto got = ::read(in, chunk.data(), kChunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return output.fail(std::strerror(errno));
    if (got == 0) break;
    std::string_view data(chunk.data(), static_cast<std::size_t>(got));
    // Text has no NUL byte: the lines before it are taken, and the list
    // ends there, its bytes never echoed.
    const void* nul = std::memchr(data.data(), 0, data.size());
    if (nul != nullptr) {
      const std::string_view before(
          data.data(), static_cast<const char*>(nul) - data.data());
      const std::size_t line_start = before.rfind('\n');
      data = data.substr(
          0, line_start == std::string_view::npos ? 0 : line_start + 1);
      partial.clear();
    }
    if (first && data.starts_with(kByteOrderMark)) {
      // Excel's mark of UTF-8; a CSV out keeps it for Excel.
      data.remove_prefix(kByteOrderMark.size());
      if (options.csv) output.text += kByteOrderMark;
    }
    first = false;
    while (!data.empty()) {
      const std::size_t end = data.find('\n');
      if (end == std::string_view::npos) {
        partial += data;
        if (partial.size() > kLongestLine) {
          if (!stream.finish()) return cannot_write();
          return output.fail("line " + std::to_string(stream.lines() + 1) +
                             " is longer than a megabyte: this is no list");
        }
        break;
      }
      if (partial.empty()) {
        stream.take(data.substr(0, end));
      } else {
        partial += data.substr(0, end);
        stream.take(partial);
        partial.clear();
      }
      data.remove_prefix(end + 1);
    }
    if (nul != nullptr) {
      if (!stream.finish()) return cannot_write();
      return output.fail("line " + std::to_string(stream.lines() + 1) +
                         ": a NUL byte: this is no text list");
    }
  }
  if (!partial.empty()) stream.take(partial);
  if (!stream.finish()) return cannot_write();
  return stream.unread() == 0 ? 0 : 1;
}

}  // namespace toric
