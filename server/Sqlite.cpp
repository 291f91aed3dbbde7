#include "Sqlite.h"

namespace kv::server {

namespace {
[[noreturn]] void fail(sqlite3* db, const std::string& what) {
    throw DbError(what + ": " + (db ? sqlite3_errmsg(db) : "?"));
}
}  // namespace

Database::Database(const std::string& path, bool create) {
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string msg = "Veritabanı açılamadı (" + path + ")";
        std::string detail = db_ ? sqlite3_errmsg(db_) : "";
        sqlite3_close(db_);
        db_ = nullptr;
        throw DbError(msg + ": " + detail);
    }
    sqlite3_busy_timeout(db_, 10000);
    exec("PRAGMA journal_mode=WAL");
    exec("PRAGMA synchronous=NORMAL");
    exec("PRAGMA foreign_keys=ON");
}

Database::~Database() {
    sqlite3_close(db_);
}

Statement Database::prepare(std::string_view sql) {
    return Statement(db_, sql);
}

void Database::exec(std::string_view sql) {
    char* err = nullptr;
    const std::string s(sql);
    if (sqlite3_exec(db_, s.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string msg = err ? err : "?";
        sqlite3_free(err);
        throw DbError("SQL hatası: " + msg);
    }
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &st_, nullptr) != SQLITE_OK) {
        fail(db, "SQL hazırlanamadı");
    }
}

Statement::~Statement() {
    sqlite3_finalize(st_);
}

Statement& Statement::bind(int index, std::int64_t v) {
    if (sqlite3_bind_int64(st_, index, v) != SQLITE_OK)
        fail(db_, "bağlama");
    return *this;
}
Statement& Statement::bind(int index, double v) {
    if (sqlite3_bind_double(st_, index, v) != SQLITE_OK)
        fail(db_, "bağlama");
    return *this;
}
Statement& Statement::bind(int index, std::string_view v) {
    if (sqlite3_bind_text(st_, index, v.data(), int(v.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
        fail(db_, "bağlama");
    }
    return *this;
}
Statement& Statement::bindNull(int index) {
    if (sqlite3_bind_null(st_, index) != SQLITE_OK)
        fail(db_, "bağlama");
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(db_, "SQL çalıştırılamadı");
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
}

Transaction::Transaction(Database& db) : db_(db) {
    db_.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!done_) {
        try {
            db_.exec("ROLLBACK");
        } catch (...) {
        }
    }
}

void Transaction::commit() {
    db_.exec("COMMIT");
    done_ = true;
}

}  // namespace kv::server
