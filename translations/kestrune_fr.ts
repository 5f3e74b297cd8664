<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CatalogueText</name>
    <message>
        <location filename="../src/gameservice/screens/cataloguetext.cpp" line="+13"/>
        <source>Single player</source>
        <extracomment>A leaderboard&apos;s name</extracomment>
        <translation>Un joueur</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>First Break</source>
        <translation>Première brèche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break your first code in a single-player game.</source>
        <translation>Perce ton premier code en partie à un joueur.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Codebreaker</source>
        <translation>Casseur de codes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Win 50 single-player games.</source>
        <translation>Gagne 50 parties à un joueur.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cipher Centurion</source>
        <translation>Centurion du chiffre</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Win 100 single-player games.</source>
        <translation>Gagne 100 parties à un joueur.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Regular</source>
        <translation>Habitué</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play 50 single-player games, won or lost.</source>
        <translation>Joue 50 parties à un joueur, gagnées ou perdues.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Devoted</source>
        <translation>Passionné</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play 100 single-player games, won or lost.</source>
        <translation>Joue 100 parties à un joueur, gagnées ou perdues.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Blind Luck</source>
        <translation>Coup de chance</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break the code with your very first shot.</source>
        <translation>Perce le code dès ton tout premier coup.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quick Thinker</source>
        <translation>Esprit vif</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break a code within 20 seconds of your first shot.</source>
        <translation>Perce un code moins de 20 secondes après ton premier coup.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stubborn Streak</source>
        <translation>Tête de mule</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fire the same shot twice in a row.</source>
        <translation>Joue deux fois de suite le même coup.</translation>
    </message>
</context>
<context>
    <name>ChallengeDialog</name>
    <message>
        <location filename="../src/gameservice/screens/challengedialog.ui" line="+6"/>
        <location line="+9"/>
        <source>Challenge a player</source>
        <translation>Défier un joueur</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Players</source>
        <translation>Joueurs</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A message (optional)</source>
        <translation>Un message (facultatif)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Loading players…</source>
        <translation>Chargement des joueurs…</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Send</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Send challenge</source>
        <translation>Envoyer le défi</translation>
    </message>
</context>
<context>
    <name>ChallengesPage</name>
    <message>
        <location filename="../src/gameservice/screens/challengespage.ui" line="+20"/>
        <source>Loading…</source>
        <translation>Chargement…</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Received challenges</source>
        <translation>Défis reçus</translation>
    </message>
</context>
<context>
    <name>GamePrompts</name>
    <message>
        <location filename="../src/screens/game/gameprompts.cpp" line="+29"/>
        <location line="+55"/>
        <location line="+2"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="-44"/>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Do you want to quit?</source>
        <translation>Veux-tu quitter&#xa0;?</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All progress will be lost.</source>
        <translation>Toute la progression sera perdue.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Use hint</source>
        <translation>Utiliser</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Use a hint?</source>
        <translation>Utiliser un indice&#xa0;?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A hint shows how many codes are left and types a good shot. A match won with hints stays off the leaderboard.</source>
        <translation>Un indice montre combien de codes restent possibles et saisit un bon coup. Une partie gagnée avec des indices n&apos;entre pas au classement.</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+4"/>
        <source>Computer strength</source>
        <translation>Niveau de l&apos;ordinateur</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>How well should the computer play?</source>
        <translation>À quel niveau l&apos;ordinateur doit-il jouer&#xa0;?</translation>
    </message>
</context>
<context>
    <name>GameResultView</name>
    <message>
        <location filename="../src/screens/result/gameresultview.ui" line="+27"/>
        <source>Board</source>
        <translation>Grille</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Slides the card in or out</source>
        <translation>Fait entrer ou sortir la carte</translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+2"/>
        <source>Share</source>
        <translation>Partager</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Saves or copies the picture of this board</source>
        <translation>Enregistre ou copie l&apos;image de cette grille</translation>
    </message>
