#include "host/cross_check/worker_pool.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>

#include "host/cross_check/memory_folder.h"
#include "host/host_error.h"
#include "host/plugin_host/run_folder.h"
#include "host/run_beside.h"

#if !defined(_WIN32)
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace host {
namespace {

const size_t kWorkers = 2;

#if !defined(_WIN32)
// What the workers share: the next place in the order of jobs, taken by
// whichever worker is free, and which worker took each job, for saying
// which one stopped when a result is missing. Mapped before the fork, so
// both workers and this process see the same pages.
class SharedQueue {
  public:
    explicit SharedQueue(size_t count) : memory_(sizeof(std::atomic<uint64_t>) + count) {
        static_assert(std::atomic<uint64_t>::is_always_lock_free,
                      "the queue's counter is shared between processes");
        next_ = new (memory_.data()) std::atomic<uint64_t>(0);
        owner_ = static_cast<unsigned char*>(memory_.data()) + sizeof(std::atomic<uint64_t>);
    }

    // The next place in the order, or one past its end.
    size_t Take() { return static_cast<size_t>(next_->fetch_add(1)); }
    // Worker w + 1 took the job at place k of the order; 0: nobody took it.
    void Took(size_t k, size_t w) { owner_[k] = static_cast<unsigned char>(w + 1); }
    size_t Owner(size_t k) const { return owner_[k]; }

  private:
    SharedMemory memory_;
    std::atomic<uint64_t>* next_ = nullptr;
    unsigned char* owner_ = nullptr;
};

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// A worker: takes the next job of the order until none is left, each result
// framed as its place in the order, size, bytes; a failed job sends its exit status and
// message with the size's top bit set.
[[noreturn]] void Work(size_t w, const std::vector<size_t>& order, SharedQueue& queue,
                       const MemoryFolder& memory, int fd, const std::string& folder,
                       const std::function<std::string(size_t)>& job) {
    int status = 0;
    try {
        EnterOutFolder(memory.WorkerFolder(folder, w));
        for (size_t at = queue.Take(); at < order.size(); at = queue.Take()) {
            queue.Took(at, w);
            std::string bytes;
            uint32_t flag = 0;
            try {
                bytes = job(order[at]);
            } catch (const JobAbandoned&) {
                continue;
            } catch (const HostError& e) {
                bytes = static_cast<char>(e.status()) + std::string(e.what());
                flag = 0x80000000u;
            } catch (const std::exception& e) {
                bytes = static_cast<char>(kExitInternal) + std::string(e.what());
                flag = 0x80000000u;
            }
            const uint32_t head[2] = {static_cast<uint32_t>(at),
                                      static_cast<uint32_t>(bytes.size()) | flag};
            if (!WriteAll(fd, reinterpret_cast<const char*>(head), sizeof head) ||
                !WriteAll(fd, bytes.data(), bytes.size())) {
                status = 1;
                break;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stats-host: %s\n", e.what());
        status = 1;
    }
    close(fd);
    std::fflush(nullptr);
    _exit(status);
}

// Reads what a worker's pipe has; whole frames go into the results.
struct Reader {
    int fd = -1;
    std::string buffer;
    bool open = true;
    std::string fault;  // what was wrong with what it sent
};

// A fault of the pool itself, not of the input: exit status 3.
HostError PoolFault(const std::string& what) {
    return HostError(kExitInternal, what);
}

// How a worker process ended, for the message when results are missing.
std::string HowItEnded(int status) {
    if (WIFSIGNALED(status)) {
        return "was killed by signal " + std::to_string(WTERMSIG(status));
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
        return "exited with status " + std::to_string(WEXITSTATUS(status));
    }
    return "stopped";
}
#endif

}  // namespace

SharedMemory::SharedMemory(size_t bytes) : size_(bytes == 0 ? 1 : bytes) {
#if defined(_WIN32)
    pages_ = ::operator new(size_);
    std::memset(pages_, 0, size_);
#else
    void* pages = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) {
        throw HostError(kExitInternal, std::string("cannot share memory with the workers: ") +
                                           std::strerror(errno));
    }
    pages_ = pages;
#endif
}

SharedMemory::~SharedMemory() {
#if defined(_WIN32)
    ::operator delete(pages_);
#else
    munmap(pages_, size_);
#endif
}

std::vector<std::string> RunJobs(const std::vector<size_t>& order, const std::string& folder,
                                 const std::function<std::string(size_t)>& job,
                                 const std::function<void(size_t)>& progress,
                                 const std::function<void()>& meanwhile,
                                 const std::function<void(size_t)>& lost,
                                 const std::function<size_t(size_t)>& logOf) {
    const size_t count = order.size();
    std::vector<std::string> results(count);
#if defined(_WIN32)
    for (size_t k = 0; k < count; ++k) {
        results[k] = job(order[k]);
        progress(k + 1);
    }
    if (meanwhile) {
        meanwhile();
    }
    (void)folder;
    (void)lost;
    (void)logOf;
    return results;
#else
    SharedQueue queue(count);
    const MemoryFolder memory;
    std::fflush(nullptr);
    std::vector<Reader> readers(kWorkers);
    std::vector<pid_t> pids;
    for (size_t w = 0; w < kWorkers; ++w) {
        int fds[2];
        if (pipe(fds) != 0) {
            throw PoolFault(std::string("cannot start a worker process: ") + std::strerror(errno));
        }
        const std::string own = folder + "worker-" + std::to_string(w + 1);
        const pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            for (size_t k = 0; k < w; ++k) {
                close(readers[k].fd);
            }
            Work(w, order, queue, memory, fds[1], own, job);
        }
        const int error = errno;
        close(fds[1]);
        if (pid < 0) {
            close(fds[0]);
            throw PoolFault(std::string("cannot start a worker process: ") + std::strerror(error));
        }
        readers[w].fd = fds[0];
        pids.push_back(pid);
    }
    size_t done = 0;
    std::string failure;
    std::vector<bool> have(count, false);
    // The workers' results as they come, while this process does its own
    // work beside them.
    const auto collect = [&] {
        for (;;) {
            std::vector<pollfd> polls;
            for (Reader& r : readers) {
                if (r.open) {
                    polls.push_back({r.fd, POLLIN, 0});
                }
            }
            if (polls.empty()) {
                break;
            }
            if (poll(polls.data(), polls.size(), -1) < 0) {
                continue;
            }
            for (Reader& r : readers) {
                if (!r.open) {
                    continue;
                }
                char chunk[1 << 16];
                bool ready = false;
                for (const pollfd& p : polls) {
                    ready = ready || (p.fd == r.fd && p.revents != 0);
                }
                if (!ready) {
                    continue;
                }
                const ssize_t n = read(r.fd, chunk, sizeof chunk);
                if (n <= 0) {
                    r.open = false;
                    close(r.fd);
                    const size_t w = static_cast<size_t>(&r - readers.data());
                    for (size_t k = 0; lost && k < count; ++k) {
                        if (!have[k] && queue.Owner(k) == w + 1) {
                            lost(order[k]);
                        }
                    }
                    if (!r.buffer.empty() && r.fault.empty()) {
                        r.fault = "sent a result cut short (" + std::to_string(r.buffer.size()) +
                                  " bytes of a frame)";
                    }
                    continue;
                }
                r.buffer.append(chunk, static_cast<size_t>(n));
                size_t at = 0;
                while (r.buffer.size() - at >= 8) {
                    uint32_t head[2];
                    r.buffer.copy(reinterpret_cast<char*>(head), 8, at);
                    const size_t size = head[1] & 0x7fffffffu;
                    if (head[0] >= count || have[head[0]]) {
                        r.fault = "sent a frame for job " + std::to_string(head[0] + 1) + " of " +
                                  std::to_string(count) + (head[0] < count ? " twice" : "");
                        r.open = false;
                        close(r.fd);
                        at = r.buffer.size();
                        break;
                    }
                    if (r.buffer.size() - at - 8 < size) {
                        break;
                    }
                    std::string bytes = r.buffer.substr(at + 8, size);
                    at += 8 + size;
                    if ((head[1] & 0x80000000u) != 0) {
                        failure = failure.empty() ? bytes : failure;
                    } else {
                        results[head[0]] = std::move(bytes);
                        have[head[0]] = true;
                    }
                    progress(++done);
                }
                r.buffer.erase(0, at);
            }
        }
    };
    std::exception_ptr meanwhileFailed;
    RunBeside(
        [&] {
            try {
                if (meanwhile) {
                    meanwhile();
                }
            } catch (...) {
                meanwhileFailed = std::current_exception();
            }
        },
        collect);
    std::vector<std::string> ended(kWorkers);
    for (size_t w = 0; w < kWorkers; ++w) {
        int status = 0;
        waitpid(pids[w], &status, 0);
        ended[w] = readers[w].fault.empty() ? HowItEnded(status) : readers[w].fault;
    }
    for (size_t w = 0; w < kWorkers; ++w) {
        std::error_code ignored;
        std::filesystem::remove_all(folder + "worker-" + std::to_string(w + 1), ignored);
    }
    if (!failure.empty()) {
        // The first failure, with the exit status it would have had here.
        throw HostError(static_cast<ExitStatus>(failure[0]), failure.substr(1));
    }
    for (size_t k = 0; k < count; ++k) {
        if (!have[k]) {
            // The worker that took the job; one that nobody took was left
            // when every worker had stopped, so the first one tells.
            const size_t w = queue.Owner(k) == 0 ? 0 : queue.Owner(k) - 1;
            const size_t log = logOf ? logOf(order[k]) : order[k];
            throw PoolFault("a worker process " + ended[w] + " before log " +
                            std::to_string(log + 1) + " was scored");
        }
    }
    if (meanwhileFailed) {
        std::rethrow_exception(meanwhileFailed);
    }
    return results;
#endif
}

}  // namespace host
