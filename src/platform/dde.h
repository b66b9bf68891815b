#pragma once

#include <cstdint>
#include <string>

// The DDE seam: a client of the Program Manager's DDE server, service and topic "PROGMAN".
namespace platform::dde {

using InstanceId = std::uintptr_t;

// Registers as a client-only DDE application; 0 on success, else the DDE error code.
unsigned StartClient(InstanceId* instance);
void StopClient(InstanceId instance);
// One execute transaction in text format, in a conversation of its own, 1000 ms time-out.
// 1 when the transaction returned data, else 0 (also when no server answers).
int SendProgmanCommand(InstanceId instance, const std::string& command);
// The Program Manager needs a moment between items.
void PauseBetweenItems();

// Owns a client registration, released on every path.
class Client {
  public:
    Client() : error_(StartClient(&instance_)) {}
    ~Client() {
        if (error_ == 0)
            StopClient(instance_);
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    unsigned Error() const { return error_; }
    int Send(const std::string& command) { return SendProgmanCommand(instance_, command); }

  private:
    InstanceId instance_ = 0;
    unsigned error_;
};

}  // namespace platform::dde
