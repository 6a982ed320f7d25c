#pragma once

#include <QColor>
#include <QtGlobal>

class QWidget;

namespace gui {

// Stored colours are 0x00BBGGRR, or 0x80000000 plus a system colour index.
constexpr qint32 EditYellow = 0x00FFFF;
constexpr qint32 White = 0xFFFFFF;
constexpr qint32 SystemButtonFace = qint32(0x8000000F);
constexpr qint32 SystemHighlight = qint32(0x8000000D);

QColor fromStoredColour(qint32 value);
qint32 toStoredColour(const QColor& colour);

// The background of an input field, in every state (enabled, disabled, inactive).
void setFieldColour(QWidget* field, const QColor& colour);
QColor fieldColour(const QWidget* field);

} // namespace gui
