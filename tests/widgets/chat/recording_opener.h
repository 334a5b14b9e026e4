#pragma once
// A link opener that records what the pane asks it to open or refuse.

#include "chat/qt/link_opener.h"

#include <QStringList>
#include <QUrl>

namespace kalvex {

class RecordingOpener : public LinkOpener
{
public:
    void openWebAddress(const QUrl &address) override { opened.append(address.toString()); }
    void cannotOpen(QWidget *) override { ++refused; }
    QStringList opened;
    int refused = 0;
};

} // namespace kalvex
