#include "sqlite.h"

#include <QFile>
#include <QFileInfo>

#include "syserror.h"

#include <sqlite3.h>

#include <utility>

namespace sqlite {

// SQLite's reasons are English: the user reads them in French.
QString reason(int code) {
    using syserror::Fault;
    if (code == SQLITE_IOERR_WRITE) // SQLite keeps no system reason for it
        return u"l'écriture sur le disque a échoué (disque plein, ou fichier trop volumineux)"_qs;
    switch (code & 0xff) {
    case SQLITE_FULL:
        return syserror::reason(Fault::DiskFull);
    case SQLITE_READONLY:
        return syserror::reason(Fault::ReadOnly);
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN:
        return syserror::reason(Fault::AccessDenied);
    case SQLITE_NOMEM:
        return syserror::reason(Fault::NoMemory);
    case SQLITE_IOERR:
        return syserror::reason(Fault::Io);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return u"un autre Orvanto l'utilise depuis trop longtemps"_qs;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return u"le fichier est endommagé ou n'est pas un historique d'Orvanto"_qs;
    case SQLITE_CONSTRAINT:
        return u"une course y serait enregistrée deux fois ou sans son cheval"_qs;
    case SQLITE_TOOBIG:
        return u"une valeur est trop grande pour y être enregistrée"_qs;
    case SQLITE_NOLFS:
        return u"le système ne gère pas un fichier aussi gros"_qs;
    case SQLITE_INTERRUPT:
    case SQLITE_ABORT:
        return u"l'opération a été interrompue"_qs;
    case SQLITE_SCHEMA:
        return u"sa structure a changé pendant l'opération (une autre version d'Orvanto ?)"_qs;
    case SQLITE_PROTOCOL:
        return u"le verrou du fichier n'a pas pu être pris"_qs;
    default: // an error of the program itself (SQLITE_ERROR, MISUSE, RANGE…)
        return u"erreur interne de la base (code %1)"_qs.arg(code);
    }
}

Database::Database(Database&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), path_(std::move(other.path_)),
      prepared_(std::move(other.prepared_)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
        path_ = std::move(other.path_);
        prepared_ = std::move(other.prepared_);
    }
    return *this;
}

Statement& Database::prepared(const char* sql) {
    for (auto& [text, statement] : prepared_)
        if (text == sql) {
            statement->reset();
            return *statement;
        }
    prepared_.emplace_back(sql, std::make_unique<Statement>(*this, sql));
    return *prepared_.back().second;
}

Database::~Database() {
    close();
}

void Database::close() {
    prepared_.clear(); // finalized before their connection closes
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

FileResult Database::open(const QString& path, int busyMs) {
    close();
    path_ = path;
    // SQLite's files beside a writable database, left read-only by a copy that
    // could not write: ours again, or no later open could write.
    if (const QFileInfo main(path); main.exists() && main.isWritable())
        for (const char* extra : {"-wal", "-shm"})
            if (const QFileInfo side(path + QLatin1String(extra));
                side.exists() && !side.isWritable())
                QFile::setPermissions(side.filePath(),
                                      side.permissions() | QFileDevice::WriteOwner);
    const int code = sqlite3_open_v2(path.toUtf8().constData(), &db_,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK) {
        const QString why = sqlite::reason(db_ ? sqlite3_extended_errcode(db_) : code);
        close();
        return files::failure("d'ouvrir", path, why);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busyMs);
    return FileResult::success();
}

bool Database::readOnly() const {
    return db_ && sqlite3_db_readonly(db_, "main") == 1;
}

FileResult Database::exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        return failure("de lire ou d'écrire");
    return FileResult::success();
}

FileResult Database::failure(const char* action) const {
    if (!db_)
        return files::failure(action, path_, reason(SQLITE_MISUSE));
    const int code = sqlite3_extended_errcode(db_);
    // A failure of the system: its own reason (a full disk, a file too large).
    if (const int primary = code & 0xff; primary == SQLITE_IOERR || primary == SQLITE_FULL)
        if (const int system = sqlite3_system_errno(db_); system != 0)
            return files::failure(action, path_,
                                  syserror::reasonOf(system, primary == SQLITE_FULL
                                                                 ? syserror::Fault::DiskFull
                                                                 : syserror::Fault::Io));
    return files::failure(action, path_, reason(code));
}

bool Database::lastFailureIsDamage() const {
    const int code = db_ ? sqlite3_errcode(db_) : SQLITE_OK;
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

qint64 Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

Statement::Statement(Database& db, const char* sql) {
    if (sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr) != SQLITE_OK)
        stmt_ = nullptr;
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::bind(int at, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt_, at, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bind(int at, qint64 value) {
    sqlite3_bind_int64(stmt_, at, value);
    return *this;
}

Statement& Statement::bind(int at, std::optional<qint64> value) {
    if (value)
        return bind(at, *value);
    sqlite3_bind_null(stmt_, at);
    return *this;
}

Statement& Statement::bind(int at, std::optional<double> value) {
    if (value)
        sqlite3_bind_double(stmt_, at, *value);
    else
        sqlite3_bind_null(stmt_, at);
    return *this;
}

Statement::Step Statement::step() {
    if (!stmt_)
        return Step::Failed;
    switch (sqlite3_step(stmt_)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        return Step::Failed;
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

QString Statement::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(stmt_, column)) : QString();
}

qint64 Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::optional<qint64> Statement::optionalInteger(int column) const {
    return isNull(column) ? std::nullopt : std::optional<qint64>(integer(column));
}

std::optional<double> Statement::optionalReal(int column) const {
    return isNull(column) ? std::nullopt : std::optional<double>(real(column));
}

Transaction::Transaction(Database& db) : db_(db) {
    begun_ = db_.exec("BEGIN IMMEDIATE");
    open_ = begun_.ok();
}

Transaction::~Transaction() {
    if (open_)
        (void)db_.exec("ROLLBACK"); // nothing more to do when even this fails
}

FileResult Transaction::commit() {
    FileResult result = db_.exec("COMMIT");
    if (result.ok())
        open_ = false;
    return result;
}

} // namespace sqlite
