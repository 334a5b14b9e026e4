<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ChatComposer</name>
    <message>
        <source>%1: &lt;Chatter Sound&gt; %2</source>
        <translation>%1: &lt;Chat-Klang&gt; %2</translation>
    </message>
</context>
<context>
    <name>ChatInput</name>
    <message>
        <source>&lt;Enter Chat Here&gt;</source>
        <translation>&lt;Chat hier eingeben&gt;</translation>
    </message>
</context>
<context>
    <name>ChatterSound</name>
    <message>
        <source>Doh</source>
        <translation>D’oh</translation>
    </message>
    <message>
        <source>Cough</source>
        <translation>Husten</translation>
    </message>
    <message>
        <source>Hello</source>
        <translation>Hallo</translation>
    </message>
    <message>
        <source>Thank You</source>
        <translation>Danke</translation>
    </message>
    <message>
        <source>Where have you been?</source>
        <translation>Wo warst du?</translation>
    </message>
    <message>
        <source>Snoring</source>
        <translation>Schnarchen</translation>
    </message>
    <message>
        <source>Sneezing</source>
        <translation>Niesen</translation>
    </message>
    <message>
        <source>Sorry</source>
        <translation>Tut mir leid</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Willkommen</translation>
    </message>
    <message>
        <source>Yeehaa</source>
        <translation>Yeehaa</translation>
    </message>
    <message>
        <source>Yippee</source>
        <translation>Juhu</translation>
    </message>
    <message>
        <source>Oh No</source>
        <translation>Oh nein</translation>
    </message>
    <message>
        <source>Applause</source>
        <translation>Applaus</translation>
    </message>
    <message>
        <source>Honk</source>
        <translation>Hupe</translation>
    </message>
    <message>
        <source>Oooh</source>
        <translation>Oooh</translation>
    </message>
    <message>
        <source>Razzberry</source>
        <translation>Pfffrrt</translation>
    </message>
    <message>
        <source>Cheer</source>
        <translation>Jubel</translation>
    </message>
    <message>
        <source>Woman Laughing</source>
        <translation>Frau lacht</translation>
    </message>
    <message>
        <source>Man Laughing</source>
        <translation>Mann lacht</translation>
    </message>
    <message>
        <source>Crying</source>
        <translation>Weinen</translation>
    </message>
</context>
<context>
    <name>ClientSession</name>
    <message>
        <source>%1 has a different version of the game then you.</source>
        <translation>%1 hat eine andere Version des Spiels als du.</translation>
    </message>
    <message>
        <source>You have a differnt version of the game then the host.</source>
        <translation>Du hast eine andere Version des Spiels als der Gastgeber.</translation>
    </message>
    <message>
        <source>The Game is tied, so you will play another round.</source>
        <translation>Gleichstand! Ihr spielt noch eine Runde.</translation>
    </message>
    <message>
        <source>You are Connected.</source>
        <translation>Du bist verbunden.</translation>
    </message>
    <message>
        <source>%1 is Connected.</source>
        <translation>%1 ist verbunden.</translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation>%1 hat das Spiel verlassen.</translation>
    </message>
    <message>
        <source>%1 is just watching</source>
        <translation>%1 schaut nur zu</translation>
    </message>
    <message>
        <source>%1 is now playing again</source>
        <translation>%1 spielt wieder mit</translation>
    </message>
    <message>
        <source>%1 has started a game.</source>
        <translation>%1 hat ein Spiel gestartet.</translation>
    </message>
    <message>
        <source>Six Color Game</source>
        <translation>Sechs-Farben-Spiel</translation>
    </message>
    <message>
        <source>Five Color Game</source>
        <translation>Fünf-Farben-Spiel</translation>
    </message>
    <message>
        <source>ROUND: %1/%2</source>
        <translation>RUNDE: %1/%2</translation>
    </message>
    <message>
        <source>Round is starting</source>
        <translation>Die Runde beginnt</translation>
    </message>
    <message>
        <source>Be a MasterMind!</source>
        <translation>Knack den Code!</translation>
    </message>
    <message>
        <source>Round has started.</source>
        <translation>Die Runde läuft.</translation>
    </message>
    <message>
        <source>You are a MasterMind!</source>
        <translation>Du hast den Code geknackt!</translation>
    </message>
    <message>
        <source>You are out of guesses.</source>
        <translation>Du hast keine Reihe mehr frei.</translation>
    </message>
    <message>
        <source>Time is Up!.</source>
        <translation>Die Zeit ist um!</translation>
    </message>
    <message>
        <source>Round is Over.. Please Wait..</source>
        <translation>Runde vorbei … bitte warten …</translation>
    </message>
    <message>
        <source>You got the Time Bonus.</source>
        <translation>Du bekommst den Zeitbonus.</translation>
    </message>
    <message>
        <source>%1 got the Time Bonus.</source>
        <translation>%1 bekommt den Zeitbonus.</translation>
    </message>
    <message>
        <source>You have Won the Game!</source>
        <translation>Du hast das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>%1 has Won the Game!</source>
        <translation>%1 hat das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>Welcome to Kalvex</source>
        <translation>Willkommen bei Kalvex</translation>
    </message>
</context>
<context>
    <name>DownloadProgress</name>
    <message>
        <source>Loading</source>
        <translation>Wird geladen</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 Bytes empfangen</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Download abgebrochen</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Wird installiert</translation>
    </message>
    <message>
        <source>Download has been aborted.</source>
        <translation>Der Download wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Downloading: %1</source>
        <translation>Lade herunter: %1</translation>
    </message>
</context>
<context>
    <name>FoundGames</name>
    <message>
        <source>now</source>
        <translation>jetzt</translation>
    </message>
    <message>
        <source>%1 s ago</source>
        <translation>vor %1 s</translation>
    </message>
    <message>
        <source>%1 min ago</source>
        <translation>vor %1 min</translation>
    </message>
