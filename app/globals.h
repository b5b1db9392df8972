// The program's global state: integers any thread may read and write, texts behind a lock.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A value whose reads and writes from several threads are guarded; assigning releases the old one.
template <class T>
class Guarded {
 public:
  T get() const {
    std::lock_guard lock(mutex_);
    return value_;
  }
  void set(T value) {
    T old;
    {
      std::lock_guard lock(mutex_);
      old = std::exchange(value_, std::move(value));
    }
  }

 private:
  mutable std::mutex mutex_;
  T value_{};
};

struct GlobalState {
  std::atomic<int> packPageActive{0};  // 1 from a pack request until Return, Stop or a failure
  std::atomic<int> currentCategory{0};
  std::atomic<int> moduleKind{0};
  std::atomic<int> playerOpacity{0};
  std::atomic<int> categoryNextX{0};
  std::atomic<int> categoryCount{0};
  // No list until start-up makes the empty one; released again at exit.
  Guarded<std::optional<std::vector<std::string>>> updateInfo;
  Guarded<std::string> playerPassword;
  Guarded<std::string> sourceFolder;
};
