#pragma once

#include "store/RecordTraits.h"

#include <QString>
#include <optional>

class QWidget;

namespace project {
class ProjectSession;
}

namespace copy {

// Asks where to write the car's project file and writes it; answers the status text when it was
// written. Every failure is told to the user.
std::optional<QString> exportProjectFile(
    QWidget* parent, const project::ProjectSession& session, store::Key carid, const QString& description);
// Asks for a project file and imports it as a new project; answers its key when imported.
std::optional<store::Key> importProjectFile(QWidget* parent, project::ProjectSession& session);

} // namespace copy
