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
    <name>RoundClock</name>
    <message>
        <source>Time: %1</source>
        <translation>Zeit: %1</translation>
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
    <name>kalvex::HttpDownload</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
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
</TS>
