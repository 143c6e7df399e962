#pragma once
// A D-Bus session bus for a process that runs under the umockdev preload.
//
// With no bus address set (as in CI), libdbus forks to autolaunch a bus the first time one
// is asked for (Qt's accessibility asks while the first widgets are built). Under the
// preload that forked child can block forever on a preload lock that another thread held
// at the fork, and the program waits for the child forever. A process that has an address
// never forks for it.

namespace lvemu {

// When DBUS_SESSION_BUS_ADDRESS is unset, starts a private dbus-daemon that ends with this
// process (also across an exec) and sets the variable for this process and its children;
// where no daemon can be started, sets an address that fails at once instead. Call while
// the process has one thread, before the preload is loaded.
void ensureSessionBus();

} // namespace lvemu
