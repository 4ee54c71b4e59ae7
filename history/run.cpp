#include "run.h"

#include "cells.h"
#include "musique.h"

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
    const QChar letter = musique::letterOf(discipline);
    return letter.isNull() ? u'p' : letter;
}

// Each discipline's spellings, folded, without spaces, hyphens or underscores.
constexpr std::array<std::pair<const char*, const char*>, 17> Spellings{{
    {"attele", "trot attelé"},
    {"trotattele", "trot attelé"},
    {"a", "trot attelé"},
    {"monte", "trot monté"},
    {"trotmonte", "trot monté"},
    {"m", "trot monté"},
    {"plat", "plat"},
    {"p", "plat"},
    {"haie", "haies"},
    {"haies", "haies"},
    {"h", "haies"},
    {"steeplechase", "steeple-chase"},
    {"steeple", "steeple-chase"},
    {"s", "steeple-chase"},
    {"cross", "cross"},
    {"c", "cross"},
    {"obstacle", "obstacle"},
}};

} // namespace

QString disciplineOf(const QString& text) {
    QString key = cells::folded(text);
    key.remove(u' ').remove(u'-').remove(u'_');
    for (const auto& [spelling, name] : Spellings)
        if (key == QLatin1StringView(spelling))
            return QString::fromUtf8(name);
    return QString();
}

QString sheetDiscipline(const QString& discipline) {
    const QChar letter = musique::letterOf(discipline);
    return letter == u'h' || letter == u's' || letter == u'c' ? u"obstacle"_qs : discipline;
}

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
