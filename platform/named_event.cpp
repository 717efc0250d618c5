#include "platform/named_event.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace plat {
namespace {

struct HandleRecord {
    int fd = -1;  // the bound socket when this process created the event
    std::string name;
    std::thread answering;  // accepts and drops the checks of other processes
};

struct Handles {
    std::mutex lock;
    std::map<EventHandle, HandleRecord> records;
    EventHandle next = 0x100;
};

// Never destroyed: a record may hold a running thread when the process exits.
Handles& handles() {
    static Handles& h = *new Handles;
    return h;
}

EventHandle add_handle(int fd, std::string_view name, std::thread answering = {}) {
    Handles& h = handles();
    std::lock_guard guard(h.lock);
    const EventHandle id = h.next;
    h.next += 4;
    h.records.emplace(id, HandleRecord{fd, std::string(name), std::move(answering)});
    return id;
}

// Each check connects and hangs up. Unaccepted, those connections would stay
// in the listener's queue until it is full (a few thousand checks), and from
// then on every check would fail as if the event were gone.
void answer_checks(int listener) {
    for (;;) {
        const int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0)
            close(fd);
        else if (errno != EINTR && errno != ECONNABORTED)
            return;  // shut down by close_event_handle
    }
}

std::uint64_t fnv1a(std::string_view s) {
    std::uint64_t v = 1469598103934665603ull;
    for (unsigned char c : s) v = (v ^ c) * 1099511628211ull;
    return v;
}

socklen_t make_address(std::string_view name, sockaddr_un& addr) {
    addr = {};
    addr.sun_family = AF_UNIX;
    const std::string a = named_event_address(name);
    addr.sun_path[0] = '\0';  // abstract namespace: no file, gone with the socket
    a.copy(addr.sun_path + 1, a.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + a.size());
}

// True when a process of this user listens on the event's name. The
// listener's credentials are recorded when it starts listening, so
// SO_PEERCRED names its owner whether or not the connection is accepted yet.
// A name held by another user reads as "not ours".
bool held_by_this_user(std::string_view name) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    sockaddr_un addr;
    const socklen_t len = make_address(name, addr);
    bool ours = false;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), len) == 0) {
        ucred peer{};
        socklen_t size = sizeof peer;
        ours = getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
    }
    close(fd);
    return ours;
}

}  // namespace

std::string display_identity(std::string_view display) {
    // [host]:number[.screen]; the screen does not make another display, and
    // "unix" is the local host spelled out.
    const std::size_t colon = display.rfind(':');
    if (colon == std::string_view::npos) return std::string(display);
    std::string_view host = display.substr(0, colon);
    std::string_view number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (host == "unix") host = {};
    while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
    return std::string(host) + ":" + std::string(number);
}

std::string named_event_address(std::string_view name) {
    const char* display = std::getenv("DISPLAY");
    std::string a = "vel-event/" + std::to_string(getuid()) + "/" +
                    display_identity(display ? display : "") + "/";
    // The name's own bytes keep it readable in `ss -x`; very long names
    // (beyond the socket address size) are replaced by their hash.
    constexpr std::size_t kRoom = sizeof(sockaddr_un::sun_path) - 1;
    if (a.size() + name.size() <= kRoom) return a + std::string(name);
    char hash[24];
    std::snprintf(hash, sizeof hash, "#%016llx", static_cast<unsigned long long>(fnv1a(name)));
    a += hash;
    return a.size() <= kRoom ? a : a.substr(0, kRoom);
}

EventHandle open_named_event(std::string_view name) {
    if (name.empty()) return 0;
    return held_by_this_user(name) ? add_handle(-1, name) : 0;
}

EventHandle create_named_event(std::string_view name) {
    if (name.empty()) return add_handle(-1, name);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return 0;
    sockaddr_un addr;
    const socklen_t len = make_address(name, addr);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&addr), len) == 0 &&
        listen(fd, SOMAXCONN) == 0) {
        std::thread answering;
        try {
            answering = std::thread(answer_checks, fd);
        } catch (const std::system_error&) {
            // No thread to spare: the event still holds for the first checks.
        }
        return add_handle(fd, name, std::move(answering));
    }
    const int error = errno;
    close(fd);
    if (error != EADDRINUSE) return 0;
    // Creating an existing event hands out the existing one. When another
    // user holds the name, the handle names nothing: the caller goes on
    // without the event rather than being locked out by someone else.
    return add_handle(-1, name);
}

bool close_event_handle(EventHandle handle) {
    HandleRecord record;
    {
        Handles& h = handles();
        std::lock_guard guard(h.lock);
        auto it = h.records.find(handle);
        if (it == h.records.end()) return false;
        record = std::move(it->second);
        h.records.erase(it);
    }
    if (record.fd < 0) return true;
    // Shutting the listener down ends its accept; only then may the
    // descriptor close, as its number could be reused under the thread.
    shutdown(record.fd, SHUT_RDWR);
    if (record.answering.joinable()) record.answering.join();
    close(record.fd);
    return true;
}

}  // namespace plat
