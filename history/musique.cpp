#include "musique.h"

#include "run.h"

#include <array>

namespace musique {

namespace {

constexpr std::array<std::pair<char16_t, const char*>, 6> Disciplines{{{u'a', "attelé"},
                                                                       {u'm', "monté"},
                                                                       {u'p', "plat"},
                                                                       {u'h', "haies"},
                                                                       {u's', "steeple"},
                                                                       {u'c', "cross"}}};

QString disciplineName(QChar letter) {
    for (const auto& [l, name] : Disciplines)
        if (letter == QChar(l))
            return QString::fromUtf8(name);
    return QString();
}

bool obstacle(QChar letter) {
    return letter == u'h' || letter == u's' || letter == u'c';
}

// "(25)" or "(2025)" at `at`: the year, and where the text goes on; none when
// it is not such a marker.
std::optional<std::pair<int, qsizetype>> yearAt(QStringView text, qsizetype at) {
    const qsizetype close = text.indexOf(u')', at);
    if (close < 0)
        return std::nullopt;
    const QStringView digits = text.sliced(at + 1, close - at - 1).trimmed();
    const bool digitsOnly =
        std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digitsOnly || (digits.size() != 2 && digits.size() != 4))
        return std::nullopt;
    const int year = digits.size() == 2 ? 2000 + digits.toInt() : digits.toInt();
    if (year < 1950 || year > 2099)
        return std::nullopt;
    return std::pair{year, close + 1};
}

// The result character (or "Ret") at `at`; none for another text.
std::optional<std::pair<Result, qsizetype>> outcomeAt(QStringView text, qsizetype at) {
    Result r;
    if (text.sliced(at).startsWith(u"Ret", Qt::CaseInsensitive)) {
        r.outcome = Outcome::Demoted;
        return std::pair{r, at + 3};
    }
    const QChar c = text[at].toUpper();
    if (c >= u'1' && c <= u'9')
        r.place = c.digitValue();
    else if (c == u'0')
        r.outcome = Outcome::Unplaced;
    else if (c == u'D')
        r.outcome = Outcome::Disqualified;
    else if (c == u'A')
        r.outcome = Outcome::Stopped;
    else if (c == u'T')
        r.outcome = Outcome::Fallen;
    else
        return std::nullopt;
    return std::pair{r, at + 1};
}

QString outcomeName(const Result& r) {
    switch (r.outcome) {
    case Outcome::Placed:
        return r.place == 1 ? u"1er"_qs : u"%1e"_qs.arg(r.place);
    case Outcome::Unplaced:
        return u"non placé"_qs;
    case Outcome::Disqualified:
        return u"disqualifié"_qs;
    case Outcome::Stopped:
        return u"arrêté"_qs;
    case Outcome::Fallen:
        return u"tombé"_qs;
    case Outcome::Demoted:
        return u"rétrogradé"_qs;
    }
    return QString();
}

Read refusal(const QString& why) {
    return {{}, why};
}

} // namespace

Read read(QStringView text) {
    Read out;
    int year = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        if (text[i] == u'(') {
            const auto marker = yearAt(text, i);
            if (!marker)
                return refusal(u"marque d'année illisible à la position %1"_qs.arg(i + 1));
            year = marker->first;
            i = marker->second;
            continue;
        }
        auto outcome = outcomeAt(text, i);
        if (!outcome)
            return refusal(
                u"« %1 » n'est pas un résultat (position %2)"_qs.arg(text[i]).arg(i + 1));
        i = outcome->second;
        const QChar letter = i < text.size() ? text[i].toLower() : QChar();
        if (disciplineName(letter).isEmpty())
            return refusal(u"il manque la lettre de la discipline à la position %1"_qs.arg(i + 1));
        outcome->first.discipline = letter;
        outcome->first.year = year;
        out.results.push_back(outcome->first);
        ++i;
    }
    return out;
}

QString decoded(const std::vector<Result>& results) {
    QStringList parts;
    int year = 0;
    for (const Result& r : results) {
        QString part = outcomeName(r) + u' ' + disciplineName(r.discipline);
        if (r.year != year && r.year != 0)
            part.prepend(u"en %1 : "_qs.arg(r.year));
        year = r.year;
        parts << part;
    }
    return parts.join(u", "_qs);
}

QString explained(const QString& text) {
    const Read r = read(text);
    if (!r.refused.isEmpty())
        return u"%1 (illisible : %2)"_qs.arg(text, r.refused);
    return decoded(r.results);
}

QChar letterOf(const QString& discipline) {
    return history::letterOf(history::disciplineOf(discipline));
}

QStringList warnings(const std::vector<Result>& results, const QString& todayDiscipline,
                     bool firstBarefoot) {
    QStringList out;
    int disqualified = 0;
    for (size_t i = 0; i < results.size() && i < 4; ++i)
        disqualified += results[i].outcome == Outcome::Disqualified;
    if (disqualified >= 2)
        out << u"disqualifié %1 fois sur ses 4 dernières courses"_qs.arg(disqualified);
    const QChar today = letterOf(todayDiscipline);
    if (!results.empty() && !today.isNull()) {
        const QChar last = results.front().discipline;
        const bool same = obstacle(today) ? obstacle(last) : last == today;
        if (!same)
            out << u"change de discipline : %1 la dernière fois"_qs.arg(disciplineName(last));
    }
    if (firstBarefoot)
        out << u"déferré des 4 pour la première fois"_qs;
    return out;
}

} // namespace musique
