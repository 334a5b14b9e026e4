#pragma once
// The program's error reporter: an error from the user's side shows the
// standard error box, one at a time; what arrives while a box is open, and
// every error caused by a remote peer, goes to the log.

#include <QString>

namespace kalvex {

class ErrorBox
{
public:
    // Installs the box as the process's error sink.
    static void install();
    // Shows a box unless one is open already (then logs). Returns whether
    // a box was shown.
    static bool show(const QString &text);
    static bool isOpen();
};

} // namespace kalvex
