#include "tools/transfer/host_identity_win.h"

#include <winsock2.h>

#include "services/format_mask.h"

namespace tallix::transfer {

namespace {

// The sockets library for the lifetime of the object; usable() only when
// version 2 was granted.
class SocketsLibrary {
 public:
  SocketsLibrary() : started_(WSAStartup(MAKEWORD(2, 0), &data_) == 0) {}
  ~SocketsLibrary() {
    if (started_) WSACleanup();
  }
  SocketsLibrary(const SocketsLibrary&) = delete;
  SocketsLibrary& operator=(const SocketsLibrary&) = delete;
  bool usable() const { return started_ && LOBYTE(data_.wVersion) == 2; }

 private:
  WSADATA data_{};
  bool started_;
};

std::string HostName() {
  const SocketsLibrary sockets;
  char name[256] = {};
  if (!sockets.usable() || gethostname(name, sizeof name) != 0) return {};
  return name;
}

// The empty name resolves to the computer's own addresses.
std::string FirstAddress() {
  const SocketsLibrary sockets;
  unsigned char bytes[4] = {};
  const hostent* host = sockets.usable() ? gethostbyname("") : nullptr;
  if (host && host->h_addrtype == AF_INET && host->h_length == 4 && host->h_addr_list[0]) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(host->h_addr_list[0][i]);
  }
  return FormatUsing("#_.#_.#_.#", {static_cast<Real>(bytes[0]), static_cast<Real>(bytes[1]),
                                    static_cast<Real>(bytes[2]), static_cast<Real>(bytes[3])});
}

}  // namespace

HostIdentity ReadHostIdentity() { return {HostName(), FirstAddress()}; }

}  // namespace tallix::transfer
