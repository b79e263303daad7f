#pragma once
// The computer's name and its first IPv4 address, as the transfer test
// window shows them.
#include <string>

namespace tallix::transfer {

struct HostIdentity {
  std::string name;     // empty when the sockets library would not say
  std::string address;  // "192.168.1.10"; "0.0.0.0" when the lookup fails
};

HostIdentity ReadHostIdentity();

}  // namespace tallix::transfer
