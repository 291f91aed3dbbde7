// HTTP/1.1 on one port for both the remote calls (POST /datasnap/call/...) and the web host
// (the address echo, the update file, the home page).
#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace kv::server {

class Dispatcher;

struct WebHostConfig {
    std::string updateFile;  // served as /exe/KaveltrimDornep.exe when set
    // The picture of a stock number: its bytes and content type, or nothing (404).
    std::function<std::optional<std::pair<std::string, std::string>>(long long stokno)> picture;
};

class HttpServer {
  public:
    HttpServer(Dispatcher& dispatcher, WebHostConfig web, const std::string& address,
               unsigned short port);
    ~HttpServer();

    unsigned short port() const;
    // Serves on `threads` threads until stop().
    void start(int threads);
    // Stops accepting, closes idle connections, lets the requests being answered finish
    // (their answers are still written) and joins the threads.
    void stop();

    // What the sessions share with the server (dispatcher, web host, stop flag, registry).
    struct Shared;

  private:
    void accept();

    boost::asio::io_context ioc_;
    boost::asio::ip::tcp::acceptor acceptor_;
    std::shared_ptr<Shared> shared_;
    std::vector<std::thread> threads_;
};

}  // namespace kv::server
