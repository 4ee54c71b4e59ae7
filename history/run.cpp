#include "run.h"

#include "cells.h"

#include <QStringList>

#include <array>

namespace history {

namespace {

constexpr std::array<const char*, 5> StatusNames{"", "non placé", "disqualifié", "arrêté", "tombé"};
constexpr std::array<const char*, 4> SourceNames{"saisie", "liste", "arrivée", "import"};

template <typename E, size_t N>
std::optional<E> named(const std::array<const char*, N>& names, const QString& text) {
    const QString key = cells::folded(text);
    for (size_t i = 0; i < N; ++i)
        if (key == cells::folded(QString::fromUtf8(names[i])))
            return static_cast<E>(i);
    return std::nullopt;
}

QChar disciplineLetter(const QString& discipline) {
    if (discipline == QStringLiteral("trot attelé"))
        return u'a';
    if (discipline == QStringLiteral("trot monté"))
        return u'm';
    if (discipline == QStringLiteral("obstacle"))
        return u'h';
    return u'p';
}

} // namespace

QString horseKey(const QString& name) {
    return cells::folded(name);
}

QString statusName(Status s) {
    return QString::fromUtf8(StatusNames[static_cast<size_t>(s)]);
}

std::optional<Status> statusOf(const QString& text) {
    return named<Status>(StatusNames, text);
}

QString sourceName(Source s) {
    return QString::fromUtf8(SourceNames[static_cast<size_t>(s)]);
}

std::optional<Source> sourceOf(const QString& text) {
    return named<Source>(SourceNames, text);
}

QString musiqueOf(const Run& run) {
    QChar mark;
    switch (run.status) {
    case Status::Placed:
        if (run.place <= 0)
            return QString(); // not known: nothing to write
        mark = run.place >= 10 ? u'0' : QChar(u'0' + run.place);
        break;
    case Status::Unplaced:
        mark = u'0';
        break;
    case Status::Disqualified:
        mark = u'D';
        break;
    case Status::Stopped:
        mark = u'A';
        break;
    case Status::Fallen:
        mark = u'T';
        break;
    }
    return QString(mark) + disciplineLetter(run.discipline);
}

QString musique(const std::vector<Run>& runs) {
    QStringList marks;
    for (const Run& r : runs)
        if (const QString m = musiqueOf(r); !m.isEmpty() && marks.size() < 10)
            marks << m;
    return marks.join(u' ');
}

} // namespace history
