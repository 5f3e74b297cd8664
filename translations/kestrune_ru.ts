<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>CatalogueText</name>
    <message>
        <location filename="../src/gameservice/screens/cataloguetext.cpp" line="+13"/>
        <source>Single player</source>
        <extracomment>A leaderboard&apos;s name</extracomment>
        <translation>Одиночная игра</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>First Break</source>
        <translation>Первый взлом</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break your first code in a single-player game.</source>
        <translation>Разгадай свой первый код в одиночной игре.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Codebreaker</source>
        <translation>Взломщик кодов</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Win 50 single-player games.</source>
        <translation>Выиграй 50 одиночных игр.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cipher Centurion</source>
        <translation>Центурион шифров</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Win 100 single-player games.</source>
        <translation>Выиграй 100 одиночных игр.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Regular</source>
        <translation>Завсегдатай</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play 50 single-player games, won or lost.</source>
        <translation>Сыграй 50 одиночных игр, с победой или без.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Devoted</source>
        <translation>Преданность</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play 100 single-player games, won or lost.</source>
        <translation>Сыграй 100 одиночных игр, с победой или без.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Blind Luck</source>
        <translation>Слепая удача</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break the code with your very first shot.</source>
        <translation>Разгадай код с самого первого выстрела.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quick Thinker</source>
        <translation>Быстрый ум</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break a code within 20 seconds of your first shot.</source>
        <translation>Разгадай код за 20 секунд после первого выстрела.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stubborn Streak</source>
        <translation>Упрямство</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fire the same shot twice in a row.</source>
        <translation>Сделай один и тот же выстрел два раза подряд.</translation>
    </message>
</context>
<context>
    <name>ChallengeDialog</name>
    <message>
        <location filename="../src/gameservice/screens/challengedialog.ui" line="+6"/>
        <location line="+9"/>
        <source>Challenge a player</source>
        <translation>Бросить вызов игроку</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Players</source>
        <translation>Игроки</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Message</source>
        <translation>Сообщение</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A message (optional)</source>
        <translation>Сообщение (необязательно)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Loading players…</source>
        <translation>Загрузка игроков…</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Send</source>
        <translation>Отправить</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Send challenge</source>
        <translation>Отправить вызов</translation>
    </message>
</context>
<context>
    <name>ChallengesPage</name>
    <message>
        <location filename="../src/gameservice/screens/challengespage.ui" line="+20"/>
        <source>Loading…</source>
        <translation>Загрузка…</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Received challenges</source>
        <translation>Полученные вызовы</translation>
    </message>
</context>
<context>
    <name>GamePrompts</name>
    <message>
        <location filename="../src/screens/game/gameprompts.cpp" line="+29"/>
        <location line="+55"/>
        <location line="+2"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location line="-44"/>
        <source>Quit</source>
        <translation>Выйти</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Do you want to quit?</source>
        <translation>Выйти из игры?</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All progress will be lost.</source>
        <translation>Весь прогресс будет потерян.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Use hint</source>
        <translation>Взять подсказку</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Use a hint?</source>
        <translation>Взять подсказку?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A hint shows how many codes are left and types a good shot. A match won with hints stays off the leaderboard.</source>
        <translation>Подсказка показывает, сколько кодов осталось, и набирает хороший выстрел. Партия, выигранная с подсказками, не попадает в таблицу лидеров.</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+4"/>
        <source>Computer strength</source>
        <translation>Уровень компьютера</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>How well should the computer play?</source>
        <translation>Насколько сильно играть компьютеру?</translation>
    </message>
</context>
<context>
    <name>GameResultView</name>
    <message>
        <location filename="../src/screens/result/gameresultview.ui" line="+27"/>
        <source>Board</source>
        <translation>Поле</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Slides the card in or out</source>
        <translation>Выдвигает или убирает карточку</translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+2"/>
        <source>Share</source>
        <translation>Поделиться</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Saves or copies the picture of this board</source>
        <translation>Сохраняет или копирует картинку этого поля</translation>
    </message>
