#pragma once

#include <QDialog>
#include <QImage>

#include <functional>

class QLabel;
class QPushButton;

namespace kestrune {

// The desktop's share sheet for one board image: save it as a PNG file, copy
// it, or copy the share text. Each action that succeeds closes the dialog; a
// save that fails says why and leaves the dialog open. Return copies the
// image. GUI thread only.
class ShareDialog : public QDialog
{
    Q_OBJECT

public:
    // How the dialog reaches the user's files and the clipboard; tests
    // replace them so that no real file dialog ever opens.
    struct Services
    {
        // The file to save to; empty when the user cancels.
        std::function<QString(QWidget *parent, const QString &suggestedName)> saveFileName;
        std::function<void(const QImage &)> copyImage;
        std::function<void(const QString &)> copyText;
        std::function<void(QWidget *parent, const QString &message)> showError;
    };
    // A file dialog, the system clipboard and a warning box.
    static Services systemServices();

    ShareDialog(const QImage &image, const QString &text, QWidget *parent = nullptr,
                Services services = systemServices());

    QImage image() const { return m_image; }
    QString text() const { return m_text; }

    // Writes the image as PNG (whole or not at all); an empty string on
    // success, else a message naming the file and the reason.
    QString saveImage(const QString &fileName) const;

    // The three actions behind the buttons.
    void saveImageAs();
    void copyImage();
    void copyText();

    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *copyImageButton() const { return m_copyImageButton; }
    QPushButton *copyTextButton() const { return m_copyTextButton; }

private:
    QImage m_image;
    QString m_text;
    Services m_services;
    QPushButton *m_saveButton;
    QPushButton *m_copyImageButton;
    QPushButton *m_copyTextButton;
};

} // namespace kestrune
