#include "toolkit/savefilename.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

QString FilterSuffix(const QString& filter)
{
    static const QRegularExpression onePattern(QStringLiteral("^[^(]*\\(\\s*\\*\\.(\\w+)\\s*\\)\\s*$"));
    const QRegularExpressionMatch match = onePattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString WithFilterSuffix(const QString& path, const QString& filter)
{
    const QString suffix = FilterSuffix(filter);
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& path, const QString& filter)
{
    QFileDialog dialog(parent, caption, path, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Qt's own dialog adds the suffix itself; a native one may not, hence the
    // check afterwards as well.
    dialog.setDefaultSuffix(FilterSuffix(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return WithFilterSuffix(dialog.selectedFiles().first(), filter);
}
