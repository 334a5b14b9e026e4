#pragma once
// A desktop that records what the windows ask of it instead of opening a
// browser, starting programs or showing boxes.

#include "windows/qt/desktop.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <QUrl>

namespace kalvex::testing {

class RecordingDesktop : public Desktop
{
public:
    bool openWebAddress(const QUrl &url) override
    {
        opened << url;
        return browserWorks && isWebAddress(url);
    }
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        started << qMakePair(program, arguments);
        return programsStart;
    }
    void showMessage(QWidget *, const QString &text) override { messages << text; }
    void showError(QWidget *, const QString &text) override { errors << text; }

    bool browserWorks = true;
    bool programsStart = true;
    QList<QUrl> opened;
    QList<QPair<QString, QStringList>> started;
    QStringList messages;
    QStringList errors;
};

} // namespace kalvex::testing
