#pragma once
// The folder in which the system keeps each user's application data, before the
// program's own folder is added: one implementation per platform, chosen when
// the project is configured.

#include <QString>

namespace places {

QString userDataBase();

} // namespace places
