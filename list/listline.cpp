#include "listline.h"

#include "cp1252.h"

QString ListEntry::line() const {
    return reduction + u" ---- "_qs + distance + u"m ---- "_qs + weight + u"Kg ---- "_qs + name +
           u" ---- terrain : "_qs + going;
}

std::optional<ListEntry> ListEntry::parse(QStringView line) {
    const QList<QStringView> pieces = line.split(u" ---- "_qs);
    if (pieces.size() != 5 || !pieces[1].endsWith(u'm') || !pieces[2].endsWith(u"Kg") ||
        !pieces[4].startsWith(u"terrain : "))
        return std::nullopt;
    return ListEntry{pieces[0].toString(), pieces[1].chopped(1).toString(),
                     pieces[2].chopped(2).toString(), pieces[3].toString(),
                     pieces[4].sliced(10).toString()};
}

QString whyUnstorable(const QString& line) {
    // A line break (only the name or the going can hold one) would split the horse
    // over two lines of the file.
    if (line.contains(u'\n') || line.contains(u'\r'))
        return u"le nom et l'état du terrain doivent tenir sur une seule ligne."_qs;
    // The file stores one byte per character: a character it cannot hold would come
    // back changed.
    const QStringList refused = cp1252::unencodable(line);
    if (!refused.isEmpty())
        return u"la liste ne peut pas enregistrer ces caractères : %1"_qs.arg(refused.join(u' '));
    return QString();
}