</context>
<context>
    <name>HelpPage</name>
    <message>
        <source>Overview</source>
        <translation>Überblick</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Spielablauf</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Dokumentation</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Lizenz</translation>
    </message>
    <message>
        <source>The Lobby</source>
        <translation>Die Lobby</translation>
    </message>
</context>
<context>
    <name>LaunchPlan</name>
    <message>
        <source>Loading Solo Game..Please wait.</source>
        <translation>Solospiel wird geladen … bitte warten.</translation>
    </message>
    <message>
        <source>Loading Multi-player Game.. Please Wait.</source>
        <translation>Mehrspielerspiel wird geladen … bitte warten.</translation>
    </message>
</context>
<context>
    <name>PlayerName</name>
    <message>
        <source>Please enter your name first.</source>
        <translation>Bitte gib zuerst deinen Namen ein.</translation>
    </message>
    <message>
        <source>Your name is too long: at most %1 bytes, please.</source>
        <translation>Dein Name ist zu lang: bitte höchstens %1 Bytes.</translation>
    </message>
    <message>
        <source>A name cannot contain &quot;+&quot;.</source>
        <translation>Ein Name darf kein „+“ enthalten.</translation>
    </message>
    <message>
        <source>A name cannot contain control characters.</source>
        <translation>Ein Name darf keine Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>A name cannot begin or end with a blank.</source>
        <translation>Ein Name darf nicht mit einem Leerzeichen beginnen oder enden.</translation>
    </message>
</context>
<context>
    <name>RoundClock</name>
    <message>
        <source>Time: %1</source>
        <translation>Zeit: %1</translation>
    </message>
</context>
<context>
    <name>RouterSession</name>
    <message>
        <source>The router answered but is not connected to the internet, so players outside cannot reach this game</source>
        <translation>Der Router antwortet, ist aber nicht mit dem Internet verbunden; Spieler von außerhalb erreichen dieses Spiel also nicht</translation>
    </message>
    <message>
        <source>The router stopped answering (UPnP)</source>
        <translation>Der Router antwortet nicht mehr (UPnP)</translation>
    </message>
    <message>
        <source>The router has no public internet address (it may sit behind another router), so players outside cannot reach this game</source>
        <translation>Der Router hat keine öffentliche Internetadresse (vielleicht steht er hinter einem weiteren Router); Spieler von außerhalb erreichen dieses Spiel also nicht</translation>
    </message>
    <message>
        <source>The router&apos;s internet address %1 is itself a private one: this network sits behind another router (the provider&apos;s), so players outside cannot reach this game</source>
        <translation>Die Internetadresse %1 des Routers ist selbst eine private: Dieses Netz steht hinter einem weiteren Router (dem des Anbieters), Spieler von außerhalb erreichen dieses Spiel also nicht</translation>
    </message>
    <message>
        <source>it does not let this machine open that port (action not authorized)</source>
        <translation>er lässt diesen Computer den Port nicht öffnen (Aktion nicht erlaubt)</translation>
    </message>
    <message>
        <source>it already forwards that port to another machine (conflict with another mapping)</source>
        <translation>er leitet diesen Port schon an einen anderen Computer weiter (Konflikt mit einer anderen Weiterleitung)</translation>
    </message>
    <message>
        <source>its table of forwarded ports is full</source>
        <translation>seine Tabelle der weitergeleiteten Ports ist voll</translation>
    </message>
    <message>
        <source>it conflicts with a forwarding set up another way on the router</source>
        <translation>das kollidiert mit einer Weiterleitung, die auf anderem Weg im Router eingerichtet ist</translation>
    </message>
    <message>
        <source>it does not accept that port (wildcard not permitted)</source>
        <translation>er nimmt diesen Port nicht an (Platzhalter nicht erlaubt)</translation>
    </message>
    <message>
        <source>it needs the same port outside and inside</source>
        <translation>er braucht außen und innen denselben Port</translation>
    </message>
    <message>
        <source>it only forwards ports it chooses itself</source>
        <translation>er leitet nur Ports weiter, die er selbst wählt</translation>
    </message>
    <message>
        <source>the action failed on the router</source>
        <translation>die Aktion ist im Router fehlgeschlagen</translation>
    </message>
    <message>
        <source>error %1</source>
        <translation>Fehler %1</translation>
    </message>
    <message>
        <source>The router refused to forward TCP port %1: %2</source>
        <translation>Der Router leitet TCP-Port %1 nicht weiter: %2</translation>
    </message>
    <message>
        <source>The router did not tell its internet address, so players outside cannot be told where to connect</source>
        <translation>Der Router nennt seine Internetadresse nicht; Spieler von außerhalb erfahren also nicht, wohin sie sich verbinden sollen</translation>
    </message>
    <message>
        <source>No router answered (UPnP is off or not supported)</source>
        <translation>Kein Router hat geantwortet (UPnP ist aus oder wird nicht unterstützt)</translation>
    </message>
</context>
<context>
    <name>SpyRoster</name>
    <message>
        <source>You are spying.</source>
        <translation>Du schaust heimlich zu.</translation>
    </message>
    <message>
        <source>%1 is spying.</source>
        <translation>%1 schaut heimlich zu.</translation>
    </message>
    <message>
        <source>%1 has left.</source>
        <translation>%1 ist gegangen.</translation>
    </message>
