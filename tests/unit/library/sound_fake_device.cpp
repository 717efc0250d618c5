#include "sound_fake_device.h"

namespace vel::test {

class FakeWaveDevice::Out : public plat::WaveOut {
public:
    Out(FakeWaveDevice& device, int index) : m_device(device), m_index(index) {}
    ~Out() override { close(); }

    bool write(std::span<const std::uint8_t> bytes) override {
        std::lock_guard lock(m_device.m_lock);
        auto& out = *m_device.m_outputs[m_index];
        if (out.closed) return false;
        out.writes.emplace_back(bytes.begin(), bytes.end());
        ++out.pending;
        m_device.m_due.emplace_back(m_index, std::chrono::steady_clock::now() + m_device.m_delay);
        m_device.m_changed.notify_all();
        return true;
    }
    void pause() override {
        std::lock_guard lock(m_device.m_lock);
        ++m_device.m_outputs[m_index]->paused;
    }
    void reset() override {
        int n;
        {
            std::lock_guard lock(m_device.m_lock);
            ++m_device.m_outputs[m_index]->resets;
            n = m_device.m_outputs[m_index]->pending;
        }
        m_device.deliver(m_index, n);
    }
    void close() override {
        std::unique_lock lock(m_device.m_lock);
        auto& out = *m_device.m_outputs[m_index];
        if (out.closed) return;
        out.closed = true;
        --m_device.m_open_now;
        m_device.m_changed.wait(lock, [&] { return out.delivering == 0; });
        m_device.m_changed.notify_all();
    }

private:
    FakeWaveDevice& m_device;
    int m_index;
};

FakeWaveDevice::FakeWaveDevice(bool automatic, std::chrono::milliseconds delay)
    : m_automatic(automatic), m_delay(delay), m_thread([this] { run(); }) {}

FakeWaveDevice::~FakeWaveDevice() {
    {
        std::lock_guard lock(m_lock);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

std::unique_ptr<plat::WaveOut> FakeWaveDevice::open(const plat::WaveFormat& format,
                                                    plat::BufferDone done) {
    if (!plat::playable_pcm(format)) return nullptr;
    std::lock_guard lock(m_lock);
    auto out = std::make_shared<Output>();
    out->format = format;
    out->done = std::move(done);
    m_outputs.push_back(out);
    m_most_open = std::max(m_most_open, ++m_open_now);
    m_changed.notify_all();
    return std::make_unique<Out>(*this, static_cast<int>(m_outputs.size()) - 1);
}

// Calls the output's completion outside the device lock, as a real device's
// notification thread does.
void FakeWaveDevice::deliver(int index, int n) {
    std::shared_ptr<Output> out;
    {
        std::lock_guard lock(m_lock);
        out = m_outputs[index];
        if (out->closed) return;
        n = std::min(n, out->pending);
        out->pending -= n;
        ++out->delivering;
    }
    for (int i = 0; i < n; ++i) out->done();
    std::lock_guard lock(m_lock);
    --out->delivering;
    m_changed.notify_all();
}

void FakeWaveDevice::complete(int n) {
    int count;
    {
        std::lock_guard lock(m_lock);
        count = static_cast<int>(m_outputs.size());
    }
    for (int i = 0; i < count; ++i) deliver(i, n);
}

void FakeWaveDevice::run() {
    std::unique_lock lock(m_lock);
    while (!m_quit) {
        if (!m_automatic || m_due.empty()) {
            m_changed.wait_for(lock, std::chrono::milliseconds(5));
            continue;
        }
        auto [index, when] = m_due.front();
        if (std::chrono::steady_clock::now() < when) {
            m_changed.wait_until(lock, when);
            continue;
        }
        m_due.pop_front();
        lock.unlock();
        deliver(index, 1);
        lock.lock();
    }
}

int FakeWaveDevice::opened() const {
    std::lock_guard lock(m_lock);
    return static_cast<int>(m_outputs.size());
}
int FakeWaveDevice::open_now() const {
    std::lock_guard lock(m_lock);
    return m_open_now;
}
int FakeWaveDevice::most_open_at_once() const {
    std::lock_guard lock(m_lock);
    return m_most_open;
}
FakeWaveDevice::Output FakeWaveDevice::output(int i) const {
    std::lock_guard lock(m_lock);
    Output copy = *m_outputs.at(i);
    return copy;
}

bool FakeWaveDevice::wait_for(const std::function<bool()>& pred,
                              std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace vel::test
