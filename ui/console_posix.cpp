#include "console.h"

#include <cstdio>

namespace console {

void write(Stream stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream == Stream::Out ? stdout : stderr);
}

} // namespace console