</context>
<context>
    <name>Transcript</name>
    <message>
        <source>Click the balls to change their colors.</source>
        <translation>Klicke auf die Kugeln, um ihre Farbe zu ändern.</translation>
    </message>
    <message>
        <source>Press the button with the Check Mark to enter your guess.</source>
        <translation>Drücke den Knopf mit dem Häkchen, um deinen Tipp abzugeben.</translation>
    </message>
    <message>
        <source>You will receive a clue.</source>
        <translation>Dann bekommst du einen Hinweis.</translation>
    </message>
    <message>
        <source>A green peg means you have a correct colored ball in the correct location.</source>
        <translation>Ein grüner Stift heißt: Eine Kugel hat die richtige Farbe und liegt an der richtigen Stelle.</translation>
    </message>
    <message>
        <source>A yellow peg means you have a correct colored ball in the wrong location</source>
        <translation>Ein gelber Stift heißt: Eine Kugel hat die richtige Farbe, liegt aber an der falschen Stelle.</translation>
    </message>
    <message>
        <source>An Empty peg means there is a colored ball that will not complete the code.</source>
        <translation>Ein leerer Stift heißt: Eine Kugel hat eine Farbe, die dem Code nicht weiterhilft.</translation>
    </message>
</context>
<context>
    <name>boardart</name>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>gelb</translation>
    </message>
    <message>
        <source>green</source>
        <translation>grün</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>blau</translation>
    </message>
    <message>
        <source>red</source>
        <translation>rot</translation>
    </message>
    <message>
        <source>magenta</source>
        <translation>magenta</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>cyan</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
</context>
<context>
    <name>kalvex::BoardPanel</name>
    <message>
        <source>Row %1, 1 point</source>
        <translation>Reihe %1, 1 Punkt</translation>
    </message>
    <message>
        <source>Row %1, %2 points</source>
        <translation>Reihe %1, %2 Punkte</translation>
    </message>
    <message>
        <source>Game board</source>
        <translation>Spielbrett</translation>
    </message>
    <message>
        <source>Keys 1 to 6 colour the selected ball, Left and Right choose the ball, Enter checks the row</source>
        <translation>Die Tasten 1 bis 6 färben die gewählte Kugel, Links und Rechts wählen die Kugel, Enter prüft die Reihe</translation>
    </message>
    <message>
        <source>%1, ball %2</source>
        <translation>%1, Kugel %2</translation>
    </message>
    <message>
        <source>Clue for row %1</source>
        <translation>Hinweis für Reihe %1</translation>
    </message>
    <message>
        <source>1 point for the code on this row</source>
        <translation>1 Punkt für den Code in dieser Reihe</translation>
    </message>
    <message>
        <source>%1 points for the code on this row</source>
        <translation>%1 Punkte für den Code in dieser Reihe</translation>
    </message>
    <message>
        <source>Code ball %1</source>
        <translation>Codekugel %1</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Enter your guess</source>
        <translation>Gib deinen Tipp ab</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Seat %1; the context menu removes the player, sets watching or mutes the chat</source>
        <translation>Platz %1; im Kontextmenü kannst du den Spieler entfernen, auf Zuschauen setzen oder seinen Chat stummschalten</translation>
    </message>
    <message>
        <source>Found the code</source>
        <translation>Code geknackt</translation>
    </message>
    <message>
        <source>Out of guesses</source>
        <translation>Keine Reihe mehr frei</translation>
    </message>
    <message>
        <source>Just watching</source>
        <translation>Schaut nur zu</translation>
    </message>
    <message>
        <source>Time Bonus</source>
        <translation>Zeitbonus</translation>
    </message>
    <message>
        <source>The fastest player gets a time bonus of 5 points</source>
        <translation>Der schnellste Spieler bekommt einen Zeitbonus von 5 Punkten</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Aus dem Spiel entfernen</translation>
    </message>
    <message>
        <source>Set to Just Watch</source>
        <translation>Auf Zuschauen setzen</translation>
    </message>
    <message>
        <source>Unset Just Watch</source>
        <translation>Wieder mitspielen lassen</translation>
    </message>
    <message>
        <source>Mute Chat</source>
        <translation>Chat stummschalten</translation>
    </message>
    <message>
        <source>, open, selected</source>
        <translation>, offen, ausgewählt</translation>
    </message>
    <message>
        <source>, open</source>
        <translation>, offen</translation>
    </message>
    <message>
        <source>Enter your guess for row %1</source>
        <translation>Gib deinen Tipp für Reihe %1 ab</translation>
    </message>
    <message>
        <source>&lt;Waiting&gt;</source>
        <translation>&lt;Frei&gt;</translation>
    </message>
    <message>
        <source>Seat %1: %2, score %3</source>
        <translation>Platz %1: %2, %3 Punkte</translation>
    </message>
    <message>
        <source>, just watching</source>
        <translation>, schaut nur zu</translation>
    </message>
    <message>
        <source>, found the code</source>
        <translation>, hat den Code geknackt</translation>
    </message>
    <message>
        <source>, out of guesses</source>
        <translation>, keine Reihe mehr frei</translation>
    </message>
    <message>
        <source>, chat muted</source>
        <translation>, Chat stummgeschaltet</translation>
    </message>
    <message>
        <source>%1 green, %2 yellow, %3 empty</source>
        <translation>%1 grün, %2 gelb, %3 leer</translation>
    </message>
</context>
<context>
    <name>kalvex::ChatControls</name>
    <message>
        <source>Text Color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>&lt;Cancel&gt;</source>
        <translation>&lt;Abbrechen&gt;</translation>
    </message>
    <message>
        <source>Chatter Sounds</source>
        <translation>Chat-Klänge</translation>
    </message>
    <message>
        <source>See ya!</source>
        <translation>Bis bald!</translation>
    </message>
</context>
<context>
    <name>kalvex::ChatInput</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Einf&amp;ügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
</context>
<context>
    <name>kalvex::DesktopLinkOpener</name>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Die Webseite lässt sich nicht öffnen</translation>
    </message>
