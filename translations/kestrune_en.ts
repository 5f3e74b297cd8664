<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>MatchSummary</name>
    <message numerus="yes">
        <location filename="../src/screens/result/matchsummary.cpp" line="+49"/>
        <source>Round #%1
%n seconds</source>
        <translation>
            <numerusform>Round #%1
%n second</numerusform>
            <numerusform>Round #%1
%n seconds</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Round #%1 in %n seconds</source>
        <translation>
            <numerusform>Round #%1 in %n second</numerusform>
            <numerusform>Round #%1 in %n seconds</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ShareText</name>
    <message numerus="yes">
        <location filename="../src/game/sharetext.cpp" line="+18"/>
        <source>%n shots</source>
        <translation>
            <numerusform>%n shot</numerusform>
            <numerusform>%n shots</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::BulletsView</name>
    <message numerus="yes">
        <location filename="../src/views/dots/bulletsview.cpp" line="+32"/>
        <source>%n bulls</source>
        <extracomment>Digits in the right place</extracomment>
        <translation>
            <numerusform>%n bull</numerusform>
            <numerusform>%n bulls</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n cows</source>
        <extracomment>Digits in the code but in the wrong place</extracomment>
        <translation>
            <numerusform>%n cow</numerusform>
            <numerusform>%n cows</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::HintButton</name>
    <message numerus="yes">
        <location filename="../src/screens/game/hintbutton.cpp" line="+36"/>
        <source>Hint, %n left</source>
        <translation>
            <numerusform>Hint, %n left</numerusform>
            <numerusform>Hint, %n left</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::HintControl</name>
    <message numerus="yes">
        <location filename="../src/screens/game/hintcontrol.cpp" line="+109"/>
        <source>%n codes left</source>
        <extracomment>How many codes still fit what the shots said</extracomment>
        <translation>
            <numerusform>%n code left</numerusform>
            <numerusform>%n codes left</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::LeaderboardPage</name>
    <message numerus="yes">
        <location filename="../src/gameservice/screens/leaderboardpage.cpp" line="+214"/>
        <source>%Ln players</source>
        <translation>
            <numerusform>%Ln player</numerusform>
            <numerusform>%Ln players</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::ResultViewController</name>
    <message numerus="yes">
        <location filename="../src/screens/result/resultviewcontroller.cpp" line="+363"/>
        <source>%n hints</source>
        <translation>
            <numerusform>%n hint</numerusform>
            <numerusform>%n hints</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+70"/>
        <source>%n points</source>
        <translation>
            <numerusform>%n point</numerusform>
            <numerusform>%n points</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::StatisticsViewController</name>
    <message numerus="yes">
        <location filename="../src/screens/statistics/statisticsviewcontroller.cpp" line="+114"/>
        <source>%n wins</source>
        <translation>
            <numerusform>%n win</numerusform>
            <numerusform>%n wins</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>%n losses</source>
        <translation>
            <numerusform>%n loss</numerusform>
            <numerusform>%n losses</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n ties</source>
        <translation>
            <numerusform>%n tie</numerusform>
            <numerusform>%n ties</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrune::WinLoseBar</name>
    <message numerus="yes">
        <location filename="../src/screens/menu/winlosebar.cpp" line="+57"/>
        <source>%n wins</source>
        <translation>
            <numerusform>%n win</numerusform>
            <numerusform>%n wins</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n losses</source>
        <translation>
            <numerusform>%n loss</numerusform>
            <numerusform>%n losses</numerusform>
        </translation>
    </message>
</context>
</TS>
