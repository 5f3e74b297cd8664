<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CatalogueText</name>
    <message>
        <location filename="../src/gameservice/screens/cataloguetext.cpp" line="+13"/>
        <source>Single player</source>
        <extracomment>A leaderboard&apos;s name</extracomment>
        <translation>Un jugador</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>First Break</source>
        <translation>Primera brecha</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break your first code in a single-player game.</source>
        <translation>Descifra tu primer código en una partida de un jugador.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Codebreaker</source>
        <translation>Descifrador</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Win 50 single-player games.</source>
        <translation>Gana 50 partidas de un jugador.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cipher Centurion</source>
        <translation>Centurión del cifrado</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Win 100 single-player games.</source>
        <translation>Gana 100 partidas de un jugador.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Regular</source>
        <translation>Habitual</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play 50 single-player games, won or lost.</source>
        <translation>Juega 50 partidas de un jugador, ganadas o perdidas.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Devoted</source>
        <translation>Incondicional</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play 100 single-player games, won or lost.</source>
        <translation>Juega 100 partidas de un jugador, ganadas o perdidas.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Blind Luck</source>
        <translation>Pura suerte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break the code with your very first shot.</source>
        <translation>Descifra el código en tu primer intento.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quick Thinker</source>
        <translation>Mente rápida</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break a code within 20 seconds of your first shot.</source>
        <translation>Descifra un código en menos de 20 segundos desde tu primer intento.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stubborn Streak</source>
        <translation>Cabezota</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fire the same shot twice in a row.</source>
        <translation>Haz el mismo intento dos veces seguidas.</translation>
    </message>
</context>
<context>
    <name>ChallengeDialog</name>
    <message>
        <location filename="../src/gameservice/screens/challengedialog.ui" line="+6"/>
        <location line="+9"/>
        <source>Challenge a player</source>
        <translation>Retar a un jugador</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Players</source>
        <translation>Jugadores</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A message (optional)</source>
        <translation>Un mensaje (opcional)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Loading players…</source>
        <translation>Cargando jugadores…</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Send</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Send challenge</source>
        <translation>Enviar el reto</translation>
    </message>
</context>
<context>
    <name>ChallengesPage</name>
    <message>
        <location filename="../src/gameservice/screens/challengespage.ui" line="+20"/>
        <source>Loading…</source>
        <translation>Cargando…</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Received challenges</source>
        <translation>Retos recibidos</translation>
    </message>
</context>
<context>
    <name>GamePrompts</name>
    <message>
        <location filename="../src/screens/game/gameprompts.cpp" line="+29"/>
        <location line="+55"/>
        <location line="+2"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <location line="-44"/>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Do you want to quit?</source>
        <translation>¿Quieres salir?</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All progress will be lost.</source>
        <translation>Se perderá todo el progreso.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Use hint</source>
        <translation>Usar pista</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Use a hint?</source>
        <translation>¿Usar una pista?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A hint shows how many codes are left and types a good shot. A match won with hints stays off the leaderboard.</source>
        <translation>Una pista muestra cuántos códigos quedan y escribe un buen intento. Una partida ganada con pistas no entra en la clasificación.</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+4"/>
        <source>Computer strength</source>
        <translation>Nivel del ordenador</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>How well should the computer play?</source>
        <translation>¿A qué nivel debe jugar el ordenador?</translation>
    </message>
</context>
<context>
    <name>GameResultView</name>
    <message>
        <location filename="../src/screens/result/gameresultview.ui" line="+27"/>
        <source>Board</source>
        <translation>Tablero</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Slides the card in or out</source>
        <translation>Muestra u oculta la tarjeta</translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+2"/>
        <source>Share</source>
        <translation>Compartir</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Saves or copies the picture of this board</source>
        <translation>Guarda o copia la imagen de este tablero</translation>
    </message>
