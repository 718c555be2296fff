#include "platform/AppIcon.h"

#include <QString>

namespace talvex {

QIcon appIcon() {
    return QIcon(QStringLiteral(":/icons/talvex.svg"));
}

}  // namespace talvex