</context>
<context>
    <name>kalvex::GameLauncher</name>
    <message>
        <source>A game started from the lobby is still running.</source>
        <translation>Ein Spiel, das über die Lobby gestartet wurde, läuft noch.</translation>
    </message>
    <message>
        <source>The game program &quot;kalvex&quot; was found neither beside the lobby nor on the PATH.</source>
        <translation>Das Spielprogramm „kalvex“ wurde weder neben der Lobby noch im PATH gefunden.</translation>
    </message>
    <message>
        <source>The game program %1 could not be started: %2</source>
        <translation>Das Spielprogramm %1 ließ sich nicht starten: %2</translation>
    </message>
</context>
<context>
    <name>kalvex::HttpDownload</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
</context>
<context>
    <name>kalvex::InternetTab</name>
    <message>
        <source>not reachable from outside</source>
        <translation>von außen nicht erreichbar</translation>
    </message>
    <message>
        <source>Chat server account</source>
        <translation>Konto auf dem Chatserver</translation>
    </message>
    <message>
        <source>an XMPP server, e.g. jabber.example.org</source>
        <translation>ein XMPP-Server, z. B. jabber.example.org</translation>
    </message>
    <message>
        <source>Anonymous login</source>
        <translation>Anonym anmelden</translation>
    </message>
    <message>
        <source>you@example.org</source>
        <translation>du@example.org</translation>
    </message>
    <message>
        <source>Remember password</source>
        <translation>Passwort merken</translation>
    </message>
    <message>
        <source>room@conference.example.org</source>
        <translation>raum@conference.example.org</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Konto:</translation>
    </message>
    <message>
        <source>Room:</source>
        <translation>Raum:</translation>
    </message>
    <message>
        <source>Games in the room:</source>
        <translation>Spiele im Raum:</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Gastgeber</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Stand</translation>
    </message>
    <message>
        <source>Your outside address:</source>
        <translation>Deine Adresse von außen:</translation>
    </message>
    <message>
        <source>Room chat:</source>
        <translation>Chat im Raum:</translation>
    </message>
    <message>
        <source>Say something to the room, then press Enter</source>
        <translation>Sag etwas in den Raum und drück die Eingabetaste</translation>
    </message>
    <message>
        <source>People in the room:</source>
        <translation>Leute im Raum:</translation>
    </message>
    <message>
        <source>The password was not remembered.</source>
        <translation>Das Passwort wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>The desktop&apos;s password store refused to keep the password.</source>
        <translation>Der Passwortspeicher des Desktops hat das Passwort nicht angenommen.</translation>
    </message>
    <message>
        <source>The password is kept in the desktop&apos;s password store.</source>
        <translation>Das Passwort liegt im Passwortspeicher des Desktops.</translation>
    </message>
    <message>
        <source>This desktop has no password store: the password is kept as plain text in orbolobby.ini. Uncheck &quot;Remember password&quot; to keep it nowhere.</source>
        <translation>Dieser Desktop hat keinen Passwortspeicher: Das Passwort liegt als Klartext in orbolobby.ini. Nimm den Haken bei „Passwort merken“ weg, dann wird es nirgends abgelegt.</translation>
    </message>
    <message>
        <source>Type the chat server&apos;s name first.</source>
        <translation>Gib zuerst den Namen des Chatservers ein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a server: type its name, or name:port.</source>
        <translation>„%1“ ist kein Server: Gib seinen Namen ein, oder Name:Port.</translation>
    </message>
    <message>
        <source>Type your account as name@server, or choose anonymous login.</source>
        <translation>Gib dein Konto als name@server ein, oder wähl „Anonym anmelden“.</translation>
    </message>
    <message>
        <source>Type your account&apos;s password.</source>
        <translation>Gib das Passwort deines Kontos ein.</translation>
    </message>
    <message>
        <source>Type the room as room@conference.server.</source>
        <translation>Gib den Raum als raum@conference.server ein.</translation>
    </message>
    <message>
        <source>You are in %1 as %2.</source>
        <translation>Du bist in %1 als %2.</translation>
    </message>
    <message>
        <source>You left the room.</source>
        <translation>Du hast den Raum verlassen.</translation>
    </message>
    <message>
        <source>%1 came in.</source>
        <translation>%1 ist hereingekommen.</translation>
    </message>
    <message>
        <source>%1 left.</source>
        <translation>%1 ist gegangen.</translation>
    </message>
    <message>
        <source>Someone in the room already goes by &quot;%1&quot;: choose another name above and connect again.</source>
        <translation>Im Raum heißt schon jemand „%1“: Wähl oben einen anderen Namen und verbinde dich noch einmal.</translation>
    </message>
    <message>
        <source>Someone in the room already goes by &quot;%1&quot;. Choose another name above, or enter as &quot;%2&quot;.</source>
        <translation>Im Raum heißt schon jemand „%1“. Wähl oben einen anderen Namen, oder tritt als „%2“ ein.</translation>
    </message>
    <message>
        <source>Enter as &quot;%1&quot;</source>
        <translation>Als „%1“ eintreten</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address: type host or host:port.</source>
        <translation>„%1“ ist keine Adresse: Gib Host oder Host:Port ein.</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Not connected.</source>
        <translation>Nicht verbunden.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Verbinde mit %1 …</translation>
    </message>
    <message>
        <source>In %1 as %2.</source>
        <translation>In %1 als %2.</translation>
    </message>
    <message>
        <source>Trying again in %1 s.</source>
        <translation>Neuer Versuch in %1 s.</translation>
    </message>
    <message>
        <source>Trying again...</source>
        <translation>Neuer Versuch …</translation>
    </message>
    <message>
        <source>hosts a game</source>
        <translation>ist Gastgeber eines Spiels</translation>
    </message>
    <message>
        <source>playing</source>
        <translation>spielt</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>wartet</translation>
    </message>
    <message>
        <source>Its host&apos;s router did not open the game&apos;s port, and no address was typed: ask the host.</source>
        <translation>Der Router des Gastgebers hat den Port des Spiels nicht geöffnet, und es wurde keine Adresse eingetragen: Frag den Gastgeber.</translation>
    </message>
    <message>
        <source>empty: ask the router; or host[:port] when you forwarded the port by hand</source>
        <translation>leer: den Router fragen; oder Host[:Port], wenn du den Port selbst weiterleitest</translation>
    </message>
