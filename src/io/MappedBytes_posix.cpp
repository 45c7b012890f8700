// Mapping through mmap, with a bus error handler that mends the pages a shortened file loses.
#include "io/MappedBytes.h"

#ifdef Q_OS_UNIX

#include <atomic>
#include <cstdint>
#include <mutex>
#include <signal.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// A view the handler may mend: [begin, end) in whole pages.
struct GuardedView {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> taken{false};
    std::atomic<bool> lost{false};
};

// A signal handler reaches nothing but static storage: the views it may mend are listed here,
// in a list of fixed size that needs no allocation. Past its size, files are read instead.
struct BusErrorGuard {
    static constexpr int Views = 256;
    GuardedView views[Views];
    struct sigaction previous { };
    std::uintptr_t pageSize = 4096;
    bool installed = false;
};

BusErrorGuard &busErrorGuard()
{
    static BusErrorGuard guard;
    return guard;
}

// What the process did with the signal before: a fault that is not ours goes there, or, when
// that was the default, kills the process as it would have.
void passOn(int signal, siginfo_t *info, void *context)
{
    const struct sigaction &previous = busErrorGuard().previous;
    if ((previous.sa_flags & SA_SIGINFO) != 0 && previous.sa_sigaction) {
        previous.sa_sigaction(signal, info, context);
        return;
    }
    if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signal);
        return;
    }
    struct sigaction fallback { };
    fallback.sa_handler = SIG_DFL;
    ::sigaction(signal, &fallback, nullptr); // the fault comes again on return
}

// Zero pages over [begin, begin + size). Where it can, straight through the system call: the
// bookkeeping that sanitizers add to mmap is not made for a signal handler, and would take
// this for a write racing with the threads that read the view, which only see zeros instead
// of a fault.
void *zeroPages(std::uintptr_t begin, std::uintptr_t size)
{
    constexpr int Flags = MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED;
#ifdef SYS_mmap
    const long done = ::syscall(SYS_mmap, begin, size, PROT_READ, Flags, -1, 0);
    return done == -1 ? MAP_FAILED : reinterpret_cast<void *>(done);
#else
    return ::mmap(reinterpret_cast<void *>(begin), size, PROT_READ, Flags, -1, 0);
#endif
}

void onBusError(int signal, siginfo_t *info, void *context)
{
    BusErrorGuard &guard = busErrorGuard();
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (GuardedView &view : guard.views) {
        const std::uintptr_t begin = view.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = view.end.load(std::memory_order_acquire);
        if (at < begin || at >= end)
            continue;
        // The rest of the view, from the lost page on, reads as zeros.
        const std::uintptr_t page = at & ~(guard.pageSize - 1);
        void *zeros = zeroPages(page, end - page);
        if (zeros == MAP_FAILED)
            break;
        view.lost.store(true, std::memory_order_release);
        return;
    }
    passOn(signal, info, context);
}

bool install(BusErrorGuard &guard)
{
    static std::once_flag once;
    std::call_once(once, [&] {
        guard.pageSize = std::uintptr_t(::sysconf(_SC_PAGESIZE));
        struct sigaction action { };
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        guard.installed = ::sigaction(SIGBUS, &action, &guard.previous) == 0;
    });
    return guard.installed;
}

int takeView(BusErrorGuard &guard)
{
    for (int i = 0; i < BusErrorGuard::Views; ++i) {
        bool free = false;
        if (guard.views[i].taken.compare_exchange_strong(free, true))
            return i;
    }
    return -1;
}

} // namespace

bool MappedBytes::map(int handle, qint64 size)
{
    unmap();
    BusErrorGuard &guard = busErrorGuard();
    if (handle < 0 || size <= 0 || !install(guard))
        return false;
    const int slot = takeView(guard);
    if (slot < 0)
        return false;
    // Populated at once: one call brings in every page instead of a fault for each.
    void *data = ::mmap(nullptr, size_t(size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, handle, 0);
    if (data == MAP_FAILED) {
        guard.views[slot].taken.store(false);
        return false;
    }
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t pages
        = (std::uintptr_t(size) + guard.pageSize - 1) & ~(guard.pageSize - 1);
    GuardedView &view = guard.views[slot];
    view.lost.store(false);
    view.end.store(begin + pages, std::memory_order_release);
    view.begin.store(begin, std::memory_order_release);
    m_data = static_cast<const char *>(data);
    m_size = qsizetype(size);
    m_slot = slot;
    return true;
}

void MappedBytes::unmap()
{
    if (!m_data)
        return;
    GuardedView &view = busErrorGuard().views[m_slot];
    view.begin.store(0, std::memory_order_release);
    view.end.store(0, std::memory_order_release);
    ::munmap(const_cast<char *>(m_data), size_t(m_size));
    view.taken.store(false, std::memory_order_release);
    m_data = nullptr;
    m_size = 0;
    m_slot = -1;
}

bool MappedBytes::lost() const
{
    return m_slot >= 0 && busErrorGuard().views[m_slot].lost.load(std::memory_order_acquire);
}

#endif
