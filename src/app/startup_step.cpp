#include "startup_step.h"

#include <sys/stat.h>

#include "engine/errors.h"
#include "engine/media_files.h"

namespace glamora {

namespace {

long long nanoseconds(const timespec& t) { return t.tv_sec * 1'000'000'000LL + t.tv_nsec; }

// Passes every call on, noting the file each open reads as it was just before.
class NotingOpens final : public Effects {
 public:
  NotingOpens(Effects& effects, std::string& path, FileStamp& stamp) : effects_(effects), path_(path), stamp_(stamp) {}
  void note(const std::string& path) {
    path_ = path;
    stamp_ = FileStamp::of(path);
  }
  void openMedia(Media player, const std::string& path) override {
    note(path);
    effects_.openMedia(player, path);
  }
  void media(Media player, MediaOp op) override { effects_.media(player, op); }
  void openDialog(Dialog dialog) override { effects_.openDialog(dialog); }
  void showError(const Message& text) override { effects_.showError(text); }

 private:
  Effects& effects_;
  std::string& path_;
  FileStamp& stamp_;
};

}  // namespace

FileStamp FileStamp::of(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {true,
          static_cast<unsigned long long>(info.st_dev),
          static_cast<unsigned long long>(info.st_ino),
          static_cast<unsigned long long>(info.st_size),
          static_cast<unsigned>(info.st_mode),
          nanoseconds(info.st_mtim),
          nanoseconds(info.st_ctim)};
}

bool StartupStep::attempt() {
  if (failed_ && files_(failedName_) == failedPath_ && FileStamp::of(failedPath_) == failedStamp_) return false;
  std::string name, path;
  FileStamp stamp;
  NotingOpens noting(effects_, path, stamp);
  const FileLocator files = [&](const std::string& fileName) { return files_(name = fileName); };
  try {
    openStartupMedia(noting, files);
    noting.note(files(kHelpTextFile));
    showHelpText_(readHelpText(path));
    failed_ = false;
    return true;
  } catch (const GameError& e) {
    failed_ = true;
    failedName_ = name;
    failedPath_ = path;
    failedStamp_ = stamp;
    // Report each distinct failure once; the step keeps retrying quietly.
    const Message text = errorBoxText(e);
    if (reported_.insert(text.text()).second) effects_.showError(text);
    return false;
  }
}

}  // namespace glamora