</context>
<context>
    <name>kalvex::LobbyWindow</name>
    <message>
        <source>Your name:</source>
        <translation>Dein Name:</translation>
    </message>
    <message>
        <source>Games on this network:</source>
        <translation>Spiele in diesem Netz:</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Gastgeber</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Seen</source>
        <translation>Gesehen</translation>
    </message>
    <message>
        <source>Host&apos;s address:</source>
        <translation>Adresse des Gastgebers:</translation>
    </message>
    <message>
        <source>a game in the list, or host, host:port, [IPv6 address]:port</source>
        <translation>ein Spiel aus der Liste, oder Host, Host:Port, [IPv6-Adresse]:Port</translation>
    </message>
    <message>
        <source>Host a Game</source>
        <translation>Spiel eröffnen</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>Solo Game</source>
        <translation>Allein spielen</translation>
    </message>
    <message>
        <source>Rejoin</source>
        <translation>Wieder beitreten</translation>
    </message>
    <message>
        <source>Local Network</source>
        <translation>Lokales Netz</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>This game cannot be reached from outside its host&apos;s network: ask its host for an address.</source>
        <translation>Dieses Spiel ist von außerhalb des Netzes seines Gastgebers nicht erreichbar: Frag den Gastgeber nach einer Adresse.</translation>
    </message>
    <message>
        <source>The lobby port %1 is in use (%2): games started here run without their lobby link.</source>
        <translation>Der Lobby-Port %1 ist belegt (%2): Hier gestartete Spiele laufen ohne Verbindung zur Lobby.</translation>
    </message>
    <message>
        <source>Games on this network cannot be found: UDP port %1 is not available (%2).</source>
        <translation>Spiele in diesem Netz lassen sich nicht finden: UDP-Port %1 ist nicht verfügbar (%2).</translation>
    </message>
    <message>
        <source>Looking for games on this network...</source>
        <translation>Suche nach Spielen in diesem Netz …</translation>
    </message>
    <message>
        <source>Select a game in the list, or type the host&apos;s address.</source>
        <translation>Wähl ein Spiel in der Liste aus, oder gib die Adresse des Gastgebers ein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address: type host, host:port or [IPv6 address]:port.</source>
        <translation>„%1“ ist keine Adresse: Gib Host, Host:Port oder [IPv6-Adresse]:Port ein.</translation>
    </message>
    <message>
        <source>Double-click a game to join it, or select it and press Join.</source>
        <translation>Doppelklick auf ein Spiel, um beizutreten, oder wähl es aus und drück „Beitreten“.</translation>
    </message>
    <message>
        <source>Your game is running and can be found on this network and in the internet room.</source>
        <translation>Dein Spiel läuft und ist in diesem Netz und im Internet-Raum zu finden.</translation>
    </message>
    <message>
        <source>Your game is running and can be found on this network.</source>
        <translation>Dein Spiel läuft und ist in diesem Netz zu finden.</translation>
    </message>
    <message>
        <source>Your game is running.</source>
        <translation>Dein Spiel läuft.</translation>
    </message>
    <message>
        <source>Your game is starting...</source>
        <translation>Dein Spiel startet …</translation>
    </message>
    <message>
        <source>Rejoin %1</source>
        <translation>Wieder beitreten: %1</translation>
    </message>
</context>
<context>
    <name>kalvex::MainWindow</name>
    <message>
        <source>Chat transcript</source>
        <translation>Chatverlauf</translation>
    </message>
    <message>
        <source>Chat input</source>
        <translation>Chateingabe</translation>
    </message>
    <message>
        <source>Enter sends the line; /me at the start sends an action</source>
        <translation>Enter sendet die Zeile; /me am Anfang sendet eine Aktion</translation>
    </message>
    <message>
        <source>Phrase %1</source>
        <translation>Spruch %1</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Start Game</source>
        <translation>&amp;Spiel starten</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Text &amp;Color</source>
        <translation>Text&amp;farbe</translation>
    </message>
    <message>
        <source>Text Si&amp;ze</source>
        <translation>Text&amp;größe</translation>
    </message>
    <message>
        <source>&amp;Reset Screen Location</source>
        <translation>Fensterposition zu&amp;rücksetzen</translation>
    </message>
    <message>
        <source>Show &amp;Ball Numbers</source>
        <translation>&amp;Kugelnummern anzeigen</translation>
    </message>
    <message>
        <source>&amp;Just Watch</source>
        <translation>&amp;Nur zuschauen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>View &amp;Tally</source>
        <translation>&amp;Bilanz anzeigen</translation>
    </message>
    <message>
        <source>&amp;Spy List</source>
        <translation>&amp;Spionliste</translation>
    </message>
    <message>
        <source>&amp;Phrase List</source>
        <translation>S&amp;pruchtasten</translation>
    </message>
    <message>
        <source>View &amp;Quick Instructions</source>
        <translation>&amp;Kurzanleitung anzeigen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Content</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber Kalvex</translation>
    </message>
    <message>
        <source>You are not connected</source>
        <translation>Du bist nicht verbunden</translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation>Das Spiel ist voll</translation>
    </message>
    <message>
        <source>&amp;Add Computer Player</source>
        <translation>&amp;Computerspieler hinzufügen</translation>
    </message>
    <message>
        <source>Computer &amp;Level</source>
        <translation>Computer-&amp;Niveau</translation>
    </message>
    <message>
        <source>&amp;Easy</source>
        <translation>&amp;Leicht</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>E&amp;xpert</source>
        <translation>&amp;Experte</translation>
    </message>
