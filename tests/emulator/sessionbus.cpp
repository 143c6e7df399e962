#include "sessionbus.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace lvemu {

namespace {

// Connecting fails at once (no such socket); libdbus autolaunches only when no address is set.
constexpr char kUnreachableBus[] = "unix:path=/nonexistent/lv-emulator-no-session-bus";

// Starts `dbus-daemon --session --nofork` and returns the address it prints, or "".
std::string startPrivateBus()
{
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return std::string();
    const pid_t parent = getpid();
    const pid_t daemon = fork();
    if (daemon == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);   // ends with the thread that started it, which an exec keeps
        if (getppid() != parent)
            _exit(1);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        dup2(out[1], 3);
        closefrom(4);
        execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", "--print-address=3", nullptr);
        _exit(127);
    }
    close(out[1]);
    std::string address;
    char buffer[256];
    pollfd ready{out[0], POLLIN, 0};
    ssize_t n = 0;
    while (daemon > 0 && address.find('\n') == std::string::npos && poll(&ready, 1, 10000) > 0
           && (n = read(out[0], buffer, sizeof buffer)) > 0) {
        address.append(buffer, size_t(n));
    }
    close(out[0]);
    if (address.find('\n') == std::string::npos) {
        if (daemon > 0) {
            kill(daemon, SIGKILL);
            waitpid(daemon, nullptr, 0);
        }
        return std::string();
    }
    return address.substr(0, address.find('\n'));
}

} // namespace

void ensureSessionBus()
{
    const char* current = getenv("DBUS_SESSION_BUS_ADDRESS");
    if (current && *current)
        return;
    const std::string address = startPrivateBus();
    setenv("DBUS_SESSION_BUS_ADDRESS", address.empty() ? kUnreachableBus : address.c_str(), 1);
}

} // namespace lvemu
