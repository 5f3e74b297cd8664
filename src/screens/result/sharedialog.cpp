#include "sharedialog.h"

#include "platform/resources/resources.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace kestrune {

ShareDialog::Services ShareDialog::systemServices()
{
    Services services;
    services.saveFileName = [](QWidget *parent, const QString &suggestedName) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        return QFileDialog::getSaveFileName(parent, QObject::tr("Save image"), QDir(folder).filePath(suggestedName),
                                            QObject::tr("PNG image (*.png)"));
    };
    services.copyImage = [](const QImage &image) { QGuiApplication::clipboard()->setImage(image); };
    services.copyText = [](const QString &text) { QGuiApplication::clipboard()->setText(text); };
    services.showError = [](QWidget *parent, const QString &message) {
        QMessageBox::warning(parent, QObject::tr("Save image"), message);
    };
    return services;
}

ShareDialog::ShareDialog(const QImage &image, const QString &text, QWidget *parent, Services services)
    : QDialog(parent)
    , m_image(image)
    , m_text(text)
    , m_services(std::move(services))
    , m_saveButton(new QPushButton(tr("Save image…"), this))
    , m_copyImageButton(new QPushButton(tr("Copy image"), this))
    , m_copyTextButton(new QPushButton(tr("Copy text"), this))
{
    setObjectName(QStringLiteral("ShareDialog"));
    setWindowTitle(tr("Share"));
    setAccessibleName(tr("Share"));
    setPalette(Resources::palette());

    auto *preview = new QLabel(this);
    preview->setObjectName(QStringLiteral("sharePreview"));
    preview->setAlignment(Qt::AlignCenter);
    preview->setAccessibleName(tr("Board picture"));
    if (!m_image.isNull()) {
        QImage thumbnail =
            m_image.scaled(QSize(240, 240) * m_image.devicePixelRatio(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        thumbnail.setDevicePixelRatio(m_image.devicePixelRatio());
        preview->setPixmap(QPixmap::fromImage(thumbnail));
    }
    auto *caption = new QLabel(m_text, this);
    caption->setObjectName(QStringLiteral("shareText"));
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignCenter);
    caption->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_saveButton->setObjectName(QStringLiteral("saveImageButton"));
    m_saveButton->setAccessibleName(tr("Save image"));
    m_saveButton->setAccessibleDescription(tr("Saves the picture as a PNG file"));
    m_copyImageButton->setObjectName(QStringLiteral("copyImageButton"));
    m_copyImageButton->setAccessibleName(tr("Copy image"));
    m_copyTextButton->setObjectName(QStringLiteral("copyTextButton"));
    m_copyTextButton->setAccessibleName(tr("Copy text"));
    // Return copies the picture: the quickest way to share it.
    m_copyImageButton->setDefault(true);
    m_saveButton->setEnabled(!m_image.isNull());
    m_copyImageButton->setEnabled(!m_image.isNull());

    auto *buttons = new QDialogButtonBox(Qt::Horizontal, this);
    buttons->setObjectName(QStringLiteral("shareButtons"));
    buttons->addButton(m_saveButton, QDialogButtonBox::ActionRole);
    buttons->addButton(m_copyImageButton, QDialogButtonBox::ActionRole);
    buttons->addButton(m_copyTextButton, QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAccessibleName(tr("Close"));
    close->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(12);
    layout->addWidget(preview);
    layout->addWidget(caption);
    layout->addWidget(buttons);

    connect(m_saveButton, &QPushButton::clicked, this, &ShareDialog::saveImageAs);
    connect(m_copyImageButton, &QPushButton::clicked, this, &ShareDialog::copyImage);
    connect(m_copyTextButton, &QPushButton::clicked, this, &ShareDialog::copyText);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString ShareDialog::saveImage(const QString &fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return tr("The image could not be saved to %1: %2").arg(QDir::toNativeSeparators(fileName), file.errorString());
    QImageWriter writer(&file, "png");
    if (!writer.write(m_image)) {
        file.cancelWriting();
        return tr("The image could not be saved to %1: %2")
            .arg(QDir::toNativeSeparators(fileName), writer.errorString());
    }
    if (!file.commit())
        return tr("The image could not be saved to %1: %2").arg(QDir::toNativeSeparators(fileName), file.errorString());
    return {};
}

void ShareDialog::saveImageAs()
{
    if (!m_services.saveFileName)
        return;
    QString fileName = m_services.saveFileName(this, tr("Kestrune game.png"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".png");
    const QString error = saveImage(fileName);
    if (!error.isEmpty()) {
        qWarning("sharedialog.cpp: %s", qPrintable(error));
        if (m_services.showError)
            m_services.showError(this, error);
        return;
    }
    accept();
}

void ShareDialog::copyImage()
{
    if (m_services.copyImage)
        m_services.copyImage(m_image);
    accept();
}

void ShareDialog::copyText()
{
    if (m_services.copyText)
        m_services.copyText(m_text);
    accept();
}

} // namespace kestrune
