#pragma once
// A small layer over SQLite's C API: a connection, statements and transactions
// that close themselves, and every failure as a FileResult with a French message
// naming the database.

#include "wholefile.h"

#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace sqlite {

class Statement;

// SQLite's result `code` as a French reason.
QString reason(int code);

class Database {
  public:
    Database() = default;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    ~Database();

    // Opens (creating it when missing) the database at `path`; waits up to
    // `busyMs` for another copy's write to end before a statement gives up.
    FileResult open(const QString& path, int busyMs = 5000);
    bool isOpen() const { return db_ != nullptr; }
    // Whether it was opened read-only (the file could not be written then).
    bool readOnly() const;
    const QString& path() const { return path_; }
    void close();

    // Runs statements without results ("PRAGMA …; CREATE …").
    FileResult exec(const char* sql);
    // The failure of the last call, in French, naming `action`.
    FileResult failure(const char* action) const;
    // Whether the last failure says the file is not a database (or is damaged).
    bool lastFailureIsDamage() const;
    qint64 lastInsertId() const;
    sqlite3* handle() const { return db_; }
    // The statement of `sql` (a text that lives as long as the program: a
    // literal) prepared once for this connection, made ready again at each use:
    // a bulk import runs the same few statements hundreds of thousands of times.
    // Not for a statement another use is still stepping through.
    Statement& prepared(const char* sql);

  private:
    sqlite3* db_ = nullptr;
    QString path_;
    std::vector<std::pair<const char*, std::unique_ptr<Statement>>> prepared_;
};

class Statement {
  public:
    Statement(Database& db, const char* sql);
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    bool ok() const { return stmt_ != nullptr; }
    // Parameters from 1, as SQLite counts them; an empty optional binds NULL.
    Statement& bind(int at, const QString& text);
    Statement& bind(int at, qint64 value);
    Statement& bind(int at, std::optional<qint64> value);
    Statement& bind(int at, std::optional<double> value);

    enum class Step { Row, Done, Failed };
    Step step();
    void reset();

    // Columns from 0.
    QString text(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    bool isNull(int column) const;
    std::optional<qint64> optionalInteger(int column) const;
    std::optional<double> optionalReal(int column) const;

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN IMMEDIATE on creation (the write lock taken at once, so that two copies
// queue rather than fail half-way); rolled back unless committed.
class Transaction {
  public:
    explicit Transaction(Database& db);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();
    const FileResult& begun() const { return begun_; }
    FileResult commit();

  private:
    Database& db_;
    FileResult begun_;
    bool open_ = false;
};

} // namespace sqlite
