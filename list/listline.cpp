#include "listline.h"

QString listLine(const QString& reduction, const QString& distance, const QString& weight,
                 const QString& name, const QString& going) {
    return reduction + u" ---- "_qs + distance + u"m ---- "_qs + weight + u"Kg ---- "_qs + name +
           u" ---- terrain : "_qs + going;
}
