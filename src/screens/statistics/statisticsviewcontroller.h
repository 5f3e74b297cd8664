#pragma once

#include "game/rx/disposebag.h"
#include "screens/navigation/viewcontroller.h"

#include <QStringList>

#include <memory>

class QLabel;
class QListWidget;

namespace Ui {
class StatisticsViewController;
}

namespace kestrune {

class BarButtonItem;
class KeyValueStore;

// The player's lifetime statistics on this device: six rows, each a title
// with its value beside it, then under the heading "Against the computer"
// one row per computer strength, all under a navigation bar with a title
// and a back item that pops the screen. The values are read from the store once per
// visit, as the screen is about to appear, so a screen kept on the stack
// still shows the current figures when it comes back. Each row reads as one
// item to assistive technology ("Games played: 12"). No controls of its own.
// The store must outlive the screen. GUI thread only.
class StatisticsViewController : public ViewController
{
    Q_OBJECT

public:
    explicit StatisticsViewController(KeyValueStore &store, QWidget *parent = nullptr);
    ~StatisticsViewController() override;

    // The six row titles, in order.
    static QStringList titles();
    // The six values as they stand in the store now: games, wins, losses as
    // decimals; the winning percentage ("0%" before any game); the playing
    // time and the average time of a won game ("N/A" before any win) as
    // duration texts.
    static QStringList details(const KeyValueStore &store);
    // The computer rows: one title per strength ("Easy", "Normal", "Hard"),
    // and the record at each as it stands in the store now ("3 wins,
    // 1 loss, 0 ties"; "No matches yet" before the first).
    static QStringList computerTitles();
    static QStringList computerDetails(const KeyValueStore &store);

    // The values shown, as read on the last appearance; empty before it.
    QStringList shownDetails() const { return m_details; }
    QStringList shownComputerDetails() const { return m_computerDetails; }
    // The six rows; the computer rows.
    QListWidget *tableView() const;
    QListWidget *computerTableView() const;
    QLabel *computerHeading() const { return m_computerHeading; }
    BarButtonItem *backItem() const { return m_backItem; }

protected:
    void viewDidLoad() override;

private:
    void reloadData();
    void fillRows(QListWidget *list, const QStringList &titles, int rowHeight);
    static void showValues(QListWidget *list, const QStringList &titles, const QStringList &values);

    std::unique_ptr<Ui::StatisticsViewController> ui;
    KeyValueStore &m_store;
    BarButtonItem *m_backItem;
    QLabel *m_computerHeading = nullptr;
    QStringList m_details;
    QStringList m_computerDetails;
    rx::DisposeBag m_disposeBag;
};

} // namespace kestrune
