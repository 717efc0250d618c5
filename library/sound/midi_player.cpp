#include "library/sound/midi_player.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "library/sound/midi_file.h"
#include "library/sound/midi_synth.h"
#include "library/sound/wait_pair.h"
#include "library/sound/wave_player.h"
#include "platform/audio/wave_out.h"

namespace vel {

namespace {

constexpr int kStreamBuffers = 2;
constexpr int kFramesPerBuffer = 2048;
constexpr std::chrono::milliseconds kStopWait{2000};

// Shared by the user-interface thread and the session's own thread; the
// thread keeps it alive even when a stop gives up waiting for it.
struct Session {
    std::vector<std::uint8_t> bytes;  // the runtime's copy of the file
    MidiSong song;
    bool loop = false;
    WaitPair free_buffers{kStreamBuffers, kStreamBuffers};
    std::mutex lock;
    std::condition_variable ended_changed;
    bool ended = false;  // guarded by lock

    // Session thread.
    void run() {
        plat::WaveFormat format;
        format.format_tag = 1;
        format.channels = 1;
        format.samples_per_second = MidiSynth::kRate;
        format.bits_per_sample = 16;
        format.block_align = 2;
        format.bytes_per_second = MidiSynth::kRate * 2;
        std::unique_ptr<plat::WaveOut> out =
            plat::wave_device().open(format, [this] { free_buffers.release(1); });
        if (out) play(*out);
        // Gone before `ended` is told: whoever waits may take the device away.
        out.reset();
        std::lock_guard guard(lock);
        ended = true;
        ended_changed.notify_all();
    }

    void play(plat::WaveOut& out) {
        MidiSynth synth;
        std::vector<std::int16_t> buffers[kStreamBuffers];
        for (auto& b : buffers) b.resize(kFramesPerBuffer);
        int next = 0;
        int held = 0;  // free buffers taken at the end of the song and kept
        std::size_t event = 0;
        std::uint64_t frame = 0;  // frames rendered since the (re)start
        const std::uint64_t end_frame =
            song.length_us * MidiSynth::kRate / 1000000 + MidiSynth::kRate / 4;
        for (;;) {
            const auto woken = free_buffers.wait(kWaveWaitTimeout);
            if (woken != WaitPair::Woken::semaphore) break;
            if (frame >= end_frame) {
                if (!loop) {
                    // Finished once every buffer has come back.
                    if (++held == kStreamBuffers) return;
                    continue;
                }
                frame = 0;
                event = 0;
                synth.silence();
            }
            std::vector<std::int16_t>& buf = buffers[next];
            // Events are applied at the start of the buffer they fall in:
            // a timing grain of 93 ms at most.
            const std::uint64_t until = frame + kFramesPerBuffer;
            while (event < song.events.size() &&
                   song.events[event].time_us * MidiSynth::kRate / 1000000 < until) {
                const MidiEvent& e = song.events[event++];
                synth.handle(e.status, e.data1, e.data2);
            }
            synth.render(buf);
            frame = until;
            out.write({reinterpret_cast<const std::uint8_t*>(buf.data()), buf.size() * 2});
            next = (next + 1) % kStreamBuffers;
        }
        out.pause();
        out.reset();
    }
};

std::mutex g_lock;                   // user-interface thread against itself (re-entry)
std::shared_ptr<Session> g_session;  // guarded by g_lock

void stop_locked() {
    if (!g_session) return;
    std::shared_ptr<Session> s = std::move(g_session);
    s->free_buffers.signal_stop();
    std::unique_lock guard(s->lock);
    s->ended_changed.wait_for(guard, kStopWait, [&] { return s->ended; });
}

}  // namespace

void midi_play(std::span<const std::uint8_t> bytes, bool loop) {
    std::lock_guard guard(g_lock);
    stop_locked();
    auto session = std::make_shared<Session>();
    session->bytes.assign(bytes.begin(), bytes.end());
    auto parsed = parse_midi(session->bytes);
    if (!std::holds_alternative<MidiSong>(parsed)) return;
    session->song = std::move(std::get<MidiSong>(parsed));
    session->loop = loop;
    try {
        std::thread([session] { session->run(); }).detach();
    } catch (const std::system_error&) {
        return;
    }
    g_session = std::move(session);
}

void midi_stop() {
    std::lock_guard guard(g_lock);
    stop_locked();
}

bool midi_playing() {
    std::lock_guard guard(g_lock);
    if (!g_session) return false;
    std::lock_guard inner(g_session->lock);
    return !g_session->ended;
}

}  // namespace vel
