#pragma once
// A wave device for tests: records every output it opens and every buffer
// written to it, and hands buffers back either on its own completion thread
// (after `delay`) or only when the test says so.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "library/sound/sound_commands.h"
#include "platform/audio/wave_out.h"

namespace vel::test {

class FakeWaveDevice : public plat::WaveDevice {
public:
    struct Output {
        plat::WaveFormat format;
        plat::BufferDone done;
        std::vector<std::vector<std::uint8_t>> writes;
        int pending = 0;  // written, not yet handed back
        int paused = 0, resets = 0;
        bool closed = false;
        int delivering = 0;
    };

    // automatic: buffers come back `delay` after they were written.
    explicit FakeWaveDevice(bool automatic = true,
                            std::chrono::milliseconds delay = std::chrono::milliseconds(1));
    ~FakeWaveDevice() override;

    std::unique_ptr<plat::WaveOut> open(const plat::WaveFormat& format,
                                        plat::BufferDone done) override;

    // Hands back up to n pending buffers of every open output.
    void complete(int n);
    int opened() const;
    int open_now() const;  // opened and not yet closed
    int most_open_at_once() const;
    // A copy of output i's record.
    Output output(int i) const;
    // Waits until pred() holds (checked whenever the device changes).
    bool wait_for(const std::function<bool()>& pred, std::chrono::milliseconds timeout);

private:
    class Out;
    void deliver(int index, int n);
    void run();

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<std::shared_ptr<Output>> m_outputs;
    std::deque<std::pair<int, std::chrono::steady_clock::time_point>> m_due;
    int m_open_now = 0, m_most_open = 0;
    bool m_automatic;
    std::chrono::milliseconds m_delay;
    bool m_quit = false;
    std::thread m_thread;
};

// Installs a fake for one test and restores the real device afterwards;
// first every sound still playing on the fake is stopped and waited for.
class InstalledDevice {
public:
    explicit InstalledDevice(FakeWaveDevice& device) { plat::set_wave_device(&device); }
    ~InstalledDevice() {
        stop_all(true);
        plat::set_wave_device(nullptr);
    }
};

}  // namespace vel::test
