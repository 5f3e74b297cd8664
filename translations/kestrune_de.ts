<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CatalogueText</name>
    <message>
        <location filename="../src/gameservice/screens/cataloguetext.cpp" line="+13"/>
        <source>Single player</source>
        <extracomment>A leaderboard&apos;s name</extracomment>
        <translation>Einzelspieler</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>First Break</source>
        <translation>Erster Durchbruch</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break your first code in a single-player game.</source>
        <translation>Knacke deinen ersten Code in einem Einzelspiel.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Codebreaker</source>
        <translation>Codeknacker</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Win 50 single-player games.</source>
        <translation>Gewinne 50 Einzelspiele.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cipher Centurion</source>
        <translation>Chiffren-Zenturio</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Win 100 single-player games.</source>
        <translation>Gewinne 100 Einzelspiele.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Regular</source>
        <translation>Stammgast</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play 50 single-player games, won or lost.</source>
        <translation>Spiele 50 Einzelspiele, gewonnen oder verloren.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Devoted</source>
        <translation>Treue Seele</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play 100 single-player games, won or lost.</source>
        <translation>Spiele 100 Einzelspiele, gewonnen oder verloren.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Blind Luck</source>
        <translation>Blindes Glück</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break the code with your very first shot.</source>
        <translation>Knacke den Code mit deinem allerersten Schuss.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quick Thinker</source>
        <translation>Schnell geschaltet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break a code within 20 seconds of your first shot.</source>
        <translation>Knacke einen Code innerhalb von 20 Sekunden nach deinem ersten Schuss.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stubborn Streak</source>
        <translation>Dickkopf</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fire the same shot twice in a row.</source>
        <translation>Gib zweimal hintereinander denselben Schuss ab.</translation>
    </message>
</context>
<context>
    <name>ChallengeDialog</name>
    <message>
        <location filename="../src/gameservice/screens/challengedialog.ui" line="+6"/>
        <location line="+9"/>
        <source>Challenge a player</source>
        <translation>Spieler herausfordern</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A message (optional)</source>
        <translation>Eine Nachricht (optional)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Loading players…</source>
        <translation>Spieler werden geladen…</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Send challenge</source>
        <translation>Herausforderung senden</translation>
    </message>
</context>
<context>
    <name>ChallengesPage</name>
    <message>
        <location filename="../src/gameservice/screens/challengespage.ui" line="+20"/>
        <source>Loading…</source>
        <translation>Wird geladen…</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Received challenges</source>
        <translation>Erhaltene Herausforderungen</translation>
    </message>
</context>
<context>
    <name>GamePrompts</name>
    <message>
        <location filename="../src/screens/game/gameprompts.cpp" line="+29"/>
        <location line="+55"/>
        <location line="+2"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="-44"/>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Do you want to quit?</source>
        <translation>Willst du die Partie beenden?</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All progress will be lost.</source>
        <translation>Der ganze Fortschritt geht verloren.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Use hint</source>
        <translation>Tipp nutzen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Use a hint?</source>
        <translation>Einen Tipp nutzen?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A hint shows how many codes are left and types a good shot. A match won with hints stays off the leaderboard.</source>
        <translation>Ein Tipp zeigt, wie viele Codes noch möglich sind, und gibt einen guten Schuss ein. Eine mit Tipps gewonnene Partie kommt nicht in die Bestenliste.</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+4"/>
        <source>Computer strength</source>
        <translation>Spielstärke</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>How well should the computer play?</source>
        <translation>Wie gut soll der Computer spielen?</translation>
    </message>
</context>
<context>
    <name>GameResultView</name>
    <message>
        <location filename="../src/screens/result/gameresultview.ui" line="+27"/>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Slides the card in or out</source>
        <translation>Schiebt die Karte hinein oder heraus</translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+2"/>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Saves or copies the picture of this board</source>
        <translation>Speichert oder kopiert das Bild dieses Spielfelds</translation>
    </message>
