#include "library/sound/wave_player.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <vector>

#include "library/sound/riff_chunks.h"
#include "library/sound/wait_pair.h"
#include "platform/audio/wave_out.h"

namespace vel {

namespace {

std::atomic<std::int64_t> g_timeout_ms{kWaveWaitTimeout.count()};
std::atomic<WavePlayerObserver> g_observer{nullptr};

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

class WavePlayer;

// The process-wide player list. The user-interface thread adds and stops
// players; each worker removes its own player and, as its very last act,
// its serial from `live`.
struct PlayerList {
    std::mutex lock;
    std::condition_variable worker_ended;
    std::vector<WavePlayer*> players;  // guarded by lock
    std::set<std::uint64_t> live;      // serials of running workers, guarded by lock
    std::uint64_t next_serial = 1;     // guarded by lock
};

PlayerList& player_list() {
    // Never destroyed: workers may still be ending while the process exits.
    static PlayerList* list = new PlayerList();
    return *list;
}

class WavePlayer {
public:
    WavePlayer(const plat::WaveFormat& format, bool loop) : m_format(format), m_loop(loop) {}

    // User-interface thread: copies and allocations; false when one fails.
    bool prepare(std::span<const std::uint8_t> samples) {
        m_samples.reset(static_cast<std::uint8_t*>(std::malloc(samples.size())));
        const std::size_t block = kWaveBuffers * (sizeof(WaveBufferHeader) + kWaveBufferBytes);
        m_block.reset(static_cast<std::uint8_t*>(std::calloc(1, block)));
        if (!m_samples || !m_block) return false;
        std::memcpy(m_samples.get(), samples.data(), samples.size());
        m_length = samples.size();
        std::uint8_t* buffers = m_block.get() + kWaveBuffers * sizeof(WaveBufferHeader);
        for (int i = 0; i < kWaveBuffers; ++i) header(i).data = buffers + i * kWaveBufferBytes;
        return true;
    }

    std::uint64_t serial = 0;  // set under the list lock before the worker starts
    WaitPair& wait_pair() { return m_wait; }

    // Worker thread: runs the player to its end, then deletes it.
    static void run(WavePlayer* self) {
        std::unique_ptr<WavePlayer> owner(self);
        self->work();
        const WavePlayerTrace trace = self->m_trace;
        const std::uint64_t serial = self->serial;
        owner.reset();  // closes the device and frees the copies
        if (WavePlayerObserver observer = g_observer.load()) observer(trace);
        PlayerList& list = player_list();
        std::lock_guard lock(list.lock);
        list.live.erase(serial);
        list.worker_ended.notify_all();
    }

private:
    WaveBufferHeader& header(int i) {
        return reinterpret_cast<WaveBufferHeader*>(m_block.get())[i];
    }
    void unprepare_all() {
        for (int i = 0; i < kWaveBuffers; ++i) header(i).prepared = 0;
    }

    // Notification thread: one buffer came back.
    void buffer_done() {
        {
            std::lock_guard lock(m_lock);
            ++m_free;
        }
        m_wait.release(1);
    }

