#pragma once
// One entry of the horse list and its line in the list file: reduction,
// distance, weight, name and going, joined by " ---- " with the units and the
// going's prefix ("2100m", "57Kg", "terrain : bon"), nothing trimmed or checked.

#include <QString>
#include <QStringView>
#include <optional>

// Why the list file could not keep `line` as it stands (a line break, or
// characters Windows-1252 cannot store), in the user's words; empty when it can.
// An add and a correction go through this same check.
QString whyUnstorable(const QString& line);

struct ListEntry {
    QString reduction, distance, weight, name, going;

    // The line as the file holds it.
    QString line() const;
    // The pieces of a line of that form; none for another line (a separator in a
    // name, units missing): such a line is kept and shown whole, never split.
    static std::optional<ListEntry> parse(QStringView line);

    bool operator==(const ListEntry&) const = default;
};

// The line of these pieces (ListEntry::line).
inline QString listLine(const QString& reduction, const QString& distance, const QString& weight,
                        const QString& name, const QString& going) {
    return ListEntry{reduction, distance, weight, name, going}.line();
}
