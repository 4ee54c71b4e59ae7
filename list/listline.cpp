#include "listline.h"

#include "cp1252.h"

QString listLine(const QString& reduction, const QString& distance, const QString& weight,
                 const QString& name, const QString& going) {
    return reduction + u" ---- "_qs + distance + u"m ---- "_qs + weight + u"Kg ---- "_qs + name +
           u" ---- terrain : "_qs + going;
}

QString whyUnstorable(const QString& line) {
    // A line break (only the name or the going can hold one) would split the horse
    // over two lines of the file.
    if (line.contains(u'\n') || line.contains(u'\r'))
        return QStringLiteral("le nom et l'état du terrain doivent tenir sur une seule ligne.");
    // The file stores one byte per character: a character it cannot hold would come
    // back changed.
    const QStringList refused = cp1252::unencodable(line);
    if (!refused.isEmpty())
        return QStringLiteral("la liste ne peut pas enregistrer ces caractères : %1")
            .arg(refused.join(u' '));
    return QString();
}
