// A small HTTP/1.1 server on 127.0.0.1 for one test: it serves the responses set for each path
// (404 for the rest) from its own thread, one connection at a time, and can misbehave on
// purpose (cut a body short, send one that never ends, or never answer).
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class HttpServer {
public:
    enum class Mode {
        normal,     // status, length and body as set
        truncated,  // announces twice the body's length, sends the body, closes
        endless,    // a body without length that never ends
        silent,     // reads the request and never answers
        slow,       // status, length and body as set, one byte every 100 ms
    };

    struct Response {
        int status = 200;
        std::string body;
        Mode mode = Mode::normal;
        std::string location;  // for redirects
    };

    HttpServer() {
        listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int yes = 1;
        ::setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        ::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listen_, 16);
        socklen_t length = sizeof address;
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Run(); });
    }

    ~HttpServer() { Stop(); }
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    void Stop() {
        if (stop_.exchange(true)) return;
        if (thread_.joinable()) thread_.join();
        ::close(listen_);
    }

    int port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }

    void Set(const std::string& path, Response response) {
        std::lock_guard<std::mutex> lock(mutex_);
        routes_[path] = std::move(response);
    }
    void Serve(const std::string& path, const std::string& body) { Set(path, Response{200, body, Mode::normal, {}}); }

    // The paths asked for, in order.
    std::vector<std::string> Requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

    // A port on 127.0.0.1 where nothing listens.
    static int ClosedPort() {
        int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(fd);
        return ntohs(address.sin_port);
    }

private:
    // Waits up to 50 ms for the socket; false when it is not ready.
    static bool Ready(int fd, short events) {
        pollfd p{fd, events, 0};
        return ::poll(&p, 1, 50) > 0;
    }

    void Run() {
        while (!stop_) {
            if (!Ready(listen_, POLLIN)) continue;
            int client = ::accept(listen_, nullptr, nullptr);
            if (client < 0) continue;
            Handle(client);
            ::close(client);
        }
    }

    bool SendAll(int fd, const std::string& data) {
        std::size_t sent = 0;
        while (sent < data.size() && !stop_) {
            if (!Ready(fd, POLLOUT)) continue;
            ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) return false;
            sent += static_cast<std::size_t>(n);
        }
        return sent == data.size();
    }

    void Handle(int fd) {
        std::string request;
        char buffer[4096];
        while (!stop_ && request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            if (!Ready(fd, POLLIN)) continue;
            ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) return;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        std::size_t first = request.find(' ');
        std::size_t second = request.find(' ', first + 1);
        if (first == std::string::npos || second == std::string::npos) return;
        const std::string path = request.substr(first + 1, second - first - 1);
        Response response;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(path);
            auto it = routes_.find(path);
            response = it != routes_.end() ? it->second : Response{404, "not found", Mode::normal, {}};
        }
        std::string head = "HTTP/1.1 " + std::to_string(response.status) + " X\r\nConnection: close\r\n";
        if (!response.location.empty()) head += "Location: " + response.location + "\r\n";
        switch (response.mode) {
            case Mode::normal:
                SendAll(fd,
                        head + "Content-Length: " + std::to_string(response.body.size()) + "\r\n\r\n" + response.body);
                break;
            case Mode::truncated:
                SendAll(fd, head + "Content-Length: " + std::to_string(response.body.size() * 2 + 10) + "\r\n\r\n" +
                                response.body);
                break;
            case Mode::endless: {
                if (!SendAll(fd, head + "\r\n")) return;
                const std::string chunk(4096, 'x');
                while (!stop_ && SendAll(fd, chunk)) {
                }
                break;
            }
            case Mode::slow: {
                if (!SendAll(fd, head + "Content-Length: " + std::to_string(response.body.size()) + "\r\n\r\n"))
                    return;
                for (char c : response.body) {
                    for (int i = 0; i < 2 && !stop_; ++i) Ready(fd, 0);  // 2 x 50 ms
                    if (stop_ || !SendAll(fd, std::string(1, c))) return;
                }
                break;
            }
            case Mode::silent:
                // Until the client gives up.
                while (!stop_) {
                    if (!Ready(fd, POLLIN)) continue;
                    if (::recv(fd, buffer, sizeof buffer, 0) <= 0) break;
                }
                break;
        }
    }

    int listen_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, Response> routes_;
    std::vector<std::string> requests_;
};

}  // namespace testsupport
