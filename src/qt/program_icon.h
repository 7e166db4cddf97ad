#pragma once
// The program's icon, for the tray and the windows' title bars.
#include <QIcon>

namespace qt {

QIcon programIcon();

} // namespace qt
