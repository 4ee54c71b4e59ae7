#pragma once
// How every file the program rewrites is written: aside, every write checked,
// put in place only when whole, and never over a file that changed since this
// copy of the program read or wrote it. Messages name the file in full.

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>

// What a file command came to, and the French message for the user when it failed.
struct [[nodiscard]] FileResult {
    enum class State {
        Done,
        Failed,
        FileChanged, // nothing written: the file is no longer as this copy knew it
    };
    State state = State::Done;
    QString message; // why it failed; empty otherwise

    bool ok() const { return state == State::Done; }
    static FileResult success() { return {}; }
    static FileResult failure(QString message) { return {State::Failed, std::move(message)}; }
    static FileResult changed() { return {State::FileChanged, QString()}; }
};

namespace files {

// "Impossible <action> le fichier <full path> : <reason>."
// `action` is UTF-8 ("de lire ou d'écrire").
FileResult failure(const char* action, const QString& path, const QString& reason);

// Writes `bytes` as the whole of the file at `path`, put in place only once whole:
// a failure leaves the old file as it was.
FileResult writeWhole(const QString& path, QByteArrayView bytes,
                      const char* action = "d'enregistrer dans");
// Writes every byte to an open file, then flushes; why the first failure
// happened, or nothing.
std::optional<QString> writeAll(QFileDevice& file, QByteArrayView bytes);
// Makes the folder a file goes in when it is missing (the data folder on first use).
FileResult makeFolderFor(const QString& path);

// A file's whole content; `exists` false (and success) when there is none.
struct [[nodiscard]] Content {
    FileResult result;
    bool exists = false;
    QByteArray bytes;
};
Content readWhole(const QString& path);

// What a copy of the program knows a file held when it last read or wrote it:
// enough to tell whether another copy (or an editor) changed it since.
struct Stamp {
    bool exists = false;
    QByteArray hash;
    bool operator==(const Stamp&) const = default;
};
Stamp stampOf(const Content& content);
Stamp stampOf(QByteArrayView bytes); // a file that exists with these bytes

// Keeps other copies of the program from reading and rewriting the same file at
// the same moment: held while it lives (a lock file beside the file; a stale one,
// left by a copy that died, is taken over). Waits at most `waitMs`.
class Lock {
  public:
    explicit Lock(const QString& path, int waitMs = 5000);
    bool held() const { return held_; }

  private:
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
};

} // namespace files
