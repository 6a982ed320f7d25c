#pragma once

#include <QString>
#include <QtGlobal>

class QSettings;

namespace editor {

// The three display preferences, kept in the per-user settings under GRLOG / STARTUP as text.
class Preferences
{
public:
    static constexpr qint32 ButtonFace = qint32(0x8000000F);

    // Reads the values; anything missing or unreadable falls back to the default.
    static Preferences read(QSettings& settings);

    static void writeBackColor(QSettings& settings, qint32 colour);
    // Writes the colour through to the settings' file at once; false when it could not be written.
    static bool saveBackColor(QSettings& settings, qint32 colour);
    static void writeStretch(QSettings& settings, bool stretch);
    static void writeTreeView(QSettings& settings, const QString& style);

    qint32 backColor = ButtonFace; // 0x00BBGGRR, or 0x80000000 plus a system colour index
    bool stretch = true;
    QString treeView = QStringLiteral("E"); // "E" expanded, "C" compressed
};

} // namespace editor