</context>
<context>
    <name>HttpTransportLoader</name>
    <message>
        <location filename="../src/gameservice/network/transport/httptransportloader.cpp" line="+90"/>
        <source>The network module %1 was not found (looked in: %2)</source>
        <translation>Das Netzwerkmodul %1 wurde nicht gefunden (gesucht in: %2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The network module could not be loaded: %1</source>
        <translation>Das Netzwerkmodul konnte nicht geladen werden: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The network module %1 does not fit this version of the game (interface version %2)</source>
        <translation>Das Netzwerkmodul %1 passt nicht zu dieser Version des Spiels (Schnittstellenversion %2)</translation>
    </message>
</context>
<context>
    <name>LeaderboardPage</name>
    <message>
        <location filename="../src/gameservice/screens/leaderboardpage.ui" line="+14"/>
        <source>Leaderboard</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scores made today (UTC)</source>
        <translation>Heute erzielte Ergebnisse (UTC)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>This week</source>
        <translation>Diese Woche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scores made this week, Monday to Sunday (UTC)</source>
        <translation>Diese Woche erzielte Ergebnisse, Montag bis Sonntag (UTC)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>All time</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The best scores ever made</source>
        <translation>Die besten Ergebnisse aller Zeiten</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Top 50</source>
        <translation>Top 50</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The 50 best players</source>
        <translation>Die 50 besten Spieler</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Around me</source>
        <translation>Um mich herum</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The players just above and below you</source>
        <translation>Die Spieler direkt über und unter dir</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Scores</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Rank</source>
        <translation>Rang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
</context>
<context>
    <name>LocalPlayer</name>
    <message>
        <location filename="../src/gameservice/kit/localplayer.cpp" line="+12"/>
        <source>The player declined to sign in.</source>
        <translation>Der Spieler hat die Anmeldung abgelehnt.</translation>
    </message>
    <message>
        <location line="+77"/>
        <location line="+107"/>
        <source>No player is signed in.</source>
        <translation>Kein Spieler ist angemeldet.</translation>
    </message>
    <message>
        <location line="-90"/>
        <source>A player needs a name.</source>
        <translation>Ein Spieler braucht einen Namen.</translation>
    </message>
</context>
<context>
    <name>LocalServiceBackend</name>
    <message>
        <location filename="../src/gameservice/local/localservicebackend.cpp" line="+90"/>
        <source>This player is not known to the service.</source>
        <translation>Dieser Spieler ist dem Dienst nicht bekannt.</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>the damaged file could not be set aside</source>
        <translation>die beschädigte Datei konnte nicht beiseitegelegt werden</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+7"/>
        <source>The service could not store the data: %1</source>
        <translation>Der Dienst konnte die Daten nicht speichern: %1</translation>
    </message>
</context>
<context>
    <name>ManagerReporting</name>
    <message>
        <location filename="../src/gameservice/client/managerreporting.cpp" line="+194"/>
        <source>Could not save achievement because necessary data is missing. GameService needs an Achievement ID and Percent Completed to save the achievement. You provided the following data:
Achievement: %1
Percent Completed:%2</source>
        <translation>Der Erfolg konnte nicht gespeichert werden, weil nötige Daten fehlen. GameService braucht eine Erfolgs-ID und den erreichten Prozentsatz, um den Erfolg zu speichern. Angegeben wurde:
Erfolg: %1
Erreichter Prozentsatz:%2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Internet unavailable - could not connect to the internet. Connect to WiFi or a Cellular Network to upload data to GameService.</source>
        <translation>Kein Internet – keine Verbindung zum Internet möglich. Verbinde dich mit einem WLAN oder Mobilfunknetz, um Daten an GameService zu senden.</translation>
    </message>
</context>
<context>
    <name>ManagerScreens</name>
    <message>
        <location filename="../src/gameservice/client/managerscreens.cpp" line="+77"/>
        <location line="+32"/>
        <source>GameService Unavailable</source>
        <translation>GameService nicht verfügbar</translation>
    </message>
    <message>
        <location line="-30"/>
        <source>Challenge class is not available. Challenges need a newer system version. Current system version: %1</source>
        <translation>Herausforderungen sind nicht verfügbar. Sie brauchen eine neuere Systemversion. Aktuelle Systemversion: %1</translation>
    </message>
</context>
<context>
    <name>ManagerSync</name>
    <message>
        <location filename="../src/gameservice/client/managersync.cpp" line="+70"/>
        <source>GameService unavailable.</source>
        <translation>GameService nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>MatchSummary</name>
    <message>
        <location filename="../src/screens/result/matchsummary.cpp" line="+24"/>
        <source>, </source>
        <comment>between the codes looked for</comment>
        <translation>, </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Codes you were
looking for: %1</source>
        <translation>Die gesuchten
Codes: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The code you were
looking for: %1</source>
        <translation>Der gesuchte
Code: %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+16"/>
        <source>You have won!</source>
        <translation>Gewonnen!</translation>
    </message>
    <message numerus="yes">
        <location line="-7"/>
        <source>Round #%1
%n seconds</source>
        <translation>
            <numerusform>Runde %1
%n Sekunde</numerusform>
            <numerusform>Runde %1
%n Sekunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Round #%1 in %n seconds</source>
        <translation>
            <numerusform>Runde %1 in %n Sekunde</numerusform>
            <numerusform>Runde %1 in %n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The computer has won!</source>
        <translation>Der Computer hat gewonnen!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Player #%1 has won!</source>
        <translation>Spieler %1 gewinnt!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>It is a tie!</source>
        <translation>Unentschieden!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>You have lost!</source>
        <translation>Verloren!</translation>
    </message>
</context>
<context>
    <name>MenuViewController</name>
    <message>
        <location filename="../src/screens/menu/menuviewcontroller.ui" line="+17"/>
        <source>Quotation</source>
        <translation>Zitat</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Author of the quotation</source>
        <translation>Autor des Zitats</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+1"/>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>Achievements</source>
        <translation>Erfolge</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>New game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Opens the choice of a game: single player, two players or against the computer</source>
        <translation>Öffnet die Spielauswahl: ein Spieler, zwei Spieler oder gegen den Computer</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Games won and lost</source>
        <translation>Gewonnene und verlorene Spiele</translation>
    </message>
</context>
<context>
    <name>NetworkServiceBackend</name>
    <message>
        <location filename="../src/gameservice/network/networkservicebackend.cpp" line="+84"/>
        <source>The server&apos;s answer lacks the account.</source>
        <translation>In der Antwort des Servers fehlt das Konto.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The account could not be kept on this computer: %1</source>
        <translation>Das Konto konnte auf diesem Computer nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>The account could not be forgotten: %1</source>
        <translation>Das Konto konnte nicht vergessen werden: %1</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>No network transport.</source>
        <translation>Kein Netzwerktransport.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The server asked to wait; trying again in %1 s.</source>
        <translation>Der Server bittet zu warten; neuer Versuch in %1 s.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No player is signed in on this server.</source>
        <translation>Auf diesem Server ist kein Spieler angemeldet.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The server no longer knows this computer&apos;s account (it may have moved to another computer with its recovery code). Sign in again.</source>
        <translation>Der Server kennt das Konto dieses Computers nicht mehr (vielleicht ist es mit seinem Wiederherstellungscode auf einen anderen Computer umgezogen). Melde dich erneut an.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The server&apos;s answer to %1 is not JSON.</source>
        <translation>Die Antwort des Servers auf %1 ist kein JSON.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The server %1 did not answer: %2</source>
        <translation>Der Server %1 hat nicht geantwortet: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>status %1</source>
        <translation>Status %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The server does not know this player: %1</source>
        <translation>Der Server kennt diesen Spieler nicht: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server is busy: %1</source>
        <translation>Der Server ist ausgelastet: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The server refused: %1</source>
        <translation>Der Server hat abgelehnt: %1</translation>
    </message>
    <message>
        <location line="+79"/>
        <source>Progress must be a number.</source>
        <translation>Der Fortschritt muss eine Zahl sein.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/screens/game/gameviewcontroller.cpp" line="+50"/>
        <source>Game, one player</source>
        <translation>Spiel, ein Spieler</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Game, two players</source>
        <translation>Spiel, zwei Spieler</translation>
    </message>
    <message>
        <location filename="../src/screens/result/sharedialog.cpp" line="+26"/>
        <location line="+6"/>
        <source>Save image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>PNG image (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
</context>
<context>
    <name>ResultViewController</name>
    <message>
        <location filename="../src/screens/result/resultviewcontroller.ui" line="+18"/>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back to the menu (Escape)</source>
        <translation>Zurück zum Menü (Esc-Taste)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back to the menu (Esc)</source>
        <translation>Zurück zum Menü (Esc)</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <location line="+37"/>
        <location line="+1"/>
        <source>Play again</source>
        <translation>Neue Partie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starts a new match with the same players</source>
        <translation>Startet eine neue Partie mit denselben Spielern</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Challenge a player</source>
        <translation>Herausfordern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Asks another player to beat this score</source>
        <translation>Fordert einen anderen Spieler auf, dieses Ergebnis zu schlagen</translation>
    </message>
</context>
<context>
    <name>ScreenSaverIdleTimer</name>
    <message>
        <location filename="../src/platform/device/screensaveridletimer.cpp" line="+61"/>
        <source>A match is being played</source>
        <extracomment>Why the screen saver waits, as the desktop may show it</extracomment>
        <translation>Eine Partie läuft</translation>
    </message>
</context>
<context>
    <name>ServerAddress</name>
    <message>
        <location filename="../src/gameservice/network/serveraddress.cpp" line="+16"/>
        <source>a server address is needed</source>
        <translation>eine Serveradresse wird benötigt</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&apos;%1&apos; is not a server address</source>
        <translation>„%1“ ist keine Serveradresse</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;%1&apos;: only http and https servers are spoken to</source>
        <translation>„%1“: nur http- und https-Server werden unterstützt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;%1&apos;: a server address carries no name or password</source>
        <translation>„%1“: eine Serveradresse enthält keinen Namen und kein Passwort</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;%1&apos;: give the server alone, without a path</source>
        <translation>„%1“: gib nur den Server an, ohne Pfad</translation>
    </message>
</context>
<context>
    <name>ServiceBackend</name>
    <message>
        <location filename="../src/gameservice/kit/servicebackend.h" line="+56"/>
        <source>This service stays where it is.</source>
        <translation>Dieser Dienst bleibt, wo er ist.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>This service has no recovery codes.</source>
        <translation>Dieser Dienst hat keine Wiederherstellungscodes.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>This service keeps only the best scores of all time.</source>
        <translation>Dieser Dienst speichert nur die besten Ergebnisse aller Zeiten.</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+7"/>
        <source>Challenges need a Kestrune server.</source>
        <translation>Herausforderungen brauchen einen Kestrune-Server.</translation>
    </message>
</context>
<context>
    <name>ServiceKit</name>
    <message>
        <location filename="../src/gameservice/kit/servicekit.cpp" line="+18"/>
        <source>No player is signed in.</source>
        <translation>Kein Spieler ist angemeldet.</translation>
    </message>
</context>
<context>
    <name>ServiceRouter</name>
    <message>
        <location filename="../src/gameservice/client/servicerouter.cpp" line="+27"/>
        <source>Sign out before keeping your scores elsewhere.</source>
        <translation>Melde dich ab, bevor du deine Ergebnisse woanders speicherst.</translation>
    </message>
</context>
<context>
    <name>ShareText</name>
    <message numerus="yes">
        <location filename="../src/game/sharetext.cpp" line="+18"/>
        <source>%n shots</source>
        <translation>
            <numerusform>%n Schuss</numerusform>
            <numerusform>%n Schüsse</numerusform>
        </translation>
    </message>
    <message>
        <location line="+13"/>
        <source>I won</source>
        <translation>ich habe gewonnen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>the computer won</source>
        <translation>der Computer hat gewonnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player %1 won</source>
        <translation>Spieler %1 hat gewonnen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a tie</source>
        <translation>unentschieden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>nobody broke the code</source>
        <translation>niemand hat den Code geknackt</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not finished yet</source>
        <translation>noch nicht beendet</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Me</source>
        <translation>Ich</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player %1</source>
        <translation>Spieler %1</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>broke the code in %1 (%2)</source>
        <translation>Code geknackt, %1 (%2)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>did not break the code in %1</source>
        <translation>Code nicht geknackt, %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 so far</source>
        <translation>bisher %1</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Kestrune: %1</source>
        <translation>Kestrune: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>against the computer (%1)</source>
        <translation>gegen den Computer (%1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>two players</source>
        <translation>zwei Spieler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Kestrune, %1: %2</source>
        <translation>Kestrune, %1: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../src/game/sharetext.h" line="+41"/>
        <source>It&apos;s a record of my last game. Try it yourself!</source>
        <translation>Das war meine letzte Partie. Probier es selbst!</translation>
    </message>
</context>
<context>
    <name>StatisticsViewController</name>
    <message>
        <location filename="../src/screens/statistics/statisticsviewcontroller.ui" line="+55"/>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Against the computer</source>
        <translation>Gegen den Computer</translation>
    </message>
</context>
<context>
    <name>TimeText</name>
    <message>
        <location filename="../src/game/timetext.cpp" line="+49"/>
        <source>%1 h %2 min</source>
        <extracomment>Hours and minutes, abbreviated</extracomment>
        <translation>%1 Std. %2 Min.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 h</source>
        <extracomment>Hours, abbreviated</extracomment>
        <translation>%1 Std.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 min %2 s</source>
        <extracomment>Minutes and seconds, abbreviated</extracomment>
        <translation>%1 Min. %2 Sek.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 min</source>
        <extracomment>Minutes, abbreviated</extracomment>
        <translation>%1 Min.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 s</source>
        <extracomment>Seconds, abbreviated</extracomment>
        <translation>%1 Sek.</translation>
    </message>
</context>
<context>
    <name>Tutorial</name>
    <message>
        <location filename="../src/views/onboarding/tutorial.cpp" line="+36"/>
        <source>Classic puzzle based game</source>
        <translation>Klassisches Rätselspiel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The goal is to break a 4-digit code, where each digit is different, in the fewest number of guesses.</source>
        <translation>Ziel ist es, einen vierstelligen Code aus lauter verschiedenen Ziffern mit möglichst wenigen Schüssen zu knacken.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Black indicator pegs</source>
        <translation>Schwarze Punkte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each black peg means that one of the guessed digits is correct, and is in the right position.</source>
        <translation>Jeder schwarze Punkt – ein Bulle – bedeutet: Eine der getippten Ziffern ist richtig und steht an der richtigen Stelle.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>White indicator pegs</source>
        <translation>Weiße Punkte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each white peg means that one of the guessed digits is correct, but is in the wrong position.</source>
        <translation>Jeder weiße Punkt – eine Kuh – bedeutet: Eine der getippten Ziffern ist richtig, steht aber an der falschen Stelle.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Indicator pegs</source>
        <translation>Die Punkte</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The order of the white and black pegs does not matter.</source>
        <translation>Die Reihenfolge der weißen und schwarzen Punkte spielt keine Rolle.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Single player</source>
        <translation>Ein Spieler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Guesses and feedback continue to appear alternately until either the code is guessed, or ten incorrect guesses have been made.</source>
        <translation>Schüsse und Antworten wechseln sich ab, bis der Code geknackt ist oder zehn Schüsse danebengegangen sind.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Two players</source>
        <translation>Zwei Spieler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Players guess different codes. As the first player has a logical advantage, if they find the code, the second player has one more shot, and if they also succeed, it is a tie.</source>
        <translation>Die Spieler knacken verschiedene Codes. Da der erste Spieler im Vorteil ist, bekommt der zweite noch einen Schuss, wenn der erste den Code findet; trifft auch er, ist es unentschieden.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Tutorial</source>
        <translation>Anleitung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DONE</source>
        <translation>FERTIG</translation>
    </message>
</context>
<context>
    <name>kestrune::BoardView</name>
    <message>
        <location filename="../src/views/board/boardview.cpp" line="+39"/>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>Shot %1: %2, %3</source>
        <translation>Schuss %1: %2, %3</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Shot %1, typing: %2</source>
        <translation>Schuss %1, Eingabe: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shot %1: empty</source>
        <translation>Schuss %1: leer</translation>
    </message>
</context>
<context>
    <name>kestrune::BulletsView</name>
    <message numerus="yes">
        <location filename="../src/views/dots/bulletsview.cpp" line="+32"/>
        <source>%n bulls</source>
        <extracomment>Digits in the right place</extracomment>
        <translation>
            <numerusform>%n Bulle</numerusform>
            <numerusform>%n Bullen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n cows</source>
        <extracomment>Digits in the code but in the wrong place</extracomment>
        <translation>
            <numerusform>%n Kuh</numerusform>
            <numerusform>%n Kühe</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, %2</source>
        <extracomment>A shot&apos;s result: bulls, then cows</extracomment>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>kestrune::ChallengeDialog</name>
    <message>
        <location filename="../src/gameservice/screens/challengedialog.cpp" line="+49"/>
        <source>Who can beat your %1?</source>
        <translation>Wer übertrifft deine %1 Punkte?</translation>
    </message>
    <message>
        <location line="+68"/>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, best score %2</source>
        <translation>%1, Bestwert %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Nobody else is on the leaderboard yet.</source>
        <translation>Sonst steht noch niemand in der Bestenliste.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The players could not be loaded: %1</source>
        <translation>Die Spieler konnten nicht geladen werden: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pick a player.</source>
        <translation>Wähle einen Spieler.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Sending…</source>
        <translation>Wird gesendet…</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Not sent: %1</source>
        <translation>Nicht gesendet: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Challenge sent to %1.</source>
        <translation>Herausforderung an %1 gesendet.</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>kestrune::ChallengeRow</name>
    <message>
        <location filename="../src/gameservice/screens/challengerow.cpp" line="+18"/>
        <source>A player</source>
        <translation>Ein Spieler</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Play it</source>
        <translation>Spielen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dismiss</source>
        <translation>Ablehnen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Challenge from %1</source>
        <translation>%1 fordert dich heraus</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 — beat %2</source>
        <translation>%1 — schlage %2</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Dismiss %1&apos;s challenge</source>
        <translation>Herausforderung ablehnen: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Play %1&apos;s challenge</source>
        <translation>Herausforderung spielen: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ChallengesPage</name>
    <message>
        <location filename="../src/gameservice/screens/challengespage.cpp" line="+73"/>
        <source>Challenges need a Kestrune server. On this computer there are no other players to send them.</source>
        <translation>Herausforderungen brauchen einen Kestrune-Server. Auf diesem Computer gibt es keine anderen Spieler, die sie senden könnten.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Challenges could not be loaded: %1</source>
        <translation>Die Herausforderungen konnten nicht geladen werden: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+52"/>
        <source>No challenges. Players who want to beat you send them here.</source>
        <translation>Keine Herausforderungen. Wer dich schlagen will, schickt sie hierher.</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>The challenge could not be dismissed: %1</source>
        <translation>Die Herausforderung konnte nicht abgelehnt werden: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::CompletionBanner</name>
    <message>
        <location filename="../src/gameservice/screens/completionbanner.cpp" line="+21"/>
        <source>Achievement complete</source>
        <translation>Erfolg erreicht</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Achievement complete: %1</source>
        <translation>Erfolg erreicht: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerBoardView</name>
    <message>
        <location filename="../src/views/board/computerboardview.cpp" line="+43"/>
        <location line="+19"/>
        <source>Computer&apos;s board</source>
        <translation>Spielfeld des Computers</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Computer · %1</source>
        <translation>Computer · %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 · thinking…</source>
        <translation>%1 · denkt nach…</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Your turn</source>
        <translation>Du bist dran</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Thinking…</source>
        <translation>Denkt nach…</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Computer: %1, %2</source>
        <translation>Computer: %1, %2</translation>
    </message>
    <message>
        <location line="+130"/>
        <source>Computer&apos;s shot %1: %2, %3</source>
        <translation>Schuss %1 des Computers: %2, %3</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Computer&apos;s shot %1: empty</source>
        <translation>Schuss %1 des Computers: leer</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerMatch</name>
    <message>
        <location filename="../src/screens/game/computermatch.cpp" line="+161"/>
        <source>The computer&apos;s strength, chosen before the first shot</source>
        <translation>Die Spielstärke des Computers, vor dem ersten Schuss gewählt</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerStrengths</name>
    <message>
        <location filename="../src/game/computer/computerstrength.cpp" line="+52"/>
        <source>Easy</source>
        <extracomment>How well the computer opponent plays</extracomment>
        <translation>Leicht</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Normal</source>
        <extracomment>How well the computer opponent plays</extracomment>
        <translation>Normal</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Hard</source>
        <extracomment>How well the computer opponent plays</extracomment>
        <translation>Schwer</translation>
    </message>
</context>
<context>
    <name>kestrune::FaceToFacePlay</name>
    <message>
        <location filename="../src/screens/game/facetofaceplay.cpp" line="+34"/>
        <source>Player 1&apos;s side, upside down</source>
        <translation>Seite von Spieler 1, auf dem Kopf</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>One board</source>
        <translation>Ein Spielfeld</translation>
    </message>
</context>
<context>
    <name>kestrune::GameBar</name>
    <message>
        <location filename="../src/screens/game/gamebar.cpp" line="+23"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Help (F1)</source>
        <translation>Hilfe (F1)</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Simultaneous play</source>
        <translation>Gleichzeitig spielen</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Player %1&apos;s turn</source>
        <translation>Spieler %1 ist dran</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Time of the game</source>
        <translation>Spieldauer</translation>
    </message>
</context>
<context>
    <name>kestrune::GameViewController</name>
    <message>
        <location filename="../src/screens/game/gameviewcontroller.cpp" line="+203"/>
        <source>Game against the computer</source>
        <translation>Spiel gegen den Computer</translation>
    </message>
</context>
<context>
    <name>kestrune::HintButton</name>
    <message>
        <location filename="../src/screens/game/hintbutton.cpp" line="+36"/>
        <source>Hint, working</source>
        <translation>Tipp, wird berechnet</translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>Hint, %n left</source>
        <translation>
            <numerusform>Tipp, noch %n übrig</numerusform>
            <numerusform>Tipp, noch %n übrig</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Working out a hint</source>
        <translation>Tipp wird berechnet</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hint (H): shows how many codes are left and types a good shot</source>
        <translation>Tipp (H): zeigt, wie viele Codes noch möglich sind, und gibt einen guten Schuss ein</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No hints left</source>
        <translation>Keine Tipps mehr</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Key: H</source>
        <translation>Taste: H</translation>
    </message>
</context>
<context>
    <name>kestrune::HintControl</name>
    <message numerus="yes">
        <location filename="../src/screens/game/hintcontrol.cpp" line="+109"/>
        <source>%n codes left</source>
        <extracomment>How many codes still fit what the shots said</extracomment>
        <translation>
            <numerusform>Noch %n Code</numerusform>
            <numerusform>Noch %n Codes</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1. Suggested shot: %2</source>
        <translation>%1. Vorgeschlagener Schuss: %2</translation>
    </message>
</context>
<context>
    <name>kestrune::KeyboardView</name>
    <message>
        <location filename="../src/views/keyboard/keyboardview.cpp" line="+53"/>
        <source>Keypad</source>
        <translation>Tastenfeld</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Type four different digits; Return shoots, Backspace deletes</source>
        <translation>Tippe vier verschiedene Ziffern; die Eingabetaste schießt, die Rücktaste löscht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete last digit</source>
        <translation>Letzte Ziffer löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hold to clear the code</source>
        <translation>Halten, um den ganzen Code zu löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shoot</source>
        <translation>Schießen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Takes the shot of four digits</source>
        <translation>Gibt den Schuss aus vier Ziffern ab</translation>
    </message>
</context>
<context>
    <name>kestrune::LeaderboardPage</name>
    <message>
        <location filename="../src/gameservice/screens/leaderboardpage.cpp" line="+90"/>
        <source>Loading…</source>
        <translation>Wird geladen…</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>The game has no leaderboards.</source>
        <translation>Das Spiel hat keine Bestenlisten.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>You have no score today yet.</source>
        <translation>Du hast heute noch kein Ergebnis.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores today yet.</source>
        <translation>Heute noch keine Ergebnisse.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>You have no score this week yet.</source>
        <translation>Du hast diese Woche noch kein Ergebnis.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores this week yet.</source>
        <translation>Diese Woche noch keine Ergebnisse.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>You have no score yet.</source>
        <translation>Du hast noch kein Ergebnis.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores yet.</source>
        <translation>Noch keine Ergebnisse.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The scores could not be loaded: %1</source>
        <translation>Die Ergebnisse konnten nicht geladen werden: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Your own scores wait on this computer and go out when the service answers.</source>
        <translation>Deine eigenen Ergebnisse warten auf diesem Computer und werden gesendet, sobald der Dienst antwortet.</translation>
    </message>
    <message numerus="yes">
        <location line="+11"/>
        <source>%Ln players</source>
        <translation>
            <numerusform>%Ln Spieler</numerusform>
            <numerusform>%Ln Spieler</numerusform>
        </translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Rank %1</source>
        <translation>Rang %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 points</source>
        <translation>%1 Punkte</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You, %1</source>
        <translation>Du, %1</translation>
    </message>
</context>
<context>
    <name>kestrune::MenuViewController</name>
    <message>
        <location filename="../src/screens/menu/menuviewcontroller.cpp" line="+95"/>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Home</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>New game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Close the choice of game</source>
        <translation>Spielauswahl schließen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Single player</source>
        <translation>Ein Spieler</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Two players</source>
        <translation>Zwei Spieler</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>vs computer</source>
        <translation>Gegen den Computer</translation>
    </message>
</context>
<context>
    <name>kestrune::NavigationBar</name>
    <message>
        <location filename="../src/screens/navigation/navigationbar.cpp" line="+22"/>
        <source>Navigation bar</source>
        <translation>Navigationsleiste</translation>
    </message>
</context>
<context>
    <name>kestrune::Onboarding</name>
    <message>
        <location filename="../src/views/onboarding/onboarding.cpp" line="+51"/>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Onboarding</source>
        <translation>Einführung</translation>
    </message>
    <message>
        <location line="+197"/>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Closes the tutorial</source>
        <translation>Schließt die Anleitung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Shows the next page</source>
        <translation>Zeigt die nächste Seite</translation>
    </message>
</context>
<context>
    <name>kestrune::PageIndicator</name>
    <message>
        <location filename="../src/views/onboarding/pageindicator.cpp" line="+20"/>
        <source>Swipe or use the arrow keys to turn the page</source>
        <translation>Wische oder nutze die Pfeiltasten, um umzublättern</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>kestrune::PlayerTurns</name>
    <message>
        <location filename="../src/screens/game/playerturns.cpp" line="+50"/>
        <source>Player %1&apos;s board</source>
        <translation>Spielfeld von Spieler %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Pass your device
to Player %1</source>
        <translation>Gib das Gerät
an Spieler %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Player %1&apos;s turn</source>
        <translation>Spieler %1 ist dran</translation>
    </message>
</context>
<context>
    <name>kestrune::ResultViewController</name>
    <message>
        <location filename="../src/screens/result/resultviewcontroller.cpp" line="+81"/>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <location line="+146"/>
        <source>Board of player 1</source>
        <translation>Spielfeld von Spieler 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Your board</source>
        <translation>Dein Spielfeld</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Computer&apos;s board</source>
        <translation>Spielfeld des Computers</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Board of player 2</source>
        <translation>Spielfeld von Spieler 2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Share your board</source>
        <translation>Dein Spielfeld teilen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Share player 1&apos;s board</source>
        <translation>Spielfeld von Spieler 1 teilen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Share the computer&apos;s board</source>
        <translation>Spielfeld des Computers teilen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Share player 2&apos;s board</source>
        <translation>Spielfeld von Spieler 2 teilen</translation>
    </message>
    <message numerus="yes">
        <location line="+118"/>
        <source>%n hints</source>
        <translation>
            <numerusform>%n Tipp</numerusform>
            <numerusform>%n Tipps</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Assisted: %1
Not on the leaderboard</source>
        <translation>Mit Hilfe: %1
Nicht in der Bestenliste</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Assisted: %1</source>
        <translation>Mit Hilfe: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>You beat %1&apos;s %2.</source>
        <translation>Du hast die %2 Punkte von %1 übertroffen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1&apos;s %2 still stands.</source>
        <translation>Die %2 Punkte von %1 bleiben ungeschlagen.</translation>
    </message>
    <message numerus="yes">
        <location line="+51"/>
        <source>%n points</source>
        <translation>
            <numerusform>%n Punkt</numerusform>
            <numerusform>%n Punkte</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::SaveStatus</name>
    <message>
        <location filename="../src/platform/savestatus.cpp" line="+29"/>
        <source>Kestrune saves your games again</source>
        <translation>Kestrune speichert deine Spiele wieder</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kestrune cannot save your games: the disk is full</source>
        <translation>Kestrune kann deine Spiele nicht speichern: Der Datenträger ist voll</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Kestrune cannot save your games: writing fails</source>
        <translation>Kestrune kann deine Spiele nicht speichern: Das Schreiben schlägt fehl</translation>
    </message>
</context>
<context>
    <name>kestrune::ServiceScreen</name>
    <message>
        <location filename="../src/gameservice/screens/servicescreen.cpp" line="+73"/>
        <source>Achievement</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+5"/>
        <source>Game service</source>
        <translation>Spieldienst</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Service pages</source>
        <translation>Seiten des Spieldienstes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Leaderboards</source>
        <translation>Bestenlisten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Achievements</source>
        <translation>Erfolge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Challenges</source>
        <translation>Herausforderungen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+31"/>
        <source>Sign out</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Your scores and achievements stay on this computer: sign in under the same name to have them back.</source>
        <translation>Deine Ergebnisse und Erfolge bleiben auf diesem Computer: Melde dich unter demselben Namen an, um sie zurückzubekommen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your account stays on %1. To use it again on this computer you need its recovery code.</source>
        <translation>Dein Konto bleibt auf %1. Um es auf diesem Computer wieder zu nutzen, brauchst du seinen Wiederherstellungscode.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+2"/>
        <source>Sign out?</source>
        <translation>Abmelden?</translation>
    </message>
    <message>
        <location line="+80"/>
        <source>%1 %</source>
        <extracomment>An achievement&apos;s progress in percent</extracomment>
        <translation>%1 %</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Progress could not be loaded: %1</source>
        <translation>Der Fortschritt konnte nicht geladen werden: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ShareDialog</name>
    <message>
        <location filename="../src/screens/result/sharedialog.cpp" line="+15"/>
        <source>Save image…</source>
        <translation>Speichern…</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+28"/>
        <source>Copy image</source>
        <translation>Bild kopieren</translation>
    </message>
    <message>
        <location line="-27"/>
        <location line="+29"/>
        <source>Copy text</source>
        <translation>Text kopieren</translation>
    </message>
    <message>
        <location line="-26"/>
        <location line="+1"/>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Board picture</source>
        <translation>Bild des Spielfelds</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Save image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saves the picture as a PNG file</source>
        <translation>Speichert das Bild als PNG-Datei</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+4"/>
        <location line="+4"/>
        <source>The image could not be saved to %1: %2</source>
        <translation>Das Bild konnte nicht unter %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Kestrune game.png</source>
        <translation>Kestrune-Spiel.png</translation>
    </message>
</context>
<context>
    <name>kestrune::SignInDialog</name>
    <message>
        <location filename="../src/gameservice/screens/signindialog.cpp" line="+71"/>
        <source>Game service</source>
        <translation>Spieldienst</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+52"/>
        <location line="+94"/>
        <source>Sign in</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <location line="-138"/>
        <source>On this computer only</source>
        <translation>Nur auf diesem Computer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>On a Kestrune server</source>
        <translation>Auf einem Kestrune-Server</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Server address, e.g. scores.example.org</source>
        <translation>Serveradresse, z. B. scores.example.org</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Server address</source>
        <translation>Serveradresse</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Recovery code</source>
        <translation>Wiederherstellungscode</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Player name</source>
        <translation>Spielername</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Make a new account instead</source>
        <translation>Stattdessen ein neues Konto anlegen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>I already have an account</source>
        <translation>Ich habe schon ein Konto</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Sign in to keep your best scores and achievements.</source>
        <translation>Melde dich an, um deine besten Ergebnisse und Erfolge zu behalten.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type the recovery code you were given when the account was made. The account moves to this computer.</source>
        <translation>Gib den Wiederherstellungscode ein, den du beim Anlegen des Kontos bekommen hast. Das Konto zieht dann auf diesen Computer um.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sign in to keep your best scores and achievements. On a server, other players see them and can challenge you.</source>
        <translation>Melde dich an, um deine besten Ergebnisse und Erfolge zu behalten. Auf einem Server sehen andere Spieler sie und können dich herausfordern.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Your scores and achievements go to the Kestrune server at %1, where other players see them.</source>
        <translation>Deine Ergebnisse und Erfolge gehen an den Kestrune-Server unter %1, wo andere Spieler sie sehen.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Signing in…</source>
        <translation>Anmeldung…</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Check the server&apos;s address: %1.</source>
        <translation>Prüfe die Adresse des Servers: %1.</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Your recovery code</source>
        <translation>Dein Wiederherstellungscode</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Recovery code %1</source>
        <translation>Wiederherstellungscode %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Write it down. It brings this account to another computer, and it is shown only this once.</source>
        <translation>Schreib ihn auf. Mit ihm kommt dieses Konto auf einen anderen Computer, und er wird nur dieses eine Mal angezeigt.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>kestrune::StatisticsViewController</name>
    <message>
        <location filename="../src/screens/statistics/statisticsviewcontroller.cpp" line="+37"/>
        <location line="+1"/>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Games played</source>
        <translation>Gespielte Spiele</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Games won</source>
        <translation>Gewonnene Spiele</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Games lost</source>
        <translation>Verlorene Spiele</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Winning percentage</source>
        <translation>Gewinnquote</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Playing time</source>
        <translation>Spielzeit</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Avg time to kestrune a code</source>
        <translation>Ø Zeit zum Knacken</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1%</source>
        <extracomment>A winning percentage</extracomment>
        <translation>%1 %</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>N/A</source>
        <extracomment>No average time: no game won yet</extracomment>
        <translation>k. A.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>No matches yet</source>
        <translation>Noch keine Partien</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1, %2, %3</source>
        <extracomment>Wins, losses and ties against the computer, e.g. &quot;3 wins, 2 losses, 0 ties&quot;</extracomment>
        <translation>%1, %2, %3</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n wins</source>
        <translation>
            <numerusform>%n gew.</numerusform>
            <numerusform>%n gew.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>%n losses</source>
        <translation>
            <numerusform>%n verl.</numerusform>
            <numerusform>%n verl.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n ties</source>
        <translation>
            <numerusform>%n unent.</numerusform>
            <numerusform>%n unent.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Your games on this device</source>
        <translation>Deine Spiele auf diesem Gerät</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your matches against the computer, by strength</source>
        <translation>Deine Partien gegen den Computer, nach Spielstärke</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Against the computer</source>
        <translation>Gegen den Computer</translation>
    </message>
    <message>
        <location line="+61"/>
        <source>%1: %2</source>
        <comment>a statistic and its value</comment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>kestrune::TurnView</name>
    <message>
        <location filename="../src/views/dots/turnview.cpp" line="+37"/>
        <source>P%1</source>
        <extracomment>A player&apos;s number, abbreviated: P1, P2</extracomment>
        <translation>S%1</translation>
    </message>
</context>
<context>
    <name>kestrune::WinLoseBar</name>
    <message>
        <location filename="../src/screens/menu/winlosebar.cpp" line="+52"/>
        <source>No games yet</source>
        <translation>Noch keine Spiele</translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n wins</source>
        <translation>
            <numerusform>%n Sieg</numerusform>
            <numerusform>%n Siege</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n losses</source>
        <translation>
            <numerusform>%n Niederlage</numerusform>
            <numerusform>%n Niederlagen</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
</TS>
