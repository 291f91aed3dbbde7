// The real reference server for tests: a kaveltrim-server process on a free loopback port
// with a fresh copy of the demo database, and per-test folders and environment.
#pragma once

#include <gtest/gtest.h>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kv::test {

// Demo workstations (see server/README.md).
inline constexpr const char* kDealerWorkstation = "KVDEMO-BAYI-0";    // DEMO / 1234, kind 0
inline constexpr const char* kRep1Workstation = "KVDEMO-TEMSILCI-1";  // TEMSILCI1 / 1111
inline constexpr const char* kRep2Workstation = "KVDEMO-TEMSILCI-2";  // TEMSILCI2 / 2222
inline constexpr const char* kKind3Workstation = "KVDEMO-BAYI-3";     // SAHIN / 3333
inline constexpr const char* kKind4Workstation = "KVDEMO-BAYI-4";     // ISIK / 4444
inline constexpr const char* kInactiveWorkstation = "KVDEMO-PASIF";   // PASIF / 5555
inline constexpr const char* kBdmWorkstation = "KVDEMO-BDM";          // BDM / 6666

class TestServer {
  public:
    TestServer();
    ~TestServer();

    // Starts serving (on a fresh demo database the first time, on the same one afterwards).
    void start(const QStringList& extraArgs = {});
    // SIGTERM and wait; the exit code, or -1 when it crashed, hung or was not running.
    int stop();
    void kill();  // SIGKILL
    bool running() const;

    QString host() const { return QStringLiteral("127.0.0.1"); }
    int port() const { return port_; }
    QString dbPath() const { return dir_.filePath(QStringLiteral("kaveltrim.db")); }
    QString webUrl() const { return QStringLiteral("http://127.0.0.1:%1/").arg(port_); }

    // Runs an administration command of the server on this database; returns its stdout.
    QString admin(const QStringList& args, int* exitCode = nullptr) const;
    // A read-only SQL query on the database: rows joined by "\n", columns by "|".
    QString query(const QString& sql) const;

  private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> proc_;
    int port_ = 0;
};

// Per-test folders for the client's data, documents and desktop, set through the
// environment, and the client pointed at a server; restores the environment afterwards.
class TestEnvironment {
  public:
    TestEnvironment();
    ~TestEnvironment();
    void pointAt(const TestServer& server);
    QString dataDir() const { return dir_.filePath(QStringLiteral("veri")); }
    QString documentsDir() const { return dir_.filePath(QStringLiteral("belgeler")); }
    QString desktopDir() const { return dir_.filePath(QStringLiteral("masaustu")); }
    void set(const char* name, const QString& value);

  private:
    QTemporaryDir dir_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A fixture with a running server and the environment pointed at it.
class ServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server.start();
        env.pointAt(server);
    }
    TestServer server;
    TestEnvironment env;
};

}  // namespace kv::test
