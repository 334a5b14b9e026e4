#pragma once
// Logging of the network layer, silent unless enabled with
// QT_LOGGING_RULES="kalvex.net.debug=true".

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcNet)
