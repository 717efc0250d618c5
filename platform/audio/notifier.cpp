#include "platform/audio/notifier.h"

namespace plat {

Notifier& Notifier::instance() {
    // Never destroyed: outputs may still be closing while the process exits.
    static Notifier* notifier = new Notifier();
    return *notifier;
}

Notifier::Notifier() : m_thread([this] { run(); }) {
    m_thread.detach();
}

void Notifier::post(const void* key, const std::function<void()>* done, int count) {
    if (count <= 0) return;
    {
        std::lock_guard lock(m_lock);
        m_queue.push_back({key, done, count});
    }
    m_wake.notify_one();
}

void Notifier::forget(const void* key) {
    std::unique_lock lock(m_lock);
    std::erase_if(m_queue, [key](const News& n) { return n.key == key; });
    m_delivered.wait(lock, [&] { return m_delivering != key; });
}

void Notifier::run() {
    std::unique_lock lock(m_lock);
    for (;;) {
        m_wake.wait(lock, [this] { return !m_queue.empty(); });
        // One call at a time, so that forget() can drop the rest of a batch.
        News& front = m_queue.front();
        const News news = front;
        if (--front.count == 0) m_queue.pop_front();
        m_delivering = news.key;
        lock.unlock();
        (*news.done)();
        lock.lock();
        m_delivering = nullptr;
        m_delivered.notify_all();
    }
}

}  // namespace plat
