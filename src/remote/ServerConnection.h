// The one kind of connection every remote call starts from: the parameters of the
// application server connection, and while open one TCP socket to it over which all calls
// of this connection travel (HTTP/1.1, keep-alive). One thread at a time uses an object.
#pragma once

#include <QString>
#include <memory>
#include <string>

namespace kv::remote {

struct ConnectionParams {
    QString connectionName = QStringLiteral("DataSnapCONNECTION");
    QString driverName = QStringLiteral("DataSnap");
    QString driverUnit = QStringLiteral("Data.DBXDataSnap");
    QString communicationProtocol = QStringLiteral("tcp/ip");
    QString hostName = QStringLiteral("localhost");
    QString port = QStringLiteral("9090");
    QString datasnapContext = QStringLiteral("datasnap/");
    QString dsProxyPort = QStringLiteral("8090");
    QString filters = QStringLiteral("{}");
    bool loginPrompt = false;
    int connectTimeoutMs = 3000;  // a connect attempt gives up after this
    int readTimeoutMs = 60000;    // a call waits this long for its answer
};

class ServerConnection {
  public:
    ServerConnection();
    explicit ServerConnection(ConnectionParams params);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    ConnectionParams& params() { return params_; }
    const ConnectionParams& params() const { return params_; }
    void setHostName(const QString& host) { params_.hostName = host; }
    void setPort(const QString& port) { params_.port = port; }

    // A new, unopened connection with all current parameters of this one.
    std::unique_ptr<ServerConnection> clone() const;

    // Connects the socket; throws RemoteError when the server cannot be reached. Opening an
    // open connection does nothing.
    void open();
    // Closes the socket; harmless when closed.
    void close();
    bool isOpen() const;

    // One call: POSTs the JSON body to <context>call/TServerMethods1.<method> and returns the
    // answer's status and body. Throws RemoteError on any transport failure (and closes the
    // connection then, since the socket's state is unknown).
    struct Reply {
        int status = 0;
        std::string body;
    };
    Reply post(const std::string& method, const std::string& jsonBody);

    // Number of sockets this object has connected; lets tests see that calls share one.
    int connectCount() const { return connectCount_; }

  private:
    struct Socket;
    ConnectionParams params_;
    std::unique_ptr<Socket> socket_;
    int connectCount_ = 0;
};

}  // namespace kv::remote