</context>
<context>
    <name>HttpTransportLoader</name>
    <message>
        <location filename="../src/gameservice/network/transport/httptransportloader.cpp" line="+90"/>
        <source>The network module %1 was not found (looked in: %2)</source>
        <translation>No se encontró el módulo de red %1 (buscado en: %2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The network module could not be loaded: %1</source>
        <translation>No se pudo cargar el módulo de red: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The network module %1 does not fit this version of the game (interface version %2)</source>
        <translation>El módulo de red %1 no corresponde a esta versión del juego (versión de interfaz %2)</translation>
    </message>
</context>
<context>
    <name>LeaderboardPage</name>
    <message>
        <location filename="../src/gameservice/screens/leaderboardpage.ui" line="+14"/>
        <source>Leaderboard</source>
        <translation>Clasificación</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scores made today (UTC)</source>
        <translation>Puntuaciones de hoy (UTC)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>This week</source>
        <translation>Esta semana</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scores made this week, Monday to Sunday (UTC)</source>
        <translation>Puntuaciones de esta semana, de lunes a domingo (UTC)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>All time</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The best scores ever made</source>
        <translation>Las mejores puntuaciones de la historia</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Top 50</source>
        <translation>Top 50</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The 50 best players</source>
        <translation>Los 50 mejores jugadores</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Around me</source>
        <translation>Cerca de mí</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The players just above and below you</source>
        <translation>Los jugadores justo por encima y por debajo de ti</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Scores</source>
        <translation>Puntuaciones</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Rank</source>
        <translation>Puesto</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player</source>
        <translation>Jugador</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Score</source>
        <translation>Puntuación</translation>
    </message>
</context>
<context>
    <name>LocalPlayer</name>
    <message>
        <location filename="../src/gameservice/kit/localplayer.cpp" line="+12"/>
        <source>The player declined to sign in.</source>
        <translation>El jugador no quiso iniciar sesión.</translation>
    </message>
    <message>
        <location line="+77"/>
        <location line="+107"/>
        <source>No player is signed in.</source>
        <translation>No hay ningún jugador con la sesión iniciada.</translation>
    </message>
    <message>
        <location line="-90"/>
        <source>A player needs a name.</source>
        <translation>Un jugador necesita un nombre.</translation>
    </message>
</context>
<context>
    <name>LocalServiceBackend</name>
    <message>
        <location filename="../src/gameservice/local/localservicebackend.cpp" line="+90"/>
        <source>This player is not known to the service.</source>
        <translation>El servicio no conoce a este jugador.</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>the damaged file could not be set aside</source>
        <translation>no se pudo apartar el archivo dañado</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+7"/>
        <source>The service could not store the data: %1</source>
        <translation>El servicio no pudo guardar los datos: %1</translation>
    </message>
</context>
<context>
    <name>ManagerReporting</name>
    <message>
        <location filename="../src/gameservice/client/managerreporting.cpp" line="+194"/>
        <source>Could not save achievement because necessary data is missing. GameService needs an Achievement ID and Percent Completed to save the achievement. You provided the following data:
Achievement: %1
Percent Completed:%2</source>
        <translation>No se pudo guardar el logro porque faltan datos necesarios. GameService necesita el ID del logro y su porcentaje completado para guardarlo. Datos proporcionados:
Logro: %1
Porcentaje completado: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Internet unavailable - could not connect to the internet. Connect to WiFi or a Cellular Network to upload data to GameService.</source>
        <translation>Internet no disponible: no se pudo conectar. Conéctate a una red wifi o móvil para enviar los datos a GameService.</translation>
    </message>
</context>
<context>
    <name>ManagerScreens</name>
    <message>
        <location filename="../src/gameservice/client/managerscreens.cpp" line="+77"/>
        <location line="+32"/>
        <source>GameService Unavailable</source>
        <translation>GameService no disponible</translation>
    </message>
    <message>
        <location line="-30"/>
        <source>Challenge class is not available. Challenges need a newer system version. Current system version: %1</source>
        <translation>Los retos no están disponibles: necesitan una versión más reciente del sistema. Versión actual del sistema: %1</translation>
    </message>
</context>
<context>
    <name>ManagerSync</name>
    <message>
        <location filename="../src/gameservice/client/managersync.cpp" line="+70"/>
        <source>GameService unavailable.</source>
        <translation>GameService no disponible.</translation>
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
        <translation>Los códigos que
buscabas: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The code you were
looking for: %1</source>
        <translation>El código que
buscabas: %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+16"/>
        <source>You have won!</source>
        <translation>¡Has ganado!</translation>
    </message>
    <message numerus="yes">
        <location line="-7"/>
        <source>Round #%1
%n seconds</source>
        <translation>
            <numerusform>Ronda %1
%n segundo</numerusform>
            <numerusform>Ronda %1
%n segundos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Round #%1 in %n seconds</source>
        <translation>
            <numerusform>Ronda %1 en %n segundo</numerusform>
            <numerusform>Ronda %1 en %n segundos</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The computer has won!</source>
        <translation>¡Ha ganado el ordenador!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Player #%1 has won!</source>
        <translation>¡Ha ganado el jugador %1!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>It is a tie!</source>
        <translation>¡Empate!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>You have lost!</source>
        <translation>¡Has perdido!</translation>
    </message>
</context>
<context>
    <name>MenuViewController</name>
    <message>
        <location filename="../src/screens/menu/menuviewcontroller.ui" line="+17"/>
        <source>Quotation</source>
        <translation>Cita</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Author of the quotation</source>
        <translation>Autor de la cita</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+1"/>
        <source>Statistics</source>
        <translation>Estadísticas</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>Achievements</source>
        <translation>Logros</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>New game</source>
        <translation>Nueva partida</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Opens the choice of a game: single player, two players or against the computer</source>
        <translation>Abre la elección de partida: un jugador, dos jugadores o contra el ordenador</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Games won and lost</source>
        <translation>Partidas ganadas y perdidas</translation>
    </message>
</context>
<context>
    <name>NetworkServiceBackend</name>
    <message>
        <location filename="../src/gameservice/network/networkservicebackend.cpp" line="+84"/>
        <source>The server&apos;s answer lacks the account.</source>
        <translation>La respuesta del servidor no incluye la cuenta.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The account could not be kept on this computer: %1</source>
        <translation>No se pudo guardar la cuenta en este ordenador: %1</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>The account could not be forgotten: %1</source>
        <translation>No se pudo olvidar la cuenta: %1</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>No network transport.</source>
        <translation>No hay transporte de red.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The server asked to wait; trying again in %1 s.</source>
        <translation>El servidor pidió esperar; nuevo intento en %1&#xa0;s.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No player is signed in on this server.</source>
        <translation>No hay ningún jugador con la sesión iniciada en este servidor.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The server no longer knows this computer&apos;s account (it may have moved to another computer with its recovery code). Sign in again.</source>
        <translation>El servidor ya no conoce la cuenta de este ordenador (puede que se haya llevado a otro ordenador con su código de recuperación). Vuelve a iniciar sesión.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The server&apos;s answer to %1 is not JSON.</source>
        <translation>La respuesta del servidor a %1 no es JSON.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The server %1 did not answer: %2</source>
        <translation>El servidor %1 no respondió: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>status %1</source>
        <translation>estado %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The server does not know this player: %1</source>
        <translation>El servidor no conoce a este jugador: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server is busy: %1</source>
        <translation>El servidor está ocupado: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The server refused: %1</source>
        <translation>El servidor lo rechazó: %1</translation>
    </message>
    <message>
        <location line="+79"/>
        <source>Progress must be a number.</source>
        <translation>El progreso debe ser un número.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/screens/game/gameviewcontroller.cpp" line="+50"/>
        <source>Game, one player</source>
        <translation>Partida, un jugador</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Game, two players</source>
        <translation>Partida, dos jugadores</translation>
    </message>
    <message>
        <location filename="../src/screens/result/sharedialog.cpp" line="+26"/>
        <location line="+6"/>
        <source>Save image</source>
        <translation>Guardar imagen</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>PNG image (*.png)</source>
        <translation>Imagen PNG (*.png)</translation>
    </message>
</context>
<context>
    <name>ResultViewController</name>
    <message>
        <location filename="../src/screens/result/resultviewcontroller.ui" line="+18"/>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back to the menu (Escape)</source>
        <translation>Volver al menú (Escape)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back to the menu (Esc)</source>
        <translation>Volver al menú (Esc)</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Points</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <location line="+37"/>
        <location line="+1"/>
        <source>Play again</source>
        <translation>Otra partida</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starts a new match with the same players</source>
        <translation>Empieza una nueva partida con los mismos jugadores</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Challenge a player</source>
        <translation>Retar a un jugador</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Asks another player to beat this score</source>
        <translation>Reta a otro jugador a superar esta puntuación</translation>
    </message>
</context>
<context>
    <name>ScreenSaverIdleTimer</name>
    <message>
        <location filename="../src/platform/device/screensaveridletimer.cpp" line="+61"/>
        <source>A match is being played</source>
        <extracomment>Why the screen saver waits, as the desktop may show it</extracomment>
        <translation>Hay una partida en curso</translation>
    </message>
</context>
<context>
    <name>ServerAddress</name>
    <message>
        <location filename="../src/gameservice/network/serveraddress.cpp" line="+16"/>
        <source>a server address is needed</source>
        <translation>se necesita una dirección de servidor</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&apos;%1&apos; is not a server address</source>
        <translation>«%1» no es una dirección de servidor</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;%1&apos;: only http and https servers are spoken to</source>
        <translation>«%1»: solo se admiten servidores http y https</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;%1&apos;: a server address carries no name or password</source>
        <translation>«%1»: una dirección de servidor no lleva nombre ni contraseña</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;%1&apos;: give the server alone, without a path</source>
        <translation>«%1»: indica solo el servidor, sin ruta</translation>
    </message>
</context>
<context>
    <name>ServiceBackend</name>
    <message>
        <location filename="../src/gameservice/kit/servicebackend.h" line="+56"/>
        <source>This service stays where it is.</source>
        <translation>Este servicio no se puede trasladar.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>This service has no recovery codes.</source>
        <translation>Este servicio no tiene códigos de recuperación.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>This service keeps only the best scores of all time.</source>
        <translation>Este servicio solo guarda las mejores puntuaciones de la historia.</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+7"/>
        <source>Challenges need a Kestrune server.</source>
        <translation>Los retos necesitan un servidor Kestrune.</translation>
    </message>
</context>
<context>
    <name>ServiceKit</name>
    <message>
        <location filename="../src/gameservice/kit/servicekit.cpp" line="+18"/>
        <source>No player is signed in.</source>
        <translation>No hay ningún jugador con la sesión iniciada.</translation>
    </message>
</context>
<context>
    <name>ServiceRouter</name>
    <message>
        <location filename="../src/gameservice/client/servicerouter.cpp" line="+27"/>
        <source>Sign out before keeping your scores elsewhere.</source>
        <translation>Cierra sesión antes de guardar tus puntuaciones en otro sitio.</translation>
    </message>
</context>
<context>
    <name>ShareText</name>
    <message numerus="yes">
        <location filename="../src/game/sharetext.cpp" line="+18"/>
        <source>%n shots</source>
        <translation>
            <numerusform>%n intento</numerusform>
            <numerusform>%n intentos</numerusform>
        </translation>
    </message>
    <message>
        <location line="+13"/>
        <source>I won</source>
        <translation>he ganado</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>the computer won</source>
        <translation>ganó el ordenador</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player %1 won</source>
        <translation>ganó el jugador %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a tie</source>
        <translation>empate</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>nobody broke the code</source>
        <translation>nadie descifró el código</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not finished yet</source>
        <translation>aún sin terminar</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Me</source>
        <translation>Yo</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Computer</source>
        <translation>Ordenador</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player %1</source>
        <translation>Jugador %1</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>broke the code in %1 (%2)</source>
        <translation>código descifrado en %1 (%2)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>did not break the code in %1</source>
        <translation>código no descifrado en %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 so far</source>
        <translation>%1 por ahora</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Kestrune: %1</source>
        <translation>Kestrune: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>against the computer (%1)</source>
        <translation>contra el ordenador (%1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>two players</source>
        <translation>dos jugadores</translation>
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
        <translation>Así fue mi última partida. ¡Pruébalo tú también!</translation>
    </message>
</context>
<context>
    <name>StatisticsViewController</name>
    <message>
        <location filename="../src/screens/statistics/statisticsviewcontroller.ui" line="+55"/>
        <source>Statistics</source>
        <translation>Estadísticas</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Against the computer</source>
        <translation>Contra el ordenador</translation>
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
        <translation>Un clásico juego de lógica</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The goal is to break a 4-digit code, where each digit is different, in the fewest number of guesses.</source>
        <translation>El objetivo es descifrar un código de 4 cifras, todas distintas, en el menor número de intentos.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Black indicator pegs</source>
        <translation>Fichas negras</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each black peg means that one of the guessed digits is correct, and is in the right position.</source>
        <translation>Cada ficha negra indica que una de las cifras propuestas es correcta y está en su sitio.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>White indicator pegs</source>
        <translation>Fichas blancas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each white peg means that one of the guessed digits is correct, but is in the wrong position.</source>
        <translation>Cada ficha blanca indica que una de las cifras propuestas es correcta, pero está mal colocada.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Indicator pegs</source>
        <translation>Fichas indicadoras</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The order of the white and black pegs does not matter.</source>
        <translation>El orden de las fichas blancas y negras no importa.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Single player</source>
        <translation>Un jugador</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Guesses and feedback continue to appear alternately until either the code is guessed, or ten incorrect guesses have been made.</source>
        <translation>Los intentos y las respuestas se alternan hasta que se adivina el código o se han hecho diez intentos fallidos.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Two players</source>
        <translation>Dos jugadores</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Players guess different codes. As the first player has a logical advantage, if they find the code, the second player has one more shot, and if they also succeed, it is a tie.</source>
        <translation>Cada jugador busca un código distinto. Como el primer jugador tiene ventaja lógica, si encuentra su código, el segundo tiene un intento más, y si también acierta, hay empate.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Tutorial</source>
        <translation>Tutorial</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DONE</source>
        <translation>LISTO</translation>
    </message>
</context>
<context>
    <name>kestrune::BoardView</name>
    <message>
        <location filename="../src/views/board/boardview.cpp" line="+39"/>
        <source>Board</source>
        <translation>Tablero</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>Shot %1: %2, %3</source>
        <translation>Intento %1: %2, %3</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Shot %1, typing: %2</source>
        <translation>Intento %1, escribiendo: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shot %1: empty</source>
        <translation>Intento %1: vacío</translation>
    </message>
</context>
<context>
    <name>kestrune::BulletsView</name>
    <message numerus="yes">
        <location filename="../src/views/dots/bulletsview.cpp" line="+32"/>
        <source>%n bulls</source>
        <extracomment>Digits in the right place</extracomment>
        <translation>
            <numerusform>%n toro</numerusform>
            <numerusform>%n toros</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n cows</source>
        <extracomment>Digits in the code but in the wrong place</extracomment>
        <translation>
            <numerusform>%n vaca</numerusform>
            <numerusform>%n vacas</numerusform>
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
        <translation>¿Quién superará tu puntuación de %1?</translation>
    </message>
    <message>
        <location line="+68"/>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, best score %2</source>
        <translation>%1, mejor puntuación %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Nobody else is on the leaderboard yet.</source>
        <translation>Todavía no hay nadie más en la clasificación.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The players could not be loaded: %1</source>
        <translation>No se pudieron cargar los jugadores: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pick a player.</source>
        <translation>Elige un jugador.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Sending…</source>
        <translation>Enviando…</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Not sent: %1</source>
        <translation>No enviado: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Challenge sent to %1.</source>
        <translation>Reto enviado a %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
</context>
<context>
    <name>kestrune::ChallengeRow</name>
    <message>
        <location filename="../src/gameservice/screens/challengerow.cpp" line="+18"/>
        <source>A player</source>
        <translation>Un jugador</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Play it</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Challenge from %1</source>
        <translation>Reto de %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 — beat %2</source>
        <translation>%1 — supera %2</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Dismiss %1&apos;s challenge</source>
        <translation>Descartar el reto de %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Play %1&apos;s challenge</source>
        <translation>Aceptar el reto de %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ChallengesPage</name>
    <message>
        <location filename="../src/gameservice/screens/challengespage.cpp" line="+73"/>
        <source>Challenges need a Kestrune server. On this computer there are no other players to send them.</source>
        <translation>Los retos necesitan un servidor Kestrune. En este ordenador no hay otros jugadores a quienes enviarlos.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Challenges could not be loaded: %1</source>
        <translation>No se pudieron cargar los retos: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+52"/>
        <source>No challenges. Players who want to beat you send them here.</source>
        <translation>No hay retos. Los jugadores que quieran ganarte te los envían aquí.</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>The challenge could not be dismissed: %1</source>
        <translation>No se pudo descartar el reto: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::CompletionBanner</name>
    <message>
        <location filename="../src/gameservice/screens/completionbanner.cpp" line="+21"/>
        <source>Achievement complete</source>
        <translation>Logro conseguido</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Achievement complete: %1</source>
        <translation>Logro conseguido: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerBoardView</name>
    <message>
        <location filename="../src/views/board/computerboardview.cpp" line="+43"/>
        <location line="+19"/>
        <source>Computer&apos;s board</source>
        <translation>Tablero del ordenador</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Computer · %1</source>
        <translation>Ordenador · %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 · thinking…</source>
        <translation>%1 · pensando…</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Your turn</source>
        <translation>Tu turno</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Thinking…</source>
        <translation>Pensando…</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Computer: %1, %2</source>
        <translation>Ordenador: %1, %2</translation>
    </message>
    <message>
        <location line="+130"/>
        <source>Computer&apos;s shot %1: %2, %3</source>
        <translation>Intento %1 del ordenador: %2, %3</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Computer&apos;s shot %1: empty</source>
        <translation>Intento %1 del ordenador: vacío</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerMatch</name>
    <message>
        <location filename="../src/screens/game/computermatch.cpp" line="+161"/>
        <source>The computer&apos;s strength, chosen before the first shot</source>
        <translation>El nivel del ordenador, elegido antes del primer intento</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerStrengths</name>
    <message>
        <location filename="../src/game/computer/computerstrength.cpp" line="+52"/>
        <source>Easy</source>
        <extracomment>How well the computer opponent plays</extracomment>
        <translation>Fácil</translation>
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
        <translation>Difícil</translation>
    </message>
</context>
<context>
    <name>kestrune::FaceToFacePlay</name>
    <message>
        <location filename="../src/screens/game/facetofaceplay.cpp" line="+34"/>
        <source>Player 1&apos;s side, upside down</source>
        <translation>Lado del jugador 1, al revés</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>One board</source>
        <translation>Un tablero</translation>
    </message>
</context>
<context>
    <name>kestrune::GameBar</name>
    <message>
        <location filename="../src/screens/game/gamebar.cpp" line="+23"/>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Help (F1)</source>
        <translation>Ayuda (F1)</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Simultaneous play</source>
        <translation>Juego simultáneo</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Player %1&apos;s turn</source>
        <translation>Turno del jugador %1</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Time of the game</source>
        <translation>Tiempo de la partida</translation>
    </message>
</context>
<context>
    <name>kestrune::GameViewController</name>
    <message>
        <location filename="../src/screens/game/gameviewcontroller.cpp" line="+203"/>
        <source>Game against the computer</source>
        <translation>Partida contra el ordenador</translation>
    </message>
</context>
<context>
    <name>kestrune::HintButton</name>
    <message>
        <location filename="../src/screens/game/hintbutton.cpp" line="+36"/>
        <source>Hint, working</source>
        <translation>Pista, calculando</translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>Hint, %n left</source>
        <translation>
            <numerusform>Pista, queda %n</numerusform>
            <numerusform>Pista, quedan %n</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Working out a hint</source>
        <translation>Buscando una pista</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hint (H): shows how many codes are left and types a good shot</source>
        <translation>Pista (H): muestra cuántos códigos quedan y escribe un buen intento</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No hints left</source>
        <translation>No quedan pistas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Key: H</source>
        <translation>Tecla: H</translation>
    </message>
</context>
<context>
    <name>kestrune::HintControl</name>
    <message numerus="yes">
        <location filename="../src/screens/game/hintcontrol.cpp" line="+109"/>
        <source>%n codes left</source>
        <extracomment>How many codes still fit what the shots said</extracomment>
        <translation>
            <numerusform>Queda %n código</numerusform>
            <numerusform>Quedan %n códigos</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1. Suggested shot: %2</source>
        <translation>%1. Intento sugerido: %2</translation>
    </message>
</context>
<context>
    <name>kestrune::KeyboardView</name>
    <message>
        <location filename="../src/views/keyboard/keyboardview.cpp" line="+53"/>
        <source>Keypad</source>
        <translation>Teclado</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Type four different digits; Return shoots, Backspace deletes</source>
        <translation>Escribe cuatro cifras distintas; Intro prueba, Retroceso borra</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete last digit</source>
        <translation>Borrar la última cifra</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hold to clear the code</source>
        <translation>Mantén pulsado para borrar el código</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shoot</source>
        <translation>Probar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Takes the shot of four digits</source>
        <translation>Prueba el intento de cuatro cifras</translation>
    </message>
</context>
<context>
    <name>kestrune::LeaderboardPage</name>
    <message>
        <location filename="../src/gameservice/screens/leaderboardpage.cpp" line="+90"/>
        <source>Loading…</source>
        <translation>Cargando…</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>The game has no leaderboards.</source>
        <translation>El juego no tiene clasificaciones.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>You have no score today yet.</source>
        <translation>Todavía no tienes puntuación hoy.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores today yet.</source>
        <translation>Todavía no hay puntuaciones hoy.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>You have no score this week yet.</source>
        <translation>Todavía no tienes puntuación esta semana.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores this week yet.</source>
        <translation>Todavía no hay puntuaciones esta semana.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>You have no score yet.</source>
        <translation>Todavía no tienes puntuación.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores yet.</source>
        <translation>Todavía no hay puntuaciones.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The scores could not be loaded: %1</source>
        <translation>No se pudieron cargar las puntuaciones: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Your own scores wait on this computer and go out when the service answers.</source>
        <translation>Tus puntuaciones esperan en este ordenador y se enviarán cuando el servicio responda.</translation>
    </message>
    <message numerus="yes">
        <location line="+11"/>
        <source>%Ln players</source>
        <translation>
            <numerusform>%Ln jugador</numerusform>
            <numerusform>%Ln jugadores</numerusform>
        </translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Rank %1</source>
        <translation>Puesto %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 points</source>
        <translation>%1 puntos</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You, %1</source>
        <translation>Tú, %1</translation>
    </message>
</context>
<context>
    <name>kestrune::MenuViewController</name>
    <message>
        <location filename="../src/screens/menu/menuviewcontroller.cpp" line="+95"/>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>New game</source>
        <translation>Nueva partida</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Close the choice of game</source>
        <translation>Cerrar la elección de partida</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Single player</source>
        <translation>Un jugador</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Two players</source>
        <translation>Dos jugadores</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>vs computer</source>
        <translation>Contra el ordenador</translation>
    </message>
</context>
<context>
    <name>kestrune::NavigationBar</name>
    <message>
        <location filename="../src/screens/navigation/navigationbar.cpp" line="+22"/>
        <source>Navigation bar</source>
        <translation>Barra de navegación</translation>
    </message>
</context>
<context>
    <name>kestrune::Onboarding</name>
    <message>
        <location filename="../src/views/onboarding/onboarding.cpp" line="+51"/>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Onboarding</source>
        <translation>Introducción</translation>
    </message>
    <message>
        <location line="+197"/>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Closes the tutorial</source>
        <translation>Cierra el tutorial</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Shows the next page</source>
        <translation>Muestra la página siguiente</translation>
    </message>
</context>
<context>
    <name>kestrune::PageIndicator</name>
    <message>
        <location filename="../src/views/onboarding/pageindicator.cpp" line="+20"/>
        <source>Swipe or use the arrow keys to turn the page</source>
        <translation>Desliza o usa las flechas para pasar de página</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
</context>
<context>
    <name>kestrune::PlayerTurns</name>
    <message>
        <location filename="../src/screens/game/playerturns.cpp" line="+50"/>
        <source>Player %1&apos;s board</source>
        <translation>Tablero del jugador %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Board</source>
        <translation>Tablero</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Pass your device
to Player %1</source>
        <translation>Pasa el dispositivo
al jugador %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Player %1&apos;s turn</source>
        <translation>Turno del jugador %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ResultViewController</name>
    <message>
        <location filename="../src/screens/result/resultviewcontroller.cpp" line="+81"/>
        <source>Result</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Points</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <location line="+146"/>
        <source>Board of player 1</source>
        <translation>Tablero del jugador 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Your board</source>
        <translation>Tu tablero</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Computer&apos;s board</source>
        <translation>Tablero del ordenador</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Board of player 2</source>
        <translation>Tablero del jugador 2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Share your board</source>
        <translation>Compartir tu tablero</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Share player 1&apos;s board</source>
        <translation>Compartir el tablero del jugador 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Share the computer&apos;s board</source>
        <translation>Compartir el tablero del ordenador</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Share player 2&apos;s board</source>
        <translation>Compartir el tablero del jugador 2</translation>
    </message>
    <message numerus="yes">
        <location line="+118"/>
        <source>%n hints</source>
        <translation>
            <numerusform>%n pista</numerusform>
            <numerusform>%n pistas</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Assisted: %1
Not on the leaderboard</source>
        <translation>Con ayuda: %1
Fuera de la clasificación</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Assisted: %1</source>
        <translation>Con ayuda: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>You beat %1&apos;s %2.</source>
        <translation>Has superado la puntuación de %1 (%2).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1&apos;s %2 still stands.</source>
        <translation>La puntuación de %1 (%2) sigue en pie.</translation>
    </message>
    <message numerus="yes">
        <location line="+51"/>
        <source>%n points</source>
        <translation>
            <numerusform>%n punto</numerusform>
            <numerusform>%n puntos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::SaveStatus</name>
    <message>
        <location filename="../src/platform/savestatus.cpp" line="+29"/>
        <source>Kestrune saves your games again</source>
        <translation>Kestrune vuelve a guardar tus partidas</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kestrune cannot save your games: the disk is full</source>
        <translation>Kestrune no puede guardar: disco lleno</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Kestrune cannot save your games: writing fails</source>
        <translation>Kestrune no puede guardar: falla la escritura</translation>
    </message>
</context>
<context>
    <name>kestrune::ServiceScreen</name>
    <message>
        <location filename="../src/gameservice/screens/servicescreen.cpp" line="+73"/>
        <source>Achievement</source>
        <translation>Logro</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+5"/>
        <source>Game service</source>
        <translation>Servicio de juego</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Service pages</source>
        <translation>Páginas del servicio</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Leaderboards</source>
        <translation>Clasificaciones</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Achievements</source>
        <translation>Logros</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Challenges</source>
        <translation>Retos</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+31"/>
        <source>Sign out</source>
        <translation>Cerrar sesión</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Your scores and achievements stay on this computer: sign in under the same name to have them back.</source>
        <translation>Tus puntuaciones y logros se quedan en este ordenador: inicia sesión con el mismo nombre para recuperarlos.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your account stays on %1. To use it again on this computer you need its recovery code.</source>
        <translation>Tu cuenta se queda en %1. Para volver a usarla en este ordenador necesitarás su código de recuperación.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+2"/>
        <source>Sign out?</source>
        <translation>¿Cerrar sesión?</translation>
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
        <translation>No se pudo cargar el progreso: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ShareDialog</name>
    <message>
        <location filename="../src/screens/result/sharedialog.cpp" line="+15"/>
        <source>Save image…</source>
        <translation>Guardar imagen…</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+28"/>
        <source>Copy image</source>
        <translation>Copiar imagen</translation>
    </message>
    <message>
        <location line="-27"/>
        <location line="+29"/>
        <source>Copy text</source>
        <translation>Copiar texto</translation>
    </message>
    <message>
        <location line="-26"/>
        <location line="+1"/>
        <source>Share</source>
        <translation>Compartir</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Board picture</source>
        <translation>Imagen del tablero</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Save image</source>
        <translation>Guardar imagen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saves the picture as a PNG file</source>
        <translation>Guarda la imagen como archivo PNG</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+4"/>
        <location line="+4"/>
        <source>The image could not be saved to %1: %2</source>
        <translation>No se pudo guardar la imagen en %1: %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Kestrune game.png</source>
        <translation>Partida Kestrune.png</translation>
    </message>
</context>
<context>
    <name>kestrune::SignInDialog</name>
    <message>
        <location filename="../src/gameservice/screens/signindialog.cpp" line="+71"/>
        <source>Game service</source>
        <translation>Servicio de juego</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+52"/>
        <location line="+94"/>
        <source>Sign in</source>
        <translation>Iniciar sesión</translation>
    </message>
    <message>
        <location line="-138"/>
        <source>On this computer only</source>
        <translation>Solo en este ordenador</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>On a Kestrune server</source>
        <translation>En un servidor Kestrune</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Server address, e.g. scores.example.org</source>
        <translation>Dirección del servidor, p. ej. scores.example.org</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Server address</source>
        <translation>Dirección del servidor</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Recovery code</source>
        <translation>Código de recuperación</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Player name</source>
        <translation>Nombre de jugador</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Make a new account instead</source>
        <translation>Crear una cuenta nueva</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>I already have an account</source>
        <translation>Ya tengo una cuenta</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Sign in to keep your best scores and achievements.</source>
        <translation>Inicia sesión para guardar tus mejores puntuaciones y logros.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type the recovery code you were given when the account was made. The account moves to this computer.</source>
        <translation>Escribe el código de recuperación que recibiste al crear la cuenta. La cuenta pasará a este ordenador.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sign in to keep your best scores and achievements. On a server, other players see them and can challenge you.</source>
        <translation>Inicia sesión para guardar tus mejores puntuaciones y logros. En un servidor, otros jugadores los ven y pueden retarte.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Your scores and achievements go to the Kestrune server at %1, where other players see them.</source>
        <translation>Tus puntuaciones y logros van al servidor Kestrune de %1, donde otros jugadores los ven.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Signing in…</source>
        <translation>Iniciando sesión…</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Check the server&apos;s address: %1.</source>
        <translation>Comprueba la dirección del servidor: %1.</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Your recovery code</source>
        <translation>Tu código de recuperación</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Recovery code %1</source>
        <translation>Código de recuperación %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Write it down. It brings this account to another computer, and it is shown only this once.</source>
        <translation>Anótalo. Sirve para llevar esta cuenta a otro ordenador y solo se muestra esta vez.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
</context>
<context>
    <name>kestrune::StatisticsViewController</name>
    <message>
        <location filename="../src/screens/statistics/statisticsviewcontroller.cpp" line="+37"/>
        <location line="+1"/>
        <source>Statistics</source>
        <translation>Estadísticas</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Games played</source>
        <translation>Partidas jugadas</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Games won</source>
        <translation>Partidas ganadas</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Games lost</source>
        <translation>Partidas perdidas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Winning percentage</source>
        <translation>Porcentaje de victorias</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Playing time</source>
        <translation>Tiempo de juego</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Avg time to kestrune a code</source>
        <translation>Tiempo medio por código</translation>
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
        <translation>Sin partidas</translation>
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
            <numerusform>%n vict.</numerusform>
            <numerusform>%n vict.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>%n losses</source>
        <translation>
            <numerusform>%n derr.</numerusform>
            <numerusform>%n derr.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n ties</source>
        <translation>
            <numerusform>%n emp.</numerusform>
            <numerusform>%n emp.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Your games on this device</source>
        <translation>Tus partidas en este dispositivo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your matches against the computer, by strength</source>
        <translation>Tus partidas contra el ordenador, por nivel</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Against the computer</source>
        <translation>Contra el ordenador</translation>
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
        <translation>J%1</translation>
    </message>
</context>
<context>
    <name>kestrune::WinLoseBar</name>
    <message>
        <location filename="../src/screens/menu/winlosebar.cpp" line="+52"/>
        <source>No games yet</source>
        <translation>Aún no hay partidas</translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n wins</source>
        <translation>
            <numerusform>%n victoria</numerusform>
            <numerusform>%n victorias</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n losses</source>
        <translation>
            <numerusform>%n derrota</numerusform>
            <numerusform>%n derrotas</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
</TS>
