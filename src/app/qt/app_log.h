#pragma once
// Logging of the program's shell, silent unless enabled with
// QT_LOGGING_RULES="kalvex.app.debug=true" (warnings show by default).

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcApp)
