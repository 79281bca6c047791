// Work that must run on the program's main thread while worker threads calculate: the
// report's chart pictures need Qt's application object, which lives on the main thread,
// and the report's transformation uses libraries with global state. A worker hands its task
// over and waits; the main thread serves the tasks one at a time until every worker is done.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>

namespace p528::simdist {

class MainThreadTasks {
 public:
  explicit MainThreadTasks(std::size_t workers) : workersLeft_(workers) {}

  // From a worker: runs `work` on the serving thread and returns when it is done; an
  // exception it throws is thrown here.
  void Run(const std::function<void()>& work) {
    Task task;
    task.work = &work;
    std::unique_lock<std::mutex> lock(mutex_);
    queue_.push_back(&task);
    changed_.notify_all();
    changed_.wait(lock, [&task] { return task.finished; });
    if (task.error) std::rethrow_exception(task.error);
  }

  // From a worker, as its last call.
  void WorkerDone() {
    const std::lock_guard<std::mutex> lock(mutex_);
    --workersLeft_;
    changed_.notify_all();
  }

  // On the main thread: serves the tasks until every worker is done.
  void Serve() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return !queue_.empty() || workersLeft_ == 0; });
      if (queue_.empty()) return;
      Task* task = queue_.front();
      queue_.pop_front();
      lock.unlock();
      try {
        (*task->work)();
      } catch (...) {
        task->error = std::current_exception();
      }
      lock.lock();
      task->finished = true;
      changed_.notify_all();
    }
  }

 private:
  struct Task {
    const std::function<void()>* work = nullptr;
    bool finished = false;
    std::exception_ptr error;
  };
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Task*> queue_;
  std::size_t workersLeft_;
};

}  // namespace p528::simdist
