#pragma once
// The fields of one JSON record read with their units checked: a field absent
// or null is unknown; a field of another type or out of its range refuses the
// record, with the field and the value named.

#include "run.h"

#include <QDate>
#include <QJsonObject>
#include <QString>
#include <optional>

namespace imports::json {

struct Fields {
    QJsonObject object;
    QString field = {}, reason = {}; // the first field that cannot be read, and why

    bool ok() const { return field.isEmpty(); }
    // A whole number within [low, high].
    std::optional<qint64> whole(const char* key, qint64 low, qint64 high);
    std::optional<double> decimal(const char* key, double low, double high);
    // A duration in milliseconds, up to `highMs`, as hundredths; what rounds to
    // no hundredth at all is refused rather than kept as a time of zero.
    std::optional<qint64> hundredths(const char* key, qint64 highMs);
    // A text, trimmed; empty when absent.
    QString text(const char* key);
    // Refuses the record for `key`.
    void refuse(const QString& key, const QString& why);
};

// How a horse that did not finish ended, from the service's words
// (DISQUALIFIE_POUR_ALLURE_IRREGULIERE, ARRETE, TOMBE); none for other words.
std::optional<history::Status> unfinishedOf(const QString& words);

// A value as a reason quotes it.
QString shown(const QJsonValue& value);

// The calendar day of an instant (epoch milliseconds) at `offset` milliseconds
// from UTC; without an offset, in Paris.
QDate dayOf(qint64 msecs, std::optional<qint64> offset);

} // namespace imports::json