</context>
<context>
    <name>HttpTransportLoader</name>
    <message>
        <location filename="../src/gameservice/network/transport/httptransportloader.cpp" line="+90"/>
        <source>The network module %1 was not found (looked in: %2)</source>
        <translation>Module réseau %1 introuvable (cherché dans&#xa0;: %2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The network module could not be loaded: %1</source>
        <translation>Impossible de charger le module réseau&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The network module %1 does not fit this version of the game (interface version %2)</source>
        <translation>Le module réseau %1 ne convient pas à cette version du jeu (version d&apos;interface %2)</translation>
    </message>
</context>
<context>
    <name>LeaderboardPage</name>
    <message>
        <location filename="../src/gameservice/screens/leaderboardpage.ui" line="+14"/>
        <source>Leaderboard</source>
        <translation>Classement</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scores made today (UTC)</source>
        <translation>Scores réalisés aujourd&apos;hui (UTC)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>This week</source>
        <translation>Cette semaine</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scores made this week, Monday to Sunday (UTC)</source>
        <translation>Scores réalisés cette semaine, du lundi au dimanche (UTC)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>All time</source>
        <translation>Général</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The best scores ever made</source>
        <translation>Les meilleurs scores de tous les temps</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Top 50</source>
        <translation>Top 50</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The 50 best players</source>
        <translation>Les 50 meilleurs joueurs</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Around me</source>
        <translation>Autour de moi</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The players just above and below you</source>
        <translation>Les joueurs juste au-dessus et en dessous de toi</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Scores</source>
        <translation>Scores</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Rank</source>
        <translation>Rang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Score</source>
        <translation>Score</translation>
    </message>
</context>
<context>
    <name>LocalPlayer</name>
    <message>
        <location filename="../src/gameservice/kit/localplayer.cpp" line="+12"/>
        <source>The player declined to sign in.</source>
        <translation>Le joueur a refusé de se connecter.</translation>
    </message>
    <message>
        <location line="+77"/>
        <location line="+107"/>
        <source>No player is signed in.</source>
        <translation>Aucun joueur n&apos;est connecté.</translation>
    </message>
    <message>
        <location line="-90"/>
        <source>A player needs a name.</source>
        <translation>Un joueur doit avoir un nom.</translation>
    </message>
</context>
<context>
    <name>LocalServiceBackend</name>
    <message>
        <location filename="../src/gameservice/local/localservicebackend.cpp" line="+90"/>
        <source>This player is not known to the service.</source>
        <translation>Ce joueur est inconnu du service.</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>the damaged file could not be set aside</source>
        <translation>le fichier endommagé n&apos;a pas pu être mis de côté</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+7"/>
        <source>The service could not store the data: %1</source>
        <translation>Le service n&apos;a pas pu enregistrer les données&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ManagerReporting</name>
    <message>
        <location filename="../src/gameservice/client/managerreporting.cpp" line="+194"/>
        <source>Could not save achievement because necessary data is missing. GameService needs an Achievement ID and Percent Completed to save the achievement. You provided the following data:
Achievement: %1
Percent Completed:%2</source>
        <translation>Impossible d&apos;enregistrer le succès&#xa0;: des données nécessaires manquent. GameService a besoin de l&apos;identifiant du succès et de son pourcentage d&apos;achèvement pour l&apos;enregistrer. Données fournies&#xa0;:
Succès&#xa0;: %1
Pourcentage d&apos;achèvement&#xa0;: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Internet unavailable - could not connect to the internet. Connect to WiFi or a Cellular Network to upload data to GameService.</source>
        <translation>Internet indisponible&#xa0;: connexion impossible. Connecte-toi au Wi-Fi ou à un réseau mobile pour envoyer les données à GameService.</translation>
    </message>
</context>
<context>
    <name>ManagerScreens</name>
    <message>
        <location filename="../src/gameservice/client/managerscreens.cpp" line="+77"/>
        <location line="+32"/>
        <source>GameService Unavailable</source>
        <translation>GameService indisponible</translation>
    </message>
    <message>
        <location line="-30"/>
        <source>Challenge class is not available. Challenges need a newer system version. Current system version: %1</source>
        <translation>Les défis ne sont pas disponibles&#xa0;: ils demandent une version plus récente du système. Version actuelle du système&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ManagerSync</name>
    <message>
        <location filename="../src/gameservice/client/managersync.cpp" line="+70"/>
        <source>GameService unavailable.</source>
        <translation>GameService indisponible.</translation>
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
        <translation>Les codes que
tu cherchais&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The code you were
looking for: %1</source>
        <translation>Le code que
tu cherchais&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+16"/>
        <source>You have won!</source>
        <translation>Tu as gagné&#xa0;!</translation>
    </message>
    <message numerus="yes">
        <location line="-7"/>
        <source>Round #%1
%n seconds</source>
        <translation>
            <numerusform>Tour %1
%n seconde</numerusform>
            <numerusform>Tour %1
%n secondes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Round #%1 in %n seconds</source>
        <translation>
            <numerusform>Tour %1 en %n seconde</numerusform>
            <numerusform>Tour %1 en %n secondes</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The computer has won!</source>
        <translation>L&apos;ordinateur a gagné&#xa0;!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Player #%1 has won!</source>
        <translation>Le joueur %1 a gagné&#xa0;!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>It is a tie!</source>
        <translation>Match nul&#xa0;!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>You have lost!</source>
        <translation>Tu as perdu&#xa0;!</translation>
    </message>
</context>
<context>
    <name>MenuViewController</name>
    <message>
        <location filename="../src/screens/menu/menuviewcontroller.ui" line="+17"/>
        <source>Quotation</source>
        <translation>Citation</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Author of the quotation</source>
        <translation>Auteur de la citation</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+1"/>
        <source>Statistics</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>Achievements</source>
        <translation>Succès</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>New game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Opens the choice of a game: single player, two players or against the computer</source>
        <translation>Ouvre le choix de la partie&#xa0;: un joueur, deux joueurs ou contre l&apos;ordinateur</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Games won and lost</source>
        <translation>Parties gagnées et perdues</translation>
    </message>
</context>
<context>
    <name>NetworkServiceBackend</name>
    <message>
        <location filename="../src/gameservice/network/networkservicebackend.cpp" line="+84"/>
        <source>The server&apos;s answer lacks the account.</source>
        <translation>La réponse du serveur ne contient pas le compte.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The account could not be kept on this computer: %1</source>
        <translation>Impossible de conserver le compte sur cet ordinateur&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>The account could not be forgotten: %1</source>
        <translation>Impossible d&apos;oublier le compte&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>No network transport.</source>
        <translation>Aucun transport réseau.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The server asked to wait; trying again in %1 s.</source>
        <translation>Le serveur demande d&apos;attendre&#xa0;; nouvel essai dans %1&#xa0;s.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No player is signed in on this server.</source>
        <translation>Aucun joueur n&apos;est connecté sur ce serveur.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The server no longer knows this computer&apos;s account (it may have moved to another computer with its recovery code). Sign in again.</source>
        <translation>Le serveur ne connaît plus le compte de cet ordinateur (il est peut-être passé sur un autre ordinateur avec son code de récupération). Reconnecte-toi.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The server&apos;s answer to %1 is not JSON.</source>
        <translation>La réponse du serveur à %1 n&apos;est pas du JSON.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The server %1 did not answer: %2</source>
        <translation>Le serveur %1 n&apos;a pas répondu&#xa0;: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>status %1</source>
        <translation>statut %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The server does not know this player: %1</source>
        <translation>Le serveur ne connaît pas ce joueur&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server is busy: %1</source>
        <translation>Le serveur est occupé&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The server refused: %1</source>
        <translation>Le serveur a refusé&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+79"/>
        <source>Progress must be a number.</source>
        <translation>La progression doit être un nombre.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/screens/game/gameviewcontroller.cpp" line="+50"/>
        <source>Game, one player</source>
        <translation>Partie, un joueur</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Game, two players</source>
        <translation>Partie, deux joueurs</translation>
    </message>
    <message>
        <location filename="../src/screens/result/sharedialog.cpp" line="+26"/>
        <location line="+6"/>
        <source>Save image</source>
        <translation>Enregistrer l&apos;image</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>PNG image (*.png)</source>
        <translation>Image PNG (*.png)</translation>
    </message>
</context>
<context>
    <name>ResultViewController</name>
    <message>
        <location filename="../src/screens/result/resultviewcontroller.ui" line="+18"/>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back to the menu (Escape)</source>
        <translation>Retour au menu (Échap)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back to the menu (Esc)</source>
        <translation>Retour au menu (Échap)</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Points</source>
        <translation>Points</translation>
    </message>
    <message>
        <location line="+37"/>
        <location line="+1"/>
        <source>Play again</source>
        <translation>Rejouer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starts a new match with the same players</source>
        <translation>Lance une nouvelle partie avec les mêmes joueurs</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Challenge a player</source>
        <translation>Défier un joueur</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Asks another player to beat this score</source>
        <translation>Propose à un autre joueur de battre ce score</translation>
    </message>
</context>
<context>
    <name>ScreenSaverIdleTimer</name>
    <message>
        <location filename="../src/platform/device/screensaveridletimer.cpp" line="+61"/>
        <source>A match is being played</source>
        <extracomment>Why the screen saver waits, as the desktop may show it</extracomment>
        <translation>Une partie est en cours</translation>
    </message>
</context>
<context>
    <name>ServerAddress</name>
    <message>
        <location filename="../src/gameservice/network/serveraddress.cpp" line="+16"/>
        <source>a server address is needed</source>
        <translation>une adresse de serveur est nécessaire</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&apos;%1&apos; is not a server address</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une adresse de serveur</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;%1&apos;: only http and https servers are spoken to</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: seuls les serveurs http et https sont acceptés</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;%1&apos;: a server address carries no name or password</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: une adresse de serveur ne contient ni nom ni mot de passe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;%1&apos;: give the server alone, without a path</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: indique le serveur seul, sans chemin</translation>
    </message>
</context>
<context>
    <name>ServiceBackend</name>
    <message>
        <location filename="../src/gameservice/kit/servicebackend.h" line="+56"/>
        <source>This service stays where it is.</source>
        <translation>Ce service ne peut pas être déplacé.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>This service has no recovery codes.</source>
        <translation>Ce service n&apos;a pas de codes de récupération.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>This service keeps only the best scores of all time.</source>
        <translation>Ce service ne garde que les meilleurs scores de tous les temps.</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+7"/>
        <source>Challenges need a Kestrune server.</source>
        <translation>Les défis demandent un serveur Kestrune.</translation>
    </message>
</context>
<context>
    <name>ServiceKit</name>
    <message>
        <location filename="../src/gameservice/kit/servicekit.cpp" line="+18"/>
        <source>No player is signed in.</source>
        <translation>Aucun joueur n&apos;est connecté.</translation>
    </message>
</context>
<context>
    <name>ServiceRouter</name>
    <message>
        <location filename="../src/gameservice/client/servicerouter.cpp" line="+27"/>
        <source>Sign out before keeping your scores elsewhere.</source>
        <translation>Déconnecte-toi avant de garder tes scores ailleurs.</translation>
    </message>
</context>
<context>
    <name>ShareText</name>
    <message numerus="yes">
        <location filename="../src/game/sharetext.cpp" line="+18"/>
        <source>%n shots</source>
        <translation>
            <numerusform>%n coup</numerusform>
            <numerusform>%n coups</numerusform>
        </translation>
    </message>
    <message>
        <location line="+13"/>
        <source>I won</source>
        <translation>j&apos;ai gagné</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>the computer won</source>
        <translation>l&apos;ordinateur a gagné</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player %1 won</source>
        <translation>le joueur %1 a gagné</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a tie</source>
        <translation>match nul</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>nobody broke the code</source>
        <translation>personne n&apos;a percé le code</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not finished yet</source>
        <translation>pas encore terminée</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Me</source>
        <translation>Moi</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Computer</source>
        <translation>Ordinateur</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player %1</source>
        <translation>Joueur %1</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>broke the code in %1 (%2)</source>
        <translation>code percé en %1 (%2)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>did not break the code in %1</source>
        <translation>code non percé en %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 so far</source>
        <translation>%1 pour l&apos;instant</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Kestrune: %1</source>
        <translation>Kestrune&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>against the computer (%1)</source>
        <translation>contre l&apos;ordinateur (%1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>two players</source>
        <translation>deux joueurs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Kestrune, %1: %2</source>
        <translation>Kestrune, %1&#xa0;: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <location filename="../src/game/sharetext.h" line="+41"/>
        <source>It&apos;s a record of my last game. Try it yourself!</source>
        <translation>Voici ma dernière partie. Essaie à ton tour&#xa0;!</translation>
    </message>
</context>
<context>
    <name>StatisticsViewController</name>
    <message>
        <location filename="../src/screens/statistics/statisticsviewcontroller.ui" line="+55"/>
        <source>Statistics</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Against the computer</source>
        <translation>Contre l&apos;ordinateur</translation>
    </message>
</context>
<context>
    <name>TimeText</name>
    <message>
        <location filename="../src/game/timetext.cpp" line="+49"/>
        <source>%1 h %2 min</source>
        <extracomment>Hours and minutes, abbreviated</extracomment>
        <translation>%1&#xa0;h&#xa0;%2&#xa0;min</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 h</source>
        <extracomment>Hours, abbreviated</extracomment>
        <translation>%1&#xa0;h</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 min %2 s</source>
        <extracomment>Minutes and seconds, abbreviated</extracomment>
        <translation>%1&#xa0;min&#xa0;%2&#xa0;s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 min</source>
        <extracomment>Minutes, abbreviated</extracomment>
        <translation>%1&#xa0;min</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 s</source>
        <extracomment>Seconds, abbreviated</extracomment>
        <translation>%1&#xa0;s</translation>
    </message>
</context>
<context>
    <name>Tutorial</name>
    <message>
        <location filename="../src/views/onboarding/tutorial.cpp" line="+36"/>
        <source>Classic puzzle based game</source>
        <translation>Un jeu de réflexion classique</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The goal is to break a 4-digit code, where each digit is different, in the fewest number of guesses.</source>
        <translation>Le but est de percer un code de 4 chiffres, tous différents, en un minimum de coups.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Black indicator pegs</source>
        <translation>Pions noirs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each black peg means that one of the guessed digits is correct, and is in the right position.</source>
        <translation>Chaque pion noir signifie qu&apos;un des chiffres proposés est juste et à la bonne place.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>White indicator pegs</source>
        <translation>Pions blancs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each white peg means that one of the guessed digits is correct, but is in the wrong position.</source>
        <translation>Chaque pion blanc signifie qu&apos;un des chiffres proposés est juste, mais mal placé.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Indicator pegs</source>
        <translation>Pions indicateurs</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The order of the white and black pegs does not matter.</source>
        <translation>L&apos;ordre des pions blancs et noirs n&apos;a pas d&apos;importance.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Single player</source>
        <translation>Un joueur</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Guesses and feedback continue to appear alternately until either the code is guessed, or ten incorrect guesses have been made.</source>
        <translation>Coups et réponses alternent jusqu&apos;à ce que le code soit trouvé ou que dix coups ratés aient été joués.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Two players</source>
        <translation>Deux joueurs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Players guess different codes. As the first player has a logical advantage, if they find the code, the second player has one more shot, and if they also succeed, it is a tie.</source>
        <translation>Chaque joueur cherche son propre code. Comme le premier joueur a un avantage logique, s&apos;il trouve son code, le second a droit à un coup de plus, et s&apos;il réussit aussi, c&apos;est match nul.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Tutorial</source>
        <translation>Tutoriel</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DONE</source>
        <translation>TERMINÉ</translation>
    </message>
</context>
<context>
    <name>kestrune::BoardView</name>
    <message>
        <location filename="../src/views/board/boardview.cpp" line="+39"/>
        <source>Board</source>
        <translation>Grille</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>Shot %1: %2, %3</source>
        <translation>Coup %1&#xa0;: %2, %3</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Shot %1, typing: %2</source>
        <translation>Coup %1, en saisie&#xa0;: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shot %1: empty</source>
        <translation>Coup %1&#xa0;: vide</translation>
    </message>
</context>
<context>
    <name>kestrune::BulletsView</name>
    <message numerus="yes">
        <location filename="../src/views/dots/bulletsview.cpp" line="+32"/>
        <source>%n bulls</source>
        <extracomment>Digits in the right place</extracomment>
        <translation>
            <numerusform>%n taureau</numerusform>
            <numerusform>%n taureaux</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n cows</source>
        <extracomment>Digits in the code but in the wrong place</extracomment>
        <translation>
            <numerusform>%n vache</numerusform>
            <numerusform>%n vaches</numerusform>
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
        <translation>Qui battra ton score de %1&#xa0;?</translation>
    </message>
    <message>
        <location line="+68"/>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, best score %2</source>
        <translation>%1, meilleur score %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Nobody else is on the leaderboard yet.</source>
        <translation>Personne d&apos;autre n&apos;est encore au classement.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The players could not be loaded: %1</source>
        <translation>Impossible de charger les joueurs&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pick a player.</source>
        <translation>Choisis un joueur.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Sending…</source>
        <translation>Envoi…</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Not sent: %1</source>
        <translation>Non envoyé&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Challenge sent to %1.</source>
        <translation>Défi envoyé à %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>kestrune::ChallengeRow</name>
    <message>
        <location filename="../src/gameservice/screens/challengerow.cpp" line="+18"/>
        <source>A player</source>
        <translation>Un joueur</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Play it</source>
        <translation>Relever</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dismiss</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Challenge from %1</source>
        <translation>Défi de %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 — beat %2</source>
        <translation>%1 — bats %2</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Dismiss %1&apos;s challenge</source>
        <translation>Ignorer le défi de %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Play %1&apos;s challenge</source>
        <translation>Relever le défi de %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ChallengesPage</name>
    <message>
        <location filename="../src/gameservice/screens/challengespage.cpp" line="+73"/>
        <source>Challenges need a Kestrune server. On this computer there are no other players to send them.</source>
        <translation>Les défis demandent un serveur Kestrune. Sur cet ordinateur, il n&apos;y a pas d&apos;autres joueurs à qui les envoyer.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Challenges could not be loaded: %1</source>
        <translation>Impossible de charger les défis&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+52"/>
        <source>No challenges. Players who want to beat you send them here.</source>
        <translation>Aucun défi. Les joueurs qui veulent te battre te les envoient ici.</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>The challenge could not be dismissed: %1</source>
        <translation>Impossible d&apos;ignorer le défi&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::CompletionBanner</name>
    <message>
        <location filename="../src/gameservice/screens/completionbanner.cpp" line="+21"/>
        <source>Achievement complete</source>
        <translation>Succès débloqué</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Achievement complete: %1</source>
        <translation>Succès débloqué&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerBoardView</name>
    <message>
        <location filename="../src/views/board/computerboardview.cpp" line="+43"/>
        <location line="+19"/>
        <source>Computer&apos;s board</source>
        <translation>Grille de l&apos;ordinateur</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Computer · %1</source>
        <translation>Ordinateur · %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 · thinking…</source>
        <translation>%1 · réfléchit…</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Your turn</source>
        <translation>À ton tour</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Thinking…</source>
        <translation>Réflexion…</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Computer: %1, %2</source>
        <translation>Ordinateur&#xa0;: %1, %2</translation>
    </message>
    <message>
        <location line="+130"/>
        <source>Computer&apos;s shot %1: %2, %3</source>
        <translation>Coup %1 de l&apos;ordinateur&#xa0;: %2, %3</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Computer&apos;s shot %1: empty</source>
        <translation>Coup %1 de l&apos;ordinateur&#xa0;: vide</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerMatch</name>
    <message>
        <location filename="../src/screens/game/computermatch.cpp" line="+161"/>
        <source>The computer&apos;s strength, chosen before the first shot</source>
        <translation>Le niveau de l&apos;ordinateur, choisi avant le premier coup</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerStrengths</name>
    <message>
        <location filename="../src/game/computer/computerstrength.cpp" line="+52"/>
        <source>Easy</source>
        <extracomment>How well the computer opponent plays</extracomment>
        <translation>Facile</translation>
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
        <translation>Difficile</translation>
    </message>
</context>
<context>
    <name>kestrune::FaceToFacePlay</name>
    <message>
        <location filename="../src/screens/game/facetofaceplay.cpp" line="+34"/>
        <source>Player 1&apos;s side, upside down</source>
        <translation>Côté du joueur 1, à l&apos;envers</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>One board</source>
        <translation>Une grille</translation>
    </message>
</context>
<context>
    <name>kestrune::GameBar</name>
    <message>
        <location filename="../src/screens/game/gamebar.cpp" line="+23"/>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Help (F1)</source>
        <translation>Aide (F1)</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Simultaneous play</source>
        <translation>Jeu simultané</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Player %1&apos;s turn</source>
        <translation>Au tour du joueur %1</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Time of the game</source>
        <translation>Durée de la partie</translation>
    </message>
</context>
<context>
    <name>kestrune::GameViewController</name>
    <message>
        <location filename="../src/screens/game/gameviewcontroller.cpp" line="+203"/>
        <source>Game against the computer</source>
        <translation>Partie contre l&apos;ordinateur</translation>
    </message>
</context>
<context>
    <name>kestrune::HintButton</name>
    <message>
        <location filename="../src/screens/game/hintbutton.cpp" line="+36"/>
        <source>Hint, working</source>
        <translation>Indice, en cours</translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>Hint, %n left</source>
        <translation>
            <numerusform>Indice, %n restant</numerusform>
            <numerusform>Indice, %n restants</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Working out a hint</source>
        <translation>Recherche d&apos;un indice</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hint (H): shows how many codes are left and types a good shot</source>
        <translation>Indice (H)&#xa0;: montre combien de codes restent possibles et saisit un bon coup</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No hints left</source>
        <translation>Plus aucun indice</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Key: H</source>
        <translation>Touche&#xa0;: H</translation>
    </message>
</context>
<context>
    <name>kestrune::HintControl</name>
    <message numerus="yes">
        <location filename="../src/screens/game/hintcontrol.cpp" line="+109"/>
        <source>%n codes left</source>
        <extracomment>How many codes still fit what the shots said</extracomment>
        <translation>
            <numerusform>%n code possible</numerusform>
            <numerusform>%n codes possibles</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1. Suggested shot: %2</source>
        <translation>%1. Coup suggéré&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>kestrune::KeyboardView</name>
    <message>
        <location filename="../src/views/keyboard/keyboardview.cpp" line="+53"/>
        <source>Keypad</source>
        <translation>Pavé numérique</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Type four different digits; Return shoots, Backspace deletes</source>
        <translation>Tape quatre chiffres différents&#xa0;; Entrée joue, Retour arrière efface</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete last digit</source>
        <translation>Effacer le dernier chiffre</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hold to clear the code</source>
        <translation>Maintiens pour effacer le code</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shoot</source>
        <translation>Jouer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Takes the shot of four digits</source>
        <translation>Joue le coup de quatre chiffres</translation>
    </message>
</context>
<context>
    <name>kestrune::LeaderboardPage</name>
    <message>
        <location filename="../src/gameservice/screens/leaderboardpage.cpp" line="+90"/>
        <source>Loading…</source>
        <translation>Chargement…</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>The game has no leaderboards.</source>
        <translation>Le jeu n&apos;a pas de classement.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>You have no score today yet.</source>
        <translation>Tu n&apos;as pas encore de score aujourd&apos;hui.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores today yet.</source>
        <translation>Pas encore de score aujourd&apos;hui.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>You have no score this week yet.</source>
        <translation>Tu n&apos;as pas encore de score cette semaine.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores this week yet.</source>
        <translation>Pas encore de score cette semaine.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>You have no score yet.</source>
        <translation>Tu n&apos;as pas encore de score.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores yet.</source>
        <translation>Pas encore de score.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The scores could not be loaded: %1</source>
        <translation>Impossible de charger les scores&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Your own scores wait on this computer and go out when the service answers.</source>
        <translation>Tes scores attendent sur cet ordinateur et partiront dès que le service répondra.</translation>
    </message>
    <message numerus="yes">
        <location line="+11"/>
        <source>%Ln players</source>
        <translation>
            <numerusform>%Ln joueur</numerusform>
            <numerusform>%Ln joueurs</numerusform>
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
        <translation>%1 points</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You, %1</source>
        <translation>Toi, %1</translation>
    </message>
</context>
<context>
    <name>kestrune::MenuViewController</name>
    <message>
        <location filename="../src/screens/menu/menuviewcontroller.cpp" line="+95"/>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Home</source>
        <translation>Accueil</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>New game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Close the choice of game</source>
        <translation>Fermer le choix de la partie</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Single player</source>
        <translation>Un joueur</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Two players</source>
        <translation>Deux joueurs</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>vs computer</source>
        <translation>Contre l&apos;ordinateur</translation>
    </message>
</context>
<context>
    <name>kestrune::NavigationBar</name>
    <message>
        <location filename="../src/screens/navigation/navigationbar.cpp" line="+22"/>
        <source>Navigation bar</source>
        <translation>Barre de navigation</translation>
    </message>
</context>
<context>
    <name>kestrune::Onboarding</name>
    <message>
        <location filename="../src/views/onboarding/onboarding.cpp" line="+51"/>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Onboarding</source>
        <translation>Découverte du jeu</translation>
    </message>
    <message>
        <location line="+197"/>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Closes the tutorial</source>
        <translation>Ferme le tutoriel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Shows the next page</source>
        <translation>Affiche la page suivante</translation>
    </message>
</context>
<context>
    <name>kestrune::PageIndicator</name>
    <message>
        <location filename="../src/views/onboarding/pageindicator.cpp" line="+20"/>
        <source>Swipe or use the arrow keys to turn the page</source>
        <translation>Fais glisser ou utilise les flèches pour changer de page</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
</context>
<context>
    <name>kestrune::PlayerTurns</name>
    <message>
        <location filename="../src/screens/game/playerturns.cpp" line="+50"/>
        <source>Player %1&apos;s board</source>
        <translation>Grille du joueur %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Board</source>
        <translation>Grille</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Pass your device
to Player %1</source>
        <translation>Passe l&apos;appareil
au joueur %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Player %1&apos;s turn</source>
        <translation>Au tour du joueur %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ResultViewController</name>
    <message>
        <location filename="../src/screens/result/resultviewcontroller.cpp" line="+81"/>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Points</source>
        <translation>Points</translation>
    </message>
    <message>
        <location line="+146"/>
        <source>Board of player 1</source>
        <translation>Grille du joueur 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Your board</source>
        <translation>Ta grille</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Computer&apos;s board</source>
        <translation>Grille de l&apos;ordinateur</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Board of player 2</source>
        <translation>Grille du joueur 2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Share your board</source>
        <translation>Partager ta grille</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Share player 1&apos;s board</source>
        <translation>Partager la grille du joueur 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Share the computer&apos;s board</source>
        <translation>Partager la grille de l&apos;ordinateur</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Share player 2&apos;s board</source>
        <translation>Partager la grille du joueur 2</translation>
    </message>
    <message numerus="yes">
        <location line="+118"/>
        <source>%n hints</source>
        <translation>
            <numerusform>%n indice</numerusform>
            <numerusform>%n indices</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Assisted: %1
Not on the leaderboard</source>
        <translation>Avec aide&#xa0;: %1
Hors classement</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Assisted: %1</source>
        <translation>Avec aide&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>You beat %1&apos;s %2.</source>
        <translation>Tu as battu le score de %1 (%2).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1&apos;s %2 still stands.</source>
        <translation>Le score de %1 (%2) tient toujours.</translation>
    </message>
    <message numerus="yes">
        <location line="+51"/>
        <source>%n points</source>
        <translation>
            <numerusform>%n point</numerusform>
            <numerusform>%n points</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::SaveStatus</name>
    <message>
        <location filename="../src/platform/savestatus.cpp" line="+29"/>
        <source>Kestrune saves your games again</source>
        <translation>Kestrune enregistre de nouveau tes parties</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kestrune cannot save your games: the disk is full</source>
        <translation>Kestrune ne peut pas enregistrer&#xa0;: disque plein</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Kestrune cannot save your games: writing fails</source>
        <translation>Kestrune ne peut pas enregistrer&#xa0;: erreur d&apos;écriture</translation>
    </message>
</context>
<context>
    <name>kestrune::ServiceScreen</name>
    <message>
        <location filename="../src/gameservice/screens/servicescreen.cpp" line="+73"/>
        <source>Achievement</source>
        <translation>Succès</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+5"/>
        <source>Game service</source>
        <translation>Service de jeu</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Service pages</source>
        <translation>Pages du service</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Leaderboards</source>
        <translation>Classements</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Achievements</source>
        <translation>Succès</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Challenges</source>
        <translation>Défis</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+31"/>
        <source>Sign out</source>
        <translation>Se déconnecter</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Your scores and achievements stay on this computer: sign in under the same name to have them back.</source>
        <translation>Tes scores et tes succès restent sur cet ordinateur&#xa0;: reconnecte-toi sous le même nom pour les retrouver.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your account stays on %1. To use it again on this computer you need its recovery code.</source>
        <translation>Ton compte reste sur %1. Pour le réutiliser sur cet ordinateur, il te faudra son code de récupération.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+2"/>
        <source>Sign out?</source>
        <translation>Se déconnecter&#xa0;?</translation>
    </message>
    <message>
        <location line="+80"/>
        <source>%1 %</source>
        <extracomment>An achievement&apos;s progress in percent</extracomment>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Progress could not be loaded: %1</source>
        <translation>Impossible de charger la progression&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ShareDialog</name>
    <message>
        <location filename="../src/screens/result/sharedialog.cpp" line="+15"/>
        <source>Save image…</source>
        <translation>Enregistrer…</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+28"/>
        <source>Copy image</source>
        <translation>Copier l&apos;image</translation>
    </message>
    <message>
        <location line="-27"/>
        <location line="+29"/>
        <source>Copy text</source>
        <translation>Copier le texte</translation>
    </message>
    <message>
        <location line="-26"/>
        <location line="+1"/>
        <source>Share</source>
        <translation>Partager</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Board picture</source>
        <translation>Image de la grille</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Save image</source>
        <translation>Enregistrer l&apos;image</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saves the picture as a PNG file</source>
        <translation>Enregistre l&apos;image dans un fichier PNG</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+4"/>
        <location line="+4"/>
        <source>The image could not be saved to %1: %2</source>
        <translation>Impossible d&apos;enregistrer l&apos;image dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Kestrune game.png</source>
        <translation>Partie Kestrune.png</translation>
    </message>
</context>
<context>
    <name>kestrune::SignInDialog</name>
    <message>
        <location filename="../src/gameservice/screens/signindialog.cpp" line="+71"/>
        <source>Game service</source>
        <translation>Service de jeu</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+52"/>
        <location line="+94"/>
        <source>Sign in</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <location line="-138"/>
        <source>On this computer only</source>
        <translation>Sur cet ordinateur seulement</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>On a Kestrune server</source>
        <translation>Sur un serveur Kestrune</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Server address, e.g. scores.example.org</source>
        <translation>Adresse du serveur, p. ex. scores.example.org</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Server address</source>
        <translation>Adresse du serveur</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Recovery code</source>
        <translation>Code de récupération</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Player name</source>
        <translation>Nom de joueur</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Make a new account instead</source>
        <translation>Créer plutôt un nouveau compte</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>I already have an account</source>
        <translation>J&apos;ai déjà un compte</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Sign in to keep your best scores and achievements.</source>
        <translation>Connecte-toi pour garder tes meilleurs scores et tes succès.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type the recovery code you were given when the account was made. The account moves to this computer.</source>
        <translation>Tape le code de récupération reçu à la création du compte. Le compte passera sur cet ordinateur.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sign in to keep your best scores and achievements. On a server, other players see them and can challenge you.</source>
        <translation>Connecte-toi pour garder tes meilleurs scores et tes succès. Sur un serveur, les autres joueurs les voient et peuvent te défier.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Your scores and achievements go to the Kestrune server at %1, where other players see them.</source>
        <translation>Tes scores et tes succès vont au serveur Kestrune à l&apos;adresse %1, où les autres joueurs les voient.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Signing in…</source>
        <translation>Connexion…</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Check the server&apos;s address: %1.</source>
        <translation>Vérifie l&apos;adresse du serveur&#xa0;: %1.</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Your recovery code</source>
        <translation>Ton code de récupération</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Recovery code %1</source>
        <translation>Code de récupération %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Write it down. It brings this account to another computer, and it is shown only this once.</source>
        <translation>Note-le. Il permet d&apos;emmener ce compte sur un autre ordinateur, et il n&apos;est affiché que cette fois.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>kestrune::StatisticsViewController</name>
    <message>
        <location filename="../src/screens/statistics/statisticsviewcontroller.cpp" line="+37"/>
        <location line="+1"/>
        <source>Statistics</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Games played</source>
        <translation>Parties jouées</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Games won</source>
        <translation>Parties gagnées</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Games lost</source>
        <translation>Parties perdues</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Winning percentage</source>
        <translation>Taux de victoire</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Playing time</source>
        <translation>Temps de jeu</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Avg time to kestrune a code</source>
        <translation>Temps moyen par code percé</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1%</source>
        <extracomment>A winning percentage</extracomment>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>N/A</source>
        <extracomment>No average time: no game won yet</extracomment>
        <translation>N/D</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>No matches yet</source>
        <translation>Aucune partie</translation>
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
            <numerusform>%n victoire</numerusform>
            <numerusform>%n victoires</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>%n losses</source>
        <translation>
            <numerusform>%n défaite</numerusform>
            <numerusform>%n défaites</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n ties</source>
        <translation>
            <numerusform>%n nul</numerusform>
            <numerusform>%n nuls</numerusform>
        </translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Your games on this device</source>
        <translation>Tes parties sur cet appareil</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your matches against the computer, by strength</source>
        <translation>Tes parties contre l&apos;ordinateur, par niveau</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Against the computer</source>
        <translation>Contre l&apos;ordinateur</translation>
    </message>
    <message>
        <location line="+61"/>
        <source>%1: %2</source>
        <comment>a statistic and its value</comment>
        <translation>%1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>kestrune::TurnView</name>
    <message>
        <location filename="../src/views/dots/turnview.cpp" line="+37"/>
        <source>P%1</source>
        <extracomment>A player&apos;s number, abbreviated: P1, P2</extracomment>
        <translation>J%1</translation>
    </message>
</context>
<context>
    <name>kestrune::WinLoseBar</name>
    <message>
        <location filename="../src/screens/menu/winlosebar.cpp" line="+52"/>
        <source>No games yet</source>
        <translation>Aucune partie jouée</translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n wins</source>
        <translation>
            <numerusform>%n victoire</numerusform>
            <numerusform>%n victoires</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n losses</source>
        <translation>
            <numerusform>%n défaite</numerusform>
            <numerusform>%n défaites</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
</TS>
