// The real program in another language, on a real X desktop: its own
// screen speaks German, while every byte it sends to the other players is
// the same as an English program's.

#include "kalvex_instance.h"
#include "x_display.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

using namespace kalvex::testing;

namespace {

// The client area below the menu bar, and where phrase button 1 sits in it.
constexpr int kClientHeight = 408;
const QPoint kPhraseButton1{361, 21};

struct Language
{
    QString language;
    // The View menu's access key, the tally entry's, and the window it opens.
    QString viewMenuKey;
    QString tallyKey;
    QString tallyTitle;
};

const Language kEnglish{"en", "alt+v", "t", "Kalvex  - Tally List"};
const Language kGerman{"de", "alt+a", "b", "Kalvex - Bilanz"};

// What the program sent to its host, and what its own screen showed.
struct Session
{
    QByteArray login;
    QByteArray phrase;
    bool tallyWindowShown = false;
};

class Languages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        x = std::make_unique<XDisplay>();
        if (!x->running())
            GTEST_SKIP() << x->unavailableReason().toStdString();
    }

    // Joins a host in this test as Ann under the given language, clicks
    // phrase button 1, then opens the tally window through the menu.
    Session play(const Language &language)
    {
        Session seen;
        const quint16 gamePort = freePort();
        const quint16 lobbyPort = freePort();
        Listener lobby(lobbyPort);
        Listener host(gamePort);
        Instance joiner(gamePort, lobbyPort, x.get());
        QProcessEnvironment env = joiner.process.processEnvironment();
        env.insert("LANGUAGE", language.language);
        env.insert("LC_ALL", "C.UTF-8");
        env.insert("LANG", "C.UTF-8");
        joiner.process.setProcessEnvironment(env);
        joiner.start({"Ann", "127.0.0.1", "join"});

        if (!QTest::qWaitFor([&] { return host.peers.size() == 1; }, 10000)) {
            ADD_FAILURE() << language.language.toStdString() << ": no connection to the host";
            return seen;
        }
        QTcpSocket &link = *host.peers.front();
        link.write("CMD_sendlogininfo+3" + T);
        seen.login = readUntil(link, "+Ann" + T + T);
        link.write("CMD_newplayerinfo+3+Ann" + T);

        const QString window = mainWindow(joiner.process);
        if (window.isEmpty()) {
            ADD_FAILURE() << language.language.toStdString() << ": no main window";
            return seen;
        }
        const QString height =
            x->tool("xdotool", {"getwindowgeometry", "--shell", window}).value_or(QString());
        const int menuBar =
            QRegularExpression("HEIGHT=(\\d+)").match(height).captured(1).toInt() - kClientHeight;
        x->tool("xdotool", {"windowactivate", "--sync", window});
        x->tool("xdotool", {"mousemove", "--window", window, QString::number(kPhraseButton1.x()),
                            QString::number(menuBar + kPhraseButton1.y()), "click", "1"});
        seen.phrase = readUntil(link, "|clBlack" + T, 5000);

        x->tool("xdotool", {"windowactivate", "--sync", window});
        x->tool("xdotool", {"key", "--clearmodifiers", language.viewMenuKey});
        QTest::qWait(300);
        x->tool("xdotool", {"key", "--clearmodifiers", language.tallyKey});
        seen.tallyWindowShown =
            x->tool("xdotool",
                    {"search", "--sync", "--onlyvisible", "--name",
                     "^" + QRegularExpression::escape(language.tallyTitle) + "$"},
                    5000)
                .has_value();
        return seen;
    }

    QString mainWindow(const QProcess &process)
    {
        QString found;
        (void)QTest::qWaitFor(
            [&] {
                const QStringList ids = x->windowsOf(process.processId());
                if (ids.size() == 1)
                    found = ids.front();
                return !found.isEmpty();
            },
            15000);
        return found;
    }

    std::unique_ptr<XDisplay> x;
};

} // namespace

TEST_F(Languages, GermanScreenSendsTheSameBytesAsAnEnglishOne)
{
    const Session english = play(kEnglish);
    const Session german = play(kGerman);

    EXPECT_TRUE(english.tallyWindowShown) << "View > View Tally opens \"Kalvex  - Tally List\"";
    EXPECT_TRUE(german.tallyWindowShown) << "Ansicht > Bilanz anzeigen opens \"Kalvex - Bilanz\"";

    EXPECT_EQ(english.login, "CMD_logininfo+3+1.0.5+Ann" + T + T);
    EXPECT_EQ(german.login, english.login);
    // The default phrase goes out in English, with its English "says:".
    EXPECT_EQ(english.phrase, "CMD_action+3+says: Way To Go!|clBlack" + T);
    EXPECT_EQ(german.phrase, english.phrase);
}
