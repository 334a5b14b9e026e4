#pragma once
// Access keys for the main menu: Alt and a letter open a menu, a letter then
// chooses an entry. Each caption reads as before; the style underlines the
// letter.

class QMenuBar;

namespace kalvex {

// Marks the access key of every menu and entry under the bar whose caption
// has one assigned. Captions that have one already are left alone.
void giveMnemonics(QMenuBar *bar);

} // namespace kalvex
