#pragma once

#include "gameservice/kit/leaderboard.h"
#include "gameservice/kit/serviceerror.h"

#include <QWidget>

#include <memory>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QTreeWidget;

namespace Ui {
class LeaderboardPage;
}

namespace kestrune {

class ServiceKit;

// One leaderboard as the service holds it: the best 50 or the players around
// the local player, of today, this week or all time, the player's own row
// marked. It asks the service again whenever the choice changes, and shows
// only the answer to the latest question. GUI thread.
class LeaderboardPage final : public QWidget
{
    Q_OBJECT
public:
    // Shows `board` first when the catalogue has it, else the catalogue's first.
    explicit LeaderboardPage(std::shared_ptr<ServiceKit> kit, const QString &board = {}, QWidget *parent = nullptr);
    ~LeaderboardPage() override;

    QString board() const;
    Leaderboard::Query query() const { return m_query; }
    // Asks the service for the current choice again.
    void reload();

    QComboBox *boardSelector() const;
    QAbstractButton *scopeButton(Leaderboard::Scope scope) const;
    QAbstractButton *windowButton(Leaderboard::Window window) const;
    QTreeWidget *list() const;
    QLabel *playerCountLabel() const;
    QLabel *emptyLabel() const;
    QLabel *errorLabel() const;

signals:
    // The answer to the latest question is on screen (or its error).
    void shown();

private:
    void choose(Leaderboard::Query query);
    void showAnswer(const QString &me, const Leaderboard::Scores &scores, const OptionalError &error);
    void showRows(const QString &me, const Leaderboard::Scores &scores);
    QString emptyText() const;
    void styleSegments(QButtonGroup *group);

    std::unique_ptr<Ui::LeaderboardPage> ui;
    std::shared_ptr<ServiceKit> m_kit;
    QButtonGroup *m_scopes;
    QButtonGroup *m_windows;
    Leaderboard::Query m_query;
    // Counts the questions asked; an answer to an earlier one is dropped.
    int m_asked = 0;
};

} // namespace kestrune
