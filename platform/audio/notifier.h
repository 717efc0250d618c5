#pragma once
// The audio notification thread. PulseAudio callbacks run on the mainloop
// thread with its lock held; they only post "n buffers done" here, and this
// thread calls the receivers without any device lock held, so a receiver may
// write to its output at once.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace plat {

class Notifier {
public:
    static Notifier& instance();
    // Any thread. `key` identifies the output the news belongs to.
    void post(const void* key, const std::function<void()>* done, int count);
    // Drops the news still queued for `key` and waits while it is being
    // delivered; afterwards `done` is no longer called. Never call it from
    // the notification thread itself.
    void forget(const void* key);

private:
    Notifier();
    void run();

    struct News {
        const void* key;
        const std::function<void()>* done;
        int count;
    };
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_delivered;
    std::deque<News> m_queue;            // guarded by m_lock
    const void* m_delivering = nullptr;  // guarded by m_lock
    std::thread m_thread;
};

}  // namespace plat
