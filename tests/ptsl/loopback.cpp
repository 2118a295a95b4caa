#include "loopback.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A socket bound to a free loopback port; its port in *port.
int boundLoopbackSocket(int *port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        throw std::runtime_error("cannot bind a loopback socket");
    }
    *port = ntohs(address.sin_port);
    return fd;
}

} // namespace

std::string unusedLoopbackAddress()
{
    int port = 0;
    ::close(boundLoopbackSocket(&port));
    return "127.0.0.1:" + std::to_string(port);
}

SilentListener::SilentListener()
{
    fd_ = boundLoopbackSocket(&port_);
    if (listen(fd_, 16) != 0) {
        close();
        throw std::runtime_error("cannot listen on a loopback socket");
    }
}

void SilentListener::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}
