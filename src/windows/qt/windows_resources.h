#pragma once
// The windows' pictures and help pages are compiled into this static
// library; a window calls this before it reads any of them.

namespace kalvex {

void initWindowsResources();

} // namespace kalvex
