#pragma once
// The windows' pictures and help pages are compiled into this static
// library; a window calls this before it reads any of them.

namespace kalvex {

void initWindowsResources();
// True when Qt's jpeg image plugin (libjpeg) is installed, so that the lobby
// picture can be shown. The program checks this at start.
bool jpegDecoderAvailable();

} // namespace kalvex