</context>
<context>
    <name>HttpTransportLoader</name>
    <message>
        <location filename="../src/gameservice/network/transport/httptransportloader.cpp" line="+90"/>
        <source>The network module %1 was not found (looked in: %2)</source>
        <translation>Сетевой модуль %1 не найден (искали в: %2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The network module could not be loaded: %1</source>
        <translation>Не удалось загрузить сетевой модуль: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The network module %1 does not fit this version of the game (interface version %2)</source>
        <translation>Сетевой модуль %1 не подходит к этой версии игры (версия интерфейса %2)</translation>
    </message>
</context>
<context>
    <name>LeaderboardPage</name>
    <message>
        <location filename="../src/gameservice/screens/leaderboardpage.ui" line="+14"/>
        <source>Leaderboard</source>
        <translation>Таблица лидеров</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Today</source>
        <translation>Сегодня</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scores made today (UTC)</source>
        <translation>Результаты за сегодня (UTC)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>This week</source>
        <translation>За неделю</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scores made this week, Monday to Sunday (UTC)</source>
        <translation>Результаты этой недели, с понедельника по воскресенье (UTC)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>All time</source>
        <translation>За всё время</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The best scores ever made</source>
        <translation>Лучшие результаты за всё время</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Top 50</source>
        <translation>Топ-50</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The 50 best players</source>
        <translation>50 лучших игроков</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Around me</source>
        <translation>Рядом со мной</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The players just above and below you</source>
        <translation>Игроки чуть выше и чуть ниже тебя</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Scores</source>
        <translation>Результаты</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Rank</source>
        <translation>Место</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player</source>
        <translation>Игрок</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Score</source>
        <translation>Очки</translation>
    </message>
</context>
<context>
    <name>LocalPlayer</name>
    <message>
        <location filename="../src/gameservice/kit/localplayer.cpp" line="+12"/>
        <source>The player declined to sign in.</source>
        <translation>Игрок отказался от входа.</translation>
    </message>
    <message>
        <location line="+77"/>
        <location line="+107"/>
        <source>No player is signed in.</source>
        <translation>Вход не выполнен.</translation>
    </message>
    <message>
        <location line="-90"/>
        <source>A player needs a name.</source>
        <translation>У игрока должно быть имя.</translation>
    </message>
</context>
<context>
    <name>LocalServiceBackend</name>
    <message>
        <location filename="../src/gameservice/local/localservicebackend.cpp" line="+90"/>
        <source>This player is not known to the service.</source>
        <translation>Сервис не знает этого игрока.</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>the damaged file could not be set aside</source>
        <translation>повреждённый файл не удалось отложить</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+7"/>
        <source>The service could not store the data: %1</source>
        <translation>Сервису не удалось сохранить данные: %1</translation>
    </message>
</context>
<context>
    <name>ManagerReporting</name>
    <message>
        <location filename="../src/gameservice/client/managerreporting.cpp" line="+194"/>
        <source>Could not save achievement because necessary data is missing. GameService needs an Achievement ID and Percent Completed to save the achievement. You provided the following data:
Achievement: %1
Percent Completed:%2</source>
        <translation>Не удалось сохранить достижение: не хватает данных. Чтобы сохранить достижение, GameService нужны его ID и процент выполнения. Переданы данные:
Достижение: %1
Процент выполнения:%2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Internet unavailable - could not connect to the internet. Connect to WiFi or a Cellular Network to upload data to GameService.</source>
        <translation>Интернет недоступен — не удалось подключиться к интернету. Подключись к Wi-Fi или мобильной сети, чтобы отправить данные в GameService.</translation>
    </message>
</context>
<context>
    <name>ManagerScreens</name>
    <message>
        <location filename="../src/gameservice/client/managerscreens.cpp" line="+77"/>
        <location line="+32"/>
        <source>GameService Unavailable</source>
        <translation>GameService недоступен</translation>
    </message>
    <message>
        <location line="-30"/>
        <source>Challenge class is not available. Challenges need a newer system version. Current system version: %1</source>
        <translation>Вызовы недоступны: для них нужна более новая версия системы. Текущая версия системы: %1</translation>
    </message>
</context>
<context>
    <name>ManagerSync</name>
    <message>
        <location filename="../src/gameservice/client/managersync.cpp" line="+70"/>
        <source>GameService unavailable.</source>
        <translation>GameService недоступен.</translation>
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
        <translation>Загаданные
коды: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The code you were
looking for: %1</source>
        <translation>Загаданный
код: %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+16"/>
        <source>You have won!</source>
        <translation>Победа!</translation>
    </message>
    <message numerus="yes">
        <location line="-7"/>
        <source>Round #%1
%n seconds</source>
        <translation>
            <numerusform>Раунд %1
%n секунда</numerusform>
            <numerusform>Раунд %1
%n секунды</numerusform>
            <numerusform>Раунд %1
%n секунд</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Round #%1 in %n seconds</source>
        <translation>
            <numerusform>Раунд %1 за %n секунду</numerusform>
            <numerusform>Раунд %1 за %n секунды</numerusform>
            <numerusform>Раунд %1 за %n секунд</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The computer has won!</source>
        <translation>Компьютер победил!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Player #%1 has won!</source>
        <translation>Победил игрок %1!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>It is a tie!</source>
        <translation>Ничья!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>You have lost!</source>
        <translation>Поражение!</translation>
    </message>
</context>
<context>
    <name>MenuViewController</name>
    <message>
        <location filename="../src/screens/menu/menuviewcontroller.ui" line="+17"/>
        <source>Quotation</source>
        <translation>Цитата</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Author of the quotation</source>
        <translation>Автор цитаты</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+1"/>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>Achievements</source>
        <translation>Достижения</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>New game</source>
        <translation>Новая игра</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Opens the choice of a game: single player, two players or against the computer</source>
        <translation>Открывает выбор игры: один игрок, два игрока или против компьютера</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Games won and lost</source>
        <translation>Выигранные и проигранные игры</translation>
    </message>
</context>
<context>
    <name>NetworkServiceBackend</name>
    <message>
        <location filename="../src/gameservice/network/networkservicebackend.cpp" line="+84"/>
        <source>The server&apos;s answer lacks the account.</source>
        <translation>В ответе сервера нет аккаунта.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The account could not be kept on this computer: %1</source>
        <translation>Не удалось сохранить аккаунт на этом компьютере: %1</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>The account could not be forgotten: %1</source>
        <translation>Не удалось забыть аккаунт: %1</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>No network transport.</source>
        <translation>Нет сетевого транспорта.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The server asked to wait; trying again in %1 s.</source>
        <translation>Сервер просит подождать; повтор через %1 с.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No player is signed in on this server.</source>
        <translation>На этом сервере вход не выполнен.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The server no longer knows this computer&apos;s account (it may have moved to another computer with its recovery code). Sign in again.</source>
        <translation>Сервер больше не знает аккаунт этого компьютера (возможно, его перенесли на другой компьютер с помощью кода восстановления). Войди снова.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The server&apos;s answer to %1 is not JSON.</source>
        <translation>Ответ сервера на %1 — не JSON.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The server %1 did not answer: %2</source>
        <translation>Сервер %1 не ответил: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>status %1</source>
        <translation>статус %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The server does not know this player: %1</source>
        <translation>Сервер не знает этого игрока: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The server is busy: %1</source>
        <translation>Сервер занят: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The server refused: %1</source>
        <translation>Сервер отказал: %1</translation>
    </message>
    <message>
        <location line="+79"/>
        <source>Progress must be a number.</source>
        <translation>Прогресс должен быть числом.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/screens/game/gameviewcontroller.cpp" line="+50"/>
        <source>Game, one player</source>
        <translation>Игра, один игрок</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Game, two players</source>
        <translation>Игра, два игрока</translation>
    </message>
    <message>
        <location filename="../src/screens/result/sharedialog.cpp" line="+26"/>
        <location line="+6"/>
        <source>Save image</source>
        <translation>Сохранить картинку</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>PNG image (*.png)</source>
        <translation>Картинка PNG (*.png)</translation>
    </message>
</context>
<context>
    <name>ResultViewController</name>
    <message>
        <location filename="../src/screens/result/resultviewcontroller.ui" line="+18"/>
        <source>Menu</source>
        <translation>Меню</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back to the menu (Escape)</source>
        <translation>Назад в меню (клавиша Escape)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back to the menu (Esc)</source>
        <translation>Назад в меню (Esc)</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Points</source>
        <translation>Очки</translation>
    </message>
    <message>
        <location line="+37"/>
        <location line="+1"/>
        <source>Play again</source>
        <translation>Сыграть ещё</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starts a new match with the same players</source>
        <translation>Начинает новую партию с теми же игроками</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Challenge a player</source>
        <translation>Бросить вызов</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Asks another player to beat this score</source>
        <translation>Предлагает другому игроку побить этот результат</translation>
    </message>
</context>
<context>
    <name>ScreenSaverIdleTimer</name>
    <message>
        <location filename="../src/platform/device/screensaveridletimer.cpp" line="+61"/>
        <source>A match is being played</source>
        <extracomment>Why the screen saver waits, as the desktop may show it</extracomment>
        <translation>Идёт партия</translation>
    </message>
</context>
<context>
    <name>ServerAddress</name>
    <message>
        <location filename="../src/gameservice/network/serveraddress.cpp" line="+16"/>
        <source>a server address is needed</source>
        <translation>нужен адрес сервера</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&apos;%1&apos; is not a server address</source>
        <translation>«%1» — не адрес сервера</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&apos;%1&apos;: only http and https servers are spoken to</source>
        <translation>«%1»: поддерживаются только серверы http и https</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;%1&apos;: a server address carries no name or password</source>
        <translation>«%1»: адрес сервера не содержит имени или пароля</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;%1&apos;: give the server alone, without a path</source>
        <translation>«%1»: укажи только сервер, без пути</translation>
    </message>
</context>
<context>
    <name>ServiceBackend</name>
    <message>
        <location filename="../src/gameservice/kit/servicebackend.h" line="+56"/>
        <source>This service stays where it is.</source>
        <translation>Этот сервис нельзя перенести.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>This service has no recovery codes.</source>
        <translation>У этого сервиса нет кодов восстановления.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>This service keeps only the best scores of all time.</source>
        <translation>Этот сервис хранит только лучшие результаты за всё время.</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+7"/>
        <source>Challenges need a Kestrune server.</source>
        <translation>Для вызовов нужен сервер Kestrune.</translation>
    </message>
</context>
<context>
    <name>ServiceKit</name>
    <message>
        <location filename="../src/gameservice/kit/servicekit.cpp" line="+18"/>
        <source>No player is signed in.</source>
        <translation>Вход не выполнен.</translation>
    </message>
</context>
<context>
    <name>ServiceRouter</name>
    <message>
        <location filename="../src/gameservice/client/servicerouter.cpp" line="+27"/>
        <source>Sign out before keeping your scores elsewhere.</source>
        <translation>Выйди из аккаунта, прежде чем хранить результаты в другом месте.</translation>
    </message>
</context>
<context>
    <name>ShareText</name>
    <message numerus="yes">
        <location filename="../src/game/sharetext.cpp" line="+18"/>
        <source>%n shots</source>
        <translation>
            <numerusform>%n выстрел</numerusform>
            <numerusform>%n выстрела</numerusform>
            <numerusform>%n выстрелов</numerusform>
        </translation>
    </message>
    <message>
        <location line="+13"/>
        <source>I won</source>
        <translation>победа за мной</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>the computer won</source>
        <translation>победил компьютер</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player %1 won</source>
        <translation>победил игрок %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a tie</source>
        <translation>ничья</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>nobody broke the code</source>
        <translation>код никто не разгадал</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not finished yet</source>
        <translation>партия ещё идёт</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Me</source>
        <translation>Я</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Computer</source>
        <translation>Компьютер</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Player %1</source>
        <translation>Игрок %1</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>broke the code in %1 (%2)</source>
        <translation>код разгадан за %1 (%2)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>did not break the code in %1</source>
        <translation>код не разгадан за %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 so far</source>
        <translation>пока %1</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Kestrune: %1</source>
        <translation>Kestrune: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>against the computer (%1)</source>
        <translation>против компьютера (%1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>two players</source>
        <translation>два игрока</translation>
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
        <translation>Это запись моей последней игры. Попробуй и ты!</translation>
    </message>
</context>
<context>
    <name>StatisticsViewController</name>
    <message>
        <location filename="../src/screens/statistics/statisticsviewcontroller.ui" line="+55"/>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Against the computer</source>
        <translation>Против компьютера</translation>
    </message>
</context>
<context>
    <name>TimeText</name>
    <message>
        <location filename="../src/game/timetext.cpp" line="+49"/>
        <source>%1 h %2 min</source>
        <extracomment>Hours and minutes, abbreviated</extracomment>
        <translation>%1 ч %2 мин</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 h</source>
        <extracomment>Hours, abbreviated</extracomment>
        <translation>%1 ч</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 min %2 s</source>
        <extracomment>Minutes and seconds, abbreviated</extracomment>
        <translation>%1 мин %2 с</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 min</source>
        <extracomment>Minutes, abbreviated</extracomment>
        <translation>%1 мин</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 s</source>
        <extracomment>Seconds, abbreviated</extracomment>
        <translation>%1 с</translation>
    </message>
</context>
<context>
    <name>Tutorial</name>
    <message>
        <location filename="../src/views/onboarding/tutorial.cpp" line="+36"/>
        <source>Classic puzzle based game</source>
        <translation>Классическая головоломка</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The goal is to break a 4-digit code, where each digit is different, in the fewest number of guesses.</source>
        <translation>Цель — разгадать четырёхзначный код из неповторяющихся цифр за наименьшее число выстрелов.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Black indicator pegs</source>
        <translation>Чёрные точки</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each black peg means that one of the guessed digits is correct, and is in the right position.</source>
        <translation>Каждая чёрная точка — «бык»: одна из цифр угадана и стоит на своём месте.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>White indicator pegs</source>
        <translation>Белые точки</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each white peg means that one of the guessed digits is correct, but is in the wrong position.</source>
        <translation>Каждая белая точка — «корова»: одна из цифр угадана, но стоит не на своём месте.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Indicator pegs</source>
        <translation>Точки</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The order of the white and black pegs does not matter.</source>
        <translation>Порядок белых и чёрных точек значения не имеет.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Single player</source>
        <translation>Один игрок</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Guesses and feedback continue to appear alternately until either the code is guessed, or ten incorrect guesses have been made.</source>
        <translation>Выстрелы и ответы чередуются, пока код не разгадан или не сделано десять неудачных выстрелов.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Two players</source>
        <translation>Два игрока</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Players guess different codes. As the first player has a logical advantage, if they find the code, the second player has one more shot, and if they also succeed, it is a tie.</source>
        <translation>Игроки разгадывают разные коды. У первого игрока есть преимущество, поэтому, если он найдёт код, второй получает ещё один выстрел, и если он тоже угадает — ничья.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Tutorial</source>
        <translation>Обучение</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DONE</source>
        <translation>ГОТОВО</translation>
    </message>
</context>
<context>
    <name>kestrune::BoardView</name>
    <message>
        <location filename="../src/views/board/boardview.cpp" line="+39"/>
        <source>Board</source>
        <translation>Поле</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>Shot %1: %2, %3</source>
        <translation>Выстрел %1: %2, %3</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Shot %1, typing: %2</source>
        <translation>Выстрел %1, ввод: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shot %1: empty</source>
        <translation>Выстрел %1: пусто</translation>
    </message>
</context>
<context>
    <name>kestrune::BulletsView</name>
    <message numerus="yes">
        <location filename="../src/views/dots/bulletsview.cpp" line="+32"/>
        <source>%n bulls</source>
        <extracomment>Digits in the right place</extracomment>
        <translation>
            <numerusform>%n бык</numerusform>
            <numerusform>%n быка</numerusform>
            <numerusform>%n быков</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n cows</source>
        <extracomment>Digits in the code but in the wrong place</extracomment>
        <translation>
            <numerusform>%n корова</numerusform>
            <numerusform>%n коровы</numerusform>
            <numerusform>%n коров</numerusform>
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
        <translation>Кто побьёт твой результат %1?</translation>
    </message>
    <message>
        <location line="+68"/>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, best score %2</source>
        <translation>%1, лучший результат %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Nobody else is on the leaderboard yet.</source>
        <translation>В таблице лидеров пока больше никого нет.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The players could not be loaded: %1</source>
        <translation>Не удалось загрузить игроков: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pick a player.</source>
        <translation>Выбери игрока.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Sending…</source>
        <translation>Отправка…</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Not sent: %1</source>
        <translation>Не отправлено: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Challenge sent to %1.</source>
        <translation>Вызов отправлен: %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Done</source>
        <translation>Готово</translation>
    </message>
</context>
<context>
    <name>kestrune::ChallengeRow</name>
    <message>
        <location filename="../src/gameservice/screens/challengerow.cpp" line="+18"/>
        <source>A player</source>
        <translation>Игрок</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Play it</source>
        <translation>Сыграть</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dismiss</source>
        <translation>Отклонить</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Challenge from %1</source>
        <translation>%1 бросает тебе вызов</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 — beat %2</source>
        <translation>%1 — побей %2</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Dismiss %1&apos;s challenge</source>
        <translation>Отклонить вызов: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Play %1&apos;s challenge</source>
        <translation>Принять вызов: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ChallengesPage</name>
    <message>
        <location filename="../src/gameservice/screens/challengespage.cpp" line="+73"/>
        <source>Challenges need a Kestrune server. On this computer there are no other players to send them.</source>
        <translation>Для вызовов нужен сервер Kestrune. На этом компьютере нет других игроков, которые могли бы их прислать.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Challenges could not be loaded: %1</source>
        <translation>Не удалось загрузить вызовы: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+52"/>
        <source>No challenges. Players who want to beat you send them here.</source>
        <translation>Вызовов нет. Здесь появятся вызовы от игроков, которые хотят тебя обыграть.</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>The challenge could not be dismissed: %1</source>
        <translation>Не удалось отклонить вызов: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::CompletionBanner</name>
    <message>
        <location filename="../src/gameservice/screens/completionbanner.cpp" line="+21"/>
        <source>Achievement complete</source>
        <translation>Достижение получено</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Achievement complete: %1</source>
        <translation>Достижение получено: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerBoardView</name>
    <message>
        <location filename="../src/views/board/computerboardview.cpp" line="+43"/>
        <location line="+19"/>
        <source>Computer&apos;s board</source>
        <translation>Поле компьютера</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Computer · %1</source>
        <translation>Компьютер · %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 · thinking…</source>
        <translation>%1 · думает…</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Your turn</source>
        <translation>Твой ход</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Thinking…</source>
        <translation>Думает…</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Computer: %1, %2</source>
        <translation>Компьютер: %1, %2</translation>
    </message>
    <message>
        <location line="+130"/>
        <source>Computer&apos;s shot %1: %2, %3</source>
        <translation>Выстрел компьютера %1: %2, %3</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Computer&apos;s shot %1: empty</source>
        <translation>Выстрел компьютера %1: пусто</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerMatch</name>
    <message>
        <location filename="../src/screens/game/computermatch.cpp" line="+161"/>
        <source>The computer&apos;s strength, chosen before the first shot</source>
        <translation>Уровень компьютера, выбирается до первого выстрела</translation>
    </message>
</context>
<context>
    <name>kestrune::ComputerStrengths</name>
    <message>
        <location filename="../src/game/computer/computerstrength.cpp" line="+52"/>
        <source>Easy</source>
        <extracomment>How well the computer opponent plays</extracomment>
        <translation>Лёгкий</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Normal</source>
        <extracomment>How well the computer opponent plays</extracomment>
        <translation>Средний</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Hard</source>
        <extracomment>How well the computer opponent plays</extracomment>
        <translation>Сложный</translation>
    </message>
</context>
<context>
    <name>kestrune::FaceToFacePlay</name>
    <message>
        <location filename="../src/screens/game/facetofaceplay.cpp" line="+34"/>
        <source>Player 1&apos;s side, upside down</source>
        <translation>Сторона игрока 1, вверх ногами</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>One board</source>
        <translation>Одно поле</translation>
    </message>
</context>
<context>
    <name>kestrune::GameBar</name>
    <message>
        <location filename="../src/screens/game/gamebar.cpp" line="+23"/>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Help (F1)</source>
        <translation>Справка (F1)</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Simultaneous play</source>
        <translation>Одновременная игра</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Player %1&apos;s turn</source>
        <translation>Ход игрока %1</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Time of the game</source>
        <translation>Время игры</translation>
    </message>
</context>
<context>
    <name>kestrune::GameViewController</name>
    <message>
        <location filename="../src/screens/game/gameviewcontroller.cpp" line="+203"/>
        <source>Game against the computer</source>
        <translation>Игра против компьютера</translation>
    </message>
</context>
<context>
    <name>kestrune::HintButton</name>
    <message>
        <location filename="../src/screens/game/hintbutton.cpp" line="+36"/>
        <source>Hint, working</source>
        <translation>Подсказка, идёт расчёт</translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>Hint, %n left</source>
        <translation>
            <numerusform>Подсказка, осталась %n</numerusform>
            <numerusform>Подсказка, осталось %n</numerusform>
            <numerusform>Подсказка, осталось %n</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Working out a hint</source>
        <translation>Подсказка рассчитывается</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hint (H): shows how many codes are left and types a good shot</source>
        <translation>Подсказка (H): показывает, сколько кодов осталось, и набирает хороший выстрел</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No hints left</source>
        <translation>Подсказок больше нет</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Key: H</source>
        <translation>Клавиша: H</translation>
    </message>
</context>
<context>
    <name>kestrune::HintControl</name>
    <message numerus="yes">
        <location filename="../src/screens/game/hintcontrol.cpp" line="+109"/>
        <source>%n codes left</source>
        <extracomment>How many codes still fit what the shots said</extracomment>
        <translation>
            <numerusform>Остался %n код</numerusform>
            <numerusform>Осталось %n кода</numerusform>
            <numerusform>Осталось %n кодов</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1. Suggested shot: %2</source>
        <translation>%1. Предлагаемый выстрел: %2</translation>
    </message>
</context>
<context>
    <name>kestrune::KeyboardView</name>
    <message>
        <location filename="../src/views/keyboard/keyboardview.cpp" line="+53"/>
        <source>Keypad</source>
        <translation>Клавиатура</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Type four different digits; Return shoots, Backspace deletes</source>
        <translation>Набери четыре разные цифры; Enter — выстрел, Backspace — стереть</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete last digit</source>
        <translation>Стереть последнюю цифру</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hold to clear the code</source>
        <translation>Удерживай, чтобы стереть весь код</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shoot</source>
        <translation>Выстрелить</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Takes the shot of four digits</source>
        <translation>Делает выстрел из четырёх цифр</translation>
    </message>
</context>
<context>
    <name>kestrune::LeaderboardPage</name>
    <message>
        <location filename="../src/gameservice/screens/leaderboardpage.cpp" line="+90"/>
        <source>Loading…</source>
        <translation>Загрузка…</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>The game has no leaderboards.</source>
        <translation>У игры нет таблиц лидеров.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>You have no score today yet.</source>
        <translation>Сегодня у тебя ещё нет результата.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores today yet.</source>
        <translation>Сегодня результатов ещё нет.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>You have no score this week yet.</source>
        <translation>На этой неделе у тебя ещё нет результата.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores this week yet.</source>
        <translation>На этой неделе результатов ещё нет.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>You have no score yet.</source>
        <translation>У тебя ещё нет результата.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No scores yet.</source>
        <translation>Результатов ещё нет.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The scores could not be loaded: %1</source>
        <translation>Не удалось загрузить результаты: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Your own scores wait on this computer and go out when the service answers.</source>
        <translation>Твои результаты ждут на этом компьютере и будут отправлены, когда сервис ответит.</translation>
    </message>
    <message numerus="yes">
        <location line="+11"/>
        <source>%Ln players</source>
        <translation>
            <numerusform>%Ln игрок</numerusform>
            <numerusform>%Ln игрока</numerusform>
            <numerusform>%Ln игроков</numerusform>
        </translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Rank %1</source>
        <translation>Место %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 points</source>
        <translation>Очков: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You, %1</source>
        <translation>Ты, %1</translation>
    </message>
</context>
<context>
    <name>kestrune::MenuViewController</name>
    <message>
        <location filename="../src/screens/menu/menuviewcontroller.cpp" line="+95"/>
        <source>Menu</source>
        <translation>Меню</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Home</source>
        <translation>Главная</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>New game</source>
        <translation>Новая игра</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Close the choice of game</source>
        <translation>Закрыть выбор игры</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Single player</source>
        <translation>Один игрок</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Two players</source>
        <translation>Два игрока</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>vs computer</source>
        <translation>Против компьютера</translation>
    </message>
</context>
<context>
    <name>kestrune::NavigationBar</name>
    <message>
        <location filename="../src/screens/navigation/navigationbar.cpp" line="+22"/>
        <source>Navigation bar</source>
        <translation>Панель навигации</translation>
    </message>
</context>
<context>
    <name>kestrune::Onboarding</name>
    <message>
        <location filename="../src/views/onboarding/onboarding.cpp" line="+51"/>
        <source>Done</source>
        <translation>Готово</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Onboarding</source>
        <translation>Знакомство с игрой</translation>
    </message>
    <message>
        <location line="+197"/>
        <source>Next</source>
        <translation>Далее</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Closes the tutorial</source>
        <translation>Закрывает обучение</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Shows the next page</source>
        <translation>Показывает следующую страницу</translation>
    </message>
</context>
<context>
    <name>kestrune::PageIndicator</name>
    <message>
        <location filename="../src/views/onboarding/pageindicator.cpp" line="+20"/>
        <source>Swipe or use the arrow keys to turn the page</source>
        <translation>Листай свайпом или клавишами со стрелками</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Page %1 of %2</source>
        <translation>Страница %1 из %2</translation>
    </message>
</context>
<context>
    <name>kestrune::PlayerTurns</name>
    <message>
        <location filename="../src/screens/game/playerturns.cpp" line="+50"/>
        <source>Player %1&apos;s board</source>
        <translation>Поле игрока %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Board</source>
        <translation>Поле</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Pass your device
to Player %1</source>
        <translation>Передай ход
игроку %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Player %1&apos;s turn</source>
        <translation>Ход игрока %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ResultViewController</name>
    <message>
        <location filename="../src/screens/result/resultviewcontroller.cpp" line="+81"/>
        <source>Result</source>
        <translation>Результат</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Points</source>
        <translation>Очки</translation>
    </message>
    <message>
        <location line="+146"/>
        <source>Board of player 1</source>
        <translation>Поле игрока 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Your board</source>
        <translation>Твоё поле</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Computer&apos;s board</source>
        <translation>Поле компьютера</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Board of player 2</source>
        <translation>Поле игрока 2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Share your board</source>
        <translation>Поделиться своим полем</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Share player 1&apos;s board</source>
        <translation>Поделиться полем игрока 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Share the computer&apos;s board</source>
        <translation>Поделиться полем компьютера</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Share player 2&apos;s board</source>
        <translation>Поделиться полем игрока 2</translation>
    </message>
    <message numerus="yes">
        <location line="+118"/>
        <source>%n hints</source>
        <translation>
            <numerusform>%n подсказка</numerusform>
            <numerusform>%n подсказки</numerusform>
            <numerusform>%n подсказок</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Assisted: %1
Not on the leaderboard</source>
        <translation>С помощью (%1)
Не в таблице лидеров</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Assisted: %1</source>
        <translation>С помощью (%1)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>You beat %1&apos;s %2.</source>
        <translation>Результат игрока %1 (%2) побит!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1&apos;s %2 still stands.</source>
        <translation>Результат игрока %1 (%2) не побит.</translation>
    </message>
    <message numerus="yes">
        <location line="+51"/>
        <source>%n points</source>
        <translation>
            <numerusform>%n очко</numerusform>
            <numerusform>%n очка</numerusform>
            <numerusform>%n очков</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::SaveStatus</name>
    <message>
        <location filename="../src/platform/savestatus.cpp" line="+29"/>
        <source>Kestrune saves your games again</source>
        <translation>Kestrune снова сохраняет твои игры</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kestrune cannot save your games: the disk is full</source>
        <translation>Kestrune не может сохранить твои игры: диск заполнен</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Kestrune cannot save your games: writing fails</source>
        <translation>Kestrune не может сохранить твои игры: ошибка записи</translation>
    </message>
</context>
<context>
    <name>kestrune::ServiceScreen</name>
    <message>
        <location filename="../src/gameservice/screens/servicescreen.cpp" line="+73"/>
        <source>Achievement</source>
        <translation>Достижение</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Progress</source>
        <translation>Прогресс</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+5"/>
        <source>Game service</source>
        <translation>Игровой сервис</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Service pages</source>
        <translation>Страницы сервиса</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Leaderboards</source>
        <translation>Таблицы лидеров</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Achievements</source>
        <translation>Достижения</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Challenges</source>
        <translation>Вызовы</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+31"/>
        <source>Sign out</source>
        <translation>Выйти</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Your scores and achievements stay on this computer: sign in under the same name to have them back.</source>
        <translation>Твои результаты и достижения останутся на этом компьютере: войди под тем же именем, чтобы вернуть их.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your account stays on %1. To use it again on this computer you need its recovery code.</source>
        <translation>Твой аккаунт остаётся на %1. Чтобы снова пользоваться им на этом компьютере, нужен его код восстановления.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+2"/>
        <source>Sign out?</source>
        <translation>Выйти из аккаунта?</translation>
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
        <translation>Не удалось загрузить прогресс: %1</translation>
    </message>
</context>
<context>
    <name>kestrune::ShareDialog</name>
    <message>
        <location filename="../src/screens/result/sharedialog.cpp" line="+15"/>
        <source>Save image…</source>
        <translation>Сохранить…</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+28"/>
        <source>Copy image</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <location line="-27"/>
        <location line="+29"/>
        <source>Copy text</source>
        <translation>Копировать текст</translation>
    </message>
    <message>
        <location line="-26"/>
        <location line="+1"/>
        <source>Share</source>
        <translation>Поделиться</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Board picture</source>
        <translation>Картинка поля</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Save image</source>
        <translation>Сохранить картинку</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saves the picture as a PNG file</source>
        <translation>Сохраняет картинку в файл PNG</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+4"/>
        <location line="+4"/>
        <source>The image could not be saved to %1: %2</source>
        <translation>Не удалось сохранить картинку в %1: %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Kestrune game.png</source>
        <translation>Игра Kestrune.png</translation>
    </message>
</context>
<context>
    <name>kestrune::SignInDialog</name>
    <message>
        <location filename="../src/gameservice/screens/signindialog.cpp" line="+71"/>
        <source>Game service</source>
        <translation>Игровой сервис</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+52"/>
        <location line="+94"/>
        <source>Sign in</source>
        <translation>Войти</translation>
    </message>
    <message>
        <location line="-138"/>
        <source>On this computer only</source>
        <translation>Только на этом компьютере</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>On a Kestrune server</source>
        <translation>На сервере Kestrune</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Server address, e.g. scores.example.org</source>
        <translation>Адрес сервера, напр. scores.example.org</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Server address</source>
        <translation>Адрес сервера</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Recovery code</source>
        <translation>Код восстановления</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Player name</source>
        <translation>Имя игрока</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Make a new account instead</source>
        <translation>Лучше создать новый аккаунт</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>I already have an account</source>
        <translation>У меня уже есть аккаунт</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Sign in to keep your best scores and achievements.</source>
        <translation>Войди, чтобы сохранять свои лучшие результаты и достижения.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type the recovery code you were given when the account was made. The account moves to this computer.</source>
        <translation>Введи код восстановления, выданный при создании аккаунта. Аккаунт переедет на этот компьютер.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sign in to keep your best scores and achievements. On a server, other players see them and can challenge you.</source>
        <translation>Войди, чтобы сохранять свои лучшие результаты и достижения. На сервере их видят другие игроки и могут бросить тебе вызов.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Your scores and achievements go to the Kestrune server at %1, where other players see them.</source>
        <translation>Твои результаты и достижения отправляются на сервер Kestrune по адресу %1, где их видят другие игроки.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Signing in…</source>
        <translation>Вход…</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Check the server&apos;s address: %1.</source>
        <translation>Проверь адрес сервера: %1.</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Your recovery code</source>
        <translation>Твой код восстановления</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Recovery code %1</source>
        <translation>Код восстановления %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Write it down. It brings this account to another computer, and it is shown only this once.</source>
        <translation>Запиши его. С ним этот аккаунт можно перенести на другой компьютер, а показывается он только один раз.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Done</source>
        <translation>Готово</translation>
    </message>
</context>
<context>
    <name>kestrune::StatisticsViewController</name>
    <message>
        <location filename="../src/screens/statistics/statisticsviewcontroller.cpp" line="+37"/>
        <location line="+1"/>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Games played</source>
        <translation>Сыграно игр</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Games won</source>
        <translation>Выиграно игр</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Games lost</source>
        <translation>Проиграно игр</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Winning percentage</source>
        <translation>Процент побед</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Playing time</source>
        <translation>Время в игре</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Avg time to kestrune a code</source>
        <translation>Ср. время разгадки</translation>
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
        <translation>н/д</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>No matches yet</source>
        <translation>Партий ещё нет</translation>
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
            <numerusform>%n поб.</numerusform>
            <numerusform>%n поб.</numerusform>
            <numerusform>%n поб.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>%n losses</source>
        <translation>
            <numerusform>%n пор.</numerusform>
            <numerusform>%n пор.</numerusform>
            <numerusform>%n пор.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n ties</source>
        <translation>
            <numerusform>%n нич.</numerusform>
            <numerusform>%n нич.</numerusform>
            <numerusform>%n нич.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Your games on this device</source>
        <translation>Твои игры на этом устройстве</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your matches against the computer, by strength</source>
        <translation>Твои партии против компьютера по уровням</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Against the computer</source>
        <translation>Против компьютера</translation>
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
        <translation>И%1</translation>
    </message>
</context>
<context>
    <name>kestrune::WinLoseBar</name>
    <message>
        <location filename="../src/screens/menu/winlosebar.cpp" line="+52"/>
        <source>No games yet</source>
        <translation>Игр ещё нет</translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n wins</source>
        <translation>
            <numerusform>%n победа</numerusform>
            <numerusform>%n победы</numerusform>
            <numerusform>%n побед</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n losses</source>
        <translation>
            <numerusform>%n поражение</numerusform>
            <numerusform>%n поражения</numerusform>
            <numerusform>%n поражений</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
</TS>
