#pragma once

#include "common/Progress.h"
#include "store/RecordTraits.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <stdexcept>

namespace store {
class Store;
}

namespace exchange {

// What a project file says it is, and the version of its layout this program writes and reads.
inline const QString Format = QStringLiteral("gearlog-project");
constexpr int Version = 1;

// A file that cannot be imported: says which field, where, and why.
class ImportError : public std::runtime_error
{
public:
    ImportError(QString where, QString why);
    const QString& where() const { return m_where; }
    const QString& why() const { return m_why; }
    QString message() const;

private:
    QString m_where;
    QString m_why;
};

// A whole project as one JSON document ("format": "gearlog-project", "version": 1): the car, its
// assemblies with their components, its phases with their activities, and the suppliers its
// components name. Keys of the exporting database appear only as "key" values that tie a
// component to its activity within the file. The same project always gives the same text.
// Throws store::StoreError.
QByteArray exportProject(const store::Store& store, store::Key carid, const common::Progress& progress = {});

// Adds the project in the file as a new one and answers its key, all in one transaction.
// Suppliers are added only where none of that name exists; existing ones are never changed.
// Throws ImportError for a file it cannot take (and adds nothing), store::StoreError for the rest.
// progress counts the records written; the keys of the suppliers added go to addedSuppliers.
store::Key importProject(const store::Store& store, const QByteArray& json, const common::Progress& progress = {},
    QList<store::Key>* addedSuppliers = nullptr);

// The largest project file read: far above any real project, and a guard against reading a
// device or a runaway file until memory runs out.
inline constexpr qint64 MaxProjectFileBytes = 64 * 1024 * 1024;
// Reads a project file opened for reading, at most MaxProjectFileBytes and one byte more, whatever
// the file system says of its size; throws ImportError for a larger one.
QByteArray readProjectFile(QIODevice& file);

} // namespace exchange
