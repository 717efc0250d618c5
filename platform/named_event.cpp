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

namespace plat {
namespace {

struct HandleRecord {
    int fd = -1;  // the bound socket when this process created the event
    std::string name;
};

struct Handles {
    std::mutex lock;
    std::map<EventHandle, HandleRecord> records;
    EventHandle next = 0x100;
};

Handles& handles() {
    static Handles h;
    return h;
}

EventHandle add_handle(int fd, std::string_view name) {
    Handles& h = handles();
    std::lock_guard guard(h.lock);
    const EventHandle id = h.next;
    h.next += 4;
    h.records.emplace(id, HandleRecord{fd, std::string(name)});
    return id;
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

}  // namespace

std::string named_event_address(std::string_view name) {
    const char* display = std::getenv("DISPLAY");
    std::string a = "vel-event/" + std::to_string(getuid()) + "/" + (display ? display : "") + "/";
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
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return 0;
    sockaddr_un addr;
    const socklen_t len = make_address(name, addr);
    // Connecting a datagram socket only checks that the name is bound.
    const bool exists = connect(fd, reinterpret_cast<const sockaddr*>(&addr), len) == 0;
    close(fd);
    return exists ? add_handle(-1, name) : 0;
}

EventHandle create_named_event(std::string_view name) {
    if (name.empty()) return add_handle(-1, name);
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return 0;
    sockaddr_un addr;
    const socklen_t len = make_address(name, addr);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&addr), len) == 0) return add_handle(fd, name);
    const int error = errno;
    close(fd);
    // Creating an existing event hands out the existing one.
    if (error == EADDRINUSE) return open_named_event(name);
    return 0;
}

bool close_event_handle(EventHandle handle) {
    Handles& h = handles();
    std::lock_guard guard(h.lock);
    auto it = h.records.find(handle);
    if (it == h.records.end()) return false;
    if (it->second.fd >= 0) close(it->second.fd);
    h.records.erase(it);
    return true;
}

}  // namespace plat
