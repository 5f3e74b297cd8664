#pragma once

#include <QString>

#include <optional>

namespace kestrune {

// A player's progress on one achievement, 0 to 100 percent.
class Achievement
{
public:
    // Nothing for an empty identifier: the service cannot name such an achievement.
    static std::optional<Achievement> withIdentifier(const QString &identifier);

    QString identifier() const { return m_identifier; }
    double percentComplete() const { return m_percentComplete; }
    void setPercentComplete(double percent) { m_percentComplete = percent; }
    bool isCompleted() const { return m_percentComplete >= 100.0; }
    // Whether the service shows its banner when a report completes it.
    bool showsCompletionBanner() const { return m_showsCompletionBanner; }
    void setShowsCompletionBanner(bool shows) { m_showsCompletionBanner = shows; }

    QString description() const;

    friend bool operator==(const Achievement &, const Achievement &) = default;

private:
    explicit Achievement(QString identifier);

    QString m_identifier;
    double m_percentComplete = 0.0;
    bool m_showsCompletionBanner = false;
};

} // namespace kestrune