</context>
<context>
    <name>kalvex::RoomAdvertiser</name>
    <message>
        <source>your router forwards the port, but its own outside address %1 is private (another router stands before it)</source>
        <translation>dein Router leitet den Port weiter, aber seine eigene Adresse nach außen, %1, ist privat (ein weiterer Router steht davor)</translation>
    </message>
    <message>
        <source>Your game is listed in the room at %1 (the address you typed).</source>
        <translation>Dein Spiel steht im Raum unter %1 (der Adresse, die du eingetragen hast).</translation>
    </message>
    <message>
        <source>Your router forwards port %1: your game is listed in the room at %2.</source>
        <translation>Dein Router leitet Port %1 weiter: Dein Spiel steht im Raum unter %2.</translation>
    </message>
    <message>
        <source>Players outside cannot reach your game: %1. Forward TCP port %2 to this computer by hand and type your outside address below; until then your game is listed as not reachable from outside.</source>
        <translation>Spieler von außerhalb erreichen dein Spiel nicht: %1. Leite TCP-Port %2 von Hand an diesen Computer weiter und trag unten deine Adresse von außen ein; bis dahin steht dein Spiel als „von außen nicht erreichbar“ im Raum.</translation>
    </message>
    <message>
        <source>Asking your router to forward TCP port %1...</source>
        <translation>Dein Router wird gebeten, TCP-Port %1 weiterzuleiten …</translation>
    </message>
</context>
<context>
    <name>kalvex::SoundMenu</name>
    <message>
        <source>Play &amp;Sounds</source>
        <translation>Klänge ab&amp;spielen</translation>
    </message>
    <message>
        <source>Play C&amp;hatter Sounds</source>
        <translation>C&amp;hat-Klänge abspielen</translation>
    </message>
    <message>
        <source>&amp;Turn Sound</source>
        <translation>&amp;Zugklang</translation>
    </message>
    <message>
        <source>&amp;Classic</source>
        <translation>&amp;Klassisch</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
</context>
<context>
    <name>kalvex::Tabout</name>
    <message>
        <source>Kalvex - About</source>
        <translation>Über Kalvex</translation>
    </message>
    <message>
        <source>Click to close</source>
        <translation>Zum Schließen klicken</translation>
    </message>
    <message>
        <source>Open the web page</source>
        <translation>Webseite öffnen</translation>
    </message>
    <message>
        <source>The code-breaking board game with chat
Game design, code, pictures and sounds by the Kalvex team
Copyright © the Kalvex team</source>
        <translation>Das Codeknacker-Brettspiel mit Chat
Spielidee, Programm, Bilder und Klänge vom Kalvex-Team
Copyright © das Kalvex-Team</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Die Webseite lässt sich nicht öffnen</translation>
    </message>
</context>
<context>
    <name>kalvex::Tdownload</name>
    <message>
        <source>Download The Orbo77 Lobby</source>
        <translation>Die Orbo77 Lobby herunterladen</translation>
    </message>
    <message>
        <source>IS CLOSED</source>
        <translation>GESCHLOSSEN</translation>
    </message>
    <message>
        <source>Download The Orbo77 Lobby Now to play this  and other exciting games online with other players! </source>
        <translation>Lade jetzt die Orbo77 Lobby herunter und spiele dieses und andere spannende Spiele online mit anderen Spielern!</translation>
    </message>
    <message>
        <source>Download And Install The Orbo77 Lobby Now</source>
        <translation>Jetzt die Orbo77 Lobby installieren</translation>
    </message>
    <message>
        <source>Stop Download</source>
        <translation>Download abbrechen</translation>
    </message>
    <message>
        <source>To proceed to the game without the ability to play against others click the button below.</source>
        <translation>Um ohne Mitspieler aus dem Netz weiterzuspielen, klicke auf den Knopf unten.</translation>
    </message>
    <message>
        <source>Play Solo Game</source>
        <translation>Allein spielen</translation>
    </message>
    <message>
        <source>Note: Even if you are playing offline, you will need to configure your FIREWALL to allow the game to access the internet components.</source>
        <translation>Hinweis: Auch wenn du offline spielst, musst du deine FIREWALL so einstellen, dass das Spiel die Internet-Komponenten erreichen darf.</translation>
    </message>
    <message>
        <source>If you already have The Orbo77 Lobby and you wish to play with others then click the button below to close this game and open The Orbo77 Lobby.</source>
        <translation>Wenn du die Orbo77 Lobby schon hast und mit anderen spielen möchtest, klicke auf den Knopf unten: Das Spiel wird geschlossen und die Orbo77 Lobby geöffnet.</translation>
    </message>
    <message>
        <source>Play with Others</source>
        <translation>Mit anderen spielen</translation>
    </message>
    <message>
        <source>the address names no file</source>
        <translation>die Adresse nennt keine Datei</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ lässt sich nicht anlegen. %2</translation>
    </message>
    <message>
        <source>An Error has Occurred.</source>
        <translation>Ein Fehler ist aufgetreten.</translation>
    </message>
    <message>
        <source>Please close the game and open the Orbo77 Lobby using the icon on your desktop or using the your Window&apos;s start-up menu.</source>
        <translation>Bitte schließe das Spiel und öffne die Orbo77 Lobby über das Symbol auf deinem Desktop oder über das Startmenü.</translation>
    </message>
