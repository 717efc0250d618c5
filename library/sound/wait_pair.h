#pragma once
// The pair of objects a wave worker waits on, in this order: a counting
// semaphore of free buffers and a manual-reset stop event. When both are
// signalled the semaphore wins, as the first of the pair.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vel {

class WaitPair {
public:
    enum class Woken { semaphore, stop, timeout };

    WaitPair(int initial, int maximum) : m_count(initial), m_maximum(maximum) {}

    // Any thread. The count never passes the maximum.
    void release(int n) {
        {
            std::lock_guard lock(m_lock);
            m_count = std::min(m_maximum, m_count + n);
        }
        m_changed.notify_all();
    }
    void signal_stop() {
        {
            std::lock_guard lock(m_lock);
            m_stop = true;
        }
        m_changed.notify_all();
    }

    // The worker only. Takes one count when the semaphore wins.
    Woken wait(std::chrono::milliseconds timeout) {
        std::unique_lock lock(m_lock);
        if (!m_changed.wait_for(lock, timeout, [this] { return m_count > 0 || m_stop; }))
            return Woken::timeout;
        if (m_count > 0) {
            --m_count;
            return Woken::semaphore;
        }
        return Woken::stop;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    int m_count;  // guarded by m_lock
    int m_maximum;
    bool m_stop = false;  // guarded by m_lock
};

}  // namespace vel