    void work() {
        // Opening takes a few milliseconds; the worker does it so that play
        // sound returns at once.
        m_device = plat::wave_device().open(m_format, [this] { buffer_done(); });
        m_trace.device_open = m_device != nullptr;
        for (;;) {
            const auto timeout = std::chrono::milliseconds(g_timeout_ms.load());
            const WaitPair::Woken woken = m_wait.wait(timeout);
            if (woken != WaitPair::Woken::semaphore) {
                // Stopped, or no progress for a whole timeout.
                if (m_device) {
                    m_device->pause();
                    m_device->reset();
                }
                unprepare_all();
                m_trace.stopped = true;
                break;
            }
            int free;
            {
                std::lock_guard lock(m_lock);
                free = m_free;
            }
            if (free < 1) continue;
            WaveBufferHeader& h = header(m_next);
            h.prepared = 0;
            const std::size_t remaining =
                std::min<std::size_t>(m_length - m_offset, kWaveBufferBytes);
            if (remaining == 0) {
                if (free < kWaveBuffers) continue;  // the last buffers still play
                if (!m_loop) {
                    unprepare_all();
                    m_trace.finished = true;
                    break;
                }
                m_offset = 0;
                m_next = 0;
                {
                    std::lock_guard lock(m_lock);
                    m_free = kWaveBuffers;
                }
                ++m_trace.restarts;
                m_wait.release(kWaveBuffers);
                continue;
            }
            std::memcpy(h.data, m_samples.get() + m_offset, remaining);
            h.length = static_cast<std::uint32_t>(remaining);
            m_offset += remaining;
            h.prepared = 1;
            // Counted before the write so that a quick completion cannot
            // push the count above 20.
            {
                std::lock_guard lock(m_lock);
                --m_free;
            }
            if (m_device) m_device->write({h.data, h.length});
            ++m_trace.fills;
            m_next = (m_next + 1) % kWaveBuffers;
        }
        PlayerList& list = player_list();
        {
            std::lock_guard lock(list.lock);
            std::erase(list.players, this);
        }
        if (m_device) m_device->close();
    }

    plat::WaveFormat m_format;
    std::unique_ptr<std::uint8_t, FreeDeleter> m_samples;  // the "data" chunk's copy
    std::unique_ptr<plat::WaveOut> m_device;               // null: no sound
    std::size_t m_length = 0;
    std::unique_ptr<std::uint8_t, FreeDeleter> m_block;  // 20 headers, then 20 buffers
    int m_free = kWaveBuffers;                           // guarded by m_lock
    int m_next = 0;                                      // worker only
    std::size_t m_offset = 0;                            // worker only
    WaitPair m_wait{kWaveBuffers, kWaveBuffers};
    std::mutex m_lock;
    bool m_loop;
    WavePlayerTrace m_trace;  // worker only
};

}  // namespace

bool start_wave_player(std::span<const std::uint8_t> riff, bool loop) {
    const std::optional<WaveChunks> chunks = find_wave_chunks(riff);
    if (!chunks) return false;
    const std::optional<plat::WaveFormat> format = plat::read_wave_format(chunks->format);
    if (!format) return false;
    auto player = std::make_unique<WavePlayer>(*format, loop);
    if (!player->prepare(chunks->samples)) return false;

    PlayerList& list = player_list();
    WavePlayer* p = player.get();
    {
        std::lock_guard lock(list.lock);
        p->serial = list.next_serial++;
        list.players.push_back(p);
        list.live.insert(p->serial);
    }
    try {
        std::thread(&WavePlayer::run, player.release()).detach();
    } catch (const std::system_error&) {
        std::lock_guard lock(list.lock);
        std::erase(list.players, p);
        list.live.erase(p->serial);
        delete p;
        return false;
    }
    return true;
}

void stop_wave_players(bool wait) {
    PlayerList& list = player_list();
    std::unique_lock lock(list.lock);
    // Waiting covers workers already past the list, too: at program end
    // none may still be freeing its player.
    std::vector<std::uint64_t> noted;
    if (wait) noted.assign(list.live.begin(), list.live.end());
    for (WavePlayer* p : list.players) p->wait_pair().signal_stop();
    if (!wait) return;
    list.worker_ended.wait(lock, [&] {
        return std::none_of(noted.begin(), noted.end(),
                            [&](std::uint64_t s) { return list.live.count(s) != 0; });
    });
}

int wave_player_count() {
    PlayerList& list = player_list();
    std::lock_guard lock(list.lock);
    return static_cast<int>(list.players.size());
}

void set_wave_wait_timeout(std::chrono::milliseconds timeout) {
    g_timeout_ms = timeout.count();
}

void set_wave_player_observer(WavePlayerObserver observer) {
    g_observer = observer;
}

}  // namespace vel