</context>
<context>
    <name>kalvex::Tgamestart</name>
    <message>
        <source>Kalvex - Game Start</source>
        <translation>Kalvex - Spielstart</translation>
    </message>
    <message>
        <source>Kalvex Options</source>
        <translation>Kalvex-Optionen</translation>
    </message>
    <message>
        <source>Bonus For Time</source>
        <translation>Zeitbonus</translation>
    </message>
    <message>
        <source>Six Color Game</source>
        <translation>Sechs-Farben-Spiel</translation>
    </message>
    <message>
        <source># of Rounds:</source>
        <translation>Anzahl Runden:</translation>
    </message>
    <message>
        <source>RoundTime Limit:</source>
        <translation>Zeit pro Runde:</translation>
    </message>
    <message>
        <source>secs</source>
        <translation>Sek.</translation>
    </message>
    <message>
        <source>Bonus For Time:</source>
        <translation>Zeitbonus:</translation>
    </message>
    <message>
        <source>Six Color Game:</source>
        <translation>Sechs-Farben-Spiel:</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
</context>
<context>
    <name>kalvex::Thelp</name>
    <message>
        <source>Kalvex - Help File</source>
        <translation>Kalvex - Hilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Kalvex</translation>
    </message>
    <message>
        <source>Kalvex by the Kalvex team

Thanks to every player who reported a bug or suggested a rule.</source>
        <translation>Kalvex vom Kalvex-Team

Danke an alle Spieler, die einen Fehler gemeldet oder eine Regel vorgeschlagen haben.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Die Webseite lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>en</source>
        <comment>help pages</comment>
        <extracomment>The folder of the help pages written in this language (assets/windows/help/&lt;folder&gt;)</extracomment>
        <translation>de</translation>
    </message>
</context>
<context>
    <name>kalvex::Tphrases</name>
    <message>
        <source>Kalvex - Phrase Buttons </source>
        <translation>Kalvex - Spruchtasten</translation>
    </message>
    <message>
        <source>Phrase Button %1:</source>
        <translation>Spruchtaste %1:</translation>
    </message>
    <message>
        <source>Buttons can only be used once every 2 seconds</source>
        <translation>Jede Spruchtaste geht nur einmal alle 2 Sekunden</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>kalvex::TranscriptPane</name>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Clear &amp;Main Chat</source>
        <translation>Haupt&amp;chat leeren</translation>
    </message>
    <message>
        <source>Scroll Chat O&amp;ff</source>
        <translation>Chat-Bildlauf &amp;aus</translation>
    </message>
    <message>
        <source>View &amp;Quick Instructions</source>
        <translation>&amp;Kurzanleitung anzeigen</translation>
    </message>
</context>
<context>
    <name>kalvex::Tspylist</name>
    <message>
        <source>Kalvex - Spys</source>
        <translation>Kalvex - Spione</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Spionliste</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Aus dem Spiel entfernen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>kalvex::Ttallylist</name>
    <message>
        <source>Kalvex  - Tally List</source>
        <translation>Kalvex - Bilanz</translation>
    </message>
    <message>
        <source>Your Total Tally</source>
        <translation>Deine Gesamtbilanz</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Spiele gesamt:</translation>
    </message>
    <message>
        <source>Your Wins:</source>
        <translation>Deine Siege:</translation>
    </message>
    <message>
        <source>Codes Cracked:</source>
        <translation>Codes geknackt:</translation>
    </message>
    <message>
        <source>Var4:</source>
        <translation>Var4:</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>%1 Wins:</source>
        <translation>Siege von %1:</translation>
    </message>
    <message>
        <source>Number of Games</source>
        <translation>Anzahl Spiele</translation>
    </message>
    <message>
        <source>Neither Won:</source>
        <translation>Keiner gewann:</translation>
    </message>
    <message>
        <source>Players In Current Game</source>
        <translation>Spieler im laufenden Spiel</translation>
    </message>
    <message>
        <source>Players Being Tallied</source>
        <translation>Spieler in der Bilanz</translation>
    </message>
    <message>
        <source>Reset Tally</source>
        <translation>Bilanz zurücksetzen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>

The unreadable tally file was kept as %1; a new tally is started.</source>
        <translation>

Die unlesbare Bilanzdatei wurde als %1 aufbewahrt; eine neue Bilanz beginnt.</translation>
    </message>
    <message>
        <source>

The unreadable tally file %1 could not be set aside, so the tally will not be saved while the program runs.</source>
        <translation>

Die unlesbare Bilanzdatei %1 ließ sich nicht beiseitelegen, darum wird die Bilanz nicht gespeichert, solange das Programm läuft.</translation>
    </message>
    <message>
        <source>The tally could not be saved: %1</source>
        <translation>Die Bilanz ließ sich nicht speichern: %1</translation>
    </message>
    <message>
        <source>This will delete %1&apos;s Tally, Are you want to delete it?</source>
        <translation>Damit löschst du deine Bilanz gegen %1. Willst du sie wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Willst du die Bilanz wirklich zurücksetzen?</translation>
    </message>
    <message>
        <source>%1&apos;s Tally</source>
        <translation>Bilanz gegen %1</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>kalvex::TwoStatePicture</name>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>An</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>AN</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
