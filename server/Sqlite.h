// A thin SQLite layer: one connection, prepared statements with bound values only, and a
// transaction guard that rolls back unless committed.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kv::server {

class DbError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Statement;

class Database {
  public:
    // Opens (creating when asked) the file, in WAL mode with foreign keys on.
    Database(const std::string& path, bool create);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    Statement prepare(std::string_view sql);
    // For statements without values (schema, pragmas).
    void exec(std::string_view sql);
    std::int64_t lastInsertId() const { return sqlite3_last_insert_rowid(db_); }
    int changes() const { return sqlite3_changes(db_); }
    sqlite3* handle() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(Statement&& o) noexcept : db_(o.db_), st_(o.st_) { o.st_ = nullptr; }
    Statement(const Statement&) = delete;

    Statement& bind(int index, std::int64_t v);
    Statement& bind(int index, int v) { return bind(index, std::int64_t(v)); }
    Statement& bind(int index, double v);
    Statement& bind(int index, std::string_view v);
    Statement& bind(int index, const char* v) { return bind(index, std::string_view(v)); }
    Statement& bindNull(int index);

    // Advances to the next row; false when done.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();

    int columnCount() const { return sqlite3_column_count(st_); }
    const char* columnName(int i) const { return sqlite3_column_name(st_, i); }
    bool isNull(int i) const { return sqlite3_column_type(st_, i) == SQLITE_NULL; }
    int columnType(int i) const { return sqlite3_column_type(st_, i); }
    std::int64_t getInt(int i) const { return sqlite3_column_int64(st_, i); }
    double getDouble(int i) const { return sqlite3_column_double(st_, i); }
    std::string_view getText(int i) const {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st_, i));
        return p ? std::string_view(p, std::size_t(sqlite3_column_bytes(st_, i)))
                 : std::string_view();
    }

  private:
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
};

class Transaction {
  public:
    explicit Transaction(Database& db);
    ~Transaction();
    void commit();

  private:
    Database& db_;
    bool done_ = false;
};

}  // namespace kv::server
