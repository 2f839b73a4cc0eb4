#include "cached_music.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

#include "flac_source.h"

namespace glamora::media {

namespace fs = std::filesystem;

namespace {}  // namespace

bool renderMusicCache(const CachedMusicPlan& plan, const std::atomic<bool>& stop) {
  std::error_code ec;
  fs::create_directories(plan.directory, ec);
  const std::string partial = plan.files.audio + ".part";
  bool written = false;
  {
    FlacWriter writer;
    if (writer.open(partial, plan.frames)) {
      bool ok = true;
      const bool whole = plan.synthesise([&](const float* frames, int count) {
        ok = ok && writer.write(frames, count);
        return ok && !stop.load(std::memory_order_relaxed);
      });
      written = writer.finish() && whole && ok && !stop;
    }
  }
  if (written) fs::rename(partial, plan.files.audio, ec);
  if (!written || ec) {
    fs::remove(partial, ec);
    return false;
  }
  if (!sealMusicCache(plan.files, plan.frames)) {
    removeMusicCache(plan.files);
    return false;
  }
  pruneMusicCache(plan.directory);
  return true;
}

namespace {

void lowerThisThreadsPriority() {
  // On Linux a thread's nice value is its own.
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 19);
}

void touch(const std::string& path) {
  std::error_code ec;
  fs::last_write_time(path, fs::file_time_type::clock::now(), ec);
}

class CachedMusic final : public SoundSource {
 public:
  CachedMusic(CachedMusicPlan plan, std::unique_ptr<SoundSource> live) : plan_(std::move(plan)) {
    if (live) {
      current_ = std::move(live);
      startWorker(false);
    } else {
      current_ = openFlacSource(plan_.files.audio);
      const bool onCache = current_ != nullptr;
      if (!onCache) {
        current_ = plan_.makeLive();
        removeMusicCache(plan_.files);
      }
      startWorker(onCache);
    }
  }

  ~CachedMusic() override { stopWorker(); }

  std::int64_t lengthFrames() const override { return plan_.frames; }

  void mixInto(float* out, std::int64_t from, int frames) override {
    takeLiveIfDamaged();
    current_->mixInto(out, from, frames);
  }

  void skip(std::int64_t from, std::int64_t frames) override {
    takeLiveIfDamaged();
    current_->skip(from, frames);
  }

  void restart() override {
    retired_.reset();
    if (rendered_.exchange(false)) {
      if (std::unique_ptr<SoundSource> cached = openFlacSource(plan_.files.audio)) {
        damaged_ = false;
        current_ = std::move(cached);  // the synthesiser and its SoundFont go
#ifdef __GLIBC__
        malloc_trim(0);
#endif
      }
    }
    current_->restart();
  }

  void halt() override { current_->halt(); }

  void waitForWorker() {
    if (worker_.joinable()) worker_.join();
  }

 private:
  // Called under the mixer's lock, on the device thread too: only moves
  // pointers; the replaced source is destroyed at the next restart.
  void takeLiveIfDamaged() {
    if (!damaged_.load(std::memory_order_acquire)) return;
    std::lock_guard lock(handover_);
    damaged_ = false;
    if (!replacement_) return;
    retired_ = std::move(current_);
    current_ = std::move(replacement_);
  }

  void startWorker(bool verifyFirst) {
    worker_ = std::thread([this, verifyFirst] {
      lowerThisThreadsPriority();
      if (verifyFirst) {
        if (verifyMusicCache(plan_.files, plan_.frames)) {
          touch(plan_.files.check);
          return;
        }
        removeMusicCache(plan_.files);
        {
          std::lock_guard lock(handover_);
          replacement_ = plan_.makeLive();
        }
        damaged_.store(true, std::memory_order_release);
      }
      if (stop_) return;
      if (renderMusicCache(plan_, stop_)) rendered_ = true;
      else if (!stop_)
        std::fprintf(stderr, "glamora: the music cannot be kept in %s; it is synthesised as it plays\n",
                     plan_.directory.c_str());
    });
  }

  void stopWorker() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
  }

  CachedMusicPlan plan_;
  std::unique_ptr<SoundSource> current_;
  std::unique_ptr<SoundSource> retired_;
  std::mutex handover_;
  std::unique_ptr<SoundSource> replacement_;  // guarded by handover_
  std::atomic<bool> damaged_{false};          // the kept file failed its check: turn live
  std::atomic<bool> rendered_{false};         // a new file is whole: play it from the next restart
  std::atomic<bool> stop_{false};
  std::thread worker_;  // last: started once everything above exists
};

}  // namespace

std::unique_ptr<SoundSource> cachedMusic(CachedMusicPlan plan, std::unique_ptr<SoundSource> live) {
  return std::make_unique<CachedMusic>(std::move(plan), std::move(live));
}

void waitForMusicCache(SoundSource& song) {
  if (auto* cached = dynamic_cast<CachedMusic*>(&song)) cached->waitForWorker();
}

}  // namespace glamora::media