</context>
<context>
    <name>kalvex::XmppGameRoom</name>
    <message>
        <source>&quot;%1&quot; is no room address (like kalvex@conference.example.org), or &quot;%2&quot; no name that can be used in it.</source>
        <translation>„%1“ ist keine Raumadresse (wie kalvex@conference.example.org), oder „%2“ ist kein Name, der sich darin verwenden lässt.</translation>
    </message>
    <message>
        <source>Please enter the server.</source>
        <translation>Bitte gib den Server ein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no account (like name@example.org).</source>
        <translation>„%1“ ist kein Konto (wie name@example.org).</translation>
    </message>
    <message>
        <source>The connection to the server %1 was lost: it does not answer.</source>
        <translation>Die Verbindung zum Server %1 ist abgerissen: Er antwortet nicht.</translation>
    </message>
    <message>
        <source>The server %1 sent far more than a room needs: the lobby left it.</source>
        <translation>Der Server %1 hat weit mehr geschickt, als ein Raum braucht: Die Lobby hat ihn verlassen.</translation>
    </message>
    <message>
        <source>The server %1 refused the login: bad password or unknown account.</source>
        <translation>Der Server %1 hat die Anmeldung abgelehnt: falsches Passwort oder unbekanntes Konto.</translation>
    </message>
    <message>
        <source>The server %1 does not allow anonymous login: please use an account.</source>
        <translation>Der Server %1 erlaubt keine anonyme Anmeldung: Bitte nimm ein Konto.</translation>
    </message>
    <message>
        <source>The server %1 offers no way to log in that the lobby knows.</source>
        <translation>Der Server %1 bietet keine Anmeldeart, die die Lobby kennt.</translation>
    </message>
    <message>
        <source>The server %1 offers no encrypted connection (TLS), so the lobby does not log in there.</source>
        <translation>Der Server %1 bietet keine verschlüsselte Verbindung (TLS), deshalb meldet sich die Lobby dort nicht an.</translation>
    </message>
    <message>
        <source>The encrypted connection to the server %1 failed.</source>
        <translation>Die verschlüsselte Verbindung zum Server %1 ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Cannot find the server %1.</source>
        <translation>Der Server %1 ist nicht zu finden.</translation>
    </message>
    <message>
        <source>Cannot reach the server %1 (%2).</source>
        <translation>Der Server %1 ist nicht erreichbar (%2).</translation>
    </message>
    <message>
        <source>The server %1 does not serve &quot;%2&quot;: please check the server and the account.</source>
        <translation>Der Server %1 ist nicht für „%2“ zuständig: Bitte prüf den Server und das Konto.</translation>
    </message>
    <message>
        <source>The server %1 closed the connection.</source>
        <translation>Der Server %1 hat die Verbindung beendet.</translation>
    </message>
    <message>
        <source>The server %1 closed the connection: %2</source>
        <translation>Der Server %1 hat die Verbindung beendet: %2</translation>
    </message>
    <message>
        <source>The connection to the server %1 was lost.</source>
        <translation>Die Verbindung zum Server %1 ist abgerissen.</translation>
    </message>
    <message>
        <source>it is for another server</source>
        <translation>es gehört zu einem anderen Server</translation>
    </message>
    <message>
        <source>no trusted authority signed it</source>
        <translation>keine vertrauenswürdige Stelle hat es unterschrieben</translation>
    </message>
    <message>
        <source>it has expired</source>
        <translation>es ist abgelaufen</translation>
    </message>
    <message>
        <source>it is not valid yet</source>
        <translation>es ist noch nicht gültig</translation>
    </message>
    <message>
        <source>it was revoked</source>
        <translation>es wurde widerrufen</translation>
    </message>
    <message>
        <source>The server %1 cannot prove who it is: its certificate is refused (%2).</source>
        <translation>Der Server %1 kann nicht beweisen, wer er ist: Sein Zertifikat wird abgelehnt (%2).</translation>
    </message>
    <message>
        <source>You are no longer in the room.</source>
        <translation>Du bist nicht mehr im Raum.</translation>
    </message>
    <message>
        <source>You were removed from the room.</source>
        <translation>Du wurdest aus dem Raum entfernt.</translation>
    </message>
    <message>
        <source>You are banned from the room.</source>
        <translation>Du bist aus dem Raum verbannt.</translation>
    </message>
    <message>
        <source>The room was closed.</source>
        <translation>Der Raum wurde geschlossen.</translation>
    </message>
    <message>
        <source>The name %1 is still in use in the room, perhaps by this lobby&apos;s lost connection.</source>
        <translation>Der Name %1 ist im Raum noch belegt, vielleicht von der abgerissenen Verbindung dieser Lobby.</translation>
    </message>
    <message>
        <source>The room %1 does not exist.</source>
        <translation>Den Raum %1 gibt es nicht.</translation>
    </message>
    <message>
        <source>The room %1 does not exist, and the server does not let the lobby create it.</source>
        <translation>Den Raum %1 gibt es nicht, und der Server lässt die Lobby ihn nicht anlegen.</translation>
    </message>
    <message>
        <source>The room %1 is for its members only.</source>
        <translation>Der Raum %1 ist nur für seine Mitglieder.</translation>
    </message>
    <message>
        <source>The room %1 does not let you in.</source>
        <translation>Der Raum %1 lässt dich nicht hinein.</translation>
    </message>
    <message>
        <source>The room %1 wants a password.</source>
        <translation>Der Raum %1 verlangt ein Passwort.</translation>
    </message>
    <message>
        <source>The room %1 is full, or its server does not answer.</source>
        <translation>Der Raum %1 ist voll, oder sein Server antwortet nicht.</translation>
    </message>
    <message>
        <source>The server of the room %1 cannot be reached.</source>
        <translation>Der Server des Raums %1 ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; cannot be used in the room %2.</source>
        <translation>Der Name „%1“ lässt sich im Raum %2 nicht verwenden.</translation>
    </message>
    <message>
        <source>The room %1 refused entry (error %2).</source>
        <translation>Der Raum %1 hat den Zutritt verweigert (Fehler %2).</translation>
    </message>
</context>
<context>
    <name>kalvex::XmppSocketConnection</name>
    <message>
        <source>no answer</source>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>it sends too much</source>
        <translation>er schickt zu viel</translation>
    </message>
</context>
</TS>
