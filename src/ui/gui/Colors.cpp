#include "gui/Colors.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QPalette>
#include <QWidget>
#include <algorithm>

namespace gui {

QColor fromStoredColour(qint32 value)
{
    const quint32 v = quint32(value);
    if (v & 0x80000000u) {
        // The system colour indexes a settings file may hold, each to its palette role.
        static const QHash<quint32, QPalette::ColorRole> roles = {
            { 0x04, QPalette::Window },
            { 0x05, QPalette::Base },
            { 0x07, QPalette::WindowText },
            { 0x08, QPalette::Text },
            { 0x0D, QPalette::Highlight },
            { 0x0E, QPalette::HighlightedText },
            { 0x0F, QPalette::Button },
            { 0x10, QPalette::Mid },
            { 0x12, QPalette::ButtonText },
            { 0x14, QPalette::Light },
            { 0x15, QPalette::Shadow },
            { 0x16, QPalette::Midlight },
            { 0x17, QPalette::ToolTipText },
            { 0x18, QPalette::ToolTipBase },
        };
        return QApplication::palette().color(roles.value(v & 0xFFu, QPalette::Window));
    }
    return QColor(int(v & 0xFFu), int((v >> 8) & 0xFFu), int((v >> 16) & 0xFFu));
}

qint32 toStoredColour(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return qint32(quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16));
}

void setFieldColour(QWidget* field, const QColor& colour)
{
    // A plain drop-down list paints its face with the button colour, the others with the base.
    const bool face = qobject_cast<QComboBox*>(field) && !static_cast<QComboBox*>(field)->isEditable();
    const QPalette& shown = field->palette();
    const auto groups = { QPalette::Active, QPalette::Inactive, QPalette::Disabled };
    // Setting an equal palette again still has the field and the style work it out anew.
    if (field->testAttribute(Qt::WA_SetPalette)
        && shown.color(QPalette::Disabled, QPalette::Text) == shown.color(QPalette::Active, QPalette::Text)
        && std::all_of(groups.begin(), groups.end(), [&](QPalette::ColorGroup g) {
               return shown.color(g, QPalette::Base) == colour && (!face || shown.color(g, QPalette::Button) == colour);
           }))
        return;
    QPalette palette = shown;
    for (const auto group : groups) {
        palette.setColor(group, QPalette::Base, colour);
        if (face)
            palette.setColor(group, QPalette::Button, colour);
    }
    // A locked field is read, not typed into: keep its text as legible as an open one.
    palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    field->setPalette(palette);
}

QColor fieldColour(const QWidget* field)
{
    return field->palette().color(QPalette::Active, QPalette::Base);
}

} // namespace gui
