// One PulseAudio playback stream per open output. Buffers are done when the
// stream's played position passes their end; the position is polled every
// 10 ms on the mainloop thread while buffers are outstanding, and an
// underflow hands back everything still queued.
#include <deque>

#include "platform/audio/notifier.h"
#include "platform/audio/pulse_device.h"
#include "platform/audio/pulse_library.h"

namespace plat {

namespace {

constexpr pa_usec_t kPollInterval = 10 * 1000;

pa_sample_format_t sample_format(int bits) {
    switch (bits) {
        case 8:
            return PA_SAMPLE_U8;
        case 16:
            return PA_SAMPLE_S16LE;
        case 24:
            return PA_SAMPLE_S24LE;
        default:
            return PA_SAMPLE_S32LE;
    }
}

class PulseWaveOut final : public WaveOut {
public:
    PulseWaveOut(PulseConnection& pulse, BufferDone done)
        : m_pulse(pulse), m_done(std::move(done)) {}
    ~PulseWaveOut() override { close(); }

    // Caller holds the mainloop lock.
    bool connect(const pa_sample_spec& samples) {
        m_samples = samples;
        m_stream = pa().pa_stream_new(m_pulse.context(), "sound", &samples, nullptr);
        if (!m_stream) return false;
        pa().pa_stream_set_state_callback(m_stream, on_state, this);
        pa().pa_stream_set_underflow_callback(m_stream, on_underflow, this);
        auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_INTERPOLATE_TIMING |
                                                    PA_STREAM_AUTO_TIMING_UPDATE);
        if (pa().pa_stream_connect_playback(m_stream, nullptr, nullptr, flags, nullptr, nullptr) <
            0)
            return false;
        for (;;) {
            pa_stream_state_t state = pa().pa_stream_get_state(m_stream);
            if (state == PA_STREAM_READY) return true;
            if (!PA_STREAM_IS_GOOD(state)) return false;
            pa().pa_threaded_mainloop_wait(m_pulse.mainloop());
        }
    }

    bool write(std::span<const std::uint8_t> bytes) override {
        // A trailing part frame cannot be played; the buffer still completes.
        const std::size_t frame = pa().pa_frame_size(&m_samples);
        const std::size_t whole = bytes.size() - bytes.size() % frame;
        Lock lock(m_pulse);
        if (!m_stream) return false;
        if (whole > 0) {
            if (pa().pa_stream_write(m_stream, bytes.data(), whole, nullptr, 0, PA_SEEK_RELATIVE) <
                0)
                return false;
            if (pa().pa_stream_is_corked(m_stream) == 1)
                unref(pa().pa_stream_cork(m_stream, 0, nullptr, nullptr));
            // Less than the prebuffer never starts on its own.
            unref(pa().pa_stream_trigger(m_stream, nullptr, nullptr));
        }
        m_written += whole;
        m_ends.push_back(m_written);
        poll_later();
        return true;
    }

    void pause() override {
        Lock lock(m_pulse);
        if (m_stream) unref(pa().pa_stream_cork(m_stream, 1, nullptr, nullptr));
    }

    void reset() override {
        Lock lock(m_pulse);
        if (!m_stream) return;
        unref(pa().pa_stream_flush(m_stream, nullptr, nullptr));
        hand_back_all();
    }

    void close() override {
        {
            Lock lock(m_pulse);
            if (m_timer) {
                pa().pa_threaded_mainloop_get_api(m_pulse.mainloop())->time_free(m_timer);
                m_timer = nullptr;
            }
            if (m_stream) {
                pa().pa_stream_set_state_callback(m_stream, nullptr, nullptr);
                pa().pa_stream_set_underflow_callback(m_stream, nullptr, nullptr);
                pa().pa_stream_disconnect(m_stream);
                pa().pa_stream_unref(m_stream);
                m_stream = nullptr;
            }
            m_ends.clear();
        }
        Notifier::instance().forget(this);
    }

