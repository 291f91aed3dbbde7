// Every failure of a remote call, whatever its cause, reaches the caller as one of these,
// carrying the text to show the user (the server's own message where there is one).
#pragma once

#include <QString>
#include <stdexcept>

namespace kv::remote {

class RemoteError : public std::runtime_error {
  public:
    explicit RemoteError(const QString& message, int httpStatus = 0)
        : std::runtime_error(message.toStdString()), message_(message), httpStatus_(httpStatus) {}
    const QString& message() const { return message_; }
    // The HTTP status of a server failure (400, 500, ...); 0 for a transport failure.
    int httpStatus() const { return httpStatus_; }

  private:
    QString message_;
    int httpStatus_;
};

}  // namespace kv::remote
