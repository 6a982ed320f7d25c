#pragma once

#include <QString>
#include <QStringList>

namespace common {

// Work states of assemblies, components, phases and activities; the code is the list position.
enum class Status : short { NotStarted = 0, InProcess = 1, Completed = 2, OnHold = 3 };

const QStringList& statusTexts();
// Empty for a code outside 0..3.
QString statusText(int code);
// The shown text for a stored code that may be Null.
inline const QString NoStatusText = QStringLiteral("< None >");

} // namespace common