    void disconnect_failed() {
        if (!m_stream) return;
        pa().pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa().pa_stream_set_underflow_callback(m_stream, nullptr, nullptr);
        pa().pa_stream_disconnect(m_stream);
        pa().pa_stream_unref(m_stream);
        m_stream = nullptr;
    }

private:
    struct Lock {
        explicit Lock(PulseConnection& p) : loop(p.mainloop()) {
            pa().pa_threaded_mainloop_lock(loop);
        }
        ~Lock() { pa().pa_threaded_mainloop_unlock(loop); }
        pa_threaded_mainloop* loop;
    };

    static void unref(pa_operation* op) {
        if (op) pa().pa_operation_unref(op);
    }

    // Mainloop thread or lock holder from here on.
    void hand_back_all() {
        const int n = static_cast<int>(m_ends.size());
        m_ends.clear();
        Notifier::instance().post(this, &m_done, n);
    }

    void poll_later() {
        if (m_timer || m_ends.empty()) return;
        pa_mainloop_api* api = pa().pa_threaded_mainloop_get_api(m_pulse.mainloop());
        timeval tv;
        pa().pa_timeval_add(pa().pa_gettimeofday(&tv), kPollInterval);
        m_timer = api->time_new(api, &tv, on_poll, this);
    }

    void poll() {
        pa_usec_t played_time = 0;
        if (m_stream && pa().pa_stream_get_time(m_stream, &played_time) == 0) {
            const std::uint64_t played = pa().pa_usec_to_bytes(played_time, &m_samples);
            int done = 0;
            while (!m_ends.empty() && m_ends.front() <= played) {
                m_ends.pop_front();
                ++done;
            }
            Notifier::instance().post(this, &m_done, done);
        }
        if (m_ends.empty()) {
            pa().pa_threaded_mainloop_get_api(m_pulse.mainloop())->time_free(m_timer);
            m_timer = nullptr;
            return;
        }
        timeval tv;
        pa().pa_timeval_add(pa().pa_gettimeofday(&tv), kPollInterval);
        pa().pa_threaded_mainloop_get_api(m_pulse.mainloop())->time_restart(m_timer, &tv);
    }

    static void on_poll(pa_mainloop_api*, pa_time_event*, const timeval*, void* userdata) {
        static_cast<PulseWaveOut*>(userdata)->poll();
    }
    static void on_underflow(pa_stream*, void* userdata) {
        static_cast<PulseWaveOut*>(userdata)->hand_back_all();
    }
    static void on_state(pa_stream*, void* userdata) {
        auto* self = static_cast<PulseWaveOut*>(userdata);
        pa().pa_threaded_mainloop_signal(self->m_pulse.mainloop(), 0);
    }

    PulseConnection& m_pulse;
    BufferDone m_done;
    pa_sample_spec m_samples{};
    // Guarded by the mainloop lock:
    pa_stream* m_stream = nullptr;
    pa_time_event* m_timer = nullptr;
    std::uint64_t m_written = 0;
    std::deque<std::uint64_t> m_ends;  // stream byte position where each buffer ends
};

class PulseWaveDevice final : public WaveDevice {
public:
    std::unique_ptr<WaveOut> open(const WaveFormat& format, BufferDone done) override {
        if (!playable_pcm(format)) return nullptr;
        PulseConnection& pulse = PulseConnection::instance();
        if (!pulse.connect()) return nullptr;
        pa_sample_spec samples{};
        samples.format = sample_format(format.bits_per_sample);
        samples.rate = format.samples_per_second;
        samples.channels = static_cast<std::uint8_t>(format.channels);
        if (!pa().pa_sample_spec_valid(&samples)) return nullptr;
        auto out = std::make_unique<PulseWaveOut>(pulse, std::move(done));
        pa().pa_threaded_mainloop_lock(pulse.mainloop());
        bool ok = pulse.context() && out->connect(samples);
        if (!ok) out->disconnect_failed();
        pa().pa_threaded_mainloop_unlock(pulse.mainloop());
        if (!ok) return nullptr;
        return out;
    }
};

}  // namespace

WaveDevice& pulse_wave_device() {
    static PulseWaveDevice device;
    return device;
}

}  // namespace plat
