#include "windows/qt/windows_resources.h"

#include <QImageReader>
#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initResourcesOnce()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(windows);
        return true;
    }();
    (void)done;
}

namespace kalvex {

void initWindowsResources()
{
    initResourcesOnce();
}

bool jpegDecoderAvailable()
{
    return QImageReader::supportedImageFormats().contains("jpeg");
}

} // namespace kalvex
