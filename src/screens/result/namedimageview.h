#pragma once

#include <QWidget>

namespace kestrune {

// A named image resource drawn aspect-fit and centred; redrawn from the
// drawing at every size and in the current colour scheme. An empty name
// draws nothing.
class NamedImageView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)

public:
    explicit NamedImageView(QWidget *parent = nullptr);

    QString imageName() const { return m_imageName; }
    void setImageName(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_imageName;
};

} // namespace kestrune
