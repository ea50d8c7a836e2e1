#include "platform/widgets/file_dialog.h"

#include <QFileDialog>
#include <QStringList>

namespace platform {

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        // Qt reads an entry's patterns from the parentheses it ends with, and shows the entry
        // as it is: a description that already ends with its patterns is the whole entry.
        const QString shown = QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        const QString& description = parts[i];
        entries << (description.endsWith(shown) ? description
                                                : description + QLatin1Char(' ') + shown);
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtFileDialog::showOpen(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), toQtFilter(filter));
}

}  // namespace platform
