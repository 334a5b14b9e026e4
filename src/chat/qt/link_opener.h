#pragma once
// Opens a transcript link. The program hands web addresses to the desktop's
// browser; tests record them instead.

#include <QUrl>

class QWidget;

namespace kalvex {

class LinkOpener
{
public:
    virtual ~LinkOpener() = default;
    // An http or https address.
    virtual void openWebAddress(const QUrl &address) = 0;
    // The link has no text, or its text is no web address.
    virtual void cannotOpen(QWidget *parent) = 0;
};

// QDesktopServices and the "Cannot open Webpage" box.
class DesktopLinkOpener : public LinkOpener
{
public:
    void openWebAddress(const QUrl &address) override;
    void cannotOpen(QWidget *parent) override;
};

} // namespace kalvex
