#include "project/Preferences.h"

#include <QSettings>

#include <limits>

namespace editor {

namespace {
const QString Section = QStringLiteral("STARTUP/");
}

Preferences Preferences::read(QSettings& settings)
{
    Preferences p;
    bool ok = false;
    const qint64 colour = settings.value(Section + QStringLiteral("BACKCOLOR")).toString().trimmed().toLongLong(&ok);
    if (ok && colour >= std::numeric_limits<qint32>::min() && colour <= std::numeric_limits<qint32>::max())
        p.backColor = qint32(colour);

    const QString stretch = settings.value(Section + QStringLiteral("STRETCH")).toString().trimmed();
    if (stretch.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        p.stretch = false;

    const QString tree = settings.value(Section + QStringLiteral("TREEVIEW")).toString().trimmed().toUpper();
    if (tree == QStringLiteral("C"))
        p.treeView = tree;
    return p;
}

void Preferences::writeBackColor(QSettings& settings, qint32 colour)
{
    settings.setValue(Section + QStringLiteral("BACKCOLOR"), QString::number(colour));
}

bool Preferences::saveBackColor(QSettings& settings, qint32 colour)
{
    writeBackColor(settings, colour);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void Preferences::writeStretch(QSettings& settings, bool stretch)
{
    settings.setValue(Section + QStringLiteral("STRETCH"), stretch ? QStringLiteral("True") : QStringLiteral("False"));
}

void Preferences::writeTreeView(QSettings& settings, const QString& style)
{
    settings.setValue(Section + QStringLiteral("TREEVIEW"), style);
}

} // namespace editor
