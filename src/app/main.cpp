#include "commandline.h"

#include "game/quotationshelper.h"
#include "platform/apppaths.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

using namespace kestrune;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrune"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrune"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTRUNE_VERSION));

    std::optional<int> exitCode;
    const CommandLine options = CommandLine::parse(QCoreApplication::arguments(), exitCode);
    if (exitCode)
        return *exitCode;
    if (!options.dataFolder.isEmpty())
        AppPaths::setDataFolder(options.dataFolder);

    // Until the screens land: a window that says what is there.
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kestrune"));
    auto *layout = new QVBoxLayout(&window);
    const auto quotation = QuotationsHelper::randomQuotation();
    auto *title = new QLabel(QStringLiteral("<h1>Kestrune</h1>"));
    auto *quote = new QLabel(QStringLiteral("<i>%1</i><br>\u2014 %2")
                                 .arg(QString::fromStdString(quotation.text).toHtmlEscaped().replace('\n', "<br>"),
                                      QString::fromStdString(quotation.author).toHtmlEscaped()));
    auto *status = new QLabel(QStringLiteral("The game rules are in place; the screens are being built."));
    for (QLabel *label : {title, quote, status}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    window.resize(375, 667);

    if (!options.renderTo.isEmpty()) {
        window.ensurePolished();
        if (!window.grab().save(options.renderTo)) {
            std::fprintf(stderr, "kestrune: cannot write %s\n", qPrintable(options.renderTo));
            return 1;
        }
        return 0;
    }
    window.show();
    return app.exec();
}
