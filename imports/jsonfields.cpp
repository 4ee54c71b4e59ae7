#include "jsonfields.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QTimeZone>
#include <cmath>

namespace imports::json {

namespace {

// Milliseconds to hundredths, to the nearest.
qint64 hundredthsOfMsecs(qint64 ms) {
    return (ms + 5) / 10;
}

} // namespace

void Fields::refuse(const QString& key, const QString& why) {
    if (!ok())
        return; // the first fault is the one told
    field = key;
    reason = why;
}

std::optional<double> Fields::decimal(const char* key, double low, double high) {
    const QJsonValue v = object.value(QLatin1StringView(key));
    if (v.isUndefined() || v.isNull())
        return std::nullopt;
    const double d = v.toDouble(std::nan(""));
    if (!v.isDouble() || !std::isfinite(d) || d < low || d > high) {
        refuse(QString::fromUtf8(key), u"« %1 » ne se lit pas"_qs.arg(shown(v)));
        return std::nullopt;
    }
    return d;
}

std::optional<qint64> Fields::whole(const char* key, qint64 low, qint64 high) {
    const auto d = decimal(key, double(low), double(high));
    if (!d)
        return std::nullopt;
    if (*d != std::floor(*d)) {
        refuse(QString::fromUtf8(key),
               u"« %1 » n'est pas un nombre entier"_qs.arg(shown(object[key])));
        return std::nullopt;
    }
    return static_cast<qint64>(*d);
}

std::optional<qint64> Fields::hundredths(const char* key, qint64 highMs) {
    const auto ms = whole(key, 5, highMs);
    return ms ? std::optional(hundredthsOfMsecs(*ms)) : std::nullopt;
}

QString Fields::text(const char* key) {
    const QJsonValue v = object.value(QLatin1StringView(key));
    if (v.isUndefined() || v.isNull())
        return QString();
    if (!v.isString()) {
        refuse(QString::fromUtf8(key), u"« %1 » n'est pas un texte"_qs.arg(shown(v)));
        return QString();
    }
    return v.toString().simplified();
}

std::optional<history::Status> unfinishedOf(const QString& words) {
    if (words.contains(u"DISQUALIFIE"))
        return history::Status::Disqualified;
    if (words.contains(u"ARRET"))
        return history::Status::Stopped;
    if (words.contains(u"TOMBE"))
        return history::Status::Fallen;
    return std::nullopt;
}

QString shown(const QJsonValue& value) {
    QString text;
    if (value.isString())
        text = value.toString();
    else if (value.isDouble())
        text = QString::number(value.toDouble(), 'g', 15);
    else if (value.isBool())
        text = value.toBool() ? u"true"_qs : u"false"_qs;
    else if (value.isArray() || value.isObject())
        text = value.isArray() ? u"[…]"_qs : u"{…}"_qs;
    else
        text = u"null"_qs;
    return text.size() > 40 ? text.left(40) + u'…' : text;
}

QDate dayOf(qint64 msecs, std::optional<qint64> offset) {
    if (offset)
        return QDateTime::fromMSecsSinceEpoch(msecs + *offset, Qt::UTC).date();
    static const QTimeZone paris("Europe/Paris");
    if (paris.isValid())
        return QDateTime::fromMSecsSinceEpoch(msecs, paris).date();
    // No time zone data (a bare Windows build): Paris in winter.
    return QDateTime::fromMSecsSinceEpoch(msecs + 3600000, Qt::UTC).date();
}

} // namespace imports::json
