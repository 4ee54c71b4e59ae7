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

// Names and letters, in the order of Discipline.
constexpr std::array<std::pair<const char*, char16_t>, 9> DisciplineNames{{{"", 0},
                                                                           {"trot attelé", u'a'},
                                                                           {"trot monté", u'm'},
                                                                           {"plat", u'p'},
                                                                           {"haies", u'h'},
                                                                           {"steeple-chase", u's'},
                                                                           {"cross", u'c'},
                                                                           {"obstacle", u'h'},
                                                                           {"trot", u'a'}}};

// Each discipline's spellings, folded, without spaces, hyphens or underscores.
constexpr std::array<std::pair<const char*, Discipline>, 19> Spellings{{
    {"attele", Discipline::TrotHarness},
    {"trotattele", Discipline::TrotHarness},
    {"a", Discipline::TrotHarness},
    {"monte", Discipline::TrotMounted},
    {"trotmonte", Discipline::TrotMounted},
    {"m", Discipline::TrotMounted},
    {"plat", Discipline::Flat},
    {"p", Discipline::Flat},
    {"platsurpisteensable", Discipline::Flat},
    {"haie", Discipline::Hurdles},
    {"haies", Discipline::Hurdles},
    {"h", Discipline::Hurdles},
    {"steeplechase", Discipline::Steeplechase},
    {"steeple", Discipline::Steeplechase},
    {"s", Discipline::Steeplechase},
    {"cross", Discipline::Cross},
    {"c", Discipline::Cross},
    {"obstacle", Discipline::Jumps},
    {"trot", Discipline::Trot},
}};

} // namespace

Discipline disciplineOf(const QString& text) {
    // As the history writes it, first: every run read from the database.
    static const auto names = [] {
        std::array<QString, DisciplineNames.size()> out;
        for (size_t d = 0; d < out.size(); ++d)
            out[d] = QString::fromUtf8(DisciplineNames[d].first);
        return out;
    }();
    for (size_t d = 0; d < names.size(); ++d)
        if (text == names[d])
            return static_cast<Discipline>(d);
    QString key = cells::folded(text);
    key.remove(u' ').remove(u'-').remove(u'_');
    for (const auto& [spelling, discipline] : Spellings)
        if (key == QLatin1StringView(spelling))
            return discipline;
    return Discipline::Unknown;
}

QString disciplineName(Discipline d) {
    return QString::fromUtf8(DisciplineNames[static_cast<size_t>(d)].first);
}

QString sheetDiscipline(Discipline d) {
    const bool jumps = d == Discipline::Hurdles || d == Discipline::Steeplechase ||
                       d == Discipline::Cross || d == Discipline::Jumps;
    if (d == Discipline::Trot)
        return QString();
    return jumps ? disciplineName(Discipline::Jumps) : disciplineName(d);
}

bool isTrot(Discipline d) {
    return d == Discipline::TrotHarness || d == Discipline::TrotMounted || d == Discipline::Trot;
}

QChar letterOf(Discipline d) {
    return QChar(DisciplineNames[static_cast<size_t>(d)].second);
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
    // A run without its discipline is counted a flat one.
    const QChar letter = letterOf(run.discipline);
    return QString(mark) + (letter.isNull() ? QChar(u'p') : letter);
}

QString musique(const std::vector<Run>& runs) {
    QStringList marks;
    for (const Run& r : runs)
        if (const QString m = musiqueOf(r); !m.isEmpty() && marks.size() < 10)
            marks << m;
    return marks.join(u' ');
}

} // namespace history
