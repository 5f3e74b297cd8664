#pragma once

#include <QWidget>

namespace kestrune {

// A strip whose background is a named image tiled along it, each tile as
// tall as the strip and as wide as the drawing's aspect ratio makes it.
class PatternView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString patternImageName READ patternImageName WRITE setPatternImageName)

public:
    explicit PatternView(QWidget *parent = nullptr);

    QString patternImageName() const { return m_imageName; }
    void setPatternImageName(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_imageName;
};

} // namespace kestrune
