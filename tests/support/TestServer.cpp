#include "support/TestServer.h"

#include <sqlite3.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cstdlib>
#include <optional>

namespace kv::test {

namespace {

// The demo database is made once per test program and copied for every server.
QString templateDatabase() {
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        const QString p = dir.filePath(QStringLiteral("demo.db"));
        QProcess init;
        init.start(QStringLiteral(KV_SERVER_EXE),
                   {QStringLiteral("init-demo"), QStringLiteral("--db"), p,
                    QStringLiteral("--items"), QStringLiteral("2000")});
        const bool finished = init.waitForFinished(120000);
        if (!finished || init.exitStatus() != QProcess::NormalExit || init.exitCode() != 0) {
            ADD_FAILURE() << "init-demo failed: " << init.readAllStandardError().toStdString();
        }
        path = p;
    }
    return path;
}

}  // namespace

TestServer::TestServer() {
    const QString db = dbPath();
    if (!QFile::copy(templateDatabase(), db))
        ADD_FAILURE() << "could not copy the demo database";
}

TestServer::~TestServer() {
    stop();
}

bool TestServer::running() const {
    return proc_ && proc_->state() == QProcess::Running;
}

void TestServer::start(const QStringList& extraArgs) {
    stop();
    proc_ = std::make_unique<QProcess>();
    proc_->setProcessChannelMode(QProcess::SeparateChannels);
    QStringList args{QStringLiteral("serve"),
                     QStringLiteral("--db"),
                     dbPath(),
                     QStringLiteral("--listen"),
                     QStringLiteral("127.0.0.1"),
                     QStringLiteral("--port"),
                     port_ ? QString::number(port_) : QStringLiteral("0")};
    args += extraArgs;
    proc_->start(QStringLiteral(KV_SERVER_EXE), args);
    ASSERT_TRUE(proc_->waitForStarted(10000)) << "kaveltrim-server did not start";
    QByteArray out;
    static const QRegularExpression re(QStringLiteral("listening on [0-9.]+:(\\d+)"));
    while (true) {
        if (!proc_->waitForReadyRead(20000)) {
            FAIL() << "kaveltrim-server did not report its port: "
                   << proc_->readAllStandardError().toStdString();
        }
        out += proc_->readAllStandardOutput();
        const auto m = re.match(QString::fromUtf8(out));
        if (m.hasMatch()) {
            port_ = m.captured(1).toInt();
            return;
        }
    }
}

int TestServer::stop() {
    if (!proc_)
        return -1;
    int code = -1;
    if (proc_->state() == QProcess::Running) {
        proc_->terminate();
        if (proc_->waitForFinished(30000)) {
            if (proc_->exitStatus() == QProcess::NormalExit)
                code = proc_->exitCode();
        } else {
            ADD_FAILURE() << "kaveltrim-server did not stop on SIGTERM";
            proc_->kill();
            proc_->waitForFinished(5000);
        }
    }
    proc_.reset();
    return code;
}

void TestServer::kill() {
    if (!proc_)
        return;
    proc_->kill();
    proc_->waitForFinished(5000);
    proc_.reset();
}

QString TestServer::admin(const QStringList& args, int* exitCode) const {
    QProcess p;
    QStringList all = args;
    all.insert(1, QStringLiteral("--db"));
    all.insert(2, dbPath());
    p.start(QStringLiteral(KV_SERVER_EXE), all);
    p.waitForFinished(30000);
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString TestServer::query(const QString& sql) const {
    sqlite3* db = nullptr;
    QStringList rows;
    if (sqlite3_open_v2(dbPath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        const QByteArray q = sql.toUtf8();
        if (sqlite3_prepare_v2(db, q.constData(), int(q.size()), &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                QStringList cols;
                for (int i = 0; i < sqlite3_column_count(st); ++i) {
                    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
                    cols << (t ? QString::fromUtf8(t) : QString());
                }
                rows << cols.join(QLatin1Char('|'));
            }
        } else {
            ADD_FAILURE() << "query failed: " << sqlite3_errmsg(db);
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return rows.join(QLatin1Char('\n'));
}

TestEnvironment::TestEnvironment() {
    QDir(dir_.path()).mkpath(QStringLiteral("veri"));
    QDir(dir_.path()).mkpath(QStringLiteral("belgeler"));
    QDir(dir_.path()).mkpath(QStringLiteral("masaustu"));
    set("KAVELTRIM_DATA_DIR", dataDir());
    set("KAVELTRIM_DOCUMENTS_DIR", documentsDir());
    set("KAVELTRIM_DESKTOP_DIR", desktopDir());
}

TestEnvironment::~TestEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second) {
            qputenv(it->first.c_str(), QByteArray::fromStdString(*it->second));
        } else {
            qunsetenv(it->first.c_str());
        }
    }
}

void TestEnvironment::set(const char* name, const QString& value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    qputenv(name, value.toUtf8());
}

void TestEnvironment::pointAt(const TestServer& server) {
    set("KAVELTRIM_SERVER_HOST", server.host());
    set("KAVELTRIM_SERVER_PORT", QString::number(server.port()));
    set("KAVELTRIM_WEB_URL", server.webUrl());
    set("KAVELTRIM_IP_URL", server.webUrl() + QStringLiteral("ip.php"));
}

}  // namespace kv::test
