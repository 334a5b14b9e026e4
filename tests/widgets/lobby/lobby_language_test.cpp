// The lobby in German: every text on its pages is German, while all that it
// hands on - the game's command line, the announcement on the network, the
// advert and the chat in the room, its settings file - is byte for byte what
// the English lobby hands on.

#include "../../process/lobby/lobby_test_support.h"
#include "app/qt/translations.h"
#include "fake_internet.h"
#include "lobby/discovery_datagram.h"
#include "lobby/game_advert.h"
#include "lobby/qt/internet_tab.h"
#include "lobby/router_session.h"
#include "net/shown_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTranslator>
#include <QTreeWidget>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace kalvex {
namespace {

// The game's German catalogue installed for as long as this lives, for Qt's
// texts and the plain C++ ones alike, as the program installs it.
class German
{
public:
    German()
    {
        loaded =
            translator.load(QStringLiteral("kalvex_de"), QString::fromLatin1(kTranslationsPath));
        QCoreApplication::installTranslator(&translator);
        setShownTextTranslator(&viaQt);
    }
    ~German()
    {
        setShownTextTranslator(nullptr);
        QCoreApplication::removeTranslator(&translator);
    }
    German(const German &) = delete;
    German &operator=(const German &) = delete;

    bool loaded = false;

private:
    static std::string viaQt(const char *context, const char *english)
    {
        return QCoreApplication::translate(context, english).toStdString();
    }
    QTranslator translator;
};

// The words on the window's own widgets (labels, buttons, group titles,
// tabs, column heads, hints, tips), in the order of the widgets.
QStringList wordsOn(const QWidget &window)
{
    QStringList words;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            words << label->text();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            words << button->text();
        if (const auto *box = qobject_cast<const QGroupBox *>(widget))
            words << box->title();
        if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
            words << edit->placeholderText();
        if (const auto *tabs = qobject_cast<const QTabWidget *>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                words << tabs->tabText(i);
        if (const auto *tree = qobject_cast<const QTreeWidget *>(widget)) {
            for (int column = 0; column < tree->columnCount(); ++column)
                words << tree->headerItem()->text(column);
            for (int row = 0; row < tree->topLevelItemCount(); ++row)
                for (int column = 0; column < tree->columnCount(); ++column)
                    words << tree->topLevelItem(row)->toolTip(column);
        }
        words << widget->toolTip();
    }
    return words;
}

template <typename W> W *child(const QWidget &window, const char *name)
{
    W *widget = window.findChild<W *>(name);
    if (widget == nullptr)
        throw std::runtime_error(std::string("no widget ") + name);
    return widget;
}

// What one lobby showed, and what it handed on.
struct Session
{
    QStringList words;
    QString roomError;
    QString reachability;
    QString roomChat;
    QString roomGameState;
    QString roomGameAddress;
    std::vector<std::string> gameArguments;
    QByteArray announcement;
    std::optional<XmlAttributes> advert;
    QStringList said;
    QByteArray settings;
};

class LobbyLanguage : public ::testing::Test
{
protected:
    // Ann hosts a game from a lobby in the language installed now: the
    // room's account is first refused, then the room is entered, the router
    // refuses the port, Bob advertises a game nobody can reach, and Ann says
    // hello. The ports are the same in every session.
    Session play()
    {
        Session seen;
        QTemporaryDir home;
        qputenv("KALVEX_HOME", home.path().toLocal8Bit());
        test::refuseUnlessDiscoveryStaysLocal();
        auto record = std::make_shared<test::InternetRecord>();
        QUdpSocket listener;
        EXPECT_TRUE(listener.bind(QHostAddress::AnyIPv4, ports.discovery,
                                  QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
        {
            LobbyWindow window(ports, test::fakeInternet(record));
            const auto edit = [&](const char *name) { return child<QLineEdit>(window, name); };
            const auto button = [&](const char *name) {
                return child<QAbstractButton>(window, name);
            };
            window.findChild<QTabWidget *>("tabs_lobby")->setCurrentWidget(&window.internetTab());

            // The chat server is left out first.
            edit("edit_name")->setText(QStringLiteral("Ann"));
            QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
            seen.roomError = child<QLabel>(window, "label_room_error")->text();

            edit("edit_room_server")->setText(QStringLiteral("chat.example.org"));
            emit edit("edit_room_server")->textEdited(QStringLiteral("chat.example.org"));
            QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
            emit record->room->entered(QStringLiteral("Ann"));
            GameAdvert bobs;
            bobs.hostName = "Bob";
            bobs.port = 7772;
            bobs.seated = 2;
            bobs.programVersion = "1.0.5";
            emit record->room->occupantChanged(QStringLiteral("Bob"), bobs);

            QTest::mouseClick(button("button_host"), Qt::LeftButton);
            EXPECT_TRUE(window.launcher().running());
            seen.gameArguments = window.launcher().lastCommand().arguments;
            QTcpSocket link;
            link.connectToHost(QHostAddress::LocalHost, ports.link);
            EXPECT_TRUE(QTest::qWaitFor([&] { return window.announcing(); }, 3000));
            EXPECT_TRUE(QTest::qWaitFor([&] { return listener.hasPendingDatagrams(); }, 3000));
            seen.announcement.resize(static_cast<int>(listener.pendingDatagramSize()));
            listener.readDatagram(seen.announcement.data(), seen.announcement.size());
            emit record->mapper->unavailable(QString::fromStdString(routerRefusalText(
                static_cast<std::uint16_t>(ports.game), kRouterNoPortMapsAvailable)));
            if (!record->adverts.empty() && record->adverts.back())
                seen.advert = advertAttributes(*record->adverts.back());

            edit("edit_room_chat")->setText(QStringLiteral("Grüß euch, wer spielt mit?"));
            QTest::keyClick(edit("edit_room_chat"), Qt::Key_Return);
            seen.said = record->said;

            seen.words = wordsOn(window);
            seen.reachability = child<QLabel>(window, "label_reachability")->text();
            seen.roomChat = child<QTextBrowser>(window, "text_room_chat")->toPlainText();
            const QTreeWidget *games = child<QTreeWidget>(window, "list_room_games");
            if (games->topLevelItemCount() == 1) {
                seen.roomGameAddress = games->topLevelItem(0)->text(1);
                seen.roomGameState = games->topLevelItem(0)->text(4);
            }
            link.disconnectFromHost();
            QProcess::execute(
                QStringLiteral("kill"),
                {QStringLiteral("-KILL"), QString::number(window.launcher().processId())});
            (void)QTest::qWaitFor([&] { return !window.launcher().running(); }, 5000);
        }
        QFile settings(QDir(home.path()).filePath(QStringLiteral("orbolobby.ini")));
        EXPECT_TRUE(settings.open(QIODevice::ReadOnly));
        seen.settings = settings.readAll();
        return seen;
    }

    test::SleepingGame sleepingGame;
    LobbyWindow::Ports ports{test::freeTcpPort(), test::freeUdpPort(), test::freeTcpPort()};
};

TEST_F(LobbyLanguage, GermanShowsEveryTextInGermanAndHandsOnTheEnglishBytes)
{
    const Session english = play();
    Session german;
    {
        const German language;
        ASSERT_TRUE(language.loaded) << "the German catalogue is stored in the program";
        german = play();
    }

    // Every word on the window is German; a few read the same in both.
    ASSERT_EQ(german.words.size(), english.words.size());
    const QStringList same{"Internet", "Port", "Server:"};
    for (qsizetype i = 0; i < english.words.size(); ++i) {
        if (!english.words[i].isEmpty() && !same.contains(english.words[i])) {
            EXPECT_NE(german.words[i], english.words[i])
                << "not translated: " << english.words[i].toStdString();
        }
    }
    EXPECT_TRUE(german.words.contains("Spiel eröffnen")) << german.words.join('|').toStdString();
    EXPECT_TRUE(german.words.contains("Beitreten"));
    EXPECT_TRUE(german.words.contains("Allein spielen"));
    EXPECT_TRUE(german.words.contains("Lokales Netz"));
    // The window's name is a name.
    EXPECT_TRUE(english.words.contains("Host a Game")) << english.words.join('|').toStdString();

    // The texts the lobby composes: the German sentence around the German
    // reason from the plain C++ layer, the room's lines and list.
    EXPECT_EQ(english.roomError, "Type the chat server's name first.");
    EXPECT_EQ(german.roomError, "Gib zuerst den Namen des Chatservers ein.");
    EXPECT_TRUE(english.reachability.startsWith(
        QStringLiteral("Players outside cannot reach your game: The router refused to forward "
                       "TCP port %1: its table of forwarded ports is full. Forward TCP port %1 ")
            .arg(ports.game)))
        << english.reachability.toStdString();
    EXPECT_TRUE(german.reachability.startsWith(
        QStringLiteral("Spieler von außerhalb erreichen dein Spiel nicht: Der Router leitet "
                       "TCP-Port %1 nicht weiter: seine Tabelle der weitergeleiteten Ports ist "
                       "voll. Leite TCP-Port %1 ")
            .arg(ports.game)))
        << german.reachability.toStdString();
    EXPECT_TRUE(german.roomChat.contains("Du bist in kalvex@conference.chat.example.org als Ann."))
        << german.roomChat.toStdString();
    EXPECT_EQ(english.roomGameAddress, "not reachable from outside");
    EXPECT_EQ(german.roomGameAddress, "von außen nicht erreichbar");
    EXPECT_EQ(english.roomGameState, "waiting");
    EXPECT_EQ(german.roomGameState, "wartet");

    // What goes to the game, the network, the room and the file.
    EXPECT_EQ(english.gameArguments, (std::vector<std::string>{"Ann", "127.0.0.1", "true"}));
    EXPECT_EQ(german.gameArguments, english.gameArguments);
    EXPECT_EQ(english.announcement,
              QByteArray::fromStdString(encodeAnnouncement({ports.game, "Ann"}).value()));
    EXPECT_EQ(german.announcement, english.announcement);
    ASSERT_TRUE(english.advert.has_value());
    EXPECT_EQ(german.advert, english.advert);
    EXPECT_EQ(english.said, QStringList{"Grüß euch, wer spielt mit?"});
    EXPECT_EQ(german.said, english.said);
    EXPECT_TRUE(english.settings.contains("Playername=Ann")) << english.settings.toStdString();
    EXPECT_EQ(german.settings, english.settings);
}

} // namespace
} // namespace kalvex
